// A fresh installation from the unpacked distribution: through the wizard,
// cancelled in it, and silent.
#include "e2e/message_boxes.h"
#include "e2e/end_to_end.h"
#include "e2e/installation_check.h"
#include "e2e/wizard_walk.h"
#include "support/machine.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

namespace {

const char* const installedPage = "http://www.velmora.example/pictro/installed.asp";
const char* const frameworkCaption = "Pictorel 5 Setup";
const char* const damagedText =
    "This setup files are damaged, installation aborted.\n\nPlease download the product again from "
    "http://www.velmora.example and re-try the setup.";

class FreshInstallation : public EndToEnd {};

TEST_F(FreshInstallation, ThroughAllFivePagesWithRunChecked)
{
    ProgramRun setup;
    ASSERT_TRUE(StartSetup(setup));
    HWND wizard = WaitForWizard(setup.Id());
    ASSERT_NE(nullptr, wizard) << "no wizard";
    // Only this setup is listed: no question came before the wizard.
    EXPECT_EQ(nullptr, ui::FindMessageBox("Pictorel Setup", setup.Id()));

    WizardSeen seen;
    ASSERT_TRUE(WalkToReadyPage(wizard, WizardChoices{}, &seen));
    EXPECT_EQ(0u, seen.versionLine.rfind("Pictorel ver. 5.00.03 \n", 0)) << seen.versionLine;
    EXPECT_EQ(dest, seen.destination);
    EXPECT_FALSE(seen.allUsersChecked);
    EXPECT_EQ("Pictorel 5", seen.group);
    EXPECT_EQ(BST_UNCHECKED, seen.autoStart);
    EXPECT_EQ(BST_CHECKED, seen.desktopIcon);
    ASSERT_TRUE(InstallAndFinish(wizard, true));
    EXPECT_EQ(0, setup.WaitForExit());

    ExpectInstallation({dest, programs + "\\Pictorel 5", desktop, startup});
    EXPECT_EQ(ReadTextFile(dist + "\\setup.exe"), ReadTextFile(Dest("PictrlUnInst.exe")));
    EXPECT_EQ(std::vector<std::string>{installedPage}, OpenedPages());
    // The options run, then the start the user asked for.
    const std::vector<ProductStart> starts = WaitForProductStarts(2);
    ASSERT_EQ(2u, starts.size()) << ReadTextFile(productRecord);
    EXPECT_EQ("-readopts", starts[0].commandLine);
    EXPECT_EQ(std::string::npos, starts[1].commandLine.find("-readopts")) << starts[1].commandLine;
    EXPECT_NE(std::string::npos, starts[1].commandLine.find("Pictrl5.exe")) << starts[1].commandLine;
}

TEST_F(FreshInstallation, CancelledInTheWizardLeavesNothing)
{
    const struct {
        const char* name;
        bool walkToReady;
    } cases[] = {{"on the welcome page", false}, {"on the ready page", true}};
    const std::string before = MachineState();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramRun setup;
        ASSERT_TRUE(StartSetup(setup));
        HWND wizard = WaitForWizard(setup.Id());
        ASSERT_NE(nullptr, wizard);
        if (c.walkToReady) {
            ASSERT_TRUE(WalkToReadyPage(wizard, {1, "Elsewhere", 1, 1}));
        }
        ASSERT_TRUE(CancelWizard(wizard, setup.Id()));
        // The driver's "not finished" makes the start-up call return true;
        // the message loop then ends at once with 0.
        EXPECT_EQ(0, setup.WaitForExit());
        EXPECT_TRUE(OpenedPages().empty());
        EXPECT_TRUE(ProductStarts().empty());
        EXPECT_TRUE(RunningProductCopies().empty());
        EXPECT_EQ(before, MachineState());
    }
}

TEST_F(FreshInstallation, SilentShowsNoWindowAndInstallsForAllUsers)
{
    ProgramRun setup;
    ASSERT_TRUE(StartSetup(setup, "-s"));
    std::vector<std::string> windows;
    EXPECT_EQ(0, setup.WaitForExitWatchingWindows(windows));
    EXPECT_TRUE(windows.empty()) << ::testing::PrintToString(windows);

    ExpectedInstallation expected{dest, commonPrograms + "\\Pictorel 5", commonDesktop, commonStartup};
    expected.allUsers = true;
    ExpectInstallation(expected);
    EXPECT_FALSE(FolderExists(programs + "\\Pictorel 5"));
    EXPECT_FALSE(FileExists(desktop + "\\Pictorel 5.lnk"));
    EXPECT_TRUE(OpenedPages().empty());
    const std::vector<ProductStart> starts = ProductStarts();
    ASSERT_EQ(1u, starts.size());
    EXPECT_EQ("-readopts", starts[0].commandLine);
}

struct DamagedCase {
    const char* name;
    const char* productBuild;  // "" for none
    bool withList;
    bool overInstallation;     // an earlier 5.0.2.0 is installed: the version question comes first
    const char* question;      // the question asked before the damage is found
};

void PrintTo(const DamagedCase& c, std::ostream* out)
{
    *out << c.name;
}

const DamagedCase damagedCases[] = {
    {"NoMainExecutable", "", true, false, nullptr},
    {"UnversionedMainExecutable", "Pictrl5-unversioned.exe", true, false, nullptr},
    {"MajorVersionZero", "Pictrl5-0.9.0.0.exe", true, false, nullptr},
    {"NoDistributionList", "Pictrl5.exe", false, false, nullptr},
    // The version question comes first; a missing executable counts as 0.00.00.00.
    {"NoMainExecutableOverAnInstallation", "", true, true,
     "Pictorel v. 5.00.02.00 is already installed on this machine. You are trying to install an older version "
     "0.00.00.00 .\n\nDo you still want to continue?"},
};

class DamagedSetup : public EndToEnd, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedSetup, SaysSoOpensTheSiteAndInstallsNothing)
{
    const DamagedCase& c = GetParam();
    if (c.overInstallation) {
        InstallEarlier("Pictrl5-5.0.2.0.exe");
        if (HasFatalFailure()) return;
    }
    DistributionContent damaged;
    damaged.productBuild = c.productBuild;
    damaged.withList = c.withList;
    LayOut(damaged);
    const std::string before = MachineState();

    ProgramRun setup;
    ASSERT_TRUE(StartSetup(setup));
    if (c.question != nullptr) {
        ASSERT_TRUE(AnswerExpectedBox(frameworkCaption, setup.Id(), {c.question, ui::BoxIcon::question, {IDYES, IDNO}},
                                      IDYES));
    }
    ASSERT_TRUE(AnswerExpectedBox(frameworkCaption, setup.Id(), {damagedText, ui::BoxIcon::hand, {IDOK}}, IDOK));
    EXPECT_EQ(1, setup.WaitForExit());
    EXPECT_EQ(std::vector<std::string>{"http://www.velmora.example"}, OpenedPages());
    DeleteFileA(urlRecord.c_str());
    EXPECT_EQ(before, MachineState());
    EXPECT_EQ(c.overInstallation, FileExists(Dest("Pictrl5.exe")));
}

INSTANTIATE_TEST_SUITE_P(Distribution, DamagedSetup, ::testing::ValuesIn(damagedCases),
                         [](const ::testing::TestParamInfo<DamagedCase>& info) { return info.param.name; });

}  // namespace
