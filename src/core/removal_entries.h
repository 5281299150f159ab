// What a line of an installation log asks the uninstaller to delete, decided
// without touching the machine so that a damaged or hostile log can be judged
// before anything goes.
#pragma once

#include "core/path_utils.h"

#include <string>

// For a line of one of the file tags (tag, or any of "File Copy: ",
// "File Overwrite: " and "File Del: " when tag is null): the name or pattern
// of the files to delete from the installation folder. The annotation after
// " | " is dropped and a pair gives its installed name. False for other lines
// and for names with a folder part, which would reach outside the folder.
bool FilePatternToRemove(const std::string& line, const char* tag, std::string& pattern, LeadByteTest isLeadByte);

// For a "Shell Link: " line: the shortcut file to delete. Only a path ending
// in ".lnk" (any case) qualifies; the log can name no other kind of file.
bool ShortcutToRemove(const std::string& line, std::string& path);

// For a "Made Dir: " line: the folder whose removal starts the chain.
bool FolderToRemove(const std::string& line, std::string& folder);
