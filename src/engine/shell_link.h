// Shortcut files made through the shell's link object, each recorded in the
// installation log.
#pragma once

#include <windows.h>

#include <cstdint>

// 1 once COM has been initialised for the program's thread; it is never
// uninitialised again.
extern std::int32_t comInitialized;

// Writes the shortcut linkPath to target (a quoted target is stored bare)
// with description, showCommand (an SW_ value), and arguments and
// workingFolder when not null. A failing SetPath or SetDescription shows a
// message and the work goes on. After a successful save appends
// "Shell Link: " + linkPath, as given, to the destination folder's
// installation log. Returns the HRESULT of the last step reached: the
// creation's failure or the save's result.
HRESULT CreateShellLink(const char* target, const char* linkPath, const char* description, int showCommand,
                        const char* arguments, const char* workingFolder);
