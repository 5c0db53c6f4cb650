// Drawing an axis region: the axis line, tick marks, label placement and thinning, the
// vertical mapping it sets, the colours and restored selections, and the grid it offers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/Locale.h"
#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"

namespace vtg {
namespace {

const Rect kArea{50, 20, 350, 220};

struct AxisRegionDrawTest : test::PlotFixture, testing::Test {
    LocaleOverride point{{".", "", ""}};
    RecordingSurface dc;

    AxisRegionDrawTest() {
        Plot().DrawingRgn->Rect = kArea;
        Plot().XAxisRgn->Rect = {50, 221, 350, 240};
        Plot().YAxisRgns[0]->Rect = {10, 20, 49, 220};
        SetRange(*Plot().XAxisRgn, 0, 100, 25);
        SetRange(*Plot().YAxisRgns[0], 0, 10, 5);
        env.SetView(kArea, 0, 10, 100, 0);
    }
    static void SetRange(CPlotAxisRgn& r, double lo, double hi, double interval) {
        r.Axis->RangeMin = lo;
        r.Axis->RangeMax = hi;
        r.Axis->Interval = interval;
        r.Axis->NeedsRescale = 0;
    }
    // The drawn strokes after the axis line, as (start, end) pairs.
    std::vector<std::vector<Point>> Ticks() const {
        std::vector<std::vector<Point>> out;
        const auto lines = dc.CallsOf(DrawOp::Polyline);
        for (std::size_t i = 1; i < lines.size(); ++i) out.push_back(lines[i].points);
        return out;
    }
};

TEST_F(AxisRegionDrawTest, HorizontalAxisLineTicksAndLabels) {
    Plot().XAxisRgn->Draw(dc, Plot(), 1);
    const auto lines = dc.CallsOf(DrawOp::Polyline);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{50, 221}, {350, 221}}));
    EXPECT_EQ(lines[0].state.pen.color, Rgb(0, 0, 0));
    EXPECT_EQ(lines[0].state.pen.width, 1);
    std::vector<std::vector<Point>> expected;
    for (int x : {50, 125, 200, 275, 350}) expected.push_back({{x, 221}, {x, 216}});
    EXPECT_EQ(Ticks(), expected);
    const auto texts = dc.CallsOf(DrawOp::Text);
    ASSERT_EQ(dc.Texts(), (std::vector<std::string>{"0", "25", "50", "75", "100"}));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].points[0], (Point{expected[i][0].x, 243}));
        EXPECT_EQ(texts[i].state.textAlign, TextAlign::Bottom | TextAlign::Center);
        EXPECT_EQ(texts[i].state.bkMode, BkMode::Transparent);
        EXPECT_EQ(texts[i].state.font, Plot().Fonts[CPlotLook::kAxisFont].Horizontal()->Realize(env.FontDpi));
    }
}

TEST_F(AxisRegionDrawTest, VerticalAxisSetsItsMappingAndPlacesLabelsLeft) {
    struct Row {
        int reverse;
        int axes;       // Y axes on the plot; only the last one gets the outer offset
        std::vector<int> ys;
        int labelRight;
    };
    for (const Row& r : std::vector<Row>{{0, 1, {220, 120, 20}, 44}, {1, 1, {20, 120, 220}, 44}, {0, 2, {220, 120, 20}, 47}}) {
        if (r.axes > 1) Plot().SetAxisMap(0, r.axes);
        CPlotAxisRgn& y = *Plot().YAxisRgns[0];
        y.Rect = {10, 20, 49, 220};
        SetRange(y, 0, 10, 5);
        y.Axis->Reverse = r.reverse;
        env.SetView(kArea, 0, 999, 100, 500);       // stale: the axis must set its own
        dc.Clear();
        y.Draw(dc, Plot(), 1);
        const auto lines = dc.CallsOf(DrawOp::Polyline);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0].points, (std::vector<Point>{{49, 20}, {49, 220}}));
        const auto texts = dc.CallsOf(DrawOp::Text);
        ASSERT_EQ(texts.size(), 3u);
        const int third = env.MeasureText(dc, Plot().Fonts[CPlotLook::kAxisFont].Horizontal(), "5").cy / 3;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(lines[i + 1].points, (std::vector<Point>{{49, r.ys[i]}, {54, r.ys[i]}})) << r.reverse;
            EXPECT_EQ(texts[i].points[0], (Point{r.labelRight, r.ys[i] + third}));
            EXPECT_EQ(texts[i].state.textAlign, TextAlign::Baseline | TextAlign::Right);
        }
    }
}

TEST_F(AxisRegionDrawTest, FlippedPlotDrawsTheXAxisUpright) {
    Plot().Flipped = 1;
    Plot().XAxisRgn->Rect = {10, 20, 49, 220};
    Plot().YAxisRgns[0]->Rect = {50, 221, 350, 240};
    EXPECT_FALSE(Plot().XAxisRgn->IsHorizontal(Plot()));
    EXPECT_TRUE(Plot().YAxisRgns[0]->IsHorizontal(Plot()));
    Plot().XAxisRgn->Draw(dc, Plot(), 1);
    EXPECT_EQ(dc.CallsOf(DrawOp::Polyline)[0].points, (std::vector<Point>{{49, 20}, {49, 220}}));
    EXPECT_EQ(dc.CallsOf(DrawOp::Text)[0].points[0].x, 44);    // outer side on flipped plots
    EXPECT_EQ(env.ViewY.ToPixel(100), 20);
}

