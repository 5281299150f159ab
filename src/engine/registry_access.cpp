#include "engine/registry_access.h"

#include "win/handles.h"

#include <cstring>

bool WriteRegistryString(HKEY root, const char* subkey, const char* valueName, const char* text)
{
    if (text == nullptr) text = "";
    RegKey key;
    if (key.Create(root, subkey) != ERROR_SUCCESS) return false;
    const DWORD size = static_cast<DWORD>(std::strlen(text) + 1);
    return RegSetValueExA(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), size) ==
           ERROR_SUCCESS;
}
