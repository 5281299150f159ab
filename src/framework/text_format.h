// %-formatting of texts as wsprintfA does it, but never past a buffer's end.
#pragma once

#include <cstddef>
#include <string>

// Formats into a buffer of capacity characters, its terminating zero
// included. When the result would not fit (or the format is bad) out is left
// as it was and the result is false.
bool FormatInto(std::string& out, std::size_t capacity, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// The same into a character buffer of capacity characters; its contents are
// undefined when the result is false.
bool FormatIntoBuffer(char* buffer, std::size_t capacity, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;
