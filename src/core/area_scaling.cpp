#include "core/area_scaling.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int colours = 3;

// On a scale on which source pixel i covers [i * to, (i + 1) * to) and target pixel j covers
// [j * from, (j + 1) * from), both lines are from * to long: visits each source pixel j covers with the length
// covered. The lengths add up to from.
template <class Visit>
void Cover(int from, int to, int j, Visit visit)
{
    const long long begin = static_cast<long long>(j) * from, end = begin + from;
    for (long long i = begin / to; i < from && i * to < end; ++i)
        visit(static_cast<int>(i), std::min(end, (i + 1) * to) - std::max(begin, i * to));
}

}  // namespace

void ScaleByArea(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to, int toWidth, int toHeight)
{
    if (fromWidth <= 0 || fromHeight <= 0 || toWidth <= 0 || toHeight <= 0) return;
    // Across first: each row of the source at the target's width, each colour summed with weights adding up to
    // fromWidth; then down, the weights adding up to fromHeight.
    std::vector<std::uint64_t> across(static_cast<std::size_t>(toWidth) * fromHeight * colours);
    for (int y = 0; y < fromHeight; ++y)
        for (int x = 0; x < toWidth; ++x)
            Cover(fromWidth, toWidth, x, [&](int i, long long length) {
                const std::uint32_t pixel = from[static_cast<std::size_t>(y) * fromWidth + i];
                for (int c = 0; c < colours; ++c)
                    across[(static_cast<std::size_t>(y) * toWidth + x) * colours + c] += (pixel >> (8 * c) & 0xFF) * length;
            });
    const std::uint64_t whole = static_cast<std::uint64_t>(fromWidth) * fromHeight;
    for (int y = 0; y < toHeight; ++y)
        for (int x = 0; x < toWidth; ++x) {
            std::uint64_t sum[colours] = {};
            Cover(fromHeight, toHeight, y, [&](int i, long long length) {
                for (int c = 0; c < colours; ++c)
                    sum[c] += across[(static_cast<std::size_t>(i) * toWidth + x) * colours + c] * length;
            });
            std::uint32_t pixel = 0;
            for (int c = 0; c < colours; ++c) pixel |= static_cast<std::uint32_t>((sum[c] + whole / 2) / whole) << (8 * c);
            to[static_cast<std::size_t>(y) * toWidth + x] = pixel;
        }
}
