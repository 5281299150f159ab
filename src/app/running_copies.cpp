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
#include "win/system_library.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <vector>

namespace {

// The executable file name of an open process, "" when it has ended. From
// the handle where the system can say (Vista on); else from a snapshot, which
// finds the same process: the id cannot pass to another while it is held.
std::string ImageNameOf(const KernelHandle& process, DWORD processId)
{
    using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    const auto query = ProcAddress<QueryImageName>(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA");
    if (query != nullptr) {
        char path[maxPath] = "";
        DWORD size = maxPath;
        return query(process.Get(), 0, path, &size) ? FileNameOf(std::string(path, size), IsCodePageLeadByte)
                                                    : std::string();
    }
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return std::string();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == processId) return FileNameOf(entry.szExeFile, IsCodePageLeadByte);
    }
    return std::string();
}

// Any user of the session can write an id into the list: a process of another
// session (another user's program, a service) is never closed, whatever its
// name. Asked by id while the caller holds the process open, so the id still
// names that process. Systems without sessions have no such call.
bool RunsInOwnSession(DWORD processId)
{
    using SessionOf = BOOL(WINAPI*)(DWORD, DWORD*);
    const auto sessionOf = ProcAddress<SessionOf>(GetModuleHandleA("kernel32.dll"), "ProcessIdToSessionId");
    DWORD own = 0, its = 0;
    return sessionOf == nullptr ||
           (sessionOf(GetCurrentProcessId(), &own) && sessionOf(processId, &its) && own == its);
}

// The process is opened before anything is done with its id, and its identity
// is checked through that handle: an id left in the list by a process that
// died may belong to another program by now, and cannot change hands while
// the handle is held.
void CloseCopy(DWORD processId, const std::string& ownName)
{
    const KernelHandle process(
        OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    // An id whose process has ended cannot be opened, and that is no failure.
    if (!process.IsValid() && GetLastError() != ERROR_INVALID_PARAMETER)
        TraceLastError("open process", std::to_string(processId));
    if (!process.IsValid() || !IsProductOrSetupImage(ImageNameOf(process, processId), ownName) ||
        !RunsInOwnSession(processId))
        return;
    PostMessageA(FindMainWindow(processId), WM_CLOSE, ProductProfile::closeRequestWParam, 0);
    if (WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT) TerminateProcess(process.Get(), 0);
}

}  // namespace

void CloseOtherCopies(COXInstanceManager& manager)
{
    std::vector<std::uint32_t> ids;
    if (!manager.ListInstances(ids)) return;
    const DWORD self = GetCurrentProcessId();
    const std::string ownName = FileNameOf(OwnProgramPath(), IsCodePageLeadByte);
    for (std::uint32_t id : ids) {
        if (id != self) CloseCopy(id, ownName);
    }
}

std::string RunningCopiesQuestion(int count)
{
    if (count == 1) return LoadResourceString(IDS_ONE_COPY_RUNNING);
    std::string text;
    FormatInto(text, copiesQuestionSize, LoadResourceString(IDS_COPIES_RUNNING).c_str(), count);
    return text;
}
