// What the text regions measure for the layout: captions with their multiplier suffix in the
// horizontal or rotated font, title and corner lines, and the legend's items, margins and
// proportions. Expected sizes come from measuring the expected text with the same font.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/RecordingSurface.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {
namespace {

struct MeasureTest : test::PlotFixture, testing::Test {
    RecordingSurface dc;
    Size Extent(const std::string& text, int slot, bool vertical = false) {
        const CPlotFont& set = plot->Fonts[static_cast<std::size_t>(slot)];
        return env.MeasureText(dc, vertical ? set.Vertical() : set.Horizontal(), text);
    }
};

TEST_F(MeasureTest, CaptionsRunUpwardsOnTheSideOfTheVerticalAxes) {
    CPlotLook& p = Plot();
    p.SetLabel(0, "Time of day");
    p.SetLabel(1, "Flow rate");
    const Size x = Extent("Time of day", CPlotLook::kLabelFont);
    const Size y = Extent("Flow rate", CPlotLook::kLabelFont, true);
    ASSERT_GT(x.cx, x.cy);
    ASSERT_GT(y.cx, y.cy);

    EXPECT_FALSE(p.XLabelRgn->IsVertical(p));
    EXPECT_TRUE(p.YLabelRgns[0]->IsVertical(p));
    EXPECT_EQ(p.XLabelRgn->Measure(dc, p), x);
    EXPECT_EQ(p.YLabelRgns[0]->Measure(dc, p), (Size{y.cy, y.cx}));

    p.Flipped = 1;
    EXPECT_TRUE(p.XLabelRgn->IsVertical(p));
    EXPECT_FALSE(p.YLabelRgns[0]->IsVertical(p));
    const Size xVertical = Extent("Time of day", CPlotLook::kLabelFont, true);
    EXPECT_EQ(p.XLabelRgn->Measure(dc, p), (Size{xVertical.cy, xVertical.cx}));
    EXPECT_EQ(p.YLabelRgns[0]->Measure(dc, p), Extent("Flow rate", CPlotLook::kLabelFont));
    EXPECT_FALSE(p.TitleRgn->IsVertical(p));
}

TEST_F(MeasureTest, CaptionsCarryTheirAxisMultiplier) {
    struct Row {
        int multiplier;
        int type;
        const char* suffix;
    };
    const Row rows[] = {{3, 0, " x 103"}, {1, 0, " x 10"}, {-2, 0, " x 10-2"}, {0, 0, ""}, {3, 1, ""}};
    CPlotLook& p = Plot();
    p.SetLabel(0, "Mass");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.suffix);
        CPlotAxis& axis = *p.XAxisRgn->Axis;
        axis.Multiplier = row.multiplier;
        axis.MultiplierType = row.type;
        EXPECT_EQ(CaptionSuffixText(&axis), row.suffix);
        EXPECT_EQ(p.XLabelRgn->Measure(dc, p), Extent(std::string("Mass") + row.suffix, CPlotLook::kLabelFont));
    }
    EXPECT_EQ(CaptionSuffixText(nullptr), "");
    // A caption bound to no axis measures its text alone.
    p.XLabelRgn->AxisNumber = 9;
    EXPECT_EQ(p.XLabelRgn->Measure(dc, p), Extent("Mass", CPlotLook::kLabelFont));
}

TEST_F(MeasureTest, TitleLinesStackAndTheWidestCounts) {
    struct Row {
        const char* text;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"Plant", {"Plant"}},
        {"Plant\rUnit 2", {"Plant", "Unit 2"}},
        {"Plant\nUnit 2", {"Plant", "Unit 2"}},
        {"Plant\r\nUnit 2\rW", {"Plant", "Unit 2", "W"}},
        {"Plant\r\n", {"Plant"}},
        {"A\r\rB", {"A", "", "B"}},
        {"", {""}},
    };
    CPlotLook& p = Plot();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        p.TitleRgn->Label.Text = row.text;
        Size expected;
        for (const std::string& line : row.lines) {
            const Size s = Extent(line, CPlotLook::kTitleFont);
            expected.cx = std::max(expected.cx, s.cx);
            expected.cy += s.cy;
        }
        EXPECT_EQ(p.TitleRgn->Measure(dc, p), expected);
        EXPECT_EQ(p.TitleRgn->Lines, row.lines);
        EXPECT_EQ(p.TitleRgn->LineCount, static_cast<int>(row.lines.size()));
        EXPECT_EQ(p.TitleRgn->FirstLineHeight, Extent(row.lines.front(), CPlotLook::kTitleFont).cy);
    }
    p.SetLabel(-1, "Corner\rtwo");
    ASSERT_TRUE(p.CornerRgns[0]);
    EXPECT_EQ(p.CornerRgns[0]->Measure(dc, p).cy, 2 * Extent("Corner", CPlotLook::kLabelFont).cy);
}

