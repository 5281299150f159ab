#include "app/setup_state.h"
#include "app/start_decision.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct StartCase {
    const char* what;
    std::vector<std::string> arguments;  // after argument 0
    const char* programPath;
    StartMode mode;
    int silent;
    int skipCopiesQuestion;
    const char* removalTarget;
};

const char* const setupPath = "C:\\dist\\setup.exe";
const char* const uninstallerPath = "C:\\Program Files\\Pictorel 5\\PictrlUnInst.exe";

const StartCase startCases[] = {
    {"plain setup", {}, setupPath, StartMode::install, 0, 0, ""},
    {"silent setup", {"-s"}, setupPath, StartMode::install, 1, 0, ""},
    {"upper-case S is not silent", {"-S"}, setupPath, StartMode::install, 0, 0, ""},
    {"-s not last", {"-s", "x"}, setupPath, StartMode::install, 0, 0, ""},
    {"-install under any name", {"-install"}, uninstallerPath, StartMode::install, 0, 0, ""},
    {"-install in capitals", {"-INSTALL"}, uninstallerPath, StartMode::install, 0, 0, ""},
    {"-install as argument 2", {"x", "-install"}, uninstallerPath, StartMode::uninstall, 0, 0, ""},
    {"install, /S, silent", {"-install", "/S", "-s"}, uninstallerPath, StartMode::install, 1, 1, ""},
    {"/S as argument 1 has no effect", {"/S"}, setupPath, StartMode::install, 0, 0, ""},
    {"/s in lower case", {"-install", "/s"}, setupPath, StartMode::install, 0, 0, ""},
    {"uninstaller", {}, uninstallerPath, StartMode::uninstall, 0, 0, ""},
    {"silent uninstaller", {"-s"}, uninstallerPath, StartMode::uninstall, 1, 0, ""},
    {"removal", {"-delself", "C:\\P 5\\PictrlUnInst.exe"}, "C:\\TEMP\\uni1.tmp", StartMode::removal, 0, 0,
     "C:\\P 5\\PictrlUnInst.exe"},
    {"silent removal", {"-delself", "C:\\x.exe", "-s"}, "C:\\TEMP\\uni1.tmp", StartMode::removal, 1, 0, "C:\\x.exe"},
    {"-delself without a path follows the file", {"-delself"}, setupPath, StartMode::install, 0, 0, ""},
    {"-delself without a path, other name", {"-delself"}, uninstallerPath, StartMode::uninstall, 0, 0, ""},
    {"-delself is case-sensitive", {"-DELSELF", "C:\\x.exe"}, uninstallerPath, StartMode::uninstall, 0, 0, ""},
    {"setup.exe as a folder higher up", {}, "C:\\SETUP.EXE\\bin\\other.exe", StartMode::install, 0, 0, ""},
    {"upper-case file name", {}, "C:\\dist\\PICTOREL-SETUP.EXE", StartMode::install, 0, 0, ""},
    {"setup without .exe", {}, "C:\\dist\\setup.com", StartMode::uninstall, 0, 0, ""},
};

TEST(DecideStartMode, DecidesModeAndFlagsFromArgumentsAndPath)
{
    for (const StartCase& c : startCases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> arguments{c.programPath};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        setupState.silent = 1 - c.silent;

        StartDecision d = DecideStartMode(arguments, c.programPath);

        EXPECT_EQ(static_cast<int>(c.mode), static_cast<int>(d.mode));
        EXPECT_EQ(c.silent, d.silent);
        EXPECT_EQ(c.silent, setupState.silent);
        EXPECT_EQ(c.skipCopiesQuestion, d.skipCopiesQuestion);
        EXPECT_EQ(c.removalTarget, d.removalTarget);
    }
}

}  // namespace
