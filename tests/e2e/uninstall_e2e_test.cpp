// Removing an installation through the uninstaller it left, started as the
// Start menu or the Add/Remove Programs client starts it.
#include "e2e/message_boxes.h"
#include "e2e/console_capture.h"
#include "e2e/end_to_end.h"
#include "e2e/installation_check.h"
#include "e2e/process_probe.h"
#include "engine/pending_renames.h"
#include "support/machine.h"
#include "support/stand_in_process.h"
#include "support/ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace {

const char* const startupCaption = "Pictorel Setup";
const char* const frameworkCaption = "Pictorel 5 Setup";
const char* const confirmation = "This will completely uninstall Pictorel 5.\nDo you want to continue?";
const char* const uninstalled = "Pictorel 5 has been completely uninstalled from this computer.";

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string TempFolder()
{
    char path[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, path);
    return path;
}

std::string QuotedIfBlank(const std::string& path)
{
    return path.find_first_of(" \t") == std::string::npos ? path : Quoted(path);
}

// A process caught just after its creation has no parameters block yet.
std::string StartedCommandLine(DWORD processId)
{
    std::string commandLine;
    ui::WaitFor([&] { return !(commandLine = ProcessCommandLine(processId)).empty(); }, 5000);
    return commandLine;
}

class Uninstallation : public EndToEnd {
protected:
    virtual DistributionContent Distribution() const { return DistributionContent{}; }

    void SetUp() override
    {
        EndToEnd::SetUp();
        if (HasFatalFailure()) return;
        LayOut(Distribution());
        ASSERT_EQ(0, InstallSilently());
        ASSERT_TRUE(FileExists(Uninstaller()));
        DeleteFileA(productRecord.c_str());
    }

    void TearDown() override
    {
        for (const std::string& copy : temporaryCopies_) DeleteFileA(copy.c_str());
        EndToEnd::TearDown();
    }

    std::string Uninstaller() const { return Dest("PictrlUnInst.exe"); }

    // The uninstaller's temporary copy, once it runs; its full path noted
    // for clean-up.
    ProcessEntry WaitForTemporaryCopy()
    {
        std::vector<ProcessEntry> found;
        ui::WaitFor([&] { return !(found = RunningProcesses(IsTemporaryUninstaller)).empty(); }, 30000);
        if (found.empty()) return {0, ""};
        temporaryCopies_.push_back(TempFolder() + found.front().image);
        return found.front();
    }

private:
    // The temporary copies' registrations must not reach the prefix's next start.
    PendingRenamesGuard pendingRenames_;
    std::vector<std::string> temporaryCopies_;
};

TEST_F(Uninstallation, NoAtTheConfirmationChangesNothing)
{
    StandInProcess copy;
    ASSERT_TRUE(copy.Start(Dest("Pictrl5.exe"), "", Path("copy.txt")));
    const std::string before = MachineState();
    ProgramRun uninstaller;
    ASSERT_TRUE(StartProgram(uninstaller, Uninstaller(), "", root));
    ASSERT_TRUE(AnswerExpectedBox(startupCaption, uninstaller.Id(),
                                  {confirmation, ui::BoxIcon::exclamation, {IDYES, IDNO}, true, IDNO}, IDNO));
    EXPECT_EQ(0, uninstaller.WaitForExit());
    EXPECT_TRUE(copy.Running());
    EXPECT_TRUE(RunningProcesses(IsTemporaryUninstaller).empty());
    EXPECT_EQ(before, MachineState());
}

struct RemovalCase {
    const char* name;
    bool silent;
};

void PrintTo(const RemovalCase& c, std::ostream* out)
{
    *out << c.name;
}

class Removal : public Uninstallation, public ::testing::WithParamInterface<RemovalCase> {};

