// The plain geometry of annotations: relative positions, the text block, the leader and its
// arrowhead, hit bands and the way back into view.
#include <gtest/gtest.h>

#include <cmath>

#include "objects/AnnotationGeometry.h"

namespace vtg {
namespace {

// Drawing area 100..300 x 50..250 in a plot of 400 x 300.
const PlotFrame kFrame{{100, 50, 300, 250}, 400, 300};

TEST(AnnotationGeometry, RelativePositionsCoverAreaAndMarginsAndComeBack) {
    EXPECT_EQ(RelativeToDevice(kFrame, 0, 0), (Point{100, 50}));
    EXPECT_EQ(RelativeToDevice(kFrame, 1, 1), (Point{300, 250}));
    // Halfway into the left and right margins, a quarter into the top one.
    EXPECT_EQ(RelativeToDevice(kFrame, -0.5, -0.25), (Point{50, 38}));
    EXPECT_EQ(RelativeToDevice(kFrame, 1.5, 1.5), (Point{350, 275}));
    for (const Point p : {Point{20, 10}, Point{150, 120}, Point{390, 290}, Point{300, 250}}) {
        const Point back = RelativeToDevice(kFrame, *DeviceToRelativeX(kFrame, p.x), *DeviceToRelativeY(kFrame, p.y));
        EXPECT_EQ(back, p);
    }
}

TEST(AnnotationGeometry, NoRelativeValueComesFromAPieceWithoutExtent) {
    // No left margin, no drawing-area width, no right margin: nothing to divide by.
    const PlotFrame flat{{0, 0, 0, 0}, 0, 0};
    EXPECT_FALSE(DeviceToRelativeX(flat, -5).has_value());
    EXPECT_FALSE(DeviceToRelativeX(flat, 0).has_value());
    EXPECT_FALSE(DeviceToRelativeX(flat, 7).has_value());
    EXPECT_FALSE(DeviceToRelativeY(flat, 0).has_value());
    EXPECT_FALSE(DeviceToRelativeY(flat, 9).has_value());
    // A right margin of zero width with the point beyond it.
    const PlotFrame tight{{10, 10, 400, 300}, 400, 300};
    EXPECT_FALSE(DeviceToRelativeX(tight, 405).has_value());
    EXPECT_TRUE(DeviceToRelativeX(tight, 5).has_value());
    EXPECT_EQ(RoundDevice(std::nan("")), 0);
}

TEST(AnnotationGeometry, TextBoxAndOutlineFollowTheDirection) {
    // Direction 0: 40 wide, two lines of 10 above the reference point.
    EXPECT_EQ(TextBoxOf({100, 100}, {40, 0}, {0, 20}), (Rect{100, 80, 141, 101}));
    const auto flat = OutlineOf({100, 100}, {40, 0}, {0, 20});
    EXPECT_EQ(flat[1], (Point{140, 100}));
    EXPECT_EQ(flat[2], (Point{140, 80}));
    // Direction 90: the text reads upwards and its lines stack to the left of the reference.
    EXPECT_EQ(TextBoxOf({100, 100}, {0, 40}, {-20, 0}), (Rect{80, 60, 101, 101}));
    // Direction 180: upside down, lines stacking downwards, to the left.
    EXPECT_EQ(TextBoxOf({100, 100}, {-40, 0}, {0, -20}), (Rect{60, 100, 101, 121}));
    EXPECT_TRUE(InsideOutline(flat, {120, 90}));
    EXPECT_FALSE(InsideOutline(flat, {120, 110}));
    EXPECT_FALSE(InsideOutline(flat, {90, 90}));
    // A text placed near the end of the int range (a damaged position) is pinned, not wrapped.
    const Rect far = TextBoxOf({2147483632, -2147483632}, {31, 0}, {0, 20});
    EXPECT_LE(far.left, far.right);
    EXPECT_LE(far.top, far.bottom);
    EXPECT_EQ(far.left, 1 << 28);
    EXPECT_EQ(OutlineOf({2147483632, 0}, {31, 0}, {0, 20})[1].x, 1 << 28);
}

TEST(AnnotationGeometry, AlignmentShiftsTheReferenceAlongTheWidthVector) {
    EXPECT_EQ(AlignedReference({100, 100}, {40, 0}, 0), (Point{100, 100}));
    EXPECT_EQ(AlignedReference({100, 100}, {40, 0}, 1), (Point{80, 100}));
    EXPECT_EQ(AlignedReference({100, 100}, {40, 0}, 2), (Point{60, 100}));
    // Upright text centres vertically.
    EXPECT_EQ(AlignedReference({100, 100}, {0, 40}, 1), (Point{100, 120}));
}

TEST(AnnotationGeometry, LeaderEndsAtTheBoxSideFacingTheTag) {
    const Rect box{100, 80, 141, 101};
    const Point text{100, 100};
    EXPECT_EQ(LeaderEnd(box, {200, 50}, text), (Point{141, 80}));   // above right: top-right corner
    EXPECT_EQ(LeaderEnd(box, {120, 200}, text), (Point{120, 100}));  // straight below: under the tag
    EXPECT_EQ(LeaderEnd(box, {50, 90}, text), (Point{100, 90}));    // left: the text's x
}

TEST(AnnotationGeometry, ArrowHeadPointsAtTheTipAndNeedsTwoPoints) {
    EXPECT_FALSE(LeaderArrowHead({10, 10}, {10, 10}, 14).has_value());
    EXPECT_FALSE(LeaderArrowHead({10, 10}, {50, 10}, -1).has_value());
    const auto head = LeaderArrowHead({10, 10}, {50, 10}, 14);
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ((*head)[0], (Point{10, 10}));
    // Barbs a full length back along the leader, a third of it to either side.
    EXPECT_EQ((*head)[1].x, 24);
    EXPECT_EQ((*head)[3].x, 24);
    EXPECT_EQ(std::abs((*head)[1].y - 10), 5);
    EXPECT_EQ((*head)[1].y + (*head)[3].y, 20);
    EXPECT_EQ((*head)[2], (Point{17, 10}));
    // A leader of two units still gives a full-size head in its direction.
    const auto shortHead = LeaderArrowHead({10, 10}, {10, 12}, 14);
    ASSERT_TRUE(shortHead.has_value());
    EXPECT_EQ((*shortHead)[2], (Point{10, 17}));
}

TEST(AnnotationGeometry, LeaderBandIsFourUnitsAcrossTheLine) {
    EXPECT_TRUE(OnLeaderBand({0, 0}, {100, 50}, {50, 27}));
    EXPECT_FALSE(OnLeaderBand({0, 0}, {100, 50}, {50, 28}));
    EXPECT_FALSE(OnLeaderBand({0, 0}, {100, 50}, {110, 55}));
    EXPECT_TRUE(OnLeaderBand({0, 0}, {10, 100}, {7, 50}));
    EXPECT_FALSE(OnLeaderBand({0, 0}, {10, 100}, {8, 50}));
    EXPECT_TRUE(OnLeaderBand({5, 5}, {5, 5}, {5, 6}));
    EXPECT_TRUE(TagSquare({20, 20}).Contains({16, 23}));
    EXPECT_FALSE(TagSquare({20, 20}).Contains({24, 20}));
}

TEST(AnnotationGeometry, LinesSplitAtCarriageReturnsWithOptionalLineFeed) {
    EXPECT_EQ(SplitAnnotationLines("a\r\nb\rc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(SplitAnnotationLines(""), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitAnnotationLines("a\n\r"), (std::vector<std::string>{"a\n", ""}));
}

TEST(AnnotationGeometry, BlocksOutsideThePlotComeBackInside) {
    EXPECT_FALSE(BringIntoViewPosition({10, 10, 50, 30}, 400, 300, 0).has_value());
    // Off the right edge: the block's right side goes to the edge, its bottom stays.
    EXPECT_EQ(BringIntoViewPosition({380, 100, 440, 120}, 400, 300, 0), (Point{340, 120}));
    // Above the top: the bottom moves down by the overshoot.
    EXPECT_EQ(BringIntoViewPosition({10, -15, 50, 5}, 400, 300, 0), (Point{10, 20}));
    // Wider than the plot: the left edge.
    EXPECT_EQ(BringIntoViewPosition({-50, 100, 450, 120}, 400, 300, 0), (Point{0, 120}));
    EXPECT_EQ(BringIntoViewPosition({-50, 100, 450, 120}, 400, 300, 45), (Point{0, 0}));
}

}  // namespace
}  // namespace vtg
