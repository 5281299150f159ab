// The Win32-free rules behind detection, version comparison, the earlier
// program group, the home-page query and the program group's folders.
#include "app/copy_identity.h"
#include "app/earlier_group.h"
#include "app/home_page_query.h"
#include "app/install_folder_rules.h"
#include "app/version_key.h"
#include "engine/program_group.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(InstallFolderRules, AppPathValueGivesTheFolderBeforeTheExecutableName)
{
    const struct {
        const char* value;
        const char* folder;
    } cases[] = {
        {"C:\\Program Files\\Pictorel 5\\Pictrl5.exe", "C:\\Program Files\\Pictorel 5"},
        {"D:\\Pictrl5.exe", "D:"},
        {"\"C:\\P5\\Pictrl5.exe\"", "\"C:\\P5"},           // a leading quote stays
        {"C:\\P5\\PICTRL5.EXE", ""},                          // other case: no folder
        {"C:\\P5\\Pictrl5.exe.bak\\Pictrl5.exe", "C:\\P5"},  // first occurrence decides
        {"", ""},
        {"C:\\P5\\\\Pictrl5.exe", "C:\\P5"},                  // one trailing backslash removed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.folder, FolderFromAppPath(c.value));
    }
}

TEST(InstallFolderRules, ProgramFilesFallsBackToTheWindowsDrive)
{
    EXPECT_EQ("C:\\Program Files", ProgramFilesFromWindowsFolder("C:\\WINDOWS"));
    EXPECT_EQ("D:\\Program Files", ProgramFilesFromWindowsFolder("D:\\WINNT"));
    EXPECT_EQ("D:\\Program Files", ProgramFilesFromWindowsFolder("D:\\OS\\WINDOWS"));
    EXPECT_EQ("WINDOWSProgram Files", ProgramFilesFromWindowsFolder("WINDOWS"));  // no backslash: kept whole
    EXPECT_EQ("C:\\Program Files", RemoveOneTrailingBackslash("C:\\Program Files\\"));
    EXPECT_EQ("D:", RemoveOneTrailingBackslash("D:\\"));
    EXPECT_EQ("C:", FolderOfProgram("C:\\setup.exe"));
    EXPECT_EQ("", FolderOfProgram("setup.exe"));
}

TEST(VersionKey, ComparesAsOneNumberWithSpillAndWrap)
{
    EXPECT_LT(VersionKey(5, 0, 2, 0), VersionKey(5, 0, 3, 0));
    EXPECT_EQ(VersionKey(5, 1, 0, 0), VersionKey(5, 0, 100, 0));
    EXPECT_EQ(5000300u, VersionKey(5, 0, 3, 0));
    // 32-bit wrap-around is kept: 4295.0.0.0 wraps to a small key.
    EXPECT_EQ(VersionKey(4295, 0, 0, 0), 4295u * 1000000u);
    EXPECT_LT(VersionKey(4295, 0, 0, 0), VersionKey(5, 0, 0, 0));
}

