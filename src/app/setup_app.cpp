#include "app/setup_app.h"

#include "app/install_driver.h"
#include "app/process_objects.h"
#include "app/running_copies.h"
#include "core/exit_codes.h"
#include "core/path_utils.h"
#include "core/resource_ids.h"
#include "core/setup_state.h"
#include "core/start_decision.h"
#include "framework/controls_look.h"
#include "framework/message_box.h"
#include "instances/instance_manager.h"
#include "uninstall/temporary_uninstaller.h"
#include "uninstall/uninstall_procedure.h"
#include "win/code_page.h"
#include "win/module_path.h"
#include "win/resource_module.h"
#include "win/string_resources.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Run by the temporary copy: removes the uninstaller it came from and the
// installation, and ends the process.
[[noreturn]] void RunRemoval(const StartDecision& decision)
{
    // The copy goes at the next start in any case; it must not stay in the
    // temporary folder for good.
    ScheduleOwnRemoval();
    // A path that names no uninstaller: nothing here is ours to remove.
    if (decision.removalTarget.empty()) std::exit(exitSuccess);
    // Gives the uninstaller that started this copy time to end.
    Sleep(1000);
    const std::string folder = ParentFolder(decision.removalTarget.c_str(), IsCodePageLeadByte);
    DeleteFileA(decision.removalTarget.c_str());
    RunUninstall(folder);
    if (!setupState.silent) AppMessageBox(UninstallOutcomeText(), MB_OK);
    std::exit(OutcomeExitCode(setupState.failedItems, setupState.restartNeeded));
}

}  // namespace

bool SetupApp::InitInstance()
{
    EnableControlsLook();
    const std::vector<std::string> arguments(__argv, __argv + __argc);
    const StartDecision decision = DecideStartMode(arguments, OwnProgramPath(), IsCodePageLeadByte);
    if (decision.mode == StartMode::removal) RunRemoval(decision);

    SetResourceModule(GetModuleHandleA(nullptr));
    const std::string caption = LoadResourceString(IDS_SETUP_CAPTION);
    const std::string confirmation = LoadResourceString(IDS_CONFIRM_UNINSTALL);
    if (decision.mode == StartMode::uninstall && !setupState.silent &&
        MessageBoxA(nullptr, confirmation.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return false;

    const int others = instanceManager.CountInstances() - 1;
    if (others > 0) {
        if (decision.mode == StartMode::install && !decision.skipCopiesQuestion) {
            const std::string question = RunningCopiesQuestion(others);
            if (MessageBoxA(nullptr, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONWARNING) != IDYES) {
                const std::string aborted = LoadResourceString(IDS_SETUP_ABORTED);
                MessageBoxA(nullptr, aborted.c_str(), caption.c_str(), MB_ICONINFORMATION | MB_OK);
                return true;
            }
        }
        CloseOtherCopies(instanceManager);
    }

    if (decision.mode == StartMode::install) return RunInstallDriver() != 0;
    StartTemporaryUninstaller();
    // The copy did not start: nothing was removed.
    exitCode = exitIncomplete;
    return false;
}
