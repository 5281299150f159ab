// The framework's message-box service: every box of the program that does
// not call MessageBoxA itself.
#pragma once

#include <windows.h>

#include <string>

// Shows text with the application title as caption; an OK, OK/Cancel,
// Yes/No or Yes/No/Cancel box that names no icon gets the exclamation icon.
// The box belongs to the thread's active window, if there is one, so that
// the window is disabled while the box is up. Returns the button's id
// (0 when the box could not be shown).
int AppMessageBox(const std::string& text, UINT type);
