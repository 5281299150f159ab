#include "core/wininit_section.h"

#include "core/product_profile.h"

#include <cstring>

bool AppendBootDeleteLine(char* block, std::size_t capacity, std::size_t length, const std::string& path)
{
    // A section that did not fit is returned cut to capacity - 2 characters.
    if (capacity < 2 || length >= capacity - 2) return false;
    const std::string line = std::string(ProductProfile::bootRenamePrefix) + path;
    // The line, its zero and the block's final zero.
    if (line.size() + 2 > capacity - length) return false;
    std::memcpy(block + length, line.c_str(), line.size() + 1);
    block[length + line.size() + 1] = '\0';
    return true;
}
