// A picture drawn again at another size, each new pixel the average of the
// source pixels it covers, weighted by how much of each it covers: smooth
// edges and even lines at sizes that are no whole fraction of the source,
// the same on every system (Wine's StretchBlt drops pixels even in HALFTONE
// mode).
#pragma once

#include <cstdint>

// Pixels 0x00RRGGBB, rows top first, each width pixels long. The three
// colours are scaled each on its own; the top byte of the result is 0, so
// that no control takes it for an alpha channel.
void ScaleByArea(const std::uint32_t* from, int fromWidth, int fromHeight, std::uint32_t* to, int toWidth,
                 int toHeight);
