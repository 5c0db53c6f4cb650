// Markers as recorded drawing calls: which kinds draw, the plain and smoothed forms, outline
// widths and sizes, the highlight hatch, and that the surface is left as it was found.
#include <gtest/gtest.h>

#include <climits>

#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "regions/CDrawTool.h"
#include "regions/MarkerShape.h"

namespace vtg {
namespace {

constexpr int kBlueIndex = 9;
constexpr Color kBlue = Rgb(0, 0, 255);
Brush Solid(Color c) {
    Brush b;
    b.color = c;
    return b;
}
const Brush kWhiteFill = Solid(Rgb(255, 255, 255));

struct MarkerFixture : testing::Test {
    CDrawTool tool;
    CPlotEnv env;
    RecordingSurface screen{SurfaceKind::Memory};
    RecordingSurface printer{SurfaceKind::Printer};
    MarkerFixture() { env.Tools = &tool; }
};

TEST_F(MarkerFixture, KindsOutsideTheTableAndInvisibleMarkersDrawNothing) {
    for (int kind : {0, -1, 12, 99, INT_MIN, INT_MAX}) {
        env.DrawMarker(screen, kind, 50, 50, kBlueIndex, 4, false);
        env.DrawMarker(printer, kind, 50, 50, kBlueIndex, 4, true);
    }
    env.DrawMarker(screen, 1, 50, 50, kBlueIndex, -3, false);
    env.DrawMarker(screen, 1, INT_MAX, 50, kBlueIndex, 4, false);
    env.DrawMarker(screen, 1, 50, INT_MIN, kBlueIndex, INT_MAX, false);
    env.PaintArea = {0, 0, 40, 40};
    env.DrawMarker(screen, 2, 50, 50, kBlueIndex, 10, false);   // square 40..60 misses 0..39
    EXPECT_TRUE(screen.Calls().empty());
    EXPECT_TRUE(printer.Calls().empty());

    env.DrawMarker(screen, 2, 50, 50, kBlueIndex, 11, false);   // square 39..61 touches it
    EXPECT_EQ(screen.Calls().size(), 1u);
}

TEST_F(MarkerFixture, PlainFormsOnPrintersAndInPlainMode) {
    RecordingSurface plainScreen{SurfaceKind::Memory};
    CPlotEnv plainEnv = env;
    plainEnv.PlainDrawing = true;
    for (int kind = 1; kind <= 10; ++kind) {
        SCOPED_TRACE(kind);
        for (RecordingSurface* dc : {&printer, &plainScreen}) {
            dc->Clear();
            (dc == &printer ? env : plainEnv).DrawMarker(*dc, kind, 50, 60, kBlueIndex, 4, true);
            ASSERT_EQ(dc->Calls().size(), 1u);
            const DrawCall& c = dc->Calls()[0];
            const MarkerShape shape = MarkerGeometry(kind, 50, 60, 4);     // no size reduction
            EXPECT_FALSE(c.state.smoothing);
            EXPECT_EQ(c.state.pen.color, kBlue);
            EXPECT_EQ(c.state.pen.width, 1);
            EXPECT_EQ(c.state.pen.style, PenStyle::Solid);
            EXPECT_EQ(c.state.brush, kind <= 5 ? Solid(kBlue) : kWhiteFill);
            if (shape.form == MarkerForm::Polygon) {
                EXPECT_EQ(c.op, DrawOp::Polygon);
                EXPECT_EQ(c.points, shape.points);
            } else {
                EXPECT_EQ(c.op, shape.form == MarkerForm::Circle ? DrawOp::Ellipse : DrawOp::Rectangle);
                EXPECT_EQ(c.rect, shape.box);
            }
        }
    }
}

TEST_F(MarkerFixture, SmoothedFilledKindsHaveNoOutline) {
    struct Row {
        int kind;
        DrawOp op;
        bool smoothing;
    };
    for (const Row& r : {Row{1, DrawOp::Ellipse, true}, Row{2, DrawOp::Rectangle, false}, Row{3, DrawOp::Polygon, false},
                         Row{4, DrawOp::Polygon, false}, Row{5, DrawOp::Polygon, false}}) {
        SCOPED_TRACE(r.kind);
        screen.Clear();
        env.DrawMarker(screen, r.kind, 50, 60, kBlueIndex, 5, false);
        ASSERT_EQ(screen.Calls().size(), 1u);
        const DrawCall& c = screen.Calls()[0];
        EXPECT_EQ(c.op, r.op);
        EXPECT_EQ(c.state.smoothing, r.smoothing);
        EXPECT_EQ(c.state.pen.style, PenStyle::Null);
        EXPECT_EQ(c.state.brush, Solid(kBlue));
        if (r.op == DrawOp::Polygon) {
            EXPECT_EQ(c.points, MarkerGeometry(r.kind, 50, 60, 5).points);
        }
    }
    // Without a pen the surface leaves out the outline's pixels, so the square's box grows by
    // one to keep the fill 2d wide.
    screen.Clear();
    env.DrawMarker(screen, 2, 50, 60, kBlueIndex, 5, false);
    EXPECT_EQ(screen.Calls()[0].rect, (Rect{45, 55, 56, 66}));
}

TEST_F(MarkerFixture, SmoothedOpenKindsShrinkByHalfTheOutlineWidth) {
    struct Row {
        int d;
        int width;
        int drawnD;
    };
    for (const Row& r : {Row{0, 1, 0}, Row{1, 1, 1}, Row{3, 1, 3}, Row{4, 2, 3}, Row{5, 2, 4}, Row{8, 4, 6}, Row{9, 4, 7}}) {
        for (int kind = 6; kind <= 10; ++kind) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " d " << r.d);
            screen.Clear();
            env.DrawMarker(screen, kind, 50, 60, kBlueIndex, r.d, false);
            ASSERT_EQ(screen.Calls().size(), 1u);
            const DrawCall& c = screen.Calls()[0];
            const MarkerShape shape = MarkerGeometry(kind, 50, 60, r.drawnD);
            EXPECT_EQ(c.state.pen.width, r.width);
            EXPECT_TRUE(c.state.pen.geometric);
            EXPECT_EQ(c.state.pen.color, kBlue);
            EXPECT_EQ(c.state.brush, kWhiteFill);
            EXPECT_EQ(c.state.smoothing, kind == 6);
            if (shape.form == MarkerForm::Polygon) {
                EXPECT_EQ(c.points, shape.points);
            } else {
                EXPECT_EQ(c.rect, shape.box);
            }
        }
    }
}

