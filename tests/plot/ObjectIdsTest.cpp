// Object ids: creation order up to the first wrap, skipping ids in use after it, a search
// that ends when every id is taken, and the plot's index of the ids its objects use.
#include <gtest/gtest.h>

#include <set>

#include "objects/CPlotObj.h"
#include "objects/ObjectIdAllocator.h"
#include "objects/PlotObjectList.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

TEST(ObjectIdsTest, IdsRunFromTheFirstInCreationOrder) {
    ObjectIdAllocator ids;
    std::set<int> used{101, 102};
    // Before the first wrap nothing is checked: ids are simply the next ones.
    EXPECT_EQ(ids.Allocate([&](int id) { return used.count(id) != 0; }), 101);
    EXPECT_EQ(ids.Allocate(nullptr), 102);
    ids.Counter = 31999;
    EXPECT_EQ(ids.Allocate(nullptr), 32100);
}

TEST(ObjectIdsTest, AfterAWrapIdsInUseAreSkipped) {
    ObjectIdAllocator ids;
    ids.Counter = 32000;
    std::set<int> used{101, 102, 104};
    EXPECT_EQ(ids.Allocate([&](int id) { return used.count(id) != 0; }), 103);
    EXPECT_EQ(ids.Wrapped, 1);
    EXPECT_EQ(ids.Allocate([&](int id) { return used.count(id) != 0; }), 105);
}

TEST(ObjectIdsTest, WhenEveryIdIsTakenTheSearchEndsWithNone) {
    ObjectIdAllocator ids;
    ids.Counter = 32000;
    int asked = 0;
    EXPECT_EQ(ids.Allocate([&](int) {
        ++asked;
        return true;
    }),
              0);
    EXPECT_EQ(asked, 32000);
    // One id freed is found again.
    EXPECT_EQ(ids.Allocate([](int id) { return id != 5000; }), 5000);
}

TEST(ObjectIdsTest, AGivenIdIsKeptOnlyWhenItIsAFreeObjectId) {
    ObjectIdAllocator ids;
    const std::set<int> used{150};
    auto inUse = [&](int id) { return used.count(id) != 0; };
    EXPECT_EQ(ids.Claim(500, inUse), 500);
    // New ids continue after a kept one, so that it is not handed out again.
    EXPECT_EQ(ids.Claim(150, inUse), 501);
    EXPECT_EQ(ids.Claim(3, inUse), 502);
    EXPECT_EQ(ids.Claim(100, inUse), 503);
    EXPECT_EQ(ids.Claim(0, inUse), 504);
    EXPECT_EQ(ids.Claim(-7, inUse), 505);
    // Ids beyond the allocated range are kept without moving the counter.
    EXPECT_EQ(ids.Claim(32767, inUse), 32767);
    EXPECT_EQ(ids.Claim(40000, inUse), 506);
    // A kept id below the counter leaves it where it is.
    EXPECT_EQ(ids.Claim(200, inUse), 200);
    EXPECT_EQ(ids.Allocate(inUse), 507);
}

TEST(ObjectIdsTest, AKeptIdIsNeverAllocatedBeforeTheWrap) {
    ObjectIdAllocator ids;
    std::set<int> used;
    auto inUse = [&](int id) { return used.count(id) != 0; };
    used.insert(ids.Claim(103, inUse));
    for (int k = 0; k < 5; ++k) {
        const int id = ids.Allocate(inUse);
        EXPECT_TRUE(used.insert(id).second) << id << " was handed out twice";
    }
}

std::unique_ptr<CPlotObj> Plain(int id) { return std::make_unique<CPlotObj>(id, PlotObjKind::Plain); }

TEST(ObjectListTest, TheIndexFollowsEveryChangeOfTheList) {
    PlotObjectList list;
    for (int id : {101, 205, 101, 32100, 40000}) list.push_back(Plain(id));
    CPlotObj* first = list[0].get();
    // Of two objects with one id the first is found, as a search in order finds it.
    EXPECT_EQ(list.Find(101), first);
    EXPECT_EQ(list.Find(205), list[1].get());
    EXPECT_EQ(list.Find(999), nullptr);
    EXPECT_EQ(list.Take(101).get(), first);
    EXPECT_EQ(list.Find(101), list[1].get());
    EXPECT_EQ(list.EraseIf([](const auto& o) { return o->Id > 30000; }), 2u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->Id, 205);
    EXPECT_EQ(list.Find(32100), nullptr);
    EXPECT_EQ(list.Take(32100), nullptr);
    EXPECT_EQ(list.Take(101)->Id, 101);
    EXPECT_EQ(list.Find(101), nullptr);
    list.clear();
    EXPECT_EQ(list.Find(205), nullptr);
    EXPECT_TRUE(list.empty());
}

TEST(ObjectListTest, EveryAllocatableIdInUseIsKnownWithoutASearch) {
    PlotObjectList list;
    for (int id = ObjectIdAllocator::kFirstId; id < ObjectIdAllocator::kLastId; ++id) list.push_back(Plain(id));
    // Ids outside the allocator's range and a second object with an id count for nothing.
    for (int id : {100, 32101, 500}) list.push_back(Plain(id));
    EXPECT_FALSE(list.AllocatableIdsTaken());
    list.push_back(Plain(ObjectIdAllocator::kLastId));
    EXPECT_TRUE(list.AllocatableIdsTaken());
    list.Take(500);
    EXPECT_TRUE(list.AllocatableIdsTaken()) << "the other object with id 500 remains";
    list.Take(500);
    EXPECT_FALSE(list.AllocatableIdsTaken());
    list.push_back(Plain(500));
    list.EraseIf([](const auto& o) { return o->Id == 101; });
    EXPECT_FALSE(list.AllocatableIdsTaken());
}

// A host that counts how often the id allocator asks whether an id is in use.
struct CountingHost : test::FakePlotHost {
    int AllocateObjectId(const std::function<bool(int)>& inUse) override {
        return ids.Allocate([&](int id) { return ++asked, inUse(id); });
    }
    int ClaimObjectId(int given, const std::function<bool(int)>& inUse) override {
        return ids.Claim(given, [&](int id) { return ++asked, inUse(id); });
    }
    int asked = 0;
};

TEST(PlotObjectIdsTest, WhenEveryIdIsTakenNewObjectsAreRefusedAtOnce) {
    CDrawTool tool;
    CPlotEnv env;
    env.Tools = &tool;
    CountingHost host;
    CPlotLook plot(env, host);
    constexpr int kPlain = 3;
    while (plot.CreateObject(kPlain, 0) != 0) {
    }
    ASSERT_EQ(plot.Objects.size(), static_cast<std::size_t>(ObjectIdAllocator::kIdCount));
    host.asked = 0;
    EXPECT_EQ(plot.CreateObject(kPlain, 0), 0);
    EXPECT_EQ(plot.CreateObject(kPlain, 5000), 0);
    EXPECT_EQ(plot.AddTextObject("t", 0.5f, 0.5f, 0, 0, "", 10, 0), 0);
    EXPECT_EQ(host.asked, 0);
    // A free id beyond the allocator's range is still kept.
    EXPECT_EQ(plot.CreateObject(kPlain, 32500), 32500);
    // An id given back is found again.
    plot.SetObjectFlags(7777, -1, 0);
    EXPECT_EQ(plot.CreateObject(kPlain, 0), 7777);
    EXPECT_EQ(plot.FindObject(7777)->Kind, PlotObjKind::Plain);
}

}  // namespace
}  // namespace vtg
