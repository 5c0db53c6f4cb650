// Ticks as the axis region draws them: labels measured and padded to a common number of
// decimals, and the chevron marks of a triangle's base.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "axes/CPlotAxis.h"
#include "platform/Locale.h"
#include "platform/RecordingSurface.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotEnv.h"

namespace vtg {
namespace {

struct TickDrawTest : testing::Test {
    LocaleOverride point{{".", "", ""}};
    CDrawTool tool;
    CPlotEnv env;
    RecordingSurface dc;
    TickDrawTest() { env.Tools = &tool; }

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
        MeasureAxisTickLabels(dc, a, env, nullptr);
        const AxisTicks ticks = a.DrawnTicks();
        std::vector<std::string> out;
        for (double v : ticks.values) out.push_back(a.FormatTickLabel(v, ticks.interval, true));
        return out;
    }
};

TEST_F(TickDrawTest, MeasuringSetsTheDecimalsEveryLabelIsPaddedTo) {
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
    const Size largest = MeasureAxisTickLabels(dc, wide, env, nullptr);
    EXPECT_EQ(largest, env.MeasureText(dc, nullptr, "2000"));

    // Measured as drawn: on a list scale "99" is padded to "99.0" beside "0.1", and the axis
    // must be wide enough for the padded text.
    CPlotAxis probability = Axis(0.1, 99, 0, 3);
    probability.TickList = {0.1, 1, 50, 99};
    EXPECT_EQ(MeasureAxisTickLabels(dc, probability, env, nullptr), env.MeasureText(dc, nullptr, "99.0"));
}

TEST_F(TickDrawTest, EquilateralBaseTicksAreChevronsClearOfTheCorners) {
    CPlotAxis side = Axis(0, 1, 0.25, 0, 1);
    env.SetView({0, 0, 100, 100}, 0, 1, 1, 0);
    DrawAxisTicks(dc, side, env, nullptr, 120, 100, false, false);
    const auto marks = dc.CallsOf(DrawOp::Polyline);
    ASSERT_EQ(marks.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const int x = 25 * static_cast<int>(i + 1);
        EXPECT_EQ(marks[i].points, (std::vector<Point>{{x - 3, 95}, {x, 100}, {x + 3, 95}}));
    }
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"0.25", "0.5", "0.75"}));
}

}  // namespace
}  // namespace vtg
