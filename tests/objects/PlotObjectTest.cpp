// Plot objects on a real plot: the variables a line or polygon takes, its points, attributes
// and flags, deleting objects without shifting indexes, text objects and their annotations,
// hit testing and what the objects look like when the plot draws them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "objects/ObjectHitRegion.h"
#include "platform/Automation.h"
#include "platform/ImageSurface.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "plot/PlotTestSupport.h"

namespace vtg {
namespace {

constexpr int kW = 400;
constexpr int kH = 300;
constexpr int kLine = 0;
constexpr int kPolygon = 1;
constexpr int kText = 2;
constexpr double kMissing = 1e28;
const Color kWhite = Rgb(255, 255, 255);

// A palette entry as a plain RGB pixel.
Color Rgb(Color palette) { return palette & 0xFFFFFF; }

struct PlotObjectTest : test::PlotFixture, testing::Test {
    PlotObjectTest() { Plot().SetSize(kW, kH); }

    CPlotObj& Object(int id) {
        CPlotObj* o = Plot().FindObject(id);
        EXPECT_NE(o, nullptr) << id;
        return *o;
    }
    CPlotVar& YOf(int id) { return *Plot().YVar(Object(id).YVarIndex); }
    CPlotVar& XOf(int id) { return *Plot().XVar(Object(id).XVarIndex); }
    CPlotAnnotation& AnnotationOf(int id) {
        return *Plot().Annotations[static_cast<std::size_t>(Object(id).AnnotationIndex)];
    }
    // The plot's own variable runs along the top of 0..10 both ways, clear of the objects.
    void FrameData() {
        Plot().SetData(0, 0, 0);
        Plot().SetData(1, 0, 10);
        Plot().SetData(0, 1, 10);
        Plot().SetData(1, 1, 10);
        Plot().SetData(0, 2, 10);
        Plot().SetData(1, 2, 0);
    }
    std::unique_ptr<ImageSurface> Draw() {
        auto dc = std::make_unique<ImageSurface>(kW, kH);
        Plot().Recalculate();
        Plot().Draw(*dc, Rect{0, 0, kW, kH}, 0, 1);
        return dc;
    }
    int Square(int kind, double x0, double y0, double x1, double y1) {
        const int id = Plot().CreateObject(kind, 0);
        const double xs[] = {x0, x1, x1, x0};
        const double ys[] = {y0, y0, y1, y1};
        for (int i = 0; i < 4; ++i) Plot().SetObjectPoint(id, i, xs[i], ys[i]);
        return id;
    }
    Point Centre(int id) {
        const CPlotVar& y = YOf(id);
        Point sum;
        for (int i = 0; i < y.MarkCount; ++i) sum = {sum.x + y.Marks[i].x, sum.y + y.Marks[i].y};
        return {sum.x / y.MarkCount, sum.y / y.MarkCount};
    }
};

// ---- creation and the variables objects own ----

TEST_F(PlotObjectTest, ALineTakesTheSingleEmptyVariableThenAddsItsOwn) {
    // The fresh plot's variable already has its line object, 101.
    ASSERT_EQ(Plot().Objects.size(), 1u);
    const int first = Plot().CreateObject(kLine, 0);
    EXPECT_EQ(first, 102);
    EXPECT_EQ(Plot().DependentCount(), 1);
    EXPECT_EQ(Object(first).YVarIndex, 0);
    EXPECT_EQ(Object(first).XVarIndex, 0);
    EXPECT_EQ(Plot().YVar(0)->ObjectOwned, 1);

    const int second = Plot().CreateObject(kLine, 0);
    EXPECT_EQ(second, 103);
    EXPECT_EQ(Plot().DependentCount(), 2);
    EXPECT_EQ(Plot().IndependentCount(), 2);
    EXPECT_EQ(host.props.nvariables, 2);
    EXPECT_EQ(host.props.nxvariables, 2);
    EXPECT_EQ(Object(second).YVarIndex, 1);
    EXPECT_EQ(Object(second).XVarIndex, 1);
    const CPlotVar& y = YOf(second);
    EXPECT_EQ(y.XVarIndex, 2);
    EXPECT_EQ(y.LabelIndex, -1);
    EXPECT_EQ(y.AxisMap, 1);
    EXPECT_EQ(y.PenWidth, 3);
    EXPECT_EQ(XOf(second).ObjectOwned, 1);
}

TEST_F(PlotObjectTest, ColoursAndMarkersCycleWithTheId) {
    host.ids.Counter = 0;
    Plot().Objects.clear();
    const int a = Plot().CreateObject(kLine, 0);
    for (int k = 0; k < 4; ++k) Plot().CreateObject(kLine, 0);
    const int f = Plot().CreateObject(kLine, 0);
    ASSERT_EQ(a, 101);
    ASSERT_EQ(f, 106);
    EXPECT_EQ(YOf(a).Color, 2);
    EXPECT_EQ(YOf(a).Marker, 2);
    EXPECT_EQ(YOf(f).Color, 1);
    EXPECT_EQ(YOf(f).Marker, 7);
    const int p = Plot().CreateObject(kPolygon, 0);
    EXPECT_EQ(YOf(p).Filled, 1);
    EXPECT_EQ(YOf(p).FillStyle, -1);
}

TEST_F(PlotObjectTest, GivenIdsAreKeptOnlyWhenFree) {
    EXPECT_EQ(Plot().CreateObject(kText, 500), 500);
    const int taken = Plot().CreateObject(kText, 500);
    EXPECT_NE(taken, 500);
    const int reserved = Plot().CreateObject(kText, 3);
    EXPECT_GT(reserved, 100);
    EXPECT_NE(reserved, taken);
    // A given id is no new object: it takes no variables.
    EXPECT_EQ(Plot().CreateObject(kLine, 900), 900);
    EXPECT_EQ(Object(900).YVarIndex, -1);
    EXPECT_EQ(Plot().CreateBoundObject(kLine, 901, 0, 0), 901);
    EXPECT_EQ(Object(901).YVarIndex, 0);
    EXPECT_EQ(Plot().DependentCount(), 1);
}

TEST_F(PlotObjectTest, NoObjectIsMadeWhenItsVariablesWouldPassTheHostsCount) {
    while (Plot().DependentCount() < CPlotLook::kMaxDependentVariables) {
        Plot().YVars.push_back(std::make_unique<CPlotVar>(0));
    }
    host.props.nvariables = 32767;
    const std::size_t objects = Plot().Objects.size();
    const int independents = Plot().IndependentCount();
    EXPECT_THROW(Plot().CreateObject(kLine, 0), AutomationError);
    EXPECT_THROW(Plot().CreateObject(kPolygon, 0), AutomationError);
    EXPECT_EQ(Plot().Objects.size(), objects);
    EXPECT_EQ(Plot().DependentCount(), CPlotLook::kMaxDependentVariables);
    EXPECT_EQ(Plot().IndependentCount(), independents);
    EXPECT_EQ(host.props.nvariables, 32767);
    // Texts need no variables.
    EXPECT_GT(Plot().CreateObject(kText, 0), 0);
}

// ---- points ----

TEST_F(PlotObjectTest, MissingValuesDecideWhichVariableAPointWrites) {
    const int id = Plot().CreateObject(kLine, 0);
    ASSERT_EQ(Plot().SetObjectPoint(id, 2, 1.5, 2.5), 1);
    EXPECT_EQ(XOf(id).Values[2], 1.5);
    EXPECT_EQ(YOf(id).Values[2], 2.5);
    // x present, y missing: only x.
    Plot().SetObjectPoint(id, 2, 7, kMissing);
    EXPECT_EQ(XOf(id).Values[2], 7);
    EXPECT_EQ(YOf(id).Values[2], 2.5);
    // y present, x missing: only y.
    Plot().SetObjectPoint(id, 2, 9.5e27, 4);
    EXPECT_EQ(XOf(id).Values[2], 7);
    EXPECT_EQ(YOf(id).Values[2], 4);
    // Both missing clear the point.
    Plot().SetObjectPoint(id, 2, kMissing, std::nan(""));
    EXPECT_EQ(XOf(id).Values[2], kMissing);
    EXPECT_EQ(YOf(id).Values[2], kMissing);

    const auto p = Plot().GetObjectPoint(id, 2);
    EXPECT_TRUE(p.found);
    EXPECT_EQ(p.y, kMissing);
    EXPECT_FALSE(Plot().GetObjectPoint(id, 3).found) << "beyond the highest point written";
    EXPECT_FALSE(Plot().GetObjectPoint(id, -1).found);
    EXPECT_FALSE(Plot().GetObjectPoint(999, 0).found);
}

TEST_F(PlotObjectTest, HostilePointNumbersNeverGrowTheVariablesWithoutBound) {
    const int id = Plot().CreateObject(kLine, 0);
    Plot().SetObjectPoint(id, 0, 1, 1);
    const std::uint32_t capacity = YOf(id).Capacity();
    EXPECT_EQ(Plot().SetObjectPoint(id, -1, 1, 1), 0);
    EXPECT_EQ(Plot().SetObjectPoint(id, 1 << 30, 1, 1), 0);
    EXPECT_EQ(Plot().SetObjectPoint(id, static_cast<int>(CPlotLook::kMaxTotalSlots), 1, 1), 0);
    EXPECT_EQ(YOf(id).Capacity(), capacity);
    EXPECT_EQ(XOf(id).Capacity(), capacity);
    // The largest point number the host can send is stored.
    EXPECT_EQ(Plot().SetObjectPoint(id, 32767, 3, 4), 1);
    EXPECT_EQ(Plot().GetObjectPoint(id, 32767).y, 4);
    // Texts and unknown ids hold no points.
    const int text = Plot().CreateObject(kText, 0);
    EXPECT_EQ(Plot().SetObjectPoint(text, 0, 1, 1), 0);
    EXPECT_EQ(Plot().SetObjectPoint(4242, 0, 1, 1), 0);
}

TEST_F(PlotObjectTest, PointsStayWithinThePlotsBudgetAndDeletedObjectsGiveTheirSlotsBack) {
    CPlotLook& p = Plot();
    const int a = p.CreateObject(kLine, 0);
    const int b = p.CreateObject(kLine, 0);
    auto total = [&p] {
        std::uint64_t sum = 0;
        for (const auto& v : p.XVars) sum += v->Capacity();
        for (const auto& v : p.YVars) sum += v->Capacity();
        return sum;
    };
    // Point 9 grows both variables of an object to 19 slots: room for one object's.
    p.SlotBudget = total() + 40;
    EXPECT_EQ(p.SetObjectPoint(a, 9, 1, 2), 1);
    EXPECT_EQ(p.SetObjectPoint(b, 9, 3, 4), 0);
    EXPECT_EQ(YOf(b).Capacity(), 0u);
    EXPECT_EQ(XOf(b).Capacity(), 0u);
    EXPECT_EQ(p.SetObjectFlags(a, -1, 0), 0xFFFF);
    EXPECT_EQ(p.SetObjectPoint(b, 9, 3, 4), 1);
    EXPECT_EQ(p.GetObjectPoint(b, 9).y, 4);
}

// ---- attributes ----

TEST_F(PlotObjectTest, LineAttributesFollowTheMask) {
    const int id = Plot().CreateObject(kLine, 0);
    CPlotVar& y = YOf(id);
    const int marker = y.Marker;
    Plot().SetLineObjectAttributes(id, {5, 4, 2, 9, 6, -3, 1 | 2 | 8 | 16});
    EXPECT_EQ(y.Color, 5);
    EXPECT_EQ(y.PenWidth, 4);
    EXPECT_EQ(y.PenStyle, 2);
    EXPECT_EQ(y.Marker, marker) << "bit 4 was not in the mask";
    EXPECT_EQ(y.VarMarkerSize, 6);
    EXPECT_EQ(y.Attrib2Extra[0], 2) << "negative direction: backwards";
    EXPECT_EQ(y.Attrib2Extra[1], -1) << "|direction| above 1: along the line";
    Plot().SetLineObjectAttributes(id, {0, 0, 0, 0, 0, 1, 16});
    EXPECT_EQ(y.Attrib2Extra[0], 1);
    EXPECT_EQ(y.Attrib2Extra[1], 0);
    Plot().SetLineObjectAttributes(id, {0, 0, 0, 0, 0, 0, 16});
    EXPECT_EQ(y.Attrib2Extra[0], 0);
    EXPECT_EQ(y.Color, 5);

    const int polygon = Plot().CreateObject(kPolygon, 0);
    Plot().SetLineObjectAttributes(polygon, {7, 3, 1, 4, 4, 1, 0});
    EXPECT_EQ(YOf(polygon).Color, 7) << "a polygon ignores the mask";
    EXPECT_EQ(YOf(polygon).FillStyle, 3);
    Plot().SetLineObjectAttributes(31000, {7, 3, 1, 4, 4, 1, 255});
}

// ---- flags and deletion ----

TEST_F(PlotObjectTest, FlagsHideShowPickAndHighlight) {
    const int id = Plot().CreateObject(kLine, 0);
    EXPECT_EQ(Plot().SetObjectFlags(id, 0, 0), 3);
    EXPECT_EQ(Plot().SetObjectFlags(id, 0, 1), 2);
    EXPECT_EQ(YOf(id).Hidden, 1);
    EXPECT_EQ(Plot().SetObjectFlags(id, 1, 1), 3);
    EXPECT_EQ(YOf(id).Hidden, 0);
    EXPECT_EQ(Plot().SetObjectFlags(id, 0, 2), 1);
    EXPECT_EQ(Object(id).Pickable, 0);
    EXPECT_EQ(Plot().SetObjectFlags(id, 4, 4 | 8), 5) << "bit 8 means nothing to a line";
    EXPECT_EQ(YOf(id).Highlight, 1);
    EXPECT_EQ(host.highlighted, std::vector<int>{id});
    Plot().SetObjectFlags(id, 4, 4);
    EXPECT_EQ(host.highlighted, std::vector<int>{id}) << "registered once";
    Plot().SetObjectFlags(id, 0, 4);
    EXPECT_TRUE(host.highlighted.empty());
    EXPECT_EQ(Plot().SetObjectFlags(12345, 1, 1), 0);
}

TEST_F(PlotObjectTest, DeletingLeavesEveryOtherIndexValid) {
    const int a = Square(kLine, 1, 1, 2, 2);
    const int b = Square(kPolygon, 3, 3, 4, 4);
    const int c = Square(kLine, 5, 5, 6, 6);
    const int bY = Object(b).YVarIndex;
    const int cY = Object(c).YVarIndex;
    const int count = Plot().DependentCount();
    Plot().ActiveObject = &Object(b);
    Plot().SetObjectFlags(b, 4, 4);

    EXPECT_EQ(Plot().SetObjectFlags(b, -1, 0), 0xFFFF);
    EXPECT_EQ(Plot().FindObject(b), nullptr);
    EXPECT_EQ(Plot().ActiveObject, nullptr);
    EXPECT_TRUE(host.highlighted.empty());
    EXPECT_NE(host.log.find(" Delete ID:" + std::to_string(b) + "\r\n"), std::string::npos);
    EXPECT_EQ(Plot().DependentCount(), count);
    EXPECT_EQ(Plot().YVar(bY)->Hidden, 1);
    EXPECT_EQ(Plot().YVar(bY)->Capacity(), 0u);
    EXPECT_EQ(Object(c).YVarIndex, cY);
    EXPECT_EQ(Plot().GetObjectPoint(c, 0).y, 5);
    EXPECT_EQ(Plot().GetObjectPoint(a, 1).x, 2);
    // 0xFFFF as the host's 16 bits deletes too; a second time finds nothing.
    EXPECT_EQ(Plot().SetObjectFlags(c, 0xFFFF, 7), 0xFFFF);
    EXPECT_EQ(Plot().SetObjectFlags(c, -1, 0), 0);
    // A deleted id is not handed out again before the counter wraps.
    EXPECT_GT(Plot().CreateObject(kLine, 0), c);
}

TEST_F(PlotObjectTest, SmallIdsSetTheStateOfRegionGroups) {
    EXPECT_EQ(Plot().SetObjectFlags(1, 0, 1), Plot().TitleRgn->SetState(0, 0));
    EXPECT_EQ(Plot().TitleRgn->Hidden, 1);
    Plot().SetObjectFlags(2, 0, 1);
    EXPECT_EQ(Plot().LabelRegionsHidden, 1);
    EXPECT_EQ(Plot().XLabelRgn->Hidden, 1);
    Plot().SetObjectFlags(3, 0, 1);
    EXPECT_EQ(Plot().AxisRegionsHidden, 1);
    EXPECT_EQ(Plot().SetObjectFlags(3, 1, 1) & 1, 1);
    EXPECT_EQ(Plot().AxisRegionsHidden, 0);
    EXPECT_EQ(Plot().SetObjectFlags(5, 1, 1), 0);
    EXPECT_EQ(Plot().SetObjectFlags(-4, 1, 1), 0);
}

// ---- texts ----

TEST_F(PlotObjectTest, ATextObjectMakesItsAnnotationOnFirstPlacement) {
    const int id = Plot().CreateObject(kText, 0);
    EXPECT_EQ(Object(id).AnnotationIndex, -1);
    EXPECT_EQ(Plot().PlaceTextObject(id, 0.25, 0.5, "two\\nlines", -1), 0);
    CPlotAnnotation& a = AnnotationOf(id);
    EXPECT_EQ(a.Text, "two\r\nlines");
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kFree);
    EXPECT_FLOAT_EQ(a.AnchorX, 0.25f);
    EXPECT_EQ(static_cast<CPlotTextObj&>(Object(id)).UserText, 0);

