// Removing the product's registry entries.
#pragma once

#include <windows.h>

// Deletes subkey of root with everything below it. True when the subkey
// itself was deleted.
bool DeleteKeyTree(HKEY root, const char* subkey);

// Deletes subkey of root when it has no subkeys; its values do not matter.
void DeleteKeyIfNoSubkeys(HKEY root, const char* subkey);

// Deletes the product key under the vendor key (on the machine and in every
// user's hive), the vendor key when no other product is left under it, the
// document type, the Add/Remove Programs entry and the App Paths entry.
void RemoveProductRegistry(const char* vendor, const char* product, const char* uninstallEntry,
                           const char* appPath);
