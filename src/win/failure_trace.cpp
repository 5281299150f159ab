#include "win/failure_trace.h"

#include "core/buffer_sizes.h"
#include "core/product_profile.h"
#include "core/setup_state.h"
#include "core/trace_file_path.h"
#include "core/trace_line.h"
#include "win/code_page.h"
#include "win/handles.h"

namespace {

std::string SystemMessage(DWORD code)
{
    char text[systemMessageSize] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, static_cast<DWORD>(sizeof text), nullptr);
    return std::string(text, length < sizeof text ? length : 0);
}

// The file the trace variable names, opened for appending when it is a plain
// file on a local disk; else no handle. Shares, devices and pipes are refused
// before anything is opened; a link as the last component is opened itself,
// not followed, and refused, as is a file with a second name (a hard link
// made to a file this account may write).
KernelHandle OpenTraceFile()
{
    char named[maxPath];
    DWORD length = GetEnvironmentVariableA(ProductProfile::traceFileVariable, named, static_cast<DWORD>(maxPath));
    if (length == 0 || length >= maxPath) return {};
    // A relative name would be taken from the current folder, which may be a share.
    char full[maxPath];
    length = GetFullPathNameA(named, static_cast<DWORD>(maxPath), full, nullptr);
    if (length == 0 || length >= maxPath || !IsTraceFilePath(std::string(full, length), IsCodePageLeadByte)) return {};
    const char root[] = {full[0], ':', '\\', '\0'};
    const UINT drive = GetDriveTypeA(root);
    if (drive == DRIVE_REMOTE || drive == DRIVE_NO_ROOT_DIR || drive == DRIVE_UNKNOWN) return {};
    // Append-only access: every write lands at the end, also when the
    // installer and its temporary uninstaller write to the file at once.
    KernelHandle file(CreateFileA(full, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file.IsValid() || GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.Get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0 ||
        info.nNumberOfLinks != 1)
        return {};
    return file;
}

void AppendToTraceFile(const std::string& line)
{
    const KernelHandle file = OpenTraceFile();
    if (!file.IsValid()) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string text = StampedTraceLine({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                                               now.wMilliseconds, GetCurrentProcessId()},
                                              line);
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
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

namespace {

unsigned long ResultCode(HRESULT result)
{
    return HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result) : static_cast<unsigned long>(result);
}

}  // namespace

void TraceResult(const char* what, const std::string& on, HRESULT result)
{
    TraceFailure(what, on, ResultCode(result));
}

void TraceIncompleteResult(const char* what, const std::string& on, HRESULT result)
{
    TraceIncomplete(what, on, ResultCode(result));
}

void TraceIncomplete(const char* what, const std::string& on, unsigned long code)
{
    TraceFailure(what, on, code);
    if (setupState.failedItems++ < namedFailures) setupState.failedNames += on + "\n";
}
