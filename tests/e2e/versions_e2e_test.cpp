// A setup started over an earlier installation: the version question, the
// web page, and what is carried over from the earlier installation.
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

struct VersionCase {
    const char* name;
    const char* installedBuild;  // installed first, by a silent setup
    const char* offeredBuild;    // Pictrl5.exe of the setup run under test
    bool silent;
    const char* question;        // null: no question
    int answer;                  // IDYES or IDNO
    const char* versionAfter;    // the installed Pictrl5.exe's version afterwards
    const char* homePageUrl;     // the URL line of the new HomePage.url
    const char* page;            // the page opened afterwards; null: none
};

void PrintTo(const VersionCase& c, std::ostream* out)
{
    *out << c.name;
}

const VersionCase versionCases[] = {
    {"Upgrade", "Pictrl5-5.0.2.0.exe", "Pictrl5.exe", false, nullptr, 0, "5.0.3.0",
     "http://www.velmora.example/?from=setup&v=5", "http://www.velmora.example/pictro/InstScript.asp?from=setup&v=5"},
    {"SameVersionYes", "Pictrl5.exe", "Pictrl5.exe", false,
     "Pictorel ver. 5.00.03.00 is already installed on this machine.\n\nWould you like to run this setup again to "
     "select different options or repair the files?",
     IDYES, "5.0.3.0", "http://www.velmora.example/", nullptr},
    {"SameVersionNo", "Pictrl5.exe", "Pictrl5.exe", false,
     "Pictorel ver. 5.00.03.00 is already installed on this machine.\n\nWould you like to run this setup again to "
     "select different options or repair the files?",
     IDNO, "5.0.3.0", "http://www.velmora.example/", nullptr},
    {"OlderNo", "Pictrl5-5.0.3.1.exe", "Pictrl5.exe", false,
     "Pictorel v. 5.00.03.01 is already installed on this machine. You are trying to install an older version "
     "5.00.03.00 .\n\nDo you still want to continue?",
     IDNO, "5.0.3.1", "http://www.velmora.example/", nullptr},
    {"OlderYes", "Pictrl5-5.0.3.1.exe", "Pictrl5.exe", false,
     "Pictorel v. 5.00.03.01 is already installed on this machine. You are trying to install an older version "
     "5.00.03.00 .\n\nDo you still want to continue?",
     IDYES, "5.0.3.0", "http://www.velmora.example/", nullptr},
    // 5.0.100.0 counts as much as 5.1.0.0: the same-version question.
    {"SpilledPartCountsAsSame", "Pictrl5-5.1.0.0.exe", "Pictrl5-5.0.100.0.exe", false,
     "Pictorel ver. 5.00.100.00 is already installed on this machine.\n\nWould you like to run this setup again to "
     "select different options or repair the files?",
     IDNO, "5.1.0.0", "http://www.velmora.example/", nullptr},
    {"SilentOverNewer", "Pictrl5-5.1.0.0.exe", "Pictrl5.exe", true, nullptr, 0, "5.0.3.0",
     "http://www.velmora.example/", nullptr},
};

class VersionCheck : public EndToEnd, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionCheck, AsksWhenNotNewerAndOpensThePageOnlyAfterAnUpgrade)
{
    const VersionCase& c = GetParam();
    InstallEarlier(c.installedBuild);
    if (HasFatalFailure()) return;
    DistributionContent offered;
    offered.productBuild = c.offeredBuild;
    offered.homePageUrl = c.homePageUrl;
    LayOut(offered);
    const std::string before = MachineState();

