#include "instances/shared_instance_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A block placed at an odd address inside a larger buffer, with canary bytes
// on both sides: the list must work at any alignment and never write outside.
class ListBlock {
public:
    static constexpr std::size_t margin = 17;
    static constexpr unsigned char canary = 0xA5;

    ListBlock() : bytes_(SharedInstanceList::blockSize + 2 * margin, canary) {}
    unsigned char* Block() { return bytes_.data() + margin; }
    SharedInstanceList List() { return SharedInstanceList(Block()); }

    std::uint32_t Word(std::size_t offset) const
    {
        const unsigned char* p = bytes_.data() + margin + offset;
        return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    }
    void SetWord(std::size_t offset, std::uint32_t value)
    {
        unsigned char* p = Block() + offset;
        for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
    }
    bool CanariesIntact() const
    {
        for (std::size_t i = 0; i < margin; ++i) {
            if (bytes_[i] != canary || bytes_[bytes_.size() - 1 - i] != canary) return false;
        }
        return true;
    }
    // Header 1, the ids in slots 0.., every other slot 0.
    void ExpectBlock(const std::vector<std::uint32_t>& ids) const
    {
        EXPECT_EQ(1u, Word(0));
        EXPECT_EQ(ids.size(), Word(4));
        for (std::uint32_t slot = 0; slot < SharedInstanceList::capacity; ++slot) {
            std::uint32_t expected = slot < ids.size() ? ids[slot] : 0;
            ASSERT_EQ(expected, Word(8 + 4 * slot)) << "slot " << slot;
        }
        EXPECT_TRUE(CanariesIntact());
    }
    const std::vector<unsigned char>& Bytes() const { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

TEST(SharedInstanceList, ResetClearsEverySlotAndKeepsWithinTheBlock)
{
    ListBlock block;
    block.List().Reset();
    block.ExpectBlock({});
    EXPECT_EQ(SharedInstanceList::blockSize, 4008u);
}

TEST(SharedInstanceList, AppendsInOrderAsLittleEndianWords)
{
    ListBlock block;
    SharedInstanceList list = block.List();
    list.Reset();
    EXPECT_TRUE(list.Append(0x11223344));
    EXPECT_TRUE(list.Append(8));
    EXPECT_TRUE(list.Append(8));  // a second registration lists the id twice
    block.ExpectBlock({0x11223344, 8, 8});
    const unsigned char* slot0 = block.Bytes().data() + ListBlock::margin + 8;
    EXPECT_EQ(0x44, slot0[0]);
    EXPECT_EQ(0x11, slot0[3]);
    std::vector<std::uint32_t> ids{99, 99, 99, 99, 99};
    list.CopyIds(ids);
    EXPECT_EQ((std::vector<std::uint32_t>{0x11223344, 8, 8}), ids);
}

TEST(SharedInstanceList, RemovingClosesTheGapInOrderAndClearsTheFreedSlot)
{
    struct RemoveCase {
        const char* what;
        std::vector<std::uint32_t> before;
        std::uint32_t id;
        bool removed;
        std::vector<std::uint32_t> after;
    };
    const RemoveCase cases[] = {
        {"first", {4, 8, 12, 16}, 4, true, {8, 12, 16}},
        {"middle", {4, 8, 12, 16}, 8, true, {4, 12, 16}},
        {"last", {4, 8, 12, 16}, 16, true, {4, 8, 12}},
        {"only", {4}, 4, true, {}},
        {"first of two equal", {4, 8, 4, 12}, 4, true, {8, 4, 12}},
        {"not listed", {4, 8}, 12, false, {4, 8}},
        {"empty list", {}, 4, false, {}},
        {"zero is no wildcard for free slots", {4, 8}, 0, false, {4, 8}},
    };
    for (const RemoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        ListBlock block;
        SharedInstanceList list = block.List();
        list.Reset();
        for (std::uint32_t id : c.before) ASSERT_TRUE(list.Append(id));
        EXPECT_EQ(c.removed, list.Remove(c.id));
        block.ExpectBlock(c.after);
    }
}

TEST(SharedInstanceList, AFullListRefusesAndStaysAsItWas)
{
    ListBlock block;
    SharedInstanceList list = block.List();
    list.Reset();
    for (std::uint32_t i = 0; i < SharedInstanceList::capacity; ++i) {
        EXPECT_FALSE(list.IsFull());
        ASSERT_TRUE(list.Append(1000 + i));
    }
    EXPECT_TRUE(list.IsFull());
    std::vector<unsigned char> full = block.Bytes();
    EXPECT_FALSE(list.Append(7));
    EXPECT_EQ(full, block.Bytes());
    EXPECT_EQ(1000u, list.Count());

    // Taking out the first of 1000 moves 999 words and frees the last slot.
    EXPECT_TRUE(list.Remove(1000));
    EXPECT_EQ(999u, list.Count());
    EXPECT_EQ(1001u, list.IdAt(0));
    EXPECT_EQ(1999u, list.IdAt(998));
    EXPECT_EQ(0u, block.Word(8 + 4 * 999));
    EXPECT_TRUE(list.Append(7));
    EXPECT_EQ(7u, list.IdAt(999));
    EXPECT_TRUE(block.CanariesIntact());
}

TEST(SharedInstanceList, ADamagedCountNeverLeadsPastTheLastSlot)
{
    for (std::uint32_t damaged : {1001u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(damaged);
        ListBlock block;
        SharedInstanceList list = block.List();
        list.Reset();
        block.SetWord(4, damaged);
        EXPECT_EQ(1000u, list.Count());
        EXPECT_FALSE(list.Append(5));
        EXPECT_FALSE(list.Remove(5));  // searches the 1000 slots, no further
        std::vector<std::uint32_t> ids;
        list.CopyIds(ids);
        EXPECT_EQ(1000u, ids.size());
        EXPECT_TRUE(block.CanariesIntact());
    }
}

TEST(SharedInstanceList, AreaSizesRoundUpToTheGranularity)
{
    struct RoundCase {
        std::uint32_t size;
        std::uint32_t granularity;
        bool fits;
        std::uint32_t rounded;
    };
    const RoundCase cases[] = {
        {4008, 65536, true, 65536},       {1024, 65536, true, 65536},  {65536, 65536, true, 65536},
        {65537, 65536, true, 131072},     {0, 65536, true, 0},         {4008, 4096, true, 4096},
        {4008, 0, true, 4008},            {0xFFFF0000u, 65536, true, 0xFFFF0000u},
        {0xFFFF0001u, 65536, false, 0},
    };
    for (const RoundCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " by " << c.granularity);
        std::uint32_t rounded = 0;
        EXPECT_EQ(c.fits, RoundUpToGranularity(c.size, c.granularity, rounded));
        if (c.fits) {
            EXPECT_EQ(c.rounded, rounded);
        }
    }
}

}  // namespace
