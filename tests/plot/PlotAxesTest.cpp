// The axis map and the Y axis and caption regions that follow it, range fitting, and the
// dirty-flag protocol a draw runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "platform/RecordingSurface.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

using test::PlotFixture;

struct AxesTest : PlotFixture, testing::Test {
    // Variables 0..n-1 on the given axes.
    void MapVariables(const std::vector<int>& axes) {
        Plot().SetVariableCount(static_cast<int>(axes.size()));
        for (std::size_t i = 0; i < axes.size(); ++i) Plot().SetAxisMap(static_cast<int>(i), axes[i]);
    }
    std::vector<int> AxisMaps() {
        std::vector<int> maps;
        for (int i = 0; i < Plot().DependentCount(); ++i) maps.push_back(Plot().GetAxisMap(i));
        return maps;
    }
    void DrawOnce() {
        RecordingSurface dc;
        Plot().Draw(dc, {0, 0, 400, 300}, 0, 1);
    }
};

TEST_F(AxesTest, MappingBeyondTheAxesCreatesTheMissingOnesBeforeTheLegend) {
    CPlotLook& p = Plot();
    p.SetAxisMap(0, 3);
    ASSERT_EQ(p.YAxisCount(), 3);
    EXPECT_EQ(p.YAxisRgns[1]->AxisIndex, 2);
    EXPECT_EQ(p.YAxisRgns[2]->AxisIndex, 3);
    ASSERT_EQ(p.YLabelRgns.size(), 3u);
    EXPECT_EQ(p.YLabelRgns[2]->Kind, RegionKind::YCaption);
    EXPECT_EQ(p.YLabelRgns[2]->AxisNumber, 3);
    EXPECT_EQ(p.YLabelRgns[2]->Caption, &p.YAxisRgns[2]->Label);
    EXPECT_EQ(p.Regions.back()->Kind, RegionKind::Legend);
    EXPECT_EQ(p.AxisMapDirty, 1);
    EXPECT_EQ(p.YLabelRgns[0]->AxisNumber, 3);
}

TEST_F(AxesTest, AxesThatCannotExistAreIgnored) {
    CPlotLook& p = Plot();
    for (int axis : {-1, -32768, CPlotLook::kMaxYAxes + 1, std::numeric_limits<int>::max()}) {
        p.SetAxisMap(0, axis);
        EXPECT_EQ(p.GetAxisMap(0), 1) << axis;
    }
    EXPECT_EQ(p.YAxisCount(), 1);
    p.SetAxisMap(5, 2);
    EXPECT_EQ(p.YAxisCount(), 1);
    EXPECT_EQ(p.GetAxisMap(5), 0);
    EXPECT_EQ(p.GetAxisMap(-1), 0);
}

TEST_F(AxesTest, AxisZeroHidesTheVariable) {
    CPlotLook& p = Plot();
    p.SetAxisMap(0, 0);
    EXPECT_EQ(p.YVar(0)->Hidden, 1);
    EXPECT_EQ(p.YLabelRgns[0]->Hidden, 1);
}

TEST_F(AxesTest, CompactingClosesGapsAndKeepsTheOrder) {
    struct Row {
        std::vector<int> before;
        std::vector<int> after;
        int axes;
    };
    const std::vector<Row> rows{
        {{1, 2, 3}, {1, 2, 3}, 3},
        {{1, 1, 3}, {1, 1, 2}, 2},
        {{2, 5, 5}, {1, 2, 2}, 2},
        {{4, 2, 9}, {2, 1, 3}, 3},
        {{0, 0, 0}, {1, 1, 1}, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::PrintToString(r.before));
        host.ids = {};
        Rebuild();
        MapVariables(r.before);
        Plot().CompactAxisMap();
        EXPECT_EQ(AxisMaps(), r.after);
        EXPECT_EQ(Plot().YAxisCount(), r.axes);
        for (int k = 0; k < Plot().YAxisCount(); ++k) EXPECT_EQ(Plot().YAxisRgns[static_cast<std::size_t>(k)]->AxisIndex, k + 1);
    }
}

