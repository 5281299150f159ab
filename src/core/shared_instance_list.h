// The block of shared memory that lists the running instances: a header word,
// a count and 1000 process-id slots, all little-endian 32-bit words. The
// product's own executable reads and writes the same layout, so it must not
// change. Win32-free: the caller maps the block and holds its lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class SharedInstanceList {
public:
    static constexpr std::uint32_t capacity = 1000;
    static constexpr std::size_t headerOffset = 0;
    static constexpr std::size_t countOffset = 4;
    static constexpr std::size_t slotsOffset = 8;
    static constexpr std::size_t blockSize = slotsOffset + 4 * capacity;  // 4008

    // block: at least blockSize bytes, any alignment.
    explicit SharedInstanceList(void* block) : block_(static_cast<unsigned char*>(block)) {}

    // Header 1, count 0, every slot 0.
    void Reset();

    // The listed ids, never more than the capacity: a count word damaged by
    // another writer must not lead anyone past the last slot.
    std::uint32_t Count() const;
    bool IsFull() const { return Count() >= capacity; }
    std::uint32_t IdAt(std::uint32_t slot) const;  // slot < Count()
    void CopyIds(std::vector<std::uint32_t>& ids) const;

    // Stores id after the listed ones; false (nothing changed) when full.
    // An id already listed is listed again.
    bool Append(std::uint32_t id);
    // Takes out the first slot holding id, moves the later ones down in their
    // order and clears the slot that became free; false when id is not listed.
    bool Remove(std::uint32_t id);

private:
    std::uint32_t Word(std::size_t offset) const;
    void SetWord(std::size_t offset, std::uint32_t value);
    static std::size_t SlotOffset(std::uint32_t slot) { return slotsOffset + 4 * std::size_t{slot}; }

    unsigned char* block_;
};

// size rounded up to a whole multiple of granularity (a granularity of 0
// leaves it as it is); false when the result does not fit in 32 bits.
bool RoundUpToGranularity(std::uint32_t size, std::uint32_t granularity, std::uint32_t& rounded);
