#include "uninstall/temporary_uninstaller.h"

#include "app/product_profile.h"
#include "app/setup_state.h"
#include "engine/failure_trace.h"
#include "engine/path_utils.h"
#include "framework/win_handles.h"
#include "uninstall/removal_command_line.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

bool MakeTemporaryCopy(std::string& copyPath, std::string& ownPath)
{
    char tempFolder[maxPath];
    const DWORD folderLength = GetTempPathA(static_cast<DWORD>(maxPath), tempFolder);
    if (folderLength == 0 || folderLength >= maxPath) return false;
    char copy[maxPath];
    if (GetTempFileNameA(tempFolder, ProductProfile::temporaryUninstallerPrefix, 0, copy) == 0) return false;
    copyPath = copy;
    char own[maxPath];
    const DWORD ownLength = GetModuleFileNameA(nullptr, own, static_cast<DWORD>(maxPath));
    // A name cut to the buffer is not this executable's name.
    if (ownLength == 0 || ownLength >= maxPath) return false;
    ownPath = own;
    CopyFileA(ownPath.c_str(), copyPath.c_str(), FALSE);
    return true;
}

bool StartCopy(const std::string& copyPath, const std::string& commandLine)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(copyPath.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    KernelHandle thread(process.hThread);
    KernelHandle started(process.hProcess);
    return true;
}

}  // namespace

void StartTemporaryUninstaller()
{
    std::string copyPath;
    std::string ownPath;
    std::string commandLine;
    if (MakeTemporaryCopy(copyPath, ownPath) &&
        BuildRemovalCommandLine(copyPath, ownPath, setupState.silent != 0, commandLine) &&
        StartCopy(copyPath, commandLine)) {
        // The process ends here, its exit-time clean-up skipped: it stays in
        // the instance list until the list's block goes away.
        TerminateProcess(GetCurrentProcess(), 0);
    }
    TraceLastError("start the temporary uninstaller", copyPath);
    if (!copyPath.empty()) DeleteFileA(copyPath.c_str());
}