    EXPECT_EQ(Plot().PlaceTextObject(id, 3, 4, "two\nlines", 1), 3);
    EXPECT_EQ(Plot().Annotations.size(), 1u) << "placed again, not added";
    EXPECT_EQ(a.Text, "two\r\nlines");
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kDataPoint);
    EXPECT_EQ(a.PendingAttachment, 1);
    EXPECT_FLOAT_EQ(a.AnchorY, 4.0f);
    EXPECT_EQ(a.NeedsMeasure, 1);
    // Coordinates no anchor can hold do not poison the annotation.
    Plot().PlaceTextObject(id, 1e300, std::nan(""), "x", -1);
    EXPECT_EQ(a.AnchorX, 0.0f);
    EXPECT_EQ(a.AnchorY, 0.0f);
    EXPECT_EQ(Plot().PlaceTextObject(777, 0, 0, "none", -1), 0);
}

TEST_F(PlotObjectTest, TextAttributesSetColourFontAndBackground) {
    const int id = Plot().CreateObject(kText, 0);
    Plot().SetTextObjectAttributes(id, 4, 1, 0, "Arial", 12, 2);
    EXPECT_TRUE(Plot().Annotations.empty()) << "nothing to set before the text is placed";
    Plot().PlaceTextObject(id, 0.5, 0.5, "note", -1);
    Plot().SetTextObjectAttributes(id, 4, 1, 90, "Arial", 12, 2 | 8);
    const CPlotAnnotation& a = AnnotationOf(id);
    EXPECT_EQ(a.Color, 4);
    EXPECT_EQ(a.Alignment, 1);
    EXPECT_EQ(a.Direction, 90);
    EXPECT_EQ(a.TransparentBackground, 1);
    ASSERT_NE(a.Font, nullptr);
    EXPECT_EQ(a.Font->Face, "Arial");
    EXPECT_EQ(a.Font->Size, 12);
    EXPECT_EQ(a.Font->Style, 2);
    // No face keeps the face the text has rather than leaving it without a font.
    Plot().SetTextObjectAttributes(id, 4, 1, 0, "", 0, 1);
    ASSERT_NE(a.Font, nullptr);
    EXPECT_EQ(a.Font->Face, "Arial");
    EXPECT_EQ(a.TransparentBackground, 0);
}

