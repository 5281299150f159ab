// String values written to the registry as REG_SZ (win/registry_text.h reads them).
#pragma once

#include <windows.h>

#include <string>

// Creates subkey (and every missing key on its path) and sets valueName (null:
// the default value) to text as REG_SZ, its terminating zero counted. True
// when the value was written.
bool WriteRegistryString(HKEY root, const char* subkey, const char* valueName, const char* text);
