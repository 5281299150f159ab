#include "uninstall/temporary_uninstaller.h"

#include "core/copy_identity.h"
#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/removal_command_line.h"
#include "core/setup_state.h"
#include "engine/reboot_delete.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/handles.h"
#include "win/module_path.h"
#include "win/process.h"
#include "win/protected_folder.h"

#include <windows.h>

#include <string>

namespace {

// Names to try before giving up on a folder of our own.
constexpr UINT folderAttempts = 64;

// A new folder of the temporary folder, "uniXXXX.tmp", that only
// administrators can change (when this process is one), held open so that it
// can be neither renamed nor replaced until the copy in it has started: the
// temporary folder is the user's, who could otherwise swap the program.
KernelHandle MakeOwnFolder(std::string& folder)
{
    char temp[maxPath];
    const DWORD length = GetTempPathA(static_cast<DWORD>(maxPath), temp);
    if (length == 0 || length >= maxPath) return KernelHandle();
    const UINT start = GetTickCount();
    for (UINT attempt = 0; attempt < folderAttempts; ++attempt) {
        char name[maxPath];
        // A unique number of its own only forms the name; 0 would make a file.
        const UINT unique = ((start + attempt) & 0xFFFF) != 0 ? (start + attempt) & 0xFFFF : 1;
        if (GetTempFileNameA(temp, ProductProfile::temporaryUninstallerPrefix, unique, name) == 0)
            return KernelHandle();
        if (!CreateProtectedFolder(name)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return KernelHandle();
        }
        folder = name;
        KernelHandle held(CreateFileA(name, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                      nullptr));
        BY_HANDLE_FILE_INFORMATION information;
        if (held.IsValid() && GetFileInformationByHandle(held.Get(), &information) &&
            (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                FILE_ATTRIBUTE_DIRECTORY)
            return held;
        return KernelHandle();
    }
    return KernelHandle();
}

// The running program copied into a fresh "uni" file of folder, held open
// against writing until it has started.
KernelHandle MakeTemporaryCopy(const std::string& folder, std::string& copyPath, std::string& ownPath)
{
    char copy[maxPath];
    if (GetTempFileNameA(folder.c_str(), ProductProfile::temporaryUninstallerPrefix, 0, copy) == 0)
        return KernelHandle();
    copyPath = copy;
    ownPath = OwnProgramPath();
    if (ownPath.empty() || !CopyFileA(ownPath.c_str(), copyPath.c_str(), FALSE)) return KernelHandle();
    return KernelHandle(CreateFileA(copy, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}

}  // namespace

void StartTemporaryUninstaller()
{
    std::string folder;
    std::string copyPath;
    std::string ownPath;
    std::string commandLine;
    KernelHandle heldFolder = MakeOwnFolder(folder);
    KernelHandle heldCopy = heldFolder.IsValid() ? MakeTemporaryCopy(folder, copyPath, ownPath) : KernelHandle();
    if (heldCopy.IsValid() && BuildRemovalCommandLine(copyPath, ownPath, setupState.silent != 0, commandLine) &&
        StartProcess(copyPath, commandLine, true).IsValid()) {
        // The process ends here, its exit-time clean-up skipped: it stays in
        // the instance list until the list's block goes away.
        TerminateProcess(GetCurrentProcess(), 0);
    }
    TraceLastError("start the temporary uninstaller", copyPath.empty() ? folder : copyPath);
    heldCopy.Close();
    heldFolder.Close();
    if (!copyPath.empty()) DeleteFileA(copyPath.c_str());
    if (!folder.empty()) RemoveDirectoryA(folder.c_str());
}

void ScheduleOwnRemoval()
{
    // Only the temporary copy: "-delself" given to any other program must
    // not make it delete itself.
    const std::string own = OwnProgramPath();
    if (!IsTemporaryCopyName(FileNameOf(own, IsCodePageLeadByte))) return;
    DeleteAtReboot(own);
    // The folder made for the copy goes after it; never a folder of another name.
    const std::string folder = ParentFolder(own.c_str(), IsCodePageLeadByte);
    if (IsTemporaryCopyName(FileNameOf(folder, IsCodePageLeadByte))) DeleteAtReboot(folder);
}
