// The Browse button through the shell's real folder dialog, and the folder
// rules applied to what the user chose there.
#include "wizard_run.h"

#include "app/product_profile.h"
#include "app/setup_state.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/ui_driver.h"
#include "wizard/destination_page.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>

#include <thread>

namespace {

const char* const oldVersionRefused =
    "Pictorel ver. 5 can not be installed into the same folder where the old version 4.xx is installed. "
    "Please select a different folder.";

// The text of the folder dialog's selected tree item.
std::string SelectedFolderName(HWND dialog)
{
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    char text[MAX_PATH] = "";
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    if (item == nullptr || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return "";
    return text;
}

// Selects folder in the folder dialog as a user would by clicking through
// the tree. Wine fills the tree while the dialog opens, and a selection made
// meanwhile can land elsewhere, so it is checked and repeated.
bool SelectFolder(HWND dialog, const std::string& folder)
{
    std::string name = folder.substr(folder.find_last_of('\\') + 1);
    return ui::WaitFor(
        [&] {
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
            return SelectedFolderName(dialog) == name;
        },
        15000);
}

// Opens the folder dialog from the destination page, selects folder (none:
// keep the preselection) and presses OK, or Cancel when cancel is set.
bool BrowseTo(HWND frame, const std::string& folder, bool cancel = false)
{
    HWND page = ui::ChildDialog(frame);
    // Now and then Wine's dialog never takes the selection; a user would
    // close it and browse again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!ui::Click(page, IDC_BROWSE)) return false;
        HWND dialog = ui::WaitForOwnedDialog(frame);
        if (dialog == nullptr) return false;
        if (folder.empty() || SelectFolder(dialog, folder)) return ui::Click(dialog, cancel ? IDCANCEL : IDOK);
        ui::Click(dialog, IDCANCEL);
        if (!ui::WaitFor([&] { return ui::FindOwnedDialog(frame) == nullptr; })) return false;
    }
    return false;
}

bool DialogGone(HWND frame)
{
    return ui::WaitFor([&] { return ui::FindOwnedDialog(frame) == nullptr; });
}

TEST_F(WizardTest, BrowseAppliesTheFolderRulesToTheChosenFolder)
{
    const std::string old = Path("old"), current = Path("current"), both = Path("both"), other = Path("other"),
                      empty = Path("empty");
    MakeFolders(old);
    WriteTextFile(old + ProductProfile::previousMajorExecutable, "MZ");
    MakeFolders(both);
    WriteTextFile(both + ProductProfile::previousMajorExecutable, "MZ");
    WriteTextFile(both + ProductProfile::mainExecutablePath, "MZ");
    MakeFolders(current);
    WriteTextFile(current + ProductProfile::mainExecutablePath, "MZ");
    MakeFolders(other + "\\sub");
    MakeFolders(empty);

    const struct {
        const char* what;
        std::string chosen;
        bool refused;
        std::string destination;  // afterwards
    } cases[] = {
        {"folder of this version taken as is", current, false, current},
        {"other contents get the sub-folder", other, false, other + "\\Pictorel 5"},
        {"old version refused", old, true, other + "\\Pictorel 5"},
        {"old version refused beside this one", both, true, other + "\\Pictorel 5"},
        {"empty folder taken and removed again", empty, false, empty},
    };
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(GoForwardTo(frame, Page::destination));
        HWND page = ui::ChildDialog(frame);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            ASSERT_TRUE(BrowseTo(frame, c.chosen));
            if (c.refused) {
                HWND box = ui::WaitForMessageBox(AppTitle(), GetCurrentProcessId());
                ASSERT_NE(nullptr, box);
                ui::MessageBoxContent content = ui::ReadMessageBox(box);
                EXPECT_EQ(oldVersionRefused, content.text);
                EXPECT_EQ(ui::BoxIcon::exclamation, content.icon);
                EXPECT_EQ(std::vector<int>{IDOK}, content.buttonIds);
                ASSERT_TRUE(ui::AnswerMessageBox(box, IDOK));
            }
            ASSERT_TRUE(DialogGone(frame));
            EXPECT_TRUE(ui::WaitFor([&] { return ui::ItemText(page, IDC_DEST_FOLDER) == c.destination; }))
                << ui::ItemText(page, IDC_DEST_FOLDER);
        }
        EXPECT_FALSE(FolderExists(empty));
        ASSERT_TRUE(GoNext(frame));
    });
    EXPECT_EQ(empty, setupState.destFolder);
    EXPECT_TRUE(FolderExists(other + "\\sub"));
}

TEST_F(WizardTest, CancelledFolderDialogOnlyRemovesAnEmptyFolderAtTheDestination)
{
    const struct {
        const char* what;
        bool existsEmpty;
        bool holdsFile;
    } cases[] = {
        {"destination missing", false, false},
        {"destination an empty folder", true, false},
        {"destination with contents", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(DefaultDestination());
        if (c.existsEmpty) MakeFolders(DefaultDestination());
        if (c.holdsFile) WriteTextFile(DefaultDestination() + "\\keep.txt", "x");
        setupState.licenseAccepted = 0;
        RunWizard([&](HWND frame) {
            ASSERT_TRUE(GoForwardTo(frame, Page::destination));
            ASSERT_TRUE(BrowseTo(frame, "", true));
            ASSERT_TRUE(DialogGone(frame));
            EXPECT_EQ(DefaultDestination(), ui::ItemText(ui::ChildDialog(frame), IDC_DEST_FOLDER));
        });
        EXPECT_EQ(DefaultDestination(), setupState.destFolder);
        EXPECT_EQ(c.holdsFile, FolderExists(DefaultDestination()));
        EXPECT_EQ(c.holdsFile, FileExists(DefaultDestination() + "\\keep.txt"));
    }
}

TEST_F(WizardTest, FolderDialogOpensOnTheCurrentDestination)
{
    RunWizard([&](HWND frame) {
        ASSERT_TRUE(GoForwardTo(frame, Page::destination));
        // OK at once returns the preselected folder: the destination, which
        // the page makes so that it can be selected. Empty, it is taken as is.
        ASSERT_TRUE(BrowseTo(frame, ""));
        ASSERT_TRUE(DialogGone(frame));
        EXPECT_EQ(DefaultDestination(), ui::ItemText(ui::ChildDialog(frame), IDC_DEST_FOLDER));
        EXPECT_FALSE(FolderExists(DefaultDestination()));
    });
}

TEST_F(WizardTest, InvalidTypedFolderNameIsReportedAndKeepsTheDialogOpen)
{
    int kept = 0;
    std::thread driver([] {
        HWND box = ui::WaitForMessageBox(AppTitle(), GetCurrentProcessId());
        ASSERT_NE(nullptr, box);
        ui::MessageBoxContent content = ui::ReadMessageBox(box);
        EXPECT_EQ("You have entered and invalid folder name. Please correct.\nIf you want to create a new folder, "
                  "select its parent folder in the list and click \"Make New Foilder\" button.",
                  content.text);
        EXPECT_EQ(AppTitle(), content.caption);
        EXPECT_EQ(ui::BoxIcon::exclamation, content.icon);
        EXPECT_EQ(std::vector<int>{IDOK}, content.buttonIds);
        ui::AnswerMessageBox(box, IDOK);
    });
    kept = DestinationPage::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDA, reinterpret_cast<LPARAM>("C:\\<bad>"), 0);
    driver.join();
    EXPECT_EQ(1, kept);
}

}  // namespace
