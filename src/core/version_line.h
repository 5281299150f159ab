// The welcome page's version line, formatted from the template's own text.
#pragma once

#include <cstdint>
#include <string>

// The build label: "" for a release (revision 0), else "Beta <revision>".
std::string BuildLabel(std::uint32_t revision);

// Formats format (its first line holds "%d.%02d.%02d %s") with major, minor,
// build and the build label, into at most 1024 characters; the format itself
// when the result would not fit.
std::string VersionLine(const std::string& format, std::uint32_t major, std::uint32_t minor,
                        std::uint32_t build, std::uint32_t revision);
