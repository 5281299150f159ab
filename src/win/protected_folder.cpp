#include "win/protected_folder.h"

#include "win/system_library.h"

#include <windows.h>
#include <sddl.h>

namespace {

// Whether this process holds the Administrators group (not filtered out by
// User Account Control). The call came with Windows 2000.
bool IsAdministrator(HMODULE advapi)
{
    using CheckMembership = BOOL(WINAPI*)(HANDLE, PSID, PBOOL);
    const auto check = ProcAddress<CheckMembership>(advapi, "CheckTokenMembership");
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    BOOL member = FALSE;
    if (check == nullptr || !AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                                      0, 0, 0, 0, 0, &administrators))
        return false;
    if (!check(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
}

}  // namespace

LocalMemory ProtectedFolderDescriptor()
{
    using Convert = BOOL(WINAPI*)(LPCSTR, DWORD, PSECURITY_DESCRIPTOR*, PULONG);
    const HMODULE advapi = GetModuleHandleA("advapi32.dll");
    const auto convert = ProcAddress<Convert>(advapi, "ConvertStringSecurityDescriptorToSecurityDescriptorA");
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (convert == nullptr || !IsAdministrator(advapi) ||
        !convert(protectedFolderSddl, SDDL_REVISION_1, &descriptor, nullptr))
        return LocalMemory();
    return LocalMemory(descriptor);
}

bool CreateProtectedFolder(const std::string& folder)
{
    const LocalMemory descriptor = ProtectedFolderDescriptor();
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor.Get(), FALSE};
    return CreateDirectoryA(folder.c_str(), descriptor.IsValid() ? &attributes : nullptr) != FALSE;
}
