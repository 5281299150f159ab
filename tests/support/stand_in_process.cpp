#include "support/stand_in_process.h"

#include "product/stand_in_product.h"
#include "support/machine.h"

#include <sstream>

namespace {

struct ClassSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchStandInWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<ClassSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || std::string(className) != standInWindowClass) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::string StandInPath(const char* fileName)
{
    return TestBinFolder() + "\\" + fileName;
}

StandInProcess::~StandInProcess()
{
    if (Running()) Kill();
}

bool StandInProcess::Start(const std::string& program, const std::string& arguments, const std::string& recordPath,
                           DWORD timeoutMs)
{
    recordPath_ = recordPath;
    DeleteFileA(recordPath.c_str());
    // The copy inherits the variable; it is set only around the start.
    SetEnvironmentVariableA(standInRecordVariable, recordPath.c_str());
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    BOOL started = CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info);
    SetEnvironmentVariableA(standInRecordVariable, nullptr);
    if (!started) return false;
    CloseHandle(info.hThread);
    process_.Attach(info.hProcess);
    id_ = info.dwProcessId;
    if (arguments == "-readopts") return WaitForExit(timeoutMs);
    return WaitForRecord("ready " + std::to_string(id_), timeoutMs);
}

HWND StandInProcess::Window() const
{
    ClassSearch search{id_, nullptr};
    EnumWindows(MatchStandInWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::string> StandInProcess::Records() const
{
    std::vector<std::string> lines;
    std::istringstream text(ReadTextFile(recordPath_));
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> StandInProcess::Notifications() const
{
    std::vector<std::string> found;
    for (const std::string& line : Records()) {
        if (line.rfind("added ", 0) == 0 || line.rfind("removed ", 0) == 0) found.push_back(line);
    }
    return found;
}

bool StandInProcess::HasRecord(const std::string& line) const
{
    for (const std::string& recorded : Records()) {
        if (recorded == line) return true;
    }
    return false;
}

bool StandInProcess::WaitForRecord(const std::string& line, DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HasRecord(line)) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        if (!Running() && !HasRecord(line)) return false;
        Sleep(20);
    }
}

bool StandInProcess::Settle(DWORD timeoutMs)
{
    HWND window = Window();
    if (window == nullptr) return false;
    ++marks_;
    if (!PostMessageA(window, standInMarkMessage, marks_, 0)) return false;
    return WaitForRecord("mark " + std::to_string(marks_), timeoutMs);
}

bool StandInProcess::Close(DWORD timeoutMs)
{
    HWND window = Window();
    if (window == nullptr) return false;
    PostMessageA(window, WM_CLOSE, 1001, 0);
    return WaitForExit(timeoutMs);
}

bool StandInProcess::Kill()
{
    if (!process_.IsValid()) return false;
    if (!TerminateProcess(process_.Get(), 9)) return false;
    return WaitForExit();
}

bool StandInProcess::WaitForExit(DWORD timeoutMs)
{
    return process_.IsValid() && WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool StandInProcess::Running() const
{
    return process_.IsValid() && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}
