// The wizard's own behaviour, shown once: run modally in this process, as the
// install driver runs it, and driven from a second thread as a user would
// (the folder dialog can be driven only from within the process).
#include "app/setup_state.h"
#include "resources/resource_ids.h"
#include "support/machine.h"
#include "support/sandbox.h"
#include "support/ui.h"
#include "wizard/destination_page.h"
#include "wizard/wizard_dialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include <thread>

namespace {

using Lines = std::vector<std::string>;

class Wizard : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        SetCurrentDirectoryA(root.c_str());  // where "agreement.txt" is read
        setupState = SetupState{};
        setupState.destFolder = dest, setupState.sourceFolder = Path("dist"), setupState.programGroup = "Pictorel 5";
        setupState.freshInstall = 1, setupState.versionMajor = 5, setupState.versionBuild = 2;
    }

    // The modal run; whatever a failed script leaves open is closed, so that it cannot hang the program.
    INT_PTR Run(const std::function<void(HWND frame)>& script)
    {
        const DWORD thread = GetCurrentThreadId();
        std::thread user([&] {
            HWND frame = ui::Find(title, GetCurrentProcessId(), false);
            if (frame != nullptr) script(frame);
            for (int i = 0; i < 5 && IsWindow(frame); ++i, Sleep(500)) {
                if (HWND box = ui::Find(title, GetCurrentProcessId(), true, 0)) ui::Answer(box, ui::Read(box).buttons[0]);
                else if (HWND folders = ui::OwnedDialog(frame)) ui::Click(folders, IDCANCEL);
                else ui::Click(frame, IDCANCEL) || ui::Click(frame, IDOK);
            }
            if (frame == nullptr || IsWindow(frame)) PostThreadMessageA(thread, WM_QUIT, 0, 0);
        });
        const INT_PTR result = WizardDialog().RunModal();
        user.join();
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return result;
    }

    ui::Box Said(UINT id)  // the wizard's box, which must say string id
    {
        const ui::Box box = ui::Read(ui::Find(title, GetCurrentProcessId(), true));
        EXPECT_EQ(SetupText(id), box.text);
        return box;
    }

    const std::string dest = Path("Program Files\\Pictorel 5"), title = SetupText(IDS_APP_TITLE);
};

