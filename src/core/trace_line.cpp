#include "core/trace_line.h"

#include "core/text_format.h"

std::string TraceLine(const std::string& what, const std::string& on, unsigned long code,
                      const std::string& message)
{
    std::string number;
    FormatInto(number, 16, code > 0xFFFF ? "0x%08lX" : "%lu", code);
    std::string text;
    for (char c : message) {
        if (c != '\r') text += c == '\n' ? ' ' : c;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return what + " " + on + ": error " + number + ": " + text;
}

std::string StampedTraceLine(const TraceStamp& stamp, const std::string& line)
{
    std::string prefix;
    FormatInto(prefix, 64, "%04u-%02u-%02u %02u:%02u:%02u.%03u [%lu] ", stamp.year, stamp.month, stamp.day,
               stamp.hour, stamp.minute, stamp.second, stamp.milliseconds, stamp.processId);
    return prefix + line + "\r\n";
}
