// The yardstick of scripts/bench-startup: a program that does nothing but
// show one empty dialog from a template, with setup.exe's manifest and
// common controls, so that the time Windows and Wine take to start a program
// and show a dialog can be told from setup.exe's own. Ends when closed.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if ((message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) || message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, BareDialogProc, 0));
}
