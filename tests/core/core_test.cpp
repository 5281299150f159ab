// The Win32-free decisions, readers and blocks of start-up, installation, the wizard and the uninstaller, a
// table each. They run natively under the sanitizers and under Wine.
#include "core/area_scaling.h"
#include "core/copy_identity.h"
#include "core/earlier_group.h"
#include "core/folder_containment.h"
#include "core/install_folder_rules.h"
#include "core/setup_state.h"
#include "core/start_decision.h"
#include "core/version_key.h"
#include "core/install_log.h"
#include "core/path_utils.h"
#include "core/program_group.h"
#include "core/message_box_icon.h"
#include "core/text_format.h"
#include "core/trace_file_path.h"
#include "core/trace_line.h"
#include "core/shared_instance_list.h"
#include "core/removal_command_line.h"
#include "core/removal_entries.h"
#include "core/wininit_section.h"
#include "core/destination_rules.h"
#include "core/space_needed.h"
#include "core/version_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

SetupState setupState;

namespace {

using Lines = std::vector<std::string>;

// Shift-JIS: "表" is 95 5C and "ソ" 83 5C, a trail byte that is not a backslash.
bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }
bool NoLeadByte(unsigned char) { return false; }

TEST(StartMode, ComesFromTheArgumentsAndTheProgramPath)
{
    const char *setup = "C:\\dist\\setup.exe", *other = "C:\\P 5\\PictrlUnInst.exe", *copy = "C:\\T\\uni1.tmp";
    using M = StartMode;
    // arguments after the program path, the path; mode, silent, copies question skipped, removal target
    const std::tuple<Lines, const char*, StartMode, int, int, const char*> cases[] = {
        {{}, setup, M::install, 0, 0, ""},           {{"-s"}, setup, M::install, 1, 0, ""},
        {{"-S"}, setup, M::install, 0, 0, ""},       {{"-s", "x"}, setup, M::install, 0, 0, ""},
        {{"-INSTALL"}, other, M::install, 0, 0, ""}, {{"x", "-install"}, other, M::uninstall, 0, 0, ""},
        {{"-install", "/S", "-s"}, other, M::install, 1, 1, ""}, {{"/S"}, setup, M::install, 0, 0, ""},
        {{"-install", "/s"}, setup, M::install, 0, 0, ""},       {{"-s"}, other, M::uninstall, 1, 0, ""},
        {{"-delself", "C:\\P 5\\pictrluninst.EXE"}, copy, M::removal, 0, 0, "C:\\P 5\\pictrluninst.EXE"},
        {{"-delself", "C:\\D\\setup (1).exe", "-s"}, copy, M::removal, 1, 0, ""},  // not an uninstaller: untouched
        {{"-delself"}, other, M::uninstall, 0, 0, ""},          {{"-DELSELF", "C:\\x"}, other, M::uninstall, 0, 0, ""},
        {{}, "C:\\SETUP.EXE\\bin\\other.exe", M::install, 0, 0, ""}, {{}, "C:\\setup.com", M::install, 0, 0, ""},
        {{"-s"}, "C:\\D\\setup (1).exe", M::install, 1, 0, ""}, {{}, "C:\\D\\PictrlUnInst.exe.exe", M::install, 0, 0, ""}};
    for (const auto& [after, path, mode, silent, skip, target] : cases) {
        Lines arguments{path};
        arguments.insert(arguments.end(), after.begin(), after.end());
        SCOPED_TRACE(testing::PrintToString(arguments));
        setupState.silent = 1 - silent;
        const StartDecision d = DecideStartMode(arguments, path, ShiftJisLeadByte);
        EXPECT_TRUE(d.mode == mode && d.silent == silent && setupState.silent == silent);
        EXPECT_TRUE(d.skipCopiesQuestion == skip && d.removalTarget == target);
    }
    // Started by its 8.3 name, the uninstaller is known by its long one where the system can say.
    const std::string shortName = "C:\\P5\\PICTRL~1.EXE", tooLong = "C:\\" + std::string(260, 'a') + "\\PictrlUnInst.exe";
    for (const auto& [longPath, mode] : {std::pair<std::string, StartMode>{"C:\\P5\\PictrlUnInst.exe", M::uninstall},
                                         {"", M::install}, {tooLong, M::install}})
        EXPECT_TRUE(mode == DecideStartMode({shortName}, LongFormOf(shortName, longPath), ShiftJisLeadByte).mode) << longPath;
}

