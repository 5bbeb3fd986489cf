#include "AccessCopy.h"

#include <QByteArray>

#include <acl/libacl.h>
#include <cerrno>
#include <cstring>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace {

// The ACL travels through libacl, which also sets the mode's group bits to its mask.
bool IsAclAttribute(const char* szName)
{
    return std::strncmp(szName, "system.posix_acl_", 17) == 0;
}

}  // namespace

bool CAccessCopy::Copy(int fdFrom, int fdTo, mode_t oldMode)
{
    const bool bAcl = CopyAcl(fdFrom, fdTo, oldMode);
    const bool bAttributes = CopyAttributes(fdFrom, fdTo);
    return bAcl && bAttributes;
}

bool CAccessCopy::CopyAcl(int fdFrom, int fdTo, mode_t oldMode)
{
    acl_t acl = ::acl_get_fd(fdFrom);
    if (!acl)  // no ACLs on this file system: the mode says it all
        return errno == ENOTSUP;
    bool bCopied = true;
    if (::acl_equiv_mode(acl, nullptr) != 0 && ::acl_set_fd(fdTo, acl) != 0) {
        bCopied = false;
        ::fchmod(fdTo, oldMode & 07700);
    }
    ::acl_free(acl);
    return bCopied;
}

bool CAccessCopy::CopyAttributes(int fdFrom, int fdTo)
{
    const ssize_t nListSize = ::flistxattr(fdFrom, nullptr, 0);
    if (nListSize <= 0)
        return nListSize == 0 || errno == ENOTSUP;
    QByteArray names(nListSize, '\0');
    const ssize_t nGot = ::flistxattr(fdFrom, names.data(), names.size());
    if (nGot < 0)
        return false;
    bool bAll = true;
    for (qsizetype i = 0; i < nGot; i += qsizetype(std::strlen(names.constData() + i)) + 1) {
        const char* szName = names.constData() + i;
        if (IsAclAttribute(szName))
            continue;
        const ssize_t nSize = ::fgetxattr(fdFrom, szName, nullptr, 0);
        QByteArray value(nSize > 0 ? nSize : 0, '\0');
        if (nSize < 0 || ::fgetxattr(fdFrom, szName, value.data(), value.size()) != nSize
            || ::fsetxattr(fdTo, szName, value.constData(), value.size(), 0) != 0)
            bAll = false;
    }
    return bAll;
}
