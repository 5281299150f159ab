#include "core/version_line.h"

#include "core/buffer_sizes.h"
#include "core/text_format.h"

std::string BuildLabel(std::uint32_t revision)
{
    std::string label;
    if (revision != 0) FormatInto(label, formattedTextSize, "Beta %d", static_cast<int>(revision));
    return label;
}

std::string VersionLine(const std::string& format, std::uint32_t major, std::uint32_t minor,
                        std::uint32_t build, std::uint32_t revision)
{
    std::string line = format;
    std::string label = BuildLabel(revision);
    // The format is the dialog template's text, part of this program.
    FormatInto(line, formattedTextSize, format.c_str(), static_cast<int>(major), static_cast<int>(minor),
               static_cast<int>(build), label.c_str());
    return line;
}
