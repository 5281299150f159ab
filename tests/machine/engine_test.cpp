// The installation engine's effects on the machine, each shown once: files
// replaced (in use, protected, missing), deletion at the next start, registry
// strings, shortcuts read back; and the main window of a process.
#include "app/product_profile.h"
#include "app/setup_state.h"
#include "engine/file_copy.h"
#include "engine/registry_access.h"
#include "engine/shell_link.h"
#include "instances/main_window.h"
#include "support/machine.h"
#include "support/sandbox.h"
#include "uninstall/reboot_delete.h"

SetupState setupState;

namespace {

using P = ProductProfile;
const char* const sessionManager = "System\\CurrentControlSet\\Control\\Session Manager";

class Engine : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        MakeFolders(src);
        MakeFolders(dst);
    }
    const std::string src = Path("dist"), dst = Path("dest");
};

TEST_F(Engine, AFileInUseIsMovedAsideAndDeletedAtTheNextStart)
{
    const std::string target = dst + "\\Pictrl5.exe";
    ASSERT_TRUE(CopyFileA((BinFolder() + "\\holder.exe").c_str(), target.c_str(), FALSE));
    WriteFileText(target + ".old", "left by an earlier run");
    WriteFileText(src + "\\Pictrl5.exe", "new");
    const KernelHandle release = HolderRelease();
    Process running;  // its own file is in use from its start on
    ASSERT_TRUE(running.Start(Quoted(target)) && !DeleteFileA(target.c_str()));

    EXPECT_NE(0, CopyOneFile("Pictrl5.exe", src.c_str(), dst.c_str(), nullptr));

    EXPECT_EQ("new", ReadFileText(target));
    EXPECT_EQ(ReadFileText(BinFolder() + "\\holder.exe"), ReadFileText(target + ".old"));
    EXPECT_NE(std::string::npos, RegText(HKEY_LOCAL_MACHINE, sessionManager, "PendingFileRenameOperations").find(target + ".old"));
}

TEST_F(Engine, ACopyReplacesWhatItMayAndLeavesTheRest)
{
    const DWORD protect = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, normal = FILE_ATTRIBUTE_ARCHIVE;
    const std::string same = Path("DIST\\");  // the source folder spelt otherwise
    const struct {
        const char* what;
        DWORD source, existing;  // attributes of the source and the target; 0: no such file
        bool held;             // the target open without delete sharing
        std::string folder;
        const char *newName, *target;
        bool copied;
        const char* after;  // the target's content afterwards
    } cases[] = {
        {"read-only hidden target", protect, protect, false, dst, nullptr, "dest\\a.dat", true, "source"},
        {"target held open", normal, normal, true, dst, nullptr, "dest\\a.dat", false, "target"},
        {"missing source", 0, FILE_ATTRIBUTE_READONLY, false, dst, nullptr, "dest\\a.dat", false, "target"},
        {"the source itself", protect, 0, false, same, nullptr, "dist\\a.dat", true, "source"},
        {"rename in place, no source", 0, normal, false, same, "b.dat", "dist\\b.dat", true, "target"},
        {"rename in place, read-only target", normal, FILE_ATTRIBUTE_READONLY, false, same, "b.dat", "dist\\b.dat", true, "target"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string source = src + "\\a.dat", target = Path(c.target);
        RemoveTree(src), RemoveTree(dst), MakeFolders(dst);
        if (c.existing) WriteFileText(target, "target"), SetFileAttributesA(target.c_str(), c.existing);
        if (c.source) WriteFileText(source, "source"), SetFileAttributesA(source.c_str(), c.source);
        const DWORD sourceAttributes = GetFileAttributesA(source.c_str());
        KernelHandle held(c.held ? CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, 0)
                                 : nullptr);

        EXPECT_EQ(c.copied, CopyOneFile("a.dat", src.c_str(), c.folder.c_str(), c.newName) != 0);

        held.Close();
        EXPECT_EQ(c.after, ReadFileText(target));
        EXPECT_EQ(sourceAttributes, GetFileAttributesA(source.c_str()));  // the source is never touched
        if (c.after == std::string("source")) { EXPECT_EQ(sourceAttributes, GetFileAttributesA(target.c_str())); }
        EXPECT_FALSE(FileExists(target + ".old"));
    }
}

