// Axes, scales and the view through the dispatch interface: ranges, unknown axis numbers,
// multipliers, the axis map, zooming, Redraw and Clear.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>

#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct MethodsAxesTest : test::MethodsFixture, testing::Test {
    std::pair<double, double> AxisRange(int axis) {
        Variant lo(-99.0), hi(-99.0);
        Call("GetAxisRange", {I2(axis), Variant::Ref(lo), Variant::Ref(hi)});
        return {lo.ToR8(), hi.ToR8()};
    }
    std::pair<int, int> Scroll(bool horizontal) {
        Variant lo(I2(-1)), hi(I2(-1));
        Call("GetScroll", {Variant(horizontal), Variant::Ref(lo), Variant::Ref(hi)});
        return {lo.ToI2(), hi.ToI2()};
    }
};

TEST_F(MethodsAxesTest, EqualBoundsMeanNothingToSetRangeButAreTakenBySetAxisRange) {
    struct Step {
        const char* method;
        double lo, hi;
        std::pair<double, double> range;
        std::size_t modified;   // Modified events so far
    };
    const std::vector<Step> steps{
        {"SetAxisRange", 10, 0, {0, 10}, 1}, {"SetRange", 5, 5, {0, 10}, 1}, {"SetRange", 8, 2, {2, 8}, 1},
        {"SetAxisRange", 5, 5, {5, 5}, 2},   {"SetRange", std::nan(""), 1, {5, 5}, 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.method << "(" << s.lo << ", " << s.hi << ")");
        Call(s.method, {I2(1), Variant(s.lo), Variant(s.hi)});
        EXPECT_EQ(AxisRange(1), s.range);
        EXPECT_EQ(sink->Count("Modified"), s.modified);
    }
}

TEST_F(MethodsAxesTest, AxisNumbersThePlotDoesNotHaveChangeNothing) {
    Call("SetAxisMap", {I2(0), I2(2)});
    ASSERT_EQ(Call("GetNYaxes").ToI2(), 2);
    const std::string before = test::Fingerprint(Ctrl());
    Quiet();
    for (int axis : {-1, 3, 32767}) {
        SCOPED_TRACE(axis);
        Call("SetAxisRange", {I2(axis), Variant(1.0), Variant(2.0)});
        Call("SetAxisRangeR", {I2(axis), Variant(1.0), Variant(2.0), I2(1)});
        Call("SetMultiplier", {I2(axis), I2(2)});
        Call("SetMultiplierType", {I2(axis), I2(1)});
        Call("SetAxisMode", {I2(axis), I2(0), I2(0)});
        Call("GetSetAxisRefit", {I2(axis)});
        EXPECT_EQ(AxisRange(axis), std::make_pair(-99.0, -99.0));
        std::array<Variant, 6> out{};
        out.fill(Variant(-99.0));
        std::vector<Variant> args{I2(axis)};
        for (Variant& v : out) args.push_back(Variant::Ref(v));
        EXPECT_FALSE(InvokeByName(Ctrl(), "GetAxisHighLows", InvokeKind::Method, args).ToBool());
        EXPECT_EQ(out[5].ToR8(), -99.0);
        Variant mode(I2(-5));
        Call("GetAxisMode", {I2(axis), I2(0), Variant::Ref(mode)});
        EXPECT_EQ(mode.ToI2(), -5);
        for (const char* getter : {"GetMultiplier", "GetMultiplierType", "GetLabelColor", "GetAxisColor"}) {
            EXPECT_EQ(Call(getter, {I2(axis)}).ToI2(), 0) << getter;
        }
        const AutomationError e = ErrorOf("SetAxisScale", {I2(axis), I2(1)});
        EXPECT_EQ(e.Code(), HResult::InvalidArg);
        EXPECT_NE(e.Message().find("no axis " + std::to_string(axis)), std::string::npos) << e.Message();
    }
    EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    EXPECT_TRUE(sink->Events().empty());
    EXPECT_EQ(Invalidations(), 0u);
}

