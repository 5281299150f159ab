// The program's one reader of registry texts.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The text of value name (null: the default value) of an open key, whatever
// its type, up to its first zero, read into a buffer of bufferSize bytes.
// False, with text empty, when the value is missing, does not fit the
// buffer, or fills it without a terminating zero.
bool ReadValueText(HKEY key, const char* name, std::size_t bufferSize, std::string& text);

// The same for a value of root\subkey read into a MAX_PATH buffer, as the
// installer reads its paths; "" when the key or value is missing or the text
// does not fit.
std::string ReadRegistryString(HKEY root, const char* subkey, const char* valueName);