TEST_F(Engine, APatternCopiesItsMatchesUntilOneFails)
{
    EXPECT_EQ(0, CopyMatchingFiles("*.dat", src.c_str(), Path("new").c_str()));
    EXPECT_FALSE(FolderExists(Path("new")));
    for (const char* name : {"m1.dat", "m2.dat", "m3.dat", "m4.dat", "m5.dat"}) WriteFileText(src + "\\" + name, name);
    std::vector<std::string> order;  // the search's own order decides which match is the third
    WIN32_FIND_DATAA data;
    FindHandle find(FindFirstFileA((src + "\\m*.dat").c_str(), &data));
    do order.push_back(data.cFileName);
    while (FindNextFileA(find.Get(), &data));
    MakeFolders(Path("new\\" + order.at(2)));  // a folder in its way: the third copy fails, and the folder stays

    EXPECT_EQ(2, CopyMatchingFiles("m*.dat", (src + "\\").c_str(), Path("new").c_str()));

    EXPECT_EQ(order[0] + "\n" + order[1] + "\n" + order[2] + "\\\n", FolderTree(Path("new")));
    EXPECT_EQ(1, CopyMatchingFiles("m1.dat", src.c_str(), Path("made").c_str()));  // the folder made
    EXPECT_TRUE(FileExists(Path("made\\m1.dat")));
}

std::vector<std::string> RenameSection()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "WININIT.INI");  // the cache flushed: read from the disk
    std::vector<char> block(65536);
    const DWORD length = GetPrivateProfileSectionA("rename", block.data(), 65536, "WININIT.INI");
    std::vector<std::string> lines;
    for (DWORD at = 0; at < length; at += static_cast<DWORD>(lines.back().size()) + 1) lines.emplace_back(&block[at]);
    return lines;
}

BOOL WINAPI FailingMoveFileEx(LPCSTR, LPCSTR, DWORD) { return FALSE; }  // as on the 9x family

TEST_F(Engine, WithoutMoveFileExTheDeletionGoesIntoWininit)
{
    char windows[MAX_PATH] = "";
    const std::string wininit = std::string(windows, GetWindowsDirectoryA(windows, MAX_PATH)) + "\\WININIT.INI";
    const std::string path = "C:\\Program Files\\Pictorel 5\\Pictrl5.exe.old", line = "NUL=C:\\" + std::string(89, 'x');
    std::string full = "[rename]\r\n";  // 167 lines of 98 characters leave no room in 16384
    for (int i = 0; i < 167; ++i) full += line + std::to_string(i % 10) + "\r\n";
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {"NUL=" + path}},
        {"[rename]\r\nNUL=C:\\a.old\r\nNUL=C:\\b.old\r\n", {"NUL=C:\\a.old", "NUL=C:\\b.old", "NUL=" + path}},
        {full, {}},  // left as it was
    };
    rebootMoveFileEx = FailingMoveFileEx;
    for (const auto& [before, after] : cases) {
        DeleteFileA(wininit.c_str());
        if (!before.empty()) WriteFileText(wininit, before);
        const std::vector<std::string> lines = RenameSection();
        DeleteAtReboot(path);
        EXPECT_EQ(after.empty() ? lines : after, RenameSection());
    }
    rebootMoveFileEx = MoveFileExA;
    DeleteFileA(wininit.c_str());
}

TEST_F(Engine, RegistryStringsAreReadWithinTheirBuffer)
{
    const std::string key = "SOFTWARE\\Velmora\\Test";  // goes with the product's keys
    RegKey k;
    ASSERT_EQ(ERROR_SUCCESS, k.Create(HKEY_LOCAL_MACHINE, key.c_str()));
    const std::tuple<const char*, DWORD, std::string> values[] = {{"fits", REG_SZ, std::string(259, 'p') + '\0'},
                                                                  {"too long", REG_SZ, std::string(260, 'q') + '\0'},
                                                                  {"binary", REG_BINARY, std::string("ab\0cd", 5)}};
    for (const auto& [name, type, bytes] : values)
        RegSetValueExA(k.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size()));
    const std::tuple<std::string, const char*, std::string> reads[] = {{key + "\\missing", "fits", ""},
        {key, "missing", ""}, {key, "fits", std::string(259, 'p')}, {key, "too long", ""}, {key, "binary", "ab"}};
    for (const auto& [path, name, text] : reads)
        EXPECT_EQ(text, ReadRegistryString(HKEY_LOCAL_MACHINE, path.c_str(), name)) << path << " " << name;
}

