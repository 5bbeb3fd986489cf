#include "ContentDigest.h"

#include <xxhash.h>

struct CContentDigest::SState
{
    XXH3_state_t* pState = XXH3_createState();
    ~SState() { XXH3_freeState(pState); }
};

CContentDigest::CContentDigest() : m_pState(std::make_unique<SState>())
{
    Reset();
}

CContentDigest::~CContentDigest() = default;

void CContentDigest::Reset()
{
    XXH3_128bits_reset(m_pState->pState);
}

void CContentDigest::Add(const char* pData, std::size_t nSize)
{
    if (nSize > 0)
        XXH3_128bits_update(m_pState->pState, pData, nSize);
}

SContentDigest CContentDigest::Result() const
{
    const XXH128_hash_t hash = XXH3_128bits_digest(m_pState->pState);
    return {true, hash.low64, hash.high64};
}

SContentDigest CContentDigest::Of(const char* pData, std::size_t nSize)
{
    CContentDigest digest;
    digest.Add(pData, nSize);
    return digest.Result();
}
