#include "uninstall/log_replay.h"

#include "engine/failure_trace.h"
#include "engine/install_log.h"
#include "engine/parent_folder.h"
#include "engine/path_utils.h"
#include "framework/win_handles.h"
#include "uninstall/removal_entries.h"

#include <windows.h>

namespace {

// Removes folder, then its parents one after the other, until a removal fails
// (a folder that is not empty or not there, or no parent left).
void RemoveFolderChain(std::string folder)
{
    while (!folder.empty() && FitsMaxPath(folder) && RemoveDirectoryA(folder.c_str()))
        folder = ParentFolder(folder.c_str());
}

void DeleteOneMatch(const std::string& path, int& count)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesA(path.c_str(), attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    if (DeleteFileA(path.c_str()))
        ++count;
    else
        TraceLastError("delete file", path);
}

}  // namespace

void RemoveLoggedLinksAndFolders(const std::string& logPath)
{
    if (!FitsMaxPath(logPath)) return;
    LogLineReader log(logPath);
    if (!log.IsOpen()) return;
    std::string line;
    std::string path;
    // All shortcuts first, so that a group folder they emptied goes below.
    while (log.Next(line)) {
        if (!ShortcutToRemove(line, path) || !FitsMaxPath(path) || DeleteFileA(path.c_str())) continue;
        // One the user deleted himself is no failure.
        if (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND)
            TraceLastError("delete shortcut", path);
    }
    log.Rewind();
    while (log.Next(line)) {
        if (FolderToRemove(line, path)) RemoveFolderChain(path);
    }
}

void RemoveLoggedFiles(const std::string& logPath, const std::string& folder, const char* tag)
{
    if (!FitsMaxPath(logPath)) return;
    LogLineReader log(logPath);
    if (!log.IsOpen()) return;
    std::string line;
    std::string pattern;
    while (log.Next(line)) {
        if (FilePatternToRemove(line, tag, pattern)) DeleteMatchingFiles(folder, pattern);
    }
}

int DeleteMatchingFiles(const std::string& folder, const std::string& pattern)
{
    std::string searchPath = JoinSearchPath(folder, pattern);
    if (!FitsMaxPath(searchPath)) return 0;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(searchPath.c_str(), &found));
    if (!search.IsValid()) return 0;
    int count = 0;
    do {
        // "." and ".." match "*.*": their attributes are the folders' own and
        // a folder above, which are not ours to change.
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::string path = JoinSearchPath(folder, found.cFileName);
        if (FitsMaxPath(path)) DeleteOneMatch(path, count);
    } while (FindNextFileA(search.Get(), &found));
    return count;
}
