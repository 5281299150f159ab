#include "engine/file_copy.h"

#include "held_file.h"
#include "pending_renames.h"
#include "support/machine.h"
#include "support/sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FileCopy : public Sandbox {
protected:
    void SetUp() override
    {
        Sandbox::SetUp();
        source = Path("dist");
        dest = Path("dest");
        ASSERT_TRUE(MakeFolders(source));
        ASSERT_TRUE(MakeFolders(dest));
    }

    std::string In(const std::string& folder, const std::string& name) const { return folder + "\\" + name; }

    std::string source;
    std::string dest;
};

TEST_F(FileCopy, TargetInUseIsRenamedAsideAndDeletedAtTheNextStart)
{
    PendingRenamesGuard pendingGuard;
    const std::string target = In(dest, "Pictrl5.exe");
    const std::string backup = target + ".old";
    ASSERT_TRUE(CopyFileA(FileHolderProgram().c_str(), target.c_str(), FALSE));
    const std::string runningImage = ReadTextFile(target);
    ASSERT_TRUE(WriteTextFile(backup, "left by an earlier run"));
    ASSERT_TRUE(WriteTextFile(In(source, "Pictrl5.exe"), "new version"));

    HeldFile running(target, "run");
    ASSERT_TRUE(running.Holding());
    ASSERT_FALSE(DeleteFileA(target.c_str())) << "the running program's file should not be deletable";

    EXPECT_NE(0, CopyOneFile("Pictrl5.exe", source.c_str(), dest.c_str(), nullptr));

    EXPECT_EQ("new version", ReadTextFile(target));
    EXPECT_EQ(runningImage, ReadTextFile(backup)) << "the old file sits at the backup path; the earlier one is gone";
    const std::vector<std::string> pending = PendingDeletions();
    EXPECT_NE(pending.end(), std::find(pending.begin(), pending.end(), backup)) << "not registered: " << backup;
}

TEST_F(FileCopy, TargetHeldOpenWithoutDeleteSharingCannotBeReplaced)
{
    PendingRenamesGuard pendingGuard;
    // Neither deleting nor renaming gets past such a handle, so the copy
    // onto the file fails and reports it.
    const std::string target = In(dest, "Pictrl5.dll");
    ASSERT_TRUE(WriteTextFile(target, "old version"));
    ASSERT_TRUE(WriteTextFile(In(source, "Pictrl5.dll"), "new version"));

    HeldFile held(FileHolderProgram(), "open \"" + target + "\"");
    ASSERT_TRUE(held.Holding());

    EXPECT_EQ(0, CopyOneFile("Pictrl5.dll", source.c_str(), dest.c_str(), nullptr));
    EXPECT_EQ("old version", ReadTextFile(target));
    EXPECT_FALSE(FileExists(target + ".old"));
}

