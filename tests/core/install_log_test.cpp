#include "engine/install_log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A file in the current folder: the tests run natively and under Wine alike.
const char* const logFile = "install_log_test.tmp";

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    ASSERT_EQ(bytes.size(), std::fwrite(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
}

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<char>(c));
    std::fclose(f);
    return bytes;
}

std::vector<std::string> ReadAllLines(LogLineReader& reader)
{
    std::vector<std::string> lines;
    std::string line = "sentinel";
    while (reader.Next(line)) lines.push_back(line);
    return lines;
}

struct ReadCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
};

class LogFile : public ::testing::Test {
protected:
    void TearDown() override { std::remove(logFile); }
};

TEST_F(LogFile, ReaderSplitsAndTrimsLinesByTheSharedRules)
{
    const std::string line600 = "File Copy: " + std::string(589, 'x');
    const ReadCase cases[] = {
        {"a long line arrives as 511 + 89", line600 + "\r\n", {line600.substr(0, 511), line600.substr(511)}},
        {"511 characters and the break", std::string(511, 'y') + "\n", {std::string(511, 'y'), "\n"}},
        {"LF lines", "File Copy: a\nFile Del: b\n", {"File Copy: a", "File Del: b"}},
        {"CR LF lines", "File Copy: a\r\nFile Del: b\r\n", {"File Copy: a", "File Del: b"}},
        {"last line without a break", "a\r\nb", {"a", "b"}},
        {"trailing blanks, tabs and controls go", "File Del: x.dll \t\x01\x1f \r\n", {"File Del: x.dll"}},
        {"codes from 128 stay", "File Copy: caf\xe9\xa0\xff\n", {"File Copy: caf\xe9\xa0\xff"}},
        {"blank before the tag is kept", " File Copy: a\n", {" File Copy: a"}},
        {"the first character is never removed", "\n \n\t\t\r\n", {"\n", " ", "\t"}},
        {"empty file", "", {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(logFile, c.bytes);
        LogLineReader reader{std::string(logFile)};
        ASSERT_TRUE(reader.IsOpen());
        EXPECT_EQ(c.lines, ReadAllLines(reader));

        reader.Rewind();
        EXPECT_EQ(c.lines, ReadAllLines(reader)) << "second pass";
    }
}

TEST_F(LogFile, MissingFileReadsNothing)
{
    std::remove(logFile);
    LogLineReader reader{std::string(logFile)};
    EXPECT_FALSE(reader.IsOpen());
    std::string line = "unchanged";
    EXPECT_FALSE(reader.Next(line));
    reader.Rewind();
    EXPECT_EQ("unchanged", line);
}

TEST_F(LogFile, AppendedLinesEndWithTheSystemsLineBreak)
{
    WriteBytes(logFile, "File Copy: a.exe\r\n");
    AppendLogLine(logFile, "Made Dir: C:\\Group");
    AppendLogLine(logFile, "Shell Link: C:\\Group\\P 5.lnk");
#ifdef _WIN32
    const char* const lineBreak = "\r\n";
#else
    const char* const lineBreak = "\n";
#endif
    EXPECT_EQ(std::string("File Copy: a.exe\r\nMade Dir: C:\\Group") + lineBreak + "Shell Link: C:\\Group\\P 5.lnk" +
                  lineBreak,
              ReadBytes(logFile));
}

TEST_F(LogFile, AppendToAnUnopenableFileLosesTheLineQuietly)
{
    const std::string path = "no-such-folder-for-the-log/x.log";
    AppendLogLine(path, "Made Dir: C:\\x");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(nullptr, f);
    if (f != nullptr) std::fclose(f);
}

TEST(LogOperands, TagsAreMatchedAtTheFirstCharacterWithCase)
{
    struct {
        const char* line;
        const char* tag;
        bool has;
        const char* operand;
    } const cases[] = {
        {"File Copy: a.exe", LogTag::fileCopy, true, "a.exe"},
        {"File Copy:  a.exe", LogTag::fileCopy, true, " a.exe"},
        {"File Copy: ", LogTag::fileCopy, true, ""},
        {"File Copy:", LogTag::fileCopy, false, ""},
        {" File Copy: a.exe", LogTag::fileCopy, false, ""},
        {"file copy: a.exe", LogTag::fileCopy, false, ""},
        {"File Overwrite: b", LogTag::fileOverwrite, true, "b"},
        {"Shell Link: C:\\G\\x.lnk", LogTag::shellLink, true, "C:\\G\\x.lnk"},
        {"Made Dir: C:\\G", LogTag::shellLink, false, ""},
        {"", LogTag::fileDel, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string line = c.line;
        EXPECT_EQ(c.has, HasTag(line, c.tag));
        if (c.has) {
            EXPECT_EQ(c.operand, TagOperand(line, c.tag));
        }
    }
}

TEST(LogOperands, PairsAnnotationsAndInstalledNames)
{
    struct {
        const char* operand;
        bool pair;
        const char* source;
        const char* target;
        const char* stripped;
    } const cases[] = {
        {"a.exe", false, "", "a.exe", "a.exe"},
        {"setup.exe > PictrlUnInst.exe", true, "setup.exe", "PictrlUnInst.exe", "setup.exe > PictrlUnInst.exe"},
        {"a.exe\t \t>\t b.exe", true, "a.exe", "b.exe", "a.exe\t \t>\t b.exe"},
        {"a>b>c", true, "a", "b>c", "a>b>c"},
        {">b", true, "", "b", ">b"},
        {"a >", true, "a", "", "a >"},
        {"old.dll | no longer shipped", false, "", "old.dll | no longer shipped", "old.dll"},
        {"old.dll |x | y", false, "", "old.dll |x | y", "old.dll |x"},
        {"a|b", false, "", "a|b", "a|b"},
        {" | x", false, "", " | x", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operand);
        std::string source = "?";
        std::string target = "?";
        EXPECT_EQ(c.pair, SplitPair(c.operand, source, target));
        if (c.pair) {
            EXPECT_EQ(c.source, source);
            EXPECT_EQ(c.target, target);
        }
        EXPECT_EQ(c.target, InstalledName(c.operand));
        EXPECT_EQ(c.stripped, StripAnnotation(c.operand));
    }
}

TEST(LogOperands, OnlyPlainNamesAndPatternsAreFileNames)
{
    struct {
        const char* name;
        bool plain;
    } const cases[] = {
        {"Pictrl5.exe", true},
        {"*.dll", true},
        {"a?b c.txt", true},
        {"x.y.z", true},
        {"", false},
        {"..", false},
        {"a..b", false},
        {"sub\\a.exe", false},
        {"sub/a.exe", false},
        {"C:a.exe", false},
        {"\\\\server\\share\\a", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.plain, IsPlainFileName(c.name));
    }
}

}  // namespace