TEST(Versions, CompareAsOneNumberAndShowTheirBuild)
{
    EXPECT_EQ(VersionKey(5, 1, 0, 0), VersionKey(5, 0, 100, 0));   // a part of 100 spills over
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
    // The message-box icon rule: OK, OK/Cancel, Yes/No(/Cancel) boxes naming no icon get the exclamation.
    for (unsigned type : {0x0u, 0x1u, 0x3u, 0x4u, 0x40104u}) EXPECT_EQ(type | 0x30, WithDefaultIcon(type)) << type;
    for (unsigned type : {0x2u, 0x5u, 0x6u, 0x124u, 0x10u, 0x40u, 0x31u}) EXPECT_EQ(type, WithDefaultIcon(type)) << type;
}

TEST(Trace, APassedOverFailureIsOneStampedLineWithItsCodeAndSystemMessage)
{
    EXPECT_EQ("copy file C:\\d\\a b.txt: error 2: The system cannot find the file specified.",
              TraceLine("copy file", "C:\\d\\a b.txt", 2, "The system cannot find the file specified.\r\n"));
    EXPECT_EQ("make shortcut x.lnk: error 0x80004005: Unspecified error", TraceLine("make shortcut", "x.lnk",
                                                                                   0x80004005, "Unspecified\r\nerror  "));
    EXPECT_EQ("a b: error 65535: ", TraceLine("a", "b", 0xFFFF, "\r\n"));
    EXPECT_EQ("2026-01-02 03:04:05.006 [4294967295] a b\r\n", StampedTraceLine({2026, 1, 2, 3, 4, 5, 6, 4294967295ul}, "a b"));
    // Its file only on a drive: never a share, a device path, a stream or a device's name.
    const std::pair<const char*, bool> files[] = {{"C:\\t\\trace.txt", true}, {"\\\\server\\share\\t.txt", false},
        {"\\\\.\\pipe\\t", false}, {"C:\\t.txt:s", false}, {"C:\\t\\com1.log", false}, {"C:\\", false}};
    for (const auto& [path, allowed] : files) EXPECT_EQ(allowed, IsTraceFilePath(path, NoLeadByte)) << path;
}

TEST(DestinationRules, WhatTheChosenFolderBecomes)
{
    using V = DestinationVerdict;
    const FolderFacts empty{false, false, 0}, old{true, true, 4}, current{false, true, 9}, other{false, false, 2},
        link{false, false, 2, true, false}, linkBelow{false, false, 2, false, true}, currentLinkBelow{false, true, 9, false, true};
    auto folder = [](std::size_t length) { return "C:\\" + std::string(length - 3, 'a'); };
    const std::tuple<std::string, FolderFacts, DestinationVerdict, std::string> cases[] = {
        {"C:\\Apps\\Pict4", old, V::refuse, ""},  // even beside this version
        {"C:\\Apps\\Pictorel", current, V::takeAsIs, "C:\\Apps\\Pictorel"},
        {"C:\\Apps", other, V::appendSubfolder, "C:\\Apps\\Pictorel 5"},
        {"C:\\New folder", empty, V::takeAsIs, "C:\\New folder"},
        {"D:\\", other, V::appendSubfolder, "D:\\Pictorel 5"}, {"D:\\", current, V::takeAsIs, "D:"},
        {"", other, V::unusable, ""},
        {folder(248), other, V::appendSubfolder, folder(248) + "\\Pictorel 5"},  // 259 characters fit
        {folder(249), other, V::unusable, ""}, {folder(259), empty, V::takeAsIs, folder(259)},
        {folder(260), current, V::unusable, ""}, {"D:\\\x95\\", other, V::appendSubfolder, "D:\\\x95\\\\Pictorel 5"},
        {"D:\\\x83\\", current, V::takeAsIs, "D:\\\x83\\"},
        {"C:\\Apps", link, V::unusable, ""}, {"C:\\Apps", linkBelow, V::unusable, ""},  // a link leads elsewhere
        {"C:\\Apps", currentLinkBelow, V::takeAsIs, "C:\\Apps"}};
    for (const auto& [chosen, facts, verdict, destination] : cases) {
        const DestinationDecision d = DecideDestination(chosen, facts, ShiftJisLeadByte);
        EXPECT_TRUE(verdict == d.verdict && destination == d.folder) << chosen << " -> " << d.folder;
    }
    // What its disk must take: each file in whole clusters, less the files of the same names it replaces there.
    using Files = std::vector<std::pair<std::uint64_t, std::uint64_t>>;  // size, size replaced
    const std::tuple<std::uint32_t, Files, std::uint64_t> spaces[] = {
        {4096, {{1, 0}, {4096, 0}, {4097, 0}, {0, 0}}, 16384}, {4096, {{10000, 4096}}, 8192},
        {4096, {{100, 10000}, {5000, 0}}, 0},   // what it frees may pay for others, never below nothing
        {0, {{5, 0}, {7, 3}}, 9}, {65536, {{0x100000001ull, 1}}, 0x100010000ull - 65536}};  // clusters unknown: bytes
    for (const auto& [cluster, files, needed] : spaces) {
        SpaceNeeded space(cluster);
        for (const auto& [size, replaced] : files) space.Add(size, replaced);
        EXPECT_EQ(needed, space.Bytes()) << cluster;
    }
}

