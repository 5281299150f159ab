#include "e2e/process_probe.h"

#include "framework/win_handles.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cctype>

namespace {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

template <class T>
bool ReadRemote(HANDLE process, const void* address, T& value)
{
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, &value, sizeof value, &read) && read == sizeof value;
}

}  // namespace

std::vector<ProcessEntry> RunningProcesses(const std::function<bool(const std::string& image)>& wanted)
{
    std::vector<ProcessEntry> found;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        std::string image = entry.szExeFile;
        std::size_t slash = image.find_last_of("\\/");
        if (slash != std::string::npos) image.erase(0, slash + 1);
        if (wanted(image)) found.push_back({entry.th32ProcessID, image});
    }
    return found;
}

bool WaitUntilNoneRunning(const std::string& image, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!RunningProcesses([&](const std::string& name) { return SameName(name, image); }).empty()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

// Through the process environment block: the same text the process's own
// GetCommandLineW returns. Both processes have the same word size.
std::string ProcessCommandLine(DWORD processId)
{
    KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.IsValid()) return std::string();
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process.Get(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return std::string();
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!ReadRemote(process.Get(), basic.PebBaseAddress, peb) ||
        !ReadRemote(process.Get(), peb.ProcessParameters, parameters))
        return std::string();
    std::wstring wide(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    SIZE_T read = 0;
    if (wide.empty() || !ReadProcessMemory(process.Get(), parameters.CommandLine.Buffer, &wide[0],
                                           parameters.CommandLine.Length, &read))
        return std::string();
    int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0], size, nullptr, nullptr);
    return text;
}

bool IsTemporaryUninstaller(const std::string& image)
{
    if (image.size() <= 7) return false;
    return SameName(image.substr(0, 3), "uni") && SameName(image.substr(image.size() - 4), ".tmp");
}

std::string ProcessImagePath(DWORD processId)
{
    KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    char path[MAX_PATH] = "";
    if (!process.IsValid()) return std::string();
    DWORD length = GetModuleFileNameExA(process.Get(), nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
}

bool TerminateById(DWORD processId)
{
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process.IsValid()) return false;
    TerminateProcess(process.Get(), 99);
    WaitForSingleObject(process.Get(), 10000);
    return true;
}
