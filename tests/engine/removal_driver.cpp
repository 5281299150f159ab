// Stands in for the uninstaller around StartTemporaryUninstaller.
//   removal_driver [silent]   hands over to a temporary copy; exit code 3
//                             when that call returns
//   removal_driver -delself … the copy: writes its command line to the file
//                             named by PICTOREL_REMOVAL_RECORD and ends
// In the first role a static object writes "clean-up ran" to the file named
// by PICTOREL_REMOVAL_MARKER when it is destroyed at normal exit.
#include "app/setup_state.h"
#include "uninstall/temporary_uninstaller.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

SetupState setupState;

namespace {

void WriteTo(const char* variable, const char* text)
{
    const char* path = std::getenv(variable);
    if (path == nullptr) return;
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return;
    std::fputs(text, f);
    std::fclose(f);
}

bool firstRole = true;

struct ExitMarker {
    ~ExitMarker()
    {
        if (firstRole) WriteTo("PICTOREL_REMOVAL_MARKER", "clean-up ran");
    }
} exitMarker;

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "-delself") == 0) {
        firstRole = false;
        WriteTo("PICTOREL_REMOVAL_RECORD", GetCommandLineA());
        return 0;
    }
    setupState.silent = (argc > 1 && std::strcmp(argv[1], "silent") == 0) ? 1 : 0;
    StartTemporaryUninstaller();
    return 3;
}