TEST_F(Engine, ShortcutsPointAtTheBareTargetAndAreLogged)
{
    setupState.destFolder = Path("P5");
    const std::string target = Path("P5\\Pictrl5.exe");
    WriteFileText(target, "program");
    const struct {
        std::string target, link;
        const char *arguments, *folder;
        bool saved;
    } cases[] = {
        {Quoted(target), programs + "\\Pictorel 5.lnk", nullptr, nullptr, true},
        {target, startup + "\\..\\Startup\\p 5.LNK", "-x", "C:\\", true},  // logged as given
        {target, programs + "\\Pictorel 5.lnk", nullptr, nullptr, true},    // over the first
        {target, Path("no group\\Pictorel 5.lnk"), nullptr, nullptr, false},
    };
    std::string logged;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        EXPECT_EQ(c.saved, SUCCEEDED(CreateShellLink(c.target.c_str(), c.link.c_str(), "", SW_SHOWNORMAL, c.arguments,
                                                     c.folder)));
        Shortcut link;
        ASSERT_EQ(c.saved, ReadShortcut(c.link, link));
        if (c.saved) logged += "Shell Link: " + c.link + "\r\n";
        EXPECT_EQ(c.saved ? target : "", link.target);
        EXPECT_EQ(c.arguments ? c.arguments : "", link.arguments);
        EXPECT_EQ(c.folder ? c.folder : "", link.folder);
        EXPECT_EQ("", link.description);
        EXPECT_EQ(logged, ReadFileText(Path("P5\\PictrlUnInst.log")));
    }
    EXPECT_EQ(1, comInitialized);
}

// The window a process is asked to close through, and notified through.
TEST(FindMainWindow, PassesOverHelperWindowsAndTakesAHiddenOne)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "PictorelTestWindow";
    RegisterClassA(&windowClass);
    const std::tuple<const char*, DWORD, bool, bool> cases[] = {  // title, extended style, owned, passed over
        {"Owned", 0, true, true},          {"Tool", WS_EX_TOOLWINDOW, false, true}, {"DDE Server Window", 0, false, true},
        {"OleMainThreadWndName", 0, false, true}, {"DDE server window", 0, false, false}, {"", 0, false, false}};
    for (const auto& [title, exStyle, owned, passedOver] : cases) {
        // The later window comes first in the enumeration: the one to pass over.
        HWND candidate = CreateWindowExA(0, "PictorelTestWindow", "x", WS_OVERLAPPED, 0, 0, 9, 9, 0, 0, 0, 0);
        HWND other = CreateWindowExA(exStyle, "PictorelTestWindow", title, WS_OVERLAPPED, 0, 0, 9, 9,
                                     owned ? candidate : nullptr, 0, 0, 0);
        EXPECT_EQ(passedOver ? candidate : other, FindMainWindow(GetCurrentProcessId())) << title;
        DestroyWindow(other);
        DestroyWindow(candidate);
    }
    EXPECT_EQ(nullptr, FindMainWindow(0x40000001));  // ids are multiples of 4: no such process
}

// What no run shows: setup.exe asks for administrator rights and the current
// common controls, and carries its version.
TEST(SetupFile, CarriesItsManifestAndVersion)
{
    const std::string path = BinFolder() + "\\setup.exe";
    HMODULE setup = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(setup, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(nullptr, found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(setup, found))),
                               SizeofResource(setup, found));
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    DWORD handle = 0;
    EXPECT_GT(GetFileVersionInfoSizeA(path.c_str(), &handle), 0u);
}

}  // namespace
