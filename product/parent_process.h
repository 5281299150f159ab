// The process that started this one, for the records of the stand-ins (the
// product and the browser): setup, or the desktop shell setup asked to start
// them as the user at the desktop.
#pragma once

#include "win/handles.h"

#include <windows.h>
#include <tlhelp32.h>

inline unsigned long ParentProcessId()
{
    const KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry))
        if (entry.th32ProcessID == GetCurrentProcessId()) return entry.th32ParentProcessID;
    return 0;
}
