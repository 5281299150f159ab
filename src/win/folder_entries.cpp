#include "win/folder_entries.h"

#include "core/path_utils.h"
#include "win/code_page.h"

#include <vector>

namespace {

// Zero-ended; no std::wstring, which would bring its whole library
// instantiation into setup.exe.
std::vector<wchar_t> Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(n > 0 ? n : 1, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    return wide;
}

// The name in the code page, or "?" where it holds a character the code page
// does not: the narrow search would give a best-fit look-alike ("∕" as "/",
// "Ｐ" as "P"), a name of another file or none.
template <std::size_t Size>
void NarrowName(const wchar_t* name, char (&narrow)[Size])
{
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, narrow, Size, nullptr, &lossy);
    if (n == 0 || lossy) lstrcpynA(narrow, "?", Size);
}

}  // namespace

FolderEntries::FolderEntries(const std::string& folder, const std::string& pattern, std::size_t capacity)
{
    const std::string searchPath = JoinSearchPath(folder, pattern, IsCodePageLeadByte);
    if (searchPath.size() >= capacity) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);  // what a trace of the failure says
        return;
    }
    search_.Attach(FindFirstFileW(Wide(searchPath).data(), &wideEntry_));
    // The 9x family has no wide search, and no names beyond its code page.
    if (!search_.IsValid() && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        narrow_ = true;
        search_.Attach(FindFirstFileA(searchPath.c_str(), &entry_));
    }
    // No folder, or nothing that matches: the search is at its end.
    const DWORD error = GetLastError();
    finished_ = !search_.IsValid() && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
}

bool FolderEntries::Advance()
{
    if (!search_.IsValid()) return false;
    if (started_ && !(narrow_ ? FindNextFileA(search_.Get(), &entry_) : FindNextFileW(search_.Get(), &wideEntry_))) {
        finished_ = GetLastError() == ERROR_NO_MORE_FILES;
        const DWORD error = GetLastError();
        search_.Close();
        SetLastError(error);
        return false;
    }
    started_ = true;
    if (narrow_) return true;
    entry_.dwFileAttributes = wideEntry_.dwFileAttributes;
    entry_.ftCreationTime = wideEntry_.ftCreationTime;
    entry_.ftLastAccessTime = wideEntry_.ftLastAccessTime;
    entry_.ftLastWriteTime = wideEntry_.ftLastWriteTime;
    entry_.nFileSizeHigh = wideEntry_.nFileSizeHigh;
    entry_.nFileSizeLow = wideEntry_.nFileSizeLow;
    NarrowName(wideEntry_.cFileName, entry_.cFileName);
    NarrowName(wideEntry_.cAlternateFileName, entry_.cAlternateFileName);
    return true;
}

bool FolderEntries::Next()
{
    while (Advance()) {
        if (IsFolderEntryName(entry_.cFileName, IsCodePageLeadByte)) return true;
    }
    return false;
}