TEST(EarlierGroup, TheLastQualifyingLinkDecides)
{
    const std::string programs = "C:\\Users\\Ann\\Start Menu\\Programs";
    const std::string startup = programs + "\\Startup";
    const struct {
        const char* what;
        std::vector<std::string> links;
        bool found;
        const char* group;
    } cases[] = {
        {"no link", {}, false, ""},
        {"one group", {programs + "\\Pictorel 5\\Pictorel 5.lnk"}, true, "Pictorel 5"},
        {"nested group, case of the log kept",
         {"c:\\users\\ann\\START MENU\\programs\\Tools\\Capture\\x.lnk"}, true, "Tools\\Capture"},
        {"last one wins", {programs + "\\A\\x.lnk", programs + "\\B\\y.lnk"}, true, "B"},
        {"links elsewhere are passed over", {programs + "\\A\\x.lnk", "C:\\Desktop\\y.lnk"}, true, "A"},
        {"a link straight in the Programs folder: empty group", {programs + "\\x.lnk"}, true, ""},
        {"auto-start link does not decide", {programs + "\\A\\x.lnk", startup + "\\Pictorel 5.lnk"}, true, "A"},
        {"only an auto-start link", {startup + "\\Pictorel 5.lnk"}, false, ""},
        {"a sibling named like the prefix", {programs + "Old\\A\\x.lnk"}, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EarlierGroupFinder finder(programs, startup);
        for (const std::string& link : c.links) finder.OfferLink(link);
        EXPECT_EQ(c.found, finder.Found());
        EXPECT_EQ(c.group, finder.Group());
    }
}

TEST(EarlierGroup, AnUnreadableProgramsFolderMatchesNoAbsoluteLink)
{
    EarlierGroupFinder finder("", "");
    finder.OfferLink("C:\\Programs\\A\\x.lnk");
    EXPECT_FALSE(finder.Found());
    EXPECT_EQ("\\", LowerFolderPrefix(""));
    EXPECT_EQ("c:\\p\\", LowerFolderPrefix("C:\\P\\"));
}

TEST(HomePageQuery, TheFirstUrlLineDecides)
{
    const struct {
        const char* what;
        std::vector<std::string> lines;
        const char* page;
    } cases[] = {
        {"no file content", {}, "http://www.velmora.example/pictro/installed.asp"},
        {"url without query", {"[InternetShortcut]", "URL=http://www.velmora.example/"},
         "http://www.velmora.example/pictro/installed.asp"},
        {"url with query", {"[InternetShortcut]\n", "URL=http://x.example/a?id=42&lang=en\n"},
         "http://www.velmora.example/pictro/InstScript.asp?id=42&lang=en"},
        {"only the first url line counts", {"URL=http://x.example/", "URL=http://x.example/?late=1"},
         "http://www.velmora.example/pictro/installed.asp"},
        {"case-sensitive prefix", {"url=http://x.example/?no=1", "URL=https://x.example/?no=2"},
         "http://www.velmora.example/pictro/installed.asp"},
        {"CR LF removed", {"URL=http://x.example/?q=1\r\n"}, "http://www.velmora.example/pictro/InstScript.asp?q=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HomePageQuery query;
        for (const std::string& line : c.lines)
            if (!query.OfferLine(line)) break;
        EXPECT_EQ(c.page, PostInstallPage(query.Query()));
    }
}

TEST(ProgramGroup, TypedGroupIsCleanedAndItsFoldersListedOutermostFirst)
{
    const struct {
        const char* typed;
        const char* cleaned;
        std::vector<std::string> chain;
    } cases[] = {
        {"Pictorel 5", "Pictorel 5", {"P\\Pictorel 5"}},
        {"/A/B ", "A\\B", {"P\\A", "P\\A\\B"}},
        {"\\A\\B\\\t", "A\\B", {"P\\A", "P\\A\\B"}},
        {" \r\n/A//B/C/", "A\\\\B\\C", {"P\\A", "P\\A\\", "P\\A\\\\B", "P\\A\\\\B\\C"}},
        {"", "", {"P\\"}},
        {" / \\ ", "", {"P\\"}},
        {"Tools and Capture", "Tools and Capture", {"P\\Tools and Capture"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::string cleaned = CleanProgramGroup(c.typed);
        EXPECT_EQ(c.cleaned, cleaned);
        EXPECT_EQ(c.chain, GroupFolderChain("P", cleaned));
    }
}

}  // namespace

namespace {

TEST(CopyIdentity, OnlyTheProductAndThisSetupAreClosed)
{
    const struct {
        const char* image;
        const char* own;
        bool closable;
    } cases[] = {
        {"Pictrl5.exe", "setup.exe", true},
        {"PICTRL5.EXE", "setup.exe", true},
        {"setup.exe", "setup.exe", true},
        {"other-setup.exe", "PictrlUnInst.exe", false},
        {"PictrlUnInst.exe", "setup.exe", true},
        {"uni3F2A.tmp", "setup.exe", true},
        {"renamed.exe", "renamed.exe", true},
        {"notepad.exe", "setup.exe", false},
        {"Pictrl5.exe.old", "setup.exe", false},
        {"uni.tmp", "setup.exe", false},
        {"", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.image);
        EXPECT_EQ(c.closable, IsProductOrSetupImage(c.image, c.own));
    }
}

}  // namespace
