// Driving real dialogs from another thread or process, as a user would:
// find windows by caption, read their controls, click buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

constexpr DWORD defaultTimeoutMs = 10000;

// Polls condition until it holds or timeoutMs has passed; true when it held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = defaultTimeoutMs);

// A visible top-level window with exactly this caption that is not a
// message box; of processId only, unless it is 0.
HWND FindTopWindow(const std::string& caption, DWORD processId = 0);
HWND WaitForTopWindow(const std::string& caption, DWORD processId = 0, DWORD timeoutMs = defaultTimeoutMs);

// A visible message box with this caption: a dialog of statics and buttons
// only, with a text.
HWND FindMessageBox(const std::string& caption, DWORD processId = 0);
HWND WaitForMessageBox(const std::string& caption, DWORD processId = 0, DWORD timeoutMs = defaultTimeoutMs);

// A visible top-level dialog owned by owner (the shell's folder dialog, say).
HWND FindOwnedDialog(HWND owner);
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = defaultTimeoutMs);

// The first child dialog of a window (a wizard's current page), or none.
HWND ChildDialog(HWND parent);

std::string Text(HWND window);
std::string ItemText(HWND parent, int id);
bool ItemVisible(HWND parent, int id);  // IsWindowVisible: the item and its parents
bool ItemEnabled(HWND parent, int id);
int ItemCheck(HWND parent, int id);     // BST_ value; -1 when the item is missing

// Clicks a button as a user can: only a visible, enabled one. The click is
// posted, so a handler that opens a modal box does not hold the caller.
bool Click(HWND parent, int id);

enum class BoxIcon { none, exclamation, question, hand, asterisk, other };

struct MessageBoxContent {
    std::string caption;
    std::string text;
    std::vector<int> buttonIds;           // in the controls' order
    std::vector<std::string> buttonTexts;
    int defaultButton = 0;                // the id of the default push button
    BoxIcon icon = BoxIcon::none;
    HWND owner = nullptr;
};

MessageBoxContent ReadMessageBox(HWND box);
// Clicks the box's button buttonId and waits for the box to go.
bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs = defaultTimeoutMs);

}  // namespace ui
