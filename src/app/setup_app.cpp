#include "app/setup_app.h"

#include "app/install_driver.h"
#include "app/process_objects.h"
#include "app/running_copies.h"
#include "app/setup_state.h"
#include "app/start_decision.h"
#include "engine/parent_folder.h"
#include "framework/controls_look.h"
#include "framework/message_box.h"
#include "framework/resource_module.h"
#include "framework/string_resources.h"
#include "instances/instance_manager.h"
#include "resources/resource_ids.h"
#include "uninstall/reboot_delete.h"
#include "uninstall/temporary_uninstaller.h"
#include "uninstall/uninstall_procedure.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string ProgramPath()
{
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}

// The drive and folder of a path, with its trailing backslash.
std::string DriveAndFolder(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) return path.substr(0, slash + 1);
    std::size_t colon = path.find(':');
    return colon == std::string::npos ? std::string() : path.substr(0, colon + 1);
}

// Run by the temporary copy: removes the uninstaller it came from and the
// installation, and ends the process.
[[noreturn]] void RunRemoval(const StartDecision& decision)
{
    // A path that names no uninstaller: nothing here is ours to remove.
    if (decision.removalTarget.empty()) std::exit(0);
    // Gives the uninstaller that started this copy time to end.
    Sleep(1000);
    DeleteAtReboot(ProgramPath());
    const std::string folder = DriveAndFolder(decision.removalTarget);
    DeleteFileA(decision.removalTarget.c_str());
    RunUninstall(folder);
    if (!setupState.silent) AppMessageBox(LoadResourceString(IDS_UNINSTALLED), MB_OK);
    std::exit(0);
}

}  // namespace

bool SetupApp::InitInstance()
{
    EnableControlsLook();
    const std::vector<std::string> arguments(__argv, __argv + __argc);
    const StartDecision decision = DecideStartMode(arguments, ProgramPath(), IsAnsiLeadByte);
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
    return false;
}
