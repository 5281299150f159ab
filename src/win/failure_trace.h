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
void TraceIncompleteResult(const char* what, const std::string& on, HRESULT result);

// A failure that leaves the installation or the removal incomplete: traced,
// and counted in setupState with what it was tried on (the first few), so
// that the user is told and the exit code says so.
void TraceIncomplete(const char* what, const std::string& on, unsigned long code);

inline void TraceIncompleteLastError(const char* what, const std::string& on)
{
    TraceIncomplete(what, on, GetLastError());
}
