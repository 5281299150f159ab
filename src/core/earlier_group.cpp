#include "core/earlier_group.h"

#include "core/folder_containment.h"
#include "core/program_group.h"

#include <vector>

EarlierGroupFinder::EarlierGroupFinder(const std::string& programsFolder, const std::string& startupFolder,
                                       LeadByteTest isLeadByte)
    : isLeadByte_(isLeadByte), programs_(programsFolder), startup_(startupFolder)
{
}

void EarlierGroupFinder::OfferLink(const std::string& linkPath)
{
    // A log is data another user may have written: only a link that lies
    // inside the Programs folder, entry by entry, says anything.
    std::vector<std::string> entries;
    if (!EntriesBelow(programs_, linkPath, isLeadByte_, entries) || entries.empty()) return;
    // The Startup folder lies inside the Programs folder on every Windows; an
    // auto-start shortcut there says nothing about the group.
    std::vector<std::string> inStartup;
    if (EntriesBelow(startup_, linkPath, isLeadByte_, inStartup)) return;
    entries.pop_back();  // the link's own name
    std::string group;
    for (const std::string& entry : entries) group += (group.empty() ? "" : "\\") + entry;
    if (!IsGroupName(group)) return;
    group_ = group;
    found_ = true;
}
