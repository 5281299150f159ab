#include "product/product_window.h"

#include "instances/instance_manager.h"
#include "product/product_record.h"
#include "product/stand_in_product.h"

namespace {

bool ignoresClose = false;

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INSTANCE_ADDED:
        RecordNumber("added", static_cast<unsigned long>(lParam));
        return 0;
    case WM_INSTANCE_REMOVED:
        RecordNumber("removed", static_cast<unsigned long>(lParam));
        return 0;
    case standInMarkMessage:
        RecordNumber("mark", wParam);
        return 0;
    case WM_CLOSE:
        RecordNumber("close", wParam);
        if (!ignoresClose) DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// No exception may unwind through the system's code that called us; a record
// line that cannot be made is lost.
LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

}  // namespace

HWND CreateStandInWindow(HINSTANCE instance, bool busy)
{
    ignoresClose = busy;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = standInWindowClass;
    if (RegisterClassA(&windowClass) == 0) return nullptr;
    return CreateWindowExA(0, standInWindowClass, standInWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 400, 300, nullptr, nullptr, instance, nullptr);
}