    ProgramRun setup;
    ASSERT_TRUE(StartSetup(setup, c.silent ? "-s" : ""));
    if (c.question != nullptr) {
        ASSERT_TRUE(AnswerExpectedBox(frameworkCaption, setup.Id(), {c.question, ui::BoxIcon::question, {IDYES, IDNO}},
                                      c.answer));
    }
    if (c.silent) {
        std::vector<std::string> windows;
        EXPECT_EQ(0, setup.WaitForExitWatchingWindows(windows));
        EXPECT_TRUE(windows.empty()) << ::testing::PrintToString(windows);
    } else if (c.answer == IDNO) {
        EXPECT_EQ(0, setup.WaitForExit());
        EXPECT_EQ(before, MachineState());
    } else {
        HWND wizard = WaitForWizard(setup.Id());
        ASSERT_NE(nullptr, wizard);
        EXPECT_EQ(nullptr, ui::FindMessageBox(frameworkCaption, setup.Id()));
        ASSERT_TRUE(WalkToReadyPage(wizard, {}));
        ASSERT_TRUE(InstallAndFinish(wizard, false));
        EXPECT_EQ(0, setup.WaitForExit());
    }
    EXPECT_EQ(c.versionAfter, FileVersionText(Dest("Pictrl5.exe")));
    if (c.answer != IDNO) {
        // The earlier (silent) installation was for all users: so is this one.
        ExpectedInstallation expected{dest, commonPrograms + "\\Pictorel 5", commonDesktop, commonStartup};
        expected.allUsers = true;
        expected.productVersion = c.versionAfter;
        ExpectInstallation(expected);
    }
    const std::vector<std::string> pages = OpenedPages();
    EXPECT_EQ(c.page != nullptr ? std::vector<std::string>{c.page} : std::vector<std::string>{}, pages);
}

INSTANTIATE_TEST_SUITE_P(EarlierInstallation, VersionCheck, ::testing::ValuesIn(versionCases),
                         [](const ::testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

// The earlier installation was made through the wizard for the current user
// only, into a nested group, with auto-start on and no desktop icon.
class CarriedOver : public EndToEnd, public ::testing::WithParamInterface<bool> {
protected:
    void InstallEarlierThroughWizard()
    {
        DistributionContent earlier;
        earlier.productBuild = "Pictrl5-5.0.2.0.exe";
        LayOut(earlier);
        ProgramRun setup;
        ASSERT_TRUE(StartSetup(setup));
        HWND wizard = WaitForWizard(setup.Id());
        ASSERT_NE(nullptr, wizard);
        ASSERT_TRUE(WalkToReadyPage(wizard, {0, "Velmora Tools/Pictorel", 1, 0}));
        ASSERT_TRUE(InstallAndFinish(wizard, false));
        ASSERT_EQ(0, setup.WaitForExit());
        ASSERT_EQ(std::vector<std::string>{installedPage}, OpenedPages());
        ASSERT_EQ(Dest("Pictrl5.exe"), ReadShortcutTarget(startup + "\\Pictorel 5.lnk"));
        DeleteFileA(urlRecord.c_str());
        LayOut(DistributionContent{});
    }
};

TEST_P(CarriedOver, GroupAndScopeOfTheEarlierInstallationAndNoStartupGroup)
{
    const bool silent = GetParam();
    InstallEarlierThroughWizard();
    if (HasFatalFailure()) return;
    ProgramRun setup;
    ASSERT_TRUE(StartSetup(setup, silent ? "-s" : ""));
    if (silent) {
        EXPECT_EQ(0, setup.WaitForExit());
        EXPECT_TRUE(OpenedPages().empty());
    } else {
        HWND wizard = WaitForWizard(setup.Id());
        ASSERT_NE(nullptr, wizard) << "no wizard, or a question before it";
        WizardSeen seen;
        ASSERT_TRUE(WalkToReadyPage(wizard, {}, &seen));
        EXPECT_EQ("Velmora Tools\\Pictorel", seen.group);
        EXPECT_FALSE(seen.allUsersChecked);
        EXPECT_EQ(BST_UNCHECKED, seen.autoStart);
        ASSERT_TRUE(InstallAndFinish(wizard, false));
        EXPECT_EQ(0, setup.WaitForExit());
        EXPECT_EQ(std::vector<std::string>{installedPage}, OpenedPages());
    }
    // The earlier start-up shortcut went, and no group landed in Startup.
    ExpectInstallation({dest, programs + "\\Velmora Tools\\Pictorel", desktop, startup});
    EXPECT_EQ("", DescribeFolderTree(startup));
    EXPECT_FALSE(FolderExists(commonPrograms + "\\Pictorel 5"));
}

INSTANTIATE_TEST_SUITE_P(Upgrade, CarriedOver, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Silent" : "ThroughTheWizard";
                         });

}  // namespace
