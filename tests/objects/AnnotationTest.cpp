// Annotations on a real plot: where their text lands, the leader line, attaching and freeing,
// dragging, hit testing, hiding, and the hostile inputs that must not corrupt them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <regex>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/ImageSurface.h"
#include "platform/Locale.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "plot/PlotTestSupport.h"

namespace vtg {
namespace {

constexpr int kW = 400;
constexpr int kH = 300;

struct AnnotationTest : test::PlotFixture, testing::Test {
    AnnotationTest() {
        Plot().SetSize(kW, kH);
        Plot().SetPointCount(3);
        for (int i = 0; i < 3; ++i) {
            Plot().SetData(0, i, i);
            Plot().SetData(1, i, i);
        }
        // A first draw lays the plot out and scales its axes.
        Draw();
    }
    std::unique_ptr<ImageSurface> Draw() {
        auto dc = std::make_unique<ImageSurface>(kW, kH);
        Plot().Draw(*dc, Rect{0, 0, kW, kH}, 0, 1);
        return dc;
    }
    CPlotAnnotation& Add(const std::string& text, float x, float y, int alignment = 0) {
        const int i = Plot().AddTextAnnotation(text, x, y, 0, alignment, "", 0, 0, CPlotAnnotation::kFree, 2);
        return *Plot().Annotations[static_cast<std::size_t>(i)];
    }
    Rect Area() const { return plot->DrawingRgn->Rect; }
    PlotFrame Frame() const { return {Area(), kW, kH}; }
    // The box around every pixel that differs between two pictures; empty when none does.
    static Rect Changed(const ImageSurface& a, const ImageSurface& b) {
        Rect r{kW, kH, 0, 0};
        for (int y = 0; y < kH; ++y) {
            for (int x = 0; x < kW; ++x) {
                if (a.GetPixel(x, y) == b.GetPixel(x, y)) continue;
                r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
            }
        }
        return r.IsEmpty() ? Rect{} : r;
    }
    static bool Covers(const Rect& outer, const Rect& inner) {
        return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
               inner.bottom <= outer.bottom;
    }
    // Ties a free annotation at relative (x, y) with mode, through the next layout.
    CPlotAnnotation& Tied(float x, float y, int mode) {
        CPlotAnnotation& a = Add("tag", x, y);
        a.RequestAttachment(mode);
        Draw();
        return a;
    }
};

TEST_F(AnnotationTest, FreeTextSitsOnItsPositionAndDrawsOnlyInsideItsBox) {
    const auto before = Draw();
    CPlotAnnotation& a = Add("Hello", 0, 0);
    const auto after = Draw();
    // The last line's bottom-left corner is the drawing area's top-left corner.
    EXPECT_EQ(a.TextBox.left, Area().left);
    EXPECT_EQ(a.TextBox.bottom, Area().top + 1);
    const Rect changed = Changed(*before, *after);
    ASSERT_FALSE(changed.IsEmpty());
    EXPECT_TRUE(Covers(a.TextBox, changed));
    // Margins: halfway into the left one.
    CPlotAnnotation& m = Add("m", -0.5f, 0.5f);
    Draw();
    EXPECT_EQ(m.TextPosition.x, RoundDevice(Area().left * 0.5));
}

TEST_F(AnnotationTest, LinesStackByDirectionAndAlignmentCentres) {
    CPlotAnnotation& one = Add("abc", 0.5f, 0.5f);
    CPlotAnnotation& three = Add("abc\\nabc\nabc", 0.5f, 0.5f);
    CPlotAnnotation& centred = Add("abc", 0.5f, 0.5f, 1);
    Draw();
    EXPECT_EQ(three.Text, "abc\r\nabc\r\nabc");
    EXPECT_EQ(three.LineCount, 3);
    EXPECT_EQ(three.HeightVector, (Point{0, 3 * one.HeightVector.y}));
    EXPECT_EQ(three.WidthVector, one.WidthVector);
    EXPECT_EQ(centred.TextBox.left, one.TextBox.left - one.WidthVector.x / 2);
    // Upright text: the width runs up the page and the lines step to the right of each other.
    three.SetAttributes({0, 90, 0, 2, 0, 0});
    three.NeedsMeasure = 1;
    one.Hidden = centred.Hidden = 1;
    three.Hidden = 1;
    const auto before = Draw();
    three.Hidden = 0;
    const auto after = Draw();
    EXPECT_EQ(three.WidthVector, (Point{0, one.WidthVector.x}));
    EXPECT_EQ(three.HeightVector, (Point{-3 * one.HeightVector.y, 0}));
    EXPECT_EQ(three.TextBox, (Rect{three.TextPosition.x - 3 * one.HeightVector.y, three.TextPosition.y - one.WidthVector.x,
                                   three.TextPosition.x + 1, three.TextPosition.y + 1}));
    const Rect changed = Changed(*before, *after);
    ASSERT_FALSE(changed.IsEmpty());
    EXPECT_TRUE(Covers(three.TextBox, changed)) << changed.left << ',' << changed.top << ',' << changed.right << ','
                                                << changed.bottom << " box " << three.TextBox.left << ','
                                                << three.TextBox.top << ',' << three.TextBox.right << ','
                                                << three.TextBox.bottom;
    // Three columns of text: ink well left of the last line.
    EXPECT_LT(changed.left, three.TextPosition.x - 2 * one.HeightVector.y);
}

TEST_F(AnnotationTest, SymbolsAreExpandedBeforeMeasuring) {
    Plot().SetSymbol("U", "kilograms");
    CPlotAnnotation& symbol = Add("&[U]", 0.2f, 0.5f);
    CPlotAnnotation& plain = Add("kilograms", 0.2f, 0.7f);
    Draw();
    EXPECT_EQ(symbol.WidthVector, plain.WidthVector);
}

TEST_F(AnnotationTest, LongTextsAreLaidOutNoFurtherThanAWindowShows) {
    std::string manyLines;
    for (int i = 0; i < 150; ++i) manyLines += "w\\n";
    CPlotAnnotation& tall = Add(manyLines, 0.2f, 0.5f);
    CPlotAnnotation& wide = Add(std::string(3000, 'w'), 0.2f, 0.7f);
    CPlotAnnotation& shown = Add(std::string(kMaxShownLineChars, 'w'), 0.2f, 0.9f);
    Draw();
    EXPECT_EQ(tall.LineCount, static_cast<int>(kMaxShownLines));
    EXPECT_EQ(wide.LineCount, 1);
    EXPECT_EQ(wide.WidthVector, shown.WidthVector);
    EXPECT_EQ(wide.Text, std::string(3000, 'w'));
}

TEST_F(AnnotationTest, HiddenAnnotationsKeepTheirIndexAndAreNeitherDrawnNorHit) {
    const int id = Plot().AddTextObject("gone", 0.3f, 0.3f, 0, 0, "", 0, 0);
    ASSERT_NE(id, 0);
    CPlotAnnotation& kept = Add("kept", 0.6f, 0.6f);
    const auto withBoth = Draw();
    CPlotAnnotation& gone = *Plot().Annotations[0];
    const Point inside{gone.TextBox.left + 2, gone.TextBox.bottom - 3};
    EXPECT_TRUE(gone.HitTest(inside));
    Plot().FindObject(id)->Release(Plot());
    const auto without = Draw();
    EXPECT_EQ(Plot().Annotations.size(), 2u);
    EXPECT_EQ(Plot().Annotations[1].get(), &kept);
    EXPECT_FALSE(gone.HitTest(inside));
    const Rect changed = Changed(*withBoth, *without);
    EXPECT_TRUE(Covers(gone.TextBox, changed));
    EXPECT_FALSE(changed.IsEmpty());
}

TEST_F(AnnotationTest, AttachingToTheCurveKeepsTheTextAndDrawsALeader) {
    const auto before = Draw();
    const Point text = RelativeToDevice(Frame(), 0.5f, 0.2f);
    CPlotAnnotation& a = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kCurve);
    EXPECT_EQ(a.AttachedVariable, 1);
    // The curve is y = x: the anchor lies on it.
    EXPECT_NEAR(a.AnchorX, a.AnchorY, 1e-3);
    EXPECT_LE(std::abs(a.TextPosition.x - text.x) + std::abs(a.TextPosition.y - text.y), 1);
    const auto after = Draw();
    const Point end = LeaderEnd(a.TextBox, a.TagPoint, a.TextPosition);
    const Point mid{(a.TagPoint.x + end.x) / 2, (a.TagPoint.y + end.y) / 2};
    ASSERT_GT(std::abs(a.TagPoint.y - end.y), 10);
    EXPECT_NE(after->GetPixel(mid.x, mid.y), before->GetPixel(mid.x, mid.y));
    // Freeing it again leaves the text where it is.
    a.RequestAttachment(CPlotAnnotation::kFree);
    Draw();
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kFree);
    EXPECT_LE(std::abs(a.TextPosition.x - text.x) + std::abs(a.TextPosition.y - text.y), 1);
}

