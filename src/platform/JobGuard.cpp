#include "JobGuard.h"

namespace {

int& RunningJobs()
{
    static int nRunning = 0;
    return nRunning;
}

}  // namespace

CJobGuard::CJobGuard()
{
    ++RunningJobs();
}

CJobGuard::~CJobGuard()
{
    --RunningJobs();
}

bool CJobGuard::IsRunning()
{
    return RunningJobs() > 0;
}
