// Raster operations, pattern brushes, clipping and blits on the image surface, and what hostile
// sizes and coordinates do to it.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <array>
#include <climits>
#include <functional>

#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

using namespace surface_test;

// A busy background, so that raster operations meet many different destination colours.
void PaintBackground(ImageSurface& s) {
    const Size size = s.PixelSize();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) s.SetPixel({x, y}, Rgb(x * 7, y * 5, (x * y) & 0xFF));
    }
}

using Figure = std::function<void(Surface&)>;

struct XorCase {
    const char* name;
    Figure draw;
};

// XOR with black changes nothing, so every XOR figure uses a colour.
Pen Dotted() { return MakePen(Rgb(200, 100, 50), 1, PenStyle::Dot); }

const std::vector<XorCase>& XorFigures() {
    static const std::vector<XorCase> cases{
        {"Line", [](Surface& s) { s.MoveTo({3, 5}); s.LineTo({57, 33}); }},
        {"Polyline",
         [](Surface& s) {
             const std::array<Point, 5> pts{Point{2, 2}, Point{50, 10}, Point{20, 40}, Point{58, 38}, Point{2, 2}};
             s.Polyline(pts);
         }},
        {"RectangleOutline", [](Surface& s) { s.SelectBrush(NullBrush()); s.Rectangle({5, 5, 45, 30}); }},
        {"DottedRectangle",
         [](Surface& s) {
             s.SelectBrush(NullBrush());
             s.SelectPen(Dotted());
             s.Rectangle({7, 3, 52, 37});
         }},
        {"ThinRectangle", [](Surface& s) { s.SelectBrush(NullBrush()); s.Rectangle({5, 5, 45, 6}); }},
        {"WideLine",
         [](Surface& s) {
             s.SelectPen(MakePen(kBlue, 3));
             s.MoveTo({4, 30});
             s.LineTo({55, 8});
         }},
        {"FilledPolygon",
         [](Surface& s) {
             s.SelectBrush(SolidBrush(kRed));
             const std::array<Point, 4> pts{Point{10, 2}, Point{50, 12}, Point{30, 38}, Point{4, 25}};
             s.Polygon(pts);
         }},
        {"Ellipse", [](Surface& s) { s.Ellipse({8, 6, 50, 34}); }},
    };
    return cases;
}

struct XorParam {
    std::size_t figure;
    Rop2 rop;
    bool smoothing;
};

class XorRestores : public ::testing::TestWithParam<XorParam> {};

TEST_P(XorRestores, DrawingTwiceRestoresEveryPixel) {
    const XorParam& p = GetParam();
    ImageSurface s(60, 40);
    PaintBackground(s);
    const std::vector<Color> before = Snapshot(s);
    s.SetRop2(p.rop);
    s.SetSmoothing(p.smoothing);
    s.SelectPen(MakePen(Rgb(200, 100, 50)));
    XorFigures()[p.figure].draw(s);
    EXPECT_NE(Snapshot(s), before) << "the figure must change the picture";
    XorFigures()[p.figure].draw(s);
    EXPECT_EQ(Snapshot(s), before);
}

