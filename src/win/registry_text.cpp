#include "win/registry_text.h"

#include <cstring>

bool ReadValueText(HKEY key, const char* name, std::string& text)
{
    text.clear();
    char buffer[registryTextSize] = {};
    DWORD size = registryTextSize;
    LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    if (rc != ERROR_SUCCESS) return false;
    // Data stored without its zero may fill the buffer exactly; reading it as
    // a string would run past the end.
    const void* zero = std::memchr(buffer, '\0', size);
    if (zero == nullptr && size >= registryTextSize) return false;
    text.assign(buffer, zero != nullptr ? static_cast<const char*>(zero) - buffer : size);
    return true;
}