TEST_F(MethodsAxesTest, MultipliersChangeOnlyForAnAxisThatExistsAndOnlyWhenDifferent) {
    Call("SetMultiplier", {I2(0), I2(3)});
    Call("SetMultiplierType", {I2(1), I2(1)});
    EXPECT_EQ(Call("GetMultiplier", {I2(0)}).ToI2(), 3);
    EXPECT_EQ(Call("GetMultiplierType", {I2(1)}).ToI2(), 1);
    EXPECT_EQ(Invalidations(), 2u);
    Quiet();
    Call("SetMultiplier", {I2(0), I2(3)});
    Call("SetMultiplier", {I2(-1), I2(2)});
    Call("SetMultiplier", {I2(Call("GetNYaxes").ToI2() + 1), I2(2)});
    EXPECT_EQ(Invalidations(), 0u);
    EXPECT_EQ(Call("GetMultiplier", {I2(1)}).ToI2(), 0);
}

TEST_F(MethodsAxesTest, SetAxisRangeRReportsTheRibbonAtTheNextPaintOnlyWhenTheRangeMoves) {
    Call("SetAxisRange", {I2(1), Variant(0.0), Variant(10.0)});
    Ctrl().SetPendingSelectedId(CVortigaCtrl::kNothingPending);
    Call("SetAxisRangeR", {I2(1), Variant(0.0), Variant(10.0), I2(1)});
    EXPECT_EQ(Ctrl().PendingSelectedId(), CVortigaCtrl::kNothingPending);
    for (auto [ribbon, id] : std::vector<std::pair<int, int>>{{1, -111}, {2, -222}}) {
        Quiet();
        Call("SetAxisRangeR", {I2(1), Variant(0.0), Variant(20.0 + ribbon), I2(ribbon)});
        EXPECT_EQ(AxisRange(1), std::make_pair(0.0, 20.0 + ribbon));
        site.Paint();
        ASSERT_EQ(sink->Count("Selected"), 1u);
        EXPECT_EQ(sink->Last("Selected")->args[0].ToI2(), id);
    }
}

TEST_F(MethodsAxesTest, ScaleOfAVariableOrWithSeveralYAxesOfAnAxis) {
    Call("SetScale", {I2(1), I2(1)});
    Call("SetScale", {I2(0), I2(2)});
    EXPECT_EQ(Call("GetScale", {I2(1)}).ToI2(), 1);
    EXPECT_EQ(Call("GetScale", {I2(0)}).ToI2(), 2);
    EXPECT_EQ(sink->Count("Modified"), 2u);

    test::Put(Ctrl(), "nvariables", I2(2));
    Call("SetAxisMap", {I2(0), I2(2)});
    Call("SetAxisMap", {I2(-1), I2(0)});
    // Variable 2 is on Y axis 1, yet with two Y axes the number names axis 2.
    Call("SetScale", {I2(2), I2(3)});
    EXPECT_EQ(Plot().AxisByNumber(2)->Scale, 3);
    EXPECT_EQ(Call("GetScale", {I2(1)}).ToI2(), 3);
    EXPECT_EQ(ErrorOf("SetScale", {I2(3), I2(1)}).Code(), HResult::InvalidArg);

    Ctrl().archiveLoading = true;
    Quiet();
    Call("SetScale", {I2(1), I2(0)});
    Call("SetLabel", {I2(1), Variant("y")});
    EXPECT_EQ(Invalidations(), 0u) << "loading paints once at its end";
    EXPECT_EQ(sink->Count("Modified"), 2u);
}

TEST_F(MethodsAxesTest, TheAxisMapIsRecordedThenApplied) {
    test::Put(Ctrl(), "nvariables", I2(3));
    Quiet();
    Call("SetAxisMap", {I2(2), I2(3)});
    EXPECT_EQ(Call("GetAxisMap", {I2(2)}).ToI2(), 3);
    EXPECT_TRUE(sink->Events().empty());
    Call("SetAxisMap", {I2(-1), I2(0)});
    EXPECT_EQ(Call("GetNYaxes").ToI2(), 2) << "the gap at axis 2 is closed";
    EXPECT_EQ(Call("GetAxisMap", {I2(2)}).ToI2(), 2);
    EXPECT_EQ(sink->Count("Modified"), 1u);
    // Far beyond any sensible axis, and flipped plots, leave the map alone.
    Call("SetAxisMap", {I2(0), I2(30000)});
    test::Put(Ctrl(), "Flipped", Variant(true));
    Call("SetAxisMap", {I2(1), I2(2)});
    EXPECT_EQ(Call("GetAxisMap", {I2(0)}).ToI2(), 1);
    EXPECT_EQ(Call("GetAxisMap", {I2(1)}).ToI2(), 1);
}

