// Live data through the dispatch interface: samples of run and phase plots, bulk loads from
// arrays of any shape a host may pass, rewinding, and scrolling the view.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/ImageSurface.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct MethodsTimeTest : test::MethodsFixture, testing::Test {
    MethodsTimeTest() {
        test::Put(Ctrl(), "nvariables", I2(2));
        test::Put(Ctrl(), "BufferSize", Variant(std::int32_t{50}));
        test::Put(Ctrl(), "RunPlot", Variant(true));
        test::Put(Ctrl(), "TimeWindow", Variant(10.0f));
        test::Put(Ctrl(), "TimeScrollUnit", Variant(2.0f));
        Ctrl().OnSize(400, 300);
        Quiet();
    }
    void Add(int var, double t, double v) { Call("AddTimeData", {I2(var), Variant(t), Variant(v)}); }
    std::vector<double> Stamps() { return Plot().XVar(0)->OrderedValues(); }
    std::vector<double> Values(int i) { return Plot().YVar(i)->OrderedValues(); }
    CPlotAxis& TimeAxis() { return *Plot().AxisByNumber(0); }
    // rows x columns of doubles, numbered from the given lower bounds.
    static Variant Table(std::vector<std::vector<double>> rows, int lower1 = 0, int lower2 = 0,
                         VarType type = VarType::R4) {
        SafeArray2D a(type, lower1, static_cast<std::uint32_t>(rows.size()), lower2,
                      static_cast<std::uint32_t>(rows.front().size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            for (std::size_t j = 0; j < rows[i].size(); ++j) a.Set(lower1 + static_cast<int>(i), lower2 + static_cast<int>(j), rows[i][j]);
        }
        return Variant(std::move(a));
    }
};

TEST_F(MethodsTimeTest, SamplesOutsideTheHostsVariablesAreIgnored) {
    Add(0, 1, 5);
    Add(3, 1, 5);
    Add(-1, 1, 5);
    EXPECT_TRUE(Stamps().empty());
    EXPECT_EQ(Plot().RefitDirty, 0);
    // nvariables larger than the plot's real count must not reach past it either.
    Plot().SetVariableCount(1);
    Add(2, 1, 5);
    EXPECT_TRUE(Stamps().empty());
    Add(1, 1, 5);
    EXPECT_EQ(Stamps(), (std::vector<double>{1}));
    EXPECT_EQ(Plot().RefitDirty, 1);
}

// A sample its axis cannot show asks for one paint, however many follow before it comes; a
// sample inside the shown range leaves the refit to whatever paints next; an axis that does
// not follow its data keeps the host's range and asks for nothing.
TEST_F(MethodsTimeTest, SamplesOffTheirScaleAskForOnePaintThatRefits) {
    site.Paint();
    Quiet();
    Add(1, 1, 0.5);
    EXPECT_EQ(Invalidations(), 0u);
    Add(1, 2, 5);
    Add(1, 3, 7);
    Add(2, 3, -40);
    EXPECT_EQ(Invalidations(), 1u);
    EXPECT_TRUE(site.Paint());
    const CPlotAxis& y = *Plot().AxisByNumber(1);
    EXPECT_LE(y.RangeMin, -40);
    EXPECT_GE(y.RangeMax, 7);
    EXPECT_EQ(Plot().RefitDirty, 0);
    Quiet();
    Add(1, 4, 1e6);
    EXPECT_EQ(Invalidations(), 1u) << "a paint came: the next sample off the scale asks again";

    Call("SetAxisMode", {I2(1), I2(0), I2(0)});
    Call("SetAxisRange", {I2(1), Variant(0.0), Variant(10.0)});
    site.Paint();
    Quiet();
    Add(1, 5, 500);
    EXPECT_EQ(Invalidations(), 0u);
    site.Paint();
    EXPECT_EQ(y.RangeMin, 0);
    EXPECT_EQ(y.RangeMax, 10);
}

