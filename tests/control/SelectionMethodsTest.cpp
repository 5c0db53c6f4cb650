// The selection methods through the dispatch interface: a selection made (as a click makes
// it), read back and changed, for an annotation, a variable line, a caption and an axis; showing
// and hiding variables and captions; colour indexes; the indexes that are errors.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

std::pair<Variant, std::vector<int>> Pair(const char* text, std::vector<int> values) {
    return {Variant(text), std::move(values)};
}

struct SelectionMethodsTest : test::MethodsFixture, testing::Test {
    // The plot's line object of dependent variable k (0-based).
    CPlotObj* LineOf(int k) {
        for (const auto& o : Plot().Objects) {
            if (o->Kind == PlotObjKind::Line && o->YVarIndex == k) return o.get();
        }
        return nullptr;
    }
    // Calls a method whose arguments are n short outputs (preset to -1, so that zeros are
    // seen being written); its result and the outputs.
    std::pair<Variant, std::vector<int>> Outputs(const char* method, std::size_t n) {
        std::vector<Variant> outs(n, I2(-1));
        std::vector<Variant> refs;
        for (Variant& v : outs) refs.push_back(Variant::Ref(v));
        const Variant result = Call(method, refs);
        std::vector<int> values;
        for (const Variant& v : outs) values.push_back(v.ToI2());
        return {result, values};
    }
    std::pair<Variant, std::vector<int>> Annotation() { return Outputs("GetSelAnnoAttributes", 7); }
    std::vector<int> LineInfo() { return Outputs("GetVarLineInfo", 6).second; }
    int IndexOut(const char* method) { return Outputs(method, 1).second[0]; }
};

TEST_F(SelectionMethodsTest, ASelectedAnnotationIsReadAndChanged) {
    const int id = Call("AddText", {Variant("Feed"), Variant(0.5f), Variant(0.5f), I2(2), I2(0), Variant("Tahoma"),
                                    I2(12), I2(0)})
                       .ToI2();
    EXPECT_EQ(Annotation(), Pair("", std::vector<int>(7, 0)));
    Quiet();
    Call("SetSelAnnoAttributes", {Variant("Arial"), I2(14), I2(2), I2(5), I2(0), I2(1), I2(0), I2(1)});
    EXPECT_TRUE(sink->Events().empty()) << "without a selected annotation nothing happens";

    ASSERT_TRUE(Plot().SelectObject(id));
    EXPECT_EQ(Ctrl().CurrentSelectionCode(), 7);
    EXPECT_EQ(Annotation(), Pair("Tahoma", {12, 0, 2, 0, 0, 0, 2}));

    Quiet();
    Call("SetSelAnnoAttributes", {Variant("Arial"), I2(14), I2(2), I2(5), I2(0), I2(1), I2(0), I2(1)});
    EXPECT_EQ(Annotation(), Pair("Arial", {14, 2, 5, 0, 1, 0, 1}));
    EXPECT_EQ(sink->Count("Modified"), 1u);

    // No face keeps the face, no size gives a height, a colour beyond the palette is 0.
    Call("SetSelAnnoAttributes", {Variant(""), I2(0), I2(0), I2(40), I2(0), I2(0), I2(0), I2(2)});
    EXPECT_EQ(Annotation(), Pair("Arial", {10, 0, 0, 0, 0, 0, 2}));
}

TEST_F(SelectionMethodsTest, ASelectedVariableLineIsReadAndChangedColourFirst) {
    test::Put(Ctrl(), "nvariables", I2(2));
    EXPECT_EQ(LineInfo(), std::vector<int>(6, 0)) << "nothing selected";
    EXPECT_EQ(IndexOut("GetIndexSelVarLine"), 0);
    CPlotVar& var = *Plot().YVar(1);
    var.VarMarkerSize = 0;
    var.VarMarkerInterval = 0;
    ASSERT_TRUE(Plot().SelectObject(LineOf(1)));
    EXPECT_EQ(Ctrl().CurrentSelectionCode(), 13);
    EXPECT_EQ(IndexOut("GetIndexSelVarLine"), 1);
    const std::vector<int> info = LineInfo();
    EXPECT_EQ(info[0], var.Color);
    EXPECT_EQ(info[4], Plot().MarkerSize) << "size 0 reads as the plot's default";
    EXPECT_EQ(info[5], Plot().MarkerInterval);

    const int colour = var.Color == 9 ? 8 : 9;
    Call("SetVarLineInfo", {I2(colour), I2(4), I2(2), I2(3), I2(7), I2(5)});
    EXPECT_EQ(var.Color, colour);
    EXPECT_NE(var.PenWidth, 4) << "a new colour changes the colour alone";
    Call("SetVarLineInfo", {I2(colour), I2(4), I2(2), I2(3), I2(7), I2(5)});
    EXPECT_EQ(LineInfo(), (std::vector<int>{colour, 4, 2, 3, 7, 5}));
}