TEST(EarlierInstallation, ItsFolderAndGroupComeFromRegistryTextsAndLoggedLinks)
{
    const std::pair<const char*, const char*> appPaths[] = {
        {"C:\\Program Files\\Pictorel 5\\Pictrl5.exe", "C:\\Program Files\\Pictorel 5"},
        {"\"C:\\P5\\Pictrl5.exe\"", "\"C:\\P5"},  // a leading quote stays
        {"C:\\P5\\PICTRL5.EXE", ""},               // the name is matched with case
        {"C:\\\x95\\\\Pictrl5.exe", "C:\\\x95\\"}, {"C:\\\x95\\Pictrl5.exe", ""}};
    for (const auto& [value, folder] : appPaths) EXPECT_EQ(folder, FolderFromAppPath(value, ShiftJisLeadByte)) << value;
    EXPECT_EQ("D:\\Program Files", ProgramFilesFromWindowsFolder("D:\\WINNT", ShiftJisLeadByte));
    const std::string programs = "C:\\Users\\Ann\\Start Menu\\Programs", startup = programs + "\\Startup";
    const std::tuple<Lines, bool, const char*> cases[] = {  // the links offered; found, the group
        {{}, false, ""}, {{programs + "\\Pictorel 5\\Pictorel 5.lnk"}, true, "Pictorel 5"},
        {{"c:\\users\\ann\\START MENU\\programs\\Tools\\Capture\\x.lnk"}, true, "Tools\\Capture"},
        {{programs + "\\A\\x.lnk", programs + "\\B\\y.lnk", "C:\\Desktop\\y.lnk"}, true, "B"},
        {{programs + "\\x.lnk"}, true, ""},
        {{programs + "\\A\\x.lnk", startup + "\\Pictorel 5.lnk"}, true, "A"},  // auto-start decides nothing
        {{startup + "\\Pictorel 5.lnk", programs + "Old\\A\\x.lnk"}, false, ""},
        {{programs + "\\\x95\\x.lnk"}, true, ""}, {{programs + "\\\x83\\\\x.lnk"}, true, "\x83\\"},
        {{programs + "\\..\\..\\x.lnk"}, false, ""}, {{programs + "\\A..B\\x.lnk"}, false, ""},  // never outside
        {{programs + "\\A.\\x.lnk"}, false, ""}};
    for (const auto& [links, found, group] : cases) {
        EarlierGroupFinder finder(programs, startup, ShiftJisLeadByte);
        for (const std::string& link : links) finder.OfferLink(link);
        EXPECT_TRUE(found == finder.Found() && group == finder.Group()) << testing::PrintToString(links);
    }
    EarlierGroupFinder unreadable("", "", ShiftJisLeadByte);  // the Programs folder unreadable
    unreadable.OfferLink("C:\\Programs\\A\\x.lnk");
    EXPECT_FALSE(unreadable.Found());
}

