#include "uninstall/temporary_uninstaller.h"

#include "support/machine.h"
#include "support/sandbox.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The arguments as the started program's runtime splits its command line.
std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> arguments;
    std::wstring wide(commandLine.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, commandLine.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    int count = 0;
    LPWSTR* split = CommandLineToArgvW(wide.c_str(), &count);
    for (int i = 0; split != nullptr && i < count; ++i) {
        char text[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, split[i], -1, text, sizeof text, nullptr, nullptr);
        arguments.push_back(text);
    }
    LocalFree(split);
    return arguments;
}

std::string WaitForFile(const std::string& path)
{
    for (int i = 0; i < 200 && !FileExists(path); ++i) Sleep(100);
    Sleep(100);  // let the writer finish
    return ReadTextFile(path);
}

void DeleteWhenFree(const std::string& path)
{
    for (int i = 0; i < 100 && !DeleteFileA(path.c_str()) && FileExists(path); ++i) Sleep(100);
}

class TemporaryUninstaller : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        folder = Path("Program Files\\Pictorel 5");
        ASSERT_TRUE(MakeFolders(folder));
        uninstaller = folder + "\\PictrlUnInst.exe";
        ASSERT_TRUE(CopyFileA((TestBinFolder() + "\\removal_driver.exe").c_str(), uninstaller.c_str(), FALSE));
        record = Path("record.txt");
        marker = Path("marker.txt");
        SetEnvironmentVariableA("PICTOREL_REMOVAL_RECORD", record.c_str());
        SetEnvironmentVariableA("PICTOREL_REMOVAL_MARKER", marker.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("PICTOREL_REMOVAL_RECORD", nullptr);
        SetEnvironmentVariableA("PICTOREL_REMOVAL_MARKER", nullptr);
        Sandbox::TearDown();
    }

    std::string folder;
    std::string uninstaller;
    std::string record;
    std::string marker;
};

TEST_F(TemporaryUninstaller, CopyInTheTemporaryFolderGetsTheUninstallersPath)
{
    char temp[MAX_PATH];
    const std::string tempFolder(temp, GetTempPathA(MAX_PATH, temp));
    struct {
        const char* what;
        const char* mode;
        std::vector<std::string> tail;
    } const cases[] = {
        {"interactive", "", {}},
        {"silent", "silent", {"-s"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(record.c_str());
        DeleteFileA(marker.c_str());

        EXPECT_EQ(0, RunAndWait("\"" + uninstaller + "\" " + c.mode));

        const std::string commandLine = WaitForFile(record);
        std::vector<std::string> arguments = SplitCommandLine(commandLine);
        ASSERT_GE(arguments.size(), 1u) << commandLine;
        const std::string copy = arguments[0];
        std::vector<std::string> expected{copy, "-delself", uninstaller};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(expected, arguments) << commandLine;
        EXPECT_EQ(0, _stricmp(tempFolder.c_str(), copy.substr(0, copy.find_last_of('\\') + 1).c_str())) << copy;
        EXPECT_EQ(0, _strnicmp("uni", copy.c_str() + copy.find_last_of('\\') + 1, 3)) << copy;
        EXPECT_EQ(ReadTextFile(uninstaller), ReadTextFile(copy));
        EXPECT_FALSE(FileExists(marker)) << "the first process ended without its exit-time clean-up";
        DeleteWhenFree(copy);
    }
}

TEST_F(TemporaryUninstaller, ReturnsWhenTheCopyCannotBeMade)
{
    char saved[MAX_PATH] = "";
    const DWORD savedLength = GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    SetEnvironmentVariableA("TMP", Path("no such folder").c_str());

    EXPECT_EQ(3, RunAndWait("\"" + uninstaller + "\" silent"));

    SetEnvironmentVariableA("TMP", savedLength > 0 ? saved : nullptr);
    EXPECT_FALSE(FileExists(record));
    EXPECT_EQ("clean-up ran", ReadTextFile(marker));
}

}  // namespace
