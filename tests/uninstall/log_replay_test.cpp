// The log readers and the pattern delete, on a real folder.
#include "uninstall/log_replay.h"
#include "uninstall/uninstall_procedure.h"

#include "app/product_profile.h"
#include "engine/install_log.h"
#include "support/machine.h"
#include "uninstall_sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class LogReplay : public UninstallSandbox {
protected:
    std::string folder;

    void SetUp() override
    {
        UninstallSandbox::SetUp();
        folder = Path("inst");
    }

    Names Remaining() const
    {
        Names names;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &data));
        FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(LogReplay, RemoveLoggedFilesDeletesWhatTheLinesName)
{
    const DWORD readOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    const struct {
        const char* what;
        std::string log;
        const char* tag;
        Names files;
        DWORD attributes;
        Names remaining;
    } cases[] = {
        {"plain names of all three tags", "File Copy: a.exe\nFile Overwrite: b.dll\nFile Del: c.hlp\n", nullptr,
         {"a.exe", "b.dll", "c.hlp", "d.txt"}, FILE_ATTRIBUTE_NORMAL, {"d.txt"}},
        {"read-only and hidden files", "File Copy: a.exe\n", nullptr, {"a.exe"}, readOnlyHidden, {}},
        {"wildcards", "File Copy: *.flt\nFile Copy: pic?.dat\n", nullptr,
         {"x.flt", "y.flt", "pic1.dat", "pic22.dat"}, readOnlyHidden, {"pic22.dat"}},
        {"the pair's installed name, not its source name", "File Copy: core.src   >   core.dll\n", nullptr,
         {"core.src", "core.dll"}, FILE_ATTRIBUTE_NORMAL, {"core.src"}},
        {"an annotated entry", "File Del: old.hlp | obsolete since 5.0\n", nullptr, {"old.hlp"},
         FILE_ATTRIBUTE_NORMAL, {}},
        {"only the tag asked for", "File Copy: a.exe\nFile Del: c.hlp\n", LogTag::fileDel, {"a.exe", "c.hlp"},
         FILE_ATTRIBUTE_NORMAL, {"a.exe"}},
        {"lines that are not entries", " File Copy: a.exe\nfile copy: b.exe\nFile Copy:c.exe\n", nullptr,
         {"a.exe", "b.exe", "c.exe"}, FILE_ATTRIBUTE_NORMAL, {"a.exe", "b.exe", "c.exe"}},
        {"a line of 600 characters arrives in two pieces",
         "File Copy: " + std::string(500, 'x') + "File Copy: tail.dat\n", nullptr, {"tail.dat"},
         FILE_ATTRIBUTE_NORMAL, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(folder);
        for (const std::string& name : c.files) MakeFile(folder + "\\" + name, c.attributes);
        std::string log = Path("list.log");
        ASSERT_TRUE(WriteTextFile(log, c.log));

        RemoveLoggedFiles(log, folder, c.tag);

        EXPECT_EQ(c.remaining, Remaining());
    }
}

TEST_F(LogReplay, DeleteMatchingFilesCountsFilesAndLeavesFolders)
{
    MakeFile(folder + "\\a.lnk", FILE_ATTRIBUTE_READONLY);
    MakeFile(folder + "\\b.lnk", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    MakeFile(folder + "\\sub\\c.lnk");
    // Matches "." and ".." name this folder and the one above, "sub" one
    // below: no files, and their attributes are not ours to clear.
    const std::string folders[] = {folder + "\\sub", folder, root};
    for (const std::string& path : folders) {
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN) << path;
    }

    EXPECT_EQ(2, DeleteMatchingFiles(folder + "\\", "*.*"));

    EXPECT_EQ(Names{"sub"}, Remaining());
    EXPECT_TRUE(FileExists(folder + "\\sub\\c.lnk"));
    for (const std::string& path : folders) EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN) << path;
    EXPECT_EQ(0, DeleteMatchingFiles(folder, "*.lnk"));
    EXPECT_EQ(0, DeleteMatchingFiles(Path("missing"), "*.*"));
}

