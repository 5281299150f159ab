// The stand-in's main window: records the notifications it gets and ends the
// program on WM_CLOSE, unless it is busy: then it records the request only.
#pragma once

#include <windows.h>

HWND CreateStandInWindow(HINSTANCE instance, bool busy);
