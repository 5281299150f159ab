#include "app/running_copies.h"

#include "app/copy_identity.h"
#include "app/product_profile.h"
#include "framework/string_resources.h"
#include "framework/text_format.h"
#include "framework/win_handles.h"
#include "instances/instance_manager.h"
#include "instances/main_window.h"
#include "resources/resource_ids.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <vector>

namespace {

std::string WithoutFolder(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The executable file name of an open process, "" when it has ended. From
// the handle where the system can say (Vista on); else from a snapshot, which
// finds the same process: the id cannot pass to another while it is held.
std::string ImageNameOf(HANDLE process, DWORD processId)
{
    using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    const auto query = reinterpret_cast<QueryImageName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    char path[MAX_PATH] = "";
    DWORD size = MAX_PATH;
    if (query != nullptr) return query(process, 0, path, &size) ? WithoutFolder(std::string(path, size)) : std::string();
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return std::string();
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == processId) return WithoutFolder(entry.szExeFile);
    }
    return std::string();
}

std::string OwnImageName()
{
    char path[MAX_PATH] = "";
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return WithoutFolder(std::string(path, n < MAX_PATH ? n : 0));
}

// The process is opened before anything is done with its id, and its identity
// is checked through that handle: an id left in the list by a process that
// died may belong to another program by now, and cannot change hands while
// the handle is held.
void CloseCopy(DWORD processId, const std::string& ownName)
{
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId));
    if (!process.IsValid() || !IsProductOrSetupImage(ImageNameOf(process.Get(), processId), ownName)) return;
    PostMessageA(FindMainWindow(processId), WM_CLOSE, ProductProfile::closeRequestWParam, 0);
    if (WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT) TerminateProcess(process.Get(), 0);
}

}  // namespace

void CloseOtherCopies(COXInstanceManager& manager)
{
    std::vector<std::uint32_t> ids;
    if (!manager.ListInstances(ids)) return;
    const DWORD self = GetCurrentProcessId();
    const std::string ownName = OwnImageName();
    for (std::uint32_t id : ids) {
        if (id != self) CloseCopy(id, ownName);
    }
}

std::string RunningCopiesQuestion(int count)
{
    if (count == 1) return LoadResourceString(IDS_ONE_COPY_RUNNING);
    std::string text;
    FormatInto(text, 256, LoadResourceString(IDS_COPIES_RUNNING).c_str(), count);
    return text;
}
