// Drawing the legend box: its frame and fill, one item per visible variable in order with the
// variable's colour, line style and marker (or bar), items placed by the margin and spacing,
// the selection tint.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/LegendTestSupport.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "regions/SelectionStyle.h"

namespace vtg {
namespace {

struct LegendDrawTest : test::PlotFixture, testing::Test {
    RecordingSurface dc;

    LegendDrawTest() {
        CPlotLook& p = Plot();
        p.SetVariableCount(3);
        p.SetLegend(1, "Feed");
        p.SetLegend(2, "Hidden stream");
        p.SetLegend(3, "Product");
        p.SetHidden(1, 1);
        Style(0, 2, 1, 1, 1);       // dashed, filled circle
        Style(2, 4, 3, 0, 6);       // solid, open circle
        p.ToggleLegend(&dc);
    }
    void Style(int i, int color, int width, int style, int marker) {
        CPlotVar& v = *Plot().YVar(i);
        v.Color = color;
        v.PenWidth = width;
        v.PenStyle = style;
        v.Marker = marker;
    }
    CPlotLegendRgn& Legend() { return *Plot().LegendRgn; }
    void DrawAt(Point at) {
        const Size size = Legend().Measure(dc, Plot());
        Legend().SetRect(at.x, at.y, at.x + size.cx, at.y + size.cy);
        dc.Clear();
        Legend().Draw(dc, Plot(), 1);
    }
    Color Palette(int i) const { return RgbOnly(tool.PaletteColor(i)); }
    // The calls that draw the items, without the frame.
    std::vector<DrawCall> ItemCalls(DrawOp op) const {
        std::vector<DrawCall> out;
        for (std::size_t i = 1; i < dc.Calls().size(); ++i) {
            if (dc.Calls()[i].op == op) out.push_back(dc.Calls()[i]);
        }
        return out;
    }
};

TEST_F(LegendDrawTest, ListsVisibleVariablesInOrderWithTheirLineAndMarker) {
    host.props.ForeColor = 0x000080;
    host.props.BackColor = 0xF0F0F0;
    DrawAt({400, 30});
    const Rect r = Legend().Rect;
    ASSERT_FALSE(dc.Calls().empty());
    const DrawCall& frame = dc.Calls()[0];
    EXPECT_EQ(frame.op, DrawOp::Rectangle);
    EXPECT_EQ(frame.rect, r);
    EXPECT_EQ(frame.state.pen.color, Rgb(0x80, 0, 0));
    EXPECT_EQ(frame.state.brush, (Brush{BrushKind::Solid, Rgb(0xF0, 0xF0, 0xF0)}));

    ASSERT_EQ(dc.Texts(), (std::vector<std::string>{"Feed", "Product"}));
    const auto texts = dc.CallsOf(DrawOp::Text);
    const auto lines = ItemCalls(DrawOp::Polyline);
    const auto markers = ItemCalls(DrawOp::Ellipse);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_EQ(markers.size(), 2u);
    const int textX = r.left + 20 + 2 * 6;
    const int colours[] = {2, 4};
    const int widths[] = {1, 3};
    const PenStyle styles[] = {PenStyle::Dash, PenStyle::Solid};
    for (std::size_t k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        const int h = texts[k].rect.Height();
        // Each further item one pitch of the rounded spacing times its height lower.
        const int y = r.top + 6 + static_cast<int>(k) * static_cast<int>(std::trunc(h * 1.25 + 0.5));
        EXPECT_EQ(texts[k].points[0], (Point{textX, y + h}));
        EXPECT_EQ(texts[k].state.textColor, Palette(colours[k]));
        EXPECT_EQ(texts[k].state.textAlign, TextAlign::Bottom | TextAlign::UpdateCP);
        EXPECT_EQ(lines[k].points, (std::vector<Point>{{r.left + 6, y + h / 2}, {textX - 6, y + h / 2}}));
        EXPECT_EQ(lines[k].state.pen.color, Palette(colours[k]));
        EXPECT_EQ(lines[k].state.pen.width, widths[k]);
        EXPECT_EQ(lines[k].state.pen.style, styles[k]);
        const Rect m = markers[k].rect;
        EXPECT_EQ((Point{(m.left + m.right) / 2, (m.top + m.bottom) / 2}), (Point{(r.left + 6 + textX - 6) / 2, y + h / 2}));
    }
}

TEST_F(LegendDrawTest, DisplayTypeDecidesBetweenLinesAndMarkers) {
    struct Row {
        int displayType;
        std::size_t lines;
        std::size_t markers;
    };
    const Row rows[] = {{0, 2, 0}, {1, 0, 2}, {2, 2, 2}, {7, 2, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.displayType);
        host.props.DisplayType = static_cast<std::int16_t>(row.displayType);
        DrawAt({400, 30});
        EXPECT_EQ(ItemCalls(DrawOp::Polyline).size(), row.lines);
        EXPECT_EQ(ItemCalls(DrawOp::Ellipse).size(), row.markers);
    }
    // A variable without a line width shows its marker alone; a filled one no marker.
    host.props.DisplayType = 2;
    Plot().YVar(0)->PenWidth = 0;
    Plot().YVar(2)->Filled = 1;
    DrawAt({400, 30});
    EXPECT_EQ(ItemCalls(DrawOp::Polyline).size(), 1u);
    EXPECT_EQ(ItemCalls(DrawOp::Ellipse).size(), 1u);
}

TEST_F(LegendDrawTest, BarGraphsShowABarOfTheVariablesPatternAndOutline) {
    Plot().BarGraph = 1;
    Plot().YVar(0)->Marker = 9;
    Plot().YVar(0)->FillStyle = 3;
    DrawAt({400, 30});
    const auto bars = ItemCalls(DrawOp::Rectangle);
    ASSERT_EQ(bars.size(), 2u);
    const Rect r = Legend().Rect;
    const int h = dc.CallsOf(DrawOp::Text)[0].rect.Height();
    EXPECT_EQ(bars[0].rect, (Rect{r.left + 6, r.top + 6, r.left + 26, r.top + 6 + h}));
    EXPECT_EQ(bars[0].state.pen.color, Palette(9));
    EXPECT_EQ(bars[0].state.pen.width, 2);
    EXPECT_EQ(bars[0].state.brush.kind, BrushKind::Pattern);
    EXPECT_EQ(bars[0].state.textColor, Palette(2));
    EXPECT_EQ(ItemCalls(DrawOp::Polyline).size(), 0u);
    EXPECT_EQ(ItemCalls(DrawOp::Ellipse).size(), 0u);
}

TEST_F(LegendDrawTest, TextsCarryTheirAxisSuffixAndSubstitution) {
    CPlotLook& p = Plot();
    p.YAxisRgns[0]->Axis->Multiplier = 4;
    p.SubstitutionString = "%u";
    p.SetLegend(3, "Product [%u]");
    p.SetSubstitutionValue(3, "kg");
    Legend().MarkForLayout();
    DrawAt({400, 30});
    EXPECT_EQ(dc.Texts(), (std::vector<std::string>{"Feed", " x 10", "4", "Product [kg]", " x 10", "4"}));
    const auto texts = dc.CallsOf(DrawOp::Text);
    EXPECT_LT(texts[2].state.font.height, texts[0].state.font.height);
    EXPECT_EQ(texts[2].points[0].y, texts[1].points[0].y - texts[0].rect.Height() / 2);
}

TEST_F(LegendDrawTest, ManyItemsFitTheBoxAtAnySpacing) {
    CPlotLook& p = Plot();
    p.SetVariableCount(12);
    for (int i = 1; i <= 12; ++i) p.SetLegend(i, "Stream " + std::to_string(i));
    p.SetHidden(1, 0);
    // Spacings whose pitch rounds down: a pitch truncated per item count would drift below
    // the box by a fraction of a pixel per item.
    for (double spacing : {0.8, 1.1, 1.25, 1.45, 2.9}) {
        SCOPED_TRACE(spacing);
        Legend().SetProportions(20, spacing, 3);
        DrawAt({400, 30});
        const test::DrawnLegend drawn = test::LegendOf(dc, Legend());
        ASSERT_EQ(drawn.texts.size(), 12u);
        test::ExpectItemsInside(drawn);
        EXPECT_EQ(drawn.frame.bottom - drawn.textBoxes.back().bottom, 3);
    }
}

TEST_F(LegendDrawTest, SelectedBoxIsTintedAndAHiddenBoxNotDrawn) {
    Plot().Selection = &Legend();
    DrawAt({400, 30});
    EXPECT_EQ(dc.Calls()[0].state.brush, SelectionBrush());
    Plot().ShowLegend = 2;
    dc.Clear();
    Legend().Draw(dc, Plot(), 1);
    EXPECT_TRUE(dc.Calls().empty());
}

}  // namespace
}  // namespace vtg
