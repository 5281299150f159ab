#include "win/module_path.h"

#include "core/buffer_sizes.h"

#include <windows.h>

std::string OwnProgramPath()
{
    char path[maxPath] = "";
    const DWORD n = GetModuleFileNameA(nullptr, path, static_cast<DWORD>(maxPath));
    return n > 0 && n < maxPath ? std::string(path, n) : std::string();
}
