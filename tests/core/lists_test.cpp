// The Win32-free readers and blocks: log lines, what the uninstaller takes
// from them, paths, the program group, the WININIT block and the instance list.
#include "engine/install_log.h"
#include "engine/path_utils.h"
#include "engine/program_group.h"
#include "instances/shared_instance_list.h"
#include "uninstall/removal_entries.h"
#include "uninstall/wininit_section.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

using Lines = std::vector<std::string>;
const char* const logFile = "core-test.log";  // in the current folder: natively and under Wine

TEST(LogReader, SplitsAndTrimsLinesAsEveryReaderDoes)
{
    const std::string line600 = "File Copy: " + std::string(589, 'x');
    const std::pair<std::string, Lines> cases[] = {
        {line600 + "\r\n", {line600.substr(0, 511), line600.substr(511)}},
        {"File Copy: a\nFile Del: b\r\nc", {"File Copy: a", "File Del: b", "c"}},
        {"File Del: x.dll \t\x01\x1f \r\n", {"File Del: x.dll"}},
        {"File Copy: caf\xe9\xa0\xff\n", {"File Copy: caf\xe9\xa0\xff"}},
        {" File Copy: a\n", {" File Copy: a"}},
        {"\n \n\t\t\r\n", {"\n", " ", "\t"}},  // the first character is never removed
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        std::ofstream(logFile, std::ios::binary) << bytes;
        LogLineReader reader{std::string(logFile)};
        for (int pass = 0; pass < 2; ++pass, reader.Rewind()) {
            Lines lines;
            for (std::string line; reader.Next(line);) lines.push_back(line);
            EXPECT_EQ(expected, lines) << "pass " << pass;
        }
    }
    std::remove(logFile);
    std::string line;
    EXPECT_FALSE(LogLineReader{std::string(logFile)}.Next(line));
    AppendLogLine(logFile, "Made Dir: C:\\G");
    AppendLogLine(logFile, "");
    std::ifstream file(logFile, std::ios::binary);
#ifdef _WIN32
    EXPECT_EQ("Made Dir: C:\\G\r\n\r\n", std::string(std::istreambuf_iterator<char>(file), {}));
#else
    EXPECT_EQ("Made Dir: C:\\G\n\n", std::string(std::istreambuf_iterator<char>(file), {}));
#endif
    file.close();
    std::remove(logFile);
}

// What the uninstaller deletes for a line of a log: never anything outside
// the installation folder, whatever the log says.
TEST(RemovalEntries, EachLineNamesOnlyWhatItMay)
{
    const char* const none = nullptr;
    const struct {
        const char* line;
        const char* tag;      // the one tag asked for; nullptr: the three file tags
        const char* pattern;  // none: the line deletes no file
    } files[] = {
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
    };
    for (const auto& c : files) {
        std::string pattern = "unchanged";
        EXPECT_EQ(c.pattern != none, FilePatternToRemove(c.line, c.tag, pattern)) << c.line;
        EXPECT_EQ(c.pattern != none ? c.pattern : "unchanged", pattern) << c.line;
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
}

bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }
bool NoLeadByte(unsigned char) { return false; }

