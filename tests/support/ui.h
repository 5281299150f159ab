// Driving real windows as a user would, from another thread or process: finding them, reading controls and
// message boxes, clicking, and walking the setup wizard. Free of GoogleTest.
#pragma once

#include "support/machine.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

// A visible top-level window of process (0: any) with this caption: a message box (a dialog of statics and
// buttons only) or anything else.
HWND Find(const std::string& caption, DWORD process, bool box, DWORD timeoutMs = 30000);
HWND OwnedDialog(HWND owner);  // the shell's folder dialog, say

std::string Text(HWND window);  // also across processes, and a combo box's edit field
std::string Text(HWND parent, int id);
bool Visible(HWND parent, int id);
bool Enabled(HWND parent, int id);
int Check(HWND parent, int id);
bool Click(HWND parent, int id);  // posted, and only to a visible, enabled button

enum class Icon { none, exclamation, question, hand, asterisk, other };
struct Box {
    std::string text;
    std::vector<int> buttons;  // ids in the box's order
    int defaultButton = 0;
    HWND owner = nullptr;
    Icon icon = Icon::none;
};
Box Read(HWND box);
bool Answer(HWND box, int button);  // and waits for the box to go

HWND CurrentPage(HWND frame);
bool Next(HWND frame);  // and waits for the next page
bool Back(HWND frame);
struct Choices {
    int allUsers = -1;            // -1: as shown
    const char* group = nullptr;  // typed over the group; null: as shown
    int autoStart = -1, desktopIcon = -1;
};
bool WalkToReady(HWND frame, const Choices& choices);  // from the welcome page, accepting the licence
// Next on the ready page, whileInstalling (answering what the installation asks), the last page's two texts read into
// finished, and Finish with "Run Pictorel 5" as asked.
bool InstallAndFinish(HWND frame, bool run, const std::function<void()>& whileInstalling, std::string& finished);

}  // namespace ui
