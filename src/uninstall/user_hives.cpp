#include "uninstall/user_hives.h"

#include "core/buffer_sizes.h"
#include "win/handles.h"

void ForEachUserHive(const std::function<void(HKEY hive)>& visit)
{
    char name[registryTextSize];
    for (DWORD index = 0; RegEnumKeyA(HKEY_USERS, index, name, sizeof name) == ERROR_SUCCESS; ++index) {
        RegKey hive;
        if (hive.Open(HKEY_USERS, name, KEY_ALL_ACCESS) != ERROR_SUCCESS) continue;
        visit(hive.Get());
    }
}
