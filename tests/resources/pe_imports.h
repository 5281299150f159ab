// The DLLs a Windows executable imports from, read from its file.
#pragma once

#include <string>
#include <vector>

// Names as the import directory gives them (PE32 and PE32+); empty when the
// bytes are not a well-formed executable.
std::vector<std::string> ImportedDlls(const std::string& fileBytes);
