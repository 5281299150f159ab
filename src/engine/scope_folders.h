// The shell folders of the installation's scope, and the existence test the
// install steps share.
#pragma once

#include <string>
#include <vector>

// A shell folder of the scope setupState.allUsers names: the "Common" value
// under HKEY_LOCAL_MACHINE for all users, the user's own value under
// HKEY_CURRENT_USER otherwise; "" when it cannot be read.
std::string ReadScopeShellFolder(const char* commonValue, const char* userValue);

// True when a file or folder exists at path.
bool PathExists(const std::string& path);
// True when path is a junction, symbolic link or mount point.
bool IsLink(const std::string& path);

// The shell folders the setup itself makes shortcuts and groups in: the
// Programs, Desktop and Startup folders of the current user and of all
// users, those that can be read. Only inside them does a log's "Shell Link: "
// or "Made Dir: " line count.
std::vector<std::string> SetupShellFolders();
