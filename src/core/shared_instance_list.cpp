#include "core/shared_instance_list.h"

#include <cstring>

std::uint32_t SharedInstanceList::Word(std::size_t offset) const
{
    const unsigned char* p = block_ + offset;
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

void SharedInstanceList::SetWord(std::size_t offset, std::uint32_t value)
{
    unsigned char* p = block_ + offset;
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
    p[2] = static_cast<unsigned char>(value >> 16);
    p[3] = static_cast<unsigned char>(value >> 24);
}

void SharedInstanceList::Reset()
{
    std::memset(block_, 0, blockSize);
    SetWord(headerOffset, 1);
}

std::uint32_t SharedInstanceList::Count() const
{
    std::uint32_t count = Word(countOffset);
    return count < capacity ? count : capacity;
}

std::uint32_t SharedInstanceList::IdAt(std::uint32_t slot) const
{
    return slot < capacity ? Word(SlotOffset(slot)) : 0;
}

void SharedInstanceList::CopyIds(std::vector<std::uint32_t>& ids) const
{
    std::uint32_t count = Count();
    ids.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) ids[i] = IdAt(i);
}

bool SharedInstanceList::Append(std::uint32_t id)
{
    std::uint32_t count = Count();
    if (count >= capacity) return false;
    SetWord(SlotOffset(count), id);
    SetWord(countOffset, count + 1);
    return true;
}

bool SharedInstanceList::Remove(std::uint32_t id)
{
    std::uint32_t count = Count();
    std::uint32_t slot = 0;
    while (slot < count && IdAt(slot) != id) ++slot;
    if (slot == count) return false;
    std::memmove(block_ + SlotOffset(slot), block_ + SlotOffset(slot + 1), 4 * std::size_t{count - slot - 1});
    SetWord(SlotOffset(count - 1), 0);
    SetWord(countOffset, count - 1);
    return true;
}

bool RoundUpToGranularity(std::uint32_t size, std::uint32_t granularity, std::uint32_t& rounded)
{
    if (granularity == 0) {
        rounded = size;
        return true;
    }
    std::uint64_t whole = (std::uint64_t{size} + granularity - 1) / granularity * granularity;
    if (whole > 0xFFFFFFFFu) return false;
    rounded = static_cast<std::uint32_t>(whole);
    return true;
}
