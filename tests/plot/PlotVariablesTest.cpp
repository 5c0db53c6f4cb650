// Counts, order and visibility of the plot's variables, and what a removal takes with it.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "objects/CPlotObj.h"
#include "platform/Automation.h"
#include "axes/PlotValues.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

using test::PlotFixture;

struct VariablesTest : PlotFixture, testing::Test {};

TEST_F(VariablesTest, CountsZeroAndOneLeaveOneVariable) {
    CPlotLook& p = Plot();
    EXPECT_FALSE(p.SetVariableCount(1));
    EXPECT_EQ(p.DependentCount(), 1);
    p.SetVariableCount(4);
    EXPECT_TRUE(p.SetVariableCount(0));
    EXPECT_EQ(p.DependentCount(), 1);
    EXPECT_EQ(p.LabelsDirty, 1);
    EXPECT_THROW(p.SetVariableCount(-1), AutomationError);
    EXPECT_EQ(p.DependentCount(), 1);
}

TEST_F(VariablesTest, NewVariablesTakeTheDefaultsOfTheirPosition) {
    host.props.npoints = 20;
    CPlotLook& p = Plot();
    p.SetVariableCount(12);
    struct Row {
        int position;
        int color;
        int marker;
    };
    for (const Row& r : {Row{1, 2, 2}, Row{2, 3, 3}, Row{5, 6, 6}, Row{6, 1, 7}, Row{10, 5, 1}, Row{11, 6, 2}}) {
        SCOPED_TRACE(r.position);
        const CPlotVar& v = *p.YVar(r.position);
        EXPECT_EQ(v.Color, r.color);
        EXPECT_EQ(v.Marker, r.marker);
        EXPECT_EQ(v.AxisMap, 1);
        EXPECT_EQ(v.LabelIndex, r.position + 1);
        EXPECT_EQ(v.PenWidth, 3);
        EXPECT_EQ(v.DisplayMode, -1);
        EXPECT_EQ(v.Capacity(), 20u);
        EXPECT_EQ(v.XVarIndex, 1);
    }
    EXPECT_EQ(p.Objects.size(), 12u);
    EXPECT_EQ(p.Objects[11]->YVarIndex, 11);
}

TEST_F(VariablesTest, BarGraphVariablesTakeTheBarColoursInTurn) {
    CPlotLook& p = Plot();
    p.SetPlotType(1);
    p.SetVariableCount(8);
    const std::vector<int> expected{9, 10, 12, 13, 7, 11, 9, 10};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(p.YVar(i)->Marker, expected[static_cast<std::size_t>(i)]) << i;
}

TEST_F(VariablesTest, OnRunPlotsNewVariablesAreNamedThroughTheirLegend) {
    host.props.RunPlot = true;
    host.props.BufferSize = 16;
    Rebuild();
    CPlotLook& p = Plot();
    EXPECT_TRUE(p.SetVariableCount(3));
    EXPECT_EQ(p.YVar(1)->Label.Text, "Var. 2");
    EXPECT_EQ(p.YVar(2)->Label.Text, "Var. 3");
    EXPECT_TRUE(p.YVar(2)->IsCircular());
    EXPECT_EQ(p.YVar(2)->Capacity(), 16u);
    EXPECT_EQ(p.LayoutDirty, 1);
}

TEST_F(VariablesTest, CountsWhoseValuesCannotFitAreRefusedAsAWhole) {
    host.props.npoints = 32767;
    CPlotLook& p = Plot();
    p.SetPointCount(32767);
    EXPECT_THROW(p.SetVariableCount(32767), AutomationError);
    EXPECT_EQ(p.DependentCount(), 1);
    EXPECT_EQ(p.Objects.size(), 1u);
    EXPECT_THROW(p.SetXVariableCount(32767), AutomationError);
    EXPECT_EQ(p.IndependentCount(), 1);
}

TEST_F(VariablesTest, PointCountsResizeEveryVariableButNotRings) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetPointCount(50);
    EXPECT_EQ(p.XVar(0)->Capacity(), 50u);
    EXPECT_EQ(p.YVar(1)->Capacity(), 50u);
    p.SetPointCount(-5);
    EXPECT_EQ(p.YVar(1)->Capacity(), 50u);
    EXPECT_THROW(p.SetPointCount(30'000'000), AutomationError);
    EXPECT_EQ(p.YVar(1)->Capacity(), 50u);

    p.SetRunPlot(true);
    p.SetPointCount(7);
    EXPECT_EQ(p.YVar(1)->Capacity(), 2000u);
}