TEST_F(AxisRegionDrawTest, DenseTicksAreDoubledStoredSpacedAndThinned) {
    CPlotAxisRgn& x = *Plot().XAxisRgn;
    SetRange(x, 0, 1000, 1);
    env.SetView({50, 20, 150, 220}, 0, 10, 1000, 0);    // 32 intervals on 100 pixels
    x.Draw(dc, Plot(), 1);
    EXPECT_DOUBLE_EQ(x.Axis->Interval, 32);
    EXPECT_DOUBLE_EQ(x.Axis->UserInterval, 32);
    const auto ticks = Ticks();
    EXPECT_LT(ticks.size(), 32u);
    for (std::size_t i = 1; i < ticks.size(); ++i) EXPECT_GT(ticks[i][0].x - ticks[i - 1][0].x, 5);
    // Labels: every (t+1)-th value, none overlapping the next.
    const auto texts = dc.CallsOf(DrawOp::Text);
    ASSERT_GE(texts.size(), 2u);
    const int stride = std::stoi(texts[1].text) - std::stoi(texts[0].text);
    EXPECT_GE(stride, 64);
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_EQ(std::stoi(texts[i].text) - std::stoi(texts[i - 1].text), stride);
        EXPECT_LE(texts[i - 1].rect.right, texts[i].rect.left);
    }
}

TEST_F(AxisRegionDrawTest, TextColourAndRestoredSelections) {
    struct Row {
        int clientType, colorIndex;
        Color expected;
    };
    host.props.ForeColor = 0x00336699;
    for (const Row& r : std::vector<Row>{{1, 5, Rgb(0x99, 0x66, 0x33)}, {0, 5, RgbOnly(tool.PaletteColor(5))},
                                         {0, 20, RgbOnly(tool.PaletteColor(0))}, {0, -3, RgbOnly(tool.PaletteColor(0))}}) {
        host.props.ClientType = static_cast<std::int16_t>(r.clientType);
        Plot().XAxisRgn->ColorIndex = r.colorIndex;
        dc.Clear();
        const SurfaceState before = dc.State();
        Plot().XAxisRgn->Draw(dc, Plot(), 1);
        EXPECT_EQ(dc.CallsOf(DrawOp::Text).at(0).state.textColor, r.expected) << r.colorIndex;
        EXPECT_EQ(dc.State().pen, before.pen);
        EXPECT_EQ(dc.State().font, before.font);
        EXPECT_EQ(dc.State().textAlign, before.textAlign);
        EXPECT_EQ(dc.State().bkMode, before.bkMode);
        EXPECT_EQ(dc.State().textColor, before.textColor);
    }
    // Hidden, or outside the repainted area without force: nothing.
    dc.Clear();
    env.PaintArea = {0, 0, 10, 10};
    Plot().XAxisRgn->Draw(dc, Plot(), 0);
    Plot().YAxisRgns[0]->Hidden = 1;
    Plot().YAxisRgns[0]->Draw(dc, Plot(), 1);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(AxisRegionDrawTest, GridPositionsWithinTheAreaAndApart) {
    const CPlotAxis& x = *Plot().XAxisRgn->Axis;
    const CViewCoeff view = CViewCoeff::Make(50, 300, 0, 100);
    // Vertical lines skip the left edge, horizontal ones the bottom edge.
    EXPECT_EQ(GridPositions(x, view, 0, 50, 350, true), (std::vector<int>{125, 200, 275, 350}));
    EXPECT_EQ(GridPositions(x, view, 0, 50, 350, false), (std::vector<int>{50, 125, 200, 275}));
    EXPECT_EQ(GridPositions(x, view, 10, 50, 350, false), (std::vector<int>{60, 135, 210, 285}));
    struct Row {
        double interval;
        std::size_t count;
    };
    // 1 unit is 3 pixels: every 2nd line; unusable intervals fall back to a tenth of the range.
    for (const Row& r : std::vector<Row>{{1, 50}, {-25, 10}, {std::nan(""), 10}}) {
        CPlotAxis a = x;
        a.Interval = r.interval;
        EXPECT_EQ(GridPositions(a, view, 0, 50, 350, true).size(), r.count) << r.interval;
    }
    CPlotAxis tiny = x;
    tiny.Interval = 1e-300;
    const std::vector<int> dense = GridPositions(tiny, view, 0, 50, 350, true);
    EXPECT_GE(dense.size(), 40u);
    EXPECT_LE(dense.size(), 50u);
    EXPECT_TRUE(GridPositions(x, CViewCoeff::Make(50, 0, 0, 100), 0, 50, 350, true).empty());
}

}  // namespace
}  // namespace vtg