std::vector<XorParam> AllXorParams() {
    std::vector<XorParam> out;
    for (std::size_t f = 0; f < XorFigures().size(); ++f) {
        for (Rop2 rop : {Rop2::XorPen, Rop2::NotXorPen}) {
            for (bool smooth : {false, true}) out.push_back({f, rop, smooth});
        }
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(Surface, XorRestores, ::testing::ValuesIn(AllXorParams()), [](const auto& info) {
    return std::string(XorFigures()[info.param.figure].name) +
           (info.param.rop == Rop2::XorPen ? "_Xor" : "_NotXor") + (info.param.smoothing ? "_Smooth" : "_Aliased");
});

TEST(SurfaceRaster, BinaryRasterOperationsCombinePenAndDestination) {
    struct Row {
        Rop2 rop;
        Color expect;  // pen 0x0F0F0F over destination 0x3C3C3C
    };
    const std::array<Row, 7> rows{Row{Rop2::CopyPen, Rgb(0x0F, 0x0F, 0x0F)}, Row{Rop2::XorPen, Rgb(0x33, 0x33, 0x33)},
                                  Row{Rop2::NotXorPen, Rgb(0xCC, 0xCC, 0xCC)}, Row{Rop2::MaskPen, Rgb(0x0C, 0x0C, 0x0C)},
                                  Row{Rop2::MergePen, Rgb(0x3F, 0x3F, 0x3F)}, Row{Rop2::Not, Rgb(0xC3, 0xC3, 0xC3)},
                                  Row{static_cast<Rop2>(0), Rgb(0x0F, 0x0F, 0x0F)}};
    for (const Row& r : rows) {
        for (int width : {1, 3}) {
            ImageSurface s(20, 20, SurfaceKind::Memory, 96, Rgb(0x3C, 0x3C, 0x3C));
            s.SelectPen(MakePen(Rgb(0x0F, 0x0F, 0x0F), width));
            s.SetRop2(r.rop);
            s.MoveTo({2, 10});
            s.LineTo({18, 10});
            EXPECT_EQ(s.GetPixel(10, 10), r.expect) << "rop " << static_cast<int>(r.rop) << " width " << width;
        }
    }
}

struct PatternCase {
    const char* name;
    std::array<std::uint8_t, 8> bits;
    int stretch;
    bool dcColors;
};

class PatternBrush : public ::testing::TestWithParam<PatternCase> {};

// Bit 7 is the leftmost pixel, a 1 bit is background, and the pattern is anchored at the
// surface origin whatever shape it fills.
Color Expected(const PatternCase& c, int x, int y, Color fore, Color back) {
    const int s = c.stretch;
    const unsigned bits = c.bits[static_cast<std::size_t>((y / s) % 8)];
    return ((bits >> (7 - (x / s) % 8)) & 1u) ? back : fore;
}

TEST_P(PatternBrush, IsPixelExactAndAlignedToTheSurface) {
    const PatternCase& c = GetParam();
    ImageSurface s(64, 64);
    Brush b;
    b.kind = BrushKind::Pattern;
    b.bits = c.bits;
    b.stretch = c.stretch;
    b.dcColors = c.dcColors;
    b.fore = Rgb(0, 128, 0);
    b.back = Rgb(255, 255, 0);
    s.SetTextColor(kRed);
    s.SetBkColor(kBlue);
    const Color fore = c.dcColors ? kRed : b.fore;
    const Color back = c.dcColors ? kBlue : b.back;

    // Three shapes side by side through the three ways a brush is used.
    s.FillRect({3, 5, 29, 30}, b);
    s.SelectBrush(b);
    s.SelectPen(MakePen(kBlack, 1, PenStyle::Null));
    s.Rectangle({29, 5, 61, 31});  // null pen: fills 29..59 x 5..29
    const std::array<Point, 4> quad{Point{3, 33}, Point{61, 33}, Point{61, 60}, Point{3, 60}};
    s.Polygon(quad);

    int mismatches = 0;
    for (int y = 5; y < 60; ++y) {
        for (int x = 3; x < 60; ++x) {
            if (y >= 30 && y < 33) continue;  // between the shapes
            mismatches += s.GetPixel(x, y) != Expected(c, x, y, fore, back) ? 1 : 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Surface, PatternBrush,
    ::testing::Values(PatternCase{"Diagonal", {0xEE, 0xDD, 0xBB, 0x77, 0xEE, 0xDD, 0xBB, 0x77}, 1, true},
                      PatternCase{"Checker", {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}, 1, true},
                      PatternCase{"CheckerStretched", {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}, 2, true},
                      PatternCase{"Bands", {0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00}, 3, true},
                      PatternCase{"OwnColours", {0x77, 0xAA, 0xDD, 0xAA, 0x77, 0xAA, 0xDD, 0xAA}, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClipCase {
    const char* name;
    Figure draw;
};

const std::vector<ClipCase>& ClipFigures() {
    static const std::vector<ClipCase> cases{
        {"ThinLine", [](Surface& s) { s.MoveTo({0, 0}); s.LineTo({59, 59}); }},
        {"DashedLine",
         [](Surface& s) {
             s.SelectPen(MakePen(kBlack, 1, PenStyle::Dash));
             s.MoveTo({0, 30});
             s.LineTo({59, 30});
         }},
        {"SmoothWideLine",
         [](Surface& s) {
             s.SetSmoothing(true);
             s.SelectPen(MakePen(kBlack, 5));
             s.MoveTo({0, 40});
             s.LineTo({59, 10});
         }},
        {"FillRect", [](Surface& s) { s.FillRect({0, 0, 60, 60}, SolidBrush(kRed)); }},
        {"Rectangle", [](Surface& s) { s.SelectBrush(SolidBrush(kRed)); s.Rectangle({2, 2, 58, 58}); }},
        {"Ellipse", [](Surface& s) { s.SelectBrush(SolidBrush(kRed)); s.Ellipse({0, 0, 60, 60}); }},
        {"Text",
         [](Surface& s) {
             Font f;
             f.height = 30;
             s.SelectFont(f);
             s.TextOut({0, 10}, "WWWW");
         }},
        {"Pixels",
         [](Surface& s) {
             for (int i = 0; i < 60; ++i) s.SetPixel({i, i}, kBlack);
         }},
        {"BitBlt",
         [](Surface& s) {
             ImageSurface src(60, 60, SurfaceKind::Memory, 96, kBlue);
             s.BitBlt({0, 0}, {60, 60}, src, {0, 0});
         }},
    };
    return cases;
}

class ClipHonoured : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ClipHonoured, NothingIsDrawnOutsideAClipRectangle) {
    ImageSurface s(60, 60);
    s.SelectClipRect({20, 20, 40, 40});
    ClipFigures()[GetParam()].draw(s);
    EXPECT_GT(CountInk(s, {20, 20, 40, 40}), 0);
    EXPECT_EQ(CountInk(s, {0, 0, 60, 60}), CountInk(s, {20, 20, 40, 40}));
}

TEST_P(ClipHonoured, NothingIsDrawnOutsideAClipPolygon) {
    ImageSurface s(60, 60);
    const std::array<Point, 3> triangle{Point{0, 0}, Point{60, 0}, Point{0, 60}};
    s.SelectClipPolygon(triangle);
    s.IntersectClipRect({5, 5, 60, 60});
    ClipFigures()[GetParam()].draw(s);
    int inside = 0;
    int outside = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool ink = s.GetPixel(x, y) != kWhite;
            // A pixel belongs to the triangle when its centre does; centres on the slanted
            // edge may go either way.
            if (x + y + 1 == 60) continue;
            const bool in = x >= 5 && y >= 5 && x + y + 1 < 60;
            (in ? inside : outside) += ink ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

INSTANTIATE_TEST_SUITE_P(Surface, ClipHonoured, ::testing::Range<std::size_t>(0, 9),
                         [](const auto& info) { return std::string(ClipFigures()[info.param].name); });

TEST(SurfaceRaster, BitBltCopiesClippedToTheSourceAndTheDestinationClip) {
    ImageSurface src(20, 20);
    PaintBackground(src);
    ImageSurface dst(40, 40);
    dst.SelectClipRect({0, 0, 40, 30});
    // Asks for 30 x 30 from (5, 5): only 15 x 15 exist in the source.
    dst.BitBlt({10, 10}, {30, 30}, src, {5, 5});
    EXPECT_EQ(dst.GetPixel(10, 10), src.GetPixel(5, 5));
    EXPECT_EQ(dst.GetPixel(24, 19), src.GetPixel(19, 14));
    EXPECT_EQ(InkBounds(dst), (Rect{10, 10, 25, 25}));

    ImageSurface clipped(40, 40);
    clipped.SelectClipRect({0, 0, 40, 15});
    clipped.BitBlt({10, 10}, {15, 15}, src, {5, 5});
    EXPECT_EQ(InkBounds(clipped), (Rect{10, 10, 25, 15}));
}

TEST(SurfaceRaster, BitBltWithinOneSurfaceReadsTheSourceFirst) {
    ImageSurface s(30, 10);
    for (int x = 0; x < 30; ++x) s.SetPixel({x, 0}, Rgb(x, 0, 0));
    s.BitBlt({2, 0}, {20, 1}, s, {0, 0});  // overlapping move to the right
    for (int x = 2; x < 22; ++x) EXPECT_EQ(s.GetPixel(x, 0), Rgb(x - 2, 0, 0)) << x;
}

TEST(SurfaceRaster, BlitRasterOperations) {
    ImageSurface src(4, 4, SurfaceKind::Memory, 96, Rgb(0x0F, 0xF0, 0x33));
    const Color dstColour = Rgb(0x3C, 0x3C, 0x3C);
    const std::array<std::pair<BlitRop, Color>, 4> rows{
        std::pair{BlitRop::SrcCopy, Rgb(0x0F, 0xF0, 0x33)}, std::pair{BlitRop::SrcInvert, Rgb(0x33, 0xCC, 0x0F)},
        std::pair{BlitRop::SrcAnd, Rgb(0x0C, 0x30, 0x30)}, std::pair{BlitRop::SrcPaint, Rgb(0x3F, 0xFC, 0x3F)}};
    for (const auto& [rop, expect] : rows) {
        ImageSurface dst(4, 4, SurfaceKind::Memory, 96, dstColour);
        dst.BitBlt({0, 0}, {4, 4}, src, {0, 0}, rop);
        EXPECT_EQ(dst.GetPixel(1, 1), expect) << static_cast<int>(rop);
    }
}

TEST(SurfaceRaster, StretchBltScalesByNearestPixelAndMirrors) {
    ImageSurface src(4, 2);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 2; ++y) src.SetPixel({x, y}, Rgb(x * 60, y * 100, 7));
    }
    ImageSurface dst(8, 4);
    dst.StretchBlt({0, 0, 8, 4}, src, {0, 0, 4, 2});
    EXPECT_EQ(dst.GetPixel(0, 0), src.GetPixel(0, 0));
    EXPECT_EQ(dst.GetPixel(7, 3), src.GetPixel(3, 1));
    EXPECT_EQ(dst.GetPixel(5, 2), src.GetPixel(2, 1));
    ImageSurface mirrored(4, 2);
    mirrored.StretchBlt({4, 0, 0, 2}, src, {0, 0, 4, 2});
    EXPECT_EQ(mirrored.GetPixel(0, 0), src.GetPixel(3, 0));
    EXPECT_EQ(mirrored.GetPixel(3, 1), src.GetPixel(0, 1));
}

TEST(SurfaceRaster, CompatibleBitmapIsAnImageOfTheSameDpiThatBlitsBack) {
    ImageSurface window(50, 50, SurfaceKind::Window, 120);
    auto memory = window.CreateCompatible(10, 10);
    EXPECT_EQ(memory->Kind(), SurfaceKind::Memory);
    EXPECT_EQ(memory->DpiX(), 120);
    EXPECT_EQ(memory->PixelSize(), (Size{10, 10}));
    EXPECT_EQ(window.CreateCompatible(0, -3)->PixelSize(), (Size{1, 1}));

    // Save the pixels under a box, draw over them, put them back (the tracker's pattern).
    PaintBackground(window);
    const std::vector<Color> before = Snapshot(window);
    memory->BitBlt({0, 0}, {10, 10}, window, {20, 20});
    window.FillRect({20, 20, 30, 30}, SolidBrush(kBlack));
    window.BitBlt({20, 20}, {10, 10}, *memory, {0, 0});
    EXPECT_EQ(Snapshot(window), before);
}

TEST(SurfaceRaster, SavePngWritesAReadablePictureOfTheRightSize) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ImageSurface s(37, 21);
    s.FillRect({0, 0, 10, 10}, SolidBrush(kRed));
    const std::string path = dir.filePath("plot.png").toStdString();
    ASSERT_TRUE(s.SavePng(path));
    QImage back(QString::fromStdString(path));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(37, 21));
    EXPECT_EQ(back.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_FALSE(s.SavePng(dir.filePath("no/such/folder/plot.png").toStdString()));
}

TEST(SurfaceRaster, HostileSizesGiveAnEmptySurfaceThatIgnoresDrawing) {
    for (const Size size : {Size{-5, 10}, Size{0, 0}, Size{100000, 100000}, Size{INT_MAX, 2}}) {
        ImageSurface s(size.cx, size.cy);
        EXPECT_FALSE(s.IsValid());
        EXPECT_EQ(s.PixelSize(), (Size{0, 0}));
        s.MoveTo({0, 0});
        s.LineTo({10, 10});
        s.FillRect({0, 0, 5, 5}, SolidBrush(kRed));
        s.TextOut({1, 1}, "x");
        s.SetPixel({0, 0}, kRed);
        EXPECT_EQ(s.GetPixel(0, 0), 0u);
        EXPECT_FALSE(s.SavePng("/tmp/vortiga-never-written.png"));
    }
}

TEST(SurfaceRaster, ExtremeCoordinatesDrawTheVisiblePartOnly) {
    ImageSurface s(40, 40);
    s.MoveTo({INT_MIN, 10});
    s.LineTo({INT_MAX, 10});
    EXPECT_EQ(CountInk(s, {0, 10, 40, 11}), 40);
    s.MoveTo({INT_MIN, INT_MIN});
    s.LineTo({INT_MAX, INT_MAX});  // the diagonal through the middle of the picture
    EXPECT_NE(s.GetPixel(20, 20), kWhite);
    const std::array<Point, 3> far{Point{INT_MIN, INT_MIN}, Point{INT_MAX, 0}, Point{0, INT_MAX}};
    s.SelectPen(MakePen(kBlack, 3));
    s.Polyline(far);
    s.Polygon(far);
    s.Rectangle({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    s.BitBlt({INT_MAX - 5, INT_MAX - 5}, {INT_MAX, INT_MAX}, s, {INT_MIN, INT_MIN});
    s.SetPixel({INT_MIN, INT_MAX}, kRed);
    SUCCEED() << "no crash";
}

TEST(SurfaceRaster, HostilePenAndBrushValuesAreTamed) {
    ImageSurface s(40, 10);
    Pen pen = MakePen(kBlack);
    pen.dashes = {0, 4};  // not a pattern: solid
    s.SelectPen(pen);
    s.MoveTo({0, 2});
    s.LineTo({40, 2});
    EXPECT_EQ(CountInk(s, {0, 2, 40, 3}), 40);

    pen.dashes = {INT_MAX, INT_MAX, 1};
    pen.geometric = true;
    pen.width = INT_MAX;
    s.SelectPen(pen);
    s.MoveTo({0, 5});
    s.LineTo({40, 5});

    Brush b;
    b.kind = BrushKind::Pattern;
    b.stretch = INT_MAX;
    s.FillRect({0, 0, 40, 10}, b);
    b.stretch = -4;
    s.FillRect({0, 0, 40, 10}, b);
    EXPECT_EQ(s.GetPixel(0, 0), kBlack) << "a stretch below 1 counts as 1";
}

}  // namespace
}  // namespace vtg
