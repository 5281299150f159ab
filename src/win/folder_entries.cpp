#include "win/folder_entries.h"

#include "core/path_utils.h"
#include "win/code_page.h"

FolderEntries::FolderEntries(const std::string& folder, const std::string& pattern, std::size_t capacity)
{
    const std::string searchPath = JoinSearchPath(folder, pattern, IsCodePageLeadByte);
    if (searchPath.size() < capacity)
        search_.Attach(FindFirstFileA(searchPath.c_str(), &entry_));
    else
        SetLastError(ERROR_FILENAME_EXCED_RANGE);  // what a trace of the failure says
}

bool FolderEntries::Advance()
{
    if (!search_.IsValid()) return false;
    if (!started_) return started_ = true;
    return FindNextFileA(search_.Get(), &entry_) != FALSE;
}

bool FolderEntries::Next()
{
    while (Advance()) {
        if (IsFolderEntryName(entry_.cFileName, IsCodePageLeadByte)) return true;
    }
    return false;
}