TEST_F(VariablesTest, ShrinkingTheIndependentVariablesLeavesNoIndexBehind) {
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    p.SetXVariableCount(3);
    ASSERT_EQ(p.IndependentCount(), 3);
    p.YVar(1)->XVarIndex = 3;
    p.YVar(2)->XVarIndex = 2;
    p.Objects[1]->XVarIndex = 2;
    p.SetXVariableCount(1);
    EXPECT_EQ(p.IndependentCount(), 1);
    for (int i = 0; i < 3; ++i) EXPECT_LE(p.YVar(i)->XVarIndex, 1) << i;
    EXPECT_EQ(p.Objects[1]->XVarIndex, -1);
    EXPECT_THROW(p.SetXVariableCount(-2), AutomationError);
}

TEST_F(VariablesTest, AssigningIndependentVariablesCountsAlongThem) {
    CPlotLook& p = Plot();
    p.SetVariableCount(4);
    for (int i = 0; i < 4; ++i) p.YVar(i)->XVarIndex = 0;
    p.SetXVariableCount(3);
    std::vector<int> got;
    for (int i = 0; i < 4; ++i) got.push_back(p.YVar(i)->XVarIndex);
    EXPECT_EQ(got, (std::vector<int>{1, 2, 3, 3}));
}

TEST_F(VariablesTest, RemovingTheLastVariableOfAnAxisDeletesTheAxis) {
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    p.SetAxisMap(1, 2);
    p.SetAxisMap(2, 3);
    ASSERT_EQ(p.YAxisCount(), 3);
    CPlotAxisRgn* third = p.YAxisRgns[2].get();
    const CPlotLabel* goneCaption = &p.YAxisRgns[1]->Label;
    p.Selection = p.YAxisRgns[1].get();
    p.TrackedVar = 2;

    p.RemoveVariable(1);
    EXPECT_EQ(p.DependentCount(), 2);
    ASSERT_EQ(p.YAxisCount(), 2);
    EXPECT_EQ(p.YAxisRgns[1].get(), third);
    EXPECT_EQ(third->AxisIndex, 2);
    EXPECT_EQ(p.YVar(1)->AxisMap, 2);
    EXPECT_EQ(p.Selection, nullptr);
    EXPECT_EQ(p.TrackedVar, -1);
    for (const auto& label : p.YLabelRgns) EXPECT_NE(label->Caption, goneCaption);
    EXPECT_EQ(std::count(p.Regions.begin(), p.Regions.end(), nullptr), 0);
    // The removed variable's line object went with it; the later one moved down.
    ASSERT_EQ(p.Objects.size(), 2u);
    EXPECT_EQ(p.Objects[1]->YVarIndex, 1);
    EXPECT_THROW(p.RemoveVariable(5), AutomationError);
    EXPECT_THROW(p.RemoveVariable(-1), AutomationError);
}

TEST_F(VariablesTest, RemovingAVariableUnbindsTheCaptionShowingItsLegend) {
    host.props.RunPlot = true;
    Rebuild();
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.YVar(1)->Label.Text = "second";
    p.YLabelRgns[0]->Caption = &p.YVar(1)->Label;
    p.ActiveObject = p.Objects[1].get();
    p.RemoveVariable(1);
    EXPECT_EQ(p.YLabelRgns[0]->Caption, nullptr);
    EXPECT_EQ(p.YLabelRgns[0]->Text(), "");
    EXPECT_EQ(p.ActiveObject, nullptr);
    EXPECT_EQ(p.LabelsDirty, 1);
}

// What removing variables changes, in a form two plots can be compared by.
std::string RemovalShape(CPlotLook& p) {
    std::ostringstream out;
    for (int i = 0; i < p.DependentCount(); ++i) out << "var " << p.YVar(i)->Color << "/" << p.YVar(i)->AxisMap << "\n";
    for (const auto& axis : p.YAxisRgns) out << "axis " << axis->Label.Text << " #" << axis->AxisIndex << "\n";
    for (const auto& caption : p.YLabelRgns) out << "caption " << (caption->Caption ? caption->Text() : "-") << "\n";
    for (const auto& object : p.Objects) out << "object " << object->Id << " -> " << object->YVarIndex << "\n";
    out << "labels dirty " << p.LabelsDirty << ", tracked " << p.TrackedVar;
    return out.str();
}