TEST(RunningCopies, OnlyTheProductOrThisSetupIsClosedAndHandedItsRemovalCommandLine)
{
    for (const char* image : {"Pictrl5.exe", "PICTRL5.EXE", "SETUP.exe", "PictrlUnInst.exe", "uni3F2A.tmp"})
        EXPECT_TRUE(IsProductOrSetupImage(image, "setup.exe")) << image;
    for (const char* image : {"notepad.exe", "Pictrl5.exe.old", "uni.tmp", "", "setup.exe"})
        EXPECT_FALSE(IsProductOrSetupImage(image, "PictrlUnInst.exe")) << image;
    const std::string copy = "C:\\TEMP\\uni1F.tmp", a256(256, 'a');
    const std::tuple<std::string, std::string, bool, std::string> cases[] = {  // "": does not fit
        {copy, "C:\\P5\\PictrlUnInst.exe", false, copy + " -delself C:\\P5\\PictrlUnInst.exe"},
        {copy, "C:\\Program Files\\P 5\\U.exe", true, copy + " -delself \"C:\\Program Files\\P 5\\U.exe\" -s"},
        {"C:\\T\tT\\uni2.tmp", "C:\\x.exe", false, "\"C:\\T\tT\\uni2.tmp\" -delself C:\\x.exe"},
        {copy, a256 + " ", false, copy + " -delself \"" + a256 + " \""}, {copy, a256 + "a ", false, ""},
        {" " + std::string(258, 'b'), "C:\\x.exe", true, ""}};
    for (const auto& [copyPath, uninstaller, silent, expected] : cases) {
        std::string commandLine;
        EXPECT_EQ(!expected.empty(), BuildRemovalCommandLine(copyPath, uninstaller, silent, commandLine));
        EXPECT_EQ(expected, commandLine);
    }
}

TEST(LogReader, SplitsAndTrimsLinesAsEveryReaderDoes)
{
    const char* const log = "core-test.log";  // in the current folder: natively and under Wine
    const std::string line600 = "File Copy: " + std::string(589, 'x');
    const std::pair<std::string, Lines> cases[] = {
        {line600 + "\r\n", {line600.substr(0, 511), line600.substr(511)}},
        {"File Copy: a\nFile Del: b\r\nc", {"File Copy: a", "File Del: b", "c"}},
        {"File Del: x.dll \t\x01\x1f \r\n", {"File Del: x.dll"}},
        {"File Copy: caf\xe9\xa0\xff\n", {"File Copy: caf\xe9\xa0\xff"}}, {" File Copy: a\n", {" File Copy: a"}},
        {"\n \n\t\t\r\n", {"\n", " ", "\t"}}, {"", {}},  // the first character is never removed
        {"File Del: a\r\n\x1a\r\nMade Dir: C:\\G\r\n", {"File Del: a", "\x1a", "Made Dir: C:\\G"}}};  // past a Ctrl-Z
    for (const auto& [bytes, expected] : cases) {
        std::ofstream(log, std::ios::binary) << bytes;
        Lines lines;
        EXPECT_TRUE(ForEachLogLine(log, [&](const std::string& line) { lines.push_back(line); }));
        EXPECT_EQ(expected, lines);
    }
    std::remove(log);
}

