// The headless site: what the control asks of its window, driven and answered by the test.
#include <gtest/gtest.h>

#include "platform/HeadlessSite.h"
#include "SiteTestSupport.h"

namespace vtg {
namespace {

using test::RecordingHandler;
using Events = std::vector<std::string>;

constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

Pen WidePen(int width) {
    Pen pen;
    pen.color = kRed;
    pen.width = width;
    return pen;
}

struct HeadlessSiteTest : ::testing::Test {
    HeadlessSite site{200, 100};
    RecordingHandler handler;
    void SetUp() override { site.SetHandler(&handler); }
};

// ---- timers ---------------------------------------------------------------------------------

TEST_F(HeadlessSiteTest, TimersFireUntilKilledAndOnlyWhileActive) {
    site.SetTimer(2, 250);
    EXPECT_EQ(site.ActiveTimers(), (std::map<int, int>{{2, 250}}));
    EXPECT_TRUE(site.FireTimer(2));
    EXPECT_TRUE(site.FireTimer(2));  // periodic: still active after firing
    site.KillTimer(2);
    EXPECT_FALSE(site.FireTimer(2));
    EXPECT_FALSE(site.FireTimer(7));  // never set
    EXPECT_EQ(handler.events, (Events{"timer 2", "timer 2"}));
    EXPECT_TRUE(site.ActiveTimers().empty());
}

TEST_F(HeadlessSiteTest, SettingAnActiveTimerAgainRestartsIt) {
    site.SetTimer(1, 200);
    site.AdvanceTime(150);
    site.SetTimer(1, 200);  // the cursor timer restarted by a second press
    site.AdvanceTime(150);
    EXPECT_EQ(handler.Count("timer"), 0);
    site.AdvanceTime(50);
    EXPECT_EQ(handler.events, (Events{"timer 1"}));
}

TEST_F(HeadlessSiteTest, SimulatedTimeFiresTimersInOrderAndSeesChangesMadeByTheHandler) {
    // The highlight blink: timer 3 starts timer 4, which kills itself.
    std::vector<long long> at;
    handler.timer = [&](int id) {
        at.push_back(site.Now());
        if (id == 3) site.SetTimer(4, 30);
        if (id == 4) site.KillTimer(4);
    };
    site.SetTimer(3, 500);
    site.AdvanceTime(1100);
    EXPECT_EQ(handler.events, (Events{"timer 3", "timer 4", "timer 3", "timer 4"}));
    EXPECT_EQ(at, (std::vector<long long>{500, 530, 1000, 1030}));
    EXPECT_EQ(site.Now(), 1100);
}

TEST_F(HeadlessSiteTest, IntervalsBelowTheMinimumAreRaisedSoTimeAlwaysAdvances) {
    for (int ms : {0, -5, 3}) {
        site.SetTimer(9, ms);
        EXPECT_EQ(site.ActiveTimers().at(9), IWindowSite::USER_TIMER_MINIMUM) << ms;
    }
    site.AdvanceTime(100);
    EXPECT_EQ(handler.Count("timer 9"), 100 / IWindowSite::USER_TIMER_MINIMUM);
}

// ---- invalidation and painting ----------------------------------------------------------

TEST_F(HeadlessSiteTest, InvalidationsAreClippedRecordedAndUnited) {
    site.Paint();
    site.ClearInvalidations();
    const Rect a{10, 10, 20, 20};
    const Rect b{150, 80, 300, 300};  // reaches past the client area
    const Rect outside{500, 500, 600, 600};
    site.Invalidate(&a, false);
    site.Invalidate(&b, true);
    site.Invalidate(&outside, true);
    ASSERT_EQ(site.Invalidations().size(), 3u);
    EXPECT_EQ(site.Invalidations()[1].rect, (Rect{150, 80, 200, 100}));
    EXPECT_TRUE(site.Invalidations()[2].rect.IsEmpty());
    EXPECT_EQ(site.PendingInvalid(), (Rect{10, 10, 200, 100}));
    site.Invalidate();
    EXPECT_EQ(site.Invalidations().back().rect, (Rect{0, 0, 200, 100}));
}

TEST_F(HeadlessSiteTest, PaintHandsThePendingAreaToOnPaintOnceAndClearsIt) {
    site.Paint();
    handler.Clear();
    const Rect a{10, 10, 20, 20};
    const Rect b{30, 5, 40, 15};
    site.Invalidate(&a);
    site.Invalidate(&b);
    EXPECT_TRUE(site.Paint());
    EXPECT_FALSE(site.Paint());  // nothing left
    EXPECT_EQ(handler.events, (Events{"paint 10,5,40,20"}));
    EXPECT_TRUE(site.PendingInvalid().IsEmpty());
    EXPECT_EQ(site.Invalidations().size(), 2u);  // the record survives the paint
}

TEST_F(HeadlessSiteTest, PaintDrawsOnlyInsideTheInvalidArea) {
    handler.paint = [](Surface& dc, const Rect&) { dc.FillRect({0, 0, 200, 100}, Brush{BrushKind::Solid, kRed}); };
    site.Paint();
    handler.paint = [](Surface& dc, const Rect&) {
        dc.FillRect({0, 0, 200, 100}, Brush{BrushKind::Solid, Rgb(0, 0, 255)});
    };
    const Rect r{50, 20, 60, 30};
    site.Invalidate(&r, false);
    site.Paint();
    EXPECT_EQ(site.BackingImage().GetPixel(55, 25), Rgb(0, 0, 255));
    EXPECT_EQ(site.BackingImage().GetPixel(45, 25), kRed);
    EXPECT_EQ(site.BackingImage().GetPixel(60, 25), kRed);
}

TEST_F(HeadlessSiteTest, EraseClearsTheAreaBeforeThePaint) {
    handler.paint = [](Surface& dc, const Rect&) { dc.FillRect({0, 0, 200, 100}, Brush{BrushKind::Solid, kRed}); };
    site.Paint();
    handler.paint = nullptr;  // a paint that draws nothing shows what erasing left
    const Rect r{0, 0, 10, 10};
    site.Invalidate(&r, false);
    site.Paint();
    EXPECT_EQ(site.BackingImage().GetPixel(5, 5), kRed);
    site.Invalidate(&r, true);
    site.Paint();
    EXPECT_EQ(site.BackingImage().GetPixel(5, 5), kWhite);
}

TEST_F(HeadlessSiteTest, InvalidatingWhilePaintingWaitsForTheNextPaint) {
    site.Paint();
    int paints = 0;
    handler.paint = [&](Surface&, const Rect&) {
        if (++paints == 1) site.Invalidate();  // the repaint-once latch after a scaled draw
    };
    site.Invalidate();
    EXPECT_TRUE(site.Paint());
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(site.PendingInvalid(), (Rect{0, 0, 200, 100}));
    EXPECT_TRUE(site.Paint());
    EXPECT_FALSE(site.Paint());
}

TEST_F(HeadlessSiteTest, PaintStartsFromTheDefaultDrawingState) {
    Rop2 seen = Rop2::Black;
    handler.paint = [&](Surface& dc, const Rect&) {
        seen = dc.State().rop;
        dc.SetRop2(Rop2::XorPen);
        dc.SelectPen(WidePen(3));
    };
    site.Paint();
    site.Invalidate();
    site.Paint();
    EXPECT_EQ(seen, Rop2::CopyPen);
    EXPECT_EQ(site.BackingImage().State().pen, Pen{});
}

// ---- immediate drawing ------------------------------------------------------------------

TEST_F(HeadlessSiteTest, WindowDrawingLandsInTheBackingStoreWithoutAPaint) {
    site.Paint();
    handler.Clear();
    {
        WindowDraw draw(site);
        draw->SetRop2(Rop2::NotXorPen);
        draw->FillRect({5, 5, 15, 15}, Brush{BrushKind::Solid, kRed});
        WindowDraw nested(site);
        nested->FillRect({20, 5, 25, 15}, Brush{BrushKind::Solid, kRed});
    }
    EXPECT_EQ(site.BackingImage().GetPixel(10, 10), kRed);
    EXPECT_EQ(site.BackingImage().GetPixel(22, 10), kRed);
    EXPECT_EQ(site.WindowDrawCount(), 1);  // shown once, when the outer draw ends
    EXPECT_EQ(handler.Count("paint"), 0);
    EXPECT_EQ(site.BackingImage().State().rop, Rop2::CopyPen);
    site.EndWindowDraw();  // unbalanced: ignored
    EXPECT_EQ(site.WindowDrawCount(), 1);
}

TEST_F(HeadlessSiteTest, ResizingDuringAWindowDrawKeepsTheDrawingSurfaceUsable) {
    {
        WindowDraw draw(site);
        site.ShowScrollBar(ScrollBar::Vertical, true);  // replaces the backing store
        draw->SelectPen(WidePen(2));
        draw->FillRect({0, 0, 10, 10}, Brush{BrushKind::Solid, kRed});
    }
    EXPECT_EQ(site.BackingImage().PixelSize(), (Size{200 - HeadlessSite::kScrollBarExtent, 100}));
    EXPECT_EQ(site.BackingImage().State().pen, Pen{});
    WindowDraw again(site);
    EXPECT_EQ(&again.dc(), &site.BackingImage());
}

// ---- size and scroll bars ---------------------------------------------------------------

TEST_F(HeadlessSiteTest, ScrollBarsTakeTheirWidthFromTheClientAreaAndSendOnSize) {
    const int e = HeadlessSite::kScrollBarExtent;
    site.ShowScrollBar(ScrollBar::Vertical, true);
    site.ShowScrollBar(ScrollBar::Vertical, true);  // already shown: no change, no OnSize
    site.ShowScrollBar(ScrollBar::Horizontal, true);
    EXPECT_EQ(site.ClientSize(), (Size{200 - e, 100 - e}));
    EXPECT_EQ(site.BackingImage().PixelSize(), site.ClientSize());
    EXPECT_EQ(site.PendingInvalid(), (Rect{0, 0, 200 - e, 100 - e}));
    site.ShowScrollBar(ScrollBar::Vertical, false);
    site.ShowScrollBar(ScrollBar::Horizontal, false);
    EXPECT_EQ(site.ClientSize(), (Size{200, 100}));
    const std::string vOnly = "size " + std::to_string(200 - e) + "x100";
    const std::string both = "size " + std::to_string(200 - e) + "x" + std::to_string(100 - e);
    const std::string hOnly = "size 200x" + std::to_string(100 - e);
    EXPECT_EQ(handler.events, (Events{vOnly, both, hOnly, "size 200x100"}));
}

TEST_F(HeadlessSiteTest, ResizingAlwaysTellsTheSizeAndClampsIt) {
    site.Paint();
    site.Resize(200, 100);  // unchanged: told again, nothing to repaint
    EXPECT_TRUE(site.PendingInvalid().IsEmpty());
    site.Resize(-4, 50);
    EXPECT_EQ(site.ClientSize(), (Size{0, 50}));
    site.ShowScrollBar(ScrollBar::Vertical, true);  // wider than the window: no negative width
    EXPECT_EQ(site.ClientSize(), (Size{0, 50}));
    site.Resize(1 << 30, 40);
    EXPECT_EQ(site.WindowSize(), (Size{HeadlessSite::kMaxWindowExtent, 40}));
    EXPECT_EQ(handler.events, (Events{"paint 0,0,200,100", "size 200x100", "size 0x50", "size 8175x40"}));
}

TEST_F(HeadlessSiteTest, ScrollPositionsStayInsideTheirRange) {
    const auto H = ScrollBar::Horizontal;
    site.SetScrollRange(H, 0, 1000);
    EXPECT_EQ(site.SetScrollPos(H, 400), 0);
    EXPECT_EQ(site.SetScrollPos(H, 2000), 400);
    EXPECT_EQ(site.GetScrollPos(H), 1000);
    site.SetScrollRange(H, 500, 100);  // reversed
    EXPECT_EQ(site.GetScrollRange(H), (std::pair{100, 500}));
    EXPECT_EQ(site.GetScrollPos(H), 500);
    site.SetScrollPos(H, -3);
    EXPECT_EQ(site.GetScrollPos(H), 100);
    EXPECT_EQ(site.GetScrollPos(ScrollBar::Vertical), 0);  // the other bar is untouched
}

TEST_F(HeadlessSiteTest, CursorsReportThePreviousIdAndUnknownIdsShowTheArrow) {
    EXPECT_EQ(site.SetCursor(IDC_CROSS), IDC_ARROW);
    EXPECT_EQ(site.SetCursor(IDC_SIZEWE), IDC_CROSS);
    EXPECT_EQ(site.SetCursor(12345), IDC_SIZEWE);
    EXPECT_EQ(site.GetCursor(), IDC_ARROW);
}

// ---- menus and dialogs ------------------------------------------------------------------

Menu PlotMenu() {
    auto zoom = std::make_shared<Menu>();
    zoom->Append(MenuItem::Command(32769, "Zoom &in"));
    zoom->Append(MenuItem::Command(32770, "Zoom &out", false));
    Menu menu;
    menu.Append(MenuItem::Popup("&Zoom", zoom));
    menu.Append(MenuItem::Separator());
    menu.Append(MenuItem::Command(32785, "&Copy"));
    return menu;
}

TEST_F(HeadlessSiteTest, MenusAreAnsweredByTheCallbackWithEnabledCommandsOnly) {
    const Menu menu = PlotMenu();
    EXPECT_EQ(site.TrackPopupMenu(menu, {3, 4}), 0);  // no callback: nothing chosen
    struct Row {
        int answer;
        int expected;
    };
    for (const Row row : {Row{32769, 32769}, Row{32785, 32785}, Row{32770, 0}, Row{99, 0}, Row{0, 0}}) {
        site.SetMenuAnswer([&](const Menu&, Point) { return row.answer; });
        EXPECT_EQ(site.TrackPopupMenu(menu, {3, 4}), row.expected) << row.answer;
    }
    EXPECT_EQ(handler.Count("command"), 0);  // the caller dispatches the command itself
}

TEST_F(HeadlessSiteTest, ShownMenusAreRecordedAsTheyWereAtTheTime) {
    Menu menu = PlotMenu();
    site.TrackPopupMenu(menu, {7, 8});
    menu.SubMenu(0)->Enable(32770, true);
    ASSERT_EQ(site.MenusShown().size(), 1u);
    EXPECT_FALSE(site.MenusShown()[0].first.Find(32770)->enabled);
    EXPECT_EQ(site.MenusShown()[0].second, (Point{7, 8}));
}

TEST_F(HeadlessSiteTest, MessageBoxesAnswerNothingByDefaultAndOnlyWithTheirOwnButtons) {
    EXPECT_EQ(site.MessageBox("Delete?", "Sure", MB_OKCANCEL | MB_ICONQUESTION), 0);
    site.SetMessageBoxAnswer([](const std::string&, const std::string&, unsigned) { return IDCANCEL; });
    EXPECT_EQ(site.MessageBox("Delete?", "Sure", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(site.MessageBox("Info", "", MB_OK), 0);  // an OK box has no Cancel button
    ASSERT_EQ(site.MessageBoxes().size(), 3u);
    EXPECT_EQ(site.MessageBoxes()[0].text, "Delete?");
    EXPECT_EQ(site.MessageBoxes()[0].flags, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(site.MessageBoxes()[1].result, IDCANCEL);
}

TEST_F(HeadlessSiteTest, FileDialogsAreCancelledByDefaultAndAnsweredByTheCallback) {
    EXPECT_EQ(site.GetOpenFileName("Open", "Q5 plot file (*.plx)|*.plx"), std::nullopt);
    site.SetFileDialogAnswer([](const HeadlessSite::FileDialogRequest& r) -> std::optional<std::string> {
        return r.save ? "/tmp/" + r.name : "";
    });
    EXPECT_EQ(site.GetSaveFileName("Save", "*.plx", "plot.plx"), "/tmp/plot.plx");
    EXPECT_EQ(site.GetOpenFileName("Open", "*.plx"), std::nullopt);  // an empty name is no choice
    ASSERT_EQ(site.FileDialogs().size(), 3u);
    EXPECT_EQ(site.FileDialogs()[0].filter, "Q5 plot file (*.plx)|*.plx");
    EXPECT_TRUE(site.FileDialogs()[1].save);
}

// ---- tool tips ----------------------------------------------------------------------------

TEST_F(HeadlessSiteTest, HoveringAToolShowsItsTextAndLeavingHidesIt) {
    site.AddTool(1, {0, 0, 50, 50}, "x=1\ny=2");
    site.AddTool(2, {40, 40, 80, 80}, "upper");
    site.MouseMove(10, 10);
    EXPECT_TRUE(site.ToolTip().visible);
    EXPECT_EQ(site.ToolTip().text, "x=1\ny=2");
    site.MouseMove(45, 45);  // where both overlap the later one wins
    EXPECT_EQ(site.ToolTip().text, "upper");
    site.RemoveTool(2);
    EXPECT_FALSE(site.ToolTip().visible);
    site.MouseMove(150, 90);
    EXPECT_FALSE(site.ToolTip().visible);
    site.AddTool(1, {100, 50, 200, 100}, "moved");  // same id: replaced
    site.MouseMove(150, 90);
    EXPECT_EQ(site.ToolTip().text, "moved");
    EXPECT_EQ(site.Tools().Tools().size(), 1u);
}

TEST_F(HeadlessSiteTest, AFreeTipStaysUntilHidden) {
    site.ShowToolTip("x=0.5", {20, 30});
    site.MouseMove(100, 90);  // no tool under the pointer: a free tip is not the hover tip
    EXPECT_TRUE(site.ToolTip().visible);
    EXPECT_EQ(site.ToolTip().at, (Point{20, 30}));
    site.HideToolTip();
    EXPECT_FALSE(site.ToolTip().visible);
}

// ---- input --------------------------------------------------------------------------------

TEST_F(HeadlessSiteTest, MouseInputCarriesButtonsAndModifiersAsTheWindowWould) {
    site.Click(10, 20);
    site.SetKeyDown(VK_SHIFT, true);
    site.DoubleClick(5, 6);
    site.SetKeyDown(VK_SHIFT, false);
    site.SetKeyDown(VK_CONTROL, true);
    site.RightClick(7, 8);
    site.Wheel(1, 2, -WHEEL_DELTA);
    site.MouseMove(3, 3);
    site.MouseLeave();
    EXPECT_EQ(handler.events, (Events{"ldown 1 10,20", "lup 0 10,20", "ldown 5 5,6", "lup 4 5,6", "ldbl 5 5,6",
                                      "lup 4 5,6", "rdown 10 7,8", "rup 8 7,8", "wheel 8 -120 1,2", "move 8 3,3",
                                      "leave"}));
    EXPECT_EQ(site.CursorPos(), (Point{3, 3}));
}

TEST_F(HeadlessSiteTest, CaptureIsRememberedUntilReleased) {
    site.SetCapture();
    EXPECT_TRUE(site.HasCapture());
    site.LButtonUp(500, 500);  // outside the window: still delivered
    site.ReleaseCapture();
    EXPECT_FALSE(site.HasCapture());
    EXPECT_EQ(handler.events, (Events{"lup 0 500,500"}));
}

TEST_F(HeadlessSiteTest, KeysArriveWithFlagsAndAltMakesThemSystemKeys) {
    site.KeyDown('A');
    const unsigned first = handler.lastKeyFlags;
    site.KeyDown('A');
    const unsigned repeat = handler.lastKeyFlags;
    site.KeyUp('A');
    site.SetKeyDown(VK_MENU, true);
    site.KeyDown(VK_RETURN);
    site.SetKeyDown(VK_CONTROL, true);  // Ctrl+Alt is AltGr: an ordinary key
    site.KeyDown('Q');
    EXPECT_EQ(handler.events, (Events{"keydown 65", "keydown 65", "keyup 65", "syskeydown 13 alt", "keydown 81"}));
    EXPECT_NE(first, 0u);  // a key from the keyboard always carries flags
    EXPECT_FALSE(first & KF_REPEAT);
    EXPECT_TRUE(repeat & KF_REPEAT);
}

TEST_F(HeadlessSiteTest, TypedTextArrivesAsCodePoints) {
    site.TypeText("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");  // a, e-acute, euro sign, an emoji
    site.TypeText("\xC3");                                  // a truncated sequence
    EXPECT_EQ(handler.events, (Events{"char 97", "char 233", "char 8364", "char 128512", "char 65533"}));
}

TEST_F(HeadlessSiteTest, KeysGoToTheFocusedEditBoxWhileItLives) {
    auto box = site.CreateEditBox({0, 0, 80, 20}, "", false, Font{});
    box->Focus();
    EXPECT_EQ(site.FocusedEditBox(), box.get());
    site.TypeText("hi");
    site.KeyDown(VK_LEFT);
    site.Char('!');
    EXPECT_EQ(box->GetText(), "h!i");
    EXPECT_TRUE(handler.events.empty());
    box.reset();
    EXPECT_EQ(site.FocusedEditBox(), nullptr);
    site.Char('x');
    EXPECT_EQ(handler.events, (Events{"char 120"}));
}

TEST_F(HeadlessSiteTest, CommandsScrollsAndFocusReachTheHandler) {
    site.Command(32785);
    site.Scroll(ScrollBar::Horizontal, SB_THUMBTRACK, 420);
    site.Scroll(ScrollBar::Vertical, SB_LINEDOWN, 0);
    site.FocusIn();
    site.FocusOut();
    EXPECT_EQ(handler.events, (Events{"command 32785", "hscroll 5 420", "vscroll 1 0", "setfocus", "killfocus"}));
}

// ---- drops and the clipboard --------------------------------------------------------------

TEST_F(HeadlessSiteTest, DroppedFilesArriveAsAbsolutePaths) {
    EXPECT_TRUE(site.DropFiles({"/tmp/a b.txt", "/data/\xC3\xA9t\xC3\xA9#1.plx"}, {10, 10}));
    EXPECT_EQ(handler.events, (Events{"dragenter text/uri-list 10,10", "dragover text/uri-list 10,10",
                                      "dropfiles /tmp/a b.txt|/data/\xC3\xA9t\xC3\xA9#1.plx"}));
}

TEST_F(HeadlessSiteTest, RefusedDragsDropNothing) {
    DataObject path;
    path.SetData(kFormatVariablePath, "Flowsheet.Stream1.T");
    handler.acceptEnter = false;
    EXPECT_FALSE(site.DropData(path, {5, 5}));
    handler.acceptEnter = true;
    handler.acceptOver = false;
    EXPECT_FALSE(site.DropData(path, {5, 5}));
    handler.acceptOver = true;
    handler.takeData = false;
    EXPECT_FALSE(site.DropData(path, {5, 5}));
    EXPECT_EQ(handler.Count("dropdata"), 1);
    EXPECT_EQ(handler.Count("dragleave"), 1);
    EXPECT_EQ(handler.events.back(), "dropdata application/x-vortiga-variable-path 5,5");
}

TEST_F(HeadlessSiteTest, SitesCanShareOneClipboard) {
    auto shared = std::make_shared<InProcessClipboard>();
    HeadlessSite other;
    site.SetClipboard(shared);
    other.SetClipboard(shared);
    DataObject data;
    data.SetData(kFormatVortigaControl, "stream");
    site.Clipboard().SetDataObject(data);
    EXPECT_TRUE(other.Clipboard().HasFormat(kFormatVortigaControl));
    HeadlessSite separate;
    EXPECT_FALSE(separate.Clipboard().HasFormat(kFormatVortigaControl));
}

TEST_F(HeadlessSiteTest, ASiteWithoutAHandlerIgnoresInput) {
    site.SetHandler(nullptr);
    site.Click(1, 1);
    site.KeyDown('A');
    site.SetTimer(1, 10);
    site.AdvanceTime(100);
    site.Invalidate();
    EXPECT_TRUE(site.Paint());
    EXPECT_FALSE(site.DropFiles({"/tmp/x"}, {0, 0}));
    EXPECT_TRUE(handler.events.empty());
}

}  // namespace
}  // namespace vtg
