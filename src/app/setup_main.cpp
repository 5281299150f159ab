#include "app/start_decision.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::vector<std::string> arguments(__argv, __argv + __argc);
    char programPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, programPath, MAX_PATH);
    DecideStartMode(arguments, programPath);
    return 0;
}
