// The per-column reduction of a line against the full line: the same pixels on an image, the
// kept points in order, and breaks and missing values handled before it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/ImageSurface.h"
#include "regions/SeriesReducer.h"
#include "CurveTestSupport.h"

namespace vtg {
namespace {

constexpr int kSize = 160;

// Series that put many points into each pixel column (or row), in patterns that trip a
// careless reduction: noise, a run ending on its extreme, steps back and forth, a sawtooth
// whose first and last points are its extremes, and a path that comes back to a column.
std::vector<std::vector<Point>> Series(bool rows) {
    std::vector<std::vector<Point>> out(5);
    unsigned seed = 7;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int noise = static_cast<int>((seed >> 16) % 41) - 20;
        out[0].push_back({10 + i / 25, 80 + static_cast<int>(40 * std::sin(i * 0.01)) + noise});
        out[1].push_back({10 + i / 30, 30 + (i % 30 == 29 ? 90 : i % 13)});
        out[2].push_back({10 + i / 20, i % 2 == 0 ? 40 : 120});
        out[3].push_back({10 + i / 40, 20 + (i % 40) * 3});
        out[4].push_back({10 + static_cast<int>(60 + 55 * std::sin(i * 0.003)), 20 + i / 25});
    }
    if (rows) {
        for (auto& s : out) {
            for (Point& p : s) std::swap(p.x, p.y);
        }
    }
    return out;
}

std::unique_ptr<ImageSurface> Render(const std::vector<Point>& pts, int width, bool smooth) {
    auto s = std::make_unique<ImageSurface>(kSize, kSize);
    s->SelectPen(Pen(Rgb(0, 0, 200), width));
    s->SetSmoothing(smooth);
    s->Polyline(pts);
    return s;
}

int Differences(ImageSurface& a, ImageSurface& b) {
    int n = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y) ? 1 : 0;
    }
    return n;
}

struct PenCase {
    const char* name;
    int width;
    bool smooth;
    bool rows;
};

class ReducedLine : public testing::TestWithParam<PenCase> {};

TEST_P(ReducedLine, DrawsTheSamePixelsAsTheFullLine) {
    const PenCase& c = GetParam();
    int k = 0;
    for (const auto& full : Series(c.rows)) {
        const std::vector<Point> reduced = ReducePolyline(full, c.rows ? ReduceAxis::Rows : ReduceAxis::Columns);
        EXPECT_LT(reduced.size(), full.size()) << "series " << k;
        EXPECT_EQ(Differences(*Render(full, c.width, c.smooth), *Render(reduced, c.width, c.smooth)), 0)
            << "series " << k;
        ++k;
    }
}

INSTANTIATE_TEST_SUITE_P(Pens, ReducedLine,
                         testing::Values(PenCase{"Thin", 1, false, false}, PenCase{"ThinRows", 1, false, true},
                                         PenCase{"ThickStamped", 3, false, false},
                                         PenCase{"ThickSmoothed", 3, true, false},
                                         PenCase{"ThickSmoothedRows", 3, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct KeepCase {
    const char* name;
    std::vector<Point> in;
    std::vector<Point> out;
};

class ReducerKeeps : public testing::TestWithParam<KeepCase> {};

TEST_P(ReducerKeeps, FirstLowestHighestAndLastInTheirOrder) {
    EXPECT_EQ(ReducePolyline(GetParam().in, ReduceAxis::Columns), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ReducerKeeps,
    testing::Values(
        KeepCase{"HighBeforeLow", {{0, 5}, {0, 9}, {0, 7}, {0, 1}, {0, 4}, {1, 0}}, {{0, 5}, {0, 9}, {0, 1}, {0, 4}, {1, 0}}},
        KeepCase{"ExtremesAtTheEnds", {{3, 1}, {3, 2}, {3, 3}, {3, 9}}, {{3, 1}, {3, 9}}},
        KeepCase{"OnePointPerColumnStays", {{0, 0}, {1, 5}, {2, 1}}, {{0, 0}, {1, 5}, {2, 1}}},
        KeepCase{"ARepeatedPixelKeepsTwoPoints", {{4, 4}, {4, 4}, {4, 4}}, {{4, 4}, {4, 4}}},
        KeepCase{"OnePoint", {{4, 4}}, {{4, 4}}},
        KeepCase{"EndingOnAnExtremeReachedBefore", {{2, 1}, {2, 8}, {2, 5}, {2, 8}}, {{2, 1}, {2, 8}, {2, 7}, {2, 8}}},
        KeepCase{"NoPoints", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- through the drawing region ----

struct ReducedCurveTest : test::CurveFixture, testing::Test {};

TEST_F(ReducedCurveTest, EachPieceIsReducedOnItsOwnAndTheBufferKeepsEveryPoint) {
    std::vector<double> xs, ys;
    for (int i = 0; i < 400; ++i) {
        xs.push_back(i * 0.0025);                       // twenty points a pixel column
        ys.push_back(i == 200 ? 2e28 : (i % 2) * 0.5);  // a break in the middle
    }
    Data(xs, ys);
    DrawCurve();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    // The first piece ends at the last point before the break, the second starts right after.
    EXPECT_EQ(lines[0].back(), (Point{110, 240}));
    EXPECT_EQ(lines[1].front(), (Point{110, 240}));
    EXPECT_EQ(Y().MarkCount, 399);
    EXPECT_LT(lines[0].size() + lines[1].size(), 399u);
}

}  // namespace
}  // namespace vtg
