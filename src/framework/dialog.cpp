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

std::string Dialog::ItemText(int id) const
{
    return WindowText(Item(id));
}

void Dialog::SetItemText(int id, const std::string& text) const
{
    SetWindowTextA(Item(id), text.c_str());
}

void Dialog::ShowItem(int id, bool show) const
{
    ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

void Dialog::EnableItem(int id, bool enable) const
{
    EnableWindow(Item(id), enable ? TRUE : FALSE);
}

bool Dialog::IsItemEnabled(int id) const
{
    return IsWindowEnabled(Item(id)) != FALSE;
}

bool Dialog::IsItemChecked(int id) const
{
    return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Dialog::CheckItem(int id, bool check) const
{
    SendMessageA(Item(id), BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Dialog::OnButton(int id)
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
    // No exception may unwind through the system's code that called us: one
    // that reaches here ends the modal dialog at the root, as a dialog that
    // could not run (-1).
    try {
        return dialog->Dispatch(message, wParam, lParam);
    } catch (...) {
        ::EndDialog(GetAncestor(window, GA_ROOT), -1);
        return FALSE;
    }
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        // Buttons, Enter, Escape and the close box all come as BN_CLICKED (0).
        return HIWORD(wParam) == BN_CLICKED && OnButton(LOWORD(wParam)) ? TRUE : FALSE;
    default:
        return OnMessage(message, wParam, lParam);
    }
}
