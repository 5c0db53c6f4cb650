// The widget site on the offscreen platform, driven with synthetic toolkit events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "platform/VortigaWidget.h"
#include "SiteTestSupport.h"

namespace vtg {
namespace {

using test::RecordingHandler;
using Events = std::vector<std::string>;

constexpr QRgb kRedPixel = 0xFFFF0000;
constexpr QRgb kBluePixel = 0xFF0000FF;

Events Only(const Events& events, std::initializer_list<const char*> prefixes) {
    Events out;
    for (const auto& e : events) {
        for (const char* p : prefixes) {
            if (e.rfind(p, 0) == 0) out.push_back(e);
        }
    }
    return out;
}

struct WidgetTest : ::testing::Test {
    std::unique_ptr<VortigaWidget> widget;
    RecordingHandler handler;

    void SetUp() override {
        widget = std::make_unique<VortigaWidget>();
        widget->SetHandler(&handler);
        widget->resize(200, 120);
        widget->show();
        widget->activateWindow();
        widget->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.get()));
        widget->grab();  // settles the first paint
        handler.Clear();
    }

    int Extent() const { return widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget.get()); }

    // Answers the next popup menu from the event loop; a watchdog closes it should the answer
    // not, so that a failing test cannot hang.
    static void AnswerMenu(std::function<void(QMenu*)> answer) {
        QTimer::singleShot(0, [answer] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) answer(menu);
        });
        QTimer::singleShot(3000, [] {
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        });
    }

    static QAction* ActionFor(QMenu* menu, int command) {
        for (QAction* a : menu->findChildren<QAction*>()) {
            if (a->data().toInt() == command) return a;
        }
        return nullptr;
    }
};

// ---- mouse ----------------------------------------------------------------------------------

