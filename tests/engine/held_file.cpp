#include "held_file.h"

#include "support/machine.h"

#include <cstdio>
#include <vector>

namespace {

int heldCount = 0;

}  // namespace

HeldFile::HeldFile(const std::string& program, const std::string& arguments)
{
    char names[2][64];
    ++heldCount;
    std::snprintf(names[0], sizeof names[0], "PictorelTestReady-%lu-%d", GetCurrentProcessId(), heldCount);
    std::snprintf(names[1], sizeof names[1], "PictorelTestRelease-%lu-%d", GetCurrentProcessId(), heldCount);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, names[0]);
    release_ = CreateEventA(nullptr, TRUE, FALSE, names[1]);
    std::string commandLine = "\"" + program + "\" " + arguments + " " + names[0] + " " + names[1];
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    HANDLE waits[2] = {ready_, process_};
    holding_ = WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
}

HeldFile::~HeldFile()
{
    if (release_ != nullptr) SetEvent(release_);
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 20000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
        CloseHandle(process_);
    }
    if (ready_ != nullptr) CloseHandle(ready_);
    if (release_ != nullptr) CloseHandle(release_);
}

std::string FileHolderProgram()
{
    return TestBinFolder() + "\\file_holder.exe";
}
