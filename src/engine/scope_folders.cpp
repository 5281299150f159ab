#include "engine/scope_folders.h"

#include "core/product_profile.h"
#include "core/setup_state.h"
#include "win/registry_text.h"

#include <windows.h>

std::string ReadScopeShellFolder(const char* commonValue, const char* userValue)
{
    if (setupState.allUsers != 0)
        return ReadRegistryString(HKEY_LOCAL_MACHINE, ProductProfile::shellFoldersKey, commonValue);
    return ReadRegistryString(HKEY_CURRENT_USER, ProductProfile::shellFoldersKey, userValue);
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
