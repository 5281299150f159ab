#include "wizard_run.h"

#include "app/setup_state.h"
#include "framework/string_resources.h"
#include "resources/resource_ids.h"
#include "support/ui_driver.h"
#include "wizard/wizard_dialog.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

DWORD wizardThread = 0;

// Cancels and confirms, or finishes, whatever the script left open; as a
// last resort a quit message ends every modal loop of the wizard's thread.
void CloseLeftovers(HWND frame)
{
    for (int attempt = 0; attempt < 3 && IsWindow(frame); ++attempt) {
        if (HWND box = ui::FindMessageBox(AppTitle(), GetCurrentProcessId())) {
            ui::AnswerMessageBox(box, IDNO, 2000) || ui::AnswerMessageBox(box, IDOK, 2000);
        } else if (HWND folders = ui::FindOwnedDialog(frame)) {
            ui::Click(folders, IDCANCEL);
        } else if (ui::Click(frame, IDCANCEL)) {
            if (HWND box = ui::WaitForMessageBox(AppTitle(), GetCurrentProcessId(), 3000))
                ui::AnswerMessageBox(box, IDYES);
        } else {
            ui::Click(frame, IDOK);
        }
        ui::WaitFor([&] { return !IsWindow(frame); }, 3000);
    }
    if (IsWindow(frame)) {
        ADD_FAILURE() << "the wizard did not close; ending its thread's modal loops";
        PostThreadMessageA(wizardThread, WM_QUIT, 0, 0);
    }
}

void DrainQuitMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace

std::string AppTitle()
{
    return LoadResourceString(IDS_APP_TITLE);
}

INT_PTR RunWizard(const std::function<void(HWND frame)>& script)
{
    wizardThread = GetCurrentThreadId();
    std::thread driver([&] {
        HWND frame = ui::WaitForTopWindow(AppTitle(), GetCurrentProcessId());
        if (frame == nullptr) {
            ADD_FAILURE() << "the wizard did not appear";
            PostThreadMessageA(wizardThread, WM_QUIT, 0, 0);
            return;
        }
        script(frame);
        CloseLeftovers(frame);
    });
    INT_PTR result;
    {
        WizardDialog wizard;
        result = wizard.RunModal();
    }
    driver.join();
    DrainQuitMessages();
    return result;
}

Page PageShown(HWND frame)
{
    HWND page = ui::ChildDialog(frame);
    if (page == nullptr || !IsWindowVisible(page)) return Page::none;
    if (GetDlgItem(page, IDC_VERSION_LINE)) return Page::welcome;
    if (GetDlgItem(page, IDC_AGREEMENT)) return Page::license;
    if (GetDlgItem(page, IDC_DEST_FOLDER)) return Page::destination;
    if (GetDlgItem(page, IDC_GROUP)) return Page::programGroup;
    if (GetDlgItem(page, IDC_READY_TEXT)) return Page::ready;
    return Page::none;
}

namespace {

bool Step(HWND frame, int button)
{
    HWND before = ui::ChildDialog(frame);
    if (!ui::Click(frame, button)) return false;
    return ui::WaitFor([&] {
        HWND now = ui::ChildDialog(frame);
        return !IsWindow(before) && now != nullptr && IsWindowVisible(now);
    });
}

}  // namespace

bool GoNext(HWND frame) { return Step(frame, IDOK); }
bool GoBack(HWND frame) { return Step(frame, IDC_BACK); }

bool GoForwardTo(HWND frame, Page page)
{
    while (PageShown(frame) != page) {
        if (PageShown(frame) == Page::license) {
            HWND license = ui::ChildDialog(frame);
            if (!ui::Click(license, IDC_ACCEPT) || !ui::WaitFor([&] { return ui::ItemEnabled(frame, IDOK); }))
                return false;
        }
        if (PageShown(frame) == Page::ready || !GoNext(frame)) return false;
    }
    return true;
}

POINT PageOrigin(HWND frame)
{
    RECT page;
    GetWindowRect(ui::ChildDialog(frame), &page);
    MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&page), 2);
    return POINT{page.left, page.top};
}

HWND WizardFocus()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(wizardThread, &info) ? info.hwndFocus : nullptr;
}

void WizardTest::SetUp()
{
    Sandbox::SetUp();
    SetCurrentDirectoryA(root.c_str());
    setupState = SetupState{};
    setupState.destFolder = DefaultDestination();
    setupState.sourceFolder = Path("dist");
    setupState.programGroup = "Pictorel 5";
    setupState.freshInstall = 1;
    setupState.versionMajor = 5;
    setupState.versionMinor = 1;
    setupState.versionBuild = 2;
}
