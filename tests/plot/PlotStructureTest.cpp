// The plot's structure: what a new plot holds, the plot kinds and what a rebuild keeps and
// drops, and that deletions leave nothing pointing into freed memory.
#include <gtest/gtest.h>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/Automation.h"
#include "axes/PlotValues.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

using test::PlotFixture;

std::vector<int> KindsOf(const CPlotLook& plot) {
    std::vector<int> kinds;
    for (const CPlotRegion* r : plot.Regions) kinds.push_back(r->Kind);
    return kinds;
}

struct NullDisplay : CPlotDisplay {
    void Draw(Surface&, CPlotEnv&) override {}
};

struct StructureTest : PlotFixture, testing::Test {
    StructureTest() {
        host.strings = {{"IDS_PLOTLOOK_XLABEL", "X from server"}, {"IDS_PLOTLOOK_YLABEL", "Y from server"}};
    }
};

TEST_F(StructureTest, NewPlotHasOneVariableOneAxisAndTheRegionsInLayoutOrder) {
    host.props.xlabel = "time";
    host.props.ylabel = "flow";
    host.props.Title = "Plant";
    host.ids = {};
    Rebuild();
    CPlotLook& p = Plot();
    EXPECT_EQ(KindsOf(p), (std::vector<int>{0, 1, 2, 4, 5, 3, 6}));
    EXPECT_EQ(p.Regions[0], p.DrawingRgn.get());
    EXPECT_EQ(p.DrawingRgn->Class(), RegionClass::Drawing);
    ASSERT_EQ(p.IndependentCount(), 1);
    ASSERT_EQ(p.DependentCount(), 1);
    ASSERT_EQ(p.YAxisCount(), 1);
    ASSERT_EQ(p.YLabelRgns.size(), 1u);
    const CPlotVar& y = *p.YVar(0);
    EXPECT_EQ(y.AxisMap, 1);
    EXPECT_EQ(y.LabelIndex, 1);
    EXPECT_EQ(y.Color, 1);
    EXPECT_EQ(y.PenWidth, 3);
    EXPECT_EQ(y.Marker, 1);
    EXPECT_EQ(p.XLabelRgn->Text(), "time");
    EXPECT_EQ(p.YLabelRgns[0]->Text(), "flow");
    EXPECT_EQ(p.TitleRgn->Label.Text, "Plant");
    EXPECT_EQ(p.TitleRgn->AxisNumber, -1);
    EXPECT_EQ(p.YLabelRgns[0]->AxisNumber, 1);
    EXPECT_EQ(p.YLabelRgns[0]->VariableIndex, 1);
    ASSERT_EQ(p.Symbols.size(), 2u);
    EXPECT_EQ(p.Symbols[0].Name, "DATE");
    EXPECT_EQ(p.Symbols[1].Name, "TIME");
    EXPECT_EQ(p.TrackedVar, -1);
    // Every variable has its line object, the first with the first id.
    ASSERT_EQ(p.Objects.size(), 1u);
    EXPECT_EQ(p.Objects[0]->Id, 101);
    EXPECT_EQ(p.Objects[0]->YVarIndex, 0);
}

TEST_F(StructureTest, RegionsUseTheirFontSlots) {
    CPlotLook& p = Plot();
    EXPECT_EQ(p.TitleRgn->Fonts, &p.Fonts[CPlotLook::kTitleFont]);
    EXPECT_EQ(p.DrawingRgn->Fonts, &p.Fonts[CPlotLook::kDrawingFont]);
    EXPECT_EQ(p.LegendRgn->SecondFonts, &p.Fonts[CPlotLook::kSmallLegendFont]);
    EXPECT_EQ(p.XAxisRgn->Fonts, &p.Fonts[CPlotLook::kAxisFont]);
    EXPECT_EQ(p.YLabelRgns[0]->SecondFonts, &p.Fonts[CPlotLook::kSmallLabelFont]);
    ASSERT_NE(p.Fonts[CPlotLook::kTitleFont].Horizontal(), nullptr);
    EXPECT_EQ(p.Fonts[CPlotLook::kTitleFont].Horizontal()->Size, 12);
    EXPECT_EQ(p.Fonts[CPlotLook::kSmallLegendFont].Horizontal()->Size, 8);
    EXPECT_EQ(p.Fonts[CPlotLook::kLabelFont].SubKind, 2);
}

