#include "win/plain_entries.h"

#include "core/path_utils.h"
#include "win/code_page.h"

#include <windows.h>

namespace {

constexpr DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

// Without a trailing backslash, which would make the name stand for the
// link's target. A drive root keeps its own.
std::string LinkName(const std::string& folder)
{
    return folder.size() > 3 ? WithoutTrailingBackslash(folder, IsCodePageLeadByte) : folder;
}

}  // namespace

HeldFolder::HeldFolder(const std::string& folder)
{
    const std::string path = LinkName(folder);
    handle_.Attach(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    // The 9x family opens no folder, and knows no links either.
    const bool nineX = (GetVersion() & 0x80000000u) != 0;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    plain_ = (handle_.IsValid() || nineX) && attributes != INVALID_FILE_ATTRIBUTES &&
             (attributes & notPlain) == FILE_ATTRIBUTE_DIRECTORY;
}

bool IsPlainFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & notPlain) == 0;
}
