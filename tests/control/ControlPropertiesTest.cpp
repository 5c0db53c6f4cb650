// The control's properties as a host reaches them: names and DISPIDs, defaults, clamps, what
// each handler changes in the plot, and the values a handler refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "control/HostServices.h"
#include "hostkit/DefaultHostKit.h"
#include "regions/CPlotLegendRgn.h"
#include "ControlTestSupport.h"

namespace vtg {
namespace {

using test::ControlFixture;
using test::Get;
using test::Put;

struct PropertiesTest : ControlFixture, testing::Test {
    PropertiesTest() { ResetResourceStringCache(); }
    ~PropertiesTest() override { SetProcessClientType(0); }
};

TEST(PropertyTableTest, EveryPropertyHasItsDispidAndType) {
    struct Row {
        const char* name;
        DispId id;
        VarType type;
    };
    const VarType S = VarType::Bstr, B = VarType::Bool, I2 = VarType::I2, I4 = VarType::I4, R4 = VarType::R4;
    const std::vector<Row> rows{
        {"Title", 1, S}, {"xlabel", 2, S}, {"ylabel", 3, S}, {"MultiYaxis", 4, B}, {"RunPlot", 5, B},
        {"PlotType", 6, I2}, {"TimeWindow", 7, R4}, {"UseVariable", 8, B}, {"InputFile", 9, S},
        {"npoints", 10, I2}, {"nvariables", 11, I2}, {"TimeScrollUnit", 12, R4}, {"GridType", 13, I2},
        {"MarkerSize", 14, I2}, {"MarkerInterval", 15, I2}, {"Flipped", 16, B}, {"SquarePlot", 17, B},
        {"DiagonalLine", 18, B}, {"ZeroLine", 19, B}, {"DisplayType", 20, I2}, {"BufferSize", 21, I4},
        {"SizeToData", 22, B}, {"Parametric", 23, B}, {"nxvariables", 24, I2}, {"ReverseXAxis", 25, B},
        {"AddTimeStamp", 26, B}, {"ShowLegend", 27, B}, {"CommunicationIntervals", 28, I2},
        {"GridInterval", 29, R4}, {"VariableDrop", 30, B}, {"IgnoreSetLegend", 31, B},
        {"PlotVals", 32, VarType::Dispatch}, {"EditProfileVariables", 33, B}, {"EditProfileTable", 34, B},
        {"AlwaysShowFull", 35, B}, {"ClientType", 36, I2}, {"ShowTitle", 37, B}, {"ShowXaxisLabel", 38, B},
        {"CanLivePlot", 39, B}, {"LivePlot", 40, B}, {"ShowTracker", 41, B}, {"ZoomLevel", 42, VarType::R8},
        {"BackColor", -501, I4}, {"ForeColor", -513, I4}};
    const MemberTableCore& table = CVortigaCtrl::Members();
    int properties = 0;
    for (const MemberInfo& m : table) properties += m.kind == MemberKind::Property;
    EXPECT_EQ(properties, 44);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const MemberInfo* m = table.Find(r.name);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(m->id, r.id);
        EXPECT_EQ(m->result, r.type);
        EXPECT_TRUE(m->canGet && m->canPut);
    }
}

TEST_F(PropertiesTest, AHostBuildsAPlotByNameAndReadsTheDefaultsBack) {
    CVortigaCtrl& c = Ctrl();
    const DispId id = c.GetIDsOfNames("nvariables");
    EXPECT_EQ(id, c.GetIDsOfNames("NVARIABLES"));
    std::vector<Variant> three{Variant(std::int16_t{3})};
    c.Invoke(id, InvokeKind::PropertyPut, three);
    Put(c, "npoints", Variant(std::int16_t{5}));
    Put(c, "PlotType", Variant(std::int16_t{0}));
    for (int j = 0; j < 5; ++j) Plot().SetData(2, j, j * 2.0);

    std::vector<Variant> none;
    EXPECT_EQ(c.Invoke(id, InvokeKind::PropertyGet, none).ToI2(), 3);
    EXPECT_EQ(Get(c, "npoints").ToI2(), 5);
    CPlotLook& p = Plot();
    ASSERT_EQ(p.DependentCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.GetAxisMap(i), 1);
        EXPECT_EQ(p.YVar(i)->LabelIndex, i + 1);
        EXPECT_EQ(p.GetAttribute(i)->color, i + 1);
        EXPECT_EQ(p.GetAttribute(i)->marker, i + 1);
        EXPECT_EQ(p.YVar(i)->Capacity(), 5u);
    }
    EXPECT_DOUBLE_EQ(p.YVar(1)->GetValue(4).value, 8.0);
    EXPECT_EQ(c.VariableNames().size(), 3u);
    EXPECT_EQ(p.YVar(2)->Name, "Var. 3");

