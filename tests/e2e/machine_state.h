// Reading what an installation left on the machine, in forms that two
// moments of a test can compare.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The file version of a program as "5.0.3.0"; "" when it has none.
std::string FileVersionText(const std::string& path);

// The relative paths of every file and folder below folder, sorted, one a
// line; "" for a missing or empty folder.
std::string DescribeFolderTree(const std::string& folder);

// The lines of a text, CR LF cut.
std::vector<std::string> TextLines(const std::string& text);
// The lines of a text file, CR LF cut.
std::vector<std::string> FileLines(const std::string& path);
