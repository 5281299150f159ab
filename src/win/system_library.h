// DLLs from the system folder only. setup.exe and its temporary copy run from
// folders anyone may write to (a download folder, %TEMP%), where a planted DLL
// of a known name would otherwise be loaded, with administrator rights.
#pragma once

#include <windows.h>

// Restricts this process's DLL search to the system folder where Windows
// offers it (SetDefaultDllDirectories: Windows 8, and Vista and 7 updated),
// else takes the current folder out of it; both looked up at run time, so
// that the program still starts where they do not exist.
void RestrictDllSearchToSystemFolder();

// name ("version.dll") loaded by its full path in the system folder; null
// when it cannot be.
HMODULE LoadSystemLibrary(const char* name);

// An exported function of module by its type; null when it is not there.
template <class Function>
Function ProcAddress(HMODULE module, const char* name)
{
    if (module == nullptr) return nullptr;
    // Through a function type without parameters, which GCC accepts as the
    // generic one, rather than FARPROC.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
