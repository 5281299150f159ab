// The program group as typed by the user, made fit for use. Win32-free.
#pragma once

#include "core/path_utils.h"

#include <string>
#include <vector>

// Every "/" becomes "\"; then blanks, tabs, CR, LF and "\" are removed from
// the start and then from the end.
std::string CleanProgramGroup(const std::string& typed, LeadByteTest isLeadByte);

// The folders of a cleaned group below the Programs folder, outermost first:
// one for each "\" (the text before it), then the whole group. None when the
// group's folder does not fit MAX_PATH: its "Made Dir: " line and its
// shortcuts' "Shell Link: " lines then could not fit the 512 bytes the log
// reader takes a line in, and a line split in two may read as a tagged line.
// None either for a group that is no group name (IsGroupName).
// A group holding ".." would reach outside the Programs folder.
bool IsGroupName(const std::string& cleanedGroup);

std::vector<std::string> GroupFolderChain(const std::string& programsFolder, const std::string& cleanedGroup,
                                          LeadByteTest isLeadByte);
