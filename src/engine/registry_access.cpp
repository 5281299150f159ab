#include "engine/registry_access.h"

#include "core/path_utils.h"
#include "win/handles.h"

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

bool WriteRegistryString(HKEY root, const char* subkey, const char* valueName, const char* text)
{
    if (text == nullptr) text = "";
    RegKey key;
    if (key.Create(root, subkey) != ERROR_SUCCESS) return false;
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) ==
           ERROR_SUCCESS;
}
