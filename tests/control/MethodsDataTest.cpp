// Variables and data through the dispatch interface: values in and out, hostile indices, the
// host's variable names with their events, x variables, phase mode, and how calls with the
// wrong arguments are answered.
#include <gtest/gtest.h>

#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct MethodsDataTest : test::MethodsFixture, testing::Test {
    MethodsDataTest() {
        test::Put(Ctrl(), "nvariables", I2(3));
        test::Put(Ctrl(), "npoints", I2(4));
        Quiet();
    }
    // GetData(var, point): whether it exists, and the value written back.
    std::pair<bool, double> Read(const char* method, int var, int point, double preset = 42) {
        Variant value(preset);
        const bool ok = Call(method, {I2(var), I2(point), Variant::Ref(value)}).ToBool();
        return {ok, value.ToR8()};
    }
};

TEST_F(MethodsDataTest, ValuesGoInAndComeOutPerVariable) {
    Call("SetData", {I2(0), I2(1), Variant(5.5)});
    Call("SetData", {I2(3), I2(2), Variant(-7.0)});
    // A point number passed as a double is rounded as automation converts it.
    Call("SetData", {I2(1), Variant(2.6), Variant(9.0)});
    EXPECT_EQ(Read("GetData", 0, 1), std::make_pair(true, 5.5));
    EXPECT_EQ(Read("GetData", 3, 2), std::make_pair(true, -7.0));
    EXPECT_EQ(Read("GetData", 1, 3), std::make_pair(true, 9.0));
    EXPECT_EQ(Read("GetData", 1, 40), std::make_pair(false, 1e28));
    EXPECT_EQ(sink->Count("Modified"), 0u);
    EXPECT_EQ(Invalidations(), 0u) << "the host redraws when it is done";
}

TEST_F(MethodsDataTest, HostileIndicesStoreNothingAndReadNothing) {
    // Rebuilding the plot kind leaves one real variable while nvariables still says three.
    test::Put(Ctrl(), "PlotType", I2(1));
    const std::string before = test::Fingerprint(Ctrl());
    const std::vector<std::pair<int, int>> hostile{{-1, 0}, {1, -1}, {1, -32768}, {2, 0}, {4, 0}, {32767, 0}};
    for (const auto& [var, point] : hostile) {
        SCOPED_TRACE(testing::Message() << var << ", " << point);
        Call("SetData", {I2(var), I2(point), Variant(1.0)});
        Call("SetXData", {I2(var), I2(point), Variant(1.0)});
        if (var != 1) {
            EXPECT_EQ(Read("GetData", var, point), std::make_pair(false, 42.0));
        }
    }
    EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    EXPECT_EQ(Read("GetData", 1, -1), std::make_pair(false, 1e28));
}

// Every change of plot kind repaints, the switch between the two triangular variants (which
// keeps the plot) included; setting the kind the plot already has does not.
TEST_F(MethodsDataTest, EveryKindChangeRepaints) {
    const std::pair<int, bool> steps[] = {{1, true}, {1, false}, {2, true}, {3, true}, {3, false},
                                          {2, true}, {0, true},  {0, false}};
    for (const auto& [type, repaints] : steps) {
        SCOPED_TRACE(type);
        Quiet();
        test::Put(Ctrl(), "PlotType", I2(type));
        EXPECT_EQ(Invalidations() > 0, repaints);
    }
}

TEST_F(MethodsDataTest, WritesPastThePlotsBudgetOfSlotsAreErrors) {
    // Four variables of four slots; room for one of them to grow to 20.
    Plot().SlotBudget = 32;
    Call("SetData", {I2(1), I2(9), Variant(1.0)});
    EXPECT_EQ(Read("GetData", 1, 9), std::make_pair(true, 1.0));
    struct Row {
        const char* set;
        const char* get;
        int var;
    };
    const Row refused[] = {{"SetData", "GetData", 2}, {"SetData", "GetData", 0}, {"SetXData", "GetXData", 1}};
    for (const Row& row : refused) {
        SCOPED_TRACE(testing::Message() << row.set << " " << row.var);
        EXPECT_EQ(ErrorOf(row.set, {I2(row.var), I2(9), Variant(2.0)}).Code(), HResult::InvalidArg);
        EXPECT_FALSE(Read(row.get, row.var, 9).first);
    }
}

