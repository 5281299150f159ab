// A running copy of the stand-in product (product/stand_in_product.h), for
// tests that need real processes in the instance list or real copies to
// close. Each copy records into its own file.
#pragma once

#include "framework/win_handles.h"

#include <windows.h>

#include <string>
#include <vector>

class StandInProcess {
public:
    StandInProcess() = default;
    // Ends a copy that is still running (without its clean-up).
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    // Starts program (full path) with arguments after its quoted name,
    // recording into recordPath (replaced). With a window, waits until the
    // copy records "ready"; with "-readopts", until it ends.
    bool Start(const std::string& program, const std::string& arguments, const std::string& recordPath,
               DWORD timeoutMs = 30000);

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.Get(); }
    HWND Window() const;  // its stand-in window, found by class; null when none

    std::vector<std::string> Records() const;
    // "added <id>" and "removed <id>" lines, in the order received.
    std::vector<std::string> Notifications() const;
    bool HasRecord(const std::string& line) const;
    bool WaitForRecord(const std::string& line, DWORD timeoutMs = 30000) const;

    // Returns once every message posted to the window before this call has
    // been recorded (posted messages are handled in order).
    bool Settle(DWORD timeoutMs = 30000);
    // WM_CLOSE with wParam 1001, as setup sends it; waits for the end.
    bool Close(DWORD timeoutMs = 30000);
    // TerminateProcess: no clean-up runs.
    bool Kill();
    bool WaitForExit(DWORD timeoutMs = 30000);
    bool Running() const;

private:
    KernelHandle process_;
    DWORD id_ = 0;
    std::string recordPath_;
    unsigned marks_ = 0;
};

// The stand-in in the test's bin folder: "Pictrl5.exe" or a variant name.
std::string StandInPath(const char* fileName = "Pictrl5.exe");
