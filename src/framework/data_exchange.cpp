#include "framework/data_exchange.h"

#include <vector>

namespace {

bool IsRadioButton(HWND control)
{
    return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

bool StartsGroup(HWND control)
{
    return (GetWindowLongPtrA(control, GWL_STYLE) & WS_GROUP) != 0;
}

}  // namespace

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1, '\0');
    int n = GetWindowTextA(window, buffer.data(), length + 1);
    return std::string(buffer.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

void DataExchange::Text(int id, std::string& value)
{
    HWND control = GetDlgItem(dialog_, id);
    if (control == nullptr) return;
    if (save_)
        value = WindowText(control);
    else
        SetWindowTextA(control, value.c_str());
}

void DataExchange::Radio(int firstId, int& index)
{
    HWND control = GetDlgItem(dialog_, firstId);
    if (control == nullptr) return;
    if (save_) index = -1;
    int position = 0;
    do {
        if (IsRadioButton(control)) {
            if (save_) {
                if (SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) index = position;
            } else {
                SendMessageA(control, BM_SETCHECK, position == index ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++position;
        }
        control = GetWindow(control, GW_HWNDNEXT);
    } while (control != nullptr && !StartsGroup(control));
}

void DataExchange::Check(int id, int& value)
{
    HWND control = GetDlgItem(dialog_, id);
    if (control == nullptr) return;
    if (save_)
        value = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        SendMessageA(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}
