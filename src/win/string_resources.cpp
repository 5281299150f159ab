#include "win/string_resources.h"

#include "core/buffer_sizes.h"
#include "win/resource_module.h"

std::string LoadResourceString(UINT id)
{
    char buffer[resourceStringSize];
    int n = LoadStringA(ResourceModule(), id, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}
