// Live data: circular buffers, time steps, rewinding, the scrolling time window and phase
// samples.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/Automation.h"
#include "platform/ImageSurface.h"
#include "platform/RecordingSurface.h"
#include "regions/CPlotAxisRgn.h"
#include "axes/PlotValues.h"
#include "regions/CPlotDrawingRgn.h"
#include "PlotTestSupport.h"

namespace vtg::test {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

class TimeDataTest : public ::testing::Test, public PlotFixture {
protected:
    // A run plot of `variables` dependent variables with rings of `slots`.
    CPlotLook& RunPlot(int slots, int variables = 1) {
        host.props.RunPlot = true;
        host.props.BufferSize = slots;
        host.props.nvariables = static_cast<std::int16_t>(variables);
        Rebuild();
        Plot().SetVariableCount(variables);
        Plot().ResizeTimeBuffers();
        return Plot();
    }
    // Adds one time step: the same stamp for every dependent variable, value = 10 * t + var.
    void Step(double t) {
        for (int v = 1; v <= Plot().DependentCount(); ++v) Plot().AddTimeData(v, t, 10 * t + v);
    }
    std::vector<double> Stamps() { return Plot().XVar(0)->OrderedValues(); }
    CPlotAxis& TimeAxis() { return *Plot().AxisByNumber(0); }
};

TEST_F(TimeDataTest, RingKeepsTheNewestStampsAndWrapsInPlace) {
    CPlotLook& p = RunPlot(5);
    for (int t = 1; t <= 7; ++t) Step(t);
    const CPlotVar& x = *p.XVar(0);
    EXPECT_EQ(x.Values, (std::vector<double>{6, 7, 3, 4, 5}));
    EXPECT_EQ(x.WritePos, 2u);
    EXPECT_EQ(x.Wrapped, 1u);
    EXPECT_EQ(Stamps(), (std::vector<double>{3, 4, 5, 6, 7}));
    EXPECT_EQ(p.YVar(0)->OrderedValues(), (std::vector<double>{31, 41, 51, 61, 71}));
}

TEST_F(TimeDataTest, VariablesOfOneStepShareTheSlotAndLateValuesFindTheirStep) {
    CPlotLook& p = RunPlot(10, 2);
    p.AddTimeData(1, 1.0, 11);
    p.AddTimeData(2, 1.0, 12);
    p.AddTimeData(1, 2.0, 21);
    // Variable 2's value for step 1 arrives after step 2 was opened.
    p.AddTimeData(2, 2.0, 22);
    p.AddTimeData(2, 1.0, 13);
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2}));
    EXPECT_EQ(p.YVar(0)->Values[0], 11);
    EXPECT_EQ(p.YVar(0)->Values[1], 21);
    EXPECT_EQ(p.YVar(1)->Values[0], 13);
    EXPECT_EQ(p.YVar(1)->Values[1], 22);
}

TEST_F(TimeDataTest, NegativeTimeRepeatsTheNewestStampAsAGap) {
    CPlotLook& p = RunPlot(10, 2);
    Step(1);
    Step(2);
    EXPECT_TRUE(p.AddTimeData(1, -1, 99).stored);
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2, 2}));
    EXPECT_EQ(p.YVar(0)->Values[2], 99);
    EXPECT_TRUE(IsMissing(p.YVar(1)->Values[2]));
    // The repeated step exists now: a second repeat reuses it.
    EXPECT_TRUE(p.AddTimeData(2, -1, 98).stored);
    EXPECT_EQ(Stamps().size(), 3u);
    EXPECT_EQ(p.YVar(1)->Values[2], 98);
}

