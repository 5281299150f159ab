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

bool IsLink(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::vector<std::string> SetupShellFolders()
{
    using P = ProductProfile;
    const std::pair<HKEY, const char*> values[] = {
        {HKEY_CURRENT_USER, P::programsValue},         {HKEY_CURRENT_USER, P::desktopValue},
        {HKEY_CURRENT_USER, P::startupValue},          {HKEY_LOCAL_MACHINE, P::commonProgramsValue},
        {HKEY_LOCAL_MACHINE, P::commonDesktopValue},   {HKEY_LOCAL_MACHINE, P::commonStartupValue}};
    std::vector<std::string> folders;
    for (const auto& [root, name] : values) {
        std::string folder = ReadRegistryString(root, P::shellFoldersKey, name);
        if (!folder.empty()) folders.push_back(std::move(folder));
    }
    return folders;
}
