// Tick labels, the ticks an axis draws and its grid positions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "axes/CPlotAxis.h"
#include "axes/TickLayout.h"
#include "platform/Locale.h"

namespace vtg {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TickLabelTest : testing::Test {
    LocaleOverride point{{".", "", ""}};

    static CPlotAxis Axis(double lo, double hi, double interval, int scale = 0, int triangleKind = 0) {
        CPlotAxis a(triangleKind);
        a.Scale = scale;
        a.RangeMin = lo;
        a.RangeMax = hi;
        a.Interval = interval;
        a.NeedsRescale = 0;
        return a;
    }
};

TEST_F(TickLabelTest, LabelValuesMultipliersAndNoValue) {
    struct Row {
        int scale, multiplier, multiplierType;
        double value, interval;
        std::string expected;
    };
    const std::vector<Row> rows{
        {0, 0, 0, 1234567, 1e5, "1.23457e+6"},
        {0, 0, 0, 0.0001, 1e-4, "1e-4"},
        {0, 0, 0, 0.001, 1e-3, "0.001"},
        {0, 0, 0, 3 * 0.1 - 0.3, 0.1, "0"},       // a summing residue near zero
        {0, 3, 0, 2, 1, "2000"},
        {0, -2, 0, 5, 1, "0.05"},
        {0, 3, 1, 2.5, 0.5, "7.5"},               // a plain factor
        {0, 400, 0, 2, 1, "1/0"},                 // 10^400 is no number
        {0, 0, 0, kNaN, 1, "1/0"},
        {2, 0, 0, 0.5, 0.25, "2"},                // reciprocal: mapped back
        {2, 0, 0, 1e-9, 0.25, "1/0"},             // the pole of a reciprocal axis has no value
        {1, 0, 0, 100, 0, "100"},                 // list scales take data values
    };
    for (const Row& r : rows) {
        CPlotAxis a = Axis(0, 1, r.interval, r.scale);
        a.Multiplier = r.multiplier;
        a.MultiplierType = r.multiplierType;
        EXPECT_EQ(a.FormatTickLabel(r.value, r.interval, false), r.expected) << r.value;
    }
}

TEST_F(TickLabelTest, ReciprocalTicksAreDoubledAndListTicksMapped) {
    const AxisTicks inverse = Axis(0.1, 1, 1e-12, 2).DrawnTicks();
    EXPECT_EQ(inverse.values.size(), 33u);
    EXPECT_NEAR(inverse.interval, 0.274877906944, 1e-9);    // 1e-12 doubled to at most 50 per range
    CPlotAxis log = Axis(1, 100, 0, 1);
    log.TickList = {1, 2, 5, 10, 20, 50, 100};
    const AxisTicks list = log.DrawnTicks();
    EXPECT_FALSE(list.stepped);
    EXPECT_EQ(list.values.size(), 7u);
    EXPECT_DOUBLE_EQ(list.positions[3], 1);
}

TEST_F(TickLabelTest, GridPositionsUseTheRawIntervalWithinBounds) {
    auto positions = [](const CPlotAxis& a) {
        std::vector<double> out;
        for (int i = 0; auto v = a.TickPosition(i); ++i) out.push_back(*v);
        return out;
    };
    EXPECT_EQ(positions(Axis(0, 1, 0.25)), (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
    EXPECT_EQ(positions(Axis(0, 1000, 1)).size(), 1001u);        // not doubled below the cap
    EXPECT_LE(positions(Axis(0.01, 10, 1e-300, 2)).size(), std::size_t(kMaxTicks) + 1);
}

}  // namespace
}  // namespace vtg
