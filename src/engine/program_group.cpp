#include "engine/program_group.h"

#include "engine/path_utils.h"

#include <algorithm>

std::string CleanProgramGroup(const std::string& typed)
{
    std::string group = typed;
    std::replace(group.begin(), group.end(), '/', '\\');
    const char* const trimmed = " \t\r\n\\";
    std::size_t first = group.find_first_not_of(trimmed);
    if (first == std::string::npos) return std::string();
    std::size_t last = group.find_last_not_of(trimmed);
    return group.substr(first, last - first + 1);
}

std::vector<std::string> GroupFolderChain(const std::string& programsFolder, const std::string& cleanedGroup)
{
    std::vector<std::string> chain;
    const std::string base = programsFolder + "\\";
    if (!FitsMaxPath(base + cleanedGroup)) return chain;
    for (std::size_t slash = cleanedGroup.find('\\'); slash != std::string::npos;
         slash = cleanedGroup.find('\\', slash + 1))
        chain.push_back(base + cleanedGroup.substr(0, slash));
    chain.push_back(base + cleanedGroup);
    return chain;
}