TEST_F(SelectionMethodsTest, ASelectedAxisIsReadAndChanged) {
    auto axisState = [&] {
        return std::vector<double>{static_cast<double>(Call("GetSelAxisScaleReverse").ToI2()),
                                   static_cast<double>(Call("GetSelAxisScaleResetRange").ToI2()),
                                   static_cast<double>(Call("GetSelAxisScaleLockGrid").ToI2()),
                                   Call("GetSelAxisScaleInterval").ToR8(),
                                   static_cast<double>(Call("GetAxisColorIndex").ToI2())};
    };
    EXPECT_EQ(axisState(), std::vector<double>(5, 0.0));
    Call("SetSelAxisScaleReverse", {I2(1)});
    EXPECT_EQ(Plot().YAxisRgns[0]->Axis->Reverse, 0) << "without a selection nothing changes";

    ASSERT_TRUE(Plot().SelectRegion(Plot().YAxisRgns[0].get()));
    EXPECT_EQ(Ctrl().CurrentSelectionCode(), 3);
    EXPECT_EQ(IndexOut("GetIndexSelAxisScaleRgn"), 1);
    Call("SetSelAxisScaleReverse", {I2(5)});
    Call("SetSelAxisScaleResetRange", {I2(-3)});
    Call("SetSelAxisScaleLockGrid", {I2(7)});
    Call("SetSelAxisScaleInterval", {Variant(2.5)});
    Call("SetAxisColorIndex", {I2(4)});
    EXPECT_EQ(axisState(), (std::vector<double>{5, 0, 1, 2.5, 4}));
    EXPECT_EQ(Ctrl().GridInterval, 0.1f) << "only a triangular plot takes the grid interval";

    ASSERT_TRUE(Plot().SelectRegion(Plot().XAxisRgn.get()));
    EXPECT_EQ(IndexOut("GetIndexSelAxisScaleRgn"), 0);
    EXPECT_EQ(Ctrl().CurrentSelectionCode(), 2);
}

TEST_F(SelectionMethodsTest, TheTriangleTakesOnlyAPositiveFiniteGridInterval) {
    test::Put(Ctrl(), "PlotType", I2(2));
    ASSERT_NE(Plot().TriangleKind(), 0);
    CPlotAxis& side = *Plot().YAxisRgns[1]->Axis;
    CPlotAxis& base = *Plot().XAxisRgn->Axis;
    ASSERT_TRUE(Plot().SelectRegion(Plot().YAxisRgns[1].get()));
    Call("SetSelAxisScaleInterval", {Variant(0.25)});
    EXPECT_EQ(Ctrl().GridInterval, 0.25f);
    for (const CPlotAxis* axis : {&side, &base}) {
        EXPECT_EQ(axis->UserInterval, 0.25);
        EXPECT_EQ(axis->LockGrid, 1);
    }
    const double inf = std::numeric_limits<double>::infinity();
    for (double hostile : {0.0, -1.0, std::nan(""), inf, -inf, 1e300, 1e-60}) {
        SCOPED_TRACE(hostile);
        Call("SetSelAxisScaleInterval", {Variant(hostile)});
        EXPECT_EQ(Ctrl().GridInterval, 0.25f);
        EXPECT_EQ(side.UserInterval, 0.25);
        EXPECT_EQ(base.UserInterval, 0.25);
    }
}

TEST_F(SelectionMethodsTest, ColourIndexesOutsideThePaletteAreStoredAsZero) {
    struct Case {
        const char* set;
        const char* get;
        CPlotRegion* region;
        int* stored;
    };
    const std::vector<Case> cases{
        {"SetLabelColorIndex", "GetLabelColorIndex", Plot().XLabelRgn.get(), &Plot().XLabelRgn->ColorIndex},
        {"SetAxisColorIndex", "GetAxisColorIndex", Plot().YAxisRgns[0].get(), &Plot().YAxisRgns[0]->ColorIndex}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        Plot().ClearSelection();
        Call(c.set, {I2(9)});
        EXPECT_EQ(*c.stored, 0) << "without a selection nothing is stored";
        EXPECT_EQ(Call(c.get).ToI2(), 0);
        ASSERT_TRUE(Plot().SelectRegion(c.region));
        Quiet();
        const std::vector<std::pair<int, int>> storedAs{{9, 9}, {15, 15}, {16, 0}, {-1, 0}, {300, 0}};
        for (const auto& [given, kept] : storedAs) {
            Call(c.set, {I2(given)});
            EXPECT_EQ(Call(c.get).ToI2(), kept) << given;
        }
        EXPECT_EQ(Invalidations(), 0u) << "the colour setters do not redraw";
    }
}

