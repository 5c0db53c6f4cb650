// Captions, legends, fonts, the legend box and line attributes through the dispatch interface.
#include <gtest/gtest.h>

#include <tuple>

#include "plot/CPlotLook.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct MethodsTextsTest : test::MethodsFixture, testing::Test {
    // Outputs of a Get method taking one index, preset to -9 so that untouched ones show.
    std::vector<int> Outputs(const char* method, int index, std::size_t count) {
        std::vector<Variant> out(count, I2(-9));
        std::vector<Variant> args{I2(index)};
        for (Variant& v : out) args.push_back(Variant::Ref(v));
        InvokeByName(Ctrl(), method, InvokeKind::Method, args);
        std::vector<int> values;
        for (const Variant& v : out) values.push_back(v.ToI2());
        return values;
    }
};

TEST_F(MethodsTextsTest, LineTypeCodesSplitIntoWidthAndStyleAndComeBack) {
    struct Row {
        int code, width, style, back;
    };
    test::Put(Ctrl(), "nvariables", I2(2));
    for (const Row r : {Row{5, 3, 0, 5}, Row{2, 1, 2, 2}, Row{-1, 0, -1, -1}, Row{0, 1, 0, 0}, Row{4, 2, 0, 4}}) {
        SCOPED_TRACE(r.code);
        Quiet();
        Call("SetAttribute", {I2(1), I2(r.code), I2(7), I2(3)});
        const CPlotVar& v = *Plot().YVar(1);
        EXPECT_EQ(std::make_tuple(v.PenWidth, v.PenStyle, v.Marker, v.Color), std::make_tuple(r.width, r.style, 7, 3));
        EXPECT_EQ(Outputs("GetAttribute", 1, 3), (std::vector<int>{r.back, 7, 3}));
        EXPECT_EQ(sink->Count("Modified"), 1u);
        EXPECT_EQ(Invalidations(), 1u);
    }
    EXPECT_EQ(Outputs("GetAttribute", 2, 3), (std::vector<int>{-9, -9, -9}));
    EXPECT_EQ(Outputs("GetAttribute", -1, 3), (std::vector<int>{-9, -9, -9}));
}

TEST_F(MethodsTextsTest, LabelsAndLegendsRoundTripAndRedrawUnlessLoading) {
    for (bool loading : {false, true}) {
        SCOPED_TRACE(loading);
        Ctrl().archiveLoading = loading;
        Quiet();
        Call("SetLabel", {I2(0), Variant(loading ? "t [s]" : "Time")});
        Call("SetLegend", {I2(1), Variant("Flow")});
        EXPECT_EQ(sink->Count("Modified"), 2u);
        EXPECT_EQ(Invalidations(), loading ? 0u : 2u);
        EXPECT_EQ(Plot().LayoutDirty, 1);
    }
    EXPECT_EQ(Call("GetLabel", {I2(0)}).ToString(), "t [s]");
    EXPECT_EQ(Call("GetLegend", {I2(1)}).ToString(), "Flow");
    EXPECT_EQ(Call("GetLegend", {I2(2)}).ToString(), "");
    EXPECT_EQ(Call("GetLabel", {I2(9)}).ToString(), "");
    // The texts of the title and caption properties, trimmed.
    test::Put(Ctrl(), "Title", Variant("  Reactor \t"));
    EXPECT_EQ(Call("GetCurrentValue", {I2(0)}).ToString(), "Reactor");
    EXPECT_EQ(Call("GetCurrentValue", {I2(3)}).ToString(), "");
}

TEST_F(MethodsTextsTest, FontsAreSetAndReadBySlot) {
    Call("SetFont", {I2(3), Variant("Arial"), I2(12), I2(1)});
    Variant size(I2(-9)), attrib(I2(-9));
    EXPECT_EQ(Call("GetFont", {I2(3), Variant::Ref(size), Variant::Ref(attrib)}).ToString(), "Arial");
    EXPECT_EQ(std::make_pair(size.ToI2(), attrib.ToI2()), std::make_pair(std::int16_t{12}, std::int16_t{1}));
    EXPECT_EQ(Plot().Fonts[CPlotLook::kSmallLegendFont].Horizontal()->Size, 9);
    EXPECT_EQ(Call("GetFont", {I2(5), Variant::Ref(size), Variant::Ref(attrib)}).ToString(), "");
    EXPECT_EQ(size.ToI2(), 12);
}

