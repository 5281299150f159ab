#include "uninstall/temporary_uninstaller.h"

#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/removal_command_line.h"
#include "core/setup_state.h"
#include "win/failure_trace.h"
#include "win/module_path.h"
#include "win/process.h"

#include <windows.h>

#include <string>

namespace {

bool MakeTemporaryCopy(std::string& copyPath, std::string& ownPath)
{
    char tempFolder[maxPath];
    const DWORD folderLength = GetTempPathA(static_cast<DWORD>(maxPath), tempFolder);
    if (folderLength == 0 || folderLength >= maxPath) return false;
    char copy[maxPath];
    if (GetTempFileNameA(tempFolder, ProductProfile::temporaryUninstallerPrefix, 0, copy) == 0) return false;
    copyPath = copy;
    ownPath = OwnProgramPath();
    if (ownPath.empty()) return false;
    CopyFileA(ownPath.c_str(), copyPath.c_str(), FALSE);
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
        StartProcess(copyPath, commandLine, true).IsValid()) {
        // The process ends here, its exit-time clean-up skipped: it stays in
        // the instance list until the list's block goes away.
        TerminateProcess(GetCurrentProcess(), 0);
    }
    TraceLastError("start the temporary uninstaller", copyPath);
    if (!copyPath.empty()) DeleteFileA(copyPath.c_str());
}
