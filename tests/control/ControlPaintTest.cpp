// Painting and the window: the first paint's events, scaled painting into other sizes, the
// window size, the timers and the zoom scroll bars, with and without a window site.
#include <gtest/gtest.h>

#include "platform/HeadlessSite.h"
#include "objects/CPlotObj.h"
#include "platform/RecordingSurface.h"
#include "ControlTestSupport.h"

namespace vtg {
namespace {

using test::ControlFixture;
using test::Put;

struct PaintTest : ControlFixture, testing::Test {
    HeadlessSite site{400, 300};
    // The control goes first: a site must outlive the control it hosts.
    ~PaintTest() override { ctrl.reset(); }
    void Site() { Ctrl().SetSite(&site); }
};

TEST_F(PaintTest, NothingIsDrawnBeforeTheControlHasASize) {
    RecordingSurface dc;
    Ctrl().OnDraw(dc, {0, 0, 100, 100}, {0, 0, 100, 100});
    EXPECT_TRUE(dc.Calls().empty());
    EXPECT_TRUE(sink->Events().empty());
}

TEST_F(PaintTest, TheFirstPaintReportsSelectionZeroAndPlotDrawnOnce) {
    Site();
    EXPECT_EQ(Ctrl().WindowSize(), (Size{400, 300}));
    site.Paint();
    ASSERT_EQ(sink->Count("PlotDrawn"), 1u);
    EXPECT_TRUE(sink->Last("PlotDrawn")->args[0].ToBool());
    ASSERT_EQ(sink->Count("Selected"), 1u);
    EXPECT_EQ(sink->Last("Selected")->args[0].ToI2(), 0);
    EXPECT_EQ(sink->Last("Selected")->args[0].Type(), VarType::I2);
    site.Invalidate();
    site.Paint();
    EXPECT_EQ(sink->Count("PlotDrawn"), 1u);
    EXPECT_EQ(sink->Count("Selected"), 1u);
    Ctrl().SetPendingSelectedId(-111);
    site.Invalidate();
    site.Paint();
    EXPECT_EQ(sink->Last("Selected")->args[0].ToI2(), -111);
    EXPECT_EQ(Ctrl().PendingSelectedId(), CVortigaCtrl::kNothingPending);
}

TEST_F(PaintTest, ThePaintFillsTheBackgroundWithBackColor) {
    Site();
    Put(Ctrl(), "BackColor", Variant(std::int32_t{0x0000FF}));
    site.Paint();
    EXPECT_EQ(site.BackingImage().GetPixel(200, 150), 0x0000FFu);
}

TEST_F(PaintTest, PaintingIntoAnotherSizeKeepsTheAspectAndRepaintsOnce) {
    Site();
    site.Paint();
    site.ClearInvalidations();
    RecordingSurface dc(SurfaceKind::Metafile, {800, 300});
    Ctrl().OnDraw(dc, {0, 0, 800, 300}, {0, 0, 800, 300});
    // 800 x 300 from 400 x 300: the height decides, the copy is centred horizontally.
    const CPlotLook& p = Ctrl().Plot();
    EXPECT_EQ(p.Width, 400);
    EXPECT_EQ(Ctrl().LayoutSize(), (Size{400, 300}));
    EXPECT_EQ(Ctrl().Environment().OffsetX, 0);
    EXPECT_DOUBLE_EQ(Ctrl().Environment().OutputScale, 1.0);
    ASSERT_EQ(site.Invalidations().size(), 1u);
    site.Paint();
    site.ClearInvalidations();
    Ctrl().OnDraw(dc, {0, 0, 800, 300}, {0, 0, 800, 300});
    EXPECT_EQ(site.Invalidations().size(), 1u);
    Ctrl().OnDraw(dc, {0, 0, 800, 300}, {0, 0, 800, 300});
    EXPECT_EQ(site.Invalidations().size(), 1u);
}

// Notes the control's scaled state at the moment the plot fills its background.
struct ProbeSurface : RecordingSurface {
    explicit ProbeSurface(CVortigaCtrl& c) : RecordingSurface(SurfaceKind::Metafile, {400, 400}), ctrl(c) {}
    void FillRect(const Rect& r, const Brush& b) override {
        layout = ctrl.LayoutSize();
        plotSize = {ctrl.Plot().Width, ctrl.Plot().Height};
        offset = {ctrl.Environment().OffsetX, ctrl.Environment().OffsetY};
        scale = ctrl.Environment().OutputScale;
        RecordingSurface::FillRect(r, b);
    }
    CVortigaCtrl& ctrl;
    Size layout;
    Size plotSize;
    Point offset;
    double scale = 0;
};

TEST_F(PaintTest, AScaledDrawLaysThePlotOutForTheTargetAndCentresIt) {
    Site();
    ProbeSurface tall(Ctrl());
    Ctrl().OnDraw(tall, {10, 20, 210, 320}, {10, 20, 210, 320});
    // 200 x 300 from 400 x 300: the width decides (0.5), 150 high, centred vertically.
    EXPECT_EQ(tall.layout, (Size{200, 150}));
    EXPECT_EQ(tall.plotSize, (Size{200, 150}));
    EXPECT_EQ(tall.offset, (Point{10, 20 + 75}));
    EXPECT_DOUBLE_EQ(tall.scale, 0.5);

    ProbeSurface wide(Ctrl());
    Ctrl().OnDraw(wide, {0, 0, 1200, 450}, {0, 0, 1200, 450});
    EXPECT_EQ(wide.layout, (Size{600, 450}));
    EXPECT_EQ(wide.offset, (Point{300, 0}));
    EXPECT_DOUBLE_EQ(wide.scale, 1.5);

    EXPECT_EQ(Ctrl().Environment().OffsetY, 0);
    EXPECT_DOUBLE_EQ(Ctrl().Environment().OutputScale, 1.0);
    EXPECT_EQ(Ctrl().Plot().Width, 400);
    EXPECT_EQ(Ctrl().Plot().Height, 300);
}

TEST_F(PaintTest, EmptyTargetsAreNotDrawn) {
    Site();
    for (const Rect& bounds : {Rect{0, 0, 0, 300}, Rect{0, 0, 400, 0}, Rect{5, 5, 5, 5}, Rect{10, 10, 0, 0}}) {
        RecordingSurface dc(SurfaceKind::Metafile);
        Ctrl().OnDraw(dc, bounds, bounds);
        EXPECT_TRUE(dc.Calls().empty());
    }
    EXPECT_EQ(Ctrl().LayoutSize(), (Size{400, 300}));
    EXPECT_DOUBLE_EQ(Ctrl().Environment().OutputScale, 1.0);
}

TEST_F(PaintTest, TheWindowSizeReachesThePlot) {
    Site();
    site.Resize(640, 480);
    EXPECT_EQ(Ctrl().WindowSize(), (Size{640, 480}));
    EXPECT_EQ(Ctrl().Plot().Width, 640);
    EXPECT_EQ(Ctrl().Plot().Height, 480);
    EXPECT_EQ(Ctrl().Plot().LayoutDirty, 1);
}

TEST_F(PaintTest, WithoutASiteNothingIsInvalidatedAndPaintingStillWorks) {
    CVortigaCtrl& c = Ctrl();
    Put(c, "Title", Variant("no window"));
    c.OnSize(300, 200);
    RecordingSurface dc(SurfaceKind::Memory, {300, 200});
    c.OnDraw(dc, {0, 0, 300, 200}, {0, 0, 300, 200});
    EXPECT_EQ(sink->Count("PlotDrawn"), 1u);
    c.Zoom(3);
    EXPECT_EQ(sink->Count("ZoomDone"), 1u);
}

TEST_F(PaintTest, TimersKeepTheirBookkeeping) {
    Site();
    CVortigaCtrl& c = Ctrl();
    c.StartCursorTimer();
    EXPECT_TRUE(site.IsTimerActive(CVortigaCtrl::kCursorTimer));
    EXPECT_EQ(site.ActiveTimers().at(CVortigaCtrl::kCursorTimer), 200);
    site.FireTimer(CVortigaCtrl::kCursorTimer);
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kCursorTimer));

