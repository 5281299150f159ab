// The folder holding a path, read with the lead bytes of the ANSI code page
// this machine uses.
#pragma once

#include <string>

// The ANSI code page's own lead-byte test, for the path helpers.
bool IsAnsiLeadByte(unsigned char c);

// As ParentFolder(path, isLeadByte) in engine/path_utils.h, with the code
// page's own lead-byte test. A null path gives "".
std::string ParentFolder(const char* path);
