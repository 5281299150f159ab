#include "pending_renames.h"

#include <windows.h>

namespace {

const char* const sessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const pendingValue = "PendingFileRenameOperations";

bool ReadRaw(std::string& data)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionManagerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, pendingValue, nullptr, nullptr, nullptr, &size);
    data.assign(size, '\0');
    if (rc == ERROR_SUCCESS && size > 0)
        rc = RegQueryValueExA(key, pendingValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size);
    RegCloseKey(key);
    data.resize(size);
    return rc == ERROR_SUCCESS;
}

}  // namespace

std::vector<std::string> PendingDeletions()
{
    std::string data;
    std::vector<std::string> strings;
    if (!ReadRaw(data)) return strings;
    for (std::size_t at = 0; at < data.size();) {
        std::size_t end = data.find('\0', at);
        if (end == std::string::npos) end = data.size();
        strings.push_back(data.substr(at, end - at));
        at = end + 1;
    }
    std::vector<std::string> deletions;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i].empty()) break;  // the list's end
        if (!strings[i + 1].empty()) continue;
        std::string path = strings[i];
        if (path.compare(0, 4, "\\??\\") == 0) path.erase(0, 4);
        deletions.push_back(path);
    }
    return deletions;
}

PendingRenamesGuard::PendingRenamesGuard()
{
    existed_ = ReadRaw(data_);
}

PendingRenamesGuard::~PendingRenamesGuard()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionManagerKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    if (existed_)
        RegSetValueExA(key, pendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data_.data()),
                       static_cast<DWORD>(data_.size()));
    else
        RegDeleteValueA(key, pendingValue);
    RegCloseKey(key);
}
