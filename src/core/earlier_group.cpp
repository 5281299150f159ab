#include "core/earlier_group.h"

#include <algorithm>
#include <cctype>

namespace {

std::string ToLower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The group is the folder of the link relative to the Programs folder: one
// trailing backslash removed, the part before the last backslash, or "".
std::string GroupOfRelativeLink(std::string relative)
{
    if (!relative.empty() && relative.back() == '\\') relative.pop_back();
    std::size_t slash = relative.rfind('\\');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

}  // namespace

std::string LowerFolderPrefix(const std::string& folder)
{
    std::string prefix = ToLower(folder);
    if (prefix.empty() || prefix.back() != '\\') prefix += '\\';
    return prefix;
}

EarlierGroupFinder::EarlierGroupFinder(const std::string& programsFolder, const std::string& startupFolder)
    : prefix_(LowerFolderPrefix(programsFolder)),
      startupPrefix_(startupFolder.empty() ? std::string() : LowerFolderPrefix(startupFolder))
{
}

void EarlierGroupFinder::OfferLink(const std::string& linkPath)
{
    const std::string lower = ToLower(linkPath);
    if (!StartsWith(lower, prefix_)) return;
    // The Startup folder lies inside the Programs folder on every Windows; an
    // auto-start shortcut there says nothing about the group.
    if (!startupPrefix_.empty() && StartsWith(lower, startupPrefix_)) return;
    group_ = GroupOfRelativeLink(linkPath.substr(prefix_.size()));
    found_ = true;
}