// A host shows the control, then streams a simulation into a run plot with two Y axes whose
// values lie far apart and far from the fresh 0..1, painting now and then: after every paint
// each axis shows its variable's data, and each variable's curve is drawn inside the drawing
// area.
TEST_F(MethodsTimeTest, StreamedRunPlotAxesFollowTheirData) {
    test::Put(Ctrl(), "MultiYaxis", Variant(true));
    test::Put(Ctrl(), "DisplayType", I2(0));
    Call("SetAxisMap", {I2(0), I2(1)});
    Call("SetAxisMap", {I2(1), I2(2)});
    Call("SetAxisMap", {I2(-1), I2(0)});
    site.Paint();
    const auto colour = [](int k) { return RgbOnly(CDrawTool::Instance().PaletteColor(k)); };
    for (int step = 1; step <= 240; ++step) {
        const double t = 0.1 * step;
        Add(1, t, 2 + 0.05 * std::sin(t));
        Add(2, t, 350 + 10 * std::cos(t));
        if (step % 40 != 0) continue;
        SCOPED_TRACE(step);
        Call("Redraw");
        site.Paint();
        const Rect area = Plot().DrawingRgn->Rect;
        for (int k = 0; k < 2; ++k) {
            const CPlotAxis& axis = *Plot().AxisByNumber(k + 1);
            const MinMax data = Plot().YVar(k)->GetMinMax();
            EXPECT_LE(axis.RangeMin, data.min) << "axis " << k + 1;
            EXPECT_GE(axis.RangeMax, data.max) << "axis " << k + 1;
            // Neither axis is stretched to hold the other's data.
            EXPECT_LT(axis.RangeMax - axis.RangeMin, 100 * (data.max - data.min) + 1) << "axis " << k + 1;
            const auto [inside, outside] = test::CountColour(site.BackingImage(), colour(k + 1), area.Inflate(2, 2));
            EXPECT_GT(inside, 20) << "variable " << k + 1;
            EXPECT_EQ(outside, 0) << "variable " << k + 1;
        }
    }
    EXPECT_TRUE(Ctrl().Zoomed()) << "the time axis scrolled on";
}

TEST_F(MethodsTimeTest, DataPassingTheWindowScrollItOnTheWindow) {
    site.Paint();
    for (int t = 0; t <= 9; ++t) Add(1, t, t);
    EXPECT_FALSE(Ctrl().Zoomed());
    const int drawsBefore = site.WindowDrawCount();
    Add(1, 10.5, 3);
    EXPECT_TRUE(Ctrl().Zoomed());
    EXPECT_EQ(Plot().KeepXScale, 1);
    EXPECT_EQ(TimeAxis().RangeMin, 2);
    EXPECT_EQ(TimeAxis().RangeMax, 12);
    EXPECT_GT(site.WindowDrawCount(), drawsBefore) << "the new window is shown at once";
    ASSERT_NE(sink->Last("Zoomed"), nullptr);
    EXPECT_TRUE(sink->Last("Zoomed")->args.at(0).ToBool());
    // The paint that follows keeps the scrolled window.
    site.Paint();
    EXPECT_EQ(TimeAxis().RangeMax, 12);
    EXPECT_EQ(Plot().KeepXScale, 0);
}

TEST_F(MethodsTimeTest, TimeWindowChangesOnARunPlotResetTheTimeAxis) {
    test::Put(Ctrl(), "TimeWindow", Variant(25.0f));
    EXPECT_EQ(TimeAxis().RangeMin, 0);
    EXPECT_EQ(TimeAxis().RangeMax, 25);
    // A window of no width is refused and changes nothing.
    test::Put(Ctrl(), "TimeWindow", Variant(0.0f));
    test::Put(Ctrl(), "TimeWindow", Variant(-4.0f));
    EXPECT_EQ(test::Get(Ctrl(), "TimeWindow").ToR4(), 25.0f);
    EXPECT_EQ(TimeAxis().RangeMax, 25);
}

TEST_F(MethodsTimeTest, RewindAndClearKeepWhatTheySay) {
    for (int t = 1; t <= 5; ++t) {
        Add(1, t, 10 * t);
        Add(2, t, 20 * t);
    }
    Call("ClearTimeData", {I2(1)});
    EXPECT_EQ(Values(1), (std::vector<double>{1e28, 1e28, 1e28, 1e28, 1e28}));
    EXPECT_GT(Invalidations(), 0u);
    Call("RewindTimeData", {Variant(3.0)});
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(0), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(ErrorOf("ClearTimeData", {I2(2)}).Code(), HResult::InvalidArg);
}

TEST_F(MethodsTimeTest, BulkLoadTakesColumnsFromTheArraysOwnBounds) {
    // Rows are samples; columns numbered from 1: time, variable 1, variable 2, one too many.
    Call("CopyToBuffer", {Table({{1, 10, 100, 7}, {2, 20, 200, 7}, {3, 30, 300, 7}}, 5, 1)});
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(0), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(Values(1), (std::vector<double>{100, 200, 300}));
    EXPECT_GT(Invalidations(), 0u);
    // Doubles are taken as well, and passed by reference.
    Variant doubles = Table({{4, 1, 2}}, 0, 0, VarType::R8);
    Call("CopyToBuffer", {Variant::Ref(doubles)});
    EXPECT_EQ(Stamps(), (std::vector<double>{4}));
}