// What the uninstaller deletes for a line of a log: never anything outside
// the installation folder, whatever the log says.
TEST(RemovalEntries, EachLineNamesOnlyWhatItMay)
{
    const char* const none = nullptr;
    // a line, the one tag asked for (nullptr: the three file tags), the pattern deleted (none: no file)
    const std::tuple<const char*, const char*, const char*> files[] = {
        {"File Copy: Pictrl5.exe", nullptr, "Pictrl5.exe"}, {"File Overwrite: msvcrt40.dll", nullptr, "msvcrt40.dll"},
        {"File Del: old*.hlp", nullptr, "old*.hlp"},         {"File Copy: Core.src   >   Core.dll", nullptr, "Core.dll"},
        {"File Del: old.txt | obsolete since 5.0", nullptr, "old.txt"}, {"File Copy: a > b | c > d", nullptr, "b"},
        {"File Copy:  lead.txt", nullptr, " lead.txt"},      {"File Del: old.txt", "File Del: ", "old.txt"},
        {"File Copy: Pictrl5.exe", "File Del: ", none},      {" File Copy: Pictrl5.exe", nullptr, none},
        {"file copy: Pictrl5.exe", nullptr, none},           {"Shell Link: C:\\D\\Pictorel 5.lnk", nullptr, none},
        {"File Copy: ", nullptr, none},                      {"File Del:  | remark", nullptr, none},
        {"File Copy: a >", nullptr, none},                   {"File Copy: ..\\sentinel.txt", nullptr, none},
        {"File Del: ..", nullptr, none},                     {"File Copy: sub/file.txt", nullptr, none},
        {"File Del: C:\\Windows\\win.ini", nullptr, none},   {"File Del: C:win.ini", nullptr, none},
        {"File Copy: Core.dll > ..\\Core.dll", nullptr, none}, {"File Copy: ..\\evil > Core.dll", nullptr, "Core.dll"},
        {"File Del: \x95\\.txt", nullptr, "\x95\\.txt"},  {"File Del: \x95\\\\x.txt", nullptr, none},
        {"File Del: NUL", nullptr, none}, {"File Del: con.txt", nullptr, none}, {"File Del: Lpt9 .a.b", nullptr, none},
        {"File Copy: x > aux", nullptr, none}, {"File Del: COM1.*", nullptr, none}, {"File Del: prn.", nullptr, none},
        {"File Copy: CONFIG.SYS", nullptr, "CONFIG.SYS"}, {"File Del: COM10.log", nullptr, "COM10.log"},
        {"File Del: LPT0.x", nullptr, "LPT0.x"}, {"File Del: nul1.txt", nullptr, "nul1.txt"},
        {"File Del: COM\xB9", nullptr, none}, {"File Del: lpt\xB3.log", nullptr, none},  // superscript digits
        {"File Del: CONIN$", nullptr, none}, {"File Copy: x > conout$.txt", nullptr, none},
        {"File Del: Pictrl5.exe.", nullptr, none}, {"File Del: Pictrl5.exe  | two blanks", nullptr, none}};
    for (const auto& [line, tag, expected] : files) {
        std::string pattern = "unchanged";
        EXPECT_EQ(expected != none, FilePatternToRemove(line, tag, pattern, ShiftJisLeadByte)) << line;
        EXPECT_EQ(expected != none ? expected : "unchanged", pattern) << line;
    }
    const std::pair<const char*, const char*> links[] = {
        {"Shell Link: C:\\P\\Pictorel\\Pictorel 5.lnk", "C:\\P\\Pictorel\\Pictorel 5.lnk"},
        {"Shell Link: C:\\D\\PICTOREL 5.LNK", "C:\\D\\PICTOREL 5.LNK"}, {"Shell Link: C:\\Windows\\win.ini", none},
        {"Shell Link: C:\\D\\Pictorel 5.lnk.txt", none}, {"Shell Link: C:\\D\\lnk", none}, {"Shell Link: ", none},
        {"shell link: C:\\D\\Pictorel 5.lnk", none}, {"Made Dir: C:\\P\\Pictorel", none}};
    for (const auto& [line, expected] : links) {
        std::string path;
        EXPECT_EQ(expected != none, ShortcutToRemove(line, path)) << line;
        EXPECT_EQ(expected != none ? expected : path, path) << line;
    }
    std::string folder;
    EXPECT_TRUE(FolderToRemove("Made Dir: C:\\P\\My Tools\\Pictorel", folder));
    EXPECT_EQ("C:\\P\\My Tools\\Pictorel", folder);
    for (const char* line : {"Made Dir: ", "Made dir: C:\\x", "Shell Link: C:\\x.lnk"})
        EXPECT_FALSE(FolderToRemove(line, folder)) << line;
    // Links and folders count only inside a shell folder of the setup's, and never take the folder itself.
    const std::vector<std::string> shell = {"", "C:\\U\\Programs", "C:\\U\\Desktop\\"};
    const std::pair<const char*, std::size_t> paths[] = {{"C:\\U\\Programs\\G\\x.lnk", 2}, {"c:\\u\\desktop\\X.LNK", 1},
        {"C:\\U\\Programs\\G\\", 1}, {"C:\\U\\Programs", 0}, {"C:\\U\\Programs2\\x.lnk", 0}, {"C:\\x.lnk", 0},
        {"C:\\U\\Programs\\..\\..\\Windows\\x.lnk", 0}, {"C:\\U\\Programs\\G\\\\x.lnk", 0}, {"\\\\?\\C:\\U\\Desktop\\x.lnk", 0}};
    for (const auto& [path, depth] : paths) {
        std::size_t found = 0;
        EXPECT_EQ(depth, LiesInsideOneOf(shell, path, ShiftJisLeadByte, found) ? found : 0) << path;
    }
    // A name a folder search returned, used only when it names an entry of that folder.
    for (const char* name : {"a.txt", "a..b", ".profile", "\x95\\.txt"}) EXPECT_TRUE(IsFolderEntryName(name, ShiftJisLeadByte)) << name;
    for (const char* name : {".", "..", "", "..\\..\\win.ini", "../x", "C:x", "a?", "*", "\x95\\\\x", "a.txt.", "a "})
        EXPECT_FALSE(IsFolderEntryName(name, ShiftJisLeadByte)) << name;
}