TEST_F(StructureTest, BarGraphAndXyPlotRebuildOnlyWhenTheKindChanges) {
    CPlotLook& p = Plot();
    p.SetData(1, 0, 5.0);
    EXPECT_EQ(p.SetPlotType(0), 0);
    EXPECT_TRUE(p.YVar(0)->GetValue(0).valid);

    EXPECT_EQ(p.SetPlotType(1), 1);
    EXPECT_EQ(p.BarGraph, 1);
    EXPECT_EQ(p.DrawingRgn->Class(), RegionClass::BarDrawing);
    EXPECT_EQ(p.YVar(0)->Marker, 9);
    EXPECT_EQ(p.YVar(0)->Capacity(), 0u);
    EXPECT_EQ(p.XAxisRgn->Label.Text, "X from server");
    EXPECT_EQ(p.YAxisRgns[0]->Label.Text, "Y from server");
    EXPECT_EQ(p.LayoutDirty, 1);

    p.SetData(1, 3, 7.0);
    EXPECT_EQ(p.SetPlotType(1), 0);
    EXPECT_DOUBLE_EQ(p.YVar(0)->GetValue(3).value, 7.0);
    EXPECT_EQ(p.SetPlotType(0), 1);
    EXPECT_EQ(p.BarGraph, 0);
    EXPECT_FALSE(p.YVar(0)->GetValue(3).valid);
}

TEST_F(StructureTest, TriangularPlotsHaveTwoSideAxesAndSwitchVariantInPlace) {
    CPlotLook& p = Plot();
    ASSERT_EQ(p.SetPlotType(2), 1);
    EXPECT_EQ(p.Triangular, 1);
    ASSERT_EQ(p.YAxisCount(), 2);
    ASSERT_EQ(p.YLabelRgns.size(), 2u);
    EXPECT_EQ(p.DrawingRgn->Class(), RegionClass::TriDrawing);
    EXPECT_EQ(p.YAxisRgns[1]->Class(), RegionClass::TriAxis);
    EXPECT_EQ(p.YLabelRgns[1]->Class(), RegionClass::TriLabel);
    EXPECT_EQ(p.YLabelRgns[1]->AxisNumber, 2);
    EXPECT_EQ(p.Fonts[CPlotLook::kAxisFont].SubKind, CPlotFont::kTriangularSubKind);
    EXPECT_EQ(KindsOf(p), (std::vector<int>{0, 1, 2, 4, 5, 5, 3, 3, 6}));

    p.SetData(1, 0, 0.25);
    p.SetLabel(-1, "A");
    ASSERT_TRUE(p.CornerRgns[0]);
    p.Selection = p.YAxisRgns[0].get();
    const CPlotAxis* first = p.YAxisRgns[0]->Axis.get();
    const CPlotAxis* second = p.YAxisRgns[1]->Axis.get();
    const int refreshes = host.menuRefreshes;

    EXPECT_EQ(p.SetPlotType(3), 0);
    EXPECT_EQ(p.Triangular, 2);
    EXPECT_EQ(p.YAxisRgns[0]->Axis.get(), second);
    EXPECT_EQ(p.YAxisRgns[1]->Axis.get(), first);
    EXPECT_EQ(p.YAxisRgns[0]->Axis->TriangleKind, 2);
    EXPECT_EQ(p.XAxisRgn->TriangleKind, 2);
    EXPECT_EQ(p.DrawingRgn->TriangleKind, 2);
    EXPECT_TRUE(p.XLabelRgn->Hidden);
    EXPECT_TRUE(p.YLabelRgns[0]->Hidden);
    EXPECT_FALSE(p.CornerRgns[0]->Hidden);
    EXPECT_EQ(p.Selection, nullptr);
    EXPECT_GT(host.menuRefreshes, refreshes);
    EXPECT_DOUBLE_EQ(p.YVar(0)->GetValue(0).value, 0.25);

    EXPECT_EQ(p.SetPlotType(2), 0);
    EXPECT_FALSE(p.XLabelRgn->Hidden);
    EXPECT_TRUE(p.CornerRgns[0]->Hidden);
    EXPECT_EQ(p.YAxisRgns[0]->Axis.get(), first);
}

TEST_F(StructureTest, TypeFourPutsProbabilityScalesOnBothAxesOnce) {
    CPlotLook& p = Plot();
    EXPECT_EQ(p.SetPlotType(4), 1);
    EXPECT_EQ(p.YAxisRgns[0]->Axis->Scale, 4);
    EXPECT_EQ(p.XAxisRgn->Axis->Scale, 1);
    EXPECT_EQ(p.YAxisRgns[0]->Axis->ResetRange, 1);
    EXPECT_EQ(p.SetPlotType(4), 0);
    // Neither bar nor triangular: type 0 sees nothing to change.
    EXPECT_EQ(p.SetPlotType(0), 0);
}

