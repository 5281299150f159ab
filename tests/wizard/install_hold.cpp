// Stands in for the product in a distribution whose installation a test
// wants to watch: the install procedure runs it from the destination with
// "-readopts" and waits for it, so it holds the installation until the test
// releases it. It records its whole command line beside itself.
#include "framework/win_handles.h"

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record = path;
    record = record.substr(0, record.find_last_of('\\')) + "\\hold-record.txt";
    if (std::FILE* f = std::fopen(record.c_str(), "wb")) {
        std::fputs(GetCommandLineA(), f);
        std::fclose(f);
    }
    KernelHandle installing(OpenEventA(EVENT_MODIFY_STATE, FALSE, "PictorelWizardTest.installing"));
    KernelHandle release(OpenEventA(SYNCHRONIZE, FALSE, "PictorelWizardTest.release"));
    if (installing.IsValid()) SetEvent(installing.Get());
    if (release.IsValid()) WaitForSingleObject(release.Get(), 30000);
    return 0;
}
