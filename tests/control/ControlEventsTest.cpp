// The event interface: every event with its DISPID, name and parameter types, and firing that
// delivers exactly those types to every connected sink.
#include <gtest/gtest.h>

#include <set>

#include "ControlTestSupport.h"

namespace vtg {
namespace {

TEST(EventTableTest, ThirtyFourEventsInDispidOrder) {
    const auto& table = EventTable();
    ASSERT_EQ(table.size(), static_cast<std::size_t>(kEventCount));
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(static_cast<DispId>(table[i].id), static_cast<DispId>(i + 1));
        names.insert(table[i].name);
        EXPECT_EQ(FindEvent(table[i].name), &table[i]);
    }
    EXPECT_EQ(names.size(), table.size());
    EXPECT_EQ(FindEvent("nosuchevent"), nullptr);
    EXPECT_EQ(FindEvent("plotdrawn")->id, EventId::PlotDrawn);

    struct Row {
        EventId id;
        std::vector<VarType> types;
    };
    const VarType I2 = VarType::I2, I4 = VarType::I4, R8 = VarType::R8, S = VarType::Bstr;
    for (const Row& r : {Row{EventId::Selected, {I2}}, Row{EventId::VariableChanged, {I2, S, I2}},
                         Row{EventId::OnClick, {R8, R8, I2, I2, I2, I2}}, Row{EventId::KeyDown, {I4, I4}},
                         Row{EventId::ZoomDone, {VarType::R4}}, Row{EventId::Modified, {}},
                         Row{EventId::FlippedFlagChanged, {VarType::Bool}}}) {
        const EventInfo& e = EventInfoOf(r.id);
        std::vector<VarType> types;
        for (const ParamInfo& p : e.params) types.push_back(p.type);
        EXPECT_EQ(types, r.types) << e.name;
    }
}

TEST(ControlEventsTest, FiringConvertsToTheDeclaredTypesForEverySink) {
    CVortigaCtrl c;
    auto first = std::make_shared<RecordingSink>();
    auto second = std::make_shared<RecordingSink>();
    c.Events().Advise(first);
    c.Events().Advise(second);
    c.FireEvent(EventId::OnClick, {Variant(1), Variant(2.5f), Variant(3), Variant(4.0), Variant(std::int16_t{5}),
                                   Variant(0)});
    for (const auto& sink : {first, second}) {
        const auto* e = sink->Last("OnClick");
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->id, 14);
        EXPECT_EQ(e->args[0].Type(), VarType::R8);
        EXPECT_EQ(e->args[2].Type(), VarType::I2);
        EXPECT_EQ(e->args[3].ToI2(), 4);
    }
    EXPECT_THROW(c.FireEvent(EventId::Selected, {}), std::logic_error);
}

}  // namespace
}  // namespace vtg
