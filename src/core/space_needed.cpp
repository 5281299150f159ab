#include "core/space_needed.h"

std::uint32_t Kilobytes(std::uint64_t bytes, bool roundUp)
{
    const std::uint64_t kilobytes = bytes / 1024 + (roundUp && bytes % 1024 != 0 ? 1 : 0);
    return kilobytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(kilobytes);
}

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
