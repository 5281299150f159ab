#include "uninstall/log_replay.h"

#include "core/folder_containment.h"
#include "core/install_log.h"
#include "core/name_index.h"
#include "core/path_utils.h"
#include "core/removal_entries.h"
#include "core/setup_state.h"
#include "engine/reboot_delete.h"
#include "engine/scope_folders.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/folder_entries.h"
#include "win/handles.h"

#include <windows.h>

namespace {

// Removes folder, then its parents one after the other, until a removal fails
// (a folder that is not empty or not there) or levels folders are gone: the
// shell folder it lies in stays.
void RemoveFolderChain(std::string folder, std::size_t levels)
{
    for (; levels > 0 && FitsMaxPath(folder) && RemoveDirectoryA(folder.c_str()); --levels)
        folder = ParentFolder(folder.c_str(), IsCodePageLeadByte);
}

// A file that will not go now (in use, say) goes at the next start, which
// the run then says it needs; one that can do neither is named.
void DeleteOneMatch(const std::string& path, int& count)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    if (DeleteFileA(path.c_str())) {
        ++count;
        return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && DeleteAtReboot(path))
        setupState.restartNeeded = 1;
    else
        TraceIncomplete("delete file", path, error);
}

}  // namespace

void RemoveLoggedLinksAndFolders(const std::string& logPath)
{
    if (!FitsMaxPath(logPath)) return;
    // A log is data another user may have written: it reaches no further
    // than the shell folders the setup itself makes shortcuts in.
    const std::vector<std::string> shellFolders = SetupShellFolders();
    std::string path;
    std::size_t depth = 0;
    // All shortcuts first, so that a group folder they emptied goes below.
    const bool read = ForEachLogLine(logPath, [&](const std::string& line) {
        if (!ShortcutToRemove(line, path) || !FitsMaxPath(path) ||
            !LiesInsideOneOf(shellFolders, path, IsCodePageLeadByte, depth) || DeleteFileA(path.c_str()))
            return;
        // One the user deleted himself is no failure.
        if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
            TraceLastError("delete shortcut", path);
    });
    if (!read) return;
    ForEachLogLine(logPath, [&](const std::string& line) {
        if (FolderToRemove(line, path) && LiesInsideOneOf(shellFolders, path, IsCodePageLeadByte, depth))
            RemoveFolderChain(path, depth);
    });
}

void RemoveLoggedFiles(const std::string& logPath, const std::string& folder, const char* tag)
{
    if (!FitsMaxPath(logPath)) return;
    std::string pattern;
    ForEachLogLine(logPath, [&](const std::string& line) {
        if (FilePatternToRemove(line, tag, pattern, IsCodePageLeadByte)) DeleteMatchingFiles(folder, pattern);
    });
}

int DeleteMatchingFiles(const std::string& folder, const std::string& pattern)
{
    // A plain name is the one file it can match: deleted at once, the search
    // and attribute calls are left for one that will not go (read-only, in
    // use, a folder, not there).
    const std::string plainPath = JoinSearchPath(folder, pattern, IsCodePageLeadByte);
    if (FitsMaxPath(plainPath) && IsIndexableName(pattern) && DeleteFileA(plainPath.c_str())) return 1;
    int count = 0;
    for (FolderEntries found(folder, pattern); found.Next();) {
        // Subfolders are not ours to change, nor is a link: changing its
        // attributes would change its target's.
        if (found.IsFolder() || found.IsLink()) continue;
        const std::string path = JoinSearchPath(folder, found.Name(), IsCodePageLeadByte);
        if (FitsMaxPath(path)) DeleteOneMatch(path, count);
    }
    return count;
}
