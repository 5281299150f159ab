// What the uninstaller takes from each kind of log line, hostile ones included.
#include "engine/install_log.h"
#include "uninstall/removal_entries.h"

#include <gtest/gtest.h>

namespace {

const char* const none = nullptr;

TEST(RemovalEntries, FileLinesGiveThePatternToDeleteAndNothingOutsideTheFolder)
{
    const struct {
        const char* line;
        const char* tag;
        const char* pattern;  // none: the line deletes nothing
    } cases[] = {
        {"File Copy: Pictrl5.exe", nullptr, "Pictrl5.exe"},
        {"File Overwrite: msvcrt40.dll", nullptr, "msvcrt40.dll"},
        {"File Del: Pictrl4.hlp", nullptr, "Pictrl4.hlp"},
        {"File Copy: *.flt", nullptr, "*.flt"},
        {"File Copy: Core.src > Core.dll", nullptr, "Core.dll"},
        {"File Copy: Core.src   >   Core.dll", nullptr, "Core.dll"},
        {"File Del: old.txt | obsolete since 5.0", nullptr, "old.txt"},
        {"File Copy: a > b | remark > c", nullptr, "b"},  // the annotation goes before the pair is split
        {"File Copy:  lead.txt", nullptr, " lead.txt"},    // leading blanks of the operand are kept
        // The one tag asked for, and no other.
        {"File Del: old.txt", LogTag::fileDel, "old.txt"},
        {"File Copy: Pictrl5.exe", LogTag::fileDel, none},
        {"File Overwrite: x.dll", LogTag::fileCopy, none},
        // Not entries.
        {" File Copy: Pictrl5.exe", nullptr, none},
        {"file copy: Pictrl5.exe", nullptr, none},
        {"Made Dir: C:\\Programs\\Pictorel", nullptr, none},
        {"Shell Link: C:\\Desktop\\Pictorel 5.lnk", nullptr, none},
        {"File Copy: ", nullptr, none},
        {"File Copy: | remark", nullptr, "| remark"},  // the blank before "|" belongs to the tag
        {"File Del:  | remark", nullptr, none},
        {"File Copy: a >", nullptr, none},
        // Names with a folder part would reach outside the installation folder.
        {"File Copy: ..\\sentinel.txt", nullptr, none},
        {"File Del: ..", nullptr, none},
        {"File Copy: sub\\file.txt", nullptr, none},
        {"File Copy: sub/file.txt", nullptr, none},
        {"File Del: C:\\Windows\\win.ini", nullptr, none},
        {"File Del: C:win.ini", nullptr, none},
        {"File Overwrite: \\\\server\\share\\x.dll", nullptr, none},
        {"File Copy: Core.dll > ..\\Core.dll", nullptr, none},
        {"File Copy: ..\\evil > Core.dll", nullptr, "Core.dll"},  // only the installed name counts
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string pattern = "unchanged";
        bool found = FilePatternToRemove(c.line, c.tag, pattern);
        EXPECT_EQ(c.pattern != none, found);
        EXPECT_EQ(c.pattern != none ? c.pattern : "unchanged", pattern);
    }
}

TEST(RemovalEntries, ShellLinkLinesDeleteOnlyShortcutFiles)
{
    const struct {
        const char* line;
        const char* path;
    } cases[] = {
        {"Shell Link: C:\\Start Menu\\Programs\\Pictorel\\Pictorel 5.lnk", "C:\\Start Menu\\Programs\\Pictorel\\Pictorel 5.lnk"},
        {"Shell Link: C:\\Desktop\\PICTOREL 5.LNK", "C:\\Desktop\\PICTOREL 5.LNK"},
        {"Shell Link: C:\\Desktop\\Pictorel 5.Lnk", "C:\\Desktop\\Pictorel 5.Lnk"},
        {"Shell Link: C:\\Windows\\win.ini", none},
        {"Shell Link: C:\\Desktop\\Pictorel 5.lnk.txt", none},
        {"Shell Link: C:\\Desktop\\Pictorel 5.lnk | remark", none},
        {"Shell Link: C:\\Desktop\\lnk", none},
        {"Shell Link: ", none},
        {"shell link: C:\\Desktop\\Pictorel 5.lnk", none},
        {"File Copy: Pictorel 5.lnk", none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::string path;
        EXPECT_EQ(c.path != none, ShortcutToRemove(c.line, path));
        if (c.path != none) {
            EXPECT_EQ(c.path, path);
        }
    }
}

TEST(RemovalEntries, MadeDirLinesGiveTheFolder)
{
    std::string folder;
    EXPECT_TRUE(FolderToRemove("Made Dir: C:\\Start Menu\\Programs\\My Tools\\Pictorel", folder));
    EXPECT_EQ("C:\\Start Menu\\Programs\\My Tools\\Pictorel", folder);
    EXPECT_FALSE(FolderToRemove("Made Dir: ", folder));
    EXPECT_FALSE(FolderToRemove("Made dir: C:\\x", folder));
    EXPECT_FALSE(FolderToRemove("Shell Link: C:\\x.lnk", folder));
}

}  // namespace
