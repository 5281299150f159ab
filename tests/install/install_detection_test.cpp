// Where an existing installation lies, the default destination, the setup's
// own folder and a program file's version, read from a prepared machine.
#include "app/install_detection.h"
#include "app/product_profile.h"
#include "app/setup_state.h"
#include "support/machine.h"
#include "support/sandbox.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using InstallDetection = Sandbox;

TEST_F(InstallDetection, ExistingFolderComesFromPathElseFromAppPaths)
{
    const struct {
        const char* what;
        const char* pathValue;     // nullptr: not written
        const char* appPathValue;  // nullptr: not written
        const char* folder;
    } cases[] = {
        {"nothing recorded", nullptr, nullptr, ""},
        {"Path value", "C:\\Apps\\Pictorel 5", "C:\\Other\\Pictrl5.exe", "C:\\Apps\\Pictorel 5"},
        {"Path with trailing backslash", "C:\\Apps\\Pictorel 5\\", nullptr, "C:\\Apps\\Pictorel 5"},
        {"Path of a drive root", "D:\\", nullptr, "D:"},
        {"empty Path falls back", "", "C:\\Apps\\P5\\Pictrl5.exe", "C:\\Apps\\P5"},
        {"App Paths in other case", nullptr, "C:\\Apps\\P5\\PICTRL5.EXE", ""},
        {"App Paths in quotes keeps its quote", nullptr, "\"C:\\Apps\\P5\\Pictrl5.exe\"", "\"C:\\Apps\\P5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveProductKeys();
        if (c.pathValue) RegWrite(HKEY_LOCAL_MACHINE, ProductProfile::productKey, "Path", c.pathValue);
        if (c.appPathValue) RegWrite(HKEY_LOCAL_MACHINE, ProductProfile::appPathKey, nullptr, c.appPathValue);
        EXPECT_EQ(c.folder, FindExistingInstallFolder());
    }
}

TEST_F(InstallDetection, DefaultRootIsProgramFilesDirOrTheWindowsDrive)
{
    const char* key = ProductProfile::currentVersionKey;
    RegWrite(HKEY_LOCAL_MACHINE, key, "ProgramFilesDir", "E:\\Programs\\");
    EXPECT_EQ("E:\\Programs", DefaultProgramsRoot());

    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_SET_VALUE, &k));
    RegDeleteValueA(k, "ProgramFilesDir");
    RegCloseKey(k);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(std::string(windows, 3) + "Program Files", DefaultProgramsRoot());
}

TEST_F(InstallDetection, SetupFolderIsTheRunningProgramsFolder)
{
    EXPECT_EQ(TestBinFolder(), SetupFolderPath());
}

TEST_F(InstallDetection, FileVersionIsReadFromTheFixedFileInfo)
{
    const struct {
        const char* file;
        unsigned major, minor, build, revision;
    } cases[] = {
        {"Pictrl5-5.0.3.1.exe", 5, 0, 3, 1},
        {"Pictrl5-5.0.100.0.exe", 5, 0, 100, 0},
        {"Pictrl5-unversioned.exe", 0, 0, 0, 0},
        {"no-such-file.exe", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        setupState.versionMajor = setupState.versionMinor = setupState.versionBuild = setupState.versionRevision = 77;
        ReadFileVersion(TestBinFolder() + "\\" + c.file);
        EXPECT_EQ(c.major, setupState.versionMajor);
        EXPECT_EQ(c.minor, setupState.versionMinor);
        EXPECT_EQ(c.build, setupState.versionBuild);
        EXPECT_EQ(c.revision, setupState.versionRevision);
    }
}

}  // namespace
