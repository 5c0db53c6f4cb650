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
    EXPECT_EQ(ids.Claim(150, inUse), 101);
    EXPECT_EQ(ids.Claim(3, inUse), 102);
    EXPECT_EQ(ids.Claim(100, inUse), 103);
    EXPECT_EQ(ids.Claim(0, inUse), 104);
    EXPECT_EQ(ids.Claim(-7, inUse), 105);
    EXPECT_EQ(ids.Claim(32767, inUse), 32767);
    EXPECT_EQ(ids.Claim(40000, inUse), 106);
}

}  // namespace
}  // namespace vtg
