// Whether the destination's drive can take the installation, asked before
// anything on the machine is changed.
#pragma once

#include <cstdint>

struct DiskSpace {
    std::uint64_t needed = 0;  // bytes the copy takes beyond what it frees
    std::uint64_t free = 0;    // bytes this user may still fill there
    bool Enough() const { return needed <= free; }
};

// For the files the distribution list names (patterns resolved), as they
// will lie on the destination's disk, less the files of the same names they
// replace. A drive the system cannot tell about counts as large enough.
DiskSpace MeasureDiskSpace();
