#include "core/path_utils.h"

#include "core/text.h"

#include <cstring>

std::size_t FindCharacter(const std::string& text, const char* chars, std::size_t from, LeadByteTest isLeadByte)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (isLeadByte != nullptr && isLeadByte(c) && i + 1 < text.size())
            ++i;
        else if (c != '\0' && std::strchr(chars, c) != nullptr)
            return i;
    }
    return std::string::npos;
}

std::size_t LastBackslash(const std::string& text, std::size_t end, LeadByteTest isLeadByte)
{
    const std::string head = text.substr(0, end);
    std::size_t last = std::string::npos;
    for (std::size_t at = FindCharacter(head, "\\", 0, isLeadByte); at != std::string::npos;
         at = FindCharacter(head, "\\", at + 1, isLeadByte))
        last = at;
    return last;
}

bool EndsWithBackslash(const std::string& text, LeadByteTest isLeadByte)
{
    return !text.empty() && LastBackslash(text, text.size(), isLeadByte) == text.size() - 1;
}

std::string ParentFolder(const char* path, LeadByteTest isLeadByte)
{
    if (path == nullptr) return std::string();
    const std::string folder = WithoutTrailingBackslash(path, isLeadByte);
    const std::size_t last = LastBackslash(folder, folder.size(), isLeadByte);
    if (last == std::string::npos || last == 0) return std::string();
    return folder.substr(0, last);
}

std::string FileNameOf(const std::string& path, LeadByteTest isLeadByte)
{
    std::size_t start = 0;
    for (std::size_t at = FindCharacter(path, "\\/", 0, isLeadByte); at != std::string::npos;
         at = FindCharacter(path, "\\/", at + 1, isLeadByte))
        start = at + 1;
    return path.substr(start);
}

std::string JoinFolder(const std::string& folder, const std::string& entry, LeadByteTest isLeadByte)
{
    if (EndsWithBackslash(folder, isLeadByte) && !entry.empty() && entry.front() == '\\')
        return folder + entry.substr(1);
    return folder + entry;
}

std::string WithoutTrailingBackslash(std::string folder, LeadByteTest isLeadByte)
{
    if (EndsWithBackslash(folder, isLeadByte)) folder.pop_back();
    return folder;
}

std::string WithSeparator(const std::string& folder, LeadByteTest isLeadByte)
{
    if (EndsWithBackslash(folder, isLeadByte) || (!folder.empty() && folder.back() == '/')) return folder;
    return folder + "\\";
}

std::string JoinSearchPath(const std::string& folder, const std::string& name, LeadByteTest isLeadByte)
{
    return WithSeparator(folder, isLeadByte) + name;
}

namespace {

// Windows strips a trailing "." or " " from a name, which then names a
// neighbour: "Pictrl5.exe." is "Pictrl5.exe".
bool EndsInStrippedCharacter(const std::string& name)
{
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

}  // namespace

std::string LongFormOf(const std::string& path, const std::string& longPath)
{
    return !longPath.empty() && FitsMaxPath(longPath) ? longPath : path;
}

bool IsPlainFileName(const std::string& name, LeadByteTest isLeadByte)
{
    return !name.empty() && FindCharacter(name, "\\/:", 0, isLeadByte) == std::string::npos &&
           name.find("..") == std::string::npos && !EndsInStrippedCharacter(name) &&
           !IsReservedDeviceName(name, isLeadByte);
}

bool IsReservedDeviceName(const std::string& name, LeadByteTest isLeadByte)
{
    // The part before the first dot, blanks after it ignored as Windows does.
    std::string base = ToLower(name.substr(0, FindCharacter(name, ".", 0, isLeadByte)));
    base.erase(base.find_last_not_of(' ') + 1);
    if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" || base == "conout$")
        return true;
    // COM1 to COM9 and LPT1 to LPT9; Windows takes the superscripts 1, 2
    // and 3 (code-page bytes B9, B2, B3) for digits too.
    const unsigned char last = base.size() == 4 ? static_cast<unsigned char>(base[3]) : 0;
    const bool digit = (last >= '1' && last <= '9') || last == 0xB9 || last == 0xB2 || last == 0xB3;
    return digit && (StartsWith(base, "com") || StartsWith(base, "lpt"));
}

bool IsFolderEntryName(const std::string& name, LeadByteTest isLeadByte)
{
    return !name.empty() && name != "." && name != ".." && !EndsInStrippedCharacter(name) &&
           FindCharacter(name, "\\/:?*", 0, isLeadByte) == std::string::npos;
}
