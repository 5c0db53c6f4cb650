// Tick arithmetic: usable intervals, stepped tick values, spacing of marks and label thinning.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "axes/TickLayout.h"

namespace vtg {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(TickLayoutTest, UsableIntervalDoublesAndReplacesUnusableSteps) {
    struct Row {
        double c, span, max;
        std::optional<double> expected;
    };
    const std::vector<Row> rows{
        {1, 1000, 50, 32},          // 1000 / 32 is the first count <= 50
        {5, 35, 50, 5},
        {0, 1000, 50, 100},         // automatic: a tenth of the span
        {-2, 1000, 50, 100},        // negative, NaN and infinite steps never run away
        {kNaN, 1000, 50, 100},
        {kInf, 1000, 50, 100},
        {1, 0, 50, std::nullopt},   // nothing to step over
        {1, kNaN, 50, std::nullopt},
        {1, kInf, 50, std::nullopt},
    };
    for (const Row& r : rows) EXPECT_EQ(UsableInterval(r.c, r.span, r.max), r.expected) << r.c << " over " << r.span;
    const std::optional<double> tiny = UsableInterval(1e-300, 1, kMaxTicks);
    ASSERT_TRUE(tiny);
    EXPECT_LE(1 / *tiny, kMaxTicks);
}

TEST(TickLayoutTest, SteppedTicksPerStepping) {
    struct Row {
        TickStepping s;
        double e, g, c;
        std::vector<double> expected;
    };
    const std::vector<Row> rows{
        {TickStepping::Linear, 0, 1.5, 0.5, {0, 0.5, 1, 1.5}},
        {TickStepping::Linear, 0, 1010, 32, {}},    // checked by count below
        {TickStepping::Triangular, 0, 1, 0.25, {0.25, 0.5, 0.75}},
        {TickStepping::Inverse, 0.1, 1, 0.25, {0.1, 0.25, 0.5, 0.75, 1}},
        // Negative reciprocal values step to the very next multiple too.
        {TickStepping::Inverse, -1, -0.25, 0.25, {-1, -0.75, -0.5, -0.25}},
        {TickStepping::Linear, 1, 0, 0.5, {}},
        {TickStepping::Linear, 0, 1, -0.5, {}},
        {TickStepping::Linear, kNaN, 1, 0.5, {}},
    };
    for (const Row& r : rows) {
        const std::vector<double> ticks = SteppedTicks(r.s, r.e, r.g, r.c);
        if (r.e == 0 && r.g == 1010) {
            // The last tick may lie up to half a step past the end.
            EXPECT_EQ(ticks.size(), 33u);
            EXPECT_DOUBLE_EQ(ticks.back(), 1024);
            continue;
        }
        ASSERT_EQ(ticks.size(), r.expected.size()) << r.e << ".." << r.g;
        for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], r.expected[i], 1e-12);
    }
    // A step too small to move the start cannot stall or run away.
    EXPECT_EQ(SteppedTicks(TickStepping::Linear, 1e20, 1e20 + 1e6, 100).size(), std::size_t(kMaxTicks));
    EXPECT_EQ(SteppedTicks(TickStepping::Inverse, 0, 1, 1e-9).size(), std::size_t(kMaxTicks));
}

TEST(TickLayoutTest, OverlappingLabelsThinToEveryNth) {
    const std::vector<int> centres{0, 30, 60, 90, 120, 150};
    struct Row {
        int width;
        int run;
    };
    // Labels 30 apart: 30 wide just fit, 40 need every 2nd, 70 every 3rd.
    for (const Row& r : std::vector<Row>{{20, 0}, {30, 0}, {40, 1}, {70, 2}, {200, 5}}) {
        const std::vector<int> sizes(centres.size(), r.width);
        EXPECT_EQ(LongestOverlapRun(centres, sizes), r.run) << r.width;
    }
    // The longest run counts, though later labels would fit.
    EXPECT_EQ(LongestOverlapRun(centres, std::vector<int>{70, 70, 70, 10, 10, 10}), 2);
    EXPECT_EQ(ListLabelsShown(centres, std::vector<int>(6, 40)),
              (std::vector<bool>{true, false, true, false, true, false}));
}

TEST(TickLayoutTest, FirstLabelledTick) {
    struct Row {
        double v0, c;
        int t;
        bool triangular;
        int expected;
    };
    const std::vector<Row> rows{
        {0, 1, 1, false, 0},   {1, 1, 1, false, 1},     {-3, 1, 2, false, 0}, {-4, 1, 2, false, 1},
        {5, 1, 0, false, 0},   {0.1, 0.1, 2, true, 2},  {1e300, 1, 2, false, 0}, {kNaN, 1, 2, false, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(FirstLabelIndex(r.v0, r.c, r.t, r.triangular), r.expected) << r.v0;
}

}  // namespace
}  // namespace vtg
