#include "win/registry_text.h"

#include "core/buffer_sizes.h"
#include "win/handles.h"

#include <cstring>
#include <vector>

bool ReadValueText(HKEY key, const char* name, std::size_t bufferSize, std::string& text)
{
    text.clear();
    std::vector<char> buffer(bufferSize, '\0');
    DWORD size = static_cast<DWORD>(bufferSize);
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    // Data stored without its zero may fill the buffer exactly; reading it as
    // a string would run past the end.
    const void* zero = std::memchr(buffer.data(), '\0', size);
    if (zero == nullptr && size >= bufferSize) return false;
    text.assign(buffer.data(), zero != nullptr ? static_cast<const char*>(zero) - buffer.data() : size);
    return true;
}

std::string ReadRegistryString(HKEY root, const char* subkey, const char* valueName)
{
    RegKey key;
    std::string text;
    if (key.Open(root, subkey, KEY_READ) == ERROR_SUCCESS) ReadValueText(key.Get(), valueName, maxPath, text);
    return text;
}
