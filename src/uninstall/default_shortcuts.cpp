#include "uninstall/default_shortcuts.h"

#include "app/product_profile.h"
#include "engine/path_utils.h"
#include "framework/win_handles.h"
#include "uninstall/log_replay.h"
#include "uninstall/user_hives.h"
#include "uninstall/value_read.h"

#include <windows.h>

#include <string>

namespace {

// The names of the three shell-folder values of one scope.
struct ShellFolderNames {
    const char* startup;
    const char* desktop;
    const char* programs;
};

// A folder in a user's profile, held open without delete sharing while the
// clean-up works in it: held, it can be neither renamed nor replaced by a
// link, nor can a folder above it. As administrator, a junction there would
// lead the clean-up into folders its user may not touch.
class HeldFolder {
public:
    explicit HeldFolder(const std::string& folder)
        : path_(LinkName(folder)),
          handle_(CreateFileA(path_.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr))
    {
        // The 9x family opens no folder, and knows no links either.
        const bool nineX = (GetVersion() & 0x80000000u) != 0;
        // Looked at once held, so that what is looked at is what is worked in.
        const DWORD attributes = GetFileAttributesA(path_.c_str());
        plain_ = (handle_.IsValid() || nineX) && attributes != INVALID_FILE_ATTRIBUTES &&
                 (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == FILE_ATTRIBUTE_DIRECTORY;
    }
    // A folder of its own: not a junction, symbolic link or mount point.
    bool IsPlain() const { return plain_; }
    void Release() { handle_.Close(); }

private:
    // Without a trailing backslash, which would make the name stand for the
    // link's target. A drive root keeps its own.
    static std::string LinkName(const std::string& folder)
    {
        return folder.size() > 3 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
    }

    std::string path_;
    KernelHandle handle_;
    bool plain_ = false;
};

// An unreadable or empty value names no folder; joining onto it would reach
// the root of the current drive.
std::string ShellFolder(HKEY shellFolders, const char* valueName)
{
    std::string folder;
    ReadValueText(shellFolders, valueName, folder);
    return folder;
}

void DeleteDefaultShortcut(HKEY shellFolders, const char* valueName)
{
    const std::string folder = ShellFolder(shellFolders, valueName);
    if (folder.empty()) return;
    const HeldFolder held(folder);
    const std::string path = JoinFolder(folder, ProductProfile::defaultShortcutFile);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (held.IsPlain() && FitsMaxPath(path) && attributes != INVALID_FILE_ATTRIBUTES && (attributes & notPlain) == 0)
        DeleteFileA(path.c_str());
}

// The group is emptied of every file, the user's own included: it carries the
// product's name.
void RemoveDefaultGroup(HKEY shellFolders, const char* valueName)
{
    const std::string folder = ShellFolder(shellFolders, valueName);
    if (folder.empty()) return;
    const HeldFolder programs(folder);
    const std::string group = JoinFolder(folder, ProductProfile::defaultGroupFolder);
    if (!programs.IsPlain() || !FitsMaxPath(group)) return;
    HeldFolder held(group);
    if (!held.IsPlain()) return;
    DeleteMatchingFiles(group, "*.*");
    held.Release();  // a folder held open cannot be removed
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
