// The instance list between real processes: copies of the stand-in product
// (which list themselves through the same manager) and, where a case says
// so, a manager in this test process. This program builds no manager of its
// own otherwise, so the list holds exactly what each case puts there.
#include "app/product_profile.h"
#include "instances/instance_manager.h"
#include "shared_block.h"
#include "support/sandbox.h"
#include "support/stand_in_process.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Ids = std::vector<std::uint32_t>;
using Lines = std::vector<std::string>;

const std::string productInstance = ProductProfile::instanceManagerName;

std::string Added(DWORD id) { return "added " + std::to_string(id); }
std::string Removed(DWORD id) { return "removed " + std::to_string(id); }

class InstanceList : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The list exists only while someone holds it; a case that found one
        // would be counting a process left over from elsewhere.
        ASSERT_FALSE(SharedBlock::Exists(productInstance)) << "an instance list is still held";
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "pictorel-instances-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    void TearDown() override
    {
        copies_.clear();
        RemoveTree(folder_);
    }

    // One more copy of the stand-in, running with its window; null if it
    // did not get that far.
    StandInProcess* StartCopy()
    {
        copies_.push_back(std::make_unique<StandInProcess>());
        std::string record = folder_ + "\\copy" + std::to_string(copies_.size()) + ".txt";
        return copies_.back()->Start(StandInPath(), "", record) ? copies_.back().get() : nullptr;
    }

    static void ExpectList(const SharedBlock& block, const Ids& ids)
    {
        EXPECT_EQ("", BlockDifference(block.Read(), ExpectedBlock(ids)));
    }

    std::string folder_;
    std::vector<std::unique_ptr<StandInProcess>> copies_;
};

TEST_F(InstanceList, CopiesJoinInOrderAndLeaveWithoutDisturbingTheOthers)
{
    StandInProcess* a = StartCopy();
    ASSERT_NE(nullptr, a);
    EXPECT_TRUE(a->HasRecord("listed 1"));
    SharedBlock block(productInstance);
    ASSERT_TRUE(block.Open());
    ExpectList(block, {a->Id()});

    StandInProcess* b = StartCopy();
    ASSERT_NE(nullptr, b);
    StandInProcess* c = StartCopy();
    ASSERT_NE(nullptr, c);
    EXPECT_TRUE(b->HasRecord("listed 2"));
    EXPECT_TRUE(c->HasRecord("listed 3"));
    ExpectList(block, {a->Id(), b->Id(), c->Id()});
    for (StandInProcess* copy : {a, b, c}) ASSERT_TRUE(copy->Settle());
    EXPECT_EQ((Lines{Added(b->Id()), Added(c->Id())}), a->Notifications());
    EXPECT_EQ((Lines{Added(c->Id())}), b->Notifications());
    EXPECT_EQ(Lines{}, c->Notifications());

    // The middle one leaves.
    ASSERT_TRUE(b->Close());
    EXPECT_TRUE(b->HasRecord("close 1001"));
    EXPECT_TRUE(b->HasRecord("exit"));
    ExpectList(block, {a->Id(), c->Id()});
    for (StandInProcess* copy : {a, c}) ASSERT_TRUE(copy->Settle());
    EXPECT_EQ((Lines{Added(b->Id()), Added(c->Id()), Removed(b->Id())}), a->Notifications());
    EXPECT_EQ((Lines{Removed(b->Id())}), c->Notifications());
    EXPECT_EQ((Lines{Added(c->Id())}), b->Notifications());

    ASSERT_TRUE(a->Close());
    ExpectList(block, {c->Id()});
    ASSERT_TRUE(c->Settle());
    EXPECT_EQ((Lines{Removed(b->Id()), Removed(a->Id())}), c->Notifications());
    ASSERT_TRUE(c->Close());
    ExpectList(block, {});
}

TEST_F(InstanceList, AKilledCopyStaysListed)
{
    StandInProcess* a = StartCopy();
    ASSERT_NE(nullptr, a);
    StandInProcess* b = StartCopy();
    ASSERT_NE(nullptr, b);
    SharedBlock block(productInstance);
    ASSERT_TRUE(block.Open());
    DWORD killed = a->Id();
    ASSERT_TRUE(a->Kill());
    ExpectList(block, {killed, b->Id()});

    StandInProcess* c = StartCopy();
    ASSERT_NE(nullptr, c);
    EXPECT_TRUE(c->HasRecord("listed 3"));
    ExpectList(block, {killed, b->Id(), c->Id()});
    ASSERT_TRUE(b->Settle());
    EXPECT_EQ((Lines{Added(c->Id())}), b->Notifications());

    ASSERT_TRUE(b->Close());
    ASSERT_TRUE(c->Close());
    ExpectList(block, {killed});
}

