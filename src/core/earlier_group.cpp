#include "core/earlier_group.h"

#include "core/text.h"

namespace {

// The lower-case folder followed by one backslash (an empty folder gives "\").
std::string LowerFolderPrefix(const std::string& folder, LeadByteTest isLeadByte)
{
    const std::string prefix = ToLower(folder);
    return EndsWithBackslash(prefix, isLeadByte) ? prefix : prefix + '\\';
}

}  // namespace

EarlierGroupFinder::EarlierGroupFinder(const std::string& programsFolder, const std::string& startupFolder,
                                       LeadByteTest isLeadByte)
    : isLeadByte_(isLeadByte), prefix_(LowerFolderPrefix(programsFolder, isLeadByte)),
      startupPrefix_(startupFolder.empty() ? std::string() : LowerFolderPrefix(startupFolder, isLeadByte))
{
}

void EarlierGroupFinder::OfferLink(const std::string& linkPath)
{
    const std::string lower = ToLower(linkPath);
    if (!StartsWith(lower, prefix_)) return;
    // The Startup folder lies inside the Programs folder on every Windows; an
    // auto-start shortcut there says nothing about the group.
    if (!startupPrefix_.empty() && StartsWith(lower, startupPrefix_)) return;
    // The folder of the link relative to the Programs folder: one trailing
    // backslash removed, the part before the last backslash, or "".
    const std::string relative = WithoutTrailingBackslash(linkPath.substr(prefix_.size()), isLeadByte_);
    const std::size_t slash = LastBackslash(relative, relative.size(), isLeadByte_);
    group_ = slash == std::string::npos ? std::string() : relative.substr(0, slash);
    found_ = true;
}
