#include "e2e/message_boxes.h"


namespace {

HWND IconStatic(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0 && IsWindowVisible(child) &&
            (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return child;
    }
    return nullptr;
}

// A bitmap of the screen's format to draw into, and its pixels.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height)
    {
        screen_ = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, width, height);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(nullptr, screen_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    HDC Screen() const { return screen_; }

    // 0xRRGGBB values, top row first.
    std::vector<DWORD> Pixels() const
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> pixels(static_cast<std::size_t>(width_) * height_);
        SelectObject(dc_, old_);
        GetDIBits(dc_, bitmap_, 0, height_, pixels.data(), &info, DIB_RGB_COLORS);
        SelectObject(dc_, bitmap_);
        for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
        return pixels;
    }

private:
    int width_, height_;
    HDC screen_, dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

std::vector<DWORD> ScreenPixels(const RECT& rect)
{
    Canvas canvas(rect.right - rect.left, rect.bottom - rect.top);
    BitBlt(canvas.Dc(), 0, 0, rect.right - rect.left, rect.bottom - rect.top, canvas.Screen(), rect.left, rect.top,
           SRCCOPY);
    return canvas.Pixels();
}

// A standard icon as a static control draws it: at the top left, on the
// background the box shows in its corner.
std::vector<DWORD> DrawnIcon(LPCSTR standardIcon, int width, int height, DWORD background)
{
    Canvas canvas(width, height);
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    RECT all{0, 0, width, height};
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    DrawIconEx(canvas.Dc(), 0, 0, LoadIconA(nullptr, standardIcon), 0, 0, 0, nullptr, DI_NORMAL);
    return canvas.Pixels();
}

ui::BoxIcon MatchIcon(HWND iconStatic)
{
    RECT rect;
    GetWindowRect(iconStatic, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return ui::BoxIcon::other;
    const std::vector<DWORD> shown = ScreenPixels(rect);
    const struct {
        LPCSTR id;
        ui::BoxIcon kind;
    } candidates[] = {{IDI_EXCLAMATION, ui::BoxIcon::exclamation},
                      {IDI_QUESTION, ui::BoxIcon::question},
                      {IDI_HAND, ui::BoxIcon::hand},
                      {IDI_ASTERISK, ui::BoxIcon::asterisk}};
    for (const auto& candidate : candidates) {
        if (DrawnIcon(candidate.id, width, height, shown.front()) == shown) return candidate.kind;
    }
    return ui::BoxIcon::other;
}

// The button drawn as the default one.
int DefaultButton(HWND box)
{
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button != nullptr && (GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return id;
    }
    return 0;
}

}  // namespace

ui::BoxIcon ShownBoxIcon(HWND box, DWORD timeoutMs)
{
    HWND iconStatic = IconStatic(box);
    if (iconStatic == nullptr) return ui::BoxIcon::none;
    ui::BoxIcon kind = ui::BoxIcon::other;
    ui::WaitFor([&] { return (kind = MatchIcon(iconStatic)) != ui::BoxIcon::other; }, timeoutMs);
    return kind;
}

::testing::AssertionResult AnswerExpectedBox(const char* caption, DWORD processId, const ExpectedBox& expected,
                                             int answer, DWORD timeoutMs)
{
    HWND box = ui::WaitForMessageBox(caption, processId, timeoutMs);
    if (box == nullptr) return ::testing::AssertionFailure() << "no box \"" << caption << "\" asking \"" << expected.text << "\"";
    const ui::MessageBoxContent content = ui::ReadMessageBox(box);
    const ui::BoxIcon icon = ShownBoxIcon(box);
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    if (content.text != expected.text) result = ::testing::AssertionFailure() << "text \"" << content.text << "\"; ";
    if (icon != expected.icon)
        result = ::testing::AssertionFailure() << result.message() << "icon " << ::testing::PrintToString(icon) << "; ";
    if (content.buttonIds != expected.buttons)
        result = ::testing::AssertionFailure() << result.message() << "buttons "
                                               << ::testing::PrintToString(content.buttonIds) << "; ";
    if (expected.noOwner && content.owner != nullptr)
        result = ::testing::AssertionFailure() << result.message() << "an owner window; ";
    if (expected.defaultButton != 0 && DefaultButton(box) != expected.defaultButton)
        result = ::testing::AssertionFailure() << result.message() << "default button " << DefaultButton(box) << "; ";
    if (!ui::AnswerMessageBox(box, answer))
        return ::testing::AssertionFailure() << result.message() << "the answer " << answer << " could not be given";
    return result;
}

void ui::PrintTo(BoxIcon icon, std::ostream* out)
{
    static const char* const names[] = {"none", "exclamation", "question", "hand", "asterisk", "other"};
    *out << names[static_cast<int>(icon)];
}
