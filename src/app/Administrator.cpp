#include "app/Administrator.h"

#include <cstdio>

namespace {
// Everything the check allocates, freed on every path.
struct AccessCheckParts {
    bool impersonating = false;
    HANDLE token = nullptr;
    PSID administrators = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL acl = nullptr;

    ~AccessCheckParts() {
        if (acl)
            ::LocalFree(acl);
        if (descriptor)
            ::LocalFree(descriptor);
        if (administrators)
            ::FreeSid(administrators);
        if (token)
            ::CloseHandle(token);
        // Also after a failure: the thread must not keep its impersonation.
        if (impersonating)
            ::RevertToSelf();
    }
};

constexpr DWORD kAccessRead = 1;
constexpr DWORD kAccessWrite = 2;

// The token of the impersonated thread, or of the process when the thread has none.
bool OpenOwnToken(AccessCheckParts& parts) {
    parts.impersonating = ::ImpersonateSelf(SecurityImpersonation) != FALSE;
    HANDLE& token = parts.token;
    if (::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
        return true;
    if (::GetLastError() != ERROR_NO_TOKEN)
        return false;
    return ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token) != FALSE;
}

// A descriptor that grants read and write to the Administrators alias and nobody else.
bool BuildAdministratorsDescriptor(AccessCheckParts& parts) {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                    &parts.administrators))
        return false;
    parts.descriptor = ::LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
    if (!parts.descriptor ||
        !::InitializeSecurityDescriptor(parts.descriptor, SECURITY_DESCRIPTOR_REVISION))
        return false;
    DWORD aclSize = ::GetLengthSid(parts.administrators) + 16;
    parts.acl = static_cast<PACL>(::LocalAlloc(LPTR, aclSize));
    return parts.acl && ::InitializeAcl(parts.acl, aclSize, ACL_REVISION2) &&
           ::AddAccessAllowedAce(parts.acl, ACL_REVISION2, kAccessRead | kAccessWrite,
                                 parts.administrators) &&
           ::SetSecurityDescriptorDacl(parts.descriptor, TRUE, parts.acl, FALSE) &&
           ::SetSecurityDescriptorGroup(parts.descriptor, parts.administrators, FALSE) &&
           ::SetSecurityDescriptorOwner(parts.descriptor, parts.administrators, FALSE) &&
           ::IsValidSecurityDescriptor(parts.descriptor);
}
} // namespace

BOOL IsUserAdministrator() {
    AccessCheckParts parts;
    if (!OpenOwnToken(parts) || !BuildAdministratorsDescriptor(parts))
        return FALSE;

    GENERIC_MAPPING mapping = {kAccessRead, kAccessWrite, 0, kAccessRead | kAccessWrite};
    PRIVILEGE_SET privileges;
    DWORD privilegesSize = sizeof(privileges);
    DWORD granted = 0;
    BOOL status = FALSE;
    if (!::AccessCheck(parts.descriptor, parts.token, kAccessRead, &mapping, &privileges,
                       &privilegesSize, &granted, &status)) {
        std::printf("AccessCheck() failed with error %lu\n", ::GetLastError());
        return FALSE;
    }
    return status;
}