TEST_F(AnnotationTest, FarFromEveryCurveTheTextIsTiedToTheNearerAxis) {
    Plot().SetData(1, 0, 0);
    Plot().SetData(1, 1, 0);
    Plot().SetData(1, 2, 0);
    Plot().SetAxisRange(1, 0, 10);
    Draw();
    // Near the left edge, far above the flat curve at the bottom.
    CPlotAnnotation& a = Tied(0.01f, 0.1f, CPlotAnnotation::kCurve);
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kAxis);
    EXPECT_EQ(a.AnchorX, CPlotAnnotation::kOnAxis);
    EXPECT_EQ(a.AttachedVariable, 0);
    EXPECT_EQ(a.TagPoint.x, Area().left);
}

TEST_F(AnnotationTest, CurveTiesFollowChangedObjectPointsOnceAtTheNextLayout) {
    // Near the top of the plot, well above the diagonal curve.
    CPlotAnnotation& a = Tied(0.5f, 0.05f, CPlotAnnotation::kCurve);
    ASSERT_EQ(a.AttachedVariable, 1);
    const CPlotAnnotation::Position tied = a.GetPosition();
    // A line along the top edge, far nearer to the text than the diagonal.
    const int line = Plot().CreateObject(0, 0);
    const int lineVariable = Plot().FindObject(line)->YVarIndex + 1;
    for (int k = 0; k <= 20; ++k) {
        ASSERT_EQ(Plot().SetObjectPoint(line, k, k / 10.0, 2), 1);
        // Every point the host sends leaves the tie alone until the next layout.
        EXPECT_EQ(a.GetPosition(), tied) << k;
    }
    Draw();
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kCurve);
    EXPECT_EQ(a.AttachedVariable, lineVariable);
    EXPECT_NEAR(a.AnchorY, 2.0, 1e-6);
    // Whoever reads the tie before a layout settles it the same way: the line moved down a
    // little, through the text, is still the nearer curve.
    for (int k = 0; k <= 20; ++k) Plot().SetObjectPoint(line, k, k / 10.0, 1.9);
    EXPECT_NEAR(a.AnchorY, 2.0, 1e-6);
    Plot().SettleCurveTies();
    EXPECT_EQ(a.AttachedVariable, lineVariable);
    EXPECT_NEAR(a.AnchorY, 1.9, 1e-6);
}

