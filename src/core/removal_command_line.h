// The command line on which the uninstaller starts its temporary copy.
#pragma once

#include <string>

// path as one argument: in double quotes when it holds a blank or a tab.
std::string QuotedArgument(const std::string& path);

// copyPath, "-delself", uninstallerPath and, when silent, "-s", joined by
// single blanks, each path quoted as needed. False when a path with its
// quotes would not fit a MAX_PATH buffer.
bool BuildRemovalCommandLine(const std::string& copyPath, const std::string& uninstallerPath, bool silent,
                             std::string& commandLine);
