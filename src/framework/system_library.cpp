#include "framework/system_library.h"

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
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + name;
    if (path.size() >= MAX_PATH) return nullptr;
    // Its own imports then come from the system folder as well.
    return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
