#include "base/UserOnlySecurity.h"

#include "base/UniqueResource.h"
#include "base/WinError.h"

namespace ostrel {

TUserOnlySecurity::TUserOnlySecurity(bool inheritable)
{
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.receive())) {
        RaiseLastOSError("OpenProcessToken");
    }
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    user_.resize(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, user_.data(), size, &size)) {
        RaiseLastOSError("GetTokenInformation");
    }
    const PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;

    acl_.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
    const PACL acl = reinterpret_cast<PACL>(acl_.data());
    if (!InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid)) {
        RaiseLastOSError("AddAccessAllowedAce");
    }
    if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE)) {
        RaiseLastOSError("SetSecurityDescriptorDacl");
    }
    attributes_ = {sizeof attributes_, &descriptor_, inheritable};
}

}  // namespace ostrel