TEST_F(VariablesTest, DroppingManyVariablesAtOnceEndsAsRemovingThemOneByOne) {
    struct Row {
        std::vector<int> axes;                  // per variable
        int kept;
    };
    const Row rows[] = {
        {{1, 2, 3, 2, 4, 1, 5, 3}, 3},          // axes 4 and 5 go, 2 and 3 stay
        {{2, 2, 3, 3, 1, 1}, 2},                 // the last user of axis 3 goes last
        {{1, 3, 2, 4, 4, 2}, 1},                 // every axis but the first goes
        {{1, 2, 3}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.axes.size() << " -> " << row.kept);
        PlotFixture one;
        PlotFixture all;
        for (PlotFixture* f : {&one, &all}) {
            CPlotLook& p = f->Plot();
            p.SetVariableCount(static_cast<int>(row.axes.size()));
            for (std::size_t i = 0; i < row.axes.size(); ++i) p.SetAxisMap(static_cast<int>(i), row.axes[i]);
            p.RebuildYLabels();
            for (std::size_t k = 0; k < p.YAxisRgns.size(); ++k) p.YAxisRgns[k]->Label.Text = "Y" + std::to_string(k);
            p.YLabelRgns.back()->Caption = &p.YVars.back()->Label;
            p.YVars.back()->Label.Text = "last";
            p.LabelsDirty = 0;
            p.TrackedVar = 0;
            f->host.contentDeleted = 0;
        }
        // A count of 0 keeps one variable; the last one goes by itself.
        const int trimmed = std::max(row.kept, 1);
        for (int k = static_cast<int>(row.axes.size()); k > trimmed; --k) one.Plot().RemoveVariable(trimmed);
        const int axes = all.Plot().YAxisCount();
        all.Plot().SetVariableCount(row.kept);
        // The host hears of it once, and once for every axis that went.
        EXPECT_EQ(all.host.contentDeleted, 1 + axes - all.Plot().YAxisCount());
        for (PlotFixture* f : {&one, &all}) {
            if (row.kept == 0) f->Plot().RemoveVariable(0);
        }
        EXPECT_EQ(RemovalShape(all.Plot()), RemovalShape(one.Plot()));
    }
}

TEST_F(VariablesTest, TheOnlyYAxisStaysWhenItsVariablesGo) {
    CPlotLook& p = Plot();
    p.RemoveVariable(0);
    EXPECT_EQ(p.DependentCount(), 0);
    EXPECT_EQ(p.YAxisCount(), 1);
    p.SetVariableCount(1);
    EXPECT_EQ(p.DependentCount(), 1);
}

TEST_F(VariablesTest, MoveClearsTheTargetAndSwapOnlyExchanges) {
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    p.SetAxisMap(2, 2);
    CPlotVar* a = p.YVar(0);
    CPlotVar* c = p.YVar(2);
    p.SetData(1, 0, 1.0);
    p.SetData(3, 0, 3.0);
    p.YVar(2)->Label.Text = "third";

    p.MoveVariable(0, 2);
    EXPECT_EQ(p.YVar(2), a);
    EXPECT_EQ(p.YVar(0), c);
    EXPECT_EQ(a->AxisMap, 2);
    EXPECT_EQ(c->AxisMap, 1);
    EXPECT_EQ(c->GetValue(0).value, kMissingValue);
    EXPECT_TRUE(c->Label.Text.empty());
    EXPECT_DOUBLE_EQ(a->GetValue(0).value, 1.0);

    p.MoveVariable(5, 0);
    p.MoveVariable(0, 3);
    EXPECT_EQ(p.YVar(0), c);

    p.SetData(2, 0, 9.0);
    p.MoveVariable(-1, 1);
    EXPECT_EQ(p.YVar(1)->GetValue(0).value, kMissingValue);

    p.SwapVariables(0, 2);
    EXPECT_EQ(p.YVar(0), a);
    EXPECT_EQ(a->AxisMap, 2);
    p.SwapVariables(0, 7);
    EXPECT_EQ(p.YVar(0), a);
    EXPECT_THROW(p.SwapVariables(-1, 0), AutomationError);
}

TEST_F(VariablesTest, HidingAVariableHidesTheCaptionThatShowsIt) {
    CPlotLook& p = Plot();
    p.SetHidden(0, 1);
    EXPECT_EQ(p.YVar(0)->Hidden, 1);
    EXPECT_EQ(p.YLabelRgns[0]->Hidden, 1);
    p.YVar(0)->LabelIndex = 9;
    p.SetHidden(0, 0);
    EXPECT_EQ(p.YVar(0)->Hidden, 0);
    EXPECT_EQ(p.YLabelRgns[0]->Hidden, 1);
    p.SetHidden(4, 1);
}

