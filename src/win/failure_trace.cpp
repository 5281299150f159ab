#include "win/failure_trace.h"

#include "core/buffer_sizes.h"
#include "core/product_profile.h"
#include "core/trace_line.h"
#include "win/handles.h"

namespace {

std::string SystemMessage(DWORD code)
{
    char text[systemMessageSize] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, static_cast<DWORD>(sizeof text), nullptr);
    return std::string(text, length < sizeof text ? length : 0);
}

void AppendToTraceFile(const std::string& line)
{
    char path[maxPath];
    const DWORD length = GetEnvironmentVariableA(ProductProfile::traceFileVariable, path, static_cast<DWORD>(maxPath));
    if (length == 0 || length >= maxPath) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string text = StampedTraceLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                                               now.wMilliseconds, GetCurrentProcessId()},
                                              line);
    // Append-only access: every write lands at the end, also when the
    // installer and its temporary uninstaller write to the file at once.
    KernelHandle file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file.IsValid()) WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void TraceFailure(const char* what, const std::string& on, unsigned long code)
{
    const DWORD lastError = GetLastError();
    const std::string line = TraceLine(what, on, code, SystemMessage(code));
    OutputDebugStringA((line + "\n").c_str());
    AppendToTraceFile(line);
    SetLastError(lastError);
}

void TraceResult(const char* what, const std::string& on, HRESULT result)
{
    const unsigned long code = static_cast<unsigned long>(result);
    TraceFailure(what, on, HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : code);
}