TEST_F(MethodsTextsTest, TheLegendBoxTakesOnlyValuesInRange) {
    const CPlotLegendRgn& legend = *Plot().LegendRgn;
    Call("SetLegendBox", {I2(0), I2(300), Variant(5.0f), I2(50)});
    EXPECT_EQ(std::make_tuple(legend.SampleLength, legend.ItemSpacing, legend.Margin, Plot().LegendBoxPlaced),
              std::make_tuple(20, 1.25f, 6, 0));
    Call("SetLegendBox", {I2(1), I2(30), Variant(1.5f), I2(8)});
    EXPECT_EQ(std::make_tuple(legend.SampleLength, legend.ItemSpacing, legend.Margin, Plot().LegendBoxPlaced),
              std::make_tuple(30, 1.5f, 8, 1));
    test::Put(Ctrl(), "IgnoreSetLegend", Variant(true));
    Call("SetLegendBox", {I2(1), I2(40), Variant(2.0f), I2(9)});
    EXPECT_EQ(legend.SampleLength, 30);
}

TEST_F(MethodsTextsTest, VariableLineSizesFollowThePlotDefaultsUnlessSetApart) {
    // One variable: size and interval become the plot's defaults.
    Call("SetVarLineAttributes", {I2(0), I2(2), I2(3), I2(1), I2(5), I2(7), I2(2)});
    EXPECT_EQ(test::Get(Ctrl(), "MarkerSize").ToI2(), 7);
    EXPECT_EQ(test::Get(Ctrl(), "MarkerInterval").ToI2(), 2);
    EXPECT_EQ(Outputs("GetVarLineAttributes", 0, 6), (std::vector<int>{2, 3, 1, 5, 7, 2}));
    EXPECT_EQ(Plot().YVar(0)->VarMarkerSize, 0);

    // Several: a value equal to the default keeps following it, another becomes the variable's.
    test::Put(Ctrl(), "nvariables", I2(2));
    Call("SetVarLineAttributes", {I2(1), I2(4), I2(1), I2(0), I2(2), I2(7), I2(5)});
    EXPECT_EQ(std::make_pair(Plot().YVar(1)->VarMarkerSize, Plot().YVar(1)->VarMarkerInterval), std::make_pair(0, 5));
    test::Put(Ctrl(), "MarkerSize", I2(9));
    EXPECT_EQ(Outputs("GetVarLineAttributes", 1, 6), (std::vector<int>{4, 1, 0, 2, 9, 5}));
    for (int index : {-1, 2}) {
        Call("SetVarLineAttributes", {I2(index), I2(1), I2(1), I2(1), I2(1), I2(1), I2(1)});
        EXPECT_EQ(Outputs("GetVarLineAttributes", index, 6), std::vector<int>(6, -9));
    }
}

TEST_F(MethodsTextsTest, SubstitutionValuesGoToTheVariableAndItsAxisCaption) {
    Ctrl().SetModifiedFlag(false);
    Call("SetSubstitutionValue", {I2(1), Variant("kg")});
    Call("SetSubstitutionValue", {I2(0), Variant("s")});
    Call("SetSubstitutionValue", {I2(5), Variant("x")});
    EXPECT_EQ(Plot().YVar(0)->SubstValue, "kg");
    EXPECT_EQ(Plot().YAxisRegion(1)->Label.Text2, "kg");
    EXPECT_EQ(Plot().XAxisRgn->Label.Text2, "s");
    EXPECT_TRUE(Ctrl().IsModified());
    EXPECT_EQ(sink->Count("Modified"), 0u);
    Call("SetSubstitutionString", {Variant("$")});
    EXPECT_EQ(Plot().SubstitutionString, "$");
}

}  // namespace
}  // namespace vtg
