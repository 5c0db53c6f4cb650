// The recording surface: what upper layers' drawing tests will read back.
#include <gtest/gtest.h>

#include <array>

#include "platform/ImageSurface.h"
#include "platform/RecordingSurface.h"
#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

using namespace surface_test;

TEST(SurfaceRecording, KeepsGeometryWithTheStateOfEachCall) {
    RecordingSurface s;
    const Pen blue = MakePen(kBlue, 2, PenStyle::Dash);
    s.SelectPen(blue);
    s.SetRop2(Rop2::NotXorPen);
    s.SelectClipRect({1, 2, 30, 40});
    s.MoveTo({5, 5});
    s.LineTo({9, 7});
    s.SetRop2(Rop2::CopyPen);
    s.SelectPen(MakePen(kRed));
    const std::array<Point, 3> tri{Point{0, 0}, Point{4, 0}, Point{0, 4}};
    s.Polygon(tri);
    s.Rectangle({1, 1, 8, 9});
    s.FillRect({2, 2, 3, 3}, SolidBrush(kBlue));

    ASSERT_EQ(s.Calls().size(), 4u);
    const DrawCall& line = s.Calls()[0];
    EXPECT_EQ(line.op, DrawOp::Polyline);
    EXPECT_EQ(line.points, (std::vector<Point>{{5, 5}, {9, 7}})) << "LineTo is a line from the current position";
    EXPECT_EQ(line.state.pen, blue);
    EXPECT_EQ(line.state.rop, Rop2::NotXorPen);
    EXPECT_EQ(line.state.clip.shapes.at(0).rect, (Rect{1, 2, 30, 40}));

    const DrawCall& polygon = s.Calls()[1];
    EXPECT_EQ(polygon.points.size(), 3u);
    EXPECT_EQ(polygon.state.pen.color, kRed);
    EXPECT_EQ(polygon.state.rop, Rop2::CopyPen) << "the snapshot is taken per call, not shared";
    EXPECT_EQ(s.Calls()[2].rect, (Rect{1, 1, 8, 9}));
    EXPECT_EQ(s.CallsOf(DrawOp::FillRect).at(0).brush.color, kBlue);
    EXPECT_EQ(s.CountOf(DrawOp::Ellipse), 0u);

    s.Clear();
    EXPECT_TRUE(s.Calls().empty());
    EXPECT_EQ(s.State().pen.color, kRed) << "Clear forgets calls, not the state";
}

TEST(SurfaceRecording, TextCallsHoldTheResolvedPointAndTheCellBox) {
    RecordingSurface s;
    s.SetTextAlign(TextAlign::UpdateCP | TextAlign::Left | TextAlign::Bottom);
    s.MoveTo({10, 50});
    s.TextOut({0, 0}, "X axis");
    s.TextOut({0, 0}, " x 10");
    s.SetTextAlign(TextAlign::Center | TextAlign::Top);
    s.TextOut({100, 5}, "Title");

    EXPECT_EQ(s.Texts(), (std::vector<std::string>{"X axis", " x 10", "Title"}));
    const std::vector<DrawCall> texts = s.CallsOf(DrawOp::Text);
    const Size first = s.GetTextExtent("X axis");
    EXPECT_EQ(texts[0].points.at(0), (Point{10, 50}));
    EXPECT_EQ(texts[1].points.at(0), (Point{10 + first.cx, 50})) << "the second part follows the first";
    EXPECT_EQ(texts[0].rect, (Rect{10, 50 - first.cy, 10 + first.cx, 50}));
    const Size title = s.GetTextExtent("Title");
    EXPECT_EQ(texts[2].rect, (Rect{100 - title.cx / 2, 5, 100 - title.cx / 2 + title.cx, 5 + title.cy}));
    EXPECT_EQ(texts[2].state.textAlign, TextAlign::Center | TextAlign::Top);
}

TEST(SurfaceRecording, BlitsNameTheirSourceAndRectangles) {
    RecordingSurface s(SurfaceKind::Window);
    auto memory = s.CreateCompatible(40, 30);
    s.BitBlt({5, 6}, {40, 30}, *memory, {0, 0}, BlitRop::SrcInvert);
    s.StretchBlt({0, 0, 80, 60}, *memory, {0, 0, 40, 30});
    const DrawCall& blit = s.Calls().at(0);
    EXPECT_EQ(blit.op, DrawOp::BitBlt);
    EXPECT_EQ(blit.source, memory.get());
    EXPECT_EQ(blit.rect, (Rect{5, 6, 45, 36}));
    EXPECT_EQ(blit.sourceRect, (Rect{0, 0, 40, 30}));
    EXPECT_EQ(blit.blitRop, BlitRop::SrcInvert);
    EXPECT_EQ(s.Calls().at(1).rect, (Rect{0, 0, 80, 60}));
}

TEST(SurfaceRecording, PretendsAnyDeviceAndMakesCompatibleRecorders) {
    RecordingSurface printer(SurfaceKind::Printer, {4800, 6000}, 600);
    EXPECT_TRUE(printer.IsPrintingDevice());
    EXPECT_EQ(printer.PixelSize(), (Size{4800, 6000}));
    EXPECT_EQ(printer.DpiY(), 600);
    auto memory = printer.CreateCompatible(10, 20);
    EXPECT_NE(dynamic_cast<RecordingSurface*>(memory.get()), nullptr);
    EXPECT_EQ(memory->DpiX(), 600);
    EXPECT_EQ(memory->PixelSize(), (Size{10, 20}));

    RecordingSurface defaults;
    EXPECT_EQ(defaults.PixelSize(), (Size{800, 600}));
    EXPECT_EQ(defaults.DpiX(), 96);
    EXPECT_FALSE(defaults.IsPrintingDevice());
}

TEST(SurfaceRecording, HostileBlitSizesAreRecordedWithoutOverflow) {
    RecordingSurface s;
    s.BitBlt({INT_MAX - 1, 0}, {INT_MAX, 5}, s, {INT_MIN, 0});
    EXPECT_EQ(s.Calls().at(0).rect.right, INT_MAX);
    EXPECT_EQ(s.Calls().at(0).sourceRect.right, -1);
}

}  // namespace
}  // namespace vtg
