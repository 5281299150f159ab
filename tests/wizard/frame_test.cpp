// The frame's own behaviour: first display, page placement, captions, the
// buttons' states, cancelling, and messages it must ignore.
#include "wizard_run.h"

#include "app/product_profile.h"
#include "app/setup_state.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

namespace {

// Where a page should lie: 4 pixels right of the side picture, level with
// its top, in the frame's client coordinates.
POINT ExpectedPagePosition(HWND frame)
{
    RECT picture;
    GetWindowRect(GetDlgItem(frame, IDC_SIDE_PICTURE), &picture);
    MapWindowPoints(HWND_DESKTOP, frame, reinterpret_cast<POINT*>(&picture), 2);
    return POINT{picture.right + 4, picture.top};
}

// A page placed by the frame: right of the side picture, under the frame's
// own caption, with Next enabled.
void ExpectPlacedPage(HWND frame)
{
    EXPECT_EQ(AppTitle(), ui::Text(frame));
    EXPECT_TRUE(ui::ItemVisible(frame, IDC_SIDE_PICTURE));
    EXPECT_TRUE(ui::ItemEnabled(frame, IDOK));
    POINT expected = ExpectedPagePosition(frame), actual = PageOrigin(frame);
    EXPECT_EQ(expected.x, actual.x);
    EXPECT_EQ(expected.y, actual.y);
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

TEST_F(WizardTest, FirstDisplayShowsTheWelcomePageWithTheVersionBeingInstalled)
{
    struct Case {
        std::uint32_t major, minor, build, revision;
        const char* versionLine;
    };
    const Case cases[] = {
        {5, 1, 2, 0, "Pictorel ver. 5.01.02 "},
        {5, 0, 0, 3, "Pictorel ver. 5.00.00 Beta 3"},
        {5, 100, 2, 0, "Pictorel ver. 5.100.02 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.versionLine);
        setupState.versionMajor = c.major;
        setupState.versionMinor = c.minor;
        setupState.versionBuild = c.build;
        setupState.versionRevision = c.revision;
        RunWizard([&](HWND frame) {
            EXPECT_EQ(Page::welcome, PageShown(frame));
            ExpectPlacedPage(frame);
            EXPECT_EQ(nullptr, GetWindow(frame, GW_OWNER));
            EXPECT_FALSE(ui::ItemVisible(frame, IDC_BACK));
            EXPECT_EQ(c.versionLine, FirstLine(ui::ItemText(ui::ChildDialog(frame), IDC_VERSION_LINE)));
        });
    }
}

TEST_F(WizardTest, EveryPlacedPageLiesRightOfTheSidePictureUnderTheFramesCaption)
{
    RunWizard([&](HWND frame) {
        for (Page page : {Page::destination, Page::programGroup, Page::ready}) {
            SCOPED_TRACE(static_cast<int>(page));
            ASSERT_TRUE(GoForwardTo(frame, page));
            ExpectPlacedPage(frame);
            EXPECT_TRUE(ui::ItemVisible(frame, IDC_BACK));
        }
        // Back from the ready page builds the group page anew.
        ASSERT_TRUE(GoBack(frame));
        EXPECT_EQ(Page::programGroup, PageShown(frame));
        ASSERT_TRUE(GoNext(frame));
        HWND ready = ui::ChildDialog(frame);
        EXPECT_TRUE(ui::ItemVisible(ready, IDC_READY_TEXT));
        EXPECT_TRUE(ui::ItemVisible(ready, IDC_READY_HINT));
        EXPECT_FALSE(ui::ItemVisible(ready, IDC_INSTALLING_TEXT));
        EXPECT_FALSE(ui::ItemVisible(ready, IDC_RUN_PRODUCT));
    });
}

// How the user asks to cancel: the button, the Escape key, the close box.
enum class CancelWay { button, escape, closeBox };

bool AskToCancel(HWND frame, CancelWay way)
{
    switch (way) {
    case CancelWay::button: return ui::Click(frame, IDCANCEL);
    case CancelWay::escape: return PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0) != FALSE;
    case CancelWay::closeBox: return PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    }
    return false;
}

TEST_F(WizardTest, CancelAsksAndEndsTheRunOnlyOnYes)
{
    const struct {
        const char* what;
        CancelWay way;
    } cases[] = {{"Cancel button", CancelWay::button}, {"Escape", CancelWay::escape}, {"close box", CancelWay::closeBox}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        INT_PTR result = RunWizard([&](HWND frame) {
            ASSERT_TRUE(GoForwardTo(frame, Page::destination));
            HWND page = ui::ChildDialog(frame);
            ASSERT_TRUE(ui::Click(page, IDC_ALL_USERS));
            ASSERT_TRUE(ui::WaitFor([&] { return ui::ItemCheck(page, IDC_ALL_USERS) == BST_CHECKED; }));

            ASSERT_TRUE(AskToCancel(frame, c.way));
            HWND box = ui::WaitForMessageBox(AppTitle(), GetCurrentProcessId());
            ASSERT_NE(nullptr, box);
            ui::MessageBoxContent content = ui::ReadMessageBox(box);
            EXPECT_EQ("Do you really want to cancel Pictorel 5 setup?", content.text);
            EXPECT_EQ(ui::BoxIcon::question, content.icon);
            EXPECT_EQ((std::vector<int>{IDYES, IDNO}), content.buttonIds);
            EXPECT_EQ(IDNO, content.defaultButton);
            EXPECT_EQ(frame, content.owner);
            ASSERT_TRUE(ui::AnswerMessageBox(box, IDNO));

            // No: the same page with its input, the same buttons.
            EXPECT_EQ(page, ui::ChildDialog(frame));
            EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_ALL_USERS));
            EXPECT_TRUE(ui::ItemEnabled(frame, IDOK));
            EXPECT_TRUE(ui::ItemEnabled(frame, IDC_BACK));
            EXPECT_TRUE(ui::ItemEnabled(frame, IDCANCEL));

            ASSERT_TRUE(AskToCancel(frame, c.way));
            box = ui::WaitForMessageBox(AppTitle(), GetCurrentProcessId());
            ASSERT_NE(nullptr, box);
            ASSERT_TRUE(ui::AnswerMessageBox(box, IDYES));
            EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(frame); }));
        });
        EXPECT_EQ(IDCANCEL, result);
        // The page was not left, so the scope it showed was never saved.
        EXPECT_EQ(0, setupState.allUsers);
        EXPECT_FALSE(FolderExists(DefaultDestination()));
        EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey));
        setupState.licenseAccepted = 0;
    }
}

TEST_F(WizardTest, InstanceNotificationsReachingTheFrameChangeNothing)
{
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(GoForwardTo(frame, Page::license));
        HWND page = ui::ChildDialog(frame);
        for (UINT message : {ProductProfile::instanceAddedMessage, ProductProfile::instanceRemovedMessage}) {
            SendMessageA(frame, message, 4242, 0);
        }
        EXPECT_EQ(page, ui::ChildDialog(frame));
        EXPECT_EQ("Please accept the License Agreement", ui::Text(frame));
        EXPECT_FALSE(ui::ItemEnabled(frame, IDOK));
        EXPECT_TRUE(IsWindowVisible(frame));
    });
}

}  // namespace