TEST_F(MethodsDataTest, IndependentVariablesCountFromOne) {
    test::Put(Ctrl(), "nxvariables", I2(2));
    Call("SetXData", {I2(2), I2(0), Variant(3.0)});
    EXPECT_EQ(Read("GetXData", 2, 0), std::make_pair(true, 3.0));
    EXPECT_EQ(Read("GetXData", 0, 0), std::make_pair(false, 42.0));
    EXPECT_EQ(Read("GetXData", 3, 0), std::make_pair(false, 42.0));

    Call("SetXVariable", {I2(2), I2(2)});
    // An x variable the plot does not have, and a dependent one it does not have, are ignored.
    for (auto [y, x] : std::vector<std::pair<int, int>>{{2, -1}, {2, 3}, {4, 1}}) Call("SetXVariable", {I2(y), I2(x)});
    EXPECT_EQ(Call("GetXVariable", {I2(2)}).ToI2(), 2);
    EXPECT_EQ(Call("GetXVariable", {I2(4)}).ToI2(), 0);
    for (const AutomationError& e : {ErrorOf("SetXVariable", {I2(0), I2(1)}), ErrorOf("GetXVariable", {I2(-1)})}) {
        EXPECT_EQ(e.Code(), HResult::InvalidArg);
        EXPECT_NE(e.Message().find("Yvarno"), std::string::npos) << e.Message();
    }
}

TEST_F(MethodsDataTest, NamingAVariableTwiceSwapsTheTwoAndReportsBoth) {
    Call("SetData", {I2(1), I2(0), Variant(10.0)});
    Call("SetData", {I2(3), I2(0), Variant(30.0)});
    Call("SetVariable", {I2(0), Variant("X")});
    ASSERT_EQ(sink->Count("VariableChanged"), 1u);
    EXPECT_EQ(sink->Last("VariableChanged")->args[2].ToI2(), 2);

    struct Case {
        const char* entry2;   // what entry 2 holds before the swap
        std::size_t events;
    };
    for (const Case c : {Case{"", 1}, Case{"Y", 2}}) {
        SCOPED_TRACE(c.entry2);
        Call("SetVariable", {I2(2), Variant(c.entry2)});
        Quiet();
        Call("SetVariable", {I2(2), Variant("X")});
        const auto& events = sink->Events();
        ASSERT_EQ(events.size(), c.events);
        EXPECT_EQ(events[0].args, (std::vector<Variant>{I2(2), Variant("X"), I2(0)}));
        if (c.events == 2) {
            EXPECT_EQ(events[1].args, (std::vector<Variant>{I2(0), Variant("Y"), I2(0)}));
        }
        EXPECT_EQ(Call("GetVariable", {I2(0)}).ToString(), c.entry2);
        EXPECT_EQ(Call("GetVariable", {I2(2)}).ToString(), "X");
        // Put X back on entry 0 for the next case.
        Call("SetVariable", {I2(0), Variant("X")});
    }
    // The plot variables moved with their names (two swaps there, two back).
    EXPECT_EQ(Read("GetData", 1, 0).second, 10.0);
    Call("SetVariable", {I2(2), Variant("X")});
    EXPECT_EQ(Read("GetData", 3, 0).second, 10.0);
    EXPECT_EQ(Read("GetData", 1, 0).second, 30.0);
}

TEST_F(MethodsDataTest, ApplyingNamesRebuildsAndClearsTheYLabelOnlyWhenNoneIsSet) {
    for (bool named : {false, true}) {
        SCOPED_TRACE(named);
        Call("SetVariable", {I2(1), Variant(named ? "Flow" : "")});
        Call("SetLabel", {I2(1), Variant("Pressure")});
        Quiet();
        Call("SetVariable", {I2(-1), Variant("")});
        EXPECT_EQ(sink->Count("ApplyVariableChanges"), 1u);
        EXPECT_EQ(Call("GetLabel", {I2(1)}).ToString(), named ? "Pressure" : "");
        EXPECT_GT(Invalidations(), 0u);
    }
}

TEST_F(MethodsDataTest, RemovingANameReportsItsIndexAndEmptiesTheEntry) {
    Call("SetVariable", {I2(1), Variant("A")});
    Quiet();
    Call("SetVariable", {I2(-2), Variant("A")});
    Call("SetVariable", {I2(-32768), Variant("B")});
    ASSERT_EQ(sink->Count("VariableChanged"), 2u);
    EXPECT_EQ(sink->Events()[0].args, (std::vector<Variant>{I2(1), Variant("A"), I2(1)}));
    EXPECT_EQ(sink->Events()[1].args[0].ToI2(), 32767);
    EXPECT_EQ(Call("GetVariable", {I2(1)}).ToString(), "");
    EXPECT_EQ(Call("GetVariable", {I2(-1)}).ToString(), "");
    EXPECT_EQ(Call("GetVariable", {I2(99)}).ToString(), "");
}