TEST_F(MethodsTimeTest, BulkLoadIgnoresWhatIsNoTableAndPlotsThatAreNotLive) {
    Call("CopyToBuffer", {Table({{1, 10, 100}})});
    const std::string before = test::Fingerprint(Ctrl());
    SafeArray2D row(VarType::R4, 0, 3);
    Call("CopyToBuffer", {Variant(row)});
    Call("CopyToBuffer", {Variant(3.0)});
    Call("CopyToBuffer", {Variant("1 2 3")});
    Call("CopyToBuffer", {Variant()});
    EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    test::Put(Ctrl(), "RunPlot", Variant(false));
    Call("CopyToBuffer", {Table({{5, 50, 500}})});
    EXPECT_NE(Plot().XVar(0)->OrderedValues(), (std::vector<double>{5}));
}

TEST_F(MethodsTimeTest, BulkLoadFarBeyondTheWindowMovesItInOneStep) {
    Call("CopyToBuffer", {Table({{0, 1, 1}, {1.7e9, 2, 2}}, 0, 0, VarType::R8)});
    EXPECT_GT(TimeAxis().RangeMax, 1.7e9);
    EXPECT_LE(TimeAxis().RangeMax, 1.7e9 + 2.0001);
    EXPECT_TRUE(Ctrl().Zoomed());
}

TEST_F(MethodsTimeTest, PhaseSamplesTakeAsManyValuesAsTheyCarry) {
    Call("SetPhasePlot", {Variant(true)});
    // An array with more values than variables: the extra one is not read.
    SafeArray2D values(VarType::R4, 1, 3);
    values.Set(1, 10.0);
    values.Set(2, 20.0);
    values.Set(3, 30.0);
    EXPECT_EQ(Call("AddPhaseData", {Variant(1.0f), Variant(values)}).ToI4(), 0);
    EXPECT_EQ(Plot().XVar(0)->OrderedValues(), (std::vector<double>{1}));
    EXPECT_EQ(Values(0), (std::vector<double>{10}));
    EXPECT_EQ(Values(1), (std::vector<double>{20}));
    // One float by reference, as the interface declares it: the first variable only.
    Variant one(5.0f);
    Call("AddPhaseData", {Variant(2.0f), Variant::Ref(one)});
    EXPECT_EQ(Values(0), (std::vector<double>{10, 5}));
    EXPECT_EQ(Values(1), (std::vector<double>{20}));
    EXPECT_EQ(Plot().RefitDirty, 1);
    // Nothing for the variables: only the independent value is taken.
    Call("AddPhaseData", {Variant(3.0f), Variant()});
    EXPECT_EQ(Plot().XVar(0)->OrderedValues(), (std::vector<double>{1, 2, 3}));
}

TEST_F(MethodsTimeTest, ScrollMovesTheViewAndReportsTheNewPosition) {
    test::Put(Ctrl(), "RunPlot", Variant(false));
    test::Put(Ctrl(), "npoints", I2(11));
    for (int i = 0; i <= 10; ++i) {
        Call("SetData", {I2(0), I2(i), Variant(10.0 * i)});
        Call("SetData", {I2(1), I2(i), Variant(1.0 * i)});
    }
    site.Paint();
    Call("SetAxisRange", {I2(0), Variant(0.0), Variant(20.0)});
    site.Paint();
    Variant lo(std::int16_t{0});
    Variant hi(std::int16_t{0});
    Call("GetScroll", {Variant(true), Variant::Ref(lo), Variant::Ref(hi)});
    const int before = lo.ToI2();
    Call("Scroll", {Variant(true), I2(3), I2(0)});
    Call("GetScroll", {Variant(true), Variant::Ref(lo), Variant::Ref(hi)});
    EXPECT_GT(lo.ToI2(), before);
    EXPECT_TRUE(Ctrl().IsModified());
    // Jumping to a thumb position.
    Call("Scroll", {Variant(true), I2(5), I2(0)});
    Call("GetScroll", {Variant(true), Variant::Ref(lo), Variant::Ref(hi)});
    EXPECT_EQ(lo.ToI2(), 0);
}

}  // namespace
}  // namespace vtg
