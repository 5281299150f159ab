// The "rename" section of WININIT.INI as a block of zero-terminated
// "key=value" strings ended by an empty string: what the 9x family deletes
// at its next start.
#pragma once

#include <cstddef>
#include <string>

// The section buffer, in characters.
constexpr std::size_t bootRenameSectionSize = 16384;

// Adds "NUL=" + path as the block's last line. block holds capacity
// characters; length is the count GetPrivateProfileSectionA returned for it
// (0 for a missing or empty section). False, with the block unchanged, when
// the line would not fit or the section filled the buffer so that it may
// have been cut short: writing it back would lose lines.
bool AppendBootDeleteLine(char* block, std::size_t capacity, std::size_t length, const std::string& path);
