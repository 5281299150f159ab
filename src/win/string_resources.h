// Texts of the program's string table.
#pragma once

#include <windows.h>

#include <string>

// The string with id from the program's own resources; "" when missing.
std::string LoadResourceString(UINT id);