TEST_F(AnnotationTest, DataPointTiesOutsideTheRangesAreRefused) {
    CPlotAnnotation& outside = Tied(-0.5f, 0.5f, CPlotAnnotation::kDataPoint);
    EXPECT_EQ(outside.Attachment, CPlotAnnotation::kFree);
    EXPECT_EQ(outside.AnchorX, -0.5f);
    EXPECT_EQ(outside.AnchorY, 0.5f);
    CPlotAnnotation& inside = Tied(0.5f, 0.5f, CPlotAnnotation::kDataPoint);
    EXPECT_EQ(inside.Attachment, CPlotAnnotation::kDataPoint);
    // Pinned to its point: no offset, no leader of any length (and no arrowhead to divide by).
    EXPECT_EQ(inside.TagPoint, inside.TextPosition);
    EXPECT_EQ(inside.OffsetX, 0.0f);
    EXPECT_NEAR(inside.AnchorX, 1.0, 0.05);
    Draw();
}

TEST_F(AnnotationTest, AVariableNumberThatNamesNoVariableCountsAsNone) {
    CPlotAnnotation& a = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    a.AttachedVariable = 0;
    Draw();
    const Point expected = a.TagPoint;
    for (int v : {99, -3}) {
        a.AttachedVariable = v;
        Draw();
        EXPECT_EQ(a.TagPoint, expected) << v;
    }
    EXPECT_EQ(CPlotDrawingRgn::AnnotationAxis(a.Anchor(), Plot()), 1);
}