TEST_F(WidgetTest, ClicksReachTheButtonHandlersWithPointAndFlags) {
    QTest::mouseClick(widget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    QTest::mouseClick(widget.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseClick(widget.get(), Qt::RightButton, Qt::ControlModifier, QPoint(7, 8));
    EXPECT_EQ(Only(handler.events, {"ldown", "lup", "rdown", "rup"}),
              (Events{"ldown 1 30,40", "lup 0 30,40", "ldown 5 5,6", "lup 4 5,6", "rdown 10 7,8", "rup 8 7,8"}));
    handler.Clear();
    QTest::mouseDClick(widget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(9, 9));
    EXPECT_EQ(Only(handler.events, {"ldbl"}), (Events{"ldbl 1 9,9"}));
}

TEST_F(WidgetTest, WheelAndMovesAreForwarded) {
    QMouseEvent move(QEvent::MouseMove, QPointF(12, 13), widget->mapToGlobal(QPointF(12, 13)), Qt::NoButton,
                     Qt::MiddleButton, Qt::NoModifier);
    QApplication::sendEvent(widget.get(), &move);
    QWheelEvent wheel(QPointF(20, 30), widget->mapToGlobal(QPointF(20, 30)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget.get(), &wheel);
    EXPECT_EQ(handler.events, (Events{"move 16 12,13", "wheel 8 -120 20,30"}));
    EXPECT_EQ(widget->CursorPos(), (Point{12, 13}));
}

TEST_F(WidgetTest, CaptureGrabsTheMouseUntilReleased) {
    widget->SetCapture();
    EXPECT_TRUE(widget->HasCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), widget.get());
    widget->ReleaseCapture();
    EXPECT_FALSE(widget->HasCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(WidgetTest, CursorIdsBecomeToolkitCursors) {
    widget->SetCursor(IDC_SIZEWE);
    EXPECT_EQ(widget->cursor().shape(), Qt::SizeHorCursor);
    EXPECT_EQ(widget->SetCursor(IDC_HAND), IDC_SIZEWE);
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
    widget->SetCursor(1);
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
}

// ---- painting -----------------------------------------------------------------------------

TEST_F(WidgetTest, AnInvalidatedAreaIsPaintedByTheHandlerAndShown) {
    handler.paint = [](Surface& dc, const Rect& r) { dc.FillRect(r, Brush{BrushKind::Solid, Rgb(255, 0, 0)}); };
    const Rect area{10, 10, 40, 30};
    widget->Invalidate(&area, false);
    const QImage shot = widget->grab().toImage();
    EXPECT_EQ(handler.events, (Events{"paint 10,10,40,30"}));
    EXPECT_EQ(shot.pixel(20, 20), kRedPixel);
    EXPECT_NE(shot.pixel(50, 50), kRedPixel);
    widget->grab();
    EXPECT_EQ(handler.Count("paint"), 1);  // showing the bitmap again needs no paint
}

TEST_F(WidgetTest, WindowDrawingShowsWithoutAPaint) {
    {
        WindowDraw draw(*widget);
        draw->FillRect({100, 50, 120, 70}, Brush{BrushKind::Solid, Rgb(0, 0, 255)});
    }
    EXPECT_EQ(widget->grab().toImage().pixel(110, 60), kBluePixel);
    EXPECT_EQ(handler.Count("paint"), 0);
}

TEST(WidgetHidden, UpdateWindowPaintsAHiddenWidgetsBitmap) {
    VortigaWidget widget;
    RecordingHandler handler;
    widget.SetHandler(&handler);
    widget.resize(64, 32);
    handler.paint = [](Surface& dc, const Rect& r) { dc.FillRect(r, Brush{BrushKind::Solid, Rgb(255, 0, 0)}); };
    widget.Invalidate();
    widget.UpdateWindow();
    EXPECT_EQ(handler.events, (Events{"size 64x32", "paint 0,0,64,32"}));
    EXPECT_EQ(widget.BackingImage().GetPixel(63, 31), Rgb(255, 0, 0));
}

// ---- keyboard -----------------------------------------------------------------------------

TEST_F(WidgetTest, KeysArriveAsVirtualKeysAndCharacters) {
    QTest::keyClick(widget.get(), Qt::Key_A);
    QTest::keyClick(widget.get(), Qt::Key_Left);
    QTest::keyClick(widget.get(), '!');  // a shifted digit reports the digit key
    QTest::keyClick(widget.get(), Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(widget.get(), Qt::Key_Delete);
    EXPECT_EQ(handler.events, (Events{"keydown 65", "char 97", "keyup 65", "keydown 37", "keyup 37", "keydown 49",
                                      "char 33", "keyup 49", "keydown 107", "char 43", "keyup 107", "keydown 46",
                                      "keyup 46"}));
    EXPECT_NE(handler.lastKeyFlags, 0u);
}

TEST_F(WidgetTest, AltCombinationsAreSystemKeysWithoutCharacters) {
    QTest::keyClick(widget.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(Only(handler.events, {"syskeydown", "keydown", "char"}), (Events{"syskeydown 18 alt", "syskeydown 88 alt"}));
    EXPECT_EQ(Only(handler.events, {"keyup 88"}), (Events{"keyup 88 alt"}));
    handler.Clear();
    QTest::keyClick(widget.get(), Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier);  // AltGr
    EXPECT_EQ(handler.Count("syskeydown"), 0);
    EXPECT_EQ(Only(handler.events, {"keydown 81"}).size(), 1u);
}

TEST_F(WidgetTest, KeyStateFollowsPressAndRelease) {
    QTest::keyPress(widget.get(), Qt::Key_F5);
    EXPECT_TRUE(widget->IsKeyDown(VK_F1 + 4));
    QTest::keyRelease(widget.get(), Qt::Key_F5);
    EXPECT_FALSE(widget->IsKeyDown(VK_F1 + 4));
}

// ---- timers and scroll bars ---------------------------------------------------------------

TEST_F(WidgetTest, TimersFireUntilKilled) {
    widget->SetTimer(5, 10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return handler.Count("timer 5") >= 2; }, 2000));
    widget->KillTimer(5);
    handler.Clear();
    QTest::qWait(60);
    EXPECT_EQ(handler.Count("timer"), 0);
}

TEST_F(WidgetTest, AShownScrollBarShrinksTheClientArea) {
    const int e = Extent();
    widget->ShowScrollBar(ScrollBar::Vertical, true);
    EXPECT_EQ(widget->ClientSize(), (Size{200 - e, 120}));
    EXPECT_EQ(widget->ScrollBarWidget(ScrollBar::Vertical)->geometry(), QRect(200 - e, 0, e, 120));
    widget->ShowScrollBar(ScrollBar::Horizontal, true);
    EXPECT_EQ(widget->ClientSize(), (Size{200 - e, 120 - e}));
    EXPECT_EQ(widget->BackingImage().PixelSize(), widget->ClientSize());
    widget->ShowScrollBar(ScrollBar::Vertical, false);
    widget->ShowScrollBar(ScrollBar::Horizontal, false);
    EXPECT_EQ(widget->ClientSize(), (Size{200, 120}));
    EXPECT_EQ(Only(handler.events, {"size"}).size(), 4u);
    EXPECT_EQ(handler.events.front(), "size " + std::to_string(200 - e) + "x120");
}

TEST_F(WidgetTest, ScrollBarsReportActionsAndMoveOnlyWhenTheControlSetsThem) {
    widget->ShowScrollBar(ScrollBar::Horizontal, true);
    widget->SetScrollRange(ScrollBar::Horizontal, 0, 1000);
    widget->SetScrollPos(ScrollBar::Horizontal, 300);
    QScrollBar* bar = widget->ScrollBarWidget(ScrollBar::Horizontal);
    handler.Clear();

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(widget->GetScrollPos(ScrollBar::Horizontal), 300);
    EXPECT_EQ(bar->sliderPosition(), 300);

    bar->setSliderDown(true);  // the thumb dragged to 700 and let go
    bar->setSliderPosition(700);
    bar->setSliderDown(false);
    EXPECT_EQ(widget->GetScrollPos(ScrollBar::Horizontal), 300);
    EXPECT_EQ(bar->sliderPosition(), 300);
    EXPECT_EQ(handler.events, (Events{"hscroll 1 300", "hscroll 8 300", "hscroll 5 700", "hscroll 4 700",
                                      "hscroll 8 300"}));

    handler.hscroll = [&](int code, int pos) {
        if (code == SB_PAGEUP) widget->SetScrollPos(ScrollBar::Horizontal, pos - 100);
    };
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(widget->GetScrollPos(ScrollBar::Horizontal), 200);
    EXPECT_EQ(bar->sliderPosition(), 200);
}

// ---- menus ----------------------------------------------------------------------------------

Menu PlotMenu() {
    auto zoom = std::make_shared<Menu>();
    zoom->Append(MenuItem::Command(32769, "Zoom &in"));
    zoom->Append(MenuItem::Command(32770, "Zoom &out", true, true));
    Menu menu;
    menu.Append(MenuItem::Popup("&Zoom", zoom));
    menu.Append(MenuItem::Separator());
    menu.Append(MenuItem::Command(32785, "&Copy\tCtrl+C"));
    menu.Append(MenuItem::Command(32786, "&Paste", false));
    return menu;
}

TEST_F(WidgetTest, APopupMenuReturnsTheCommandChosenInASubmenu) {
    bool checked = false;
    AnswerMenu([&](QMenu* popup) {
        checked = ActionFor(popup, 32770)->isChecked();
        ActionFor(popup, 32769)->trigger();
    });
    EXPECT_EQ(widget->TrackPopupMenu(PlotMenu(), {10, 10}), 32769);
    EXPECT_TRUE(checked);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(handler.Count("command"), 0);
}

TEST_F(WidgetTest, APopupMenuClosedWithoutAChoiceReturnsZero) {
    bool pasteEnabled = true;
    AnswerMenu([&](QMenu* popup) {
        pasteEnabled = ActionFor(popup, 32786)->isEnabled();
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    EXPECT_EQ(widget->TrackPopupMenu(PlotMenu(), {10, 10}), 0);
    EXPECT_FALSE(pasteEnabled);
}

// ---- edit boxes -----------------------------------------------------------------------------

TEST_F(WidgetTest, AnEditBoxIsALineEditOverTheSiteThatTakesTyping) {
    auto box = widget->CreateEditBox({10, 20, 110, 40}, "abc", false, Font{});
    auto* line = widget->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->geometry(), QRect(10, 20, 100, 20));
    box->Focus();
    QTest::keyClicks(line, "de");
    EXPECT_EQ(box->GetText(), "abcde");
    box->SendKey(VK_HOME);
    box->SendChar('X');
    box->SendKey(VK_DELETE);
    EXPECT_EQ(box->GetText(), "Xbcde");
    EXPECT_EQ(Only(handler.events, {"keydown", "char"}), Events{});  // the box's keys are its own
}

TEST_F(WidgetTest, SelectionsAreByteOffsetsIntoTheUtf8Text) {
    auto box = widget->CreateEditBox({}, "a\xC3\xA9\xE2\x82\xAC", false, Font{});  // a, e-acute, euro
    auto* line = widget->findChild<QLineEdit*>();
    box->SetSelection(1, 3);
    EXPECT_EQ(line->selectedText(), QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(box->GetSelection(), (std::pair{1, 3}));
    box->SetSelection(2, -1);  // inside the e-acute: snaps back to its start
    EXPECT_EQ(box->GetSelection(), (std::pair{1, 6}));
    box->SendChar('z');
    EXPECT_EQ(box->GetText(), "az");
}

TEST_F(WidgetTest, AMultiLineBoxReportsCrLfBreaks) {
    auto box = widget->CreateEditBox({0, 0, 100, 60}, "a\rb", true, Font{});
    ASSERT_NE(widget->findChild<QPlainTextEdit*>(), nullptr);
    EXPECT_EQ(box->GetText(), "a\r\nb");
    box->SendChar(VK_RETURN);
    box->SendChar(0xE9);
    EXPECT_EQ(box->GetText(), "a\r\nb\r\n\xC3\xA9");
    EXPECT_EQ(box->GetSelection(), (std::pair{8, 8}));
    box->SendChar(VK_BACK);
    box->SendChar(VK_BACK);
    EXPECT_EQ(box->GetText(), "a\r\nb");
}

TEST_F(WidgetTest, TheLengthLimitHoldsForTypingAndSimulatedCharacters) {
    auto box = widget->CreateEditBox({}, "abc", false, Font{});
    box->SetMaxLength(4);
    auto* line = widget->findChild<QLineEdit*>();
    box->Focus();
    QTest::keyClicks(line, "de");
    box->SendChar('f');
    EXPECT_EQ(box->GetText(), "abcd");
}

TEST_F(WidgetTest, TheKeyFilterSwallowsEscapeAndMayCloseTheBoxFromWithin) {
    std::unique_ptr<IEditBox> box = widget->CreateEditBox({}, "abc", false, Font{});
    QPointer<QLineEdit> line = widget->findChild<QLineEdit*>();
    std::vector<std::pair<EditInput, int>> seen;
    box->SetKeyFilter([&](EditInput kind, int code) {
        seen.emplace_back(kind, code);
        if (code == VK_ESCAPE) box.reset();
        return code == VK_ESCAPE;
    });
    box->Focus();
    QTest::keyClick(line.data(), Qt::Key_X);
    QTest::keyClick(line.data(), Qt::Key_Escape);
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(seen, (std::vector<std::pair<EditInput, int>>{
                        {EditInput::KeyDown, 'X'}, {EditInput::Char, 'x'}, {EditInput::KeyDown, VK_ESCAPE}}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(line.isNull());
    EXPECT_EQ(Only(handler.events, {"keydown", "char"}), Events{});
}

// ---- tips and drops -------------------------------------------------------------------------

TEST_F(WidgetTest, HoveringAToolShowsItsText) {
    widget->AddTool(1, {0, 0, 50, 50}, "x=1\ny=2");
    QHelpEvent inside(QEvent::ToolTip, QPoint(10, 10), widget->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(widget.get(), &inside);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString("x=1\ny=2"));
    QHelpEvent outside(QEvent::ToolTip, QPoint(100, 100), widget->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(widget.get(), &outside);
    EXPECT_FALSE(outside.isAccepted());
    QToolTip::hideText();
}

// A drop goes to the widget that accepted the drag's entry, as in a real drag.
bool DragAndDrop(QWidget* target, const QMimeData& mime, QPoint at) {
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST_F(WidgetTest, DroppedFilesAndDataReachTheirHandlers) {
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/a.txt"), QUrl::fromLocalFile("/tmp/b c.txt")});
    EXPECT_TRUE(DragAndDrop(widget.get(), files, {15, 25}));
    QMimeData path;
    path.setData("application/x-vortiga-variable-path", "Flowsheet.S1.T");
    EXPECT_TRUE(DragAndDrop(widget.get(), path, {15, 25}));
    EXPECT_EQ(handler.events, (Events{"dragenter text/uri-list+text/plain 15,25", "dropfiles /tmp/a.txt|/tmp/b c.txt",
                                      "dragenter application/x-vortiga-variable-path 15,25",
                                      "dropdata application/x-vortiga-variable-path 15,25"}));
    handler.Clear();
    handler.acceptEnter = false;
    EXPECT_FALSE(DragAndDrop(widget.get(), path, {1, 1}));
    handler.acceptEnter = true;
    handler.takeData = false;
    EXPECT_FALSE(DragAndDrop(widget.get(), path, {1, 1}));
    EXPECT_EQ(handler.Count("dropdata"), 1);
}

}  // namespace
}  // namespace vtg
