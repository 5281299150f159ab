// The Win32-free decisions of start-up, installation and the wizard, a table
// each. They run natively under the sanitizers and under Wine.
#include "app/copy_identity.h"
#include "app/earlier_group.h"
#include "app/home_page_query.h"
#include "app/install_folder_rules.h"
#include "app/product_profile.h"
#include "app/setup_state.h"
#include "app/start_decision.h"
#include "app/version_key.h"
#include "framework/message_box_icon.h"
#include "framework/text_format.h"
#include "uninstall/removal_command_line.h"
#include "wizard/destination_rules.h"
#include "wizard/version_line.h"

#include <gtest/gtest.h>

SetupState setupState;

namespace {

TEST(StartMode, ComesFromTheArgumentsAndTheProgramPath)
{
    const char *setup = "C:\\dist\\setup.exe", *other = "C:\\P 5\\PictrlUnInst.exe", *copy = "C:\\T\\uni1.tmp";
    using M = StartMode;
    const struct {
        std::vector<std::string> arguments;  // after the program path
        const char* path;
        StartMode mode;
        int silent, skipCopiesQuestion;
        const char* removalTarget;
    } cases[] = {
        {{}, setup, M::install, 0, 0, ""},           {{"-s"}, setup, M::install, 1, 0, ""},
        {{"-S"}, setup, M::install, 0, 0, ""},       {{"-s", "x"}, setup, M::install, 0, 0, ""},
        {{"-INSTALL"}, other, M::install, 0, 0, ""}, {{"x", "-install"}, other, M::uninstall, 0, 0, ""},
        {{"-install", "/S", "-s"}, other, M::install, 1, 1, ""}, {{"/S"}, setup, M::install, 0, 0, ""},
        {{"-install", "/s"}, setup, M::install, 0, 0, ""},       {{"-s"}, other, M::uninstall, 1, 0, ""},
        {{"-delself", "C:\\P 5\\U.exe"}, copy, M::removal, 0, 0, "C:\\P 5\\U.exe"},
        {{"-delself", "C:\\x.exe", "-s"}, copy, M::removal, 1, 0, "C:\\x.exe"},
        {{"-delself"}, other, M::uninstall, 0, 0, ""},          {{"-DELSELF", "C:\\x"}, other, M::uninstall, 0, 0, ""},
        {{}, "C:\\SETUP.EXE\\bin\\other.exe", M::install, 0, 0, ""}, {{}, "C:\\setup.com", M::uninstall, 0, 0, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments{c.path};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        SCOPED_TRACE(testing::PrintToString(arguments));
        setupState.silent = 1 - c.silent;
        const StartDecision d = DecideStartMode(arguments, c.path);
        EXPECT_EQ(c.mode, d.mode);
        EXPECT_EQ(c.silent, d.silent);
        EXPECT_EQ(c.silent, setupState.silent);
        EXPECT_EQ(c.skipCopiesQuestion, d.skipCopiesQuestion);
        EXPECT_EQ(c.removalTarget, d.removalTarget);
    }
}

TEST(Versions, CompareAsOneNumberAndShowTheirBuild)
{
    EXPECT_EQ(5000300u, VersionKey(5, 0, 3, 0));
    EXPECT_LT(VersionKey(5, 0, 2, 0), VersionKey(5, 0, 3, 0));
    EXPECT_LT(VersionKey(5, 0, 3, 0), VersionKey(5, 0, 3, 1));
    EXPECT_EQ(VersionKey(5, 1, 0, 0), VersionKey(5, 0, 100, 0));  // a part of 100 spills over
    EXPECT_LT(VersionKey(4295, 0, 0, 0), VersionKey(5, 0, 0, 0));  // and 32 bits wrap
    const std::string format = "ver. %d.%02d.%02d %s\r\nnotice", tooLong = format + std::string(1100, 'x');
    EXPECT_EQ("ver. 5.01.02 \r\nnotice", VersionLine(format, 5, 1, 2, 0));
    EXPECT_EQ("ver. 5.00.00 Beta 3\r\nnotice", VersionLine(format, 5, 0, 0, 3));
    EXPECT_EQ("ver. 5.100.02 \r\nnotice", VersionLine(format, 5, 100, 2, 0));
    EXPECT_EQ(tooLong, VersionLine(tooLong, 5, 1, 2, 0));
    for (auto [capacity, fits] : {std::pair<std::size_t, bool>{13, true}, {12, false}, {0, false}}) {
        std::string out = "unchanged";
        EXPECT_EQ(fits, FormatInto(out, capacity, "%d instances", 12)) << capacity;
        EXPECT_EQ(fits ? "12 instances" : "unchanged", out) << capacity;
    }
    // The message-box service's icon rule: OK, OK/Cancel, Yes/No/Cancel and Yes/No boxes naming no icon get the
    // exclamation; Abort/Retry/Ignore, Retry/Cancel, Cancel/Try/Continue and boxes naming their icon stay.
    for (unsigned type : {0x0u, 0x1u, 0x3u, 0x4u, 0x40104u}) EXPECT_EQ(type | 0x30, WithDefaultIcon(type)) << type;
    for (unsigned type : {0x2u, 0x5u, 0x6u, 0x124u, 0x10u, 0x40u, 0x31u}) EXPECT_EQ(type, WithDefaultIcon(type)) << type;
}

TEST(DestinationRules, WhatTheChosenFolderBecomes)
{
    using V = DestinationVerdict;
    const FolderFacts empty{false, false, 0}, old{true, true, 4}, current{false, true, 9}, other{false, false, 2};
    auto folder = [](std::size_t length) { return "C:\\" + std::string(length - 3, 'a'); };
    const struct {
        std::string chosen;
        FolderFacts facts;
        DestinationVerdict verdict;
        std::string destination;
    } cases[] = {
        {"C:\\Apps\\Pict4", old, V::refuse, ""},  // even beside this version
        {"C:\\Apps\\Pictorel", current, V::takeAsIs, "C:\\Apps\\Pictorel"},
        {"C:\\Apps", other, V::appendSubfolder, "C:\\Apps\\Pictorel 5"},
        {"C:\\New folder", empty, V::takeAsIs, "C:\\New folder"},
        {"D:\\", other, V::appendSubfolder, "D:\\Pictorel 5"},
        {"D:\\", current, V::takeAsIs, "D:"},
        {"", other, V::unusable, ""},
        {folder(248), other, V::appendSubfolder, folder(248) + "\\Pictorel 5"},  // 259 characters fit
        {folder(249), other, V::unusable, ""},
        {folder(259), empty, V::takeAsIs, folder(259)},
        {folder(260), current, V::unusable, ""},
    };
    for (const auto& c : cases) {
        const DestinationDecision d = DecideDestination(c.chosen, c.facts);
        EXPECT_EQ(c.verdict, d.verdict) << c.chosen;
        EXPECT_EQ(c.destination, d.folder);
    }
}

TEST(EarlierInstallation, ItsFolderAndGroupComeFromRegistryTextsAndLoggedLinks)
{
    EXPECT_EQ("C:\\Program Files\\Pictorel 5", FolderFromAppPath("C:\\Program Files\\Pictorel 5\\Pictrl5.exe"));
    EXPECT_EQ("\"C:\\P5", FolderFromAppPath("\"C:\\P5\\Pictrl5.exe\""));  // a leading quote stays
    EXPECT_EQ("", FolderFromAppPath("C:\\P5\\PICTRL5.EXE"));               // the name is matched with case
    EXPECT_EQ("C:\\P5", FolderFromAppPath("C:\\P5\\Pictrl5.exe.bak\\Pictrl5.exe"));
    EXPECT_EQ("D:\\Program Files", ProgramFilesFromWindowsFolder("D:\\OS\\WINDOWS"));
    EXPECT_EQ("WINDOWSProgram Files", ProgramFilesFromWindowsFolder("WINDOWS"));
    EXPECT_EQ("C:", FolderOfProgram("C:\\setup.exe"));
    const std::string programs = "C:\\Users\\Ann\\Start Menu\\Programs", startup = programs + "\\Startup";
    const struct {
        std::vector<std::string> links;
        bool found;
        const char* group;
    } cases[] = {
        {{}, false, ""},
        {{programs + "\\Pictorel 5\\Pictorel 5.lnk"}, true, "Pictorel 5"},
        {{"c:\\users\\ann\\START MENU\\programs\\Tools\\Capture\\x.lnk"}, true, "Tools\\Capture"},
        {{programs + "\\A\\x.lnk", programs + "\\B\\y.lnk", "C:\\Desktop\\y.lnk"}, true, "B"},
        {{programs + "\\x.lnk"}, true, ""},
        {{programs + "\\A\\x.lnk", startup + "\\Pictorel 5.lnk"}, true, "A"},  // auto-start decides nothing
        {{startup + "\\Pictorel 5.lnk", programs + "Old\\A\\x.lnk"}, false, ""},
    };
    for (const auto& c : cases) {
        EarlierGroupFinder finder(programs, startup);
        for (const std::string& link : c.links) finder.OfferLink(link);
        EXPECT_EQ(c.found, finder.Found()) << testing::PrintToString(c.links);
        EXPECT_EQ(c.group, finder.Group()) << testing::PrintToString(c.links);
    }
    EarlierGroupFinder unreadable("", "");
    unreadable.OfferLink("C:\\Programs\\A\\x.lnk");
    EXPECT_FALSE(unreadable.Found());
}

TEST(HomePage, TheFirstUrlLineGivesTheQuery)
{
    const std::string installed = ProductProfile::installedPage, script = ProductProfile::installScriptPage;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, installed},
        {{"[InternetShortcut]", "URL=http://x.example/"}, installed},
        {{"[InternetShortcut]\n", "URL=http://x.example/a?id=42&v=5\r\n"}, script + "?id=42&v=5"},
        {{"URL=http://x.example/", "URL=http://x.example/?late=1"}, installed},
        {{"url=http://x.example/?no=1", "URL=https://x.example/?no=2"}, installed},
    };
    for (const auto& [lines, page] : cases) {
        HomePageQuery query;
        for (const std::string& line : lines)
            if (!query.OfferLine(line)) break;
        EXPECT_EQ(page, PostInstallPage(query.Query())) << testing::PrintToString(lines);
    }
}

