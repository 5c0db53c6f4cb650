// Anti-aliased round-capped lines drawn straight into an image: the same picture as the
// painter's own anti-aliased stroke, and overlapping parts of one line that do not darken.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/ImageSurface.h"

namespace vtg {
namespace {

constexpr int kSize = 120;
const Color kInk = Rgb(0, 0, 0);

// Coverage 0..255 of each pixel, from how dark it is on white.
std::vector<int> Coverage(const ImageSurface& s) {
    std::vector<int> out;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) out.push_back(255 - GreenOf(s.GetPixel(x, y)));
    }
    return out;
}

std::vector<int> PainterCoverage(const std::vector<Point>& pts, int width) {
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    QPolygonF line;
    for (Point q : pts) line << QPointF(q.x + 0.5, q.y + 0.5);
    p.drawPolyline(line);
    p.end();
    std::vector<int> out;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) out.push_back(255 - qGreen(image.pixel(x, y)));
    }
    return out;
}

std::vector<int> Drawn(const std::vector<Point>& pts, int width) {
    ImageSurface s(kSize, kSize);
    s.SetSmoothing(true);
    s.SelectPen(Pen(kInk, width));
    s.Polyline(pts);
    return Coverage(s);
}

struct LineCase {
    const char* name;
    std::vector<Point> points;
    int width;
};

class SmoothLines : public testing::TestWithParam<LineCase> {};

TEST_P(SmoothLines, LookLikeThePaintersOwnStroke) {
    const std::vector<int> ours = Drawn(GetParam().points, GetParam().width);
    const std::vector<int> theirs = PainterCoverage(GetParam().points, GetParam().width);
    long total = 0;
    long ink = 0;
    int inked = 0;
    int off = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const int d = std::abs(ours[i] - theirs[i]);
        total += d;
        ink += theirs[i];
        inked += theirs[i] > 0 ? 1 : 0;
        off += d > 64 ? 1 : 0;
    }
    // The stroke carries the same ink. A pixel may differ by a shade, and by more only where
    // two strokes meet in a narrow angle and each covers part of it.
    EXPECT_LT(static_cast<double>(total) / static_cast<double>(ink), 0.05);
    EXPECT_LE(off * 100, inked);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SmoothLines,
    testing::Values(LineCase{"ThreeWide", {{10, 10}, {110, 40}, {20, 100}, {60, 60}}, 3},
                    LineCase{"EvenWidth", {{15, 100}, {100, 15}, {100, 100}}, 4},
                    LineCase{"Wide", {{20, 20}, {90, 30}, {40, 90}}, 9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SmoothLine, AThinLineCarriesOnePixelOfInkPerColumn) {
    ImageSurface s(kSize, kSize);
    s.SetSmoothing(true);
    s.SelectPen(Pen(kInk, 1));
    s.Polyline(std::vector<Point>{{10, 20}, {100, 50}});
    s.Polyline(std::vector<Point>{{10, 80}, {100, 80}});
    for (int x = 12; x < 98; ++x) {
        int sloped = 0;
        for (int y = 10; y < 60; ++y) sloped += 255 - GreenOf(s.GetPixel(x, y));
        EXPECT_NEAR(sloped, 255, 20) << x;
        // Along a row through pixel centres: that row alone, in full.
        EXPECT_EQ(s.GetPixel(x, 80), kInk);
        EXPECT_EQ(s.GetPixel(x, 79), Rgb(255, 255, 255));
    }
}

TEST(SmoothLine, GoingBackOverItselfDoesNotDarkenTheRim) {
    const std::vector<Point> once{{10, 20}, {100, 70}};
    const std::vector<Point> thrice{{10, 20}, {100, 70}, {10, 20}, {100, 70}};
    EXPECT_EQ(Drawn(once, 3), Drawn(thrice, 3));
}

TEST(SmoothLine, CoordinatesFarOutsideDrawOnlyWhatCrossesTheImage) {
    const std::vector<int> far = Drawn({{-100000000, 60}, {100000000, 60}}, 3);
    const std::vector<int> near = Drawn({{-10, 60}, {200, 60}}, 3);
    EXPECT_EQ(far, near);
    // Columns and rows at the ends of the int range draw nothing and do not overflow.
    const std::vector<int> none(static_cast<std::size_t>(kSize * kSize), 0);
    EXPECT_EQ(Drawn({{INT_MIN, 0}, {INT_MIN, 100}}, 5), none);
    EXPECT_EQ(Drawn({{INT_MAX, 0}, {INT_MAX, 100}}, 5), none);
    EXPECT_EQ(Drawn({{5, INT_MAX}, {5, INT_MAX - 10}}, 5), none);
}

}  // namespace
}  // namespace vtg