TEST_F(SelectionMethodsTest, VariablesAreHiddenAndShownWithTheLegendFollowing) {
    test::Put(Ctrl(), "nvariables", I2(2));
    Call("SetLegend", {I2(1), Variant("Flow")});
    test::Put(Ctrl(), "ShowLegend", Variant(true));
    CPlotLegendRgn& legend = *Plot().LegendRgn;
    Variant visible(I2(-1));
    EXPECT_EQ(Call("GetVariableLineState", {I2(0), Variant::Ref(visible)}).ToString(), "Flow");
    EXPECT_EQ(visible.ToI2(), 1);

    Call("HideShowVariable", {I2(0), I2(1)});
    Call("GetVariableLineState", {I2(0), Variant::Ref(visible)});
    EXPECT_EQ(visible.ToI2(), 0);
    legend.Measured = 1;
    Call("HideShowVariable", {I2(1), I2(1)});
    EXPECT_EQ(legend.Measured, 0);
    EXPECT_EQ(legend.ItemCount, 0) << "no variable left to show: the legend is emptied";
    Call("HideShowVariable", {I2(1), I2(0)});
    EXPECT_EQ(Plot().YVar(1)->Hidden, 0);
    EXPECT_TRUE(test::Get(Ctrl(), "ShowLegend").ToBool());

    Call("HideShowVariable", {I2(2), I2(1)});   // no such variable: ignored
    for (int index : {-1, 2}) {
        EXPECT_EQ(ErrorOf("GetVariableLineState", {I2(index), Variant::Ref(visible)}).Code(), HResult::InvalidArg);
    }
}

TEST_F(SelectionMethodsTest, CaptionsAreSelectedHiddenAndShownByNumber) {
    CPlotLabelRgn& xCaption = *Plot().XLabelRgn;
    ASSERT_FALSE(Plot().YLabelRgns.empty());
    CPlotLabelRgn& yCaption = *Plot().YLabelRgns[0];
    ASSERT_TRUE(Plot().SelectRegion(&yCaption));
    EXPECT_EQ(IndexOut("GetIndexSelLabel"), 1);
    ASSERT_TRUE(Plot().SelectRegion(&xCaption));
    EXPECT_EQ(IndexOut("GetIndexSelLabel"), 0);
    Call("HideShowLabel", {I2(1), I2(0)});
    EXPECT_EQ(Plot().Selection, &xCaption) << "showing keeps the selection";

    Call("HideShowLabel", {I2(0), I2(1)});
    EXPECT_EQ(xCaption.Hidden, 1);
    EXPECT_EQ(Plot().Selection, nullptr) << "hiding clears the selection";
    EXPECT_FALSE(test::Get(Ctrl(), "ShowXaxisLabel").ToBool());
    Call("HideShowLabel", {I2(1), I2(1)});
    Variant visible(I2(-1));
    EXPECT_EQ(Call("GetYaxisLabelsState", {I2(0), Variant::Ref(visible)}).ToString(), yCaption.Text());
    EXPECT_EQ(visible.ToI2(), 0);
    Call("HideShowLabel", {I2(1), I2(0)});
    Call("GetYaxisLabelsState", {I2(0), Variant::Ref(visible)});
    EXPECT_EQ(visible.ToI2(), 1);

    const int beyond = static_cast<int>(Plot().YLabelRgns.size()) + 1;
    EXPECT_EQ(ErrorOf("HideShowLabel", {I2(beyond), I2(1)}).Code(), HResult::InvalidArg);
    EXPECT_EQ(ErrorOf("HideShowLabel", {I2(-1), I2(1)}).Code(), HResult::InvalidArg);
    EXPECT_EQ(ErrorOf("GetYaxisLabelsState", {I2(beyond), Variant::Ref(visible)}).Code(), HResult::InvalidArg);
}

}  // namespace
}  // namespace vtg
