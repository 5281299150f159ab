#include "uninstall/wininit_section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A block as GetPrivateProfileSectionA leaves it: the lines, each with its
// zero, then the final zero, in a buffer of capacity bytes.
std::vector<char> Block(const std::vector<std::string>& lines, std::size_t capacity, std::size_t& length)
{
    std::vector<char> block(capacity + 1, '#');  // one canary byte past the end
    length = 0;
    for (const std::string& line : lines) {
        std::copy(line.begin(), line.end(), block.begin() + static_cast<std::ptrdiff_t>(length));
        length += line.size();
        block[length++] = '\0';
    }
    block[length] = '\0';
    return block;
}

std::vector<std::string> Lines(const std::vector<char>& block)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; block[at] != '\0';) {
        lines.emplace_back(&block[at]);
        at += lines.back().size() + 1;
    }
    return lines;
}

TEST(WininitSection, NewLineGoesLastOrNotAtAll)
{
    const std::string path = "C:\\Temp\\uni1.tmp";  // "NUL=" + path: 20 characters, 21 with its zero
    struct {
        const char* what;
        std::vector<std::string> lines;
        std::size_t capacity;
        std::size_t reportedLength;  // 0: the block's own length
        bool added;
    } const cases[] = {
        {"empty section", {}, 16384, 0, true},
        {"two lines kept in order", {"NUL=C:\\a.old", "NUL=C:\\b.old"}, 16384, 0, true},
        {"exactly room for line and final zero", {std::string(8, 'x')}, 31, 0, true},
        {"one character short", {std::string(8, 'x')}, 30, 0, false},
        {"section filled the buffer and may be cut", {std::string(28, 'x')}, 31, 29, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::size_t length = 0;
        std::vector<char> block = Block(c.lines, c.capacity, length);
        if (c.reportedLength != 0) length = c.reportedLength;
        const std::vector<char> before = block;

        EXPECT_EQ(c.added, AppendBootDeleteLine(block.data(), c.capacity, length, path));

        std::vector<std::string> expected = c.lines;
        if (c.added) expected.push_back("NUL=" + path);
        EXPECT_EQ(expected, Lines(block));
        if (!c.added) {
            EXPECT_EQ(before, block) << "a block that cannot take the line stays as it was";
        }
        EXPECT_EQ('#', block[c.capacity]) << "written past the buffer";
    }
}

}  // namespace
