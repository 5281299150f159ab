#include "product/product_record.h"

#include "product/stand_in_product.h"
#include "win/handles.h"

#include <windows.h>

#include <vector>

void RecordLine(const std::string& line)
{
    DWORD needed = GetEnvironmentVariableA(standInRecordVariable, nullptr, 0);
    if (needed == 0) return;
    std::vector<char> path(needed);
    DWORD length = GetEnvironmentVariableA(standInRecordVariable, path.data(), needed);
    if (length == 0 || length >= needed) return;
    // Opened per line and shared, so a test can read it at any time.
    const KernelHandle file(CreateFileA(path.data(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return;
    std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void RecordNumber(const char* what, unsigned long long number)
{
    RecordLine(std::string(what) + " " + std::to_string(number));
}
