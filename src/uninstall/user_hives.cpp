#include "uninstall/user_hives.h"

#include "core/buffer_sizes.h"
#include "core/folder_containment.h"
#include "core/product_profile.h"
#include "win/handles.h"
#include "win/registry_text.h"

void ForEachUserHive(const std::function<void(HKEY hive, const std::string& name)>& visit)
{
    char name[registryTextSize];
    for (DWORD index = 0; RegEnumKeyA(HKEY_USERS, index, name, sizeof name) == ERROR_SUCCESS; ++index) {
        RegKey hive;
        if (hive.Open(HKEY_USERS, name, KEY_ALL_ACCESS) != ERROR_SUCCESS) continue;
        visit(hive.Get(), name);
    }
}

std::string ProfileFolderOf(const std::string& sid)
{
    RegKey profile;
    std::string value;
    if (sid.find('\\') != std::string::npos ||
        profile.Open(HKEY_LOCAL_MACHINE, (std::string(ProductProfile::profileListKey) + "\\" + sid).c_str(),
                     KEY_QUERY_VALUE) != ERROR_SUCCESS ||
        !ReadValueText(profile.Get(), ProductProfile::profileImagePathValue, maxPath, value))
        return std::string();
    // The system drive from the Windows folder, not from the environment,
    // which is not the machine's to vouch for.
    char windows[maxPath] = "";
    const UINT n = GetWindowsDirectoryA(windows, static_cast<UINT>(maxPath));
    return ProfileFolderPath(value, n >= 2 && n < maxPath ? std::string(windows, 2) : std::string());
}
