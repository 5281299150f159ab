// A whole installation from a prepared setup state, checked on the machine.
#include "app/product_profile.h"
#include "app/setup_state.h"
#include "engine/install_log.h"
#include "engine/install_procedure.h"
#include "product/stand_in_product.h"
#include "support/machine.h"
#include "support/sandbox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const baseList =
    "; Pictorel 5 distribution\r\n"
    "File Copy: Pictrl5.exe\r\n"
    "File Copy: *.bmp\r\n"
    "File Copy: setup.bin > PictrlUnInst.exe\r\n"
    "File Copy: notes source.txt   >   notes installed.txt\r\n"
    " File Copy: skipped.dat\r\n"
    "file copy: skipped.dat\r\n"
    "File Copy: ..\\outside.dat\r\n"
    "File Del: obsolete.dll\r\n"
    "File Del: old*.hlp | replaced by the chm\r\n";

class InstallProcedure : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        dist = Path("dist");
        dest = Path("Program Files\\Pictorel 5");
        record = Path("record.txt");
        MakeFolders(dist);
        MakeFolders(Path("Program Files"));
        ASSERT_TRUE(CopyFileA((TestBinFolder() + "\\Pictrl5.exe").c_str(), (dist + "\\Pictrl5.exe").c_str(), FALSE));
        for (const char* name : {"one.bmp", "two.bmp", "setup.bin", "notes source.txt", "skipped.dat"})
            WriteTextFile(dist + "\\" + name, std::string("content of ") + name);
        WriteTextFile(Path("outside.dat"), "outside");
        SetList(baseList);

        setupState = SetupState{};
        setupState.destFolder = dest;
        setupState.sourceFolder = dist;
        setupState.programGroup = "Pictorel 5";
        setupState.freshInstall = 1;
        SetEnvironmentVariableA(standInRecordVariable, record.c_str());
        SetEnvironmentVariableA(ProductProfile::sfxNameVariable, nullptr);
    }

    void TearDown() override
    {
        SetEnvironmentVariableA(standInRecordVariable, nullptr);
        SetEnvironmentVariableA(ProductProfile::sfxNameVariable, nullptr);
        Sandbox::TearDown();
    }

    void SetList(const std::string& list)
    {
        this->list = list;
        WriteTextFile(dist + "\\PictrlUnInst.log", list);
    }

    std::string Dest(const std::string& name) const { return dest + "\\" + name; }

    // The "-readopts" runs the stand-in product recorded.
    int ReadOptionsRuns() const
    {
        const std::string text = ReadTextFile(record);
        int runs = 0;
        for (std::size_t at = text.find("commandline -readopts\r\n"); at != std::string::npos;
             at = text.find("commandline -readopts\r\n", at + 1))
            ++runs;
        return runs;
    }

    std::string dist, dest, record, list;
};

std::string ShellLinks(const std::vector<std::string>& links)
{
    std::string text;
    for (const std::string& link : links) text += "Shell Link: " + link + "\r\n";
    return text;
}

