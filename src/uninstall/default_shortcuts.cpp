#include "uninstall/default_shortcuts.h"

#include "core/folder_containment.h"
#include "core/product_profile.h"
#include "uninstall/user_hives.h"
#include "win/code_page.h"
#include "win/handles.h"
#include "win/held_folder.h"
#include "win/registry_text.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

// The names of the three shell-folder values of one scope.
struct ShellFolderNames {
    const char* startup;
    const char* desktop;
    const char* programs;
};

// A shell folder, held. The machine's own values are taken as they are. A
// user's values are that user's to write: one counts only when it lies inside
// the user's profile folder, and is then entered from the profile level by
// level, none of them a link (see HeldFolder). An unreadable or empty value
// names no folder; joining onto it would reach the root of the current drive.
HeldFolder OpenShellFolder(HKEY shellFolders, const char* valueName, const std::string& profile)
{
    std::string folder;
    ReadValueText(shellFolders, valueName, registryTextSize, folder);
    if (folder.empty() || profile.empty()) return HeldFolder(folder);
    std::vector<std::string> entries;
    if (!EntriesBelow(profile, folder, IsCodePageLeadByte, entries)) return HeldFolder(std::string());
    HeldFolder held(profile);
    for (const std::string& entry : entries)
        if (!held.Enter(entry)) break;
    return held;
}

// The group is emptied of every file, the user's own included: it carries the
// product's name.
void RemoveDefaultsIn(HKEY shellFolders, const ShellFolderNames& names, const std::string& profile)
{
    for (const char* valueName : {names.startup, names.desktop})
        OpenShellFolder(shellFolders, valueName, profile).DeletePlainFile(ProductProfile::defaultShortcutName);
    HeldFolder programs = OpenShellFolder(shellFolders, names.programs, profile);
    if (!programs.Enter(ProductProfile::defaultGroupName)) return;
    programs.DeletePlainFiles();
    programs.RemoveCurrent();
}

constexpr ShellFolderNames userNames = {ProductProfile::startupValue, ProductProfile::desktopValue,
                                        ProductProfile::programsValue};

}  // namespace

void RemoveAllUsersDefaultShortcuts()
{
    RegKey shellFolders;
    if (shellFolders.Open(HKEY_LOCAL_MACHINE, ProductProfile::shellFoldersKey, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return;
    RemoveDefaultsIn(shellFolders.Get(),
                     {ProductProfile::commonStartupValue, ProductProfile::commonDesktopValue,
                      ProductProfile::commonProgramsValue},
                     std::string());
}

void RemovePerUserDefaultShortcuts()
{
    RegKey shellFolders;
    if (!HeldFolder::WorksThroughHandles()) {
        // Other users' folders cannot be worked in safely without handles:
        // only the current user's own are.
        if (shellFolders.Open(HKEY_CURRENT_USER, ProductProfile::shellFoldersKey, KEY_QUERY_VALUE) == ERROR_SUCCESS)
            RemoveDefaultsIn(shellFolders.Get(), userNames, std::string());
        return;
    }
    ForEachUserHive([&](HKEY hive, const std::string& name) {
        const std::string profile = ProfileFolderOf(name);
        if (!profile.empty() &&
            shellFolders.Open(hive, ProductProfile::shellFoldersKey, KEY_ALL_ACCESS) == ERROR_SUCCESS)
            RemoveDefaultsIn(shellFolders.Get(), userNames, profile);
    });
}
