#include "framework/text_format.h"
#include "wizard/version_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatInto, NeverWritesPastItsCapacity)
{
    struct Case {
        const char* what;
        std::size_t capacity;
        bool fits;
        const char* expected;
    };
    // "12 instances" has 12 characters and needs 13 with its zero.
    const Case cases[] = {
        {"room to spare", 64, true, "12 instances"},
        {"exactly room for the zero", 13, true, "12 instances"},
        {"one short", 12, false, "unchanged"},
        {"no room at all", 0, false, "unchanged"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string out = "unchanged";
        EXPECT_EQ(c.fits, FormatInto(out, c.capacity, "%d instances", 12));
        EXPECT_EQ(c.expected, out);
    }
}

TEST(VersionLine, FormatsTheVersionAndBuildLabel)
{
    const std::string format = "Pictorel ver. %d.%02d.%02d %s\r\nline two\r\nline three";
    struct Case {
        const char* what;
        std::uint32_t major, minor, build, revision;
        const char* firstLine;
    };
    const Case cases[] = {
        {"release", 5, 1, 2, 0, "Pictorel ver. 5.01.02 "},
        {"beta", 5, 0, 0, 3, "Pictorel ver. 5.00.00 Beta 3"},
        {"three-digit minor", 5, 100, 2, 0, "Pictorel ver. 5.100.02 "},
        {"largest 16-bit values", 65535, 65535, 65535, 65535, "Pictorel ver. 65535.65535.65535 Beta 65535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(std::string(c.firstLine) + "\r\nline two\r\nline three",
                  VersionLine(format, c.major, c.minor, c.build, c.revision));
    }
}

TEST(VersionLine, KeepsTheFormatWhenTheLineWouldNotFit)
{
    const std::string format = "%d.%02d.%02d %s" + std::string(1100, 'x');
    EXPECT_EQ(format, VersionLine(format, 5, 1, 2, 0));
}

}  // namespace
