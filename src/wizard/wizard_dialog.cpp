#include "wizard/wizard_dialog.h"

#include "core/setup_state.h"
#include "install/install_procedure.h"
#include "framework/message_box.h"
#include "win/string_resources.h"
#include "core/resource_ids.h"
#include "wizard/destination_page.h"
#include "wizard/license_page.h"
#include "wizard/program_group_page.h"
#include "wizard/ready_page.h"
#include "wizard/welcome_page.h"

namespace {

constexpr int licensePageIndex = 1;
constexpr int readyPageIndex = 4;
constexpr int installIndex = 5;
// Pages lie this many pixels right of the side picture.
constexpr int pageGap = 4;

using PageMaker = std::unique_ptr<Dialog> (*)(HWND frame);

template <class Page>
std::unique_ptr<Dialog> MakePage(HWND frame)
{
    return std::make_unique<Page>(frame);
}

// How to make the page of each step; the ready page serves the steps after it.
const PageMaker pageMakers[] = {
    MakePage<WelcomePage>, MakePage<LicensePage>, MakePage<DestinationPage>,
    MakePage<ProgramGroupPage>, MakePage<ReadyPage>,
};

}  // namespace

WizardDialog::WizardDialog() : Dialog(IDD_WIZARD, nullptr) {}

WizardDialog::~WizardDialog() = default;

BOOL WizardDialog::OnInitDialog()
{
    BOOL result = Dialog::OnInitDialog();
    OnNext();
    return result;
}

bool WizardDialog::OnCommand(int id, int code, HWND control)
{
    // Enter, Escape and the close box arrive as the buttons' commands; like
    // a click, they do nothing while their button is disabled, so a finished
    // installation cannot be cancelled.
    if (id == IDOK || id == IDCANCEL || id == IDC_BACK) {
        if (!IsWindowEnabled(Item(id))) return true;
    }
    if (id == IDC_BACK) {
        if (code == BN_CLICKED) OnBack();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void WizardDialog::OnOK()
{
    OnNext();
}

void WizardDialog::OnNext()
{
    ++pageIndex;
    // Destroying a page's window is when it saves its input, before the
    // next page reads it. The ready page stays through install and finish.
    if (currentPage && pageIndex < installIndex) {
        currentPage->DestroyWindow();
        currentPage.reset();
    }
    if (savedCaption.empty()) savedCaption = WindowText(Window());

    if (pageIndex == licensePageIndex) {
        ShowLicensePage();
    } else if (pageIndex >= 0 && pageIndex <= readyPageIndex) {
        ShowPlacedPage();
    } else if (pageIndex == installIndex) {
        Install();
    } else if (pageIndex > installIndex) {
        Finish();
    }
}

void WizardDialog::OnBack()
{
    pageIndex -= 2;
    OnNext();
}

void WizardDialog::ShowLicensePage()
{
    EnableWindow(Item(IDOK), setupState.licenseAccepted != 0 ? TRUE : FALSE);
    ShowWindow(Item(IDC_BACK), SW_SHOW);
    ShowWindow(Item(IDC_SIDE_PICTURE), SW_HIDE);
    currentPage = pageMakers[licensePageIndex](Window());
    currentPage->Create();  // the licence page places itself
    SetWindowTextA(Window(), LoadResourceString(IDS_ACCEPT_LICENSE).c_str());
}

void WizardDialog::ShowPlacedPage()
{
    currentPage = pageMakers[pageIndex](Window());
    currentPage->Create();
    if (pageIndex == 0) ShowWindow(Item(IDC_BACK), SW_HIDE);
    PlacePage();
}

void WizardDialog::PlacePage()
{
    SetWindowTextA(Window(), savedCaption.c_str());
    HWND picture = Item(IDC_SIDE_PICTURE);
    ShowWindow(picture, SW_SHOW);
    EnableWindow(Item(IDOK), TRUE);
    RECT pictureRect;
    if (!GetWindowRect(picture, &pictureRect)) return;
    MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&pictureRect), 2);
    SetWindowPos(currentPage->Window(), HWND_TOP, pictureRect.right + pageGap, pictureRect.top, 0, 0,
                 SWP_NOSIZE | SWP_SHOWWINDOW);
}

void WizardDialog::Install()
{
    // The installing text must be on screen before the work starts: no
    // message is handled until RunInstall returns.
    ShowPageItem(IDC_READY_TEXT, false);
    ShowPageItem(IDC_READY_HINT, false);
    ShowPageItem(IDC_INSTALLING_TEXT, true);
    UpdateWindow(currentPage->Window());
    DisableButtons();
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    RunInstall();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ShowFinishedState();
}

void WizardDialog::ShowFinishedState()
{
    EnableWindow(Item(IDOK), TRUE);
    SetWindowTextA(Item(IDOK), LoadResourceString(IDS_FINISH).c_str());
    ShowPageItem(IDC_INSTALLING_TEXT, false);
    SendMessageA(currentPage->Item(IDC_RUN_PRODUCT), BM_SETCHECK, BST_UNCHECKED, 0);
    ShowPageItem(IDC_RUN_PRODUCT, true);
    SetWindowTextA(currentPage->Item(IDC_READY_TEXT), LoadResourceString(IDS_INSTALLED).c_str());
    SetWindowTextA(currentPage->Item(IDC_READY_HINT), LoadResourceString(IDS_PRESS_FINISH).c_str());
    ShowPageItem(IDC_READY_TEXT, true);
    ShowPageItem(IDC_READY_HINT, true);
}

void WizardDialog::Finish()
{
    LRESULT check = SendMessageA(currentPage->Item(IDC_RUN_PRODUCT), BM_GETCHECK, 0, 0);
    setupState.runProduct = check == BST_CHECKED ? 1 : 0;
    Dialog::OnOK();
}

void WizardDialog::OnCancel()
{
    int answer = AppMessageBox(LoadResourceString(IDS_CONFIRM_CANCEL), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES) EndDialog(IDCANCEL);
}

void WizardDialog::ShowPageItem(int id, bool show)
{
    ShowWindow(currentPage->Item(id), show ? SW_SHOW : SW_HIDE);
}

void WizardDialog::DisableButtons()
{
    EnableWindow(Item(IDC_BACK), FALSE);
    EnableWindow(Item(IDOK), FALSE);
    EnableWindow(Item(IDCANCEL), FALSE);
}
