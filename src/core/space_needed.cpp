#include "core/space_needed.h"

std::uint64_t OnDisk(std::uint64_t size, std::uint32_t clusterSize)
{
    if (clusterSize == 0) return size;
    return (size / clusterSize + (size % clusterSize != 0 ? 1 : 0)) * clusterSize;
}

void SpaceNeeded::Add(std::uint64_t size, std::uint64_t replacedSize)
{
    added_ += OnDisk(size, clusterSize_);
    freed_ += OnDisk(replacedSize, clusterSize_);
}
