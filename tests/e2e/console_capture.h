// Runs a console program and keeps what it writes to its standard output
// and error, as a shell's "$(...)" would.
#pragma once

#include <windows.h>

#include <string>

// The exit code, or -1 when the program did not start or end in time.
int RunCapturingOutput(const std::string& commandLine, std::string& output, DWORD timeoutMs = 60000);
