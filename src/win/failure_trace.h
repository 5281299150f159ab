// A line for every failure the setup passes over without a word to the user:
// to the debugger always, and appended to the file the environment variable
// PICTOREL_SETUP_TRACE names, when it is set. Nothing the user sees changes,
// and the thread's last error is left as it was.
#pragma once

#include <windows.h>

#include <string>

// what: the step that failed ("copy file"); on: what it was tried on; code: a
// Win32 error code or an HRESULT.
void TraceFailure(const char* what, const std::string& on, unsigned long code);

inline void TraceLastError(const char* what, const std::string& on)
{
    TraceFailure(what, on, GetLastError());
}

// An HRESULT that wraps a Win32 error is traced as that error.
void TraceResult(const char* what, const std::string& on, HRESULT result);
