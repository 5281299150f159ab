#include "win/system_library.h"

#include "core/buffer_sizes.h"

#include <string>

void RestrictDllSearchToSystemFolder()
{
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefault = ProcAddress<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories");
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    const auto setDirectory = ProcAddress<BOOL(WINAPI*)(LPCSTR)>(kernel, "SetDllDirectoryA");
    if (setDirectory != nullptr) setDirectory("");
}

HMODULE LoadSystemLibrary(const char* name)
{
    char folder[maxPath];
    const UINT length = GetSystemDirectoryA(folder, static_cast<UINT>(maxPath));
    if (length == 0 || length >= maxPath) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + name;
    if (!FitsMaxPath(path)) return nullptr;
    // Its own imports then come from the system folder as well.
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