TEST_F(FileCopy, ProtectedTargetsAreReplacedAndTakeTheSourcesAttributes)
{
    struct {
        const char* what;
        DWORD targetAttributes;
        DWORD sourceAttributes;
    } const cases[] = {
        {"read-only target", FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_ARCHIVE},
        {"hidden target", FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_ARCHIVE},
        {"read-only hidden target, read-only source", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN,
         FILE_ATTRIBUTE_READONLY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string from = In(source, "help.chm");
        const std::string target = In(dest, "help.chm");
        SetFileAttributesA(from.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_TRUE(WriteTextFile(from, "new help"));
        ASSERT_TRUE(SetFileAttributesA(from.c_str(), c.sourceAttributes));
        ASSERT_TRUE(WriteTextFile(target, "old help"));
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), c.targetAttributes));
        ASSERT_EQ(c.targetAttributes, Attributes(target) & c.targetAttributes);
        const DWORD expected = Attributes(from);

        EXPECT_NE(0, CopyOneFile("help.chm", source.c_str(), dest.c_str(), nullptr));

        EXPECT_EQ("new help", ReadTextFile(target));
        EXPECT_EQ(expected, Attributes(target));
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(FileCopy, RenameInPlaceKeepsATargetItCannotDelete)
{
    struct {
        const char* what;
        bool sourcePresent;
        bool targetPresent;
        DWORD targetAttributes;
        int result;
        const char* targetAfter;  // nullptr: no file
    } const cases[] = {
        {"source and target", true, true, FILE_ATTRIBUTE_NORMAL, 1, "source"},
        {"source only", true, false, 0, 1, "source"},
        {"missing source, target present", false, true, FILE_ATTRIBUTE_NORMAL, 1, "target"},
        {"missing source and target", false, false, 0, 0, nullptr},
        {"read-only target stays", true, true, FILE_ATTRIBUTE_READONLY, 1, "target"},
    };
    const std::string from = In(source, "setup.exe");
    const std::string target = In(source, "PictrlUnInst.exe");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(from.c_str());
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(target.c_str());
        if (c.sourcePresent) {
            ASSERT_TRUE(WriteTextFile(from, "source"));
        }
        if (c.targetPresent) {
            ASSERT_TRUE(WriteTextFile(target, "target"));
            ASSERT_TRUE(SetFileAttributesA(target.c_str(), c.targetAttributes));
        }

        // The destination folder spelt otherwise is still the same folder.
        const std::string sameFolder = Path("DIST\\");
        EXPECT_EQ(c.result, CopyOneFile("setup.exe", source.c_str(), sameFolder.c_str(), "PictrlUnInst.exe"));

        if (c.targetAfter == nullptr) {
            EXPECT_FALSE(FileExists(target));
        } else {
            EXPECT_EQ(c.targetAfter, ReadTextFile(target));
        }
        if (c.sourcePresent) {
            EXPECT_EQ("source", ReadTextFile(from));
        }
    }
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileCopy, TheSourceFileItselfIsNeverTouched)
{
    // Each call names the source file twice: the same folder in other case,
    // a folder spelt with "/", the file's own name as the new name.
    const std::string file = In(source, "Pictrl5.exe");
    ASSERT_TRUE(WriteTextFile(file, "the one copy"));
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    const DWORD attributes = Attributes(file);
    struct {
        const char* what;
        std::string destFolder;
        const char* newName;
    } const cases[] = {
        {"folders differ in case only", Path("DIST"), nullptr},
        {"folder with a trailing /", source + "/", nullptr},
        {"new name is the name in other case", source, "PICTRL5.EXE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(1, CopyOneFile("Pictrl5.exe", source.c_str(), c.destFolder.c_str(), c.newName));
        EXPECT_EQ("the one copy", ReadTextFile(file));
        EXPECT_EQ(attributes, Attributes(file));
    }
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileCopy, MissingSourceLeavesTheTargetAlone)
{
    const std::string target = In(dest, "readme.txt");
    ASSERT_TRUE(WriteTextFile(target, "installed"));
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(0, CopyOneFile("readme.txt", source.c_str(), dest.c_str(), nullptr));

    EXPECT_EQ("installed", ReadTextFile(target));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY), Attributes(target) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileCopy, PatternWithoutMatchCopiesNothingAndMakesNoFolder)
{
    ASSERT_TRUE(WriteTextFile(In(source, "a.dll"), "a"));
    const std::string newFolder = Path("new");
    EXPECT_EQ(0, CopyMatchingFiles("*.ocx", source.c_str(), newFolder.c_str()));
    EXPECT_FALSE(FolderExists(newFolder));
}

TEST_F(FileCopy, PatternCopiesItsMatchesIntoANewFolder)
{
    for (const char* name : {"a.dll", "b.dll", "c.txt"}) ASSERT_TRUE(WriteTextFile(In(source, name), name));
    const std::string newFolder = Path("new");
    EXPECT_EQ(2, CopyMatchingFiles("?.dll", (source + "\\").c_str(), newFolder.c_str()));
    EXPECT_EQ("a.dll", ReadTextFile(In(newFolder, "a.dll")));
    EXPECT_EQ("b.dll", ReadTextFile(In(newFolder, "b.dll")));
    EXPECT_FALSE(FileExists(In(newFolder, "c.txt")));
}

TEST_F(FileCopy, FirstFailingMatchEndsTheCopy)
{
    for (const char* name : {"m1.dat", "m2.dat", "m3.dat", "m4.dat", "m5.dat"})
        ASSERT_TRUE(WriteTextFile(In(source, name), name));
    // The search's own order decides which match is the third.
    std::vector<std::string> order;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(In(source, "m*.dat").c_str(), &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do order.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    ASSERT_EQ(5u, order.size());
    // A folder in the way of the third match makes its copy fail.
    ASSERT_TRUE(CreateDirectoryA(In(dest, order[2]).c_str(), nullptr));

    EXPECT_EQ(2, CopyMatchingFiles("m*.dat", source.c_str(), dest.c_str()));

    EXPECT_TRUE(FileExists(In(dest, order[0])));
    EXPECT_TRUE(FileExists(In(dest, order[1])));
    EXPECT_TRUE(FolderExists(In(dest, order[2]))) << "a folder is never moved aside";
    EXPECT_FALSE(FileExists(In(dest, order[2]) + ".old"));
    EXPECT_FALSE(FileExists(In(dest, order[3])));
    EXPECT_FALSE(FileExists(In(dest, order[4])));
}

TEST_F(FileCopy, MatchingFolderIsNeverTouched)
{
    ASSERT_TRUE(MakeFolders(In(source, "sub")));
    ASSERT_TRUE(WriteTextFile(In(source, "sub\\inner.txt"), "inner"));
    ASSERT_TRUE(WriteTextFile(In(dest, "sub"), "a file named like the folder"));

    EXPECT_EQ(0, CopyMatchingFiles("sub", source.c_str(), dest.c_str()));

    EXPECT_EQ("inner", ReadTextFile(In(source, "sub\\inner.txt")));
    EXPECT_EQ("a file named like the folder", ReadTextFile(In(dest, "sub")));
    EXPECT_FALSE(FileExists(In(dest, "sub.old")));
}

}  // namespace
