#include "uninstall/removal_command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RemovalCommandLine, PathsWithBlanksOrTabsAreQuotedAndMustFit)
{
    const std::string copy = "C:\\WINDOWS\\TEMP\\uni1F.tmp";
    struct {
        const char* what;
        std::string copyPath;
        std::string uninstaller;
        bool silent;
        bool built;
        std::string commandLine;
    } const cases[] = {
        {"bare paths", copy, "C:\\P5\\PictrlUnInst.exe", false, true,
         copy + " -delself C:\\P5\\PictrlUnInst.exe"},
        {"blank in the folder, silent", copy, "C:\\Program Files\\P 5\\PictrlUnInst.exe", true, true,
         copy + " -delself \"C:\\Program Files\\P 5\\PictrlUnInst.exe\" -s"},
        {"tab", "C:\\T\tT\\uni2.tmp", "C:\\x.exe", false, true, "\"C:\\T\tT\\uni2.tmp\" -delself C:\\x.exe"},
        {"259 characters bare", copy, std::string(259, 'a'), false, true, copy + " -delself " + std::string(259, 'a')},
        {"257 characters with a blank, quoted", copy, std::string(256, 'a') + " ", false, true,
         copy + " -delself \"" + std::string(256, 'a') + " \""},
        {"258 characters with a blank do not fit quoted", copy, std::string(257, 'a') + " ", false, false, ""},
        {"temporary path too long quoted", " " + std::string(258, 'b'), "C:\\x.exe", true, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string commandLine;
        EXPECT_EQ(c.built, BuildRemovalCommandLine(c.copyPath, c.uninstaller, c.silent, commandLine));
        EXPECT_EQ(c.commandLine, commandLine);
    }
}

}  // namespace
