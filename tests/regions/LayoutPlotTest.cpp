// The layout on a real plot: which region is measured for which side, where each rectangle
// lands, flipped and multi-axis plots, the legend's stored placement and the change report.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/RecordingSurface.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {
namespace {

struct LayoutPlot : test::PlotFixture, testing::Test {
    RecordingSurface dc;
    LayoutPlot() {
        host.props.Title = "Plant overview";
        host.props.xlabel = "Time";
        host.props.ylabel = "Flow";
        Rebuild();
    }
    bool Lay(int w, int h) {
        plot->SetSize(w, h);
        return plot->Layout(dc);
    }
    const Rect& DrawingArea() const { return plot->DrawingRgn->Rect; }
};

bool Inside(const Rect& r, int w, int h) { return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h; }

TEST_F(LayoutPlot, NewPlotKeepsEveryRegionInsideAndApart) {
    for (Size window : {Size{400, 310}, Size{800, 600}, Size{1600, 1000}}) {
        SCOPED_TRACE(window.cx);
        Lay(window.cx, window.cy);
        CPlotLook& p = Plot();
        const CPlotRegion* regions[] = {p.TitleRgn.get(), p.DrawingRgn.get(), p.XAxisRgn.get(),
                                        p.XLabelRgn.get(), p.YAxisRgns[0].get(), p.YLabelRgns[0].get()};
        for (const CPlotRegion* r : regions) {
            SCOPED_TRACE(r->Kind);
            EXPECT_FALSE(r->Rect.IsEmpty());
            EXPECT_TRUE(Inside(r->Rect, window.cx, window.cy));
            for (const CPlotRegion* other : regions) {
                if (other != r) {
                    EXPECT_FALSE(r->Rect.Intersects(other->Rect)) << other->Kind;
                }
            }
        }
        const Rect& d = DrawingArea();
        EXPECT_LE(p.YAxisRgns[0]->Rect.right, d.left);
        EXPECT_LE(p.YLabelRgns[0]->Rect.right, p.YAxisRgns[0]->Rect.left);
        EXPECT_LE(d.bottom, p.XAxisRgn->Rect.top);
        EXPECT_LE(p.XAxisRgn->Rect.bottom, p.XLabelRgn->Rect.top);
        EXPECT_LE(p.TitleRgn->Rect.bottom, d.top);
    }
}

TEST_F(LayoutPlot, RectanglesFollowTheMeasuredSizesAtAnyOutputScale) {
    for (double scale : {1.0, 6.0}) {
        SCOPED_TRACE(scale);
        env.OutputScale = scale;
        const int w = static_cast<int>(400 * scale);
        const int h = static_cast<int>(310 * scale);
        Lay(w, h);
        CPlotLook& p = Plot();
        const auto units = [&](double k) { return static_cast<int>(std::trunc(k * scale)); };
        const Size title = p.TitleRgn->Measure(dc, p);
        const Size xCaption = p.XLabelRgn->Measure(dc, p);
        const Size xLabels = p.XAxisRgn->Measure(dc, p);
        const Size yLabels = p.YAxisRgns[0]->Measure(dc, p);
        const Size yCaption = p.YLabelRgns[0]->Measure(dc, p);
        // A margin of 3 units, the caption, a gap of half a label's height, the labels with
        // their inset of 5 units from the line, the line.
        const int left = units(3) + yCaption.cx + (yLabels.cy + 1) / 2 + yLabels.cx + units(5) + 1;
        const int bottom = h - 2 * xCaption.cy - xLabels.cy - units(3);
        EXPECT_EQ(DrawingArea(), (Rect{left, title.cy + title.cy / 2, w - xLabels.cx / 2 - units(7), bottom}));
        EXPECT_EQ(p.TitleRgn->Rect.Height(), title.cy);
        EXPECT_EQ(p.XLabelRgn->Rect.Width(), xCaption.cx);
        EXPECT_EQ(p.XAxisRgn->Rect.top, bottom + 1);
        EXPECT_EQ(p.YAxisRgns[0]->Rect.Width(), yLabels.cx + units(5));
        EXPECT_EQ(p.YLabelRgns[0]->Rect, (Rect{units(3), (DrawingArea().top + bottom) / 2 - yCaption.cy / 2, units(3) + yCaption.cx,
                                                (DrawingArea().top + bottom) / 2 - yCaption.cy / 2 + yCaption.cy}));
    }
}

TEST_F(LayoutPlot, CaptionsWithoutTextAreSuppressedUntilTheyHaveOne) {
    CPlotLabelRgn& caption = *Plot().YLabelRgns[0];
    Plot().YAxisRgns[0]->Label.Text.clear();
    Lay(400, 310);
    EXPECT_TRUE(caption.Rect.IsEmpty());
    EXPECT_EQ(caption.Suppressed, 1);
    Plot().YAxisRgns[0]->Label.Text = "Flow";
    Lay(400, 310);
    EXPECT_EQ(caption.Suppressed, 0);
    // The leftmost column, 3 units from the window's edge.
    EXPECT_EQ(caption.Rect.left, 3);
}

TEST_F(LayoutPlot, SeveralYAxesStandSideBySide) {
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    p.SetAxisMap(1, 2);
    p.SetAxisMap(2, 3);
    p.SetLabel(2, "Pressure");
    p.SetLabel(3, "Level");
    Lay(800, 600);
    ASSERT_EQ(p.YAxisCount(), 3);
    const Rect d = DrawingArea();
    const int gap = (p.YAxisRegion(1)->Measure(dc, p).cy + 1) / 2;
    // From the last axis leftwards: the ticks of every axis but the last (5 units after a
    // gap), the line, the labels (the last axis's 3 units further in), a gap, the caption.
    int L = d.left;
    for (int axis = 3; axis >= 1; --axis) {
        SCOPED_TRACE(axis);
        if (axis < 3) L -= gap + 5;
        const Size labels = p.YAxisRegion(axis)->Measure(dc, p);
        const int width = labels.cx + 2 + (axis == 3 ? 3 : 0);
        EXPECT_EQ(p.YAxisRegion(axis)->Rect, (Rect{L - 1 - width, d.top, L - 1, d.bottom}));
        L -= 1 + width + gap;
        CPlotLabelRgn* caption = p.CaptionOfAxis(axis);
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->Rect.right, L);
        EXPECT_EQ(caption->Rect.Width(), caption->Measure(dc, p).cx);
        L -= caption->Rect.Width();
    }
    EXPECT_EQ(L, 3);

