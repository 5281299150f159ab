// The lines that record a failure the setup passes over, for whoever supports
// the product. Win32-free: the host build compiles it too.
#pragma once

#include <string>

// When and by which process a line was written.
struct TraceStamp {
    unsigned year, month, day, hour, minute, second, milliseconds;
    unsigned long processId;
};

// "<what> <on>: error <code>: <message>": codes above 0xFFFF (HRESULTs) in
// hexadecimal; each line break of the system message becomes a blank, its
// trailing blanks go.
std::string TraceLine(const std::string& what, const std::string& on, unsigned long code,
                      const std::string& message);

// The trace file's form: "YYYY-MM-DD hh:mm:ss.mmm [pid] " + line + CR LF, so
// that lines from the installer and its temporary uninstaller can be told apart.
std::string StampedTraceLine(const TraceStamp& stamp, const std::string& line);