TEST_F(MethodsAxesTest, ModeZeroIsTheResetRangeFlag) {
    Call("SetAxisMode", {I2(0), I2(0), I2(0)});
    Call("SetAxisMode", {I2(1), I2(7), I2(0)});
    Variant x(I2(-1)), y(I2(-1)), other(I2(-1));
    Call("GetAxisMode", {I2(0), I2(0), Variant::Ref(x)});
    Call("GetAxisMode", {I2(1), I2(0), Variant::Ref(y)});
    Call("GetAxisMode", {I2(1), I2(7), Variant::Ref(other)});
    EXPECT_EQ(std::make_tuple(x.ToI2(), y.ToI2(), other.ToI2()), std::make_tuple(0, 1, -1));
}

TEST_F(MethodsAxesTest, ZoomInDoublesUpTo1024AndReportsEveryStep) {
    const std::vector<double> levels{2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 1024};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        Call("Zoom", {I2(1)});
        ASSERT_EQ(sink->Count("ZoomDone"), i + 1);
        EXPECT_EQ(sink->Last("ZoomDone")->args[0], Variant(static_cast<float>(levels[i])));
    }
    EXPECT_EQ(test::Get(Ctrl(), "ZoomLevel").ToR8(), 1024);
    EXPECT_TRUE(sink->Last("Zoomed")->args[0].ToBool());
    for (int i = 0; i < 10; ++i) Call("Zoom", {I2(2)});
    EXPECT_EQ(test::Get(Ctrl(), "ZoomLevel").ToR8(), 1);
    EXPECT_FALSE(sink->Last("Zoomed")->args[0].ToBool());
    EXPECT_EQ(Scroll(true), std::make_pair(0, 1000));
}

TEST_F(MethodsAxesTest, ZoomingInNarrowsEveryAxisAroundItsMiddle) {
    Call("Zoom", {I2(1)});
    EXPECT_EQ(Scroll(true), std::make_pair(250, 750));
    EXPECT_EQ(Scroll(false), std::make_pair(250, 750));
    Call("Zoom", {I2(9)});
    EXPECT_EQ(sink->Last("ZoomDone")->args[0].ToR4(), 2.0f) << "an unknown mode keeps the level";
    Call("Zoom", {I2(3)});
    EXPECT_EQ(Scroll(true), std::make_pair(0, 1000));
}

TEST_F(MethodsAxesTest, ClearBuildsAFreshPlotWithOneVariable) {
    test::Put(Ctrl(), "nvariables", I2(3));
    test::Put(Ctrl(), "npoints", I2(5));
    test::Put(Ctrl(), "ShowTracker", Variant(true));
    Call("SetData", {I2(2), I2(1), Variant(4.0)});
    Call("SetLabel", {I2(0), Variant("Time")});
    Quiet();
    Call("Clear");
    EXPECT_EQ(test::Get(Ctrl(), "nvariables").ToI2(), 1);
    EXPECT_EQ(test::Get(Ctrl(), "npoints").ToI2(), 0);
    EXPECT_FALSE(test::Get(Ctrl(), "ShowTracker").ToBool());
    EXPECT_EQ(Plot().DependentCount(), 1);
    EXPECT_EQ(Plot().Width, 400);
    EXPECT_NE(Call("GetLabel", {I2(0)}).ToString(), "Time");
    EXPECT_GT(Invalidations(), 0u);
}

TEST_F(MethodsAxesTest, RedrawReportsTheSelectionAtTheNextPaint) {
    Ctrl().SetPendingSelectedId(CVortigaCtrl::kNothingPending);
    Plot().Selection = Plot().XAxisRgn.get();
    Call("Redraw");
    EXPECT_EQ(Ctrl().PendingSelectedId(), 2) << "the X axis region's kind";
    EXPECT_EQ(Invalidations(), 1u);
}

}  // namespace
}  // namespace vtg