    const Size middle = p.YAxisRegion(2)->Measure(dc, p);
    p.YAxisRegion(2)->Hidden = 1;
    Lay(800, 600);
    EXPECT_TRUE(p.YAxisRegion(2)->Rect.IsEmpty());
    EXPECT_EQ(DrawingArea().left, d.left - (gap + 5 + 1 + middle.cx + 2));
    // Its caption closes up to the caption of the axis after it, a gap apart.
    EXPECT_EQ(p.CaptionOfAxis(2)->Rect.right + gap, p.CaptionOfAxis(3)->Rect.left);
}

TEST_F(LayoutPlot, FlippedPlotsPutTheXAxisOnTheLeft) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetAxisMap(1, 2);
    p.SetLabel(2, "Second");
    p.Flipped = 1;
    Lay(400, 310);
    const Rect& d = DrawingArea();
    EXPECT_EQ(p.XAxisRgn->Rect.right, d.left - 1);
    EXPECT_EQ(p.XAxisRgn->Rect.top, d.top);
    EXPECT_LE(p.XLabelRgn->Rect.right, p.XAxisRgn->Rect.left);
    EXPECT_GT(p.XLabelRgn->Rect.Height(), p.XLabelRgn->Rect.Width());
    EXPECT_EQ(p.YAxisRgns[0]->Rect.top, d.bottom + 1);
    EXPECT_EQ(p.YAxisRgns[0]->Rect.left, d.left);
    EXPECT_GE(p.YLabelRgns[0]->Rect.top, p.YAxisRgns[0]->Rect.bottom);
    EXPECT_GT(p.YLabelRgns[0]->Rect.Width(), p.YLabelRgns[0]->Rect.Height());
    // Only the first Y axis and caption take part.
    EXPECT_TRUE(p.YAxisRgns[1]->Rect.IsEmpty());
    for (std::size_t k = 1; k < p.YLabelRgns.size(); ++k) {
        EXPECT_TRUE(p.YLabelRgns[k]->Rect.IsEmpty());
        EXPECT_EQ(p.YLabelRgns[k]->Suppressed, 1);
    }
}

TEST_F(LayoutPlot, LegendBoxIsPlacedAndTheRightEdgeRequestUsedUp) {
    CPlotLook& p = Plot();
    p.SetLegend(1, "Feed");
    p.ToggleLegend(&dc);
    Lay(400, 310);
    const Rect& legend = p.LegendRgn->Rect;
    EXPECT_EQ(legend.Width(), p.LegendRgn->Width);
    // By default its right edge is one past the drawing area's width (c - C + 1).
    EXPECT_EQ(legend.right - 1, DrawingArea().right + 1);
    EXPECT_TRUE(Inside(legend, 400, 310));

    p.LegendBoxPlaced = 1;
    Lay(400, 310);
    EXPECT_EQ(p.LegendBoxPlaced, 0);
    EXPECT_GT(p.LegendX, 1.0f);
    EXPECT_GE(legend.left, DrawingArea().right);
    EXPECT_LE(legend.right, 400);
    EXPECT_GE(legend.right, 400 - 12);
    // The stored fraction keeps the legend there.
    const Rect placed = legend;
    Lay(400, 310);
    EXPECT_EQ(legend, placed);

    // Fractions no layout can use are replaced where they are stored.
    p.LegendX = std::numeric_limits<float>::quiet_NaN();
    p.LegendY = 1e30f;
    Lay(400, 310);
    EXPECT_EQ(p.LegendX, 1.0f);
    EXPECT_EQ(p.LegendY, 2.0f);
    EXPECT_TRUE(Inside(DrawingArea(), 400, 310));
    EXPECT_FALSE(DrawingArea().IsEmpty());
}

TEST_F(LayoutPlot, ReportsAndRepaintsOnlyWhenTheDrawingAreaMoves) {
    EXPECT_TRUE(Lay(400, 310));
    EXPECT_FALSE(Lay(400, 310));
    EXPECT_TRUE(Lay(500, 310));

    Plot().Draw(dc, {0, 0, 500, 310}, 0, 1);
    const int before = host.invalidations;
    Plot().Draw(dc, {0, 0, 500, 310}, 0, 1);
    EXPECT_EQ(host.invalidations, before);
    Plot().SetSize(450, 300);
    Plot().Draw(dc, {0, 0, 450, 300}, 0, 1);
    EXPECT_EQ(host.invalidations, before + 1);
    EXPECT_EQ(DrawingArea().right, 450 - Plot().XAxisRgn->Measure(dc, Plot()).cx / 2 - 7);
}

}  // namespace
}  // namespace vtg