TEST_F(PlotObjectTest, TextFlagsAndDeletionKeepTheAnnotationInPlace) {
    const int first = Plot().CreateObject(kText, 0);
    Plot().PlaceTextObject(first, 0.1, 0.1, "one", -1);
    const int second = Plot().CreateObject(kText, 0);
    Plot().PlaceTextObject(second, 0.2, 0.2, "two", -1);
    EXPECT_EQ(Plot().SetObjectFlags(first, 8, 8), 1 | 2 | 8);
    EXPECT_EQ(AnnotationOf(first).LeaderLocked, 1);
    EXPECT_EQ(Plot().SetObjectFlags(first, 4, 4 | 1), 2 | 4 | 8);
    EXPECT_EQ(AnnotationOf(first).Hidden, 1);
    EXPECT_EQ(AnnotationOf(first).Selected, 1);
    EXPECT_EQ(host.highlighted, std::vector<int>{first});

    Plot().SetObjectFlags(first, -1, 0);
    ASSERT_EQ(Plot().Annotations.size(), 2u);
    EXPECT_EQ(Plot().Annotations[0]->Hidden, 1);
    EXPECT_EQ(AnnotationOf(second).Text, "two");
    EXPECT_TRUE(host.highlighted.empty());
}

TEST_F(PlotObjectTest, RotatingMovesPresentPointsOnly) {
    const int id = Plot().CreateObject(kLine, 0);
    Plot().SetObjectPoint(id, 0, 0.2, 0.3);
    Plot().SetObjectPoint(id, 1, kMissing, 0.4);
    Object(id).Rotate(Plot(), 1);
    EXPECT_DOUBLE_EQ(Plot().GetObjectPoint(id, 0).x, 0.3);
    EXPECT_DOUBLE_EQ(Plot().GetObjectPoint(id, 0).y, 0.5);
    EXPECT_DOUBLE_EQ(Plot().GetObjectPoint(id, 1).y, 0.4);
    Object(id).Rotate(Plot(), 0);
    EXPECT_DOUBLE_EQ(Plot().GetObjectPoint(id, 0).x, 0.2);
    EXPECT_DOUBLE_EQ(Plot().GetObjectPoint(id, 0).y, 0.3);
}

