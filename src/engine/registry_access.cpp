#include "engine/registry_access.h"

#include "engine/failure_trace.h"
#include "engine/path_utils.h"
#include "framework/win_handles.h"

#include <cstring>

std::string ReadRegistryString(HKEY root, const char* subkey, const char* valueName)
{
    RegKey key;
    if (key.Open(root, subkey, KEY_READ) != ERROR_SUCCESS) return std::string();
    char buffer[maxPath] = {};
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key.Get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return std::string();
    // Data of any type is taken up to its first zero; data filling the whole
    // buffer without one does not fit, like any longer value.
    if (std::memchr(buffer, '\0', sizeof buffer) == nullptr) return std::string();
    return std::string(buffer);
}

namespace {

bool WriteRegistryValue(HKEY root, const char* subkey, const char* valueName, DWORD type, const void* data,
                        DWORD size)
{
    RegKey key;
    LONG result = key.Create(root, subkey);
    if (result == ERROR_SUCCESS)
        result = RegSetValueExA(key.Get(), valueName, 0, type, static_cast<const BYTE*>(data), size);
    if (result != ERROR_SUCCESS)
        TraceFailure("write registry value", std::string(subkey) + "\\" + (valueName != nullptr ? valueName : ""),
                     static_cast<unsigned long>(result));
    return result == ERROR_SUCCESS;
}

}  // namespace

bool WriteRegistryString(HKEY root, const char* subkey, const char* valueName, const char* text)
{
    if (text == nullptr) text = "";
    return WriteRegistryValue(root, subkey, valueName, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

bool WriteRegistryDword(HKEY root, const char* subkey, const char* valueName, DWORD number)
{
    return WriteRegistryValue(root, subkey, valueName, REG_DWORD, &number, sizeof number);
}