TEST_F(MarkerFixture, HighlightFillsWithTheHatch) {
    const Brush hatch = MarkerHighlightBrush(kBlue);
    env.DrawMarker(screen, 4, 50, 60, kBlueIndex, 6, true);
    ASSERT_EQ(screen.Calls().size(), 1u);
    EXPECT_EQ(screen.Calls()[0].state.brush, hatch);
    EXPECT_EQ(screen.Calls()[0].state.brush.fore, Rgb(127, 127, 255));

    // An open kind: the outline band in the hatch, then the inside in white.
    screen.Clear();
    env.DrawMarker(screen, 9, 50, 60, kBlueIndex, 8, true);     // h = 4, drawn with d = 6
    ASSERT_EQ(screen.Calls().size(), 2u);
    const MarkerShape shape = MarkerGeometry(9, 50, 60, 6);
    const DrawCall& band = screen.Calls()[0];
    const DrawCall& inside = screen.Calls()[1];
    EXPECT_EQ(band.state.brush, hatch);
    EXPECT_EQ(band.state.pen.style, PenStyle::Null);
    EXPECT_EQ(band.points, OffsetConvexPolygon(shape.points, 2));
    EXPECT_EQ(inside.state.brush, kWhiteFill);
    EXPECT_EQ(inside.points, OffsetConvexPolygon(shape.points, -2));

    screen.Clear();
    env.DrawMarker(screen, 6, 50, 60, kBlueIndex, 8, true);
    ASSERT_EQ(screen.Calls().size(), 2u);
    EXPECT_EQ(screen.Calls()[0].rect, (Rect{42, 52, 58, 68}));
    EXPECT_EQ(screen.Calls()[1].rect, (Rect{46, 56, 54, 64}));
}

TEST_F(MarkerFixture, PlusIsTwoLinesEachWay) {
    for (RecordingSurface* dc : {&screen, &printer}) {
        env.DrawMarker(*dc, 11, 50, 60, kBlueIndex, 3, true);
        const auto lines = dc->CallsOf(DrawOp::Polyline);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0].points, (std::vector<Point>{{47, 60}, {54, 60}}));
        EXPECT_EQ(lines[3].points, (std::vector<Point>{{51, 57}, {51, 64}}));
        for (const DrawCall& c : lines) {
            EXPECT_FALSE(c.state.smoothing);
            EXPECT_EQ(c.state.pen.color, kBlue);
            EXPECT_EQ(c.state.pen.width, 1);
        }
    }
}

TEST_F(MarkerFixture, SurfaceIsLeftAsItWasFound) {
    const Pen pen{Rgb(1, 2, 3), 7, PenStyle::Dot, false, false, {}};
    Brush brush;
    brush.kind = BrushKind::Null;
    screen.SelectPen(pen);
    screen.SelectBrush(brush);
    screen.SetSmoothing(true);
    screen.MoveTo({3, 4});
    for (int kind = 1; kind <= 11; ++kind) {
        env.DrawMarker(screen, kind, 50, 60, kBlueIndex, 5, kind % 2 == 0);
        EXPECT_EQ(screen.State().pen, pen);
        EXPECT_EQ(screen.State().brush, brush);
        EXPECT_TRUE(screen.State().smoothing);
        EXPECT_EQ(screen.State().position, (Point{3, 4}));
    }
}

TEST_F(MarkerFixture, ScaledPrintKeepsTheShapeAndWidensTheOutline) {
    env.OutputScale = 6;
    const int d = env.Units(3);
    ASSERT_EQ(d, 18);
    env.DrawMarker(printer, 8, 300, 300, kBlueIndex, d, false);
    ASSERT_EQ(printer.Calls().size(), 1u);
    EXPECT_EQ(printer.Calls()[0].points, MarkerGeometry(8, 300, 300, 18).points);
    EXPECT_EQ(printer.Calls()[0].state.pen.width, 6);
    EXPECT_TRUE(printer.Calls()[0].state.pen.geometric);
}

}  // namespace
}  // namespace vtg