TEST(Paths, ParentsJoinsAndGroupFolders)
{
    const std::tuple<const char*, LeadByteTest, const char*> parents[] = {
        {"C:\\Program Files\\Pictorel 5\\Pictrl5.exe", NoLeadByte, "C:\\Program Files\\Pictorel 5"},
        {"C:\\Program Files\\Pictorel 5\\", NoLeadByte, "C:\\Program Files"}, {"C:\\Pictorel 5", NoLeadByte, "C:"},
        {"C:\\", NoLeadByte, ""}, {"\\Pictorel 5", NoLeadByte, ""}, {"", NoLeadByte, ""},
        {"\\\\server\\share\\x", NoLeadByte, "\\\\server\\share"},
        {"C:\\a\\\x83\\b", ShiftJisLeadByte, "C:\\a"},  // "\x83\\" is one character
        {"C:\\a\\\x83\\b", NoLeadByte, "C:\\a\\\x83"}, {"C:\\a\\b\x83\\", ShiftJisLeadByte, "C:\\a"}};
    for (const auto& [path, leadByte, parent] : parents) EXPECT_EQ(parent, ParentFolder(path, leadByte)) << path;
    EXPECT_EQ("\x83\\b", FileNameOf("C:\\a\\\x83\\b", ShiftJisLeadByte));
    EXPECT_EQ("", ParentFolder(nullptr, NoLeadByte));
    const std::tuple<const char*, const char*, const char*, const char*> joins[] = {
        {"C:\\Program Files", "\\Pictorel 5", "C:\\Program Files\\Pictorel 5", "C:\\Program Files\\\\Pictorel 5"},
        {"D:\\", "\\Pictorel 5", "D:\\Pictorel 5", "D:\\\\Pictorel 5"}, {"C:\\d\\", "*", "C:\\d\\*", "C:\\d\\*"},
        {"C:/d/", "a.txt", "C:/d/a.txt", "C:/d/a.txt"}, {"", "a.txt", "a.txt", "\\a.txt"},
        {"C:\\\x95\\", "\\P", "C:\\\x95\\\\P", "C:\\\x95\\\\\\P"}};
    for (const auto& [folder, entry, joined, searchPath] : joins) {
        EXPECT_EQ(joined, JoinFolder(folder, entry, ShiftJisLeadByte)) << folder << entry;
        EXPECT_EQ(searchPath, JoinSearchPath(folder, entry, ShiftJisLeadByte)) << folder << entry;
    }
    const std::tuple<const char*, const char*, Lines> groups[] = {  // as typed, cleaned, its folders outermost first
        {"Pictorel 5", "Pictorel 5", {"P\\Pictorel 5"}}, {"/A/B ", "A\\B", {"P\\A", "P\\A\\B"}},
        {"\\A\\B\\\t", "A\\B", {"P\\A", "P\\A\\B"}},
        {" \r\n/A//B/C/", "A\\\\B\\C", {"P\\A", "P\\A\\", "P\\A\\\\B", "P\\A\\\\B\\C"}}, {" / \\ ", "", {"P\\"}},
        {"\x95\\/\x83\\\\", "\x95\\\\\x83\\", {"P\\\x95\\", "P\\\x95\\\\\x83\\"}}, {"A/../../B", "A\\..\\..\\B", {}}};
    for (const auto& [typed, cleaned, folders] : groups) {
        EXPECT_EQ(cleaned, CleanProgramGroup(typed, ShiftJisLeadByte)) << typed;
        EXPECT_EQ(folders, GroupFolderChain("P", cleaned, ShiftJisLeadByte)) << typed;
    }  // a group folder past MAX_PATH would log a line the reader splits: none at all
    EXPECT_EQ(Lines({"P\\" + std::string(257, 'g')}), GroupFolderChain("P", std::string(257, 'g'), ShiftJisLeadByte));
    EXPECT_EQ(Lines{}, GroupFolderChain("P", "A\\" + std::string(256, 'g'), ShiftJisLeadByte));
    // A user's shell folder counts only inside the profile the machine names for that user, entry by entry.
    const std::tuple<const char*, const char*, Lines> below[] = {  // folder, path; entries ({"-"}: not below)
        {"C:\\Users\\Ann", "C:\\Users\\Ann\\Start Menu\\Programs", {"Start Menu", "Programs"}},
        {"C:\\Users\\Ann\\", "c:\\users\\ANN\\", {}}, {"C:\\Users\\Ann", "C:\\Users\\Ann2\\x", {"-"}},
        {"C:\\Users\\Ann", "C:\\Users\\Ann\\..\\Bob", {"-"}}, {"C:\\Users\\Ann", "C:\\Users\\Ann\\Desktop.", {"-"}},
        {"C:\\Users\\Ann", "C:\\Users\\Ann\\a/..\\x", {"-"}}, {"C:\\Users\\Ann", "\\\\?\\C:\\Users\\Ann\\x", {"-"}},
        {"", "C:\\x", {"-"}}, {"C:\\\x95", "C:\\\x95\\x", {"-"}}, {"C:\\\x95\\", "C:\\\x95\\\\x", {"x"}}};
    for (const auto& [folder, path, entries] : below) {
        Lines found;
        EXPECT_EQ(entries, EntriesBelow(folder, path, ShiftJisLeadByte, found) ? found : Lines{"-"}) << path;
    }
    const std::pair<const char*, const char*> profiles[] = {{"%SystemDrive%\\Users\\Ann", "D:\\Users\\Ann"},
        {"%SYSTEMDRIVE%\\Users\\Ann", "D:\\Users\\Ann"}, {"C:\\Users\\Ann", "C:\\Users\\Ann"}, {"%USERPROFILE%", ""},
        {"C:\\Users\\%USERNAME%", ""}, {"\\\\server\\profiles\\Ann", ""}, {"Users\\Ann", ""}, {"", ""}};
    for (const auto& [value, folder] : profiles) EXPECT_EQ(folder, ProfileFolderPath(value, "D:")) << value;
}