    Put(c, "RunPlot", Variant(true));
    EXPECT_TRUE(Get(c, "RunPlot").ToBool());
    EXPECT_EQ(p.RunPlot, 1);
    EXPECT_TRUE(p.YVar(0)->IsCircular());
    EXPECT_EQ(Get(c, "MarkerInterval").ToI2(), 10);
    EXPECT_EQ(Get(c, "DisplayType").ToI2(), 0);
}

TEST_F(PropertiesTest, ResetGivesTheDocumentedDefaults) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "UseVariable", Variant(true));
    Put(c, "BufferSize", Variant(std::int32_t{77}));
    c.ResetState();
    EXPECT_FALSE(Get(c, "UseVariable").ToBool());
    EXPECT_EQ(Get(c, "nvariables").ToI2(), 1);
    EXPECT_EQ(Get(c, "DisplayType").ToI2(), 2);
    EXPECT_EQ(Get(c, "BufferSize").ToI4(), 2000);
    EXPECT_FLOAT_EQ(Get(c, "TimeWindow").ToR4(), 1.0f);
    EXPECT_FLOAT_EQ(Get(c, "TimeScrollUnit").ToR4(), 0.2f);
    EXPECT_TRUE(Get(c, "VariableDrop").ToBool());
    EXPECT_TRUE(Get(c, "ShowTitle").ToBool());
    EXPECT_DOUBLE_EQ(Get(c, "ZoomLevel").ToR8(), 1.0);
    EXPECT_EQ(Get(c, "BackColor").ToI4(), 0xFFFFFF);
    EXPECT_EQ(Get(c, "ForeColor").ToI4(), 0);
    EXPECT_FALSE(c.IsModified());
}

TEST_F(PropertiesTest, TextDefaultsComeFromTheHostsStrings) {
    ctrl = std::make_unique<CVortigaCtrl>();
    ctrl->ResetState();
    EXPECT_EQ(Get(Ctrl(), "Title").ToString(), "");
    {
        ScopedHostKit kit;
        CVortigaCtrl withKit;
        withKit.ResetState();
        EXPECT_EQ(Get(withKit, "Title").ToString(), "Title");
        EXPECT_EQ(Get(withKit, "xlabel").ToString(), "X Axis");
        EXPECT_EQ(withKit.Plot().TitleRgn->Label.Text, "Title");
        EXPECT_EQ(withKit.Plot().XAxisRgn->Label.Text, "X Axis");
    }
}

