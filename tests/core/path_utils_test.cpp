#include "engine/path_utils.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Lead bytes of code page 932 (Shift-JIS), whose second bytes include '\'.
bool ShiftJisLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc);
}

bool NoLeadBytes(unsigned char)
{
    return false;
}

TEST(ParentFolder, GivesTheFolderWithoutItsBackslash)
{
    struct {
        const char* path;
        LeadByteTest leadByte;
        const char* parent;
    } const cases[] = {
        {"C:\\Program Files\\Pictorel 5\\Pictrl5.exe", NoLeadBytes, "C:\\Program Files\\Pictorel 5"},
        {"C:\\Program Files\\Pictorel 5\\", NoLeadBytes, "C:\\Program Files"},
        {"C:\\Pictorel 5", NoLeadBytes, "C:"},
        {"C:\\", NoLeadBytes, ""},
        {"C:", NoLeadBytes, ""},
        {"\\Pictorel 5", NoLeadBytes, ""},
        {"\\", NoLeadBytes, ""},
        {"", NoLeadBytes, ""},
        {"a\\\\", NoLeadBytes, "a"},
        {"\\\\server\\share\\x", NoLeadBytes, "\\\\server\\share"},
        {"x/y/z", NoLeadBytes, ""},
        // "\x83\\" is one character: its second byte is no separator.
        {"C:\\a\\\x83\\b", ShiftJisLeadByte, "C:\\a"},
        {"C:\\a\\\x83\\b", NoLeadBytes, "C:\\a\\\x83"},
        {"C:\\a\\b\x83\\", ShiftJisLeadByte, "C:\\a"},
        {"C:\\a\\b\x83", ShiftJisLeadByte, "C:\\a"},
        {"C:\\a\\b", nullptr, "C:\\a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.parent, ParentFolder(c.path, c.leadByte));
    }
    EXPECT_EQ("", ParentFolder(nullptr, NoLeadBytes));
}

TEST(PathJoins, OneSeparatorBetweenFolderAndName)
{
    struct {
        const char* folder;
        const char* entry;
        const char* joined;
        const char* searchPath;
    } const cases[] = {
        {"C:\\Program Files", "\\Pictorel 5", "C:\\Program Files\\Pictorel 5", "C:\\Program Files\\\\Pictorel 5"},
        {"D:\\", "\\Pictorel 5", "D:\\Pictorel 5", "D:\\\\Pictorel 5"},
        {"D:", "\\Pictorel 5", "D:\\Pictorel 5", "D:\\\\Pictorel 5"},
        {"C:\\dist", "*.dll", "C:\\dist*.dll", "C:\\dist\\*.dll"},
        {"C:\\dist\\", "*.dll", "C:\\dist\\*.dll", "C:\\dist\\*.dll"},
        {"C:/dist/", "a.txt", "C:/dist/a.txt", "C:/dist/a.txt"},
        {"", "a.txt", "a.txt", "\\a.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.entry);
        EXPECT_EQ(c.joined, JoinFolder(c.folder, c.entry));
        EXPECT_EQ(c.searchPath, JoinSearchPath(c.folder, c.entry));
    }
}

TEST(PathJoins, FoldersAreKeptWithoutTrailingBackslash)
{
    EXPECT_EQ("D:", WithoutTrailingBackslash("D:\\"));
    EXPECT_EQ("C:\\Program Files\\Pictorel 5", WithoutTrailingBackslash("C:\\Program Files\\Pictorel 5\\"));
    EXPECT_EQ("C:\\x", WithoutTrailingBackslash("C:\\x"));
    EXPECT_EQ("", WithoutTrailingBackslash(""));
}

TEST(PathJoins, FoldersAreComparedWithTheirSeparatorAndAsciiCaseFolded)
{
    struct {
        const char* a;
        const char* b;
        bool same;
    } const cases[] = {
        {"C:\\Dist", "c:\\dIST\\", true},
        {"C:\\Dist/", "C:\\Dist/", true},
        {"C:\\Dist/", "C:\\Dist", false},  // "/" is kept, "\\" is added
        {"", "\\", true},
        {"C:\\Dist", "C:\\Dist2", false},
        {"C:\\caf\xe9", "C:\\CAF\xc9", false},  // only A to Z are folded
        {"C:\\[x]", "C:\\{x}", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " ~ " + c.b);
        EXPECT_EQ(c.same, SameTextIgnoringCase(WithSeparator(c.a), WithSeparator(c.b)));
    }
}

TEST(PathJoins, MaxPathCountsTheTerminatingZero)
{
    EXPECT_TRUE(FitsMaxPath(std::string(259, 'a')));
    EXPECT_FALSE(FitsMaxPath(std::string(260, 'a')));
}

}  // namespace