TEST(WininitBlock, TheNewLineGoesLastOrNotAtAll)
{
    const std::string line = std::string("NUL=C:\\Temp\\uni1.tmp") + '\0', x8 = std::string(8, 'x') + '\0';
    // the section as read, the buffer's capacity, the length reported (0: the section's size), the line added
    const std::tuple<std::string, std::size_t, std::size_t, bool> cases[] = {{"", 16384, 0, true},
        {std::string("NUL=C:\\a.old\0NUL=C:\\b.old\0", 26), 16384, 0, true},
        {x8, 31, 0, true}, {x8, 30, 0, false},            // exactly room for the line and the final zero, and not
        {std::string(28, 'x') + '\0', 31, 29, false}};    // the section filled the buffer: it may have been cut
    for (const auto& [section, capacity, reported, added] : cases) {
        std::vector<char> block(capacity + 1, '#');  // one canary byte past the end
        std::copy(section.begin(), section.end(), block.begin());
        block[section.size()] = '\0';
        const std::vector<char> before = block;
        EXPECT_EQ(added, AppendBootDeleteLine(block.data(), capacity, reported ? reported : section.size(),
                                              "C:\\Temp\\uni1.tmp"));
        if (added) { EXPECT_EQ(section + line + '\0', std::string(block.data(), section.size() + line.size() + 1)); }
        if (!added) { EXPECT_TRUE(before == block) << "a block that cannot take the line stays as it was"; }
        EXPECT_EQ('#', block[capacity]) << "written past the buffer";
    }
}