TEST(Paths, ParentsJoinsGroupFoldersAndFolderComparison)
{
    const std::tuple<const char*, LeadByteTest, const char*> parents[] = {
        {"C:\\Program Files\\Pictorel 5\\Pictrl5.exe", NoLeadByte, "C:\\Program Files\\Pictorel 5"},
        {"C:\\Program Files\\Pictorel 5\\", NoLeadByte, "C:\\Program Files"}, {"C:\\Pictorel 5", NoLeadByte, "C:"},
        {"C:\\", NoLeadByte, ""}, {"\\Pictorel 5", NoLeadByte, ""}, {"", NoLeadByte, ""},
        {"\\\\server\\share\\x", NoLeadByte, "\\\\server\\share"},
        {"C:\\a\\\x83\\b", ShiftJisLeadByte, "C:\\a"},  // "\x83\\" is one character
        {"C:\\a\\\x83\\b", NoLeadByte, "C:\\a\\\x83"}, {"C:\\a\\b\x83\\", ShiftJisLeadByte, "C:\\a"}};
    for (const auto& [path, leadByte, parent] : parents) EXPECT_EQ(parent, ParentFolder(path, leadByte)) << path;
    EXPECT_EQ("", ParentFolder(nullptr, NoLeadByte));
    const std::tuple<const char*, const char*, const char*, const char*> joins[] = {
        {"C:\\Program Files", "\\Pictorel 5", "C:\\Program Files\\Pictorel 5", "C:\\Program Files\\\\Pictorel 5"},
        {"D:\\", "\\Pictorel 5", "D:\\Pictorel 5", "D:\\\\Pictorel 5"}, {"C:\\d\\", "*.dll", "C:\\d\\*.dll", "C:\\d\\*.dll"},
        {"C:/d/", "a.txt", "C:/d/a.txt", "C:/d/a.txt"}, {"", "a.txt", "a.txt", "\\a.txt"}};
    for (const auto& [folder, entry, joined, searchPath] : joins) {
        EXPECT_EQ(joined, JoinFolder(folder, entry)) << folder << entry;
        EXPECT_EQ(searchPath, JoinSearchPath(folder, entry)) << folder << entry;
    }
    EXPECT_EQ("D:", WithoutTrailingBackslash("D:\\"));
    for (auto [a, b] : {std::pair{"C:\\Dist", "c:\\dIST\\"}, {"C:\\Dist/", "C:\\Dist/"}, {"", "\\"}})
        EXPECT_TRUE(SameTextIgnoringCase(WithSeparator(a), WithSeparator(b))) << a << " ~ " << b;
    for (auto [a, b] : {std::pair{"C:\\Dist/", "C:\\Dist"}, {"C:\\Dist", "C:\\Dist2"}, {"C:\\caf\xe9", "C:\\CAF\xc9"}})
        EXPECT_FALSE(SameTextIgnoringCase(WithSeparator(a), WithSeparator(b))) << a << " ~ " << b;
    EXPECT_TRUE(FitsMaxPath(std::string(259, 'a')));
    EXPECT_FALSE(FitsMaxPath(std::string(260, 'a')));
    const std::tuple<const char*, const char*, Lines> groups[] = {  // as typed, cleaned, its folders outermost first
        {"Pictorel 5", "Pictorel 5", {"P\\Pictorel 5"}}, {"/A/B ", "A\\B", {"P\\A", "P\\A\\B"}},
        {"\\A\\B\\\t", "A\\B", {"P\\A", "P\\A\\B"}},
        {" \r\n/A//B/C/", "A\\\\B\\C", {"P\\A", "P\\A\\", "P\\A\\\\B", "P\\A\\\\B\\C"}}, {" / \\ ", "", {"P\\"}}};
    for (const auto& [typed, cleaned, folders] : groups) {
        EXPECT_EQ(cleaned, CleanProgramGroup(typed)) << typed;
        EXPECT_EQ(folders, GroupFolderChain("P", cleaned)) << typed;
    }
}

TEST(WininitBlock, TheNewLineGoesLastOrNotAtAll)
{
    const std::string path = "C:\\Temp\\uni1.tmp";  // "NUL=" + path: 21 characters with its zero
    const std::tuple<Lines, std::size_t, std::size_t, bool> cases[] = {  // lines, capacity, reported length, added
        {{}, 16384, 0, true},
        {{"NUL=C:\\a.old", "NUL=C:\\b.old"}, 16384, 0, true},
        {{std::string(8, 'x')}, 31, 0, true},  // exactly room for the line and the final zero
        {{std::string(8, 'x')}, 30, 0, false},
        {{std::string(28, 'x')}, 31, 29, false}};  // the section filled the buffer: it may have been cut
    for (const auto& [lines, capacity, reported, added] : cases) {
        std::vector<char> block(capacity + 1, '#');  // one canary byte past the end
        std::size_t length = 0;
        for (const std::string& line : lines) {
            std::copy(line.begin(), line.end(), block.begin() + static_cast<std::ptrdiff_t>(length));
            length += line.size() + 1;
            block[length - 1] = '\0';
        }
        block[length] = '\0';
        const std::vector<char> before = block;
        EXPECT_EQ(added, AppendBootDeleteLine(block.data(), capacity, reported ? reported : length, path));
        Lines after, expected = lines;
        for (std::size_t at = 0; block[at] != '\0'; at += after.back().size() + 1) after.emplace_back(&block[at]);
        if (added) expected.push_back("NUL=" + path);
        EXPECT_EQ(expected, after);
        EXPECT_TRUE(added || before == block) << "a block that cannot take the line stays as it was";
        EXPECT_EQ('#', block[capacity]) << "written past the buffer";
    }
}

