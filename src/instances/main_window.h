// Finding the main window of a process: the window a notification or a close
// request for that process is posted to.
#pragma once

#include <windows.h>

// The first top-level window of the process, in the order EnumWindows gives,
// that has no owner, is not a tool window and is not one of the hidden
// windows DDE and OLE create ("DDE Server Window", "OleMainThreadWndName").
// Visible or not. Null when no window qualifies.
HWND FindMainWindow(DWORD processId);
