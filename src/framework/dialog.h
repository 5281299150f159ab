// A dialog made from a template of the program's resources, run modally or
// as a modeless child of another window. The dialog procedure finds the
// object through the window and hands each event to a virtual handler.
#pragma once

#include "framework/data_exchange.h"

#include <windows.h>

#include <string>

class Dialog {
public:
    Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}
    // A window still open goes with its object, without the save that
    // DestroyWindow stands for.
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog until EndDialog; its result, or -1 when the window
    // could not be made.
    INT_PTR RunModal();
    // Makes the window as a child of the parent; false when that fails.
    bool Create();
    // The end of the window. Dialogs that keep their input until they are
    // left save it here, then call this base.
    virtual bool DestroyWindow();

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // The controls of the dialog by id.
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    void ShowItem(int id, bool show) const;
    void EnableItem(int id, bool enable) const;
    bool IsItemEnabled(int id) const;
    bool IsItemChecked(int id) const;
    void CheckItem(int id, bool check) const;

protected:
    // Fills the controls from the members. True lets the system put the
    // focus on the first control; false says the handler has set it.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(DataExchange&) {}
    // The one place for button clicks: IDOK and IDCANCEL (Enter, Escape and
    // the close box come as these) go to OnOK and OnCancel; true when the
    // click was handled.
    virtual bool OnButton(int id);
    virtual void OnOK();
    virtual void OnCancel();
    // Any other message; the result as a dialog procedure returns it.
    virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM) { return FALSE; }

    // Moves the values between members and controls; see DataExchange.
    void UpdateData(bool save);
    void EndDialog(INT_PTR result);
    HWND Parent() const { return parent_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    HWND window_ = nullptr;
};
