// The licence page: the agreement as the file holds it, and the accept
// choice that alone enables Next.
#include "wizard_run.h"

#include "app/setup_state.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

namespace {

std::string LongAgreement()
{
    std::string text;
    for (int line = 1; line <= 400; ++line) text += "Clause " + std::to_string(line) + " of the agreement.\r\n";
    return text;
}

TEST_F(WizardTest, LicensePageShowsTheWholeAgreementFileUnselected)
{
    const struct {
        const char* what;
        bool present;
        std::string content;
        std::string shown;
    } cases[] = {
        {"long agreement", true, LongAgreement(), LongAgreement()},
        {"missing file", false, "", ""},
        {"empty file", true, "", ""},
        {"text ends at a zero byte", true, std::string("Terms\r\nmore\0hidden", 18), "Terms\r\nmore"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA("agreement.txt");
        if (c.present) {
            ASSERT_TRUE(WriteTextFile(Path("agreement.txt"), c.content));
        }
        RunWizard([&](HWND frame) {
            ASSERT_TRUE(GoNext(frame));
            ASSERT_EQ(Page::license, PageShown(frame));
            HWND page = ui::ChildDialog(frame);
            HWND agreement = GetDlgItem(page, IDC_AGREEMENT);
            EXPECT_EQ(c.shown, ui::Text(agreement));
            DWORD start = 1, end = 2;
            SendMessageA(agreement, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, end) << "nothing selected";
            EXPECT_EQ(0, SendMessageA(agreement, EM_GETFIRSTVISIBLELINE, 0, 0));

            EXPECT_EQ("Please accept the License Agreement", ui::Text(frame));
            EXPECT_FALSE(ui::ItemVisible(frame, IDC_SIDE_PICTURE));
            EXPECT_TRUE(ui::ItemVisible(frame, IDC_BACK));
            POINT origin = PageOrigin(frame);
            EXPECT_EQ(4, origin.x);
            EXPECT_EQ(4, origin.y);
            EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_DECLINE));
            EXPECT_EQ(BST_UNCHECKED, ui::ItemCheck(page, IDC_ACCEPT));
            EXPECT_FALSE(ui::ItemEnabled(frame, IDOK));
            EXPECT_EQ(GetDlgItem(page, IDC_DECLINE), WizardFocus());
        });
    }
}

TEST_F(WizardTest, OnlyTheAcceptChoiceEnablesNextAndItSurvivesGoingBack)
{
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(GoNext(frame));
        HWND page = ui::ChildDialog(frame);
        ASSERT_TRUE(ui::Click(page, IDC_ACCEPT));
        EXPECT_TRUE(ui::WaitFor([&] { return ui::ItemEnabled(frame, IDOK); }));
        ASSERT_TRUE(ui::Click(page, IDC_DECLINE));
        EXPECT_TRUE(ui::WaitFor([&] { return !ui::ItemEnabled(frame, IDOK); }));
        ASSERT_TRUE(ui::Click(page, IDC_ACCEPT));
        ASSERT_TRUE(ui::WaitFor([&] { return ui::ItemEnabled(frame, IDOK); }));

        ASSERT_TRUE(GoBack(frame));
        EXPECT_EQ(Page::welcome, PageShown(frame));
        EXPECT_FALSE(ui::ItemVisible(frame, IDC_BACK));
        EXPECT_EQ(AppTitle(), ui::Text(frame));
        EXPECT_TRUE(ui::ItemVisible(frame, IDC_SIDE_PICTURE));

        // Back again: accepted, Next enabled, though the focus is on decline.
        ASSERT_TRUE(GoNext(frame));
        page = ui::ChildDialog(frame);
        EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_ACCEPT));
        EXPECT_EQ(BST_UNCHECKED, ui::ItemCheck(page, IDC_DECLINE));
        EXPECT_TRUE(ui::ItemEnabled(frame, IDOK));
        EXPECT_EQ(GetDlgItem(page, IDC_DECLINE), WizardFocus());

        // A declined licence comes back declined.
        ASSERT_TRUE(ui::Click(page, IDC_DECLINE));
        ASSERT_TRUE(ui::WaitFor([&] { return !ui::ItemEnabled(frame, IDOK); }));
        ASSERT_TRUE(GoBack(frame));
        ASSERT_TRUE(GoNext(frame));
        page = ui::ChildDialog(frame);
        EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_DECLINE));
        EXPECT_FALSE(ui::ItemEnabled(frame, IDOK));
        EXPECT_FALSE(ui::Click(frame, IDOK)) << "a disabled Next cannot be pressed";
        PostMessageA(frame, WM_KEYDOWN, VK_RETURN, 0);
        Sleep(300);
        EXPECT_EQ(page, ui::ChildDialog(frame)) << "nor can Enter go on";
    });
    EXPECT_EQ(0, setupState.licenseAccepted);
}

}  // namespace