TEST(SharedInstanceList, KeepsTheIdsInOrderWithinItsBlock)
{
    using Ids = std::vector<std::uint32_t>;
    std::vector<unsigned char> bytes(SharedInstanceList::blockSize + 34, 0xA5);  // between canaries, at an odd address
    unsigned char* block = bytes.data() + 17;
    auto expectBlock = [&](const Ids& ids) {  // little-endian words: 1, the count, the ids, zeros
        Ids words(SharedInstanceList::blockSize / 4), expected{1, std::uint32_t(ids.size())};
        for (std::size_t at = 0; at < SharedInstanceList::blockSize; ++at)
            words[at / 4] |= std::uint32_t(block[at]) << 8 * (at % 4);
        expected.insert(expected.end(), ids.begin(), ids.end());
        expected.resize(words.size());
        EXPECT_TRUE(expected == words && bytes[16] == 0xA5 && bytes[17 + SharedInstanceList::blockSize] == 0xA5);
    };
    SharedInstanceList list(block);
    const std::tuple<Ids, std::uint32_t, bool, Ids> removals[] = {  // listed, removed, found, left
        {{4, 8, 12, 16}, 4, true, {8, 12, 16}}, {{4, 8, 12, 16}, 8, true, {4, 12, 16}}, {{4, 8, 4}, 4, true, {8, 4}},
        {{4, 8}, 12, false, {4, 8}}, {{0x11223344}, 0x11223344, true, {}}};
    for (const auto& [before, id, found, after] : removals) {
        list.Reset();
        for (std::uint32_t listed : before) ASSERT_TRUE(list.Append(listed));
        EXPECT_EQ(found, list.Remove(id));
        expectBlock(after);
    }
    Ids full;
    for (std::uint32_t i = 0; i < 1000; ++i) full.push_back(i + 7), list.Append(i + 7);
    EXPECT_FALSE(list.Append(7));
    expectBlock(full);
    block[7] = 0xFF;  // a count another writer damaged: never beyond the block
    EXPECT_TRUE(list.Count() == 1000u && !list.Append(5) && !list.Remove(5));
}

TEST(AreaScaling, EachPixelIsTheAverageOfWhatItCoversWeightedByHowMuch)
{
    using Pixels = std::vector<std::uint32_t>;
    const std::tuple<Pixels, int, int, int, int, Pixels> cases[] = {  // from, its size, the new size, the result
        {{0x000000, 0x0A141E, 0x1E3C5A, 0x645A50}, 2, 2, 1, 1, {0x232B32}},  // halved, colour by colour
        {{0, 30, 90}, 3, 1, 2, 1, {10, 70}}, {{10, 20, 30, 40}, 1, 4, 1, 3, {13, 25, 38}},  // thirds; quarters, .5 up
        {{0xFF102030}, 1, 1, 2, 2, Pixels(4, 0x102030)},                        // grown; no top byte
        {{0xFFFFFF, 0xFFFFFF, 0xFFFFFF}, 3, 1, 2, 1, {0xFFFFFF, 0xFFFFFF}}};     // no colour carries into the next
    for (const auto& [from, fromWidth, fromHeight, toWidth, toHeight, expected] : cases) {
        Pixels to(expected.size() + 1, 0xA5A5A5A5);  // and a canary after the end
        ScaleByArea(from.data(), fromWidth, fromHeight, to.data(), toWidth, toHeight);
        EXPECT_EQ(expected, Pixels(to.begin(), to.end() - 1));
        EXPECT_EQ(0xA5A5A5A5u, to.back());
    }
}

}  // namespace
