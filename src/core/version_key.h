// Versions compared as one number. Win32-free.
#pragma once

#include <cstdint>
#include <string>

// ((major * 100 + minor) * 100 + build) * 100 + revision in 32-bit unsigned
// arithmetic that wraps, as earlier setups compared them: a part of 100 or
// more spills into the next higher part (5.0.100.0 equals 5.1.0.0).
std::uint32_t VersionKey(std::uint32_t major, std::uint32_t minor, std::uint32_t build, std::uint32_t revision);