Lines Groups(HWND page)
{
    Lines items;
    for (LRESULT i = 0, n = SendDlgItemMessageA(page, IDC_GROUP, CB_GETCOUNT, 0, 0); i < n; ++i) {
        char item[MAX_PATH] = "";
        SendDlgItemMessageA(page, IDC_GROUP, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        items.push_back(item);
    }
    return items;
}

bool Choose(HWND page, int id) { return ui::Click(page, id) && ui::WaitFor([&] { return ui::Check(page, id) == 1; }); }

TEST_F(Wizard, KeepsTheChoicesAcrossBackAndNextAsksBeforeCancellingAndInstalls)
{
    std::string agreement;
    for (int clause = 1; clause <= 100; ++clause) agreement += "Clause " + std::to_string(clause) + " of the terms.\r\n";
    WriteFileText(Path("agreement.txt"), agreement + std::string("\0hidden", 7));
    for (const char* group : {"Mine", "Startup"}) MakeFolders(programs + "\\" + group);
    for (const char* group : {"Zeta", "alpha", "Mid", "Mid\\Nested"}) MakeFolders(commonPrograms + "\\" + group);
    WriteFileText(commonPrograms + "\\Readme.lnk", "a file, not a group");
    // The product of this distribution holds the installation at its last step, its run with "-readopts".
    WriteFileText(Path("dist\\PictrlUnInst.log"), "File Copy: Pictrl5.exe\r\nFile Copy: readme.txt\r\n");
    WriteFileText(Path("dist\\readme.txt"), "read me");
    WriteFileText(Path("dist\\Pictrl5.ini"), "[Options]\r\n");
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\holder.exe").c_str(), Path("dist\\Pictrl5.exe").c_str(), FALSE));
    const KernelHandle release = HolderRelease();
    EXPECT_EQ(IDOK, Run([&](HWND frame) {
        EXPECT_EQ(title, ui::Text(frame));
        EXPECT_FALSE(ui::Visible(frame, IDC_BACK));
        EXPECT_NE(std::string::npos, ui::Text(ui::CurrentPage(frame), IDC_VERSION_LINE).find(" 5.00.02 \n"));
        ASSERT_TRUE(ui::Next(frame));
        HWND page = ui::CurrentPage(frame);
        EXPECT_EQ(SetupText(IDS_ACCEPT_LICENSE), ui::Text(frame));
        EXPECT_FALSE(ui::Visible(frame, IDC_SIDE_PICTURE));
        EXPECT_EQ(agreement, ui::Text(page, IDC_AGREEMENT));
        EXPECT_EQ(BST_CHECKED, ui::Check(page, IDC_DECLINE));
        EXPECT_FALSE(ui::Enabled(frame, IDOK));
        ASSERT_TRUE(ui::Click(page, IDC_ACCEPT) && ui::WaitFor([&] { return ui::Enabled(frame, IDOK); }));
        ASSERT_TRUE(ui::Click(page, IDC_DECLINE) && ui::WaitFor([&] { return !ui::Enabled(frame, IDOK); }));
        ASSERT_TRUE(ui::Click(page, IDC_ACCEPT) && ui::Back(frame));
        EXPECT_TRUE(title == ui::Text(frame) && !ui::Visible(frame, IDC_BACK) && ui::Visible(frame, IDC_SIDE_PICTURE));
        ASSERT_TRUE(ui::Next(frame));
        EXPECT_TRUE(ui::Check(ui::CurrentPage(frame), IDC_ACCEPT) && ui::Enabled(frame, IDOK)) << "the licence kept";

        ASSERT_TRUE(ui::Next(frame));
        page = ui::CurrentPage(frame);
        EXPECT_EQ(dest, ui::Text(page, IDC_DEST_FOLDER));
        EXPECT_NE(SetupText(IDS_FOLDER_HAS_COPY), ui::Text(page, IDC_FOLDER_NOTE));
        EXPECT_TRUE(ui::Visible(frame, IDC_SIDE_PICTURE) && ui::Check(page, IDC_CURRENT_USER));
        ASSERT_TRUE(Choose(page, IDC_ALL_USERS) && ui::Next(frame));
        page = ui::CurrentPage(frame);
        EXPECT_EQ(Lines({"alpha", "Mid", "Startup", "Zeta"}), Groups(page));  // the all-users groups, folders only
        EXPECT_EQ("Pictorel 5", ui::Text(page, IDC_GROUP));
        EXPECT_TRUE(ui::Check(page, IDC_AUTO_START) == BST_UNCHECKED && ui::Check(page, IDC_DESKTOP_ICON) == BST_CHECKED);
        SetDlgItemTextA(page, IDC_GROUP, "Tools\\Capture");
        ASSERT_TRUE(ui::Click(page, IDC_AUTO_START) && ui::Click(page, IDC_DESKTOP_ICON));
        ASSERT_TRUE(ui::WaitFor([&] { return ui::Check(page, IDC_DESKTOP_ICON) == BST_UNCHECKED; }) && ui::Next(frame));
        page = ui::CurrentPage(frame);
        EXPECT_TRUE(ui::Visible(page, IDC_READY_TEXT) && ui::Visible(page, IDC_READY_HINT));
        EXPECT_FALSE(ui::Visible(page, IDC_INSTALLING_TEXT) || ui::Visible(page, IDC_RUN_PRODUCT));
        ASSERT_TRUE(ui::Back(frame));
        page = ui::CurrentPage(frame);
        EXPECT_EQ("Tools\\Capture", ui::Text(page, IDC_GROUP));
        EXPECT_TRUE(ui::Check(page, IDC_AUTO_START) == BST_CHECKED && ui::Check(page, IDC_DESKTOP_ICON) == BST_UNCHECKED);
        ASSERT_TRUE(ui::Back(frame));
        EXPECT_EQ(BST_CHECKED, ui::Check(ui::CurrentPage(frame), IDC_ALL_USERS));
        ASSERT_TRUE(Choose(ui::CurrentPage(frame), IDC_CURRENT_USER) && ui::Next(frame));
        EXPECT_EQ(Lines({"Mine", "Startup"}), Groups(ui::CurrentPage(frame)));
        ASSERT_TRUE(ui::Next(frame));

        page = ui::CurrentPage(frame);  // Escape, the close box and Cancel all ask first; No changes nothing
        for (int way = 0; way < 3; ++way) {
            if (way < 2) PostMessageA(frame, way ? WM_SYSCOMMAND : WM_KEYDOWN, way ? SC_CLOSE : VK_ESCAPE, 0);
            if (way == 2) ui::Click(frame, IDCANCEL);
            const ui::Box box = Said(IDS_CONFIRM_CANCEL);
            EXPECT_TRUE(box.icon == ui::Icon::question && box.defaultButton == IDNO && box.owner == frame);
            EXPECT_EQ(std::vector<int>({IDYES, IDNO}), box.buttons);
            ASSERT_TRUE(ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDNO));
            EXPECT_TRUE(page == ui::CurrentPage(frame) && ui::Enabled(frame, IDCANCEL) && ui::Enabled(frame, IDC_BACK));
        }

        ASSERT_TRUE(ui::Click(frame, IDOK) && ui::WaitFor([&] { return ui::Visible(page, IDC_INSTALLING_TEXT); }));
        for (int id : {IDC_READY_TEXT, IDC_READY_HINT, IDC_RUN_PRODUCT}) EXPECT_FALSE(ui::Visible(page, id)) << id;
        for (int id : {IDC_BACK, IDOK, IDCANCEL}) EXPECT_FALSE(ui::Enabled(frame, id)) << id;
        EXPECT_TRUE(ui::WaitFor([&] { return FileExists(dest + "\\readme.txt"); })) << "installing";
        PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);  // as a user would try
        SetEvent(release.Get());
        ASSERT_TRUE(ui::WaitFor([&] { return ui::Visible(page, IDC_RUN_PRODUCT); }, 30000));
        EXPECT_TRUE(SetupText(IDS_FINISH) == ui::Text(frame, IDOK) && ui::Enabled(frame, IDOK));
        EXPECT_FALSE(ui::Enabled(frame, IDC_BACK) || ui::Enabled(frame, IDCANCEL) || ui::Visible(page, IDC_INSTALLING_TEXT));
        EXPECT_EQ(SetupText(IDS_INSTALLED), ui::Text(page, IDC_READY_TEXT));
        EXPECT_EQ(SetupText(IDS_PRESS_FINISH), ui::Text(page, IDC_READY_HINT));
        EXPECT_EQ(BST_UNCHECKED, ui::Check(page, IDC_RUN_PRODUCT));
        EXPECT_EQ(nullptr, ui::Find(title, GetCurrentProcessId(), true, 300)) << "Cancel was disabled";
        ASSERT_TRUE(Choose(page, IDC_RUN_PRODUCT) && ui::Click(frame, IDOK));
    }));
    EXPECT_EQ("Tools\\Capture", setupState.programGroup);
    EXPECT_TRUE(!setupState.allUsers && setupState.autoStart && !setupState.desktopIcon && setupState.runProduct);
}

