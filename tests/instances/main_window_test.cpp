// FindMainWindow on windows of this process: the candidate window is made
// first, then a window that must be passed over, which EnumWindows then gives
// first (a new window goes to the top).
#include "framework/win_handles.h"
#include "instances/main_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const windowClass = "PictorelMainWindowTest";

void RegisterTestClass()
{
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClassInfo{};
    windowClassInfo.lpfnWndProc = DefWindowProcA;
    windowClassInfo.hInstance = GetModuleHandleA(nullptr);
    windowClassInfo.lpszClassName = windowClass;
    registered = RegisterClassA(&windowClassInfo) != 0;
}

// A hidden top-level window, destroyed when it goes.
class TestWindow {
public:
    TestWindow(const char* title, DWORD exStyle = 0, HWND owner = nullptr)
    {
        RegisterTestClass();
        window_ = CreateWindowExA(exStyle, windowClass, title, WS_OVERLAPPED, 0, 0, 100, 100, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { if (window_ != nullptr) DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

// Where EnumWindows gives the window; -1 when it does not.
int EnumerationIndex(HWND window)
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (windows[i] == window) return static_cast<int>(i);
    }
    return -1;
}

TEST(FindMainWindow, PassesOverHelperWindowsAndTakesAHiddenOne)
{
    struct WindowCase {
        const char* what;
        const char* title;
        DWORD exStyle;
        bool owned;
        bool passedOver;
    };
    const WindowCase cases[] = {
        {"owned window", "Owned", 0, true, true},
        {"tool window", "Tool", WS_EX_TOOLWINDOW, false, true},
        {"DDE helper", "DDE Server Window", 0, false, true},
        {"OLE helper", "OleMainThreadWndName", 0, false, true},
        {"DDE title in other case", "DDE server window", 0, false, false},
        {"longer title", "OleMainThreadWndName2", 0, false, false},
        {"empty title", "", 0, false, false},
        {"plain window", "Second", 0, false, false},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.what);
        TestWindow candidate("Candidate");
        ASSERT_NE(nullptr, candidate.Get());
        TestWindow other(c.title, c.exStyle, c.owned ? candidate.Get() : nullptr);
        ASSERT_NE(nullptr, other.Get());
        ASSERT_FALSE(IsWindowVisible(candidate.Get()));
        ASSERT_LT(EnumerationIndex(other.Get()), EnumerationIndex(candidate.Get())) << "not enumerated first";
        HWND expected = c.passedOver ? candidate.Get() : other.Get();
        EXPECT_EQ(expected, FindMainWindow(GetCurrentProcessId()));
    }
}

TEST(FindMainWindow, FindsNothingForAProcessWithoutWindows)
{
    TestWindow mine("Mine");
    ASSERT_NE(nullptr, mine.Get());
    // Process ids are multiples of 4: no process has this one.
    EXPECT_EQ(nullptr, FindMainWindow(0x40000001));
}

}  // namespace