TEST_F(MethodsDataTest, MovingAndDeletingKeepNamesAndDataInStep) {
    Call("SetVariable", {I2(0), Variant("A")});
    Call("SetData", {I2(1), I2(0), Variant(1.0)});
    Call("MoveVariable", {I2(0), I2(2)});
    EXPECT_EQ(Call("GetVariable", {I2(2)}).ToString(), "A");
    EXPECT_EQ(Call("GetVariable", {I2(0)}).ToString(), "");
    EXPECT_EQ(Read("GetData", 3, 0).second, 1.0);
    // Out of range, and onto itself: nothing moves and nothing is cleared.
    const std::string before = test::Fingerprint(Ctrl());
    for (auto [from, to] : std::vector<std::pair<int, int>>{{-1, 0}, {0, 3}, {2, 2}}) {
        Call("MoveVariable", {I2(from), I2(to)});
    }
    Call("DeleteVariable", {I2(3)});
    EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    Call("DeleteVariable", {I2(2)});
    EXPECT_EQ(Call("GetVariable", {I2(2)}).ToString(), "");
    EXPECT_EQ(Read("GetData", 3, 0).second, 1e28);
}

TEST_F(MethodsDataTest, PhaseModeReturnsToARunPlotOnlyWhenItWasOn) {
    Call("SetData", {I2(1), I2(0), Variant(2.0)});
    Call("SetPhasePlot", {Variant(false)});
    EXPECT_FALSE(test::Get(Ctrl(), "RunPlot").ToBool());
    EXPECT_EQ(Read("GetData", 1, 0).second, 2.0) << "an XY plot keeps its data";

    test::Put(Ctrl(), "RunPlot", Variant(true));
    Call("SetPhasePlot", {Variant(true)});
    EXPECT_TRUE(Call("GetPhasePlot").ToBool());
    EXPECT_FALSE(test::Get(Ctrl(), "RunPlot").ToBool());
    EXPECT_EQ(Plot().PhasePlot, 1);
    Call("SetPhasePlot", {Variant(false)});
    EXPECT_TRUE(test::Get(Ctrl(), "RunPlot").ToBool());
    EXPECT_EQ(Plot().RunPlot, 1);
}

TEST_F(MethodsDataTest, FirePhasePlotReportsTheVariableBeforeStoringIt) {
    struct Probe : IEventSink {
        CVortigaCtrl* ctrl = nullptr;
        std::string seen = "-";
        void OnEvent(DispId id, const std::string&, const std::vector<Variant>&) override {
            if (id == static_cast<DispId>(EventId::PhaseVariableSet)) seen = ctrl->GetPhaseXVariable();
        }
    };
    auto probe = std::make_shared<Probe>();
    probe->ctrl = &Ctrl();
    Ctrl().Events().Advise(probe);
    Call("FirePhasePlot", {Variant("Time")});
    EXPECT_EQ(probe->seen, "");
    EXPECT_EQ(sink->Last("PhaseVariableSet")->args, std::vector<Variant>{Variant("Time")});
    EXPECT_EQ(Call("GetPhaseXVariable").ToString(), "Time");
    EXPECT_TRUE(Call("GetPhasePlot").ToBool());
    Call("FirePhasePlot", {Variant("")});
    EXPECT_FALSE(Call("GetPhasePlot").ToBool());
    EXPECT_TRUE(test::Get(Ctrl(), "RunPlot").ToBool());
}

TEST_F(MethodsDataTest, WrongCallsAreAnsweredWithClearErrors) {
    struct Case {
        const char* name;
        std::vector<Variant> args;
        HResult code;
        const char* says;
    };
    const std::vector<Case> cases{
        {"SetData", {I2(1), I2(0)}, HResult::BadParamCount, "SetData expects 3 arguments, got 2"},
        {"Redraw", {I2(1)}, HResult::BadParamCount, "Redraw expects 0 arguments, got 1"},
        {"SetData", {I2(1), Variant("many"), Variant(1.0)}, HResult::TypeMismatch, "parameter DataNo"},
        {"SetLegend", {Variant(1e9), Variant("x")}, HResult::TypeMismatch, "parameter VarNo"},
        {"SetDatum", {}, HResult::UnknownName, "SetDatum"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const AutomationError e = ErrorOf(c.name, c.args);
        EXPECT_EQ(HResultName(e.Code()), HResultName(c.code));
        EXPECT_NE(e.Message().find(c.says), std::string::npos) << e.Message();
    }
}

}  // namespace
}  // namespace vtg
