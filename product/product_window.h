// The stand-in's main window: records the notifications it gets and ends the
// program on WM_CLOSE.
#pragma once

#include <windows.h>

HWND CreateStandInWindow(HINSTANCE instance);
