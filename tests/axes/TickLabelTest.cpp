// Tick labels, padding, the ticks an axis draws and its grid positions.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "axes/CPlotAxis.h"
#include "axes/TickLayout.h"
#include "platform/Locale.h"
#include "platform/RecordingSurface.h"
#include "plot/CPlotEnv.h"
#include "regions/CDrawTool.h"

namespace vtg {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TickLabelTest : testing::Test {
    LocaleOverride point{{".", "", ""}};
    CDrawTool tool;
    CPlotEnv env;
    RecordingSurface dc;
    TickLabelTest() { env.Tools = &tool; }

    static CPlotAxis Axis(double lo, double hi, double interval, int scale = 0, int triangleKind = 0) {
        CPlotAxis a(triangleKind);
        a.Scale = scale;
        a.RangeMin = lo;
        a.RangeMax = hi;
        a.Interval = interval;
        a.NeedsRescale = 0;
        return a;
    }
    std::vector<std::string> PaddedLabels(CPlotAxis& a) {
        a.MeasureTickLabels(dc, env, nullptr);
        const AxisTicks ticks = a.DrawnTicks();
        std::vector<std::string> out;
        for (double v : ticks.values) out.push_back(a.FormatTickLabel(v, ticks.interval, true));
        return out;
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

TEST_F(TickLabelTest, MeasuringSetsTheDecimalsEveryLabelIsPaddedTo) {
    CPlotAxis plain = Axis(0, 1.5, 0.5);
    EXPECT_EQ(PaddedLabels(plain), (std::vector<std::string>{"0.0", "0.5", "1.0", "1.5"}));
    EXPECT_EQ(plain.LabelDecimals, 1);

    CPlotAxis exponents = Axis(0.0001, 0.0003, 0.00005);
    EXPECT_EQ(PaddedLabels(exponents), (std::vector<std::string>{"1.0e-4", "1.5e-4", "2.0e-4", "2.5e-4", "3.0e-4"}));
    EXPECT_EQ(exponents.MantissaDecimals, 1);

    LocaleOverride comma{{",", "", ""}};
    EXPECT_EQ(PaddedLabels(plain), (std::vector<std::string>{"0,0", "0,5", "1,0", "1,5"}));

    // The extent is the largest label's, at least that of "0".
    CPlotAxis wide = Axis(0, 2000, 500);
    const Size largest = wide.MeasureTickLabels(dc, env, nullptr);
    EXPECT_EQ(largest, env.MeasureText(dc, nullptr, "2000"));

    // Measured as drawn: on a list scale "99" is padded to "99.0" beside "0.1", and the axis
    // must be wide enough for the padded text.
    CPlotAxis probability = Axis(0.1, 99, 0, 3);
    probability.TickList = {0.1, 1, 50, 99};
    EXPECT_EQ(probability.MeasureTickLabels(dc, env, nullptr), env.MeasureText(dc, nullptr, "99.0"));
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

TEST_F(TickLabelTest, EquilateralBaseTicksAreChevronsClearOfTheCorners) {
    CPlotAxis side = Axis(0, 1, 0.25, 0, 1);
    env.SetView({0, 0, 100, 100}, 0, 1, 1, 0);
    side.DrawTicks(dc, env, nullptr, 120, 100, false, false);
    const auto marks = dc.CallsOf(DrawOp::Polyline);
    ASSERT_EQ(marks.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const int x = 25 * static_cast<int>(i + 1);
        EXPECT_EQ(marks[i].points, (std::vector<Point>{{x - 3, 95}, {x, 100}, {x + 3, 95}}));
    }
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"0.25", "0.5", "0.75"}));
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
