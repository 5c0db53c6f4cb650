// Bars: the slots of several series in each interval between consecutive X values, upright
// and horizontal, with their outline and fill.
#include <gtest/gtest.h>

#include "CurveTestSupport.h"

namespace vtg {
namespace {

struct SlotCase {
    const char* name;
    int edge;
    int v;
    int series;
    int count;
    BarSpan expected;
};

class BarSlots : public testing::TestWithParam<SlotCase> {};

TEST_P(BarSlots, SplitTheIntervalWithTheLastSlotEndingAtTheNextValue) {
    const SlotCase& c = GetParam();
    const BarSpan got = BarSlot(c.edge, c.v, c.series, c.count);
    EXPECT_EQ(got.from, c.expected.from);
    EXPECT_EQ(got.to, c.expected.to);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, BarSlots,
    testing::Values(SlotCase{"First", 100, 170, 0, 3, {100, 121}}, SlotCase{"Second", 100, 170, 1, 3, {123, 144}},
                    // 70 pixels do not split evenly: the last slot takes the rest.
                    SlotCase{"LastTakesTheRest", 100, 170, 2, 3, {146, 168}},
                    SlotCase{"ReversedAxisLast", 170, 100, 2, 3, {124, 102}},
                    SlotCase{"NoWidth", 100, 100, 1, 3, {100, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BarsTest : test::CurveFixture, testing::Test {
    CPlotBarDrawingRgn bars;
    BarsTest() {
        bars.Rect = test::kArea;
        Y().Marker = 9;
        Y().Color = 2;
        Y().FillStyle = 4;
    }
    std::vector<Rect> Drawn(int series, bool horizontal) {
        dc.Clear();
        bars.DrawBars(dc, env, X(), Y(), XAxis(), YAxis(), 3, series, horizontal);
        std::vector<Rect> out;
        for (const DrawCall& c : dc.CallsOf(DrawOp::Rectangle)) out.push_back(c.rect);
        return out;
    }
};

TEST_F(BarsTest, ThreeSeriesFillTheirSlotsFromTheSecondPointOn) {
    Data({0, 3.5, 1e28, 7}, {5, 2, 9, 6});
    // x 0, 3.5 and 7 at 100, 170 and 240; the missing point is passed over.
    EXPECT_EQ(Drawn(0, false), (std::vector<Rect>{{100, 210, 121, 250}, {170, 130, 191, 250}}));
    EXPECT_EQ(Drawn(2, false), (std::vector<Rect>{{146, 210, 168, 250}, {216, 130, 238, 250}}));
    const DrawCall call = dc.CallsOf(DrawOp::Rectangle)[0];
    EXPECT_EQ(call.state.pen.color, RgbOnly(tool.PaletteColor(9)));
    EXPECT_EQ(call.state.pen.width, 2);
    EXPECT_EQ(call.state.brush.kind, BrushKind::Pattern);
    EXPECT_EQ(call.state.textColor, RgbOnly(tool.PaletteColor(2)));
    EXPECT_EQ(call.state.clip.shapes[0].rect, test::kArea);
}

TEST_F(BarsTest, FlippedPlotsDrawHorizontalBarsFromTheLeftEdge) {
    Plot().Flipped = 1;
    View();
    Data({0, 5}, {2.5, 5});
    // The categories run up the page from the bottom; the value sets the bar's right end.
    EXPECT_EQ(Drawn(1, true), (std::vector<Rect>{{100, 186, 200, 217}}));
    // Series numbers outside the series draw nothing.
    EXPECT_TRUE(Drawn(3, true).empty());
}

}  // namespace
}  // namespace vtg