TEST_F(StructureTest, RebuildLeavesNothingPointingIntoTheOldPlot) {
    CPlotLook& p = Plot();
    NullDisplay* display = new NullDisplay;
    p.Displays.emplace_back(display);
    p.PickedDisplays.push_back(display);
    p.ActiveDisplay = display;
    p.Selection = p.YAxisRgns[0].get();
    p.ActiveObject = p.Objects[0].get();
    p.TrackedVar = 0;
    p.PlacingText = 1;
    const int deleted = host.contentDeleted;

    p.SetPlotType(1);
    EXPECT_EQ(p.Selection, nullptr);
    EXPECT_EQ(p.ActiveObject, nullptr);
    EXPECT_EQ(p.ActiveDisplay, nullptr);
    EXPECT_TRUE(p.PickedDisplays.empty());
    EXPECT_TRUE(p.Displays.empty());
    EXPECT_EQ(p.TrackedVar, -1);
    EXPECT_EQ(p.PlacingText, 0);
    EXPECT_GT(host.contentDeleted, deleted);
    EXPECT_NE(host.log.find("CLEANUP\r\n"), std::string::npos);
}

TEST_F(StructureTest, ClearContentEmptiesValuesAndAnnotationsButKeepsTheStructure) {
    CPlotLook& p = Plot();
    p.SetData(1, 4, 2.0);
    auto* note = new CPlotAnnotation;
    p.Annotations.emplace_back(note);
    p.Regions.push_back(note);
    auto text = std::make_unique<CPlotTextObj>(500);
    text->AnnotationIndex = 0;
    text->SelectedAnnotation = note;
    p.Objects.push_back(std::move(text));
    p.Selection = note;
    const std::size_t regions = p.Regions.size();

    p.ClearContent();
    EXPECT_EQ(p.YVar(0)->GetValue(4).value, kMissingValue);
    EXPECT_EQ(p.YVar(0)->Capacity(), 14u);
    EXPECT_TRUE(p.Annotations.empty());
    EXPECT_EQ(p.Regions.size(), regions - 1);
    EXPECT_EQ(p.Selection, nullptr);
    EXPECT_EQ(p.Objects.back()->AnnotationIndex, -1);
    EXPECT_EQ(p.Objects.back()->SelectedAnnotation, nullptr);
}

TEST_F(StructureTest, ClearContentOnRingsSmallerThanTheirBufferSizeStaysInside) {
    host.props.RunPlot = true;
    host.props.BufferSize = 50;
    Rebuild();
    CPlotLook& p = Plot();
    host.props.RunPlot = false;
    p.SetRunPlot(false);
    // Leaving run mode keeps the rings; a smaller point count then shrinks them below the
    // size they were made for.
    p.SetPointCount(5);
    ASSERT_TRUE(p.YVar(0)->IsCircular());
    ASSERT_EQ(p.YVar(0)->Capacity(), 5u);
    p.YVar(0)->Values.assign(5, 1.0);
    p.ClearContent();
    EXPECT_EQ(p.YVar(0)->Capacity(), 5u);
    for (double v : p.YVar(0)->Values) EXPECT_EQ(v, kMissingValue);
}

TEST_F(StructureTest, RunAndPhaseModesMakeEveryVariableARing) {
    host.props.BufferSize = 300;
    host.props.TimeWindow = 10.0f;
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetRunPlot(true);
    EXPECT_EQ(p.RunPlot, 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(p.YVar(i)->IsCircular());
        EXPECT_EQ(p.YVar(i)->Capacity(), 300u);
    }
    EXPECT_TRUE(p.XVar(0)->IsCircular());
    EXPECT_EQ(p.XAxisRgn->Axis->TimeAxis, 1);
    EXPECT_EQ(host.props.DisplayType, 0);
    EXPECT_EQ(host.props.MarkerInterval, 10);
    EXPECT_FLOAT_EQ(host.props.TimeScrollUnit, 2.0f);
    p.SetRunPlot(false);
    EXPECT_EQ(host.props.MarkerInterval, 1);
    EXPECT_TRUE(p.YVar(0)->IsCircular());

    p.SetPhasePlot(true);
    EXPECT_EQ(p.PhasePlot, 1);
    EXPECT_EQ(p.XAxisRgn->Axis->TimeAxis, 0);
    EXPECT_EQ(p.YVar(1)->TimeBufferSize, 300u);
}

TEST_F(StructureTest, HugeBuffersAreRefusedWithoutTouchingThePlot) {
    host.props.BufferSize = 20'000'000;
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    EXPECT_THROW(p.SetRunPlot(true), AutomationError);
    EXPECT_EQ(p.RunPlot, 0);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(p.YVar(i)->IsCircular());
}

}  // namespace
}  // namespace vtg
