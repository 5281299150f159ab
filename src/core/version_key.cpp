#include "core/version_key.h"

std::uint32_t VersionKey(std::uint32_t major, std::uint32_t minor, std::uint32_t build, std::uint32_t revision)
{
    return ((major * 100u + minor) * 100u + build) * 100u + revision;
}
