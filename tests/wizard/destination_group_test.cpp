// The destination and program group pages: what they show, what they keep
// across Back and Next, and what reaches the setup state when they are left.
#include "wizard_run.h"

#include "app/product_profile.h"
#include "app/setup_state.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const char* const folderHint = "To install into a different folder, Click Browse, and select another forder.";
const char* const folderHasCopy =
    "This folder already contains a previous copy of Pictorel 5. To upgrade or re-install that copy, please do "
    "not change the destination folder.";

std::vector<std::string> GroupList(HWND page)
{
    HWND combo = GetDlgItem(page, IDC_GROUP);
    std::vector<std::string> items;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char item[MAX_PATH] = "";
        if (SendMessageA(combo, CB_GETLBTEXTLEN, i, 0) < MAX_PATH)
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

void MakeGroups(const std::string& programs, const std::vector<std::string>& folders,
                const std::vector<std::string>& files)
{
    for (const std::string& folder : folders) MakeFolders(programs + "\\" + folder);
    for (const std::string& file : files) WriteTextFile(programs + "\\" + file, "x");
}

bool Choose(HWND page, int radio)
{
    return ui::Click(page, radio) && ui::WaitFor([&] { return ui::ItemCheck(page, radio) == BST_CHECKED; });
}

TEST_F(WizardTest, PagesKeepTheirValuesAndTheGroupListFollowsTheScope)
{
    MakeGroups(programs, {"Mine", "Startup"}, {"loose.lnk"});
    MakeGroups(commonPrograms, {"Zeta", "alpha", "Mid", "Mid\\Nested", "Startup"}, {"Readme.lnk", "zz.txt"});
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(GoForwardTo(frame, Page::destination));
        HWND page = ui::ChildDialog(frame);
        EXPECT_EQ(DefaultDestination(), ui::ItemText(page, IDC_DEST_FOLDER));
        EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_CURRENT_USER));
        ASSERT_TRUE(Choose(page, IDC_ALL_USERS));

        ASSERT_TRUE(GoNext(frame));
        page = ui::ChildDialog(frame);
        EXPECT_EQ((std::vector<std::string>{"alpha", "Mid", "Startup", "Zeta"}), GroupList(page));
        EXPECT_EQ("Pictorel 5", ui::ItemText(page, IDC_GROUP));
        EXPECT_EQ(BST_UNCHECKED, ui::ItemCheck(page, IDC_AUTO_START));
        EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_DESKTOP_ICON));
        SetDlgItemTextA(page, IDC_GROUP, "Tools\\Capture");
        ASSERT_TRUE(ui::Click(page, IDC_AUTO_START));
        ASSERT_TRUE(ui::Click(page, IDC_DESKTOP_ICON));
        ASSERT_TRUE(ui::WaitFor([&] { return ui::ItemCheck(page, IDC_DESKTOP_ICON) == BST_UNCHECKED; }));

        ASSERT_TRUE(GoNext(frame));
        ASSERT_TRUE(GoBack(frame));
        page = ui::ChildDialog(frame);
        EXPECT_EQ("Tools\\Capture", ui::ItemText(page, IDC_GROUP));
        EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_AUTO_START));
        EXPECT_EQ(BST_UNCHECKED, ui::ItemCheck(page, IDC_DESKTOP_ICON));

        ASSERT_TRUE(GoBack(frame));
        page = ui::ChildDialog(frame);
        EXPECT_EQ(BST_CHECKED, ui::ItemCheck(page, IDC_ALL_USERS));
        EXPECT_EQ(BST_UNCHECKED, ui::ItemCheck(page, IDC_CURRENT_USER));
        EXPECT_EQ(DefaultDestination(), ui::ItemText(page, IDC_DEST_FOLDER));
        ASSERT_TRUE(Choose(page, IDC_CURRENT_USER));

        ASSERT_TRUE(GoNext(frame));
        page = ui::ChildDialog(frame);
        EXPECT_EQ((std::vector<std::string>{"Mine", "Startup"}), GroupList(page));
        EXPECT_EQ("Tools\\Capture", ui::ItemText(page, IDC_GROUP));
        ASSERT_TRUE(GoBack(frame));  // leaving the page saves it
    });
    EXPECT_EQ(0, setupState.allUsers);
    EXPECT_EQ("Tools\\Capture", setupState.programGroup);
    EXPECT_EQ(1, setupState.autoStart);
    EXPECT_EQ(0, setupState.desktopIcon);
    EXPECT_EQ(DefaultDestination(), setupState.destFolder);
}

TEST_F(WizardTest, GroupListHoldsOnlyTheProgramsFoldersOwnSubfolders)
{
    const struct {
        const char* what;
        bool emptyFolder;        // the Programs folder exists but holds nothing
        bool unreadable;         // the shell-folder value is empty
        std::string group;
        std::vector<std::string> listed;
    } cases[] = {
        {"folders only, sorted", false, false, "Pictorel 5", {"Accessories", "Games"}},
        {"empty Programs folder", true, false, "Pictorel 5", {}},
        {"unreadable Programs folder: no drive root", false, true, "Pictorel 5", {}},
        {"empty group name shown and stored", false, false, "", {"Accessories", "Games"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(programs);
        MakeFolders(programs);
        if (!c.emptyFolder) MakeGroups(programs, {"Games", "Accessories", "Games\\Cards"}, {"Notes.lnk"});
        RegWrite(HKEY_CURRENT_USER, ProductProfile::shellFoldersKey, ProductProfile::programsValue,
                 c.unreadable ? std::string() : programs);
        setupState.programGroup = c.group;
        setupState.licenseAccepted = 0;
        RunWizard([&](HWND frame) {
            ASSERT_TRUE(GoForwardTo(frame, Page::programGroup));
            HWND page = ui::ChildDialog(frame);
            EXPECT_EQ(c.listed, GroupList(page));
            EXPECT_EQ(c.group, ui::ItemText(page, IDC_GROUP));
            ASSERT_TRUE(GoNext(frame));
        });
        EXPECT_EQ(c.group, setupState.programGroup);
    }
}

TEST_F(WizardTest, FolderNoteWarnsOnlyAboutAFoundInstallationOfThisVersion)
{
    const struct {
        const char* what;
        int freshInstall;
        bool holdsProduct;
        const char* note;
    } cases[] = {
        {"found installation holding the product", 0, true, folderHasCopy},
        {"found installation without the product", 0, false, folderHint},
        {"fresh install over a folder holding the product", 1, true, folderHint},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(DefaultDestination());
        if (c.holdsProduct) {
            MakeFolders(DefaultDestination());
            WriteTextFile(DefaultDestination() + ProductProfile::mainExecutablePath, "MZ");
        }
        setupState.freshInstall = c.freshInstall;
        setupState.licenseAccepted = 0;
        RunWizard([&](HWND frame) {
            ASSERT_TRUE(GoForwardTo(frame, Page::destination));
            EXPECT_EQ(c.note, ui::ItemText(ui::ChildDialog(frame), IDC_FOLDER_NOTE));
        });
    }
}

}  // namespace
