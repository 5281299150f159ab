// What only the machine shows, each once, in this process: the copy engine's effects on files, and the wizard's own
// behaviour, run modally as setup runs it and driven from a second thread (the folder dialog needs this process).
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "engine/file_copy.h"
#include "core/resource_ids.h"
#include "support/machine.h"
#include "support/sandbox.h"
#include "support/ui.h"
#include "uninstall/default_shortcuts.h"
#include "win/failure_trace.h"
#include "win/protected_folder.h"
#include "wizard/destination_page.h"
#include "wizard/wizard_dialog.h"

#include <commctrl.h>
#include <sddl.h>
#include <shlobj.h>

#include <atomic>
#include <thread>

SetupState setupState;

namespace {

const char* const sessionManager = "System\\CurrentControlSet\\Control\\Session Manager";

class Engine : public Sandbox {
protected:
    const std::string src = Path("dist"), dst = Path("dest");
};

TEST_F(Engine, AFileInUseIsMovedAsideAndDeletedAtTheNextStart)
{
    const std::string target = dst + "\\Pictrl5.exe";
    MakeFolders(dst);
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\holder.exe").c_str(), target.c_str(), FALSE));
    WriteFileText(target + ".old", "left by an earlier run");
    WriteFileText(src + "\\Pictrl5.exe", "new");
    const KernelHandle release = HolderRelease();
    Process running;  // its own file is in use from its start on
    ASSERT_TRUE(running.Start(Quoted(target)) && !DeleteFileA(target.c_str()));
    EXPECT_NE(0, CopyOneFile("Pictrl5.exe", src.c_str(), dst.c_str(), nullptr));
    EXPECT_EQ("new", ReadFileText(target));
    EXPECT_EQ(ReadFileText(BinFolder() + "\\holder.exe"), ReadFileText(target + ".old"));
    const std::string pending = RegText(HKEY_LOCAL_MACHINE, sessionManager, "PendingFileRenameOperations");
    EXPECT_NE(std::string::npos, pending.find(target + ".old"));
}

TEST_F(Engine, ACopyReplacesWhatItMayAndLeavesTheRest)
{
    const DWORD protect = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, normal = FILE_ATTRIBUTE_ARCHIVE;
    const std::string same = Path("DIST\\");  // the source folder spelt otherwise
    // what; attributes of the source and the target (0: no such file, 1: read-only), the target held open
    // without delete sharing; the folder copied into, the new name, the target; copied, its content afterwards
    using Case = std::tuple<const char*, DWORD, DWORD, bool, std::string, const char*, const char*, bool, std::string>;
    const Case cases[] = {
        {"read-only hidden target", protect, protect, false, dst, nullptr, "dest\\a.dat", true, "source"},
        {"target held open", normal, normal, true, dst, nullptr, "dest\\a.dat", false, "target"},
        {"missing source", 0, 1, false, dst, nullptr, "dest\\a.dat", false, "target"},
        {"the source itself", protect, 0, false, same, nullptr, "dist\\a.dat", true, "source"}};
    for (const auto& [what, source, existing, held, folder, newName, target, copied, after] : cases) {
        SCOPED_TRACE(what);
        const std::string from = src + "\\a.dat", to = Path(target);
        RemoveTree(src), RemoveTree(dst), MakeFolders(dst);
        if (existing) WriteFileText(to, "target"), SetFileAttributesA(to.c_str(), existing);
        if (source) WriteFileText(from, "source"), SetFileAttributesA(from.c_str(), source);
        const DWORD sourceAttributes = GetFileAttributesA(from.c_str());
        KernelHandle open(held ? CreateFileA(to.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0)
                               : nullptr);
        EXPECT_EQ(copied, CopyOneFile("a.dat", src.c_str(), folder.c_str(), newName) != 0);
        open.Close();
        EXPECT_EQ(after, ReadFileText(to));
        EXPECT_EQ(sourceAttributes, GetFileAttributesA(from.c_str()));  // the source is never touched
        EXPECT_TRUE(after == "target" || sourceAttributes == GetFileAttributesA(to.c_str()));
        EXPECT_FALSE(FileExists(to + ".old"));
    }
}

TEST_F(Engine, APatternCopiesItsMatchesUntilOneFailsPassingOverNamesOutsideTheFolder)
{
    for (const char* name : {"m1.dat", "m2.dat", "m3.dat", "m4.dat"}) WriteFileText(src + "\\" + name, name);
    // The search's best-fit conversion gives this Unicode name back as "m/../x.dat" (or with "?" for "/").
    const std::wstring hostile = std::wstring(src.begin(), src.end()) + L"\\m\u2215..\u2215x.dat";
    KernelHandle(CreateFileW(hostile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    std::vector<std::string> order, skipped;  // the search's own order decides which match is the last
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA((src + "\\m*.dat").c_str(), &data));
    do (std::string(data.cFileName).find_first_of("/?") == std::string::npos ? order : skipped).push_back(data.cFileName);
    while (FindNextFileA(find.Get(), &data));
    ASSERT_EQ(1u, skipped.size());
    MakeFolders(Path("new\\" + order.at(3)));  // a folder in its way: the last copy fails, and the folder stays
    EXPECT_EQ(3, CopyMatchingFiles("m*.dat", (src + "\\").c_str(), Path("new").c_str()));
    EXPECT_EQ(order[0] + "\n" + order[1] + "\n" + order[2] + "\n" + order[3] + "\\\n", FolderTree(Path("new")));
    // A name in other letter case than the file's: the file is copied under its own name.
    EXPECT_TRUE(CopyMatchingFiles("M1.DAT", src.c_str(), Path("case").c_str()) == 1 && FolderTree(Path("case")) == "m1.dat\n");
}

TEST_F(Engine, TheFolderACopyMakesBelongsToAdministrators)
{
    WriteFileText(src + "\\a.dat", "a");
    ASSERT_TRUE(CopyMatchingFiles("a.dat", src.c_str(), dst.c_str()) == 1 && FolderExists(dst));
    // Wine keeps no descriptor with a file (it answers one made from the Unix owner): what is read back is the one
    // the copy hands to CreateDirectoryA. Nothing inherited from a parent users may write to, users only read.
    const LocalMemory descriptor = ProtectedFolderDescriptor();
    char* text = nullptr;
    ASSERT_TRUE(descriptor.IsValid() && ConvertSecurityDescriptorToStringSecurityDescriptorA(
                                            descriptor.Get(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr));
    EXPECT_EQ("D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)", std::string(text));
    LocalFree(text);
}

// Other users of the machine, each with a hive of their own and the profile the machine names for them, try to steer
// the uninstaller's every-user clean-up (run as administrator) into a folder of someone else's.
TEST_F(Engine, TheEveryUserCleanUpDeletesNothingOutsideEachUsersOwnProfile)
{
    const std::string shell = ProductProfile::shellFoldersKey, group = "\\Start Menu\\Programs\\Pictorel 5";
    auto user = [&](const std::string& name, const std::string& programs) {  // the user's hive
        const std::string sid = "S-1-5-21-7-7-7-" + name;
        Forget(HKEY_USERS, sid);
        Forget(HKEY_LOCAL_MACHINE, std::string(ProductProfile::profileListKey) + "\\" + sid);
        RegSet(HKEY_LOCAL_MACHINE, std::string(ProductProfile::profileListKey) + "\\" + sid,
               ProductProfile::profileImagePathValue, "%SystemDrive%" + Path(name).substr(2));
        for (const char* value : {ProductProfile::programsValue, ProductProfile::startupValue})
            RegSet(HKEY_USERS, sid + "\\" + shell, value, programs);
    };
    // Eve names a folder outside her profile; the current user's own group goes as it should.
    user("eve", Path("elsewhere"));
    for (const std::string& file : {Path("elsewhere\\Pictorel 5\\precious.txt"), Path("elsewhere\\Pictorel 5.lnk"),
                                    programs + "\\Pictorel 5\\mine.txt"})
        WriteFileText(file, "x");
    // Bob's group lies below a folder of his profile that leads into the victim's: a link there (standing in for a
    // junction), or the real folder renamed at the first deletion and the victim's put in its place, as a junction
    // re-pointed would do.
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i) names.push_back("f" + std::to_string(i) + ".lnk");
    const std::string startMenu = Path("bob\\Start Menu"), victim = Path("victim\\Programs\\Pictorel 5");
    for (const bool link : {true, false}) {
        SCOPED_TRACE(link ? "a link on the way" : "a folder on the way swapped");
        RemoveTree(Path("bob")), RemoveTree(Path("victim"));
        user("bob", startMenu + "\\Programs");
        for (const std::string& name : names)
            WriteFileText(victim + "\\" + name, "victim"), WriteFileText(Path("bob\\real\\Programs\\Pictorel 5\\") + name, "");
        ASSERT_TRUE(link ? FolderLink(Path("bob"), "Start Menu", "../victim") : MoveFileA(Path("bob\\real").c_str(), startMenu.c_str()));
        WIN32_FIND_DATAA first;
        FindHandle search(FindFirstFileA((startMenu + "\\Programs\\Pictorel 5\\f*").c_str(), &first));
        std::atomic<bool> done{false};
        std::thread watcher([&] {
            while (!link && !done && FileExists(startMenu + "\\Programs\\Pictorel 5\\" + first.cFileName)) Sleep(1);
            if (!link && !done && MoveFileA(startMenu.c_str(), Path("bob\\moved").c_str()))
                MoveFileA(Path("victim").c_str(), startMenu.c_str());
        });
        RemovePerUserDefaultShortcuts();
        done = true;
        watcher.join();
        const std::string victimNow = FolderExists(victim) ? victim : startMenu + "\\Programs\\Pictorel 5";
        for (const std::string& name : names) EXPECT_EQ("victim", ReadFileText(victimNow + "\\" + name)) << name;
        if (link) FolderLink(Path("bob"), "Start Menu", nullptr);  // not to be followed by the sandbox's removal
    }
    EXPECT_EQ("xx", ReadFileText(Path("elsewhere\\Pictorel 5\\precious.txt")) + ReadFileText(Path("elsewhere\\Pictorel 5.lnk")));
    EXPECT_FALSE(FolderExists(programs + "\\Pictorel 5"));
}

class Trace : public Sandbox {};

// Named a hard link (to a file the setup may write and its user may not) or a pipe (whose server would act as the
// setup), the trace variable gets no line there; named a plain file, it does.
TEST_F(Trace, GoesOnlyIntoAPlainFile)
{
    const std::string sentinel = Path("sentinel.txt"), linked = Path("linked.txt"), plain = Path("trace.txt"),
                      pipeName = "\\\\.\\pipe\\pictorel-trace";
    WriteFileText(sentinel, "sentinel");
    ASSERT_TRUE(CreateHardLinkA(linked.c_str(), sentinel.c_str(), nullptr));
    const KernelHandle pipe(CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_INBOUND, PIPE_NOWAIT, 1, 0, 4096, 0, nullptr));
    for (const std::string& named : {linked, pipeName, plain})
        SetEnvironmentVariableA(ProductProfile::traceFileVariable, named.c_str()), TraceFailure("step", "traced", 2);
    SetEnvironmentVariableA(ProductProfile::traceFileVariable, nullptr);
    EXPECT_EQ("sentinel", ReadFileText(sentinel));
    EXPECT_NE(std::string::npos, ReadFileText(plain).find("] step traced: error 2: "));
    EXPECT_TRUE(!ConnectNamedPipe(pipe.Get(), nullptr) && GetLastError() == ERROR_PIPE_LISTENING) << "a client came";
}

using Lines = std::vector<std::string>;

class Wizard : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        SetCurrentDirectoryA(root.c_str());  // where "agreement.txt" is read
        setupState = SetupState{};
        setupState.destFolder = dest, setupState.sourceFolder = Path("dist"), setupState.programGroup = "Pictorel 5";
        setupState.versionMajor = 5, setupState.versionBuild = 2;  // not a fresh installation: the folder note may show
    }

    // The modal run. A script that failed leaves the wizard open: the quit message ends every modal loop.
    INT_PTR Run(const std::function<void(HWND frame)>& script)
    {
        const DWORD thread = GetCurrentThreadId();
        std::thread user([&] {
            HWND frame = ui::Find(title, GetCurrentProcessId(), false);
            if (frame != nullptr) script(frame);
            if (frame == nullptr || !WaitFor([&] { return !IsWindow(frame); }, 2000))
                PostThreadMessageA(thread, WM_QUIT, 0, 0);
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

Lines Groups(HWND page)  // the group list, one a line
{
    Lines items(SendDlgItemMessageA(page, IDC_GROUP, CB_GETCOUNT, 0, 0), std::string(MAX_PATH, '\0'));
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i].resize(SendDlgItemMessageA(page, IDC_GROUP, CB_GETLBTEXT, i, LPARAM(&items[i][0])));
    return items;
}

bool Choose(HWND page, int id) { return ui::Click(page, id) && WaitFor([&] { return ui::Check(page, id) == 1; }); }

// Next on the ready page with too little space on the destination's drive: said with the figures, nothing touched;
// Retry asks again, Cancel goes back to choose another folder.
TEST_F(Wizard, SaysHowMuchSpaceIsMissingAndGoesBackToTheDestination)
{
    ASSERT_TRUE(SmallDisk(programFiles, 256));
    struct Unmount { std::string folder; ~Unmount() { SmallDisk(folder, 0); } } unmount{programFiles};
    WriteFileText(Path("dist\\PictrlUnInst.log"), "File Copy: big.dat\r\n");
    WriteFileText(Path("dist\\big.dat"), std::string(512 * 1024, 'b'));
    char text[1024] = "";  // the file and the list, in whole 4 KB clusters
    std::snprintf(text, sizeof text, SetupText(IDS_NOT_ENOUGH_SPACE).c_str(), dest.c_str(), 516ul,
                  static_cast<unsigned long>(FreeBytes(programFiles) / 1024));
    EXPECT_EQ(IDCANCEL, Run([&](HWND frame) {
        ASSERT_TRUE(ui::WalkToReady(frame, {}) && ui::Click(frame, IDOK));
        for (int answer : {IDRETRY, IDCANCEL}) {
            HWND box = ui::Find(title, GetCurrentProcessId(), true);
            const ui::Box shown = ui::Read(box);
            EXPECT_TRUE(shown.text == text && shown.buttons == std::vector<int>({IDRETRY, IDCANCEL})) << shown.text;
            ASSERT_TRUE(ui::Answer(box, answer));
        }
        EXPECT_TRUE(WaitFor([&] { return ui::Visible(ui::CurrentPage(frame), IDC_DEST_FOLDER); }) && !FolderExists(dest));
        ASSERT_TRUE(ui::Click(frame, IDCANCEL) && ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDYES));
    }));
}

TEST_F(Wizard, TakesAUserThroughItsPagesAndInstalls)
{
    std::string agreement;
    for (int clause = 1; clause <= 100; ++clause) agreement += "Clause " + std::to_string(clause) + " of the terms.\r\n";
    WriteFileText(Path("agreement.txt"), agreement + std::string("\0hidden", 7));
    for (const char* group : {"Zeta", "alpha", "Mid", "Mid\\Nested"}) MakeFolders(commonPrograms + "\\" + group);
    WriteFileText(commonPrograms + "\\Readme.lnk", "a file, not a group");
    const std::string old = Path("old"), current = Path("current"), other = Path("other"), empty = Path("empty");
    for (const std::string& file : {old + "\\Pictrl.exe", old + "\\Pictrl5.exe", current + "\\Pictrl5.exe", other + "\\a",
                                    programFiles + "\\x"})
        WriteFileText(file, "x");
    MakeFolders(empty);
    ASSERT_TRUE(FolderLink(root, "linked", "other"));
    const std::tuple<std::string, bool, std::string, bool> browsed[] = {  // chosen, refused, destination, string 19 shown
        {"", false, dest, false},  // opens on the destination, made for it and removed again, as an empty one is
        {current, false, current, true}, {"-", false, current, true},  // cancelled: a destination with contents stays
        {other, false, other + "\\Pictorel 5", false}, {old, true, other + "\\Pictorel 5", false},
        {Path("linked"), false, other + "\\Pictorel 5", false},  // a link leads elsewhere: unchanged
        {empty, false, empty, false}, {"-", false, empty, false}, {programFiles, false, dest, false}};
    // The product of this distribution holds the installation at its last step, its run with "-readopts".
    WriteFileText(Path("dist\\PictrlUnInst.log"), "File Copy: Pictrl5.exe\r\nFile Copy: readme.txt\r\n");
    WriteFileText(Path("dist\\readme.txt"), "read me");
    WriteFileText(Path("dist\\Pictrl5.ini"), "[Options]\r\n");
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\holder.exe").c_str(), Path("dist\\Pictrl5.exe").c_str(), FALSE));
    const KernelHandle release = HolderRelease();
    EXPECT_EQ(IDOK, Run([&](HWND frame) {
        EXPECT_TRUE(title == ui::Text(frame) && !ui::Visible(frame, IDC_BACK));
        EXPECT_NE(std::string::npos, ui::Text(ui::CurrentPage(frame), IDC_VERSION_LINE).find(" 5.00.02 \n"));
        ASSERT_TRUE(ui::Next(frame));
        HWND page = ui::CurrentPage(frame);
        EXPECT_TRUE(SetupText(IDS_ACCEPT_LICENSE) == ui::Text(frame) && !ui::Visible(frame, IDC_SIDE_PICTURE));
        EXPECT_EQ(agreement, ui::Text(page, IDC_AGREEMENT));
        EXPECT_TRUE(ui::Check(page, IDC_DECLINE) && !ui::Enabled(frame, IDOK));
        ASSERT_TRUE(ui::Click(page, IDC_ACCEPT) && WaitFor([&] { return ui::Enabled(frame, IDOK); }));
        ASSERT_TRUE(ui::Click(page, IDC_DECLINE) && WaitFor([&] { return !ui::Enabled(frame, IDOK); }));
        ASSERT_TRUE(ui::Click(page, IDC_ACCEPT) && ui::Back(frame));
        EXPECT_TRUE(title == ui::Text(frame) && !ui::Visible(frame, IDC_BACK) && ui::Visible(frame, IDC_SIDE_PICTURE));
        ASSERT_TRUE(ui::Next(frame));
        EXPECT_TRUE(ui::Check(ui::CurrentPage(frame), IDC_ACCEPT) && ui::Enabled(frame, IDOK)) << "the licence kept";

        ASSERT_TRUE(ui::Next(frame));
        page = ui::CurrentPage(frame);
        EXPECT_TRUE(dest == ui::Text(page, IDC_DEST_FOLDER) && ui::Visible(frame, IDC_SIDE_PICTURE));
        for (const auto& [chosen, refused, destination, note] : browsed) {
            SCOPED_TRACE(chosen);
            // Wine fills the tree while the dialog opens and may lose a selection made meanwhile; now and then
            // it takes none: a user would browse again.
            const std::string shown = chosen.size() > 1 ? chosen : setupState.destFolder;
            HWND dialog = nullptr;
            bool selected = false;
            for (int attempt = 0; attempt < 3 && !selected; ++attempt) {
                if (dialog != nullptr) ui::Click(dialog, IDCANCEL), WaitFor([&] { return !ui::OwnedDialog(frame); });
                ASSERT_TRUE(ui::Click(page, IDC_BROWSE) && WaitFor([&] { return (dialog = ui::OwnedDialog(frame)); }));
                HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
                selected = WaitFor([&] {
                    if (chosen.size() > 1) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, LPARAM(chosen.c_str()));
                    char text[MAX_PATH] = "";
                    TVITEMA item{TVIF_TEXT, TreeView_GetSelection(tree), 0, 0, text, MAX_PATH, 0, 0, 0, 0};
                    return TreeView_GetItem(tree, &item) && shown.substr(shown.rfind('\\') + 1) == text;
                });
            }
            ASSERT_TRUE(selected && ui::Click(dialog, chosen == "-" ? IDCANCEL : IDOK));
            if (refused) {
                EXPECT_EQ(ui::Icon::exclamation, Said(IDS_OLD_VERSION_FOLDER).icon);
                ASSERT_TRUE(ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDOK));
            }
            EXPECT_TRUE(WaitFor([&] { return !ui::OwnedDialog(frame) && ui::Text(page, IDC_DEST_FOLDER) == destination; }))
                << ui::Text(page, IDC_DEST_FOLDER);
            EXPECT_EQ(note, SetupText(IDS_FOLDER_HAS_COPY) == ui::Text(page, IDC_FOLDER_NOTE));
        }
        EXPECT_TRUE(!FolderExists(empty) && !FolderExists(dest) && ui::Check(page, IDC_CURRENT_USER));
        EXPECT_TRUE(FolderLink(root, "linked", nullptr));
        ASSERT_TRUE(Choose(page, IDC_ALL_USERS) && ui::Next(frame));
        page = ui::CurrentPage(frame);
        EXPECT_EQ(Lines({"alpha", "Mid", "Startup", "Zeta"}), Groups(page));  // the all-users groups, folders only
        EXPECT_TRUE("Pictorel 5" == ui::Text(page, IDC_GROUP) && ui::Check(page, IDC_AUTO_START) == BST_UNCHECKED &&
                    ui::Check(page, IDC_DESKTOP_ICON) == BST_CHECKED);
        SetDlgItemTextA(page, IDC_GROUP, "Tools\\Capture");
        ASSERT_TRUE(ui::Click(page, IDC_AUTO_START) && ui::Click(page, IDC_DESKTOP_ICON));
        ASSERT_TRUE(WaitFor([&] { return ui::Check(page, IDC_DESKTOP_ICON) == BST_UNCHECKED; }) && ui::Next(frame));
        page = ui::CurrentPage(frame);
        EXPECT_TRUE(ui::Visible(page, IDC_READY_TEXT) && ui::Visible(page, IDC_READY_HINT));
        EXPECT_FALSE(ui::Visible(page, IDC_INSTALLING_TEXT) || ui::Visible(page, IDC_RUN_PRODUCT));
        ASSERT_TRUE(ui::Back(frame));
        page = ui::CurrentPage(frame);
        EXPECT_EQ("Tools\\Capture", ui::Text(page, IDC_GROUP));
        EXPECT_TRUE(ui::Check(page, IDC_AUTO_START) == BST_CHECKED && ui::Check(page, IDC_DESKTOP_ICON) == BST_UNCHECKED);
        ASSERT_TRUE(ui::Back(frame));
        EXPECT_EQ(BST_CHECKED, ui::Check(ui::CurrentPage(frame), IDC_ALL_USERS));
        ASSERT_TRUE(ui::Next(frame) && ui::Next(frame));

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
        // Installing, held by the product's run: what the wizard shows meanwhile stands still.
        ASSERT_TRUE(ui::Click(frame, IDOK) && WaitFor([&] { return FileExists(dest + "\\readme.txt"); }));
        EXPECT_TRUE(ui::Visible(page, IDC_INSTALLING_TEXT));
        for (int id : {IDC_READY_TEXT, IDC_READY_HINT, IDC_RUN_PRODUCT}) EXPECT_FALSE(ui::Visible(page, id)) << id;
        for (int id : {IDC_BACK, IDOK, IDCANCEL}) EXPECT_FALSE(ui::Enabled(frame, id)) << id;
        PostMessageA(frame, WM_KEYDOWN, VK_ESCAPE, 0);  // as a user would try
        SetEvent(release.Get());
        ASSERT_TRUE(WaitFor([&] { return ui::Visible(page, IDC_RUN_PRODUCT); }, 30000));
        EXPECT_TRUE(SetupText(IDS_FINISH) == ui::Text(frame, IDOK) && ui::Enabled(frame, IDOK));
        EXPECT_FALSE(ui::Enabled(frame, IDC_BACK) || ui::Enabled(frame, IDCANCEL) || ui::Visible(page, IDC_INSTALLING_TEXT))
            << "finished";
        EXPECT_TRUE(SetupText(IDS_INSTALLED) == ui::Text(page, IDC_READY_TEXT) && !ui::Check(page, IDC_RUN_PRODUCT));
        EXPECT_EQ(SetupText(IDS_PRESS_FINISH), ui::Text(page, IDC_READY_HINT));
        EXPECT_EQ(nullptr, ui::Find(title, GetCurrentProcessId(), true, 300)) << "Cancel was disabled";
        ASSERT_TRUE(Choose(page, IDC_RUN_PRODUCT) && ui::Click(frame, IDOK));
    }));
    EXPECT_TRUE(dest == setupState.destFolder && "Tools\\Capture" == setupState.programGroup);
    EXPECT_TRUE(setupState.allUsers && setupState.autoStart && !setupState.desktopIcon && setupState.runProduct);
    std::thread user([&] {  // a name typed into the folder dialog that is no folder: said, and the dialog stays
        const ui::Box box = Said(IDS_INVALID_FOLDER);
        EXPECT_TRUE(box.icon == ui::Icon::exclamation && box.buttons == std::vector<int>{IDOK});
        ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDOK);
    });
    EXPECT_EQ(1, DestinationPage::BrowseCallback(nullptr, BFFM_VALIDATEFAILEDA, 0, 0));
    user.join();
}

