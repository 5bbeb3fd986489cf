// Gives a new file the access and extended attributes of the file it replaces.
#pragma once

#include <sys/types.h>

class CAccessCopy
{
public:
    // Copies the access control list and the extended attributes of `fdFrom` onto `fdTo`, whose
    // mode is already `oldMode`. An ACL that cannot be copied leaves `fdTo` open to its owner
    // only, so the new file never grants more than the old one; attributes this process may not
    // set are left out. False when anything was left out.
    static bool Copy(int fdFrom, int fdTo, mode_t oldMode);

private:
    static bool CopyAcl(int fdFrom, int fdTo, mode_t oldMode);
    static bool CopyAttributes(int fdFrom, int fdTo);
};
