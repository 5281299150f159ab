// Next on the ready page: the installation runs inside the wizard, which
// shows its installing state meanwhile and its finished state afterwards.
#include "wizard_run.h"

#include "app/product_profile.h"
#include "app/setup_state.h"
#include "framework/win_handles.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

namespace {

// A distribution whose product holds the installation at its last step,
// running the product with "-readopts", until the test releases it.
class InstallStateTest : public WizardTest {
protected:
    void SetUp() override
    {
        WizardTest::SetUp();
        const std::string dist = setupState.sourceFolder;
        ASSERT_TRUE(MakeFolders(dist));
        ASSERT_TRUE(WriteTextFile(dist + ProductProfile::uninstallLogPath,
                                  "File Copy: Pictrl5.exe\r\nFile Copy: readme.txt\r\n"));
        ASSERT_TRUE(CopyFileA((TestBinFolder() + "\\install_hold.exe").c_str(),
                              (dist + ProductProfile::mainExecutablePath).c_str(), FALSE));
        ASSERT_TRUE(WriteTextFile(dist + ProductProfile::readmePath, "read me"));
        ASSERT_TRUE(WriteTextFile(dist + "\\" + ProductProfile::settingsFile, "[Options]\r\n"));
        installing.Attach(CreateEventA(nullptr, TRUE, FALSE, "PictorelWizardTest.installing"));
        release.Attach(CreateEventA(nullptr, TRUE, FALSE, "PictorelWizardTest.release"));
        ASSERT_TRUE(installing.IsValid() && release.IsValid());
    }
    void TearDown() override
    {
        SetEvent(release.Get());
        WizardTest::TearDown();
    }

    // Escape and the close box, as a user would try them.
    void TryToCancel(HWND frame)
    {
        PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    KernelHandle installing;
    KernelHandle release;
};

TEST_F(InstallStateTest, ReadyPageInstallsAndFinishRecordsTheRunChoice)
{
    for (int runChecked : {1, 0}) {
        SCOPED_TRACE(runChecked);
        ResetEvent(installing.Get());
        ResetEvent(release.Get());
        RemoveTree(DefaultDestination());
        RemoveProductKeys();
        setupState.licenseAccepted = 0;
        setupState.runProduct = 1 - runChecked;
        INT_PTR result = RunWizard([&](HWND frame) {
            ASSERT_TRUE(GoForwardTo(frame, Page::ready));
            HWND page = ui::ChildDialog(frame);
            ASSERT_TRUE(ui::Click(frame, IDOK));

            // Installing: only the installing text, no button to press.
            ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(installing.Get(), 20000));
            EXPECT_TRUE(ui::ItemVisible(page, IDC_INSTALLING_TEXT));
            EXPECT_FALSE(ui::ItemVisible(page, IDC_READY_TEXT));
            EXPECT_FALSE(ui::ItemVisible(page, IDC_READY_HINT));
            EXPECT_FALSE(ui::ItemVisible(page, IDC_RUN_PRODUCT));
            for (int button : {IDC_BACK, IDOK, IDCANCEL}) EXPECT_FALSE(ui::ItemEnabled(frame, button)) << button;
            EXPECT_TRUE(FileExists(DefaultDestination() + ProductProfile::readmePath)) << "RunInstall is running";
            TryToCancel(frame);
            SetEvent(release.Get());

            // Finished.
            ASSERT_TRUE(ui::WaitFor([&] { return ui::ItemText(frame, IDOK) == "&Finish >"; }, 20000));
            EXPECT_TRUE(ui::ItemEnabled(frame, IDOK));
            EXPECT_FALSE(ui::ItemEnabled(frame, IDC_BACK));
            EXPECT_FALSE(ui::ItemEnabled(frame, IDCANCEL));
            EXPECT_FALSE(ui::ItemVisible(page, IDC_INSTALLING_TEXT));
            EXPECT_EQ("Pictorel 5 has been successfully installed.", ui::ItemText(page, IDC_READY_TEXT));
            EXPECT_EQ("Press the Finish button to exit this installation.", ui::ItemText(page, IDC_READY_HINT));
            EXPECT_TRUE(ui::ItemVisible(page, IDC_READY_TEXT));
            EXPECT_TRUE(ui::ItemVisible(page, IDC_READY_HINT));
            EXPECT_TRUE(ui::ItemVisible(page, IDC_RUN_PRODUCT));
            EXPECT_EQ(BST_UNCHECKED, ui::ItemCheck(page, IDC_RUN_PRODUCT));

            // The requests made during the installation, and new ones, find
            // Cancel disabled: no question, no end.
            TryToCancel(frame);
            Sleep(500);
            EXPECT_EQ(nullptr, ui::FindMessageBox(AppTitle(), GetCurrentProcessId()));
            EXPECT_TRUE(IsWindowVisible(frame));

            if (runChecked) {
                ASSERT_TRUE(ui::Click(page, IDC_RUN_PRODUCT));
                ASSERT_TRUE(ui::WaitFor([&] { return ui::ItemCheck(page, IDC_RUN_PRODUCT) == BST_CHECKED; }));
            }
            ASSERT_TRUE(ui::Click(frame, IDOK));
            EXPECT_TRUE(ui::WaitFor([&] { return !IsWindow(frame); }));
        });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(runChecked, setupState.runProduct);
        const std::string dest = DefaultDestination();
        EXPECT_TRUE(FileExists(dest + ProductProfile::mainExecutablePath));
        EXPECT_TRUE(FileExists(dest + ProductProfile::uninstallLogPath));
        EXPECT_EQ("-readopts", ReadTextFile(dest + "\\hold-record.txt"));
        EXPECT_TRUE(RegKeyExists(HKEY_LOCAL_MACHINE, ProductProfile::uninstallKey));
    }
}

}  // namespace
