#include "core/text_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

bool FormatInto(std::string& out, std::size_t capacity, const char* format, ...)
{
    if (capacity == 0 || format == nullptr) return false;
    std::vector<char> buffer(capacity);
    va_list arguments;
    va_start(arguments, format);
    int n = std::vsnprintf(buffer.data(), capacity, format, arguments);
    va_end(arguments);
    // n is the length the whole text would have; it must leave room for the zero.
    if (n < 0 || static_cast<std::size_t>(n) >= capacity) return false;
    out.assign(buffer.data(), static_cast<std::size_t>(n));
    return true;
}
