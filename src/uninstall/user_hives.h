// Every user's registry hive: the subkeys of HKEY_USERS.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Calls visit with each subkey of HKEY_USERS that opens with full access, and
// its name (the user's SID for a user's hive), by index from 0 until the
// enumeration fails; one that does not open is skipped.
void ForEachUserHive(const std::function<void(HKEY hive, const std::string& name)>& visit);

// The profile folder of the user with that SID, as the machine's profile list
// names it; "" when it names none (".Default", a classes hive, no entry).
std::string ProfileFolderOf(const std::string& sid);
