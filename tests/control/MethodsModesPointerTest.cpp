// The event and mode switches, coordinate conversion, the pointer, the rubber-band line, double
// clicks, rotation and DisplayText, through the dispatch interface.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "control/HostServices.h"
#include "objects/CPlotObj.h"
#include "platform/ProgIdRegistry.h"
#include "platform/RecordingSurface.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotRegion.h"
#include "MethodsTestSupport.h"

namespace vtg::test {
namespace {

Variant Long(int v) { return Variant(static_cast<std::int32_t>(v)); }

struct ModesPointerTest : MethodsFixture, testing::Test {
    // A plot of one line from (x0, y0) to (x1, y1), painted at the window's size.
    void PaintLine(double x0, double y0, double x1, double y1) {
        Call("SetData", {I2(0), I2(0), Variant(x0)});
        Call("SetData", {I2(0), I2(1), Variant(x1)});
        Call("SetData", {I2(1), I2(0), Variant(y0)});
        Call("SetData", {I2(1), I2(1), Variant(y1)});
        Call("Redraw");
        site.Paint();
        Quiet();
    }
    bool ToDevice(double x, double y, int& ix, int& iy) {
        Variant vx(std::int16_t{-7});
        Variant vy(std::int16_t{-7});
        const bool inside = Call("ConvertToDevice", {Variant(x), Variant(y), Variant::Ref(vx), Variant::Ref(vy)}).ToBool();
        ix = vx.ToI2();
        iy = vy.ToI2();
        return inside;
    }
    bool ToPlot(int ix, int iy, double& x, double& y) {
        Variant vx(-7.0);
        Variant vy(-7.0);
        const bool inside = Call("ConvertToPlot", {I2(ix), I2(iy), Variant::Ref(vx), Variant::Ref(vy)}).ToBool();
        x = vx.ToR8();
        y = vy.ToR8();
        return inside;
    }
};

TEST_F(ModesPointerTest, ModeSwitchesStoreWhatTheyNameAndNothingElse) {
    struct EventCase {
        int id;
        bool on;
        bool def;
        std::uint32_t set;    // bits that must be set afterwards
        std::uint32_t clear;  // bits that must be clear
    };
    const EventCase events[] = {
        {4, true, true, (1u << 3) | (1u << 19), 0},
        {1, true, false, 1u << 0, 1u << 16},
        {0, true, true, (1u << 31) | (1u << 15), 0},       // positions wrap: no negative shift
        {-40, true, false, 1u << ((-41) & 31), 1u << ((-25) & 31)},
        {32000, false, true, 1u << ((32000 + 15) & 31), 1u << ((32000 - 1) & 31)},
    };
    for (const EventCase& e : events) {
        Ctrl().eventMask = e.on ? 0u : ~0u;
        Call("SetEvent", {I2(e.id), Variant(e.on), Variant(e.def)});
        EXPECT_EQ(Ctrl().eventMask & e.set, e.set) << "id " << e.id;
        EXPECT_EQ(Ctrl().eventMask & e.clear, 0u) << "id " << e.id;
    }

    struct PointerCase {
        int type;
        int cursor;  // expected cursorId afterwards
    };
    const PointerCase pointers[] = {{2, IDC_CROSS}, {0, IDC_CROSS}, {16, IDC_CROSS}, {15, IDC_SIZEALL}, {1, IDC_ARROW}};
    for (const PointerCase& p : pointers) {
        Call("SetMousePointer", {I2(p.type)});
        EXPECT_EQ(Ctrl().cursorId, p.cursor) << "type " << p.type;
    }
    EXPECT_EQ(site.GetCursor(), IDC_ARROW);

    Call("SetCopyMode", {I2(3)});
    Call("SetTextMode", {I2(1)});
    Call("ManageCursor", {Variant(true)});
    Call("EnableResetFromDefinition", {Variant(true)});
    EXPECT_EQ(Ctrl().copyMode, 3);
    EXPECT_EQ(Ctrl().textMode, 1);
    EXPECT_TRUE(Ctrl().manageCursor);
    EXPECT_TRUE(Ctrl().resetFromDefinitionEnabled);
    EXPECT_EQ(Invalidations(), 0u) << "mode switches do not redraw";

    // The flipped flag alone: an event, no rebuild, no paint.
    Call("SetFlippedFlag", {Variant(true)});
    EXPECT_EQ(Plot().Flipped, 1);
    EXPECT_EQ(sink->Count("FlippedFlagChanged"), 1u);
    EXPECT_EQ(Invalidations(), 0u);

    Call("SetPlotIsLive", {Variant(true)});
    EXPECT_TRUE(Call("GetPlotIsLive").ToBool());
    EXPECT_EQ(sink->Count("OnLivePlot"), 1u);
    EXPECT_TRUE(Ctrl().IsModified());
    Call("FireReloadEvent");
    EXPECT_EQ(sink->Count("ReloadNow"), 1u);

    // SetData marks the host's data as changed until the host says it applied it.
    Call("SetData", {I2(1), I2(0), Variant(2.0)});
    EXPECT_EQ(Plot().HostDataChanged, 1);
    Call("ApplySettingByUserFlag");
    EXPECT_EQ(Plot().HostDataChanged, 0);

    // With Modified switched off, a change still marks the control but tells nobody.
    Call("EnableFireEvent", {Variant(false)});
    Quiet();
    Call("SetAxisRange", {I2(0), Variant(0.0), Variant(5.0)});
    EXPECT_EQ(sink->Count("Modified"), 0u);
}

TEST_F(ModesPointerTest, CoordinatesRoundTripWithinAPixel) {
    struct Case {
        int width;
        int height;
        int xScale;  // SetAxisScale code of the X axis: 0 linear, 1 log
        double x0, x1;
    };
    const Case cases[] = {
        {400, 300, 0, 0, 10},
        {1700, 1200, 0, -5, 5},
        {230, 180, 1, 1, 1e4},
        {800, 600, 0, 1.7e9, 1.7e9 + 3600},  // epoch seconds: needs more than single precision
    };
    for (const Case& c : cases) {
        site.Resize(c.width, c.height);
        Call("SetAxisScale", {I2(0), I2(c.xScale)});
        PaintLine(c.x0, 1, c.x1, 2);
        const CPlotRegion& area = *Plot().DrawingRgn;
        for (const Point p : {Point{area.Rect.left + 3, area.Rect.top + 4},
                              Point{(area.Rect.left + area.Rect.right) / 2, (area.Rect.top + area.Rect.bottom) / 2},
                              Point{area.Rect.right - 2, area.Rect.bottom - 3}}) {
            double x = 0, y = 0;
            EXPECT_TRUE(ToPlot(p.x, p.y, x, y)) << c.width;
            int ix = 0, iy = 0;
            EXPECT_TRUE(ToDevice(x, y, ix, iy)) << c.width;
            EXPECT_LE(std::abs(ix - p.x), 1) << c.width << " x " << x;
            EXPECT_LE(std::abs(iy - p.y), 1) << c.width << " y " << y;
        }
    }
    // Far outside: pinned to the short range instead of wrapping, and reported outside.
    int ix = 0, iy = 0;
    EXPECT_FALSE(ToDevice(1.7e9 + 3600 * 1e6, 1.5, ix, iy));
    EXPECT_EQ(ix, 32767);
    double x = 0, y = 0;
    EXPECT_FALSE(ToPlot(0, 0, x, y)) << "the corner lies outside the drawing area";
}

TEST_F(ModesPointerTest, AnUnpaintedPlotCannotConvertAndLeavesTheOutputs) {
    ctrl.reset();
    ctrl = std::make_unique<CVortigaCtrl>();
    Ctrl().ResetState();
    int ix = 0, iy = 0;
    EXPECT_FALSE(ToDevice(1, 1, ix, iy));
    EXPECT_EQ(ix, -7);
    double x = 0, y = 0;
    EXPECT_FALSE(ToPlot(10, 10, x, y));
    EXPECT_EQ(x, -7.0);
    EXPECT_FALSE(Call("IsRegionDefined").ToBool());
    Variant px(std::int16_t{-7});
    Variant py(std::int16_t{-7});
    EXPECT_FALSE(Call("GetPointerLocation", {Variant::Ref(px), Variant::Ref(py)}).ToBool());
    EXPECT_EQ(px.ToI2(), -7) << "no window, no pointer";
}

TEST_F(ModesPointerTest, PointerLocationAndRegionDefinedFollowTheWindow) {
    PaintLine(0, 0, 10, 10);
    const Rect area = Plot().DrawingRgn->Rect;
    site.SetCursorPos({area.left + 5, area.top + 5});
    Variant px(std::int16_t{0});
    Variant py(std::int16_t{0});
    EXPECT_TRUE(Call("GetPointerLocation", {Variant::Ref(px), Variant::Ref(py)}).ToBool());
    EXPECT_EQ(px.ToI2(), area.left + 5);
    site.SetCursorPos({1, 1});
    EXPECT_FALSE(Call("GetPointerLocation", {Variant::Ref(px), Variant::Ref(py)}).ToBool());
    EXPECT_FALSE(Call("IsRegionDefined").ToBool());
    Plot().DrawingRgn->BandActive = 1;
    EXPECT_TRUE(Call("IsRegionDefined").ToBool());
}

TEST_F(ModesPointerTest, DragLineRemembersItsLineAndWipesItOnAMove) {
    RecordingSurface dc;
    Plot().DragLine(dc, 1, 2, 30, 40, 4);
    Plot().DragLine(dc, 5, 6, 50, 60, -1);
    std::vector<std::pair<Point, Point>> lines;
    for (const DrawCall& call : dc.Calls()) {
        if (call.op != DrawOp::Polyline) continue;
        lines.emplace_back(call.points.front(), call.points.back());
        EXPECT_EQ(call.state.rop, Rop2::NotXorPen);
    }
    const std::vector<std::pair<Point, Point>> expected{
        {{1, 2}, {30, 40}}, {{1, 2}, {30, 40}}, {{5, 6}, {50, 60}}};
    EXPECT_EQ(lines, expected) << "the move draws the old line again, then the new one";
    EXPECT_EQ(Plot().RubberColor, 4) << "a move keeps the colour";
    // Through the dispatch interface the line goes straight to the window.
    const int before = site.WindowDrawCount();
    Call("DragLine", {I2(0), I2(0), I2(10), I2(10), I2(2)});
    EXPECT_EQ(site.WindowDrawCount(), before + 1);
}

TEST_F(ModesPointerTest, DoubleClickEditsTheRegionOrRefusesATextWithoutAnEditor) {
    std::string offered;
    ScopedProgId server{std::string(kDialogServerProgId), [&offered] {
                            auto d = std::make_shared<DispatchObject>();
                            d->AddMethod("ShowTextInputDialog", [&offered](std::vector<Variant>& a) {
                                offered = a[2].ToString();
                                SetOutArg(a[5], Variant(std::string("Edited title")));
                                return Long(1);
                            });
                            return std::shared_ptr<IDispatch>(d);
                        }};
    PutProperty(Ctrl(), "Title", Variant(std::string("Old title")));
    PaintLine(0, 0, 10, 10);
    const Rect title = Plot().TitleRgn->Rect;
    Call("DoDoubleClick", {I2((title.left + title.right) / 2), I2((title.top + title.bottom) / 2)});
    EXPECT_EQ(offered, "Old title");
    EXPECT_EQ(Plot().Selection, Plot().TitleRgn.get());
    EXPECT_EQ(sink->Count("Modified"), 1u);
    EXPECT_GT(Invalidations(), 0u);

    // Nothing under the point: nothing happens.
    Quiet();
    Call("DoDoubleClick", {I2(-50), I2(-50)});
    EXPECT_EQ(sink->Count("Modified"), 0u);

    // A text object is edited in place; until that exists the host hears so plainly.
    const int id = Call("NewText", {Variant(std::string("note")), Variant(0.5), Variant(0.5), I2(-1)}).ToI2();
    EXPECT_EQ(ErrorOf("EditObject", {I2(id)}).Code(), HResult::NotImpl);
    Call("EditObject", {I2(id + 1)});  // no such object: nothing
}

TEST_F(ModesPointerTest, RotateTurnsObjectPointsOnTheTriangle) {
    const int id = Call("NewLine", {I2(1), I2(1), I2(0), I2(0), I2(0)}).ToI2();
    Call("SetXYData", {I2(id), I2(0), Variant(0.2), Variant(0.3)});
    Quiet();
    Call("Rotate", {I2(1)});
    Variant x(0.0);
    Variant y(0.0);
    ASSERT_TRUE(Call("GetXYData", {I2(id), I2(0), Variant::Ref(x), Variant::Ref(y)}).ToBool());
    EXPECT_DOUBLE_EQ(x.ToR8(), 0.3);
    EXPECT_DOUBLE_EQ(y.ToR8(), 0.5);
    Call("Rotate", {I2(0)});
    Call("GetXYData", {I2(id), I2(0), Variant::Ref(x), Variant::Ref(y)});
    EXPECT_NEAR(x.ToR8(), 0.2, 1e-12);
    EXPECT_NEAR(y.ToR8(), 0.3, 1e-12);
    EXPECT_GT(Invalidations(), 0u);
}

TEST_F(ModesPointerTest, DisplayTextShowsATipUntilItsTimeRunsOut) {
    Call("SetSymbol", {Variant(std::string("UNIT")), Variant(std::string("kPa"))});
    Call("DisplayText", {Variant(std::string("p in &[UNIT]\\nsecond")), I2(100), I2(150), Long(800)});
    EXPECT_TRUE(site.ToolTip().visible);
    EXPECT_EQ(site.ToolTip().text, "p in kPa\nsecond");
    EXPECT_EQ(site.ToolTip().at, (Point{100, 90})) << "above the point when there is room";
    EXPECT_EQ(Ctrl().displayTextState, 1);
    site.AdvanceTime(800);
    EXPECT_FALSE(site.ToolTip().visible);
    EXPECT_EQ(Ctrl().displayTextState, 0);
    Call("DisplayText", {Variant(std::string("top")), I2(10), I2(30), Long(100)});
    EXPECT_EQ(site.ToolTip().at, (Point{10, 50})) << "below the point near the top";
}

TEST_F(ModesPointerTest, KeyDownGoesToTheFocusedEditorWithItsRepeatCount) {
    std::unique_ptr<IEditBox> box = site.CreateEditBox({0, 0, 100, 20}, "abcdef", false, Font{});
    box->Focus();
    box->SetSelection(0, 0);
    Ctrl().inPlaceEditors[0] = box.get();
    Call("KeyDown", {Long(VK_DELETE), Long(3), Long(0)});
    EXPECT_EQ(box->GetText(), "def");
    Ctrl().inPlaceEditors[0] = nullptr;
    // Without an editor the key is the control's own; a hostile repeat count costs nothing.
    Call("KeyDown", {Long(VK_DELETE), Long(2147483647), Long(0)});
    EXPECT_EQ(box->GetText(), "def");
}

}  // namespace
}  // namespace vtg::test
