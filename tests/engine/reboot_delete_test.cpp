#include "uninstall/reboot_delete.h"

#include "pending_renames.h"
#include "support/machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string WininitPath()
{
    char folder[MAX_PATH];
    UINT n = GetWindowsDirectoryA(folder, MAX_PATH);
    return std::string(folder, n) + "\\WININIT.INI";
}

// The profile functions keep files cached; this makes them read the disk.
void FlushProfileCache()
{
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, "WININIT.INI");
}

std::vector<std::string> RenameSection()
{
    FlushProfileCache();
    std::vector<char> block(65536, '\0');
    DWORD n = GetPrivateProfileSectionA("rename", block.data(), static_cast<DWORD>(block.size()), "WININIT.INI");
    std::vector<std::string> lines;
    for (DWORD at = 0; at < n;) {
        std::string line(block.data() + at);
        lines.push_back(line);
        at += static_cast<DWORD>(line.size()) + 1;
    }
    return lines;
}

// Fails as MoveFileExA always does on the 9x family.
BOOL WINAPI FailingMoveFileEx(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

// WININIT.INI of the test prefix is put back as it was.
class RebootDelete : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = WininitPath();
        existed = FileExists(path);
        if (existed) saved = ReadTextFile(path);
        DeleteFileA(path.c_str());
        FlushProfileCache();
    }
    void TearDown() override
    {
        rebootMoveFileEx = ::MoveFileExA;
        DeleteFileA(path.c_str());
        if (existed) WriteTextFile(path, saved);
        FlushProfileCache();
    }

    std::string path;
    bool existed = false;
    std::string saved;
};

TEST_F(RebootDelete, NtFamilyRegistersTheFileAndLeavesWininitAlone)
{
    PendingRenamesGuard pendingGuard;
    const std::string file = "C:\\pictorel-reboot-test\\uni1A2B.tmp";

    DeleteAtReboot(file);

    const std::vector<std::string> pending = PendingDeletions();
    ASSERT_FALSE(pending.empty());
    EXPECT_EQ(file, pending.back());
    EXPECT_FALSE(FileExists(path));
}

TEST_F(RebootDelete, WithoutMoveFileExTheRenameSectionGainsALastLine)
{
    rebootMoveFileEx = FailingMoveFileEx;
    const std::string file = "C:\\Program Files\\Pictorel 5\\Pictrl5.exe.old";
    struct {
        const char* what;
        const char* fileContent;  // nullptr: no WININIT.INI
        std::vector<std::string> before;
    } const cases[] = {
        {"no file", nullptr, {}},
        {"no rename section", "[other]\r\nkey=value\r\n", {}},
        {"a section of two lines", "[rename]\r\nNUL=C:\\first.old\r\nNUL=C:\\second.old\r\n",
         {"NUL=C:\\first.old", "NUL=C:\\second.old"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(path.c_str());
        if (c.fileContent != nullptr) {
            ASSERT_TRUE(WriteTextFile(path, c.fileContent));
        }
        FlushProfileCache();

        DeleteAtReboot(file);

        std::vector<std::string> expected = c.before;
        expected.push_back("NUL=" + file);
        EXPECT_EQ(expected, RenameSection());
    }
}

TEST_F(RebootDelete, SectionThatCannotTakeTheLineIsLeftAsItWas)
{
    rebootMoveFileEx = FailingMoveFileEx;
    const std::string file = "C:\\Program Files\\Pictorel 5\\Pictrl5.exe.old";
    // 16384 characters hold the block; each line below takes 101 of them.
    const std::string line = "NUL=C:\\" + std::string(89, 'x') + ".old";
    struct {
        const char* what;
        int lines;
    } const cases[] = {
        {"no room for the new line", 162},
        {"larger than the buffer", 170},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string content = "[rename]\r\n";
        for (int i = 0; i < c.lines; ++i) content += line + "\r\n";
        ASSERT_TRUE(WriteTextFile(path, content));
        FlushProfileCache();

        DeleteAtReboot(file);

        FlushProfileCache();
        EXPECT_EQ(content, ReadTextFile(path));
    }
}

}  // namespace