TEST(RunningCopies, OnlyTheProductOrThisSetupIsClosedAndHandedItsRemovalCommandLine)
{
    for (const char* image : {"Pictrl5.exe", "PICTRL5.EXE", "setup.exe", "PictrlUnInst.exe", "uni3F2A.tmp"})
        EXPECT_TRUE(IsProductOrSetupImage(image, "setup.exe")) << image;
    EXPECT_TRUE(IsProductOrSetupImage("renamed.exe", "renamed.exe"));
    for (const char* image : {"notepad.exe", "Pictrl5.exe.old", "uni.tmp", ""})
        EXPECT_FALSE(IsProductOrSetupImage(image, "setup.exe")) << image;
    EXPECT_FALSE(IsProductOrSetupImage("other-setup.exe", "PictrlUnInst.exe"));
    const std::string copy = "C:\\TEMP\\uni1F.tmp", a256(256, 'a');
    const std::tuple<std::string, std::string, bool, std::string> cases[] = {  // "": does not fit
        {copy, "C:\\P5\\PictrlUnInst.exe", false, copy + " -delself C:\\P5\\PictrlUnInst.exe"},
        {copy, "C:\\Program Files\\P 5\\U.exe", true, copy + " -delself \"C:\\Program Files\\P 5\\U.exe\" -s"},
        {"C:\\T\tT\\uni2.tmp", "C:\\x.exe", false, "\"C:\\T\tT\\uni2.tmp\" -delself C:\\x.exe"},
        {copy, a256 + " ", false, copy + " -delself \"" + a256 + " \""},
        {copy, a256 + "a ", false, ""},
        {" " + std::string(258, 'b'), "C:\\x.exe", true, ""},
    };
    for (const auto& [copyPath, uninstaller, silent, expected] : cases) {
        std::string commandLine;
        EXPECT_EQ(!expected.empty(), BuildRemovalCommandLine(copyPath, uninstaller, silent, commandLine));
        EXPECT_EQ(expected, commandLine);
    }
}

}  // namespace