TEST_F(VariablesTest, DataGoToTheIndependentOrTheNumberedVariable) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetXVariableCount(2);
    EXPECT_TRUE(p.SetData(0, 0, 1.5));
    EXPECT_TRUE(p.SetData(2, 3, 2.5));
    EXPECT_TRUE(p.SetXData(2, 1, 3.5));
    EXPECT_DOUBLE_EQ(p.XVar(0)->GetValue(0).value, 1.5);
    EXPECT_DOUBLE_EQ(p.YVar(1)->GetValue(3).value, 2.5);
    EXPECT_DOUBLE_EQ(p.XVar(1)->GetValue(1).value, 3.5);
    EXPECT_EQ(p.RefitDirty, 1);
    for (int index : {-1, 3, 300}) EXPECT_FALSE(p.SetData(index, 0, 1.0)) << index;
    EXPECT_FALSE(p.SetData(1, -1, 1.0));
    EXPECT_FALSE(p.SetXData(0, 0, 1.0));
    EXPECT_FALSE(p.SetXData(3, 0, 1.0));
}

// A variable grows to ten slots past a point written beyond its end, but never takes the
// plot past its budget of value slots; slots the plot gives up count as free again.
TEST_F(VariablesTest, WritesThatWouldPassTheSlotBudgetStoreNothing) {
    CPlotLook& p = Plot();
    p.SetVariableCount(3);
    p.SetPointCount(10);                        // four variables of 10 slots
    p.SlotBudget = 100;
    auto capacities = [&p] {
        std::vector<std::uint32_t> c{p.XVar(0)->Capacity()};
        for (int i = 0; i < p.DependentCount(); ++i) c.push_back(p.YVar(i)->Capacity());
        return c;
    };
    struct Row {
        int index;                               // as SetData numbers them; -1 SetXData(1)
        std::int64_t point;
        bool stored;
    };
    const Row rows[] = {
        {1, 9, true},                            // no growth
        {1, 40, true},                           // 10 -> 50 slots: 80 in all
        {2, 20, true},                           // 10 -> 30: exactly 100
        {3, 10, false},                          // one more slot would pass the budget
        {0, 10, false},
        {-1, 10, false},
        {2, 29, true},                           // within what it holds
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.index << " @ " << row.point);
        const std::vector<std::uint32_t> before = capacities();
        auto write = [&] {
            return row.index < 0 ? p.SetXData(1, row.point, 7.0) : p.SetData(row.index, row.point, 7.0);
        };
        if (row.stored) {
            EXPECT_TRUE(write());
        } else {
            EXPECT_THROW(write(), AutomationError);
            EXPECT_EQ(capacities(), before);
        }
    }
    EXPECT_DOUBLE_EQ(p.YVar(0)->GetValue(40).value, 7.0);
    EXPECT_EQ(p.YVar(2)->GetValue(9).value, kMissingValue);
    // The removed variable's slots are free again: exactly enough for X to grow to 20.
    p.SetVariableCount(2);
    EXPECT_TRUE(p.SetData(0, 10, 1.0));
    EXPECT_THROW(p.SetData(1, 50, 1.0), AutomationError);
}

TEST_F(VariablesTest, ManyVariablesWrittenFarOutStopAtTheBudget) {
    CPlotLook& p = Plot();
    p.SetVariableCount(40);
    p.SlotBudget = 1000;
    int refused = 0;
    for (int v = 1; v <= 40; ++v) {
        try {
            p.SetData(v, 90, 1.0);              // grows to 100 slots
        } catch (const AutomationError&) {
            ++refused;
        }
    }
    std::uint64_t total = p.XVar(0)->Capacity();
    for (int i = 0; i < p.DependentCount(); ++i) total += p.YVar(i)->Capacity();
    EXPECT_EQ(total, 1000u);                    // ten variables of 100 slots
    EXPECT_EQ(refused, 30);
}

TEST_F(VariablesTest, NamingAVariableFillsItsMapCaptionOnce) {
    CPlotLook& p = Plot();
    p.NameVariable(0, "FIC101.PV");
    EXPECT_EQ(p.YVar(0)->Name, "FIC101.PV");
    EXPECT_EQ(p.YVar(0)->MapCaption, "FIC101.PV");
    p.NameVariable(0, "TIC7.PV");
    EXPECT_EQ(p.YVar(0)->Name, "TIC7.PV");
    EXPECT_EQ(p.YVar(0)->MapCaption, "FIC101.PV");
    p.NameVariable(3, "nothing");
}

TEST_F(VariablesTest, ShownLegendsAreLaidOutAgainWhenTheCountChanges) {
    CPlotLook& p = Plot();
    p.ShowLegend = 1;
    p.LegendRgn->Measured = 1;
    p.LayoutDirty = 0;
    EXPECT_TRUE(p.SetVariableCount(1));
    EXPECT_EQ(p.LegendRgn->Measured, 0);
    EXPECT_EQ(p.LayoutDirty, 1);
}

}  // namespace
}  // namespace vtg
