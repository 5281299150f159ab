// The program group of an earlier installation, derived from the shortcut
// paths its log recorded. Win32-free.
#pragma once

#include "core/path_utils.h"

#include <string>

class EarlierGroupFinder {
public:
    // programsFolder and startupFolder as read from the shell folders of the
    // earlier installation's scope; either may be empty.
    EarlierGroupFinder(const std::string& programsFolder, const std::string& startupFolder, LeadByteTest isLeadByte);

    // Offers one "Shell Link: " path; a link inside the Programs folder (and
    // not in the Startup folder) makes its folder the group, unless that
    // holds "..".
    void OfferLink(const std::string& linkPath);

    bool Found() const { return found_; }
    const std::string& Group() const { return group_; }

private:
    LeadByteTest isLeadByte_;
    std::string programs_;
    std::string startup_;  // "" if none
    bool found_ = false;
    std::string group_;
};