// ---- drawing and hit testing ----

TEST_F(PlotObjectTest, APolygonFillsAndAHiddenOneDoesNot) {
    FrameData();
    const int id = Square(kPolygon, 2, 2, 8, 8);
    Plot().SetLineObjectAttributes(id, {4, 0, 0, 0, 0, 0, 255});
    auto shown = Draw();
    const Point c = Centre(id);
    const Color fill = Rgb(env.Tool().PaletteColor(4));
    EXPECT_EQ(shown->GetPixel(c.x, c.y), fill);
    EXPECT_EQ(Plot().SetObjectFlags(id, 0, 1), 2);
    auto hidden = Draw();
    EXPECT_EQ(hidden->GetPixel(c.x, c.y), kWhite);
}

TEST_F(PlotObjectTest, ALineObjectDrawsItsLine) {
    FrameData();
    const int id = Plot().CreateObject(kLine, 0);
    Plot().SetObjectPoint(id, 0, 2, 5);
    Plot().SetObjectPoint(id, 1, 8, 5);
    Plot().SetLineObjectAttributes(id, {3, 3, 0, 0, 0, 0, 1 | 2 | 4});
    auto dc = Draw();
    const Point c = Centre(id);
    EXPECT_EQ(dc->GetPixel(c.x, c.y), Rgb(env.Tool().PaletteColor(3)));
    EXPECT_EQ(dc->GetPixel(c.x, c.y - 10), kWhite);
}