TEST_F(TimeDataTest, SamplesThatCannotBeStoredAreRefused) {
    CPlotLook& p = RunPlot(10, 2);
    // Nothing to repeat yet.
    EXPECT_FALSE(p.AddTimeData(1, -1, 5).stored);
    EXPECT_TRUE(Stamps().empty());
    // Stamps that are no time.
    EXPECT_FALSE(p.AddTimeData(1, kInf, 5).stored);
    EXPECT_FALSE(p.AddTimeData(1, std::nan(""), 5).stored);
    EXPECT_TRUE(Stamps().empty());
    // Not a variable; nothing changes.
    EXPECT_THROW(p.AddTimeData(0, 1, 5), AutomationError);
    EXPECT_THROW(p.AddTimeData(3, 1, 5), AutomationError);
    EXPECT_TRUE(Stamps().empty());
    // A non-finite value is a gap, at a real step.
    EXPECT_TRUE(p.AddTimeData(1, 1, std::nan("")).stored);
    EXPECT_TRUE(IsMissing(p.YVar(0)->Values[0]));
    // Not a run plot.
    host.props.RunPlot = false;
    p.SetRunPlot(false);
    EXPECT_FALSE(p.AddTimeData(1, 2, 5).stored);
}

TEST_F(TimeDataTest, ValuesAskForARefitOnlyWhileTheirAxisFollowsItsData) {
    CPlotLook& p = RunPlot(10);
    CPlotAxis& y = *p.AxisByNumber(1);
    EXPECT_TRUE(p.AddTimeData(1, 1, 5).refit);
    EXPECT_EQ(y.DataMin, 5);
    y.NeedsRescale = 0;
    EXPECT_TRUE(p.AddTimeData(1, 2, 5).refit);
    EXPECT_EQ(y.NeedsRescale, 0);
    EXPECT_TRUE(p.AddTimeData(1, 3, 50).refit);
    EXPECT_EQ(y.NeedsRescale, 1);
    y.ResetRange = 0;
    EXPECT_FALSE(p.AddTimeData(1, 4, 500).refit);
    EXPECT_TRUE(p.AddTimeData(1, 5, 500).stored);
    // The time axis only learns how far the data reach.
    EXPECT_EQ(TimeAxis().DataMax, 5);
}

TEST_F(TimeDataTest, FindingStampsAgreesWithAFullSearch) {
    // Stamps arrive mostly in order with repeats, late steps, tiny and equal values: every
    // lookup must name the first matching slot, as a scan from slot 0 would.
    std::mt19937 random(7);
    CPlotVar fast(1);
    fast.MakeCircular(16);
    std::uniform_int_distribution<int> choice(0, 9);
    double next = 0;
    for (int i = 0; i < 4000; ++i) {
        const int c = choice(random);
        double t = c < 6 ? (next += 1) : c < 8 ? next : c == 8 ? next - 3 : 1e-30 * (i % 3);
        if (i % 500 == 499) fast.Truncate(0, true);
        std::optional<std::uint32_t> expected;
        for (std::uint32_t s = 0; s < fast.ValidCount(); ++s) {
            if (std::fabs(fast.Values[s] - t) < CPlotVar::kTimeTolerance) {
                expected = s;
                break;
            }
        }
        const TimeSlot got = fast.FindOrAppendTime(t, true);
        ASSERT_TRUE(got.found) << "lookup " << i;
        if (expected) {
            ASSERT_FALSE(got.appended) << "lookup " << i;
            ASSERT_EQ(got.slot, *expected) << "lookup " << i << " of " << t;
        } else {
            ASSERT_TRUE(got.appended) << "lookup " << i;
            ASSERT_EQ(fast.Values[got.slot], t);
        }
    }
}

TEST_F(TimeDataTest, VariablesWithoutSlotsRefuseSamples) {
    CPlotVar none(0);
    none.TimeBuffer = 1;
    EXPECT_FALSE(none.Push(1));
    EXPECT_FALSE(none.FindOrAppendTime(1, true).found);
    EXPECT_FALSE(none.FindOrAppendTime(-1, true).found);
}

TEST_F(TimeDataTest, RewindKeepsTheStepsUpToTheGivenTime) {
    CPlotLook& p = RunPlot(10);
    for (int t = 1; t <= 5; ++t) Step(t);
    p.RewindTimeData(3);
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(p.YVar(0)->OrderedValues(), (std::vector<double>{11, 21, 31}));
    EXPECT_EQ(TimeAxis().DataMax, 3);
    // New steps follow the rewind point.
    Step(4.5);
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2, 3, 4.5}));
}

