// The folder holding a path, read with the lead bytes of the ANSI code page
// this machine uses.
#pragma once

#include <string>

// As ParentFolder(path, isLeadByte) in engine/path_utils.h, with the code
// page's own lead-byte test. A null path gives "".
std::string ParentFolder(const char* path);
