#include "core/text_format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

// The length the whole text would have, or negative; buffer holds a zero-ended
// text only when that length is below capacity.
int FormatArguments(char* buffer, std::size_t capacity, const char* format, va_list arguments)
{
#ifdef _WIN32
    // The C runtime DLL's formatting, which every Windows has: the standard
    // one would be linked into setup.exe, a tenth of its size. It gives -1
    // for a text longer than capacity, capacity for one that leaves no room
    // for the zero.
    return _vsnprintf(buffer, capacity, format, arguments);
#else
    return std::vsnprintf(buffer, capacity, format, arguments);
#endif
}

bool Fits(int length, std::size_t capacity)
{
    return length >= 0 && static_cast<std::size_t>(length) < capacity;
}

}  // namespace

bool FormatInto(std::string& out, std::size_t capacity, const char* format, ...)
{
    if (capacity == 0 || format == nullptr) return false;
    std::vector<char> buffer(capacity);
    va_list arguments;
    va_start(arguments, format);
    int n = FormatArguments(buffer.data(), capacity, format, arguments);
    va_end(arguments);
    if (!Fits(n, capacity)) return false;
    out.assign(buffer.data(), static_cast<std::size_t>(n));
    return true;
}
