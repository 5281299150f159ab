#include "e2e/program_run.h"

#include "support/ui_driver.h"

#include <algorithm>

namespace {

struct CaptionSearch {
    DWORD processId;
    std::vector<std::string> captions;
};

BOOL CALLBACK NoteCaption(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<CaptionSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->captions.push_back(ui::Text(window));
    return TRUE;
}

}  // namespace

std::vector<std::string> VisibleWindowCaptions(DWORD processId)
{
    CaptionSearch search{processId, {}};
    EnumWindows(NoteCaption, reinterpret_cast<LPARAM>(&search));
    return search.captions;
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

ProgramRun::~ProgramRun()
{
    if (Running()) {
        TerminateProcess(process_.Get(), 99);
        WaitForSingleObject(process_.Get(), 10000);
    }
}

bool ProgramRun::Start(const std::string& commandLine, const std::string& currentFolder)
{
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &info))
        return false;
    KernelHandle thread(info.hThread);
    process_.Attach(info.hProcess);
    id_ = info.dwProcessId;
    return true;
}

bool ProgramRun::Attach(DWORD processId)
{
    process_.Attach(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId));
    id_ = processId;
    return process_.IsValid();
}

bool ProgramRun::Running() const
{
    return process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

int ProgramRun::WaitForExit(DWORD timeoutMs)
{
    if (!process_.IsValid() || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return static_cast<int>(code);
}

int ProgramRun::WaitForExitWatchingWindows(std::vector<std::string>& captions, DWORD timeoutMs)
{
    if (!process_.IsValid()) return -1;
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(process_.Get(), 10) == WAIT_TIMEOUT) {
        for (const std::string& caption : VisibleWindowCaptions(id_)) {
            if (std::find(captions.begin(), captions.end(), caption) == captions.end()) captions.push_back(caption);
        }
        if (GetTickCount() - start > timeoutMs) return -1;
    }
    return WaitForExit(0);
}
