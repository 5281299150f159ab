#include "support/ui.h"

#include "core/resource_ids.h"

#include <algorithm>

namespace ui {

namespace {

std::string ClassOf(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> Children(HWND parent)  // the desktop's: the top-level windows
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

bool IsBox(HWND window)
{
    const std::vector<HWND> children = Children(window);
    return ClassOf(window) == "#32770" && std::all_of(children.begin(), children.end(), [](HWND child) {
               return ClassOf(child) == "Static" || ClassOf(child) == "Button";
           });
}

HWND FindTop(const std::function<bool(HWND)>& wanted)
{
    for (HWND window : Children(GetDesktopWindow()))
        if (IsWindowVisible(window) && wanted(window)) return window;
    return nullptr;
}

// The pixels paint leaves in a w x h bitmap, as 0xRRGGBB.
std::vector<DWORD> Pixels(int w, int h, const std::function<void(HDC)>& paint)
{
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    paint(dc);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + w * h);
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    return pixels;
}

// The standard icon a box's icon static shows, told by its pixels: the icon handle is its own process's.
Icon ShownIcon(HWND iconStatic)
{
    RECT r;
    GetWindowRect(iconStatic, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::vector<DWORD> shown = Pixels(w, h, [&](HDC dc) {
        HDC screen = GetDC(nullptr);
        BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
    const std::pair<LPCSTR, Icon> icons[] = {{IDI_EXCLAMATION, Icon::exclamation}, {IDI_QUESTION, Icon::question},
                                            {IDI_HAND, Icon::hand}, {IDI_ASTERISK, Icon::asterisk}};
    for (const auto& [id, icon] : icons) {
        const std::vector<DWORD> drawn = Pixels(w, h, [&](HDC dc) {
            HBRUSH background = CreateSolidBrush(RGB(shown[0] >> 16, (shown[0] >> 8) & 0xFF, shown[0] & 0xFF));
            RECT all{0, 0, w, h};
            FillRect(dc, &all, background);
            DeleteObject(background);
            DrawIconEx(dc, 0, 0, LoadIconA(nullptr, id), 0, 0, 0, nullptr, DI_NORMAL);
        });
        if (!shown.empty() && drawn == shown) return icon;
    }
    return Icon::other;
}

bool Step(HWND frame, int button)
{
    HWND before = CurrentPage(frame);
    return WaitFor([&] { return Enabled(frame, button); }) && Click(frame, button) &&
           WaitFor([&] { return !IsWindow(before) && IsWindowVisible(CurrentPage(frame)); });
}

bool SetCheck(HWND page, int id, int wanted)
{
    return wanted < 0 || Check(page, id) == wanted ||
           (Click(page, id) && WaitFor([&] { return Check(page, id) == wanted; }));
}

}  // namespace

HWND Find(const std::string& caption, DWORD process, bool box, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitFor([&] {
        return (found = FindTop([&](HWND w) {
                    DWORD owner = 0;
                    GetWindowThreadProcessId(w, &owner);
                    return (process == 0 || owner == process) && Text(w) == caption && IsBox(w) == box;
                })) != nullptr;
    }, timeoutMs);
    return found;
}

HWND OwnedDialog(HWND owner)
{
    return FindTop([&](HWND w) { return GetWindow(w, GW_OWNER) == owner && ClassOf(w) == "#32770"; });
}

std::string Text(HWND window)
{
    std::string text(65536, '\0');
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), LPARAM(&text[0]), SMTO_ABORTIFHUNG, 5000, &length)) return "";
    return text.substr(0, length < text.size() ? length : 0);
}

std::string Text(HWND parent, int id) { return Text(GetDlgItem(parent, id)); }
bool Visible(HWND parent, int id) { return IsWindowVisible(GetDlgItem(parent, id)); }
bool Enabled(HWND parent, int id) { return IsWindowEnabled(GetDlgItem(parent, id)); }
int Check(HWND parent, int id) { return static_cast<int>(SendMessageA(GetDlgItem(parent, id), BM_GETCHECK, 0, 0)); }

bool Click(HWND parent, int id)
{
    return Visible(parent, id) && Enabled(parent, id) && PostMessageA(GetDlgItem(parent, id), BM_CLICK, 0, 0);
}

Box Read(HWND window)
{
    Box box;
    box.owner = GetWindow(window, GW_OWNER);
    for (HWND child : Children(window)) {
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (!IsWindowVisible(child)) continue;
        if (ClassOf(child) == "Button") {
            box.buttons.push_back(GetDlgCtrlID(child));
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) box.defaultButton = GetDlgCtrlID(child);
        } else if ((style & SS_TYPEMASK) == SS_ICON) {
            WaitFor([&] { return (box.icon = ShownIcon(child)) != Icon::other; }, 3000);  // it may still be painting
        } else if (GetDlgCtrlID(child) == 0xFFFF) {
            box.text = Text(child);
        }
    }
    return box;
}

bool Answer(HWND box, int button) { return Click(box, button) && WaitFor([&] { return !IsWindow(box); }); }

HWND CurrentPage(HWND frame) { return FindWindowExA(frame, nullptr, "#32770", nullptr); }

bool Next(HWND frame) { return Step(frame, IDOK); }
bool Back(HWND frame) { return Step(frame, IDC_BACK); }

bool WalkToReady(HWND frame, const Choices& choices)
{
    auto arrive = [&](int mark) {
        return WaitFor([&] { return GetDlgItem(CurrentPage(frame), mark) && IsWindowVisible(CurrentPage(frame)); });
    };
    if (!arrive(IDC_VERSION_LINE) || !Next(frame) || !arrive(IDC_AGREEMENT) || !Click(CurrentPage(frame), IDC_ACCEPT) ||
        !Next(frame) || !arrive(IDC_DEST_FOLDER) ||
        (choices.allUsers >= 0 &&
         !SetCheck(CurrentPage(frame), choices.allUsers ? IDC_ALL_USERS : IDC_CURRENT_USER, BST_CHECKED)) ||
        !Next(frame) || !arrive(IDC_GROUP))
        return false;
    HWND page = CurrentPage(frame);
    DWORD_PTR set = 0;
    const LPARAM group = LPARAM(choices.group);
    if (group) SendMessageTimeoutA(GetDlgItem(page, IDC_GROUP), WM_SETTEXT, 0, group, SMTO_ABORTIFHUNG, 5000, &set);
    return SetCheck(page, IDC_AUTO_START, choices.autoStart) && SetCheck(page, IDC_DESKTOP_ICON, choices.desktopIcon) &&
           Next(frame) && arrive(IDC_READY_TEXT);
}

bool InstallAndFinish(HWND frame, bool run, const std::function<void()>& whileInstalling, std::string& finished)
{
    if (!Click(frame, IDOK)) return false;
    whileInstalling();
    if (!WaitFor([&] { return Visible(CurrentPage(frame), IDC_RUN_PRODUCT); }, 90000)) return false;
    finished = Text(CurrentPage(frame), IDC_READY_TEXT) + "\n" + Text(CurrentPage(frame), IDC_READY_HINT);
    return SetCheck(CurrentPage(frame), IDC_RUN_PRODUCT, run ? BST_CHECKED : BST_UNCHECKED) && Click(frame, IDOK) &&
           WaitFor([&] { return !IsWindow(frame); }, 90000);
}

}  // namespace ui
