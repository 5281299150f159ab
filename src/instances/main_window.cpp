#include "instances/main_window.h"

#include "core/buffer_sizes.h"

#include <cstring>

namespace {

struct MainWindowSearch {
    DWORD processId;
    HWND result;
};

// Hidden helper windows that DDE and OLE give every process that uses them;
// they are never what a user would call the program's window.
bool IsSystemHelperTitle(const char* title)
{
    return std::strcmp(title, "DDE Server Window") == 0 || std::strcmp(title, "OleMainThreadWndName") == 0;
}

BOOL CALLBACK CheckWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (GetWindow(window, GW_OWNER) != nullptr) return TRUE;
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return TRUE;
    char title[windowTitleSize];
    title[0] = '\0';
    GetWindowTextA(window, title, sizeof title);
    title[sizeof title - 1] = '\0';
    if (IsSystemHelperTitle(title)) return TRUE;
    search->result = window;
    return FALSE;
}

}  // namespace

HWND FindMainWindow(DWORD processId)
{
    MainWindowSearch search{processId, nullptr};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.result;
}