TEST(SharedInstanceList, KeepsTheIdsInOrderWithinItsBlock)
{
    using Ids = std::vector<std::uint32_t>;
    std::vector<unsigned char> bytes(SharedInstanceList::blockSize + 34, 0xA5);  // between canaries, at an odd address
    unsigned char* block = bytes.data() + 17;
    auto word = [&](std::size_t at) { return block[at] | block[at + 1] << 8 | block[at + 2] << 16 | std::uint32_t(block[at + 3]) << 24; };
    auto expectBlock = [&](const Ids& ids) {
        EXPECT_EQ(1u, word(0));
        EXPECT_EQ(ids.size(), std::size_t(word(4)));
        for (std::uint32_t slot = 0; slot < 1000; ++slot)
            ASSERT_EQ(slot < ids.size() ? ids[slot] : 0, std::uint32_t(word(8 + 4 * slot))) << "slot " << slot;
        EXPECT_TRUE(bytes[16] == 0xA5 && bytes[17 + SharedInstanceList::blockSize] == 0xA5);
    };
    SharedInstanceList list(block);
    const std::tuple<Ids, std::uint32_t, bool, Ids> removals[] = {
        {{4, 8, 12, 16}, 4, true, {8, 12, 16}}, {{4, 8, 12, 16}, 8, true, {4, 12, 16}},
        {{4, 8, 12, 16}, 16, true, {4, 8, 12}}, {{4, 8, 4, 12}, 4, true, {8, 4, 12}},
        {{4, 8}, 12, false, {4, 8}},             {{4, 8}, 0, false, {4, 8}}, {{0x11223344}, 0x11223344, true, {}}};
    for (const auto& [before, id, found, after] : removals) {
        list.Reset();
        for (std::uint32_t listed : before) ASSERT_TRUE(list.Append(listed));
        EXPECT_EQ(found, list.Remove(id));
        expectBlock(after);
    }
    Ids full;
    for (std::uint32_t i = 0; i < 1000; ++i) full.push_back(i ? 1000 + i : 0x11223344);
    list.Reset();
    for (std::uint32_t id : full) list.Append(id);
    EXPECT_EQ(0x44, block[8]);  // little-endian words
    EXPECT_FALSE(list.Append(7));
    expectBlock(full);
    Ids copied{9, 9};
    list.CopyIds(copied);
    EXPECT_EQ(full, copied);
    for (std::uint32_t damaged : {1001u, 0xFFFFFFFFu}) {  // a count another writer damaged
        for (int i = 0; i < 4; ++i) block[4 + i] = static_cast<unsigned char>(damaged >> 8 * i);
        EXPECT_EQ(1000u, list.Count());
        EXPECT_FALSE(list.Append(5) || list.Remove(5));
    }
    std::uint32_t rounded = 0;
    EXPECT_TRUE(RoundUpToGranularity(4008, 65536, rounded) && rounded == 65536);
    EXPECT_TRUE(RoundUpToGranularity(65537, 65536, rounded) && rounded == 131072);
    EXPECT_TRUE(RoundUpToGranularity(4008, 0, rounded) && rounded == 4008);
    EXPECT_FALSE(RoundUpToGranularity(0xFFFF0001u, 65536, rounded));
}

}  // namespace