TEST_F(TimeDataTest, RewindOfAWrappedRingStartsAtItsOldestStep) {
    CPlotLook& p = RunPlot(5);
    for (int t = 1; t <= 7; ++t) Step(t);
    p.RewindTimeData(3);
    EXPECT_EQ(Stamps(), (std::vector<double>{3}));
    EXPECT_EQ(p.XVar(0)->Wrapped, 0u);

    for (int t = 1; t <= 7; ++t) Step(t + 10);
    p.RewindTimeData(16);
    EXPECT_EQ(Stamps(), (std::vector<double>{13, 14, 15, 16}));
    EXPECT_EQ(p.YVar(0)->OrderedValues(), (std::vector<double>{131, 141, 151, 161}));
}

TEST_F(TimeDataTest, RewindKeepsLaggingVariablesPairedWithTheirStamps) {
    CPlotLook& p = RunPlot(5, 2);
    for (int t = 1; t <= 7; ++t) Step(t);
    // Step 8 reaches variable 1 only: variable 2's write position lags one slot behind.
    p.AddTimeData(1, 8, 81);
    p.RewindTimeData(7);
    EXPECT_EQ(Stamps(), (std::vector<double>{4, 5, 6, 7}));
    EXPECT_EQ(p.YVar(0)->OrderedValues(), (std::vector<double>{41, 51, 61, 71}));
    EXPECT_EQ(p.YVar(1)->OrderedValues(), (std::vector<double>{42, 52, 62, 72}));
}

TEST_F(TimeDataTest, RewindToATimeNotStoredEmptiesAndANonTimeChangesNothing) {
    CPlotLook& p = RunPlot(10);
    for (int t = 1; t <= 5; ++t) Step(t);
    p.RewindTimeData(std::nan(""));
    EXPECT_EQ(Stamps().size(), 5u);
    p.RewindTimeData(2.5);
    EXPECT_TRUE(Stamps().empty());
    EXPECT_TRUE(p.YVar(0)->OrderedValues().empty());
    EXPECT_EQ(TimeAxis().DataMin, 0);
    EXPECT_EQ(TimeAxis().DataMax, 0);
    // Stale values never come back as data of new steps.
    Step(1);
    p.AddTimeData(1, 2, 5);
    EXPECT_EQ(p.YVar(0)->OrderedValues(), (std::vector<double>{11, 5}));
}

TEST_F(TimeDataTest, RewindRemovesDataAnnotationsAndKeepsTextObjectsPointingRight) {
    CPlotLook& p = RunPlot(10);
    Step(1);
    const int kinds[] = {CPlotAnnotation::kFree, CPlotAnnotation::kDataPoint, CPlotAnnotation::kAxis,
                         CPlotAnnotation::kCurve};
    for (int k = 0; k < 4; ++k) {
        auto a = std::make_unique<CPlotAnnotation>();
        a->Attachment = kinds[k];
        a->Text = "note " + std::to_string(k);
        p.Regions.push_back(a.get());
        p.Annotations.push_back(std::move(a));
        auto text = std::make_unique<CPlotTextObj>(200 + k);
        text->AnnotationIndex = k;
        p.Objects.push_back(std::move(text));
    }
    p.Selection = p.Annotations[1].get();
    p.RewindTimeData(1);
    ASSERT_EQ(p.Annotations.size(), 2u);
    EXPECT_EQ(p.Annotations[0]->Text, "note 0");
    EXPECT_EQ(p.Annotations[1]->Text, "note 2");
    EXPECT_EQ(p.Selection, nullptr);
    EXPECT_EQ(std::count(p.Regions.begin(), p.Regions.end(), nullptr), 0);
    std::vector<std::pair<int, int>> texts;
    for (const auto& o : p.Objects) {
        if (o->Kind == PlotObjKind::Text) texts.emplace_back(o->Id, o->AnnotationIndex);
    }
    EXPECT_EQ(texts, (std::vector<std::pair<int, int>>{{200, 0}, {202, 1}}));
}