TEST_F(PropertiesTest, OutOfRangeValuesAreClamped) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "GridType", Variant(std::int16_t{7}));
    EXPECT_EQ(Get(c, "GridType").ToI2(), 0);
    Put(c, "GridType", Variant(std::int16_t{3}));
    EXPECT_EQ(Plot().GridType, 3);
    Put(c, "DisplayType", Variant(std::int16_t{-1}));
    EXPECT_EQ(Get(c, "DisplayType").ToI2(), 2);
    EXPECT_EQ(Plot().DisplayType, 2);
    Put(c, "TimeWindow", Variant(10.0f));
    Put(c, "TimeScrollUnit", Variant(0.0005f));
    EXPECT_FLOAT_EQ(Get(c, "TimeScrollUnit").ToR4(), 2.0f);
    Put(c, "TimeScrollUnit", Variant(11.0f));
    EXPECT_FLOAT_EQ(Get(c, "TimeScrollUnit").ToR4(), 2.0f);
    Put(c, "TimeScrollUnit", Variant(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FLOAT_EQ(Get(c, "TimeScrollUnit").ToR4(), 2.0f);
    Put(c, "TimeScrollUnit", Variant(0.5f));
    EXPECT_FLOAT_EQ(Get(c, "TimeScrollUnit").ToR4(), 0.5f);
    // A marker interval is kept as given; drawing steps by at least one point.
    Put(c, "MarkerInterval", Variant(std::int16_t{0}));
    EXPECT_EQ(Get(c, "MarkerInterval").ToI2(), 0);
    EXPECT_EQ(Plot().MarkerInterval, 0);
    Put(c, "PlotType", Variant(std::int16_t{9}));
    EXPECT_EQ(Get(c, "PlotType").ToI2(), 0);
    EXPECT_EQ(Plot().BarGraph, 0);
}

TEST_F(PropertiesTest, ValuesThatCannotWorkLeaveThePropertyAsItWas) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "npoints", Variant(std::int16_t{10}));
    Put(c, "npoints", Variant(std::int16_t{-3}));
    EXPECT_EQ(Get(c, "npoints").ToI2(), 10);
    EXPECT_EQ(Plot().YVar(0)->Capacity(), 10u);

    EXPECT_THROW(Put(c, "nvariables", Variant(std::int16_t{-2})), AutomationError);
    EXPECT_EQ(Get(c, "nvariables").ToI2(), 1);
    EXPECT_THROW(Put(c, "nxvariables", Variant(std::int16_t{-2})), AutomationError);
    EXPECT_EQ(Get(c, "nxvariables").ToI2(), 1);

    Put(c, "npoints", Variant(std::int16_t{32767}));
    try {
        Put(c, "nvariables", Variant(std::int16_t{32767}));
        FAIL() << "a plot of a billion values was accepted";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), HResult::InvalidArg);
        EXPECT_NE(e.Message().find("value slots"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(Get(c, "nvariables").ToI2(), 1);
    EXPECT_EQ(Plot().DependentCount(), 1);

    for (std::int32_t size : {0, -5}) {
        Put(c, "BufferSize", Variant(size));
        EXPECT_EQ(Get(c, "BufferSize").ToI4(), 2000);
    }
    EXPECT_THROW(Put(c, "BufferSize", Variant(std::int32_t{2'000'000'000})), AutomationError);
    EXPECT_EQ(Get(c, "BufferSize").ToI4(), 2000);

    for (float w : {0.0f, -1.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
        Put(c, "TimeWindow", Variant(w));
        EXPECT_FLOAT_EQ(Get(c, "TimeWindow").ToR4(), 1.0f);
    }
    Put(c, "GridInterval", Variant(0.0f));
    Put(c, "GridInterval", Variant(-1.0f));
    EXPECT_FLOAT_EQ(Get(c, "GridInterval").ToR4(), 0.1f);
    Put(c, "GridInterval", Variant(0.25f));
    EXPECT_FLOAT_EQ(Get(c, "GridInterval").ToR4(), 0.25f);
}

TEST_F(PropertiesTest, ZoomLevelOutsideItsRangeIsIgnored) {
    CVortigaCtrl& c = Ctrl();
    for (CPlotAxis* a : {Plot().AxisByNumber(0), Plot().AxisByNumber(1)}) {
        a->ExtentMin = a->RangeMin = 0;
        a->ExtentMax = a->RangeMax = 10;
    }
    Put(c, "ZoomLevel", Variant(2000.0));
    EXPECT_DOUBLE_EQ(Get(c, "ZoomLevel").ToR8(), 1.0);
    EXPECT_DOUBLE_EQ(Plot().ZoomLevel, 1.0);
    Put(c, "ZoomLevel", Variant(4.0));
    EXPECT_DOUBLE_EQ(Get(c, "ZoomLevel").ToR8(), 4.0);
    EXPECT_TRUE(c.Zoomed());
    ASSERT_NE(sink->Last("Zoomed"), nullptr);
    EXPECT_TRUE(sink->Last("Zoomed")->args[0].ToBool());
    Put(c, "ZoomLevel", Variant(0.5));
    EXPECT_DOUBLE_EQ(Get(c, "ZoomLevel").ToR8(), 4.0);
}

TEST_F(PropertiesTest, GrowingTheVariablesNamesOnlyTheNewOnes) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "nvariables", Variant(std::int16_t{2}));
    Plot().NameVariable(0, "FIC101.PV");
    Plot().YVar(0)->MapCaption = "Feed";
    Put(c, "nvariables", Variant(std::int16_t{4}));
    EXPECT_EQ(Plot().YVar(0)->Name, "FIC101.PV");
    EXPECT_EQ(Plot().YVar(0)->MapCaption, "Feed");
    EXPECT_EQ(Plot().YVar(3)->Name, "Var. 4");
    EXPECT_EQ(Plot().YVar(3)->MapCaption, "Var. 4");
    EXPECT_EQ(c.VariableNames().size(), 4u);
}

TEST_F(PropertiesTest, ZeroVariablesLeaveOneRealVariable) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "nvariables", Variant(std::int16_t{0}));
    EXPECT_EQ(Get(c, "nvariables").ToI2(), 0);
    EXPECT_EQ(Plot().DependentCount(), 1);
}

TEST_F(PropertiesTest, ParametricSwitchesTheLegendOnUnlessTheHostChoseIt) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "Parametric", Variant(true));
    EXPECT_TRUE(Get(c, "ShowLegend").ToBool());
    EXPECT_EQ(Plot().ShowLegend, 1);

    for (bool chosen : {false, true}) {
        SCOPED_TRACE(chosen);
        CVortigaCtrl other;
        Put(other, "ShowLegend", Variant(chosen));
        Put(other, "Parametric", Variant(true));
        EXPECT_EQ(Get(other, "ShowLegend").ToBool(), chosen);
        EXPECT_EQ(other.Plot().ShowLegend == 1, chosen);
    }
}