TEST_F(AnnotationTest, ADrawingAreaWithoutExtentNeverYieldsAnInfiniteAnchor) {
    CPlotAnnotation& a = Add("x", 0.25f, 0.75f);
    CPlotAnnotation& t = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    const CPlotAnnotation::Position tied = t.GetPosition();
    Plot().DrawingRgn->Rect = {};
    Plot().Width = 0;
    Plot().Height = 0;
    a.MoveBy(5, 5, Plot());
    t.MoveBy(5, 5, Plot());
    a.Detach(Plot(), CPlotAnnotation::kFree);
    EXPECT_EQ(a.AnchorX, 0.25f);
    EXPECT_EQ(a.AnchorY, 0.75f);
    EXPECT_EQ(t.GetPosition(), tied);
}

TEST_F(AnnotationTest, DraggingTextMovesItUnlessDroppedAtTheEdge) {
    CPlotAnnotation& a = Add("drag me", 0.3f, 0.5f);
    Draw();
    ImageSurface dc(kW, kH);
    const Point from{a.TextBox.left + 3, a.TextBox.bottom - 3};
    const Point start = a.TextPosition;
    ASSERT_EQ(a.BeginTrack(dc, Plot(), from), 1);
    a.Track(dc, Plot(), {from.x + 10, from.y + 5});
    a.Track(dc, Plot(), {from.x + 30, from.y + 20});
    EXPECT_FALSE(a.EndTrack(dc, Plot()));
    EXPECT_EQ(a.TextPosition, (Point{start.x + 30, start.y + 20}));
    Draw();
    EXPECT_EQ(a.TextPosition, (Point{start.x + 30, start.y + 20}));
    // Dropped beyond the left edge: nothing moves.
    const CPlotAnnotation::Position kept = a.GetPosition();
    ASSERT_EQ(a.BeginTrack(dc, Plot(), {a.TextBox.left + 1, a.TextBox.bottom - 2}), 1);
    a.Track(dc, Plot(), {-1000, 10});
    a.EndTrack(dc, Plot());
    EXPECT_EQ(a.GetPosition(), kept);
}

TEST_F(AnnotationTest, DraggingATiedTextChangesOnlyItsOffsets) {
    CPlotAnnotation& a = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    ImageSurface dc(kW, kH);
    const Point tag = a.TagPoint;
    const float ax = a.AnchorX;
    ASSERT_EQ(a.BeginTrack(dc, Plot(), {a.TextBox.left + 2, a.TextBox.bottom - 2}), 1);
    a.Track(dc, Plot(), {a.TextBox.left + 22, a.TextBox.bottom - 2});
    a.EndTrack(dc, Plot());
    Draw();
    EXPECT_EQ(a.TagPoint, tag);
    EXPECT_EQ(a.AnchorX, ax);
    EXPECT_EQ(a.TextPosition.x - a.TagPoint.x, RoundDevice(a.OffsetX * Area().Width()));
}

TEST_F(AnnotationTest, DraggingTheTagPointRetiesItAndKeepsTheText) {
    CPlotAnnotation& a = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    a.TagHandle = 1;
    ImageSurface dc(kW, kH);
    const Point text = a.TextPosition;
    const float ax = a.AnchorX;
    ASSERT_FALSE(a.TextBox.Contains(a.TagPoint));
    ASSERT_EQ(a.BeginTrack(dc, Plot(), a.TagPoint), CPlotAnnotation::kTagDrag);
    // Further down the curve y = x.
    const Point drop = RelativeToDevice(Frame(), 0.25f, 0.75f);
    a.Track(dc, Plot(), drop);
    EXPECT_TRUE(a.EndTrack(dc, Plot()));
    Draw();
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kCurve);
    EXPECT_LT(a.AnchorX, ax);
    EXPECT_LE(std::abs(a.TextPosition.x - text.x) + std::abs(a.TextPosition.y - text.y), 1);
}

TEST_F(AnnotationTest, LeaderBandsAreHitUnlessLockedAndBeforeLayoutNothingIs) {
    CPlotAnnotation fresh("never laid out");
    EXPECT_FALSE(fresh.HitTest({0, 0}));
    CPlotAnnotation& a = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    a.Arrow = 0;
    Draw();
    const Point onLeader{(a.TagPoint.x + a.TextPosition.x) / 2, (a.TagPoint.y + a.TextPosition.y) / 2};
    ASSERT_FALSE(InsideOutline(a.Outline, onLeader));
    EXPECT_TRUE(a.HitTest(onLeader));
    a.LeaderLocked = 1;
    EXPECT_FALSE(a.HitTest(onLeader));
}

