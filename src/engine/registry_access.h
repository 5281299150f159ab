// Values written to the registry: strings as REG_SZ, numbers as REG_DWORD
// (win/registry_text.h reads them). A value not written is traced.
#pragma once

#include <windows.h>

#include <string>

// Creates subkey (and every missing key on its path) and sets valueName (null:
// the default value) to text as REG_SZ, its terminating zero counted. True
// when the value was written.
bool WriteRegistryString(HKEY root, const char* subkey, const char* valueName, const char* text);

// The same for a number, as REG_DWORD.
bool WriteRegistryDword(HKEY root, const char* subkey, const char* valueName, DWORD number);
