// The stand-in for the product's main executable; see stand_in_product.h for
// what it does and records.
#include "core/path_utils.h"
#include "core/product_profile.h"
#include "instances/instance_manager.h"
#include "product/parent_process.h"
#include "product/product_record.h"
#include "product/product_window.h"
#include "product/stand_in_product.h"
#include "win/code_page.h"
#include "win/handles.h"
#include "win/module_path.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Pictrl5.ini beside the program, line by line.
void RecordOptionsFile()
{
    const std::string path = OwnProgramPath();
    if (path.empty()) return;
    const std::string folder = ParentFolder(path.c_str(), IsCodePageLeadByte);
    const KernelHandle file(CreateFileA((folder + "\\" + ProductProfile::settingsFile).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        RecordLine("ini-missing");
        return;
    }
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) content.append(buffer, read);
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        RecordLine("ini " + line);
        start = end + 1;
    }
}

int RunWindow(HINSTANCE instance, COXInstanceManager& manager, bool busy)
{
    RecordNumber("listed", static_cast<unsigned>(manager.CountInstances()));
    HWND window = CreateStandInWindow(instance, busy);
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    RecordNumber("ready", GetCurrentProcessId());
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RecordNumber("started", GetCurrentProcessId());
    RecordLine(std::string("commandline ") + GetCommandLineA());
    RecordNumber("parent", ParentProcessId());
    // Setup starts it with "-readopts" as the whole command line, without the
    // program path in front; a user may type "Pictrl5.exe -readopts".
    const bool readOptions = std::strcmp(GetCommandLineA(), ProductProfile::readOptionsSwitch) == 0 ||
                             (__argc == 2 && std::strcmp(__argv[1], ProductProfile::readOptionsSwitch) == 0);
    if (readOptions) {
        RecordOptionsFile();
        return 0;
    }
    int status = 1;
    {
        COXInstanceManager manager(ProductProfile::instanceManagerName, ProductProfile::instanceAdditionalAreaSize);
        if (manager.Failed()) {
            RecordLine("manager-failed");
            return 1;
        }
        status = RunWindow(instance, manager, __argc == 2 && std::strcmp(__argv[1], standInBusySwitch) == 0);
    }
    RecordLine("exit");
    return status;
}
