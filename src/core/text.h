// Text helpers every part shares. Letters are folded A-Z only, byte by byte,
// as the file system compares names of the ANSI code page. Win32-free.
#pragma once

#include <string>

std::string ToLower(std::string text);
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
bool StartsWith(const std::string& text, const std::string& prefix);
bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix);
