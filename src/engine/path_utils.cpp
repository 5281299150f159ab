#include "engine/path_utils.h"

#include <cstring>

namespace {

// The offset of the last backslash before end that is a character of its
// own, not the second byte of a double-byte character; npos when none.
std::size_t LastBackslashBefore(const char* text, std::size_t end, LeadByteTest isLeadByte)
{
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < end; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte != nullptr && isLeadByte(c) && i + 1 < end) {
            ++i;
        } else if (c == '\\') {
            last = i;
        }
    }
    return last;
}

bool EndsWithSeparator(const std::string& folder)
{
    return !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
}

}  // namespace

std::string ParentFolder(const char* path, LeadByteTest isLeadByte)
{
    if (path == nullptr) return std::string();
    std::size_t end = std::strlen(path);
    if (end > 0 && LastBackslashBefore(path, end, isLeadByte) == end - 1) --end;
    std::size_t last = LastBackslashBefore(path, end, isLeadByte);
    if (last == std::string::npos || last == 0) return std::string();
    return std::string(path, last);
}

std::string FileNameOf(const std::string& path, LeadByteTest isLeadByte)
{
    std::size_t last = LastBackslashBefore(path.c_str(), path.size(), isLeadByte);
    return last == std::string::npos ? path : path.substr(last + 1);
}

std::string JoinFolder(const std::string& folder, const std::string& entry)
{
    if (!folder.empty() && folder.back() == '\\' && !entry.empty() && entry.front() == '\\')
        return folder + entry.substr(1);
    return folder + entry;
}

std::string WithoutTrailingBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string JoinSearchPath(const std::string& folder, const std::string& name)
{
    return WithSeparator(folder) + name;
}

std::string WithSeparator(const std::string& folder)
{
    return EndsWithSeparator(folder) ? folder : folder + "\\";
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}