// The side picture, drawn for 200%, fills the height of its frame in the template; at 96 DPI it is the 120 x 260
// pixels it is laid out in. Wine reads its DPI as a process starts: each DPI is a run of this test of its own.
TEST_F(Wizard, FitsItsSidePictureToItsFrameAtEachDpi)
{
    if (const char* dpi = std::getenv("PICTOREL_TEST_DPI")) {
        Run([&](HWND frame) {
            HWND picture = GetDlgItem(frame, IDC_SIDE_PICTURE);
            RECT outer, inner, layout = {0, 0, 81, 161};  // the frame in the template, in dialog units
            BITMAP shown{};
            GetWindowRect(picture, &outer), GetClientRect(picture, &inner), MapDialogRect(frame, &layout);
            GetObjectA(HBITMAP(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof shown, &shown);
            EXPECT_TRUE(layout.bottom == outer.bottom - outer.top && shown.bmWidth == inner.right &&
                        shown.bmHeight == inner.bottom && (atoi(dpi) != 96 || shown.bmWidth == 120))
                << dpi << " DPI: " << shown.bmWidth << " x " << shown.bmHeight << " in " << inner.right << " x "
                << inner.bottom << ", the frame " << layout.bottom << " high";
            ui::Click(frame, IDCANCEL), ui::Answer(ui::Find(title, GetCurrentProcessId(), true), IDYES);
        });
        return;
    }
    RegKey desktop;
    ASSERT_EQ(ERROR_SUCCESS, desktop.Create(HKEY_CURRENT_USER, "Control Panel\\Desktop"));
    for (DWORD dpi : {144, 96}) {  // 96 last: Wine's own
        RegSetValueExA(desktop.Get(), "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        SetEnvironmentVariableA("PICTOREL_TEST_DPI", std::to_string(dpi).c_str());
        Process run;
        EXPECT_TRUE(run.Start(Quoted(BinFolder() + "\\machine_tests.exe") +
                              " --gtest_filter=Wizard.FitsItsSidePictureToItsFrameAtEachDpi") && run.Wait() == 0)
            << dpi << " DPI";
    }
    SetEnvironmentVariableA("PICTOREL_TEST_DPI", nullptr);
}

}  // namespace
