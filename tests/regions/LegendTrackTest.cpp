// Moving and resizing the legend: the drag rectangle for each handle with its minimum sizes,
// the XOR frame, where EndTrack leaves the box and its proportions, the sizing handles, and
// the host's legend dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "control/HostServices.h"
#include "platform/Automation.h"
#include "platform/ProgIdRegistry.h"
#include "platform/RecordingSurface.h"
#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {
namespace {

TEST(LegendTrackRect, EachHandleMovesItsEdgesAndStopsAtTheMinimum) {
    const Rect start{100, 100, 200, 160};
    const Size minimum{60, 50};
    struct Row {
        int code;
        Point p;
        Rect expected;
    };
    const Row rows[] = {
        {LegendHandle::Move, {130, 90}, {120, 80, 220, 140}},
        {LegendHandle::TopLeft, {90, 95}, {90, 95, 200, 160}},
        {LegendHandle::TopLeft, {195, 155}, {180, 140, 200, 160}},      // stops at 20 pixels
        {LegendHandle::TopRight, {250, 150}, {100, 140, 251, 160}},
        {LegendHandle::BottomRight, {50, 50}, {100, 100, 120, 120}},
        {LegendHandle::BottomLeft, {10, 300}, {10, 100, 200, 301}},
        {LegendHandle::Left, {170, 0}, {140, 100, 200, 160}},          // stops at the minimum width
        {LegendHandle::Right, {300, 0}, {100, 100, 301, 160}},
        {LegendHandle::Top, {0, 150}, {100, 110, 200, 160}},           // stops at the minimum height
        {LegendHandle::Bottom, {0, 105}, {100, 100, 200, 150}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(TrackedLegendRect(start, {110, 110}, row.p, row.code, minimum), row.expected);
    }
    // A minimum below 20 pixels does not let the middle handles go further than the corners.
    EXPECT_EQ(TrackedLegendRect(start, {}, {199, 0}, LegendHandle::Left, {5, 5}), (Rect{180, 100, 200, 160}));
}

TEST(LegendTrackRect, HandlesSitInsideTheBoxWithTheirCursors) {
    EXPECT_EQ(LegendHandles({100, 100, 200, 160}, 1).size(), 6u);
    const auto handles = LegendHandles({100, 100, 200, 160}, 2);
    ASSERT_EQ(handles.size(), 8u);
    // Code, centre and cursor of the top-left, bottom-right, left and bottom handles.
    const std::tuple<std::size_t, Point, int> rows[] = {{0, {102, 102}, IDC_SIZENWSE},
                                                         {2, {197, 157}, IDC_SIZENWSE},
                                                         {4, {102, 130}, IDC_SIZEWE},
                                                         {7, {150, 157}, IDC_SIZENS}};
    for (const auto& [i, c, cursor] : rows) {
        SCOPED_TRACE(i);
        EXPECT_EQ(handles[i].Code, static_cast<int>(i) + 1);
        EXPECT_EQ(handles[i].Box, (Rect{c.x - 2, c.y - 2, c.x + 3, c.y + 3}));
        EXPECT_EQ(handles[i].Cursor, cursor);
        EXPECT_EQ(handles[i].Owner, RegionKind::Legend);
    }
}

struct LegendTrackTest : test::PlotFixture, testing::Test {
    RecordingSurface dc;

    LegendTrackTest() {
        CPlotLook& p = Plot();
        p.SetVariableCount(3);
        p.SetLegend(1, "Feed");
        p.SetLegend(2, "Product");
        p.SetLegend(3, "Bottoms");
        p.SetSize(640, 480);
        p.LegendX = 0.9f;
        p.LegendY = 0.2f;
        p.ToggleLegend(&dc);
        p.Layout(dc);
    }
    CPlotLegendRgn& Legend() { return *Plot().LegendRgn; }
    std::vector<Rect> Frames() const {
        std::vector<Rect> out;
        for (const DrawCall& c : dc.CallsOf(DrawOp::Rectangle)) {
            EXPECT_EQ(c.state.rop, Rop2::XorPen);
            out.push_back(c.rect);
        }
        return out;
    }
    // A drag by the handle from its place by (dx, dy).
    bool Drag(int code, int dx, int dy) {
        const Rect r = Legend().Rect;
        const Point from{code == LegendHandle::Move ? r.left + 5 : r.right - 1, r.bottom - 1};
        if (code == LegendHandle::Move) {
            Legend().BeginTrack(dc, Plot(), from);
        } else {
            Legend().BeginResize(dc, code);
        }
        Legend().Track(dc, Plot(), {from.x + dx, from.y + dy});
        return Legend().EndTrack(dc, Plot());
    }
};

TEST_F(LegendTrackTest, MovingDrawsAnXorFrameAndLeavesTheBoxWhereItWasDropped) {
    const Rect before = Legend().Rect;
    const Rect area = Plot().DrawingRgn->Rect;
    dc.Clear();
    ASSERT_TRUE(Drag(LegendHandle::Move, -130, 60));
    const Rect moved = before.Offset(-130, 60);
    // Drawn, erased and drawn at the new place, erased at the end.
    EXPECT_EQ(Frames(), (std::vector<Rect>{before, before, moved, moved}));
    ASSERT_EQ(Plot().DrawingRgn->Rect, area);
    EXPECT_EQ(Legend().Rect, moved);
    EXPECT_EQ(Plot().LayoutDirty, 1);

    // A click without motion changes nothing.
    const float x = Plot().LegendX;
    EXPECT_FALSE(Drag(LegendHandle::Move, 0, 0));
    EXPECT_EQ(Plot().LegendX, x);
    EXPECT_EQ(Legend().Rect, moved);
}

TEST_F(LegendTrackTest, ResizingFitsTheSampleAndSpacingToTheNewBox) {
    const Rect before = Legend().Rect;
    const int sample = Legend().SampleLength;
    ASSERT_TRUE(Drag(LegendHandle::BottomRight, 30, 24));
    EXPECT_EQ(Legend().SampleLength, sample + 30);
    EXPECT_GT(Legend().ItemSpacing, 1.25f);
    EXPECT_EQ(Legend().Rect.Width(), before.Width() + 30);
    EXPECT_NEAR(Legend().Rect.Height(), before.Height() + 24, 2);
    EXPECT_EQ(Legend().Rect.right, before.right + 30);
    EXPECT_EQ(Legend().Rect.top, before.top);

    // Far too small: the frame stops at 20 pixels, the box at its smallest proportions.
    dc.Clear();
    ASSERT_TRUE(Drag(LegendHandle::BottomRight, -1000, -1000));
    const std::vector<Rect> frames = Frames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[2].Width(), 20);
    EXPECT_EQ(frames[2].Height(), 20);
    EXPECT_EQ(Legend().SampleLength, 10);
    EXPECT_FLOAT_EQ(Legend().ItemSpacing, 0.8f);
    EXPECT_EQ(Legend().Rect.Width(), Legend().MinWidth);
    EXPECT_EQ(Legend().Rect.Height(), Legend().MinHeight);
}

TEST_F(LegendTrackTest, ADegenerateDrawingAreaKeepsTheStoredPlace) {
    const float x = Plot().LegendX;
    const float y = Plot().LegendY;
    Legend().BeginTrack(dc, Plot(), {0, 0});
    Legend().Track(dc, Plot(), {15, 15});
    Plot().DrawingRgn->Rect = {300, 300, 100, 100};
    EXPECT_TRUE(Legend().EndTrack(dc, Plot()));
    EXPECT_EQ(Plot().LegendX, x);
    EXPECT_EQ(Plot().LegendY, y);
}

TEST_F(LegendTrackTest, TrackingWithoutABeginningDrawsNothing) {
    dc.Clear();
    Legend().Track(dc, Plot(), {5, 5});
    EXPECT_FALSE(Legend().EndTrack(dc, Plot()));
    Legend().BeginResize(dc, 9);
    EXPECT_TRUE(dc.Calls().empty());
}

TEST_F(LegendTrackTest, DrawHandlesRegistersEachHandleOnce) {
    Legend().DrawHandles(dc, Plot());
    Legend().DrawHandles(dc, Plot());
    EXPECT_EQ(env.Bullets.size(), 8u);
    EXPECT_EQ(dc.CountOf(DrawOp::FillRect), 16u);
    EXPECT_EQ(env.Bullets[0].Box, LegendHandles(Legend().Rect, 3)[0].Box);
}

struct LegendDialog {
    std::vector<std::string> added;
    std::vector<std::string> answers;
    int accept = 1;
    ScopedProgId server{std::string(kDialogServerProgId), [this] {
                            auto dialogs = std::make_shared<DispatchObject>();
                            dialogs->AddMethod("AddLegend", [this](std::vector<Variant>& a) {
                                added.push_back(a[0].ToString());
                                return Variant(std::int32_t{1});
                            });
                            dialogs->AddMethod("ShowEditLegendDialog",
                                               [this](std::vector<Variant>&) { return Variant(accept); });
                            dialogs->AddMethod("GetLegend", [this](std::vector<Variant>& a) {
                                const auto i = static_cast<std::size_t>(a[0].ToI4());
                                if (i >= answers.size() || answers[i] == "?") return Variant(std::int32_t{0});
                                SetOutArg(a[1], Variant(answers[i]));
                                return Variant(std::int32_t{1});
                            });
                            return std::shared_ptr<IDispatch>(dialogs);
                        }};
};

TEST_F(LegendTrackTest, LegendDialogEditsTheVariablesLegends) {
    {
        LegendDialog dialog;
        dialog.answers = {"Feed [kg]", "?", "Tops"};
        EXPECT_TRUE(Legend().EditProperties(dc, Plot()));
        EXPECT_EQ(dialog.added, (std::vector<std::string>{"Feed", "Product", "Bottoms"}));
        EXPECT_EQ(Plot().GetLegend(1), std::optional<std::string>("Feed [kg]"));
        EXPECT_EQ(Plot().GetLegend(2), std::optional<std::string>("Product"));
        EXPECT_EQ(Plot().GetLegend(3), std::optional<std::string>("Tops"));
        EXPECT_EQ(Legend().Measured, 0);

        dialog.accept = 0;
        dialog.answers = {"x", "y", "z"};
        EXPECT_FALSE(Legend().EditProperties(dc, Plot()));
        EXPECT_EQ(Plot().GetLegend(1), std::optional<std::string>("Feed [kg]"));
    }
    // Without a server the dialog counts as cancelled; other hosts edit legends themselves.
    EXPECT_FALSE(Legend().EditProperties(dc, Plot()));
    host.props.ClientType = 1;
    EXPECT_TRUE(Legend().EditProperties(dc, Plot()));
}

}  // namespace
}  // namespace vtg