TEST_F(InstallProcedure, FreshInstallationCopiesTheListedFilesAndWritesTheLog)
{
    // An earlier log and an obsolete file in the folder: a fresh installation
    // reads neither.
    MakeFolders(dest);
    WriteTextFile(Dest("obsolete.dll"), "old");
    WriteTextFile(Dest("install.log"), "Shell Link: " + Path("sentinel.lnk") + "\r\n");
    WriteTextFile(Path("sentinel.lnk"), "x");

    EXPECT_EQ(0, RunInstall());

    for (const char* name : {"Pictrl5.exe", "one.bmp", "two.bmp", "PictrlUnInst.exe", "notes installed.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(FileExists(Dest(name)));
    }
    EXPECT_EQ("content of setup.bin", ReadTextFile(Dest("PictrlUnInst.exe")));
    for (const char* name : {"skipped.dat", "notes source.txt", "setup.bin", "outside.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(FileExists(Dest(name)));
    }
    EXPECT_FALSE(FileExists(Path("Program Files\\outside.dat")));
    EXPECT_TRUE(FileExists(Dest("obsolete.dll")));
    EXPECT_TRUE(FileExists(Path("sentinel.lnk")));

    const std::string group = programs + "\\Pictorel 5";
    const std::string expected = list + "\r\n" + "Made Dir: " + group + "\r\n" +
                                 ShellLinks({group + "\\Pictorel 5.lnk", group + "\\Pictorel 5 Help.lnk",
                                             group + "\\Read about Pictorel 5.lnk",
                                             group + "\\Uninstall Pictorel 5.lnk", desktop + "\\Pictorel 5.lnk"});
    EXPECT_EQ(expected, ReadTextFile(Dest("PictrlUnInst.log")));

    const struct {
        std::string link, target;
    } links[] = {
        {group + "\\Pictorel 5.lnk", Dest("Pictrl5.exe")},
        {group + "\\Pictorel 5 Help.lnk", Dest("Pictrl5Man.chm")},
        {group + "\\Read about Pictorel 5.lnk", Dest("readme.txt")},
        {group + "\\Uninstall Pictorel 5.lnk", Dest("PictrlUnInst.exe")},
        {desktop + "\\Pictorel 5.lnk", Dest("Pictrl5.exe")},
    };
    for (const auto& l : links) {
        SCOPED_TRACE(l.link);
        EXPECT_STRCASEEQ(l.target.c_str(), ReadShortcutTarget(l.link).c_str());
    }
    EXPECT_FALSE(FileExists(startup + "\\Pictorel 5.lnk"));
}

TEST_F(InstallProcedure, RegistryEntriesAreWrittenWithExactData)
{
    RunInstall();
    const std::string uninstallKey = ProductProfile::uninstallKey;
    const struct {
        std::string key;
        const char* name;
        std::string data;
    } entries[] = {
        {"SOFTWARE\\Velmora\\Pictorel v.5", "AllUsers", "A"},
        {"SOFTWARE\\Velmora\\Pictorel v.5", "Path", dest},
        {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Pictrl5.exe", nullptr, Dest("Pictrl5.exe")},
        {uninstallKey, "Contact", "Support"},
        {uninstallKey, "DisplayName", "Pictorel 5"},
        {uninstallKey, "DisplayVersion", "5"},
        {uninstallKey, "Publisher", "Velmora Technology LLC"},
        {uninstallKey, "UninstallString", Dest("PictrlUnInst.exe")},
        {uninstallKey, "URLInfoAbout", ProductProfile::webSite},
    };
    for (const auto& e : entries) {
        SCOPED_TRACE(e.name ? e.name : "(default)");
        std::string data;
        DWORD type = 0;
        ASSERT_TRUE(RegRead(HKEY_LOCAL_MACHINE, e.key, e.name, data, &type));
        EXPECT_EQ(e.data, data);
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    }
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora\\Pictorel 5"));
}

TEST_F(InstallProcedure, ListWithoutFinalLineBreakIsCompletedBeforeMadeDir)
{
    SetList("File Copy: Pictrl5.exe");
    setupState.desktopIcon = 0;
    RunInstall();
    const std::string log = ReadTextFile(Dest("PictrlUnInst.log"));
    EXPECT_EQ(0u, log.find("File Copy: Pictrl5.exe\r\nMade Dir: " + programs + "\\Pictorel 5\r\n")) << log;
}

TEST_F(InstallProcedure, GroupNamesAreCleanedAndNestedFoldersMade)
{
    const struct {
        const char* typed;
        const char* folder;    // below the Programs folder
        const char* logged;    // the "Made Dir: " operand's tail
    } cases[] = {
        {"/A/B ", "A\\B", "\\A\\B"},
        {"\\Tools\\Capture\\", "Tools\\Capture", "\\Tools\\Capture"},
        {"  ", "", "\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        RemoveTree(dest);
        RemoveTree(programs);
        MakeFolders(programs);
        setupState.programGroup = c.typed;
        setupState.desktopIcon = 0;
        RunInstall();

        const std::string group = programs + c.logged;
        const std::string log = ReadTextFile(Dest("PictrlUnInst.log"));
        const std::string madeDir = "\r\nMade Dir: " + group + "\r\n";
        EXPECT_NE(std::string::npos, log.find(madeDir)) << log;
        EXPECT_EQ(log.find("Made Dir: "), log.rfind("Made Dir: ")) << "only the group itself is logged";
        EXPECT_TRUE(FolderExists(programs + "\\" + c.folder));
        const std::string link = std::string(c.folder).empty() ? programs + "\\Pictorel 5.lnk"
                                                               : group + "\\Pictorel 5.lnk";
        EXPECT_TRUE(FileExists(link)) << link;
        EXPECT_NE(std::string::npos, log.find("Shell Link: " + link + "\r\n")) << log;
    }
}

TEST_F(InstallProcedure, DesktopAndStartupShortcutsFollowTheChoicesAndScope)
{
    const struct {
        int allUsers, desktopIcon, autoStart;
    } cases[] = {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}, {1, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "allUsers " << c.allUsers << " desktop " << c.desktopIcon << " autostart "
                                        << c.autoStart);
        for (const std::string& folder : {programs, commonPrograms, desktop, startup, commonDesktop, commonStartup})
            RemoveTree(folder), MakeFolders(folder);
        setupState.allUsers = c.allUsers;
        setupState.desktopIcon = c.desktopIcon;
        setupState.autoStart = c.autoStart;
        setupState.programGroup = "Pictorel 5";
        RunInstall();

        const std::string& groupRoot = c.allUsers ? commonPrograms : programs;
        const std::string& otherRoot = c.allUsers ? programs : commonPrograms;
        EXPECT_TRUE(FileExists(groupRoot + "\\Pictorel 5\\Pictorel 5.lnk"));
        EXPECT_FALSE(FolderExists(otherRoot + "\\Pictorel 5"));
        EXPECT_EQ(c.desktopIcon == 1, FileExists((c.allUsers ? commonDesktop : desktop) + "\\Pictorel 5.lnk"));
        EXPECT_EQ(c.autoStart == 1, FileExists((c.allUsers ? commonStartup : startup) + "\\Pictorel 5.lnk"));
        EXPECT_FALSE(FileExists((c.allUsers ? desktop : commonDesktop) + "\\Pictorel 5.lnk"));
        EXPECT_FALSE(FileExists((c.allUsers ? startup : commonStartup) + "\\Pictorel 5.lnk"));
        std::string allUsers;
        RegRead(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velmora\\Pictorel v.5", "AllUsers", allUsers);
        EXPECT_EQ(c.allUsers ? "B" : "A", allUsers);
    }
}

TEST_F(InstallProcedure, ReinstallationRemovesTheEarlierGroupAndObsoleteFiles)
{
    setupState.programGroup = "Old Group";
    setupState.autoStart = 1;
    RunInstall();
    ASSERT_TRUE(FileExists(programs + "\\Old Group\\Pictorel 5.lnk"));
    WriteTextFile(Dest("obsolete.dll"), "old");
    WriteTextFile(Dest("old1.hlp"), "old");
    WriteTextFile(Dest("keep.hlp"), "mine");

    setupState = SetupState{};
    setupState.destFolder = dest;
    setupState.sourceFolder = dist;
    setupState.programGroup = "New Group";
    setupState.freshInstall = 0;
    RunInstall();

    EXPECT_FALSE(FolderExists(programs + "\\Old Group"));
    EXPECT_FALSE(FileExists(startup + "\\Pictorel 5.lnk"));
    EXPECT_TRUE(FileExists(programs + "\\New Group\\Pictorel 5.lnk"));
    EXPECT_TRUE(FileExists(desktop + "\\Pictorel 5.lnk"));  // removed, then made again
    EXPECT_FALSE(FileExists(Dest("obsolete.dll")));
    EXPECT_FALSE(FileExists(Dest("old1.hlp")));
    EXPECT_TRUE(FileExists(Dest("keep.hlp")));
    EXPECT_TRUE(FolderExists(programs));
}

TEST_F(InstallProcedure, ReinstallationIntoAnotherFolderLeavesTheEarlierShortcuts)
{
    setupState.programGroup = "Old Group";
    RunInstall();
    ASSERT_TRUE(FileExists(programs + "\\Old Group\\Pictorel 5.lnk"));

    setupState = SetupState{};
    setupState.destFolder = Path("Elsewhere");
    setupState.sourceFolder = dist;
    setupState.programGroup = "New Group";
    setupState.freshInstall = 0;
    setupState.desktopIcon = 0;
    RunInstall();

    EXPECT_TRUE(FileExists(programs + "\\Old Group\\Pictorel 5.lnk"));
    EXPECT_TRUE(FileExists(programs + "\\New Group\\Pictorel 5.lnk"));
    EXPECT_TRUE(FileExists(Path("Elsewhere\\Pictrl5.exe")));
}

TEST_F(InstallProcedure, PairEntryBeforeTheFolderExistsFailsWhilePatternsCreateIt)
{
    SetList("File Copy: setup.bin > PictrlUnInst.exe\r\nFile Copy: one.bmp\r\nFile Copy: notes source.txt>late.txt\r\n");
    InstallFromList(dist + "\\PictrlUnInst.log");
    EXPECT_FALSE(FileExists(Dest("PictrlUnInst.exe")));
    EXPECT_TRUE(FileExists(Dest("one.bmp")));
    EXPECT_TRUE(FileExists(Dest("late.txt")));
}

TEST_F(InstallProcedure, OptionsFileIsHandedToTheProductExactlyWhenOneWasCopied)
{
    const struct {
        const char* what;
        bool besidePackage, inSetupFolder, packageInDest;
        int runs;
        const char* installed;  // content of the installed Pictrl5.ini, "" for none
    } cases[] = {
        {"neither", false, false, false, 0, ""},
        {"setup folder only", false, true, false, 1, "setup"},
        {"beside the package and in the setup folder", true, true, false, 1, "package"},
        {"package lies in the destination folder", false, false, true, 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(dest);
        DeleteFileA(record.c_str());
        const std::string package = Path("downloads");
        RemoveTree(package);
        MakeFolders(package);
        DeleteFileA((dist + "\\Pictrl5.ini").c_str());
        if (c.besidePackage) WriteTextFile(package + "\\Pictrl5.ini", "package\r\n");
        if (c.inSetupFolder) WriteTextFile(dist + "\\Pictrl5.ini", "setup\r\n");
        const std::string sfx = (c.packageInDest ? dest : package) + "\\pictorel5.exe";
        SetEnvironmentVariableA(ProductProfile::sfxNameVariable, c.besidePackage || c.packageInDest ? sfx.c_str() : nullptr);

        RunInstall();

        EXPECT_EQ(c.runs, ReadOptionsRuns()) << ReadTextFile(record);
        const std::string ini = ReadTextFile(Dest("Pictrl5.ini"));
        EXPECT_EQ(std::string(c.installed).empty() ? "" : std::string(c.installed) + "\r\n", ini);
        if (c.runs == 1 && *c.installed != '\0') {
            EXPECT_NE(std::string::npos, ReadTextFile(record).find(std::string("ini ") + c.installed + "\r\n"))
                << ReadTextFile(record);
        }
    }
}

}  // namespace