TEST_F(PropertiesTest, HandlersRecordWhatTheHostSetAndFireModified) {
    CVortigaCtrl& c = Ctrl();
    EXPECT_EQ(c.ChangedProperties(), 0u);
    Put(c, "GridType", Variant(std::int16_t{1}));
    Put(c, "ShowLegend", Variant(false));
    EXPECT_EQ(c.ChangedProperties(), CVortigaCtrl::kGridTypeBit | CVortigaCtrl::kShowLegendBit);
    EXPECT_GE(sink->Count("Modified"), 2u);
    EXPECT_TRUE(c.IsModified());

    c.EnableFireModified(false);
    sink->Clear();
    Put(c, "GridType", Variant(std::int16_t{2}));
    EXPECT_EQ(sink->Count("Modified"), 0u);
    Put(c, "CommunicationIntervals", Variant(std::int16_t{5}));
    ASSERT_NE(sink->Last("CommunicationIntervalsSet"), nullptr);
    EXPECT_EQ(sink->Last("CommunicationIntervalsSet")->args[0].Type(), VarType::I2);
    EXPECT_EQ(sink->Last("CommunicationIntervalsSet")->args[0].ToI2(), 5);
}

TEST_F(PropertiesTest, ShowLegendTogglesThePlotsLegendAndReportsTheSelection) {
    CVortigaCtrl& c = Ctrl();
    Plot().Selection = Plot().XAxisRgn.get();
    Put(c, "ShowLegend", Variant(true));
    EXPECT_EQ(Plot().ShowLegend, 1);
    ASSERT_NE(sink->Last("Selected"), nullptr);
    EXPECT_EQ(sink->Last("Selected")->args[0].ToI2(), RegionKind::XAxis);
    Put(c, "ShowLegend", Variant(true));
    EXPECT_EQ(Plot().ShowLegend, 1);
    Put(c, "ShowLegend", Variant(false));
    EXPECT_EQ(Plot().ShowLegend, 0);
    EXPECT_EQ(Plot().LegendRgn->Shown, 0);
}

