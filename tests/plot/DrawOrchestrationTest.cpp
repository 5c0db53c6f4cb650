// One draw of the whole plot: the order of its steps, what pages and copies leave alone, the
// independent axis kept once, the regions drawn on flipped plots, the variable passes and the
// off-screen bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

// A caption region that notes when it is drawn.
struct CountingLabel : CPlotLabelRgn {
    CountingLabel(std::vector<int>& log, int number) : CPlotLabelRgn(RegionKind::YCaption), log_(log) {
        AxisNumber = number;
    }
    void Draw(Surface&, CPlotLook&, int) override { log_.push_back(AxisNumber); }
    std::vector<int>& log_;
};

// A window whose compatible bitmaps can be made to fail.
struct FlakyWindow : RecordingSurface {
    FlakyWindow() : RecordingSurface(SurfaceKind::Window, {400, 300}) {}
    std::unique_ptr<Surface> CreateCompatible(int width, int height) const override {
        return failing ? std::make_unique<RecordingSurface>(SurfaceKind::Memory, Size{0, 0})
                       : RecordingSurface::CreateCompatible(width, height);
    }
    bool failing = false;
};

struct DrawTest : test::PlotFixture, testing::Test {
    const Rect all{0, 0, 400, 300};
    std::vector<int> labelsDrawn;

    DrawTest() {
        Plot().SetSize(400, 300);
        Plot().SetPointCount(3);
        for (int i = 0; i < 3; ++i) {
            Plot().SetData(0, i, i);
            Plot().SetData(1, i, i * i);
        }
    }
    void UseCountingLabels(int n) {
        CPlotLook& p = Plot();
        for (auto& label : p.YLabelRgns) std::erase(p.Regions, label.get());
        p.YLabelRgns.clear();
        for (int k = 1; k <= n; ++k) p.YLabelRgns.push_back(std::make_unique<CountingLabel>(labelsDrawn, k));
    }
    static std::size_t Count(const RecordingSurface& dc, Rop2 rop) {
        const auto& calls = dc.Calls();
        return static_cast<std::size_t>(
            std::count_if(calls.begin(), calls.end(), [rop](const DrawCall& c) { return c.state.rop == rop; }));
    }
};

TEST_F(DrawTest, CaptionsAreRebuiltForTheCompactedAxes) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetAxisMap(1, 3);
    p.YAxisRegion(2)->Label.Text = "two";
    p.YAxisRegion(3)->Label.Text = "three";
    p.LabelsDirty = 1;
    RecordingSurface dc;
    p.Draw(dc, all, 0, 1);
    // Axis 3 moved down to the unused axis 2 before the captions were made: none names 3.
    EXPECT_EQ(p.YAxisCount(), 2);
    for (const auto& label : p.YLabelRgns) EXPECT_LE(label->AxisNumber, 2);
    EXPECT_TRUE(std::any_of(p.YLabelRgns.begin(), p.YLabelRgns.end(),
                            [](const auto& l) { return l->Text() == "two" && l->AxisNumber == 2; }));
}

TEST_F(DrawTest, PagesAndCopiesLeaveTheBitmapTrackerAndSelectionAlone) {
    CPlotLook& p = Plot();
    RecordingSurface window(SurfaceKind::Window, {400, 300});
    p.Draw(window, all, 0, 1);
    ASSERT_TRUE(p.MemorySurface);
    Surface* memory = p.MemorySurface.get();
    p.ShowTracker = 1;
    p.TrackedVar = 0;
    p.TrackPixelX = 200;
    p.TrackPixelY = 150;
    p.Selection = p.XAxisRgn.get();
    env.Bullets.push_back(CPlotBullet{{10, 10, 15, 15}, 1, 0, 1});
    for (SurfaceKind kind : {SurfaceKind::Metafile, SurfaceKind::Printer}) {
        p.Printing = kind == SurfaceKind::Printer;
        RecordingSurface copy(kind, {400, 300});
        p.SetSize(800, 600);
        p.Draw(copy, {0, 0, 800, 600}, 0, 1);
        EXPECT_EQ(p.MemorySurface.get(), memory);
        EXPECT_EQ(p.MemoryWidth, 400);
        EXPECT_EQ(Count(copy, Rop2::NotXorPen), 0u);
        EXPECT_FALSE(p.DrawingRgn->TrackerShown());
        const auto rects = copy.CallsOf(DrawOp::Rectangle);
        EXPECT_TRUE(std::none_of(rects.begin(), rects.end(), [](const DrawCall& c) { return c.rect == Rect{10, 10, 15, 15}; }));
    }
    // The window shows all of them.
    p.Printing = 0;
    p.SetSize(400, 300);
    window.Clear();
    p.Draw(window, all, 0, 1);
    EXPECT_GE(Count(window, Rop2::NotXorPen), 2u);
    EXPECT_TRUE(p.DrawingRgn->TrackerShown());
}