TEST_F(PlotObjectTest, HitsFollowTheLineItsMarkersAndThePickableFlag) {
    FrameData();
    const int id = Plot().CreateObject(kLine, 0);
    Plot().SetObjectPoint(id, 0, 2, 5);
    Plot().SetObjectPoint(id, 1, 8, 5);
    Plot().SetLineObjectAttributes(id, {3, 1, 0, 0, 0, 0, 1 | 2 | 4});
    Draw();
    const Point c = Centre(id);
    CPlotObj& line = Object(id);
    EXPECT_EQ(line.HitTest(Plot(), c), 1);
    EXPECT_EQ(line.HitTest(Plot(), {c.x, c.y + 1}), 1);
    EXPECT_EQ(line.HitTest(Plot(), {c.x, c.y + 6}), 0);
    EXPECT_TRUE(line.Bounds.Contains(c));
    EXPECT_LE(line.Bounds.Height(), 6);
    // A marker square adds its area at the first point.
    const Point start = YOf(id).Marks[0];
    EXPECT_EQ(line.HitTest(Plot(), {start.x, start.y + 4}), 0);
    Plot().SetLineObjectAttributes(id, {3, 1, 0, 2, 5, 0, 4 | 8});
    EXPECT_EQ(line.HitTest(Plot(), {start.x, start.y + 4}), 1);
    Plot().SetObjectFlags(id, 0, 2);
    EXPECT_EQ(line.HitTest(Plot(), c), 0);
}

