// How the uninstaller reads a registry value: into a scratch buffer of 512
// bytes, so a longer value fails to read.
#pragma once

#include <windows.h>

#include <string>

constexpr DWORD registryTextSize = 512;

// The text of value name (null: the default value) of an open key, up to its
// first zero. False, with text empty, when the value is missing, does not fit
// the buffer, or fills it without a terminating zero.
bool ReadValueText(HKEY key, const char* name, std::string& text);
