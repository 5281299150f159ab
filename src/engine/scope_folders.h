// The shell folders of the installation's scope, and the existence test the
// install steps share.
#pragma once

#include <string>

// A shell folder of the scope setupState.allUsers names: the "Common" value
// under HKEY_LOCAL_MACHINE for all users, the user's own value under
// HKEY_CURRENT_USER otherwise; "" when it cannot be read.
std::string ReadScopeShellFolder(const char* commonValue, const char* userValue);

// True when a file or folder exists at path.
bool PathExists(const std::string& path);
