#include "framework/dialog.h"

#include "framework/application.h"
#include "win/resource_module.h"

Dialog::~Dialog()
{
    if (window_ != nullptr) ::DestroyWindow(window_);
    NoteWindowDestroyed(this);
}

INT_PTR Dialog::RunModal()
{
    return DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent_, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create()
{
    HWND window = CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId_), parent_, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

bool Dialog::DestroyWindow()
{
    if (window_ == nullptr) return false;
    return ::DestroyWindow(window_) != FALSE;
}

BOOL Dialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

bool Dialog::OnCommand(int id, int, HWND)
{
    switch (id) {
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnCancel(); return true;
    default: return false;
    }
}

void Dialog::OnOK()
{
    UpdateData(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::UpdateData(bool save)
{
    DataExchange exchange(window_, save);
    DoDataExchange(exchange);
}

void Dialog::EndDialog(INT_PTR result)
{
    ::EndDialog(window_, result);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
    }
    auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    if (dialog == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
        NoteWindowDestroyed(dialog);
        return FALSE;
    }
    return dialog->Dispatch(message, wParam, lParam);
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    default:
        return OnMessage(message, wParam, lParam);
    }
}
