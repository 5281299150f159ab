#include "engine/shell_link.h"

#include "app/setup_state.h"
#include "support/machine.h"
#include "support/sandbox.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct LinkContents {
    std::string path;
    std::string arguments;
    std::string workingFolder;
    std::string description;
};

// Everything a test asks of a saved shortcut, read back through the shell.
bool ReadLink(const std::string& linkPath, LinkContents& contents)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)));
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
    ok = ok && SUCCEEDED(file->Load(wide, STGM_READ));
    if (ok) {
        char text[MAX_PATH] = "";
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        contents.path = text;
        text[0] = '\0';
        link->GetArguments(text, MAX_PATH);
        contents.arguments = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, MAX_PATH);
        contents.workingFolder = text;
        text[0] = '\0';
        link->GetDescription(text, MAX_PATH);
        contents.description = text;
    }
    if (file != nullptr) file->Release();
    link->Release();
    return ok;
}

class ShellLink : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        setupState.destFolder = Path("Pictorel 5");
        ASSERT_TRUE(MakeFolders(setupState.destFolder));
        logPath = setupState.destFolder + "\\PictrlUnInst.log";
        target = setupState.destFolder + "\\Pictrl5.exe";
        ASSERT_TRUE(WriteTextFile(target, "program"));
    }

    std::string logPath;
    std::string target;
};

TEST_F(ShellLink, SavedLinksPointAtTheBareTargetAndAreLogged)
{
    struct {
        const char* what;
        std::string target;
        std::string link;
        int showCommand;
        const char* arguments;
        const char* workingFolder;
    } const cases[] = {
        {"plain target", target, programs + "\\Pictorel 5.lnk", SW_SHOWNORMAL, nullptr, nullptr},
        {"quoted target", "\"" + target + "\"", desktop + "\\Pictorel 5.lnk", SW_SHOWNORMAL, nullptr, nullptr},
        // The log keeps the caller's text, not the shell's reading of it.
        {"path logged as given", target, startup + "\\..\\Startup\\pictorel 5.LNK", SW_SHOWMINNOACTIVE, "-x",
         "C:\\"},
    };
    std::string expectedLog;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        HRESULT result = CreateShellLink(c.target.c_str(), c.link.c_str(), "", c.showCommand, c.arguments,
                                         c.workingFolder);
        EXPECT_TRUE(SUCCEEDED(result)) << std::hex << result;
        EXPECT_EQ(1, comInitialized);

        LinkContents contents;
        ASSERT_TRUE(ReadLink(c.link, contents));
        EXPECT_EQ(target, contents.path);
        EXPECT_EQ(c.arguments != nullptr ? c.arguments : "", contents.arguments);
        EXPECT_EQ(c.workingFolder != nullptr ? c.workingFolder : "", contents.workingFolder);
        expectedLog += "Shell Link: " + c.link + "\r\n";
        EXPECT_EQ(expectedLog, ReadTextFile(logPath));
    }
}

TEST_F(ShellLink, LinkIntoAMissingFolderLeavesNoFileAndNoLine)
{
    const std::string link = Path("no such group") + "\\Pictorel 5.lnk";
    HRESULT result = CreateShellLink(target.c_str(), link.c_str(), "", SW_SHOWNORMAL, nullptr, nullptr);
    EXPECT_TRUE(FAILED(result));
    EXPECT_FALSE(FileExists(link));
    EXPECT_FALSE(FileExists(logPath));
}

TEST_F(ShellLink, SavingOverALinkReplacesItAndLogsItAgain)
{
    const std::string other = setupState.destFolder + "\\readme.txt";
    ASSERT_TRUE(WriteTextFile(other, "readme"));
    const std::string link = programs + "\\Pictorel 5.lnk";
    ASSERT_TRUE(SUCCEEDED(CreateShellLink(target.c_str(), link.c_str(), "first", SW_SHOWNORMAL, nullptr, nullptr)));
    ASSERT_TRUE(SUCCEEDED(CreateShellLink(other.c_str(), link.c_str(), "", SW_SHOWNORMAL, nullptr, nullptr)));

    LinkContents contents;
    ASSERT_TRUE(ReadLink(link, contents));
    EXPECT_EQ(other, contents.path);
    EXPECT_EQ("", contents.description);
    EXPECT_EQ("Shell Link: " + link + "\r\nShell Link: " + link + "\r\n", ReadTextFile(logPath));
}

}  // namespace
