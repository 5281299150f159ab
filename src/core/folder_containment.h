// Whether a path lies inside a folder, and through which entries: what lets
// the setup act on a path another user may have written (a shell-folder value
// of a user's hive, a line of a log) only inside the folder it belongs to.
// Win32-free.
#pragma once

#include "core/path_utils.h"

#include <cstddef>
#include <string>
#include <vector>

// True when path is folder itself or lies inside it: folder (letters A to Z
// folded, with or without its trailing backslash), a backslash, then entries
// that are each a name a folder can hold (IsFolderEntryName: no ".", "..",
// empty name, nor one that Windows would read as another). entries receives
// them, outermost first; a trailing backslash of path adds none.
// "C:\Users\Ann2" does not lie inside "C:\Users\Ann".
bool EntriesBelow(const std::string& folder, const std::string& path, LeadByteTest isLeadByte,
                  std::vector<std::string>& entries);

// True when path lies inside one of folders, below it and not the folder
// itself; depth receives how many entries below. Empty folders name none.
bool LiesInsideOneOf(const std::vector<std::string>& folders, const std::string& path, LeadByteTest isLeadByte,
                     std::size_t& depth);

// A user's profile folder from the profile list's value: "%SystemDrive%" at
// its start becomes systemDrive ("C:"). Any other variable, or a value that
// is not a full path from a drive letter ("C:\..."), names none: "".
std::string ProfileFolderPath(const std::string& value, const std::string& systemDrive);
