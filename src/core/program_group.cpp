#include "core/program_group.h"

#include <algorithm>
#include <cstring>

std::string CleanProgramGroup(const std::string& typed, LeadByteTest isLeadByte)
{
    std::string group = typed;
    std::replace(group.begin(), group.end(), '/', '\\');
    const char* const trimmed = " \t\r\n\\";
    std::size_t first = 0;
    while (first < group.size() && std::strchr(trimmed, group[first]) != nullptr) ++first;
    // The end of the last character kept; a double-byte character always is.
    std::size_t end = first;
    for (std::size_t i = first; i < group.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(group[i]);
        if (isLeadByte != nullptr && isLeadByte(c) && i + 1 < group.size())
            end = ++i + 1;
        else if (c == '\0' || std::strchr(trimmed, c) == nullptr)
            end = i + 1;
    }
    return group.substr(first, end - first);
}

bool IsGroupName(const std::string& cleanedGroup)
{
    return cleanedGroup.find("..") == std::string::npos;
}

std::vector<std::string> GroupFolderChain(const std::string& programsFolder, const std::string& cleanedGroup,
                                          LeadByteTest isLeadByte)
{
    std::vector<std::string> chain;
    const std::string base = programsFolder + "\\";
    if (!FitsMaxPath(base + cleanedGroup) || !IsGroupName(cleanedGroup)) return chain;
    for (std::size_t slash = FindCharacter(cleanedGroup, "\\", 0, isLeadByte); slash != std::string::npos;
         slash = FindCharacter(cleanedGroup, "\\", slash + 1, isLeadByte))
        chain.push_back(base + cleanedGroup.substr(0, slash));
    chain.push_back(base + cleanedGroup);
    return chain;
}