struct LegendMeasureTest : MeasureTest {
    LegendMeasureTest() {
        plot->SetVariableCount(3);
        plot->SetLegend(1, "Feed");
        plot->SetLegend(2, "Product stream");
        plot->SetLegend(3, "Hidden");
        plot->SetHidden(2, 1);
    }
    CPlotLegendRgn& Legend() { return *plot->LegendRgn; }
};

TEST_F(LegendMeasureTest, ItemsAreVisibleVariablesWithALegendText) {
    CPlotLegendRgn& legend = Legend();
    legend.ItemSpacing = 1.5f;
    const Size feed = Extent("Feed", CPlotLook::kLegendFont);
    const Size product = Extent("Product stream", CPlotLook::kLegendFont);
    const Size size = legend.Measure(dc, Plot());
    EXPECT_EQ(legend.ItemCount, 2);
    EXPECT_EQ(legend.Shown, 1);
    EXPECT_EQ(legend.Measured, 1);
    EXPECT_EQ(size, (Size{legend.Width, legend.Height}));
    EXPECT_EQ(legend.Width, product.cx + 3 * 6 + 20);
    EXPECT_EQ(legend.Height, feed.cy + static_cast<int>(std::trunc(product.cy * 1.5 + 0.5)) + 2 * 6);
    EXPECT_EQ(legend.MinWidth, product.cx + 3 * 6 + 10);
    EXPECT_EQ(legend.MinHeight, feed.cy + static_cast<int>(std::trunc(product.cy * 0.8 + 0.5)) + 2 * 6);

    // Texts carry their axis's multiplier.
    Plot().YAxisRgns[0]->Axis->Multiplier = 12;
    legend.MarkForLayout();
    legend.Measure(dc, Plot());
    EXPECT_EQ(legend.Width, Extent("Product stream x 1012", CPlotLook::kLegendFont).cx + 38);
}

TEST_F(LegendMeasureTest, MeasuresTheItemsAsTheyAreNowAtEveryCall) {
    CPlotLegendRgn& legend = Legend();
    const Size first = legend.Measure(dc, Plot());
    // Changed behind the plot's back, without anyone marking the legend.
    Plot().YVar(0)->Label.Text = "A much longer feed name";
    EXPECT_GT(legend.Measure(dc, Plot()).cx, first.cx);
    Plot().YVar(2)->Hidden = 0;
    legend.Measure(dc, Plot());
    EXPECT_EQ(legend.ItemCount, 3);
    Plot().YVar(0)->Label.Text = "Feed";
    Plot().YVar(2)->Hidden = 1;
    EXPECT_EQ(legend.Measure(dc, Plot()), first);
    EXPECT_EQ(legend.ItemCount, 2);

    const int width = legend.Width;
    env.OutputScale = 6;
    legend.Measure(dc, Plot());
    // Every unit length six times larger; the texts at least six times as wide (as drawn in
    // the scaled font they may be wider).
    EXPECT_EQ(legend.Width - legend.WidestText, 6 * (3 * 6 + 20));
    EXPECT_GE(legend.Width, 6 * width);
}

TEST_F(LegendMeasureTest, WithoutItemsOnlyTheMarginsRemainAtLeastTwentyPixels) {
    for (int i = 0; i < 3; ++i) Plot().YVar(i)->Label.Text.clear();
    Legend().Measure(dc, Plot());
    EXPECT_EQ(Legend().ItemCount, 0);
    EXPECT_EQ(Legend().Width, 3 * 6 + 20);
    // Two margins are 12 pixels: the box keeps the 20 a resize stops at.
    EXPECT_EQ(Legend().Height, 20);
    EXPECT_EQ(Legend().MinHeight, 20);
    Legend().Margin = 12;
    Legend().Measure(dc, Plot());
    EXPECT_EQ(Legend().Height, 2 * 12);
}

TEST_F(LegendMeasureTest, AbsurdProportionsAreMeasuredWithTheDefaults) {
    const Size normal = Legend().Measure(dc, Plot());
    struct Row {
        int sample;
        float spacing;
        int margin;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Row rows[] = {{-5, nan, -1}, {100000, 1e30f, 1000000}, {INT_MIN, -1.0f, INT_MAX}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sample);
        Legend().SampleLength = row.sample;
        Legend().ItemSpacing = row.spacing;
        Legend().Margin = row.margin;
        Legend().MarkForLayout();
        EXPECT_EQ(Legend().Measure(dc, Plot()), normal);
    }
}

}  // namespace
}  // namespace vtg