    c.StartTextDisplayTimer(1500);
    EXPECT_EQ(c.displayTextState, 1);
    site.AdvanceTime(1500);
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kTextDisplayTimer));
    EXPECT_EQ(c.displayTextState, 0);

    // Highlights hold still until the host gives a blink period of 100 ms or more.
    const int id = c.Plot().Objects[0]->Id;
    c.RegisterHighlight(id);
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kBlinkTimer));
    c.SetHighlightMode(99);
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kBlinkTimer));
    c.SetHighlightMode(250);
    EXPECT_TRUE(site.IsTimerActive(CVortigaCtrl::kBlinkTimer));
    EXPECT_EQ(site.ActiveTimers().at(CVortigaCtrl::kBlinkTimer), 250);
    EXPECT_EQ(c.BlinkPhase(), 1);
    site.FireTimer(CVortigaCtrl::kBlinkTimer);
    EXPECT_EQ(c.BlinkPhase(), 2);
    EXPECT_TRUE(site.IsTimerActive(CVortigaCtrl::kBlinkOffTimer));
    site.FireTimer(CVortigaCtrl::kBlinkOffTimer);
    EXPECT_EQ(c.BlinkPhase(), 1);
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kBlinkOffTimer));

    // Deleting the plot's content drops registrations of objects that are gone.
    c.Plot().SetPlotType(1);
    EXPECT_TRUE(c.Highlighted().empty());
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kBlinkTimer));
    // So does loading a new plot, whatever ids it has.
    c.Plot().SetVariableCount(1);
    c.RegisterHighlight(c.Plot().Objects[0]->Id);
    c.LoadStream(c.SaveStream());
    EXPECT_TRUE(c.Highlighted().empty());
}

TEST_F(PaintTest, ZoomScrollBarsFollowTheVisibleRange) {
    Site();
    site.Paint();
    CVortigaCtrl& c = Ctrl();
    CPlotAxis& x = *c.Plot().AxisByNumber(0);
    x.ExtentMin = 0;
    x.ExtentMax = 100;
    x.RangeMin = 25;
    x.RangeMax = 50;
    c.UpdateScrollBars(true);
    EXPECT_TRUE(site.IsScrollBarShown(ScrollBar::Horizontal));
    EXPECT_FALSE(site.IsScrollBarShown(ScrollBar::Vertical));
    EXPECT_EQ(site.GetScrollRange(ScrollBar::Horizontal), (std::pair<int, int>{0, 1000}));
    EXPECT_EQ(site.GetScrollPos(ScrollBar::Horizontal), 250);
    c.UpdateScrollBars(false);
    EXPECT_FALSE(site.IsScrollBarShown(ScrollBar::Horizontal));
    EXPECT_EQ(c.WindowSize(), (Size{400, 300}));
    EXPECT_EQ(c.LayoutSize(), c.WindowSize());
}

TEST_F(PaintTest, DestroyingTheControlDetachesItFromTheSite) {
    Site();
    Ctrl().StartCursorTimer();
    ctrl.reset();
    EXPECT_EQ(site.Handler(), nullptr);
    EXPECT_FALSE(site.IsTimerActive(CVortigaCtrl::kCursorTimer));
    site.Resize(100, 100);
    site.Paint();
}

}  // namespace
}  // namespace vtg
