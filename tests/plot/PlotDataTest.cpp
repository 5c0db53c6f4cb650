// Line attributes, the plot content block and the minimal label and legend texts.
#include <gtest/gtest.h>

#include "objects/CPlotObj.h"
#include "platform/Automation.h"
#include "platform/Locale.h"
#include "plot/BinaryStream.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

using test::PlotFixture;

struct DataTest : PlotFixture, testing::Test {};

TEST(LineTypeTest, CodesSplitIntoWidthAndStyleAndBack) {
    struct Row {
        int code;
        LineStyle line;
    };
    for (const Row& r : {Row{5, {3, 0}}, Row{2, {1, 2}}, Row{-1, {0, -1}}, Row{-7, {0, -1}}, Row{0, {1, 0}},
                         Row{3, {1, 3}}, Row{4, {2, 0}}, Row{40, {38, 0}}}) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(SplitLineType(r.code), r.line);
        EXPECT_EQ(LineTypeCode(r.line), r.code < 0 ? -1 : r.code);
    }
}

TEST_F(DataTest, SetAttributeTakesTheAutomationOrder) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetAttribute(1, 5, 4, 7);
    const CPlotVar& v = *p.YVar(1);
    EXPECT_EQ(v.PenWidth, 3);
    EXPECT_EQ(v.PenStyle, 0);
    EXPECT_EQ(v.Marker, 4);
    EXPECT_EQ(v.Color, 7);
    const auto a = p.GetAttribute(1);
    ASSERT_TRUE(a);
    EXPECT_EQ(*a, (LineAttributes{7, 4, {3, 0}}));
    EXPECT_EQ(LineTypeCode(a->line), 5);

    p.SetAttribute(1, -1, 0, 2);
    EXPECT_EQ(p.GetAttribute(1)->line, (LineStyle{0, -1}));
    EXPECT_FALSE(p.GetAttribute(-1));
    EXPECT_FALSE(p.GetAttribute(2));
}

TEST_F(DataTest, AnIndexThatNamesNoVariableReachesTheObjectsVariable) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    const int id = p.Objects[1]->Id;
    p.SetAttribute(id, 2, 6, 3);
    EXPECT_EQ(p.YVar(1)->PenStyle, 2);
    EXPECT_EQ(p.YVar(1)->Color, 3);
    // Reading back takes variable indexes only.
    EXPECT_FALSE(p.GetAttribute(id));
    p.SetAttribute(30000, 2, 6, 3);
    p.SetAttribute(-5, 2, 6, 3);
}

TEST_F(DataTest, FilledVariablesAndBarsKeepMarkerAndStyleElsewhere) {
    CPlotLook& p = Plot();
    p.YVar(0)->Filled = 1;
    p.SetAttribute(0, 3, 8, 1);
    EXPECT_EQ(p.YVar(0)->FillStyle, 8);
    EXPECT_EQ(p.YVar(0)->PenStyle, 3);

    p.SetPlotType(1);
    p.SetAttribute(0, 2, 5, 4);
    EXPECT_EQ(p.YVar(0)->FillStyle, 2);
    EXPECT_EQ(p.YVar(0)->Marker, 5);
    EXPECT_EQ(p.YVar(0)->PenWidth, 3);
    EXPECT_EQ(p.GetAttribute(0)->line.style, 2);
}

TEST_F(DataTest, SecondAttributesRoundTrip) {
    CPlotLook& p = Plot();
    p.SetAttribute2(0, {6, 3, 1, -1});
    EXPECT_EQ(p.GetAttribute2(0), (SecondAttributes{6, 3, 1, -1}));
    EXPECT_EQ(p.GetAttribute2(p.Objects[0]->Id), (SecondAttributes{6, 3, 1, -1}));
    EXPECT_FALSE(p.GetAttribute2(9));
}