TEST_F(TimeDataTest, PhasePlotRewindToZeroEmptiesEveryBuffer) {
    host.props.BufferSize = 8;
    Rebuild();
    CPlotLook& p = Plot();
    p.SetPhasePlot(true);
    p.AddPhaseData(0, 1);
    p.AddPhaseData(1, 2);
    p.RewindTimeData(1);
    EXPECT_EQ(p.XVar(0)->ValidCount(), 1u);
    p.RewindTimeData(0);
    EXPECT_EQ(p.XVar(0)->ValidCount(), 0u);
    EXPECT_EQ(p.YVar(0)->ValidCount(), 0u);
}

TEST_F(TimeDataTest, ClearTimeDataKeepsTheStepsForNewValues) {
    CPlotLook& p = RunPlot(10, 2);
    for (int t = 1; t <= 3; ++t) Step(t);
    p.ClearTimeData(0);
    EXPECT_EQ(Stamps(), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(IsMissing(p.YVar(0)->Values[1]));
    EXPECT_EQ(p.YVar(1)->Values[1], 22);
    p.AddTimeData(1, 2, 7);
    EXPECT_EQ(p.YVar(0)->Values[1], 7);
    EXPECT_THROW(p.ClearTimeData(2), AutomationError);
    EXPECT_THROW(p.ClearTimeData(-1), AutomationError);
}

TEST_F(TimeDataTest, TheWindowScrollsByWholeStepsPastTheNewestStamp) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeWindow = 10;
    host.props.TimeScrollUnit = 2;
    p.ResetTimeAxis();
    Step(1);
    Step(5);
    EXPECT_FALSE(p.ScrollToNewest(nullptr));
    Step(10.5);
    EXPECT_TRUE(p.ScrollToNewest(nullptr));
    EXPECT_EQ(TimeAxis().ExtentMax, 12);
    EXPECT_EQ(TimeAxis().RangeMin, 2);
    EXPECT_EQ(TimeAxis().RangeMax, 12);
}

TEST_F(TimeDataTest, AJumpOfAnySizeScrollsInOneMove) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeWindow = 1;
    host.props.TimeScrollUnit = 0.2f;
    p.ResetTimeAxis();
    Step(0.1);
    Step(0.5);
    // Epoch seconds after a window of 0..1: billions of steps, counted rather than walked.
    const double epoch = 1.7e9 + 0.3;
    Step(epoch);
    EXPECT_TRUE(p.ScrollToNewest(nullptr));
    const double step = static_cast<double>(0.2f);
    EXPECT_GT(TimeAxis().ExtentMax, epoch);
    EXPECT_LE(TimeAxis().ExtentMax, epoch + step * 1.0001);
    EXPECT_GE(TimeAxis().RangeMax, epoch);
}

TEST_F(TimeDataTest, AStepThatIsNoStepStillMovesTheWindowOn) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeWindow = 10;
    p.ResetTimeAxis();
    Step(1);
    // As a settings text or a data file may leave it; the property itself would refuse it.
    for (const float unit : {0.0f, -2.0f, std::numeric_limits<float>::quiet_NaN()}) {
        host.props.TimeScrollUnit = unit;
        const double t = TimeAxis().ExtentMax + 0.5;
        Step(t);
        EXPECT_TRUE(p.ScrollToNewest(nullptr));
        EXPECT_GT(TimeAxis().ExtentMax, t);
        EXPECT_GE(TimeAxis().RangeMax, t);
    }
}

TEST_F(TimeDataTest, AlwaysShowFullGrowsTheWindowInsteadOfScrolling) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeWindow = 10;
    host.props.AlwaysShowFull = true;
    p.ResetTimeAxis();
    TimeAxis().Interval = 5;
    Step(1);
    Step(12);
    EXPECT_TRUE(p.ScrollToNewest(nullptr));
    EXPECT_EQ(TimeAxis().ExtentMax, 15);
    EXPECT_EQ(host.props.TimeWindow, 15);
    EXPECT_EQ(host.props.TimeScrollUnit, 5);
    EXPECT_EQ(TimeAxis().RangeMin, 0);
}

