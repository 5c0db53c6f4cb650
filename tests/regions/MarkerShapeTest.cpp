// Marker geometry as pure data: the point lists of every kind, the offset outlines used for
// hatched outlines, and the highlight colours.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "regions/MarkerShape.h"

namespace vtg {
namespace {

using Points = std::vector<Point>;

TEST(MarkerGeometry, KindsOutsideTheTableHaveNoShape) {
    for (int kind : {0, -1, 12, 100, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(MarkerGeometry(kind, 10, 20, 4).form, MarkerForm::None);
    }
}

TEST(MarkerGeometry, PolygonKindsHaveTheirExactPoints) {
    struct Row {
        int kind;
        int d;
        Points points;
    };
    const std::vector<Row> rows = {
        {3, 4, {{10, 15}, {15, 20}, {10, 25}, {5, 20}}},
        {4, 4, {{10, 15}, {15, 22}, {5, 22}}},              // base (d + 1) / 2 = 2 below
        {5, 4, {{10, 25}, {15, 18}, {5, 18}}},
        {4, 3, {{10, 16}, {14, 22}, {6, 22}}},
        {5, 0, {{10, 21}, {11, 20}, {9, 20}}},
        {8, 4, {{10, 15}, {15, 20}, {10, 25}, {5, 20}}},    // the open kinds share the outlines
        {9, 3, {{10, 16}, {14, 22}, {6, 22}}},
        {10, 4, {{10, 25}, {15, 18}, {5, 18}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "kind " << r.kind << " d " << r.d);
        const MarkerShape s = MarkerGeometry(r.kind, 10, 20, r.d);
        EXPECT_EQ(s.form, MarkerForm::Polygon);
        EXPECT_EQ(s.points, r.points);
        EXPECT_EQ(s.filled, r.kind <= 5);
    }
}

TEST(MarkerOffset, RectanglesAndPolygonsGrowAndShrinkBothWindings) {
    const Points clockwise = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const Points counter = {{0, 10}, {10, 10}, {10, 0}, {0, 0}};
    EXPECT_EQ(OffsetConvexPolygon(clockwise, 2), (Points{{-2, -2}, {12, -2}, {12, 12}, {-2, 12}}));
    EXPECT_EQ(OffsetConvexPolygon(counter, 2), (Points{{-2, 12}, {12, 12}, {12, -2}, {-2, -2}}));
    EXPECT_EQ(OffsetConvexPolygon(clockwise, -2), (Points{{2, 2}, {8, 2}, {8, 8}, {2, 8}}));
    // A mitred 45-degree corner moves sqrt(2) times the distance.
    EXPECT_EQ(OffsetConvexPolygon(MarkerGeometry(3, 10, 20, 4).points, 3),
              (Points{{10, 11}, {19, 20}, {10, 29}, {1, 20}}));
    // Repeated and closing points do not disturb the normals.
    EXPECT_EQ(OffsetConvexPolygon(Points{{0, 0}, {0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, 1),
              (Points{{-1, -1}, {11, -1}, {11, 11}, {-1, 11}}));
    // Nothing to offset on a line.
    EXPECT_EQ(OffsetConvexPolygon(Points{{0, 0}, {5, 5}, {10, 10}}, 3), (Points{{0, 0}, {5, 5}, {10, 10}}));

    const MarkerShape circle = MarkerGeometry(6, 10, 20, 4);
    EXPECT_EQ(OffsetMarker(circle, 2).box, (Rect{4, 14, 16, 26}));
    EXPECT_EQ(OffsetMarker(circle, -1).box, (Rect{7, 17, 13, 23}));
}

TEST(MarkerOffset, TriangleEdgesMoveByTheDistance) {
    const Points tri = MarkerGeometry(9, 200, 200, 60).points;
    const Points out = OffsetConvexPolygon(tri, 10);
    ASSERT_EQ(out.size(), 3u);
    // Every edge of the grown triangle runs parallel to the original, 10 pixels away.
    for (std::size_t i = 0; i < 3; ++i) {
        const Point a = tri[i], b = tri[(i + 1) % 3];
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        for (const Point& p : {out[i], out[(i + 1) % 3]}) {
            const double cross = (b.x - a.x) * double(p.y - a.y) - (b.y - a.y) * double(p.x - a.x);
            EXPECT_NEAR(std::abs(cross) / len, 10.0, 1.0) << i;
        }
    }
    // Inwards the apex moves down, the base up.
    const Points in = OffsetConvexPolygon(tri, -10);
    EXPECT_GT(in[0].y, tri[0].y);
    EXPECT_LT(in[1].y, tri[1].y);
}

TEST(MarkerHighlight, HatchIsTheColourLightenedHalfWayOverTheColour) {
    EXPECT_EQ(LightenHalfway(Rgb(0, 128, 255)), Rgb(127, 191, 255));
    EXPECT_EQ(LightenHalfway(0x02000000u | Rgb(255, 0, 0)), Rgb(255, 127, 127));
    const Brush b = MarkerHighlightBrush(0x02000000u | Rgb(0, 0, 255));
    EXPECT_EQ(b.kind, BrushKind::Pattern);
    EXPECT_FALSE(b.dcColors);
    EXPECT_EQ(b.fore, Rgb(127, 127, 255));
    EXPECT_EQ(b.back, Rgb(0, 0, 255));
    // A grid: two full rows, and the other rows marked only in the same two columns.
    int foregroundBits = 0;
    for (std::uint8_t row : b.bits) foregroundBits += 8 - __builtin_popcount(row);
    EXPECT_EQ(foregroundBits, 2 * 8 + 6 * 2);
    EXPECT_EQ(b.bits[0], 0x00);
    EXPECT_EQ(b.bits[4], 0x00);
}

}  // namespace
}  // namespace vtg