TEST_F(AnnotationTest, SelectedTiedTextsOfferTheirTagAndZoomedOutAnchorsHideThem) {
    CPlotAnnotation& a = Tied(0.5f, 0.2f, CPlotAnnotation::kCurve);
    a.TagHandle = 1;
    a.Selected = 1;
    Draw();
    const auto handles = std::count_if(env.Bullets.begin(), env.Bullets.end(), [&](const CPlotBullet& b) {
        return b.Code == CPlotAnnotation::kTagDrag && b.Cursor == 32646 && b.Box == TagSquare(a.TagPoint);
    });
    EXPECT_EQ(handles, 1);
    a.Selected = 0;
    // An anchor just right of the X range, the text well inside the plot.
    const CPlotAxis& x = *Plot().AxisByNumber(0);
    const CPlotAxis& y = *Plot().AxisByNumber(1);
    a.SetPosition({static_cast<float>(x.RangeMax + 0.05 * (x.RangeMax - x.RangeMin)),
                   static_cast<float>((y.RangeMin + y.RangeMax) / 2), -0.4f, 0, 1});
    a.Hidden = 1;
    const auto without = Draw();
    a.Hidden = 0;
    EXPECT_FALSE(Changed(*without, *Draw()).IsEmpty());
    // Zoomed in, an anchor outside the ranges takes its whole annotation out of the picture.
    Plot().ZoomLevel = 2;
    EXPECT_TRUE(Changed(*without, *Draw()).IsEmpty());
}

TEST_F(AnnotationTest, TextsThatLeftThePlotAreBroughtBack) {
    CPlotAnnotation& a = Add("far too far right", 1.95f, 0.5f);
    Draw();
    ASSERT_GT(a.TextBox.right, kW);
    a.BringIntoViewPending = 1;
    Draw();
    EXPECT_EQ(a.BringIntoViewPending, 0);
    EXPECT_LE(a.TextBox.right, kW);
    EXPECT_GE(a.TextBox.left, 0);
}

TEST_F(AnnotationTest, HostileValuesAreStoredSafely) {
    CPlotAnnotation& nan = Add("nan", std::nanf(""), INFINITY);
    EXPECT_EQ(nan.AnchorX, 0.0f);
    EXPECT_EQ(nan.AnchorY, 0.0f);
    for (int colour : {16, -1, 1000}) {
        nan.SetAttributes({colour, 0, 0, 2, 0, 0});
        EXPECT_EQ(nan.Color, 0) << colour;
    }
    nan.SetAttributes({15, 0, 0, 2, 0, 0});
    EXPECT_EQ(nan.Color, 15);
    CPlotAnnotation built("x", nullptr, 77, 0, 0, 2, 0);
    EXPECT_EQ(built.Color, 0);
    // Without a font an annotation is inert, never laid out.
    ImageSurface dc(kW, kH);
    built.NewMark = 0;
    built.Draw(dc, Plot(), 1);
    EXPECT_EQ(built.LaidOut, 0);
}

TEST_F(AnnotationTest, TheOperationLogNamesEachNewIndex) {
    Add("a", 0, 0);
    Add("b", 0, 0);
    EXPECT_EQ(host.log, " AddText (0)\r\n AddText (1)\r\n");
}

TEST(AnnotationState, EditorFontAndTimeStamp) {
    CDrawTool tool;
    CPlotAnnotation a("t", tool.GetFont("Arial", 12, 0, 2 | 1), 0, 0, 0, 2, 1);
    const CPlotAnnotation::EditorFont f = a.GetEditorFont();
    EXPECT_EQ(f.face, "Arial");
    EXPECT_EQ(f.height, 12);
    EXPECT_EQ(f.weight, 700);
    EXPECT_TRUE(f.italic);
    EXPECT_FALSE(f.underline);
    EXPECT_TRUE(CPlotAnnotation("u", tool.GetFont("Arial", 12, 0, 4), 0, 0, 0, 2, 0).GetEditorFont().underline);
    EXPECT_EQ(CPlotAnnotation("none").GetEditorFont().face, "Tahoma");
    EXPECT_EQ(a.EditorAlignment(), 1);
    LocaleOverride locale({".", "yyyy-MM-dd", "HH:mm"});
    a.NeedsMeasure = 0;
    a.MakeTimeStamp();
    EXPECT_EQ(a.TimeStamp, 1);
    EXPECT_EQ(a.NeedsMeasure, 1);
    EXPECT_TRUE(std::regex_match(a.Text, std::regex(R"(\d\d:\d\d \d{4}-\d\d-\d\d)"))) << a.Text;
}

}  // namespace
}  // namespace vtg
