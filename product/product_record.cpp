#include "product/product_record.h"

#include "product/stand_in_product.h"
#include "win/handles.h"
#include "win/module_path.h"
#include "win/registry_text.h"

#include <windows.h>

#include <vector>

namespace {

std::string RecordPath()
{
    const std::string named = ReadRegistryString(HKEY_CURRENT_USER, standInRecordsKey, OwnProgramPath().c_str());
    if (!named.empty()) return named;
    DWORD needed = GetEnvironmentVariableA(standInRecordVariable, nullptr, 0);
    if (needed == 0) return named;
    std::vector<char> path(needed);
    DWORD length = GetEnvironmentVariableA(standInRecordVariable, path.data(), needed);
    return length > 0 && length < needed ? std::string(path.data(), length) : named;
}

}  // namespace

void RecordLine(const std::string& line)
{
    const std::string path = RecordPath();
    if (path.empty()) return;
    // Opened per line and shared, so a test can read it at any time.
    const KernelHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
