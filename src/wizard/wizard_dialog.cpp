#include "wizard/wizard_dialog.h"

#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "framework/message_box.h"
#include "install/install_outcome.h"
#include "install/install_procedure.h"
#include "win/resource_module.h"
#include "win/scaled_bitmap.h"
#include "win/string_resources.h"
#include "wizard/destination_page.h"
#include "wizard/license_page.h"
#include "wizard/program_group_page.h"
#include "wizard/ready_page.h"
#include "wizard/welcome_page.h"

using PageMaker = std::unique_ptr<Dialog> (*)(HWND frame);

// One page of the wizard: how it is made and what the frame shows around it.
struct WizardStep {
    PageMaker make;
    UINT caption;           // the frame's caption while it shows; 0: the frame's own
    bool back;              // Back shows
    bool besidePicture;     // right of the side picture; else the page covers it and places itself
    bool nextNeedsLicense;  // Next only once the licence is accepted
};

namespace {

// Pages lie this many pixels right of the side picture.
constexpr int pageGap = 4;

// WM_DPICHANGED (Windows 8.1), and the frame's own note to fit the picture once Windows has handled it.
constexpr UINT dpiChanged = 0x02E0, refitPicture = WM_APP + 1;

template <class Page>
std::unique_ptr<Dialog> MakePage(HWND frame)
{
    return std::make_unique<Page>(frame);
}

// The pages in order. The ready page is the last: Next there installs.
const WizardStep steps[] = {
    {MakePage<WelcomePage>, 0, false, true, false},
    {MakePage<LicensePage>, IDS_ACCEPT_LICENSE, true, false, true},
    {MakePage<DestinationPage>, 0, true, true, false},
    {MakePage<ProgramGroupPage>, 0, true, true, false},
    {MakePage<ReadyPage>, 0, true, true, false},
};
constexpr int stepCount = sizeof steps / sizeof steps[0];
constexpr int destinationStep = 2;

}  // namespace

WizardDialog::WizardDialog() : Dialog(IDD_WIZARD, nullptr) {}

WizardDialog::~WizardDialog() = default;

BOOL WizardDialog::OnInitDialog()
{
    BOOL result = Dialog::OnInitDialog();
    savedCaption_ = WindowText(Window());
    FitSidePicture();
    Go(+1);
    return result;
}

bool WizardDialog::OnButton(int id)
{
    if (id != IDOK && id != IDCANCEL && id != IDC_BACK) return false;
    // Enter, Escape and the close box arrive as the buttons' clicks; like a
    // click, they do nothing while their button is disabled, so a finished
    // installation cannot be cancelled.
    if (!IsItemEnabled(id)) return true;
    if (id == IDC_BACK) {
        Go(-1);
        return true;
    }
    return Dialog::OnButton(id);
}

void WizardDialog::OnOK()
{
    Go(+1);
}

void WizardDialog::Go(int delta)
{
    const int target = step_ + delta;
    if (target < 0) return;
    if (target >= stepCount) {
        if (installed_)
            Finish();
        else
            Install();
        return;
    }
    // Destroying a page's window is when it saves its input, before the next
    // page reads it.
    if (page_) {
        page_->DestroyWindow();
        page_.reset();
    }
    step_ = target;
    Show(steps[step_]);
}

void WizardDialog::Show(const WizardStep& step)
{
    SetWindowTextA(Window(), step.caption != 0 ? LoadResourceString(step.caption).c_str() : savedCaption_.c_str());
    ShowItem(IDC_BACK, step.back);
    ShowItem(IDC_SIDE_PICTURE, step.besidePicture);
    EnableItem(IDOK, !step.nextNeedsLicense || setupState.licenseAccepted != 0);
    page_ = step.make(Window());
    page_->Create();
    if (step.besidePicture) PlaceBesidePicture();
}