TEST_F(DataTest, ContentBlockRoundTripsValuesAndRingOrder) {
    host.props.BufferSize = 4;
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetXVariableCount(2);
    p.SetData(0, 0, 1.5);
    p.SetData(0, 1, 2.5);
    p.SetData(2, 3, -4.0);
    p.XVar(1)->ImplicitX = 1;
    p.XVar(1)->ImplicitXOffset = 10;
    p.XVar(1)->Resize(3);
    BinaryWriter out;
    p.WriteData(out);

    PlotFixture other;
    other.Plot().SetVariableCount(2);
    other.Plot().SetXVariableCount(2);
    BinaryReader in(out.Data());
    other.Plot().ReadData(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(other.Plot().XVar(0)->OrderedValues(), p.XVar(0)->OrderedValues());
    EXPECT_EQ(other.Plot().XVar(1)->OrderedValues(), (std::vector<double>{10, 11, 12}));
    EXPECT_EQ(other.Plot().YVar(1)->OrderedValues(), p.YVar(1)->OrderedValues());
}

TEST_F(DataTest, AWrappedRingIsWrittenOldestFirstAndReloadsInTimeOrder) {
    host.props.RunPlot = true;
    host.props.BufferSize = 5;
    Rebuild();
    CPlotLook& p = Plot();
    for (int t = 0; t < 8; ++t) {
        p.XVar(0)->SetValue(p.XVar(0)->WritePos, t);
        p.YVar(0)->SetValue(p.YVar(0)->WritePos, 10 * t);
    }
    BinaryWriter out;
    p.WriteData(out);

    PlotFixture other;
    other.host.props = host.props;
    other.Rebuild();
    BinaryReader in(out.Data());
    other.Plot().ReadData(in);
    const CPlotVar& x = *other.Plot().XVar(0);
    const CPlotVar& y = *other.Plot().YVar(0);
    EXPECT_EQ(x.OrderedValues(), (std::vector<double>{3, 4, 5, 6, 7}));
    EXPECT_EQ(y.OrderedValues(), (std::vector<double>{30, 40, 50, 60, 70}));
    EXPECT_EQ(x.Capacity(), 5u);
    for (std::uint32_t i = 0; i + 1 < x.Capacity(); ++i) EXPECT_LT(x.Values[i], x.Values[i + 1]);
}

TEST_F(DataTest, BlocksThatDoNotFitTheVariablesFailBeforeChangingAnything) {
    CPlotLook& p = Plot();
    p.SetData(1, 0, 42);
    BinaryWriter out;
    out.I32(1);
    out.F64(1.0);
    out.I32(1'000'000);
    out.F64(2.0);
    BinaryReader in(out.Data());
    EXPECT_THROW(p.ReadData(in), StreamError);
    EXPECT_DOUBLE_EQ(p.YVar(0)->GetValue(0).value, 42);

    BinaryWriter negative;
    negative.I32(-1);
    BinaryReader in2(negative.Data());
    EXPECT_THROW(p.ParseData(in2), StreamError);

    // Values that would take the plot past its budget of slots are refused as a whole.
    p.SlotBudget = 20;
    BinaryWriter big;
    big.I32(5);
    for (int k = 0; k < 5; ++k) big.F64(k);
    big.I32(16);
    for (int k = 0; k < 16; ++k) big.F64(k);
    BinaryReader in3(big.Data());
    EXPECT_THROW(p.ReadData(in3), AutomationError);
    EXPECT_EQ(p.XVar(0)->Capacity(), 0u);
    EXPECT_DOUBLE_EQ(p.YVar(0)->GetValue(0).value, 42);
}

TEST_F(DataTest, LabelsGoToCaptionsOrOnTimePlotsToLegends) {
    CPlotLook& p = Plot();
    p.SetLabel(0, "");
    EXPECT_EQ(p.GetLabel(0), "      ");
    p.SetLabel(1, "\r");
    EXPECT_EQ(p.GetLabel(1), "      ");
    p.SetLabel(1, "pressure");
    EXPECT_EQ(p.YAxisRgns[0]->Label.Text, "pressure");
    p.SetLabel(2, "ignored");
    EXPECT_EQ(p.GetLabel(2), "");

    host.props.RunPlot = true;
    Rebuild();
    CPlotLook& run = Plot();
    run.SetLabel(1, "T101");
    EXPECT_EQ(run.YVar(0)->Label.Text, "T101");
    EXPECT_NE(run.GetLabel(1), "T101");
    run.SetLabel(5, "nobody");
}

TEST_F(DataTest, CornerLabelsAreCreatedOnceAndRemovedByAnEmptyText) {
    CPlotLook& p = Plot();
    const std::size_t regions = p.Regions.size();
    p.SetLabel(-2, "B");
    CPlotCornerRgn* corner = p.CornerRgns[1].get();
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->Number, 2);
    p.SetLabel(-2, "B2");
    EXPECT_EQ(p.CornerRgns[1].get(), corner);
    EXPECT_EQ(p.GetLabel(-2), "B2");
    EXPECT_EQ(p.Regions.size(), regions + 1);
    p.Selection = corner;
    p.SetLabel(-2, "");
    EXPECT_EQ(p.CornerRgns[1], nullptr);
    EXPECT_EQ(p.Regions.size(), regions);
    EXPECT_EQ(p.Selection, nullptr);
    p.SetLabel(-4, "ignored");
}

TEST_F(DataTest, LegendsUseTheLocaleDecimalSeparatorAndObjectIds) {
    LocaleOverride comma({",", "dd.MM.yyyy", "HH:mm:ss"});
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    EXPECT_FALSE(p.SetLegend(1, "1.5 mol"));
    EXPECT_EQ(p.GetLegend(1), "1,5 mol");
    p.SetLegend(1, "a.b 2. .5");
    EXPECT_EQ(p.GetLegend(1), "a.b 2. .5");
    p.SetLegend(1, "1.5");
    EXPECT_EQ(p.GetLegend(1), "1.5");
    p.SetLegend(p.Objects[1]->Id, "via object");
    EXPECT_EQ(p.GetLegend(2), "via object");
    EXPECT_FALSE(p.GetLegend(3));
    p.ShowLegend = 1;
    EXPECT_TRUE(p.SetLegend(9, "nobody"));
}

TEST_F(DataTest, SymbolsAreFoundWithoutRegardToCase) {
    CPlotLook& p = Plot();
    p.SetSymbol("unit", "kg");
    p.SetSymbol("UNIT", "t");
    p.SetSymbol("date", "today");
    ASSERT_EQ(p.Symbols.size(), 3u);
    EXPECT_EQ(p.Symbols[2].Value, "t");
    EXPECT_EQ(p.Symbols[0].Value, "today");
}

}  // namespace
}  // namespace vtg
