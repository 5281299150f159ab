#include "engine/registry_access.h"

#include "win/failure_trace.h"
#include "win/handles.h"

#include <cstring>

namespace {

bool WriteRegistryValue(HKEY root, const char* subkey, const char* valueName, DWORD type, const void* data,
                        DWORD size)
{
    RegKey key;
    LONG result = key.Create(root, subkey);
    if (result == ERROR_SUCCESS)
        result = RegSetValueExA(key.Get(), valueName, 0, type, static_cast<const BYTE*>(data), size);
    if (result != ERROR_SUCCESS)
        TraceIncomplete("write registry value", std::string(subkey) + "\\" + (valueName != nullptr ? valueName : ""),
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