TEST_F(InstanceList, AFullListTakesNoMoreAndKeepsWhatItHas)
{
    // An existing list is opened, never reset: 999 ids that no process can
    // have (process ids are multiples of 4) stay in their slots.
    SharedBlock block(productInstance);
    ASSERT_TRUE(block.Create());
    Ids ids;
    for (std::uint32_t i = 0; i < 999; ++i) ids.push_back(0x40000001 + 2 * i);
    block.Fill(ids);

    StandInProcess* last = StartCopy();
    ASSERT_NE(nullptr, last);
    EXPECT_TRUE(last->HasRecord("listed 1000"));
    ids.push_back(last->Id());
    ExpectList(block, ids);

    StandInProcess* refused = StartCopy();
    ASSERT_NE(nullptr, refused);
    EXPECT_TRUE(refused->HasRecord("listed 1000"));
    ExpectList(block, ids);

    // A killed copy keeps its slot; the list still does not grow.
    ASSERT_TRUE(last->Kill());
    StandInProcess* another = StartCopy();
    ASSERT_NE(nullptr, another);
    EXPECT_TRUE(another->HasRecord("listed 1000"));
    ExpectList(block, ids);

    // Leaving takes out nothing that was not listed.
    ASSERT_TRUE(refused->Close());
    ASSERT_TRUE(another->Close());
    ExpectList(block, ids);
}

TEST_F(InstanceList, AManagerInThisProcessCountsItselfAndSizesTheMapping)
{
    const DWORD self = GetCurrentProcessId();
    {
        COXInstanceManager manager(productInstance.c_str(), ProductProfile::instanceAdditionalAreaSize);
        ASSERT_FALSE(manager.Failed());
        EXPECT_EQ(1, manager.CountInstances());
        Ids ids{7, 7, 7, 7};
        EXPECT_TRUE(manager.ListInstances(ids));
        EXPECT_EQ(Ids{self}, ids);

        SharedBlock block(productInstance);
        ASSERT_TRUE(block.Open());
        ExpectList(block, {self});
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        const DWORD unit = info.dwAllocationGranularity;
        EXPECT_EQ((4008 + unit - 1) / unit * unit, manager.ListAreaSize());
        EXPECT_EQ((1024 + unit - 1) / unit * unit, manager.AdditionalAreaSize());
        EXPECT_EQ(manager.ListAreaSize() + manager.AdditionalAreaSize(), block.MappingSize());
        for (const char* prefix : {COXInstanceManager::listMutexPrefix, COXInstanceManager::additionalMutexPrefix}) {
            KernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, (prefix + productInstance).c_str()));
            EXPECT_TRUE(mutex.IsValid()) << prefix;
        }
    }
    // Destroyed: out of the list, and every handle closed, so nothing is left.
    EXPECT_FALSE(SharedBlock::Exists(productInstance));
    for (const char* prefix : {COXInstanceManager::listMutexPrefix, COXInstanceManager::additionalMutexPrefix}) {
        KernelHandle mutex(OpenMutexA(SYNCHRONIZE, FALSE, (prefix + productInstance).c_str()));
        EXPECT_FALSE(mutex.IsValid()) << prefix;
    }
}

TEST_F(InstanceList, AManagerInThisProcessJoinsRunningCopies)
{
    StandInProcess* copy = StartCopy();
    ASSERT_NE(nullptr, copy);
    const DWORD self = GetCurrentProcessId();
    {
        COXInstanceManager manager(productInstance.c_str(), ProductProfile::instanceAdditionalAreaSize);
        EXPECT_EQ(2, manager.CountInstances());
        Ids ids;
        EXPECT_TRUE(manager.ListInstances(ids));
        EXPECT_EQ((Ids{copy->Id(), self}), ids);
    }
    ASSERT_TRUE(copy->Settle());
    EXPECT_EQ((Lines{Added(self), Removed(self)}), copy->Notifications());
    ASSERT_TRUE(copy->Close());
}

TEST_F(InstanceList, AManagerWhoseObjectsCannotBeMadeIsInert)
{
    struct FailureCase {
        const char* what;
        const char* takenPrefix;  // a kernel object of another type holds this name
        bool failed;
    };
    const FailureCase cases[] = {
        {"list mutex", COXInstanceManager::listMutexPrefix, true},
        {"additional mutex", COXInstanceManager::additionalMutexPrefix, true},
        {"mapping", COXInstanceManager::mappingPrefix, false},
    };
    int n = 0;
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::string name = productInstance + ".inert-" + std::to_string(++n);
        KernelHandle squatter(CreateEventA(nullptr, TRUE, FALSE, (c.takenPrefix + name).c_str()));
        ASSERT_TRUE(squatter.IsValid());
        COXInstanceManager manager(name.c_str(), 1024);
        EXPECT_EQ(c.failed, manager.Failed());
        EXPECT_EQ(0, manager.CountInstances());
        Ids ids{7, 8};
        EXPECT_FALSE(manager.ListInstances(ids));
        EXPECT_EQ((Ids{7, 8}), ids);
        EXPECT_FALSE(manager.RegisterProcess(12));
        EXPECT_FALSE(manager.UnregisterProcess(GetCurrentProcessId()));
        if (c.takenPrefix != COXInstanceManager::mappingPrefix) {
            EXPECT_FALSE(SharedBlock::Exists(name));
        }
    }
}

}  // namespace