TEST_F(PlotObjectTest, APolygonIsHitInsideAndTextsThroughTheirAnnotation) {
    FrameData();
    const int id = Square(kPolygon, 2, 2, 8, 8);
    Plot().SetLineObjectAttributes(id, {4, 0, 0, 0, 0, 0, 255});
    const int text = Plot().CreateObject(kText, 0);
    Plot().PlaceTextObject(text, 0.1, 0.1, "note", -1);
    Draw();
    const Point c = Centre(id);
    EXPECT_EQ(Object(id).HitTest(Plot(), c), 1);
    EXPECT_EQ(Object(id).HitTest(Plot(), {2, 2}), 0);
    const CPlotAnnotation& a = AnnotationOf(text);
    const Point inText{(a.TextBox.left + a.TextBox.right) / 2, (a.TextBox.top + a.TextBox.bottom) / 2};
    EXPECT_EQ(Object(text).HitTest(Plot(), inText), 1);
    EXPECT_EQ(Object(text).HitTestPoint(Plot(), inText), 1);
    EXPECT_EQ(Object(text).Bounds, a.Rect);
    EXPECT_EQ(Object(text).HitTest(Plot(), c), 0);
    // Objects without a figure are never hit.
    const int bare = Plot().CreateObject(kText, 0);
    EXPECT_EQ(Object(bare).HitTest(Plot(), inText), 0);
    const int empty = Plot().CreateObject(kLine, 0);
    EXPECT_EQ(Object(empty).HitTest(Plot(), c), 0);
}

}  // namespace
}  // namespace vtg

namespace vtg {
namespace {

TEST(ObjectHitRegionTest, ShapesAtTheEndsOfTheCoordinateRangeStayInRange) {
    // Marks of data far outside the view sit at the ends of the int range.
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    ObjectHitRegion region;
    region.AddSquare({kMax, kMax}, 5);
    region.AddBand({kMin, 0}, {kMax, 0}, 3);
    EXPECT_TRUE(region.Contains({0, 0}));
    EXPECT_TRUE(region.Contains({kMax - 2, kMax - 2}));
    const Rect box = region.Bounds();
    EXPECT_EQ(box.right, kMax);
    EXPECT_EQ(box.left, kMin);
}

}  // namespace
}  // namespace vtg