TEST_F(TimeDataTest, ScrollingRepaintsTheDrawingAreaAndTimeAxisFromMemory) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeWindow = 10;
    host.props.TimeScrollUnit = 2;
    p.SetSize(400, 300);
    ImageSurface window(400, 300, SurfaceKind::Window);
    p.Draw(window, Rect{0, 0, 400, 300}, 0, 1);
    ASSERT_NE(p.EnsureMemoryBitmap(window), nullptr);
    p.ResetTimeAxis();
    window.FillRect(Rect{0, 0, 400, 300}, Brush(BrushKind::Solid, Rgb(255, 0, 0)));
    for (int t = 0; t <= 11; ++t) Step(t);
    EXPECT_TRUE(p.ScrollToNewest(&window));
    const Rect area = p.DrawingRgn->Rect;
    // The drawing area was copied (white background), the title area was left alone.
    EXPECT_NE(window.GetPixel(area.left + area.Width() / 2, area.top + 2), Rgb(255, 0, 0));
    EXPECT_EQ(window.GetPixel(2, 2), Rgb(255, 0, 0));
}

TEST_F(TimeDataTest, TimeWindowChangesKeepTheWindowsEnd) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeScrollUnit = 5;
    EXPECT_FLOAT_EQ(p.SetTimeWindow(4), 0.8f);
    EXPECT_EQ(host.props.TimeWindow, 4);
    EXPECT_EQ(p.SetTimeWindow(0), 0);
    EXPECT_EQ(p.SetTimeWindow(-3), 0);
    EXPECT_EQ(host.props.TimeWindow, 4);

    TimeAxis().RangeMin = 20;
    TimeAxis().RangeMax = 30;
    host.props.TimeWindow = 5;
    p.ResetTimeAxis();
    EXPECT_EQ(TimeAxis().RangeMin, 25);
    EXPECT_EQ(TimeAxis().ExtentMax, 30);
    host.props.TimeWindow = 50;
    p.ResetTimeAxis();
    EXPECT_EQ(TimeAxis().RangeMin, 0);
    EXPECT_EQ(TimeAxis().RangeMax, 50);
}