TEST_F(DrawTest, KeepXScaleLeavesTheIndependentAxisAloneOnce) {
    CPlotLook& p = Plot();
    RecordingSurface dc;
    p.Draw(dc, all, 0, 1);
    CPlotAxis& x = *p.XAxisRgn->Axis;
    x.RangeMin = 0.3;
    x.RangeMax = 1.7;
    x.NeedsRescale = 1;
    p.KeepXScale = 1;
    p.Draw(dc, all, 0, 1);
    EXPECT_EQ(p.KeepXScale, 0);
    EXPECT_EQ(x.NeedsRescale, 1);
    EXPECT_DOUBLE_EQ(x.RangeMin, 0.3);
    p.Draw(dc, all, 0, 1);
    EXPECT_EQ(x.NeedsRescale, 0);
    EXPECT_NE(x.RangeMin, 0.3);
}

TEST_F(DrawTest, FlippedPlotsDrawOnlyTheFirstYCaption) {
    UseCountingLabels(3);
    RecordingSurface dc;
    Plot().Draw(dc, all, 0, 1);
    EXPECT_EQ(labelsDrawn, (std::vector<int>{3, 2, 1}));
    labelsDrawn.clear();
    Plot().Flipped = 1;
    Plot().Draw(dc, all, 0, 1);
    EXPECT_EQ(labelsDrawn, (std::vector<int>{1}));
    // A scroll repaints the axes only.
    labelsDrawn.clear();
    Plot().Draw(dc, all, 1, 1);
    EXPECT_TRUE(labelsDrawn.empty());
}

TEST_F(DrawTest, FilledVariablesComeFirstAndDisplayModesPickLinesAndMarkers) {
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    for (int v = 2; v <= 3; ++v) {
        for (int i = 0; i < 3; ++i) p.SetData(v, i, v + i);
    }
    p.YVar(2)->Filled = 1;
    p.YVar(2)->FillStyle = 0;
    p.YVar(0)->DisplayMode = 1;  // markers only: no line
    p.YVar(1)->DisplayMode = 0;  // lines only: no markers
    p.YVar(1)->Color = 5;
    RecordingSurface dc;
    p.Draw(dc, all, 0, 1);
    const auto& calls = dc.Calls();
    const auto polygon = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == DrawOp::Polygon; });
    const auto curve = std::find_if(calls.begin(), calls.end(), [&](const DrawCall& c) {
        return c.op == DrawOp::Polyline && c.state.pen.color == RgbOnly(tool.PaletteColor(5));
    });
    ASSERT_NE(polygon, calls.end());
    ASSERT_NE(curve, calls.end());
    EXPECT_LT(polygon, curve);
    EXPECT_TRUE(std::none_of(calls.begin(), calls.end(), [&](const DrawCall& c) {
        return c.op == DrawOp::Polyline && c.state.pen.color == RgbOnly(tool.PaletteColor(p.YVar(0)->Color));
    }));
    // Variable 0 keeps just its marked points.
    EXPECT_EQ(p.YVar(0)->MarkCount, 0);
    EXPECT_EQ(p.YVar(1)->MarkCount, 3);
}

TEST_F(DrawTest, ABitmapThatCannotBeMadeIsAskedForAgainAtTheNextDraw) {
    CPlotLook& p = Plot();
    FlakyWindow window;
    Surface* first = p.EnsureMemoryBitmap(window);
    ASSERT_NE(first, nullptr);
    p.SetSize(500, 400);
    window.failing = true;
    p.Draw(window, {0, 0, 500, 400}, 0, 1);
    EXPECT_EQ(p.MemorySurface.get(), first);
    EXPECT_EQ(p.MemoryWidth, 400);
    window.failing = false;
    Surface* second = p.EnsureMemoryBitmap(window);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->PixelSize(), (Size{500, 400}));
    EXPECT_EQ(p.MemoryWidth, 500);
    // Drawing from the bitmap copies all of it.
    window.Clear();
    p.DrawFromMemory(window);
    const auto blits = window.CallsOf(DrawOp::BitBlt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].source, second);
    EXPECT_EQ(blits[0].rect, (Rect{0, 0, 500, 400}));
}

}  // namespace
}  // namespace vtg
