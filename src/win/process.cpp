#include "win/process.h"

#include <vector>

KernelHandle StartProcess(const std::string& program, const std::string& commandLine, bool inheritHandles)
{
    // CreateProcessA may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return KernelHandle();
    KernelHandle thread(process.hThread);
    return KernelHandle(process.hProcess);
}
