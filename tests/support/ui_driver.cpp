#include "support/ui_driver.h"

#include "framework/data_exchange.h"

namespace ui {

namespace {

std::string ClassName(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsDialogWindow(HWND window) { return ClassName(window) == "#32770"; }

bool IsIconStatic(HWND window)
{
    return (GetWindowLongPtrA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// The box's message: the text static (id 0xFFFF on Windows and Wine).
HWND MessageTextStatic(HWND box)
{
    HWND found = nullptr;
    for (HWND child : Children(box)) {
        if (ClassName(child) != "Static" || IsIconStatic(child) || Text(child).empty()) continue;
        if (GetDlgCtrlID(child) == 0xFFFF) return child;
        if (found == nullptr) found = child;
    }
    return found;
}

bool IsMessageBox(HWND window)
{
    if (!IsDialogWindow(window)) return false;
    bool hasButton = false;
    for (HWND child : Children(window)) {
        std::string kind = ClassName(child);
        if (kind == "Button") hasButton = true;
        else if (kind != "Static") return false;
    }
    return hasButton && MessageTextStatic(window) != nullptr;
}

bool OfProcess(HWND window, DWORD processId)
{
    if (processId == 0) return true;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId;
}

struct TopSearch {
    const std::function<bool(HWND)>* test;
    HWND found;
};

BOOL CALLBACK TestTopWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TopSearch*>(data);
    if (!IsWindowVisible(window) || !(*search->test)(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The first visible top-level window that passes test.
HWND FindTop(const std::function<bool(HWND)>& test)
{
    TopSearch search{&test, nullptr};
    EnumWindows(TestTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = find()) != nullptr; }, timeoutMs);
    return found;
}

BoxIcon IconKind(HICON icon)
{
    if (icon == nullptr) return BoxIcon::none;
    if (icon == LoadIconA(nullptr, IDI_EXCLAMATION)) return BoxIcon::exclamation;
    if (icon == LoadIconA(nullptr, IDI_QUESTION)) return BoxIcon::question;
    if (icon == LoadIconA(nullptr, IDI_HAND)) return BoxIcon::hand;
    if (icon == LoadIconA(nullptr, IDI_ASTERISK)) return BoxIcon::asterisk;
    return BoxIcon::other;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

std::string Text(HWND window)
{
    return WindowText(window);
}

HWND FindTopWindow(const std::string& caption, DWORD processId)
{
    return FindTop([&](HWND w) { return OfProcess(w, processId) && Text(w) == caption && !IsMessageBox(w); });
}

HWND WaitForTopWindow(const std::string& caption, DWORD processId, DWORD timeoutMs)
{
    return WaitForWindow([&] { return FindTopWindow(caption, processId); }, timeoutMs);
}

HWND FindMessageBox(const std::string& caption, DWORD processId)
{
    return FindTop([&](HWND w) { return OfProcess(w, processId) && Text(w) == caption && IsMessageBox(w); });
}

HWND WaitForMessageBox(const std::string& caption, DWORD processId, DWORD timeoutMs)
{
    return WaitForWindow([&] { return FindMessageBox(caption, processId); }, timeoutMs);
}

HWND FindOwnedDialog(HWND owner)
{
    return FindTop([&](HWND w) { return GetWindow(w, GW_OWNER) == owner && IsDialogWindow(w); });
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs)
{
    return WaitForWindow([&] { return FindOwnedDialog(owner); }, timeoutMs);
}

HWND ChildDialog(HWND parent)
{
    for (HWND child : Children(parent))
        if (IsDialogWindow(child)) return child;
    return nullptr;
}

std::string ItemText(HWND parent, int id)
{
    return Text(GetDlgItem(parent, id));
}

bool ItemVisible(HWND parent, int id)
{
    HWND item = GetDlgItem(parent, id);
    return item != nullptr && IsWindowVisible(item);
}

bool ItemEnabled(HWND parent, int id)
{
    HWND item = GetDlgItem(parent, id);
    return item != nullptr && IsWindowEnabled(item);
}

int ItemCheck(HWND parent, int id)
{
    HWND item = GetDlgItem(parent, id);
    if (item == nullptr) return -1;
    return static_cast<int>(SendMessageA(item, BM_GETCHECK, 0, 0));
}

bool Click(HWND parent, int id)
{
    HWND item = GetDlgItem(parent, id);
    if (item == nullptr || !IsWindowVisible(item) || !IsWindowEnabled(item)) return false;
    return PostMessageA(item, BM_CLICK, 0, 0) != FALSE;
}

MessageBoxContent ReadMessageBox(HWND box)
{
    MessageBoxContent content;
    content.caption = Text(box);
    content.text = Text(MessageTextStatic(box));
    content.owner = GetWindow(box, GW_OWNER);
    for (HWND child : Children(box)) {
        if (ClassName(child) == "Button" && IsWindowVisible(child)) {
            content.buttonIds.push_back(GetDlgCtrlID(child));
            content.buttonTexts.push_back(Text(child));
            if ((GetWindowLongPtrA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                content.defaultButton = GetDlgCtrlID(child);
        } else if (IsIconStatic(child) && IsWindowVisible(child)) {
            content.icon = IconKind(reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)));
        }
    }
    return content;
}

bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs)
{
    if (!Click(box, buttonId)) return false;
    return WaitFor([&] { return !IsWindow(box); }, timeoutMs);
}

}  // namespace ui