TEST_P(Removal, ClosesCopiesRemovesEverythingAndSchedulesItsCopy)
{
    const bool silent = GetParam().silent;
    StandInProcess copy;
    ASSERT_TRUE(copy.Start(Dest("Pictrl5.exe"), "", Path("copy.txt")));
    ProgramRun uninstaller;
    ASSERT_TRUE(StartProgram(uninstaller, Uninstaller(), silent ? "-s" : "", root));
    std::vector<std::string> windows;
    if (!silent) {
        ASSERT_TRUE(AnswerExpectedBox(startupCaption, uninstaller.Id(),
                                      {confirmation, ui::BoxIcon::exclamation, {IDYES, IDNO}, true, IDNO}, IDYES));
    }

    const ProcessEntry temporary = WaitForTemporaryCopy();
    ASSERT_NE(0u, temporary.id) << "no temporary copy ran";
    ProgramRun removal;
    ASSERT_TRUE(removal.Attach(temporary.id));
    EXPECT_EQ(QuotedIfBlank(TempFolder() + temporary.image) + " -delself " + Quoted(Uninstaller()) +
                  (silent ? " -s" : ""),
              StartedCommandLine(temporary.id));
    // Started without a question about the running copy, which is gone.
    EXPECT_EQ(0, uninstaller.WaitForExitWatchingWindows(windows));
    EXPECT_TRUE(copy.WaitForExit(10000));

    if (silent) {
        EXPECT_EQ(0, removal.WaitForExitWatchingWindows(windows));
    } else {
        ASSERT_TRUE(AnswerExpectedBox(frameworkCaption, temporary.id, {uninstalled, ui::BoxIcon::exclamation, {IDOK}},
                                      IDOK, 60000));
        EXPECT_EQ(0, removal.WaitForExit());
    }
    EXPECT_TRUE(windows.empty()) << ::testing::PrintToString(windows);

    // The options file is not in the log: it stays, and so does its folder.
    ExpectNoInstallation(dest, root, "Pictrl5.ini\n");
    EXPECT_FALSE(FileExists(Uninstaller()));
    const std::vector<std::string> pending = PendingDeletions();
    const std::string scheduled = Lower(TempFolder() + temporary.image);
    EXPECT_TRUE(std::any_of(pending.begin(), pending.end(),
                            [&](const std::string& entry) { return Lower(entry) == scheduled; }))
        << scheduled << " not in " << ::testing::PrintToString(pending);
}

INSTANTIATE_TEST_SUITE_P(Uninstaller, Removal, ::testing::Values(RemovalCase{"Confirmed", false}, RemovalCase{"Silent", true}),
                         [](const ::testing::TestParamInfo<RemovalCase>& info) { return info.param.name; });

// Wine's Add/Remove Programs client: "uninstaller --list" and "--remove".
class AddRemovePrograms : public Uninstallation {
protected:
    // Without an options file nothing of the installation stays behind.
    DistributionContent Distribution() const override
    {
        DistributionContent content;
        content.withOptionsFile = false;
        return content;
    }

    bool Listed()
    {
        std::string output;
        EXPECT_EQ(0, RunCapturingOutput("uninstaller.exe --list", output));
        return output.find("|||Pictorel 5") != std::string::npos;
    }
};

TEST_F(AddRemovePrograms, ListsTheProductAndRemovesItThroughOurUninstaller)
{
    EXPECT_TRUE(Listed());
    ProgramRun client;
    ASSERT_TRUE(StartProgram(client, "uninstaller.exe", "--remove \"Pictorel 5\"", root));
    // Our uninstaller, started by the client, asks as it always does.
    ASSERT_TRUE(AnswerExpectedBox(startupCaption, 0, {confirmation, ui::BoxIcon::exclamation, {IDYES, IDNO}}, IDYES));
    const ProcessEntry temporary = WaitForTemporaryCopy();
    ASSERT_NE(0u, temporary.id);
    ASSERT_TRUE(
        AnswerExpectedBox(frameworkCaption, temporary.id, {uninstalled, ui::BoxIcon::exclamation, {IDOK}}, IDOK, 60000));
    EXPECT_EQ(0, client.WaitForExit());
    ExpectNoInstallation(dest, root);
    EXPECT_FALSE(Listed());
}

}  // namespace
