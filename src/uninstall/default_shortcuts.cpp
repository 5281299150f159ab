#include "uninstall/default_shortcuts.h"

#include "core/path_utils.h"
#include "core/product_profile.h"
#include "uninstall/log_replay.h"
#include "uninstall/user_hives.h"
#include "win/code_page.h"
#include "win/handles.h"
#include "win/plain_entries.h"
#include "win/registry_text.h"

#include <windows.h>

#include <string>

namespace {

// The names of the three shell-folder values of one scope.
struct ShellFolderNames {
    const char* startup;
    const char* desktop;
    const char* programs;
};

// An unreadable or empty value names no folder; joining onto it would reach
// the root of the current drive.
std::string ShellFolder(HKEY shellFolders, const char* valueName)
{
    std::string folder;
    ReadValueText(shellFolders, valueName, registryTextSize, folder);
    return folder;
}

// Each folder in a user's profile is held while the clean-up works in it, and
// entered only when it is a folder of its own: as administrator, a junction
// there would lead the clean-up into folders its user may not touch.
void DeleteDefaultShortcut(HKEY shellFolders, const char* valueName)
{
    const std::string folder = ShellFolder(shellFolders, valueName);
    if (folder.empty()) return;
    const HeldFolder held(folder);
    const std::string path = JoinFolder(folder, ProductProfile::defaultShortcutFile, IsCodePageLeadByte);
    if (held.IsPlain() && FitsMaxPath(path) && IsPlainFile(path)) DeleteFileA(path.c_str());
}

// The group is emptied of every file, the user's own included: it carries the
// product's name.
void RemoveDefaultGroup(HKEY shellFolders, const char* valueName)
{
    const std::string folder = ShellFolder(shellFolders, valueName);
    if (folder.empty()) return;
    const HeldFolder programs(folder);
    const std::string group = JoinFolder(folder, ProductProfile::defaultGroupFolder, IsCodePageLeadByte);
    if (!programs.IsPlain() || !FitsMaxPath(group)) return;
    HeldFolder held(group);
    if (!held.IsPlain()) return;
    DeleteMatchingFiles(group, "*.*");
    held.Release();
    RemoveDirectoryA(group.c_str());
}

void RemoveDefaultsIn(HKEY shellFolders, const ShellFolderNames& names)
{
    DeleteDefaultShortcut(shellFolders, names.startup);
    DeleteDefaultShortcut(shellFolders, names.desktop);
    RemoveDefaultGroup(shellFolders, names.programs);
}

}  // namespace

void RemoveAllUsersDefaultShortcuts()
{
    RegKey shellFolders;
    if (shellFolders.Open(HKEY_LOCAL_MACHINE, ProductProfile::shellFoldersKey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return;
    RemoveDefaultsIn(shellFolders.Get(), {ProductProfile::commonStartupValue, ProductProfile::commonDesktopValue,
                                          ProductProfile::commonProgramsValue});
}

void RemovePerUserDefaultShortcuts()
{
    ForEachUserHive([](HKEY hive) {
        RegKey shellFolders;
        if (shellFolders.Open(hive, ProductProfile::shellFoldersKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return;
        RemoveDefaultsIn(shellFolders.Get(),
                         {ProductProfile::startupValue, ProductProfile::desktopValue, ProductProfile::programsValue});
    });
}
