#include "e2e/wizard_walk.h"

#include "resources/resource_ids.h"
#include "support/ui_driver.h"

namespace {

constexpr const char* frameCaption = "Pictorel 5 Setup";
constexpr DWORD installTimeoutMs = 90000;

bool IsPage(HWND page, int identifyingControl)
{
    return page != nullptr && GetDlgItem(page, identifyingControl) != nullptr && IsWindowVisible(page);
}

::testing::AssertionResult ReachPage(HWND wizard, WizardPage page, const char* name)
{
    if (ui::WaitFor([&] { return CurrentPage(wizard) == page; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the " << name << " page did not appear";
}

::testing::AssertionResult ClickNext(HWND wizard)
{
    if (ui::WaitFor([&] { return ui::ItemEnabled(wizard, IDOK); }) && ui::Click(wizard, IDOK))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Next could not be clicked";
}

// A control's text asked of the control itself: a combo box answers with its
// edit field, which the window's own caption does not hold.
std::string AskedText(HWND control)
{
    char text[512] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                             &length))
        return std::string();
    return std::string(text, length < sizeof text ? length : 0);
}

// Clicks a checkbox or radio button until it shows the wanted state.
::testing::AssertionResult SetCheck(HWND page, int id, int wanted)
{
    if (wanted < 0 || ui::ItemCheck(page, id) == wanted) return ::testing::AssertionSuccess();
    if (ui::Click(page, id) && ui::WaitFor([&] { return ui::ItemCheck(page, id) == wanted; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "control " << id << " did not become " << wanted;
}

::testing::AssertionResult AcceptLicense(HWND wizard, const std::function<void()>& accepted)
{
    HWND page = CurrentPageWindow(wizard);
    if (!ui::Click(page, IDC_ACCEPT) || !ui::WaitFor([&] { return ui::ItemEnabled(wizard, IDOK); }))
        return ::testing::AssertionFailure() << "accepting the licence did not enable Next";
    accepted();
    return ClickNext(wizard);
}

::testing::AssertionResult ChooseDestination(HWND wizard, const WizardChoices& choices, WizardSeen& seen)
{
    HWND page = CurrentPageWindow(wizard);
    seen.allUsersChecked = ui::ItemCheck(page, IDC_ALL_USERS) == BST_CHECKED;
    seen.destination = ui::ItemText(page, IDC_DEST_FOLDER);
    if (choices.allUsers >= 0) {
        auto set = SetCheck(page, choices.allUsers ? IDC_ALL_USERS : IDC_CURRENT_USER, BST_CHECKED);
        if (!set) return set;
    }
    return ClickNext(wizard);
}

::testing::AssertionResult ChooseGroup(HWND wizard, const WizardChoices& choices, WizardSeen& seen)
{
    HWND page = CurrentPageWindow(wizard);
    HWND groupBox = GetDlgItem(page, IDC_GROUP);
    seen.group = AskedText(groupBox);
    seen.autoStart = ui::ItemCheck(page, IDC_AUTO_START);
    seen.desktopIcon = ui::ItemCheck(page, IDC_DESKTOP_ICON);
    if (choices.group != nullptr) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(groupBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(choices.group), SMTO_ABORTIFHUNG, 5000,
                            &ignored);
        if (AskedText(groupBox) != choices.group)
            return ::testing::AssertionFailure() << "the group box did not take \"" << choices.group << "\"";
    }
    auto set = SetCheck(page, IDC_AUTO_START, choices.autoStart);
    if (set) set = SetCheck(page, IDC_DESKTOP_ICON, choices.desktopIcon);
    if (!set) return set;
    return ClickNext(wizard);
}

}  // namespace

HWND WaitForWizard(DWORD processId, DWORD timeoutMs)
{
    return ui::WaitForTopWindow(frameCaption, processId, timeoutMs);
}

HWND CurrentPageWindow(HWND wizard)
{
    return ui::ChildDialog(wizard);
}

WizardPage CurrentPage(HWND wizard)
{
    HWND page = CurrentPageWindow(wizard);
    if (IsPage(page, IDC_VERSION_LINE)) return WizardPage::welcome;
    if (IsPage(page, IDC_AGREEMENT)) return WizardPage::license;
    if (IsPage(page, IDC_DEST_FOLDER)) return WizardPage::destination;
    if (IsPage(page, IDC_GROUP)) return WizardPage::programGroup;
    if (IsPage(page, IDC_READY_TEXT)) return WizardPage::ready;
    return WizardPage::none;
}

::testing::AssertionResult WalkToReadyPage(HWND wizard, const WizardChoices& choices, WizardSeen* seen,
                                           const PageShown& shown)
{
    WizardSeen ignored;
    WizardSeen& noted = seen != nullptr ? *seen : ignored;
    auto notify = [&](WizardPage page) {
        if (shown) shown(page);
    };
    auto step = ReachPage(wizard, WizardPage::welcome, "welcome");
    if (!step) return step;
    notify(WizardPage::welcome);
    noted.versionLine = ui::ItemText(CurrentPageWindow(wizard), IDC_VERSION_LINE);
    if (!(step = ClickNext(wizard))) return step;
    if (!(step = ReachPage(wizard, WizardPage::license, "license"))) return step;
    if (!(step = AcceptLicense(wizard, [&] { notify(WizardPage::license); }))) return step;
    if (!(step = ReachPage(wizard, WizardPage::destination, "destination"))) return step;
    notify(WizardPage::destination);
    if (!(step = ChooseDestination(wizard, choices, noted))) return step;
    if (!(step = ReachPage(wizard, WizardPage::programGroup, "program group"))) return step;
    notify(WizardPage::programGroup);
    if (!(step = ChooseGroup(wizard, choices, noted))) return step;
    if (!(step = ReachPage(wizard, WizardPage::ready, "ready"))) return step;
    notify(WizardPage::ready);
    return step;
}

::testing::AssertionResult InstallAndFinish(HWND wizard, bool runProduct, const std::function<void()>& finished)
{
    auto step = ClickNext(wizard);
    if (!step) return step;
    const bool installed = ui::WaitFor(
        [&] {
            return ui::ItemText(wizard, IDOK) == "&Finish >" && ui::ItemEnabled(wizard, IDOK) &&
                   ui::ItemVisible(CurrentPageWindow(wizard), IDC_RUN_PRODUCT);
        },
        installTimeoutMs);
    if (!installed) return ::testing::AssertionFailure() << "the installation did not finish";
    if (!(step = SetCheck(CurrentPageWindow(wizard), IDC_RUN_PRODUCT, runProduct ? BST_CHECKED : BST_UNCHECKED)))
        return step;
    if (finished) finished();
    if (!ui::Click(wizard, IDOK)) return ::testing::AssertionFailure() << "Finish could not be clicked";
    if (!ui::WaitFor([&] { return !IsWindow(wizard); }, installTimeoutMs))
        return ::testing::AssertionFailure() << "the wizard stayed after Finish";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CancelWizard(HWND wizard, DWORD processId)
{
    if (!ui::Click(wizard, IDCANCEL)) return ::testing::AssertionFailure() << "Cancel could not be clicked";
    HWND box = ui::WaitForMessageBox(frameCaption, processId);
    if (box == nullptr) return ::testing::AssertionFailure() << "no confirmation of the cancel";
    const std::string text = ui::ReadMessageBox(box).text;
    if (text != "Do you really want to cancel Pictorel 5 setup?")
        return ::testing::AssertionFailure() << "the cancel question read \"" << text << "\"";
    if (!ui::AnswerMessageBox(box, IDYES)) return ::testing::AssertionFailure() << "Yes could not be clicked";
    return ::testing::AssertionSuccess();
}
