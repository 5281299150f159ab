// How much of the destination's drive an installation takes, decided before
// anything is touched. Win32-free.
#pragma once

#include <cstdint>

// bytes in kilobytes, rounded up or down, at most 0xFFFFFFFF: the size
// Add/Remove Programs shows, the figures the space question gives.
std::uint32_t Kilobytes(std::uint64_t bytes, bool roundUp);

// size as it lies on a disk of clusterSize-byte clusters (0: as it is).
std::uint64_t OnDisk(std::uint64_t size, std::uint32_t clusterSize);

// The files to copy as they will lie on the destination's disk, less the
// files of the same names that they replace there.
class SpaceNeeded {
public:
    explicit SpaceNeeded(std::uint32_t clusterSize) : clusterSize_(clusterSize) {}

    // A file of size bytes, replacing one of replacedSize bytes (0: none).
    void Add(std::uint64_t size, std::uint64_t replacedSize);
    // What the copy needs beyond what it frees; never below 0.
    std::uint64_t Bytes() const { return added_ > freed_ ? added_ - freed_ : 0; }

private:
    std::uint32_t clusterSize_;
    std::uint64_t added_ = 0;
    std::uint64_t freed_ = 0;
};
