// Object ids: creation order up to the first wrap, skipping ids in use after it, and a search
// that ends when every id is taken.
#include <gtest/gtest.h>

#include <set>

#include "objects/ObjectIdAllocator.h"

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

}  // namespace
}  // namespace vtg