// The side picture is drawn for 200%; its frame in the template grows with the dialog's font, that is with the DPI.
// It is scaled to the frame's height and the frame takes its width, as the control once took a 100% bitmap's size.
void WizardDialog::FitSidePicture()
{
    HWND frame = Item(IDC_SIDE_PICTURE);
    const BitmapHandle master(LoadBitmapA(ResourceModule(), MAKEINTRESOURCEA(IDB_SIDE_PICTURE)));
    BITMAP drawn;
    RECT outer, inner;
    if (GetObjectA(master.Get(), sizeof drawn, &drawn) == 0 || !GetWindowRect(frame, &outer) ||
        !GetClientRect(frame, &inner) || inner.bottom <= 0)
        return;
    const int width = MulDiv(inner.bottom, drawn.bmWidth, drawn.bmHeight);
    BitmapHandle fitted(ScaledBitmap(master.Get(), width, inner.bottom));
    if (!fitted.IsValid()) return;
    // Once its image is replaced the control deletes none: what it hands back, the bitmap it loaded from the
    // template or the last fit, is ours to delete.
    sidePicture_.Detach();
    const BitmapHandle before(
        reinterpret_cast<HBITMAP>(SendMessageA(frame, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(fitted.Get()))));
    sidePicture_ = std::move(fitted);
    SetWindowPos(frame, nullptr, 0, 0, outer.right - outer.left - inner.right + width, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Per-monitor DPI: on a move to another screen, Windows scales the dialog and its controls in its own handling
// of WM_DPICHANGED; the picture is fitted again after that, and the page placed beside it.
INT_PTR WizardDialog::OnMessage(UINT message, WPARAM, LPARAM)
{
    if (message == dpiChanged) PostMessageA(Window(), refitPicture, 0, 0);
    if (message != refitPicture) return FALSE;
    FitSidePicture();
    if (page_ && steps[step_].besidePicture) PlaceBesidePicture();
    return TRUE;
}

void WizardDialog::PlaceBesidePicture()
{
    RECT pictureRect;
    if (!GetWindowRect(Item(IDC_SIDE_PICTURE), &pictureRect)) return;
    MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&pictureRect), 2);
    SetWindowPos(page_->Window(), HWND_TOP, pictureRect.right + pageGap, pictureRect.top, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
}

void WizardDialog::Install()
{
    // A destination that became a link since it was chosen (or came from
    // the registry as one) is chosen again.
    if (!DestinationIsUsable()) {
        AppMessageBox(LoadResourceString(IDS_INVALID_FOLDER), MB_OK);
        Go(destinationStep - step_);
        return;
    }
    // Nothing is touched on a drive too small: the user frees space, or
    // goes back to choose another folder.
    for (DiskSpace space = MeasureDiskSpace(); !space.Enough(); space = MeasureDiskSpace()) {
        if (AppMessageBox(NotEnoughSpaceText(space), MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY) {
            Go(destinationStep - step_);
            return;
        }
    }
    // The last step's page is the ready page.
    auto& ready = static_cast<ReadyPage&>(*page_);
    ready.ShowInstalling();
    EnableItem(IDC_BACK, false);
    EnableItem(IDOK, false);
    EnableItem(IDCANCEL, false);
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    RunInstall();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    if (setupState.failedItems != 0) AppMessageBox(PartsNotInstalledText(), MB_OK | MB_ICONEXCLAMATION);
    EnableItem(IDOK, true);
    SetItemText(IDOK, LoadResourceString(IDS_FINISH));
    ready.ShowFinished();
    installed_ = true;
}

void WizardDialog::Finish()
{
    setupState.runProduct = static_cast<ReadyPage&>(*page_).RunProductChosen() ? 1 : 0;
    Dialog::OnOK();
}

void WizardDialog::OnCancel()
{
    int answer = AppMessageBox(LoadResourceString(IDS_CONFIRM_CANCEL), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES) EndDialog(IDCANCEL);
}
