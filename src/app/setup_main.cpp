// setup.exe's entry point: the framework's part around the one start-up call.
#include "app/process_objects.h"
#include "app/setup_app.h"
#include "framework/application.h"
#include "instances/instance_manager.h"
#include "win/system_library.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictDllSearchToSystemFolder();
    // Without its lock the instance list cannot be shared safely, and running
    // copies could be neither counted nor closed: do not start.
    if (instanceManager.Failed()) return 1;
    return RunApplication(theApp);
}
