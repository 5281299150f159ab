// Looking at other processes from outside: which run, under which file
// name, with which command line.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ProcessEntry {
    DWORD id;
    std::string image;  // the executable's file name, no folder
};

std::vector<ProcessEntry> RunningProcesses(const std::function<bool(const std::string& image)>& wanted);

// True once no process with this file name (any letter case) runs.
bool WaitUntilNoneRunning(const std::string& image, DWORD timeoutMs = 30000);

// The process's command line as its own GetCommandLine would give it
// (narrowed to the ANSI code page); "" when it cannot be read.
std::string ProcessCommandLine(DWORD processId);

// The full path of a process's executable; "" when it cannot be read.
std::string ProcessImagePath(DWORD processId);

// The uninstaller's temporary copy: "uni" + a number + ".tmp", any case.
bool IsTemporaryUninstaller(const std::string& image);

// Ends a process by id (exit code 99); false when it could not be opened.
bool TerminateById(DWORD processId);
