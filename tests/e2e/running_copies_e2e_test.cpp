// Running copies of the product when the setup starts: the question, and
// the copies closed or left alone.
#include "e2e/message_boxes.h"
#include "e2e/end_to_end.h"
#include "e2e/wizard_walk.h"
#include "support/stand_in_process.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const startupCaption = "Pictorel Setup";
const char* const oneCopy =
    "1 instance of Pictorel is currently opened. If you click \"Yes\" button, SETUP will try to close it without "
    "saving any editing work you may have done. \n\nContinue installation?";
const char* const twoCopies =
    "2 instances of Pictorel are currently opened. ff you click \"Yes\" button, SETUP will try to close them without "
    "saving any editing work you may have done. \n\nContinue installation?";
const char* const aborted =
    "Setup of Pictorel aborted. Please close other instances of Pictorel manually, saving any editing work you have "
    "done in them, then restart this setup program.";

struct CopiesCase {
    const char* name;
    int copies;             // copies of the product running before the setup starts
    const char* arguments;  // the setup's
    const char* question;   // null: none is asked
    int answer;
};

void PrintTo(const CopiesCase& c, std::ostream* out)
{
    *out << c.name;
}

const CopiesCase copiesCases[] = {
    {"OneCopyYes", 1, "", oneCopy, IDYES},
    {"TwoCopiesYes", 2, "", twoCopies, IDYES},
    {"TwoCopiesNo", 2, "", twoCopies, IDNO},
    {"SilentStillAsks", 1, "-s", oneCopy, IDNO},
    {"SkipSwitchClosesWithoutAsking", 2, "-install /S", nullptr, IDYES},
    // "/S" counts only from the second argument on.
    {"SkipSwitchFirstIsIgnored", 1, "/S", oneCopy, IDNO},
};

class RunningCopies : public EndToEnd, public ::testing::WithParamInterface<CopiesCase> {};

TEST_P(RunningCopies, AskedAboutThenClosedOrLeftRunning)
{
    const CopiesCase& c = GetParam();
    std::vector<std::unique_ptr<StandInProcess>> copies;
    for (int i = 0; i < c.copies; ++i) {
        copies.push_back(std::make_unique<StandInProcess>());
        ASSERT_TRUE(copies.back()->Start(StandInPath(), "", Path("copy" + std::to_string(i) + ".txt")));
    }
    const std::string before = MachineState();

    ProgramRun setup;
    ASSERT_TRUE(StartSetup(setup, c.arguments));
    if (c.question != nullptr) {
        ASSERT_TRUE(AnswerExpectedBox(startupCaption, setup.Id(),
                                      {c.question, ui::BoxIcon::exclamation, {IDYES, IDNO}, true}, c.answer));
    }

    if (c.answer == IDNO) {
        ASSERT_TRUE(
            AnswerExpectedBox(startupCaption, setup.Id(), {aborted, ui::BoxIcon::asterisk, {IDOK}, true}, IDOK));
        EXPECT_EQ(0, setup.WaitForExit());
        for (auto& copy : copies) {
            EXPECT_TRUE(copy->Running());
            EXPECT_FALSE(copy->HasRecord("close 1001"));
        }
        EXPECT_EQ(before, MachineState());
        return;
    }

    // The copies are gone before the wizard shows.
    HWND wizard = WaitForWizard(setup.Id());
    ASSERT_NE(nullptr, wizard);
    for (auto& copy : copies) {
        EXPECT_TRUE(copy->WaitForExit(10000)) << "copy " << copy->Id() << " still runs";
        for (const std::string& line : copy->Records()) {
            if (line.rfind("close ", 0) == 0) {
                EXPECT_EQ("close 1001", line);
            }
        }
    }
    ASSERT_TRUE(CancelWizard(wizard, setup.Id()));
    EXPECT_EQ(0, setup.WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(Setup, RunningCopies, ::testing::ValuesIn(copiesCases),
                         [](const ::testing::TestParamInfo<CopiesCase>& info) { return info.param.name; });

}  // namespace