TEST_F(Wizard, BrowseAppliesTheFolderRulesToTheChosenFolder)
{
    const std::string old = Path("old"), current = Path("current"), other = Path("other"), empty = Path("empty");
    for (const std::string& file : {old + "\\Pictrl.exe", old + "\\Pictrl5.exe", current + "\\Pictrl5.exe", other + "\\a\\b"})
        WriteFileText(file, "x");
    MakeFolders(empty);
    setupState.freshInstall = 0, setupState.licenseAccepted = 1;
    const std::tuple<std::string, bool, std::string, bool> cases[] = {  // chosen, refused, destination, string 19 shown
        {"", false, dest, false},  // opens on the destination, made for it and removed again
        {current, false, current, true},
        {"-", false, current, true},  // cancelled: a destination with contents stays
        {other, false, other + "\\Pictorel 5", false},
        {old, true, other + "\\Pictorel 5", false},
        {empty, false, empty, false},  // taken, and removed until the installation makes it
        {"-", false, empty, false}};
    Run([&](HWND frame) {
        ASSERT_TRUE(ui::Next(frame) && ui::Next(frame));
        HWND page = ui::CurrentPage(frame);
        for (const auto& [chosen, refused, destination, note] : cases) {
            SCOPED_TRACE(chosen);
            // Wine fills the tree while the dialog opens and may lose a selection
            // made meanwhile; now and then it takes none: a user would browse again.
            const std::string shown = chosen.size() > 1 ? chosen : setupState.destFolder;
            HWND dialog = nullptr;
            bool selected = false;
            for (int attempt = 0; attempt < 3 && !selected; ++attempt) {
                if (dialog != nullptr) ui::Click(dialog, IDCANCEL), ui::WaitFor([&] { return !ui::OwnedDialog(frame); });
                ASSERT_TRUE(ui::Click(page, IDC_BROWSE) && ui::WaitFor([&] { return (dialog = ui::OwnedDialog(frame)); }));
                HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
                selected = ui::WaitFor([&] {
                    if (chosen.size() > 1) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, LPARAM(chosen.c_str()));
                    char text[MAX_PATH] = "";
                    TVITEMA item{TVIF_TEXT, TreeView_GetSelection(tree), 0, 0, text, MAX_PATH, 0, 0, 0, 0};
                    return TreeView_GetItem(tree, &item) && shown.substr(shown.rfind('\\') + 1) == text;
                }, 10000);
            }
            ASSERT_TRUE(selected && ui::Click(dialog, chosen == "-" ? IDCANCEL : IDOK));
            if (refused) {
                EXPECT_EQ(ui::Icon::exclamation, Said(IDS_OLD_VERSION_FOLDER).icon);
                ASSERT_TRUE(ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDOK));
            }
            EXPECT_TRUE(ui::WaitFor([&] { return !ui::OwnedDialog(frame) && ui::Text(page, IDC_DEST_FOLDER) == destination; }))
                << ui::Text(page, IDC_DEST_FOLDER);
            EXPECT_EQ(note, SetupText(IDS_FOLDER_HAS_COPY) == ui::Text(page, IDC_FOLDER_NOTE));
        }
        EXPECT_FALSE(FolderExists(empty) || FolderExists(dest));
        ASSERT_TRUE(ui::Next(frame));
    });
    EXPECT_EQ(empty, setupState.destFolder);
    std::thread user([&] {  // a name typed into the dialog that is no folder: said, and the dialog stays
        const ui::Box box = Said(IDS_INVALID_FOLDER);
        EXPECT_TRUE(box.icon == ui::Icon::exclamation && box.buttons == std::vector<int>{IDOK});
        ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDOK);
    });
    EXPECT_EQ(1, DestinationPage::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDA, 0, 0));
    user.join();
}

}  // namespace