TEST_F(LogReplay, LinksGoBeforeFoldersAndTheChainStopsAtAFolderInUse)
{
    std::string group = programs + "\\Tools\\Graphics\\Pictorel";
    MakeFile(group + "\\Pictorel 5.lnk");
    MakeFile(programs + "\\Tools\\other.lnk");
    MakeFile(desktop + "\\Pictorel 5.lnk");
    std::string log = Path("links.log");
    // The folder line stands first: it can only go once the links have.
    ASSERT_TRUE(WriteTextFile(log, "Made Dir: " + group + "\n"
                                   "Shell Link: " + group + "\\Pictorel 5.lnk\n"
                                   "Shell Link: " + desktop + "\\Pictorel 5.lnk\n"
                                   "Made Dir: " + Path("never made") + "\n"));

    RemoveLoggedLinksAndFolders(log);

    EXPECT_FALSE(FileExists(desktop + "\\Pictorel 5.lnk"));
    EXPECT_FALSE(FolderExists(group));
    EXPECT_FALSE(FolderExists(programs + "\\Tools\\Graphics")) << "an empty folder above goes too";
    EXPECT_TRUE(FileExists(programs + "\\Tools\\other.lnk"));
    EXPECT_TRUE(FolderExists(desktop));
}

// A damaged or hostile log must not reach outside the installation folder.
TEST_F(LogReplay, AHostileLogDeletesNothingOutsideTheFolder)
{
    std::string install = programFiles + "\\Pictorel 5";
    std::string outside = Path("outside");
    const std::string sentinels[] = {programFiles + "\\sentinel.txt", Path("sentinel.txt"),
                                     outside + "\\sentinel.txt", outside + "\\sentinel.lnk.txt",
                                     outside + "\\sub\\sentinel.txt"};
    for (const std::string& path : sentinels) MakeFile(path);
    MakeFile(install + "\\Pictrl5.exe");
    ASSERT_TRUE(WriteTextFile(install + ProductProfile::uninstallLogPath,
                              "File Copy: Pictrl5.exe\n"
                              "File Copy: ..\\sentinel.txt\n"
                              "File Del: ..\\..\\sentinel.txt\n"
                              "File Overwrite: " + outside + "\\sentinel.txt\n"
                              "File Del: C:sentinel.txt\n"
                              "File Del: sub\\sentinel.txt\n"
                              "File Del: sub/sentinel.txt\n"
                              "File Copy: Pictrl5.exe > ..\\sentinel.txt\n"
                              "File Copy: *\\..\\..\\sentinel.txt\n"
                              "Shell Link: " + outside + "\\sentinel.txt\n"
                              "Shell Link: " + outside + "\\sentinel.lnk.txt\n"
                              "Made Dir: " + outside + "\n"));
    // "C:sentinel.txt" would name the file in the current folder of drive C:.
    ASSERT_TRUE(SetCurrentDirectoryA(outside.c_str()));

    RunUninstall(install + "\\");

    for (const std::string& path : sentinels) EXPECT_TRUE(FileExists(path)) << path;
    EXPECT_FALSE(FolderExists(install)) << "the one legitimate entry still goes";
}

TEST_F(LogReplay, WhatTheLogsDoNotNameKeepsTheInstallationFolder)
{
    const struct {
        const char* what;
        const char* earlierLog;  // nullptr: none
        const char* held;        // a file held open without share-delete
        Names remaining;
    } cases[] = {
        {"a file in use", nullptr, "Pictrl5.exe", {"Pictrl5.exe"}},
        {"an install.log no log names", "File Copy: legacy.dat\n", nullptr, {"install.log"}},
        {"a file of the user's", nullptr, nullptr, {"my picture.bmp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(folder);
        for (const char* name : {"Pictrl5.exe", "readme.txt", "legacy.dat"}) MakeFile(folder + "\\" + name);
        if (c.earlierLog != nullptr) {
            ASSERT_TRUE(WriteTextFile(folder + ProductProfile::earlierLogPath, c.earlierLog));
        }
        if (c.held == nullptr && c.earlierLog == nullptr) MakeFile(folder + "\\my picture.bmp");
        ASSERT_TRUE(WriteTextFile(folder + ProductProfile::uninstallLogPath,
                                  "File Copy: Pictrl5.exe\nFile Copy: readme.txt\nFile Del: legacy.dat\n"));
        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.held != nullptr)
            held = CreateFileA((folder + "\\" + c.held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);

        RunUninstall(folder + "\\");

        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(c.remaining, Remaining());
    }
}

}  // namespace
