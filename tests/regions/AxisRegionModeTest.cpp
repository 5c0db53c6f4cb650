// What the axis region offers besides drawing: the mode table, the caption's multiplier
// suffix, scaling and measuring for the layout, and the mapping it sets up.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

#include "platform/Locale.h"
#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"

namespace vtg {
namespace {

struct AxisRegionModeTest : test::PlotFixture, testing::Test {
    CPlotAxisRgn& Y() { return *Plot().YAxisRgns[0]; }
};

TEST_F(AxisRegionModeTest, ModeTableSetsAxisFlags) {
    struct Row {
        int index;
        int CPlotAxis::*field;
        bool rescales;
    };
    const std::vector<Row> rows{{AxisMode::ResetRange, &CPlotAxis::ResetRange, false},
                                {AxisMode::Reverse, &CPlotAxis::Reverse, true},
                                {AxisMode::LockGrid, &CPlotAxis::LockGrid, true},
                                {AxisMode::Integer, &CPlotAxis::Integer, true}};
    for (const Row& r : rows) {
        CPlotAxis& a = *Y().Axis;
        a.*r.field = 0;
        a.NeedsRescale = 0;
        EXPECT_TRUE(Y().SetAxisMode(r.index, 7));
        EXPECT_EQ(a.*r.field, 1);
        EXPECT_EQ(Y().GetAxisMode(r.index), 1);
        EXPECT_EQ(a.NeedsRescale, r.rescales ? 1 : 0) << r.index;
        EXPECT_TRUE(Y().SetAxisMode(r.index, 0));
        EXPECT_EQ(Y().GetAxisMode(r.index), 0);
    }
    for (int index : {-1, 4, INT_MAX}) {
        EXPECT_FALSE(Y().SetAxisMode(index, 1));
        EXPECT_EQ(Y().GetAxisMode(index), std::nullopt);
    }
}

TEST_F(AxisRegionModeTest, MultiplierSuffixOnlyForPowersOfTen) {
    struct Row {
        int multiplier, type;
        std::optional<MultiplierSuffix> expected;
    };
    const std::vector<Row> rows{{3, 0, MultiplierSuffix{" x 10", "3"}},
                                {1, 0, MultiplierSuffix{" x 10", ""}},
                                {-12, 0, MultiplierSuffix{" x 10", "-12"}},
                                {0, 0, std::nullopt},
                                {3, 1, std::nullopt}};
    for (const Row& r : rows) {
        CPlotAxis a;
        a.Multiplier = r.multiplier;
        a.MultiplierType = r.type;
        EXPECT_EQ(MultiplierSuffixOf(a), r.expected) << r.multiplier;
    }
}

TEST_F(AxisRegionModeTest, ScalesForTheDrawingAreaAndMeasuresItsLabels) {
    LocaleOverride point{{".", "", ""}};
    Plot().DrawingRgn->Rect = {50, 20, 350, 220};
    CPlotAxis& a = *Y().Axis;
    a.RangeMin = 0;
    a.RangeMax = 35;
    a.NeedsRescale = 1;
    // 200 pixels at 37.5 pixels per interval for the 10-point axis font: about 5 intervals.
    Y().AutoScale(Plot());
    EXPECT_DOUBLE_EQ(a.Interval, 5);
    EXPECT_DOUBLE_EQ(a.RangeMax, 35);
    RecordingSurface dc;
    EXPECT_EQ(Y().Measure(dc, Plot()), env.MeasureText(dc, Plot().Fonts[CPlotLook::kAxisFont].Horizontal(), "35"));
}

TEST(ViewCoeffTest, MappingRoundsClampsAndWidens) {
    const CViewCoeff v = CViewCoeff::Make(50, 300, 0, 100);
    struct Row {
        double value;
        int pixel;
    };
    const std::vector<Row> rows{{0, 50},     {50, 200},    {100, 350},  {0.5, 52},  {-0.5, 48},
                                {1.0 / 6, 51}, {-1.0 / 6, 49}, {1e27, 350 + (1 << 26)}, {-1e27, 50 - (1 << 26)}};
    for (const Row& r : rows) EXPECT_EQ(v.ToPixel(r.value), r.pixel) << r.value;
    EXPECT_EQ(v.ToPixel(50, 7), 207);
    EXPECT_DOUBLE_EQ(v.FromPixel(207, 7), 50);
    // Equal bounds are widened, not divided by; an empty extent maps nothing.
    EXPECT_TRUE(CViewCoeff::Make(0, 100, 5, 5).IsValid());
    EXPECT_EQ(CViewCoeff::Make(0, 100, 5, 5).ToPixel(5), 50);
    EXPECT_TRUE(CViewCoeff::Make(0, 100, 0, 0).IsValid());
    EXPECT_FALSE(CViewCoeff::Make(0, 0, 0, 1).IsValid());
    EXPECT_DOUBLE_EQ(CViewCoeff::Make(0, 0, 3, 4).FromPixel(10), 3);

    CPlotEnv env;
    env.SetView({50, 20, 350, 220}, 0, 10, 100, 0);
    env.SetYRange(-1, 1);
    EXPECT_EQ(env.ViewY.ToPixel(1), 20);
    EXPECT_EQ(env.ViewY.ToPixel(-1), 220);
    EXPECT_EQ(env.ViewX.ToPixel(100), 350);
}

}  // namespace
}  // namespace vtg
