#include "win/string_resources.h"

#include "win/resource_module.h"

std::string LoadResourceString(UINT id)
{
    // The longest text of the table is well under 512 characters.
    char buffer[1024];
    int n = LoadStringA(ResourceModule(), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}
