// A program of the system under test started as a separate process, the way
// a user or the shell starts it: its own file, its own current directory,
// the test's environment. What its windows did is watched from outside.
#pragma once

#include "framework/win_handles.h"

#include <windows.h>

#include <string>
#include <vector>

class ProgramRun {
public:
    ProgramRun() = default;
    // A process still running is terminated: a failed test leaves none behind.
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // commandLine as CreateProcessA takes it (program path quoted by the
    // caller); currentFolder empty keeps the test's own.
    bool Start(const std::string& commandLine, const std::string& currentFolder);
    // Follows a process that something else started.
    bool Attach(DWORD processId);

    DWORD Id() const { return id_; }
    bool Running() const;
    // The exit code, or -1 when the process did not end in time.
    int WaitForExit(DWORD timeoutMs = 120000);
    // As WaitForExit, noting meanwhile the caption of every visible
    // top-level window the process showed.
    int WaitForExitWatchingWindows(std::vector<std::string>& captions, DWORD timeoutMs = 120000);

private:
    KernelHandle process_;
    DWORD id_ = 0;
};

// The visible top-level windows of a process, by caption.
std::vector<std::string> VisibleWindowCaptions(DWORD processId);

// "\"path\"" for a command line.
std::string Quoted(const std::string& path);
