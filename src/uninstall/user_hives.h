// Every user's registry hive: the subkeys of HKEY_USERS.
#pragma once

#include <windows.h>

#include <functional>

// Calls visit with each subkey of HKEY_USERS that opens with full access, by
// index from 0 until the enumeration fails; one that does not open is skipped.
void ForEachUserHive(const std::function<void(HKEY hive)>& visit);
