#include "app/running_copies.h"

#include "core/copy_identity.h"
#include "core/path_utils.h"
#include "core/product_profile.h"
#include "core/resource_ids.h"
#include "core/text_format.h"
#include "instances/instance_manager.h"
#include "instances/main_window.h"
#include "win/code_page.h"
#include "win/failure_trace.h"
#include "win/handles.h"
#include "win/module_path.h"
#include "win/string_resources.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <vector>

namespace {

// The executable file name of a running process, "" when it is not running.
std::string ImageNameOf(DWORD processId)
{
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return std::string();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID != processId) continue;
        return FileNameOf(entry.szExeFile, IsCodePageLeadByte);
    }
    return std::string();
}

void CloseCopy(DWORD processId)
{
    PostMessageA(FindMainWindow(processId), WM_CLOSE, ProductProfile::closeRequestWParam, 0);
    Sleep(10);
    KernelHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    // A copy that ended at the close request is no longer there to open.
    if (!process.IsValid() && GetLastError() != ERROR_INVALID_PARAMETER)
        TraceLastError("open process", std::to_string(processId));
    if (process.IsValid()) TerminateProcess(process.Get(), 0);
}

}  // namespace

void CloseOtherCopies(COXInstanceManager& manager)
{
    std::vector<std::uint32_t> ids;
    if (!manager.ListInstances(ids)) return;
    const DWORD self = GetCurrentProcessId();
    const std::string ownName = FileNameOf(OwnProgramPath(), IsCodePageLeadByte);
    for (std::uint32_t id : ids) {
        if (id == self) continue;
        // An id left behind by a process that died may belong to another
        // program by now: never touch one that is not a copy of ours.
        if (!IsProductOrSetupImage(ImageNameOf(id), ownName)) continue;
        CloseCopy(id);
    }
}

std::string RunningCopiesQuestion(int count)
{
    if (count == 1) return LoadResourceString(IDS_ONE_COPY_RUNNING);
    std::string text;
    FormatInto(text, copiesQuestionSize, LoadResourceString(IDS_COPIES_RUNNING).c_str(), count);
    return text;
}