TEST_F(AxesTest, MovingAxisTwoToOneAndDrawingRenumbersAxisThree) {
    MapVariables({1, 2, 3});
    CPlotLook& p = Plot();
    p.SetAxisMap(1, 1);
    DrawOnce();
    EXPECT_EQ(AxisMaps(), (std::vector<int>{1, 1, 2}));
    EXPECT_EQ(p.YAxisCount(), 2);
    EXPECT_EQ(p.AxisMapDirty, 0);
    for (const auto& label : p.YLabelRgns) {
        EXPECT_TRUE(label->Caption == nullptr || label->AxisNumber <= 2);
    }
}

TEST_F(AxesTest, AxesWithoutVisibleVariablesAreHiddenButNeverAll) {
    MapVariables({1, 2});
    CPlotLook& p = Plot();
    p.SetHidden(1, 1);
    p.CompactAxisMap();
    EXPECT_FALSE(p.YAxisRgns[0]->Hidden);
    EXPECT_TRUE(p.YAxisRgns[1]->Hidden);
    p.SetHidden(0, 1);
    p.CompactAxisMap();
    EXPECT_FALSE(p.YAxisRgns[0]->Hidden);
    EXPECT_TRUE(p.YAxisRgns[1]->Hidden);
}

TEST_F(AxesTest, CaptionsFollowTheAxesOnMultiAxisPlots) {
    MapVariables({1, 2, 2});
    CPlotLook& p = Plot();
    p.YAxisRgns[0]->Label.Text = "flow";
    p.YAxisRgns[1]->Label.Text = "level";
    p.Selection = p.YLabelRgns[0].get();
    p.RebuildYLabels();
    ASSERT_EQ(p.YLabelRgns.size(), 2u);
    EXPECT_EQ(p.YLabelRgns[0]->Text(), "flow");
    EXPECT_EQ(p.YLabelRgns[1]->Text(), "level");
    EXPECT_EQ(p.YLabelRgns[1]->AxisNumber, 2);
    EXPECT_EQ(p.YLabelRgns[1]->VariableIndex, -1);
    EXPECT_EQ(p.Selection, nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(p.YVar(i)->LabelIndex, -1);
    const auto inRegions = std::count_if(p.Regions.begin(), p.Regions.end(),
                                         [](const CPlotRegion* r) { return r->Kind == RegionKind::YCaption; });
    EXPECT_EQ(inRegions, 2);
}

TEST_F(AxesTest, LegendsAsCaptionsGiveEachVisibleVariableItsCaption) {
    MapVariables({1, 2, 2});
    CPlotLook& p = Plot();
    p.ShowLegend = 2;
    p.YVar(0)->Label.Text = "a";
    p.YVar(2)->Label.Text = "c";
    p.RebuildYLabels();
    const CPlotVar& a = *p.YVar(0);
    const CPlotVar& c = *p.YVar(2);
    ASSERT_GE(a.LabelIndex, 1);
    ASSERT_GE(c.LabelIndex, 1);
    EXPECT_EQ(p.YLabelRgns[static_cast<std::size_t>(a.LabelIndex - 1)]->Caption, &a.Label);
    const CPlotLabelRgn& cr = *p.YLabelRgns[static_cast<std::size_t>(c.LabelIndex - 1)];
    EXPECT_EQ(cr.Caption, &c.Label);
    EXPECT_EQ(cr.AxisNumber, 2);
    EXPECT_EQ(cr.VariableIndex, 3);
    EXPECT_EQ(p.YVar(1)->LabelIndex, -1);
}

TEST_F(AxesTest, OneVariableShowsTheAxisCaptionOrOnTimePlotsItsLegend) {
    CPlotLook& p = Plot();
    p.YAxisRgns[0]->Label.Text.clear();
    p.RebuildYLabels();
    EXPECT_EQ(p.YAxisRgns[0]->Label.Text, "     ");
    EXPECT_EQ(p.YVar(0)->Label.Text, "     ");
    EXPECT_EQ(p.YLabelRgns[0]->Caption, &p.YAxisRgns[0]->Label);

    host.props.RunPlot = true;
    Rebuild();
    CPlotLook& run = Plot();
    run.RebuildYLabels();
    EXPECT_EQ(run.YVar(0)->Label.Text, "Y label");
    EXPECT_EQ(run.YLabelRgns[0]->Caption, &run.YVar(0)->Label);
}

TEST_F(AxesTest, SquarePlotWithDiagonalFitsOverlappingDataToOneRange) {
    CPlotLook& p = Plot();
    p.Square = 1;
    p.Diagonal = 1;
    for (int i = 0; i <= 10; ++i) {
        p.SetData(0, i, i);
        p.SetData(1, i, 5 + 1.5 * i);
    }
    p.FitRangesToData();
    const CPlotAxis& x = *p.AxisByNumber(0);
    const CPlotAxis& y = *p.AxisByNumber(1);
    EXPECT_DOUBLE_EQ(x.RangeMin, y.RangeMin);
    EXPECT_DOUBLE_EQ(x.RangeMax, y.RangeMax);
    EXPECT_LE(x.RangeMin, 0);
    EXPECT_GE(x.RangeMax, 20);

    for (int i = 0; i <= 10; ++i) p.SetData(1, i, 30 + i);
    p.FitRangesToData();
    EXPECT_LT(p.AxisByNumber(0)->RangeMax, 30);
    EXPECT_GT(p.AxisByNumber(1)->RangeMin, 10);
}

TEST_F(AxesTest, FittingUsesVisibleVariablesFirstAndClearsTheRefit) {
    MapVariables({1, 1});
    CPlotLook& p = Plot();
    p.SetData(1, 0, 1);
    p.SetData(1, 1, 2);
    p.SetData(2, 0, 1000);
    p.SetHidden(1, 1);
    p.AxisByNumber(1)->LockGrid = 1;
    p.FitRangesToData();
    EXPECT_LT(p.AxisByNumber(1)->RangeMax, 100);
    EXPECT_EQ(p.AxisByNumber(1)->LockGrid, 0);
    EXPECT_EQ(p.RefitDirty, 0);
    EXPECT_DOUBLE_EQ(p.ZoomLevel, 1.0);
    p.SetHidden(0, 1);
    p.FitRangesToData();
    EXPECT_GE(p.AxisByNumber(1)->RangeMax, 1000);
}

TEST_F(AxesTest, RefittingWidensOnlyTheAxesThatHaveData) {
    MapVariables({1, 2});
    CPlotLook& p = Plot();
    p.SetData(2, 0, -50);
    p.SetData(2, 1, 70);
    const double before = p.AxisByNumber(1)->RangeMax;
    p.RefitRanges();
    const CPlotAxis& second = *p.AxisByNumber(2);
    EXPECT_LE(second.RangeMin, -50);
    EXPECT_GE(second.RangeMax, 70);
    EXPECT_DOUBLE_EQ(p.AxisByNumber(1)->RangeMax, before);
}

TEST_F(AxesTest, SetRangeMarksDataSeenAndSetAxisRangeDoesNot) {
    CPlotLook& p = Plot();
    CPlotAxis& y = *p.AxisByNumber(1);
    y.DataSeen = 0;
    p.SetAxisRange(1, 2, 8);
    EXPECT_DOUBLE_EQ(y.RangeMin, 2);
    EXPECT_DOUBLE_EQ(y.RangeMax, 8);
    EXPECT_EQ(y.DataSeen, 0);
    p.SetRange(1, 3, 9);
    EXPECT_EQ(y.DataSeen, 1);
    p.SetRange(7, 0, 1);
    p.SetAxisRange(-1, 0, 1);

    p.SetPlotType(2);
    p.SetAxisRange(0, 0.2, 0.6);
    for (int axis = 0; axis <= 2; ++axis) EXPECT_DOUBLE_EQ(p.AxisByNumber(axis)->RangeMax, 0.6) << axis;
}

TEST_F(AxesTest, ARangeSetAfterNewDataOrARecalculationSurvivesTheNextDraw) {
    CPlotLook& p = Plot();
    p.SetPointCount(3);
    for (int i = 0; i < 3; ++i) {
        p.SetData(0, i, i);
        p.SetData(1, i, 40 + i);
    }
    p.Recalculate();
    p.SetAxisRange(1, 0, 200);
    p.SetAxisRange(0, 0, 10);
    RecordingSurface dc(SurfaceKind::Metafile);
    p.SetSize(800, 600);
    p.Draw(dc, {0, 0, 800, 600}, 0, 1);
    EXPECT_DOUBLE_EQ(p.AxisByNumber(1)->RangeMin, 0);
    EXPECT_DOUBLE_EQ(p.AxisByNumber(1)->RangeMax, 200);
    EXPECT_DOUBLE_EQ(p.AxisByNumber(0)->RangeMax, 10);

    // New data after the range was set refits it again at the next draw, as before.
    p.SetData(1, 3, 500);
    p.Draw(dc, {0, 0, 800, 600}, 0, 1);
    EXPECT_GE(p.AxisByNumber(1)->RangeMax, 500);
}

TEST_F(AxesTest, RolesFollowTheFlippedFlag) {
    MapVariables({1, 2});
    CPlotLook& p = Plot();
    EXPECT_EQ(p.AxisRegionForRole(0), p.XAxisRgn.get());
    EXPECT_EQ(p.AxisRegionForRole(1), p.YAxisRgns[0].get());
    EXPECT_EQ(p.AxisRegionForRole(2), p.YAxisRgns[1].get());
    EXPECT_EQ(p.LabelRegionForRole(0), p.XLabelRgn.get());
    p.Flipped = 1;
    EXPECT_EQ(p.AxisRegionForRole(0), p.YAxisRgns[0].get());
    EXPECT_EQ(p.AxisRegionForRole(1), p.XAxisRgn.get());
    EXPECT_EQ(p.AxisRegionForRole(2), nullptr);
    EXPECT_EQ(p.AxisForRole(1), p.XAxisRgn->Axis.get());
    EXPECT_EQ(p.LabelRegionForRole(1), p.XLabelRgn.get());
    EXPECT_EQ(p.AxisRegionForRole(7), nullptr);
}

TEST_F(AxesTest, ZoomLevelShowsTheMiddleOfTheExtent) {
    CPlotLook& p = Plot();
    for (CPlotAxis* a : {p.AxisByNumber(0), p.AxisByNumber(1)}) {
        a->ExtentMin = a->RangeMin = 0;
        a->ExtentMax = a->RangeMax = 100;
    }
    EXPECT_EQ(p.GetScroll(true), (std::pair<int, int>{0, 1000}));
    EXPECT_TRUE(p.SetZoomLevel(4));
    EXPECT_EQ(p.GetScroll(true), (std::pair<int, int>{375, 625}));
    EXPECT_EQ(p.GetScroll(false), (std::pair<int, int>{375, 625}));
    for (double z : {0.5, 2000.0, std::numeric_limits<double>::quiet_NaN()}) EXPECT_FALSE(p.SetZoomLevel(z));
    EXPECT_DOUBLE_EQ(p.ZoomLevel, 4);
    p.ZoomReset();
    EXPECT_EQ(p.GetScroll(true), (std::pair<int, int>{0, 1000}));
    EXPECT_DOUBLE_EQ(p.ZoomLevel, 1);
}

TEST_F(AxesTest, ADrawConsumesTheFlagsInOrderAndFillsTheBackground) {
    host.props.BackColor = 0x00336699;
    MapVariables({1, 3});
    CPlotLook& p = Plot();
    p.SetData(2, 0, 40);
    p.SetData(2, 1, 60);
    p.LabelsDirty = 1;
    p.LayoutDirty = 1;
    p.AxesDirty = 1;
    RecordingSurface dc;
    p.Draw(dc, {0, 0, 300, 200}, 0, 1);
    EXPECT_EQ(p.AxisMapDirty, 0);
    EXPECT_EQ(p.LabelsDirty, 0);
    EXPECT_EQ(p.RefitDirty, 0);
    EXPECT_EQ(p.LayoutDirty, 0);
    EXPECT_EQ(p.AxesDirty, 0);
    EXPECT_EQ(AxisMaps(), (std::vector<int>{1, 2}));
    EXPECT_GE(p.AxisByNumber(2)->RangeMax, 60);
    const auto fills = dc.CallsOf(DrawOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().rect, (Rect{0, 0, 300, 200}));
    EXPECT_EQ(fills.front().brush.color, 0x00336699u);

    host.props.BackColor = static_cast<std::int32_t>(0x80000005u);
    p.FitAllPending = 1;
    p.RefitDirty = 1;
    dc.Clear();
    p.Draw(dc, {0, 0, 10, 10}, 0, 0);
    EXPECT_EQ(p.FitAllPending, 0);
    EXPECT_EQ(p.RefitDirty, 0);
    ASSERT_FALSE(dc.CallsOf(DrawOp::FillRect).empty());
    EXPECT_EQ(dc.CallsOf(DrawOp::FillRect).front().brush.color, Rgb(255, 255, 255));
}

}  // namespace
}  // namespace vtg
