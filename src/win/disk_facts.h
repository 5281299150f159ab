// The drive a folder lies on, as the running user may use it.
#pragma once

#include <cstdint>
#include <string>

struct DiskFacts {
    bool known = false;                // false: the system could not say
    std::uint64_t freeToCaller = 0;    // bytes this user may still fill (quotas counted)
    std::uint32_t clusterSize = 0;     // 0 when unknown
};

// For folder, or the nearest folder above it that exists: a destination is
// made only by the installation.
DiskFacts DiskFactsFor(const std::string& folder);