TEST_F(PropertiesTest, FlippedMapsEveryVariableToTheFirstAxis) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "nvariables", Variant(std::int16_t{2}));
    Plot().SetAxisMap(1, 2);
    Put(c, "Flipped", Variant(true));
    EXPECT_EQ(Plot().Flipped, 1);
    EXPECT_EQ(Plot().GetAxisMap(1), 1);
    EXPECT_EQ(Plot().FitAllPending, 1);
    ASSERT_NE(sink->Last("Zoomed"), nullptr);
    EXPECT_TRUE(sink->Last("Zoomed")->args[0].ToBool());
}

TEST_F(PropertiesTest, SquarePlotWithDiagonalFitsBothAxesAndReportsTheZoom) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "SquarePlot", Variant(true));
    EXPECT_EQ(sink->Count("ZoomDone"), 0u);
    Put(c, "DiagonalLine", Variant(true));
    EXPECT_EQ(sink->Count("ZoomDone"), 1u);
    EXPECT_EQ(Plot().Square, 1);
    EXPECT_EQ(Plot().Diagonal, 1);
    EXPECT_FLOAT_EQ(sink->Last("ZoomDone")->args[0].ToR4(), 1.0f);
}

TEST_F(PropertiesTest, TitleAndCaptionsReachThePlotTrimmed) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "Title", Variant("  Reactor 1 \t"));
    Put(c, "xlabel", Variant("time"));
    Put(c, "ylabel", Variant(" T "));
    EXPECT_EQ(Get(c, "Title").ToString(), "  Reactor 1 \t");
    EXPECT_EQ(Plot().TitleRgn->Label.Text, "Reactor 1");
    EXPECT_EQ(Plot().XAxisRgn->Label.Text, "time");
    EXPECT_EQ(Plot().YAxisRgns[0]->Label.Text, "T");
    Put(c, "ShowTitle", Variant(false));
    EXPECT_EQ(Plot().TitleRgn->Hidden, 1);
    Put(c, "ShowXaxisLabel", Variant(false));
    EXPECT_EQ(Plot().XLabelRgn->Hidden, 1);
    Put(c, "ReverseXAxis", Variant(true));
    EXPECT_EQ(Plot().XAxisRgn->Axis->Reverse, 1);
}

TEST_F(PropertiesTest, ClientTypeIsSharedWithTheMessageBoxes) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "ClientType", Variant(std::int16_t{1}));
    EXPECT_EQ(ProcessClientType(), 1);
    EXPECT_EQ(Get(c, "ClientType").ToI2(), 1);
    EXPECT_EQ(Get(c, "PlotVals").ToDispatch(), nullptr);
}

TEST_F(PropertiesTest, WrongTypesAndUnknownNamesAreAutomationErrors) {
    CVortigaCtrl& c = Ctrl();
    EXPECT_THROW(c.GetIDsOfNames("nvariablesX"), AutomationError);
    try {
        Put(c, "nvariables", Variant("many"));
        FAIL();
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.Code(), HResult::TypeMismatch);
    }
    EXPECT_EQ(Get(c, "nvariables").ToI2(), 1);
}

}  // namespace
}  // namespace vtg