TEST_F(TimeDataTest, PhaseSamplesPushEveryVariableInTurn) {
    host.props.BufferSize = 3;
    Rebuild();
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetPhasePlot(true);
    for (int i = 1; i <= 4; ++i) {
        p.AddPhaseData(0, i);
        p.AddPhaseData(1, 10 * i);
        p.AddPhaseData(2, 100 * i);
    }
    EXPECT_EQ(p.XVar(0)->OrderedValues(), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(p.YVar(1)->OrderedValues(), (std::vector<double>{200, 300, 400}));
    EXPECT_THROW(p.AddPhaseData(3, 1), AutomationError);
    EXPECT_THROW(p.AddPhaseData(-1, 1), AutomationError);
    p.SetAxisMap(0, 0);
    EXPECT_TRUE(p.AddPhaseData(1, 1e6).stored);
    EXPECT_FALSE(p.AddPhaseData(1, 1e6).refit);
}

TEST_F(TimeDataTest, BulkLoadKeepsTheNewestRowsAndMovesTheWindowOnce) {
    CPlotLook& p = RunPlot(4, 2);
    host.props.TimeWindow = 1;
    host.props.TimeScrollUnit = 0.2f;
    p.ResetTimeAxis();
    std::vector<std::vector<double>> columns{{1, 2, 3, 4, 5, 6}, {10, 20, 30, 40, 50, 60}, {7, 7, 7, 7, 7, 7},
                                             {9, 9, 9, 9, 9, 9}};
    EXPECT_TRUE(p.LoadTimeColumns(columns));
    EXPECT_EQ(Stamps(), (std::vector<double>{3, 4, 5, 6}));
    EXPECT_EQ(p.YVar(0)->OrderedValues(), (std::vector<double>{30, 40, 50, 60}));
    EXPECT_EQ(p.YVar(1)->OrderedValues(), (std::vector<double>{7, 7, 7, 7}));
    EXPECT_EQ(TimeAxis().DataMin, 3);
    EXPECT_EQ(TimeAxis().DataMax, 6);
    EXPECT_GT(TimeAxis().RangeMax, 6);
    EXPECT_LT(TimeAxis().RangeMax, 6.3);
    EXPECT_EQ(p.AxisByNumber(1)->DataMin, 7);
    EXPECT_EQ(p.AxisByNumber(1)->DataMax, 60);
}

// Live samples refit their Y axis at the next draw, and the refit lands where a full fit of the
// same data lands on every scale: a log axis never takes a range at or below zero, an inverse
// one never reaches across its pole, one value gets some width.
TEST_F(TimeDataTest, RefitOfLiveDataLandsWhereAFullFitDoes) {
    struct Row {
        const char* why;
        ScaleType scale;
        std::vector<double> values;
    };
    const Row rows[] = {
        {"linear, off the fresh 0..1", ScaleType::Linear, {2, 3.5, 1.99}},
        {"one value", ScaleType::Linear, {350}},
        {"log, a zero after the first draw", ScaleType::Log, {5, 20, 0}},
        {"log, a negative value", ScaleType::Log, {5, 20, -5}},
        {"log, all negative", ScaleType::Log, {-5, -1}},
        {"inverse across the pole", ScaleType::Inverse, {10, 5, -2}},
        {"inverse, mostly negative", ScaleType::Inverse, {-10, 2}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        CPlotLook& p = RunPlot(50);
        p.SetSize(400, 300);
        p.AxisByNumber(1)->SetScale(static_cast<int>(row.scale));
        RecordingSurface dc;
        const auto draw = [&] { p.Draw(dc, Rect{0, 0, 400, 300}, 0, 1); };
        draw();
        double t = 0;
        for (const double v : row.values) {
            EXPECT_TRUE(p.AddTimeData(1, ++t, v).refit);
            EXPECT_EQ(p.RefitDirty, 1);
            draw();
        }
        const CPlotAxis refit = *p.AxisByNumber(1);
        EXPECT_FALSE(IsMissing(refit.Transform(refit.RangeMin)));
        EXPECT_FALSE(IsMissing(refit.Transform(refit.RangeMax)));
        p.FitAllPending = 1;
        draw();
        EXPECT_DOUBLE_EQ(refit.RangeMin, p.AxisByNumber(1)->RangeMin);
        EXPECT_DOUBLE_EQ(refit.RangeMax, p.AxisByNumber(1)->RangeMax);
    }
}

// A step of the time axis copies only the drawing area and the time axis to the window: the
// refit the samples asked for waits for the next whole paint, where the value axes' labels are
// drawn anew with their scales.
TEST_F(TimeDataTest, ScrollingLeavesTheRefitToTheNextPaint) {
    CPlotLook& p = RunPlot(100);
    host.props.TimeWindow = 10;
    host.props.TimeScrollUnit = 2;
    p.SetSize(400, 300);
    ImageSurface window(400, 300, SurfaceKind::Window);
    p.Draw(window, Rect{0, 0, 400, 300}, 0, 1);
    p.ResetTimeAxis();
    for (int t = 0; t <= 11; ++t) Step(t);
    const CPlotAxis& y = *p.AxisByNumber(1);
    const std::pair before{y.RangeMin, y.RangeMax};
    ASSERT_TRUE(p.ScrollToNewest(&window));
    EXPECT_EQ(p.RefitDirty, 1);
    EXPECT_EQ(std::pair(y.RangeMin, y.RangeMax), before);
    p.Draw(window, Rect{0, 0, 400, 300}, 0, 1);
    EXPECT_EQ(p.RefitDirty, 0);
    EXPECT_LE(y.RangeMin, 1);
    EXPECT_GE(y.RangeMax, 111);
}

}  // namespace
}  // namespace vtg::test
