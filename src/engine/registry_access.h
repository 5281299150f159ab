// Values in the registry: strings read into a MAX_PATH buffer and written as
// REG_SZ, numbers written as REG_DWORD. A value not written is traced.
#pragma once

#include <windows.h>

#include <string>

// The value's text up to its first zero byte, whatever its type; "" when the
// key or value is missing or the data does not fit 260 bytes. A null
// valueName reads the key's default value.
std::string ReadRegistryString(HKEY root, const char* subkey, const char* valueName);

// Creates subkey (and every missing key on its path) and sets valueName (null:
// the default value) to text as REG_SZ, its terminating zero counted. True
// when the value was written.
bool WriteRegistryString(HKEY root, const char* subkey, const char* valueName, const char* text);

// The same for a number, as REG_DWORD.
bool WriteRegistryDword(HKEY root, const char* subkey, const char* valueName, DWORD number);
