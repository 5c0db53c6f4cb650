// The outgoing interface as a host binds it, and each event through the smallest trigger that
// fires it today: its arguments, and the gate that silences it.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "control/HostServices.h"
#include "platform/ProgIdRegistry.h"
#include "regions/CPlotDrawingRgn.h"
#include "res/PlotMenus.h"
#include "MethodsTestSupport.h"

namespace vtg::test {
namespace {

std::string TypeName(VarType t) {
    switch (t) {
        case VarType::I2: return "short";
        case VarType::I4: return "long";
        case VarType::R4: return "float";
        case VarType::R8: return "double";
        case VarType::Bool: return "BOOL";
        case VarType::Bstr: return "string";
        default: return "?";
    }
}

std::string Signature(const MemberInfo& m) {
    std::string s;
    for (const ParamInfo& p : m.params) s += (s.empty() ? "" : ", ") + TypeName(p.type) + " " + p.name;
    return s.empty() ? "none" : s;
}

TEST(EventTypeInfoTest, AllThirtyFourEventsBindByNameWithTheirDispidsAndParameters) {
    struct Row {
        DispId id;
        const char* name;
        const char* params;
    };
    const std::string click = "double x, double y, short ix, short iy, short ObjectID, short modifier";
    const Row rows[] = {
        {1, "Selected", "short ObjectID"},
        {2, "Zoomed", "BOOL OnOff"},
        {3, "ApplyVariableChanges", "none"},
        {4, "VariableChanged", "short VarNo, string VariableName, short Status"},
        {5, "OnDropText", "string text, short ObjectID"},
        {6, "ReloadNow", "none"},
        {7, "OnEditProfileVariables", "none"},
        {8, "OnOnShowasHistory", "none"},
        {9, "OnEditProfileTable", "none"},
        {10, "OnResetFormDefinition", "none"},
        {11, "SetMessageText", "string text"},
        {12, "CommunicationIntervalsSet", "short intervals"},
        {13, "PointerLocation", "string Coordinate, short ix, short iy"},
        {14, "OnClick", click.c_str()},
        {15, "OnDoubleClick", click.c_str()},
        {16, "CursorSet", "none"},
        {17, "OnRBClick", click.c_str()},
        {18, "RegionDefined", "none"},
        {19, "KeyPress", "long KeyAscii"},
        {20, "KeyDown", "long KeyCode, long Shift"},
        {21, "KeyUp", "long KeyCode, long Shift"},
        {22, "Scrolled", "BOOL Horizontal"},
        {23, "PointerExit", "none"},
        {24, "PhaseVariableSet", "string VariablePath"},
        {25, "PhaseVariableDropped", "string sVarName"},
        {26, "ZoomTimeRange", "none"},
        {27, "RevertToTimePlot", "none"},
        {28, "OnLivePlot", "BOOL set"},
        {29, "SetCaption", "string text"},
        {30, "Modified", "none"},
        {31, "PlotDrawn", "BOOL OnOff"},
        {32, "ZoomDone", "float fZoomVal"},
        {33, "OnDropFiles", "string varFiles"},
        {34, "FlippedFlagChanged", "BOOL bFlipped"},
    };
    CVortigaCtrl c;
    const MemberTableCore* info = c.Events().GetTypeInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Size(), std::size(rows));
    for (const Row& r : rows) {
        EXPECT_EQ(info->IdOf(r.name), r.id) << r.name;
        const MemberInfo* m = info->Find(r.id);
        ASSERT_NE(m, nullptr) << r.name;
        EXPECT_EQ(Signature(*m), r.params) << r.name;
        EXPECT_EQ(m->result, VarType::Empty) << r.name;
    }
    EXPECT_EQ(info->IdOf("onclick"), 14) << "hosts bind without regard to case";
    EXPECT_THROW(info->IdOf("OnWheel"), AutomationError);
}

// A plot of one line from (0, 0) to (10, 10), painted in a 400 x 300 window.
struct EventsTest : MethodsFixture, testing::Test {
    EventsTest() {
        Call("SetData", {I2(0), I2(0), Variant(0.0)});
        Call("SetData", {I2(0), I2(1), Variant(10.0)});
        Call("SetData", {I2(1), I2(0), Variant(0.0)});
        Call("SetData", {I2(1), I2(1), Variant(10.0)});
        Call("Redraw");
        site.Paint();
        Quiet();
    }
    Point Device(double x, double y) { return *Plot().PlotToDevice(x, y); }
    void Gate(int id, bool on) { Call("SetEvent", {I2(id), Variant(on), Variant(true)}); }
    const RecordingSink::Event& Last(std::string_view name) {
        static const RecordingSink::Event none{0, "", {}};
        const RecordingSink::Event* e = sink->Last(name);
        EXPECT_NE(e, nullptr) << name;
        return e ? *e : none;
    }
};

// Every input event is off until SetEvent turns on its id; the other ids do not open it, and a
// frozen connection point drops it.
TEST_F(EventsTest, InputEventsFireOnlyThroughTheirOwnGate) {
    const Point inside = Device(5, 5);
    struct Row {
        int gate;
        const char* event;
        std::function<bool()> fire;
    };
    const Row rows[] = {
        {1, "PointerLocation", [&] { return Ctrl().FirePointerLocation(inside); }},
        {2, "OnClick", [&] { return Ctrl().FireClick(inside); }},
        {3, "OnDoubleClick", [&] { return Ctrl().FireDoubleClick(inside, 0); }},
        {4, "OnRBClick", [&] { return Ctrl().FireRBClick(inside); }},
        {5, "KeyPress", [&] { return Ctrl().FireKeyPress('a'); }},
        {6, "KeyDown", [&] { return Ctrl().FireKeyDown(VK_LEFT); }},
        {7, "KeyUp", [&] { return Ctrl().FireKeyUp(VK_LEFT); }},
    };
    for (const Row& r : rows) {
        Quiet();
        Ctrl().eventMask = 0;
        for (int other = 1; other <= 8; ++other) {
            if (other != r.gate) Gate(other, true);
        }
        EXPECT_FALSE(r.fire()) << r.event;
        EXPECT_EQ(sink->Count(r.event), 0u) << r.event;
        Gate(r.gate, true);
        EXPECT_TRUE(r.fire()) << r.event;
        EXPECT_EQ(sink->Count(r.event), 1u) << r.event;
        Ctrl().Events().Freeze(true);
        r.fire();
        Ctrl().Events().Freeze(false);
        EXPECT_EQ(sink->Count(r.event), 1u) << r.event << " while frozen";
    }
}

TEST_F(EventsTest, ClicksAndKeysCarryThePointTheValuesAndTheModifierKeys) {
    for (int id = 1; id <= 7; ++id) Gate(id, true);
    const Point p = Device(4, 6);
    site.SetKeyDown(VK_SHIFT, true);
    site.SetKeyDown(VK_MENU, true);
    struct Row {
        const char* event;
        std::function<void()> fire;
        int objectId;
    };
    const Row rows[] = {
        {"OnClick", [&] { Ctrl().FireClick(p); }, 0},
        {"OnDoubleClick", [&] { Ctrl().FireDoubleClick(p, 205); }, 205},
        {"OnRBClick", [&] { Ctrl().FireRBClick(p); }, 0},
    };
    for (const Row& r : rows) {
        r.fire();
        const auto& e = Last(r.event);
        ASSERT_EQ(e.args.size(), 6u);
        EXPECT_NEAR(e.args[0].ToR8(), 4, 0.1) << r.event;
        EXPECT_NEAR(e.args[1].ToR8(), 6, 0.1) << r.event;
        EXPECT_EQ(e.args[2].ToI2(), p.x) << r.event;
        EXPECT_EQ(e.args[3].ToI2(), p.y) << r.event;
        EXPECT_EQ(e.args[4].ToI2(), r.objectId) << r.event;
        EXPECT_EQ(e.args[5].ToI2(), kModifierShift | kModifierAlt) << r.event;
    }
    site.SetKeyDown(VK_MENU, false);
    site.SetKeyDown(VK_CONTROL, true);
    Ctrl().FireKeyDown(VK_DOWN);
    Ctrl().FireKeyUp('C');
    Ctrl().FireKeyPress(0xE9);
    EXPECT_EQ(Last("KeyDown").args[0].ToI4(), VK_DOWN);
    EXPECT_EQ(Last("KeyDown").args[1].ToI4(), kModifierShift | kModifierCtrl);
    EXPECT_EQ(Last("KeyUp").args[0].ToI4(), 'C');
    EXPECT_EQ(Last("KeyUp").args[1].ToI4(), kModifierShift | kModifierCtrl);
    EXPECT_EQ(Last("KeyPress").args[0].ToI4(), 0xE9);
}

TEST_F(EventsTest, PointerLocationInsideTheDrawingAreaThenOneExit) {
    Gate(1, true);
    const Point in = Device(2, 8);
    const Rect area = Plot().DrawingRgn->Rect;
    const Point out{area.left - 3, area.top - 3};
    EXPECT_FALSE(Ctrl().FirePointerLocation(out)) << "no exit before the pointer was inside";
    EXPECT_TRUE(Ctrl().FirePointerLocation(in));
    const auto& e = Last("PointerLocation");
    double x = 0;
    double y = 0;
    ASSERT_EQ(std::sscanf(e.args[0].ToString().c_str(), "x=%lf\ny=%lf", &x, &y), 2) << e.args[0].ToString();
    EXPECT_NEAR(x, 2, 0.1);
    EXPECT_NEAR(y, 8, 0.1);
    EXPECT_EQ(e.args[1].ToI2(), in.x);
    EXPECT_EQ(e.args[2].ToI2(), in.y);
    EXPECT_TRUE(Ctrl().FirePointerLocation(out));
    EXPECT_FALSE(Ctrl().FirePointerLocation(out));
    EXPECT_EQ(sink->Count("PointerExit"), 1u);
    EXPECT_FALSE(Ctrl().PointerInside());
}

TEST_F(EventsTest, CursorRegionScrollAndDropEventsCarryWhatHappened) {
    Ctrl().ShowCursor(IDC_CROSS);
    EXPECT_EQ(site.GetCursor(), IDC_CROSS);
    EXPECT_EQ(sink->Count("CursorSet"), 0u);
    Call("ManageCursor", {Variant(true)});
    Ctrl().ShowCursor(IDC_WAIT);
    EXPECT_EQ(site.GetCursor(), IDC_CROSS) << "a managed cursor is the host's to set";
    EXPECT_EQ(sink->Count("CursorSet"), 1u);

    EXPECT_FALSE(Ctrl().FireRegionDefined());
    Plot().DrawingRgn->BandActive = 1;
    EXPECT_TRUE(Ctrl().FireRegionDefined());
    EXPECT_EQ(sink->Count("RegionDefined"), 1u);

    // Line, page and thumb position steps are reported; tracking and the end of a scroll not.
    for (int code = 0; code <= 8; ++code) site.Scroll(ScrollBar::Horizontal, code, 500);
    site.Scroll(ScrollBar::Vertical, 1, 0);
    EXPECT_EQ(sink->Count("Scrolled"), 6u);
    EXPECT_FALSE(Last("Scrolled").args[0].ToBool());

    Ctrl().FireDropFiles({"/tmp/a.txt", "/tmp/b.txt"});
    EXPECT_EQ(Last("OnDropFiles").args[0].ToString(), "/tmp/a.txt\n/tmp/b.txt");
    Ctrl().FireDropText("x y", 101);
    EXPECT_EQ(Last("OnDropText").args[0].ToString(), "x y");
    EXPECT_EQ(Last("OnDropText").args[1].ToI2(), 101);
    Ctrl().FirePhaseVariableDropped("Unit.Temperature");
    EXPECT_EQ(Last("PhaseVariableDropped").args[0].ToString(), "Unit.Temperature");
}

TEST_F(EventsTest, MenuHighlightReportsTheItemsPromptUpToItsFirstLine) {
    ResetResourceStringCache();
    {
        ScopedProgId server(std::string(kResourceServerProgId), [] {
            auto s = std::make_shared<DispatchObject>();
            s->AddMethod(std::string(kResourceMethod), {"key", "text"}, [](std::vector<Variant>& args) {
                SetOutArg(args[1], Variant(args[0].ToString() + " prompt\ntip"));
                return Variant(std::int32_t{1});
            });
            return std::shared_ptr<IDispatch>(s);
        });
        Ctrl().OnMenuSelect(MenuCommand::ZoomIn);
        EXPECT_EQ(Last("SetMessageText").args[0].ToString(),
                  std::string(FindMenuCommand(MenuCommand::ZoomIn)->key) + " prompt");
        Ctrl().OnMenuSelect(0);
        EXPECT_EQ(Last("SetMessageText").args[0].ToString(), "");
        EXPECT_EQ(sink->Count("SetMessageText"), 2u);
    }
    ResetResourceStringCache();
}

TEST_F(EventsTest, TitleReportsItsCaptionAndModifiedFollowsItsOwnSwitch) {
    Put(Ctrl(), "Title", Variant("  Pressure  "));
    EXPECT_EQ(Last("SetCaption").args[0].ToString(), "Pressure");
    ASSERT_EQ(sink->Events().size(), 2u);
    EXPECT_EQ(sink->Events()[1].name, "Modified") << "the caption is applied before the modified tail";
    Put(Ctrl(), "Title", Variant(""));
    EXPECT_EQ(Last("SetCaption").args[0].ToString(), "     ");

    Call("EnableFireEvent", {Variant(false)});
    Quiet();
    Put(Ctrl(), "GridType", I2(1));
    Put(Ctrl(), "Title", Variant("T"));
    Put(Ctrl(), "CommunicationIntervals", I2(3));
    EXPECT_EQ(sink->Count("Modified"), 0u);
    EXPECT_EQ(sink->Count("SetCaption"), 1u);
    EXPECT_EQ(Last("CommunicationIntervalsSet").args[0].ToI2(), 3);
}

TEST_F(EventsTest, AnEditCommittedWhileDrawingIsReportedOnceAfterThePaint) {
    Plot().EditPending = 1;
    Call("Redraw");
    site.Paint();
    EXPECT_EQ(sink->Count("Modified"), 1u);
    ASSERT_FALSE(sink->Events().empty());
    Call("Redraw");
    site.Paint();
    EXPECT_EQ(sink->Count("Modified"), 1u);
}

}  // namespace
}  // namespace vtg::test
