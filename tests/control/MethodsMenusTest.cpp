// The popup-menu bridge through the dispatch interface: walking the plot menu, running its
// commands, enabling and checking.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "control/HostServices.h"
#include "platform/ProgIdRegistry.h"
#include "plot/CPlotMenu.h"
#include "res/PlotMenus.h"
#include "MethodsTestSupport.h"

namespace vtg::test {
namespace {

namespace M = MenuCommand;

struct Entry {
    int code;
    int id;
    std::string text;
};

// A dialog server whose message box gives a fixed answer.
struct MessageBoxServer {
    int answer = IDOK;
    int asked = 0;
    ScopedProgId server{std::string(kDialogServerProgId), [this] {
                            auto d = std::make_shared<DispatchObject>();
                            d->AddMethod("MessageBox", [this](std::vector<Variant>&) {
                                ++asked;
                                return Variant(static_cast<std::int32_t>(answer));
                            });
                            return std::shared_ptr<IDispatch>(d);
                        }};
};

struct MenusTest : MethodsFixture, testing::Test {
    MenusTest() { ResetResourceStringCache(); }

    // The whole plot menu as GetMenuItem hands it out, from a new walk to its end.
    std::vector<Entry> Walk() {
        std::vector<Entry> entries;
        Variant code{std::int16_t{0}};
        Variant id{std::int16_t{0}};
        for (int guard = 0; guard < 100; ++guard) {
            const std::string text = Call("GetMenuItem", {Variant::Ref(code), Variant::Ref(id)}).ToString();
            entries.push_back({code.ToI4(), id.ToI4(), text});
            if (code.ToI4() == 0) break;
        }
        return entries;
    }
    int SequenceOf(const std::vector<Entry>& entries, const std::string& text) {
        for (const Entry& e : entries) {
            if (e.code == 1 && e.text == text) return e.id;
        }
        return -1;
    }
    void Invoke(int id) { Call("InvokeMenuItem", {Variant(static_cast<std::int32_t>(id))}); }
    // (enabled, checked) as CheckMenuItem answers.
    std::pair<bool, int> Checked(int command) {
        Variant check{std::int16_t{7}};
        const bool enabled = Call("CheckMenuItem", {Variant(static_cast<std::int32_t>(command)), Variant::Ref(check)})
                                 .ToBool();
        return {enabled, check.ToI4()};
    }
    double Level() { return Get(Ctrl(), "ZoomLevel").ToR8(); }
};

TEST_F(MenusTest, HostListsTheDrawingRegionsMenuAndInvokesItsEntries) {
    const std::vector<Entry> entries = Walk();
    ASSERT_EQ(entries.size(), 13u);
    EXPECT_EQ(entries[4].code, -1);
    EXPECT_EQ(entries[11].text, "&Copy\tCtrl+C");
    EXPECT_EQ(entries[11].code, 1);
    EXPECT_EQ(entries[11].id, 12);
    EXPECT_EQ(entries[12].code, 0);

    // The entry chosen is named by its sequence number.
    Call("Zoom", {I2(1)});
    ASSERT_GT(Level(), 1.0);
    Invoke(SequenceOf(entries, "Zoom &Full\tHome"));
    EXPECT_EQ(Level(), 1.0);
    // While a walk stands, a command id is no sequence number: nothing runs.
    Call("Zoom", {I2(1)});
    Invoke(M::ZoomFull);
    EXPECT_GT(Level(), 1.0);
}

TEST_F(MenusTest, WithoutAWalkCommandsRunByIdAndToggleLegendAndTracker) {
    // A walk that was never started is at its end.
    Variant code{std::int16_t{5}};
    Variant id{std::int16_t{3}};
    EXPECT_EQ(Call("GetMenuItem", {Variant::Ref(code), Variant::Ref(id)}).ToString(), "");
    EXPECT_EQ(code.ToI4(), 0);

    Call("Zoom", {I2(1)});
    Invoke(M::ZoomFull);
    EXPECT_EQ(Level(), 1.0);

    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        const bool on = round == 1;
        Invoke(M::ShowLegend);
        EXPECT_EQ(Plot().ShowLegend == 1, on);
        EXPECT_EQ(Get(Ctrl(), "ShowLegend").ToBool(), on);
        EXPECT_EQ(Checked(M::ShowLegend), std::make_pair(true, on ? 1 : 0));
        Invoke(M::ShowTracker);
        EXPECT_EQ(Plot().ShowTracker != 0, on);
        EXPECT_EQ(Checked(M::ShowTracker), std::make_pair(true, on ? 1 : 0));
    }
    // A run plot's legend item is off while the legend is hidden.
    Put(Ctrl(), "RunPlot", Variant(true));
    EXPECT_EQ(Checked(M::ShowLegend), std::make_pair(false, 0));
    EXPECT_EQ(Checked(M::Paste), std::make_pair(false, 0));
}

TEST_F(MenusTest, CommandsNotBuiltYetSaySoAndEventCommandsFire) {
    const std::vector<std::pair<int, std::string>> pending{
        {M::Copy, "Menu command 32785 (Copy) is not implemented yet: it comes with clipboard"},
        {M::PrintPreview, "Menu command 32800 (Print Preview) is not implemented yet: it comes with print preview"},
        {M::Fill, "Menu command 56089 (Fill) is not implemented yet: it comes with the popup menus"},
    };
    for (const auto& [command, message] : pending) {
        const AutomationError e = ErrorOf("InvokeMenuItem", {Variant(static_cast<std::int32_t>(command))});
        EXPECT_EQ(e.Code(), HResult::NotImpl) << command;
        EXPECT_EQ(e.Message().rfind(message, 0), 0u) << e.Message();
    }
    const std::vector<std::pair<int, std::string>> events{
        {M::EditProfileVariables, "OnEditProfileVariables"}, {M::ShowAsHistory, "OnOnShowasHistory"},
        {M::EditProfileTable, "OnEditProfileTable"},         {M::ResetFromDefinition, "OnResetFormDefinition"},
        {M::TimeRange, "ZoomTimeRange"},                     {M::TimeOnXAxis, "RevertToTimePlot"},
    };
    for (const auto& [command, name] : events) {
        Quiet();
        Invoke(command);
        EXPECT_EQ(sink->Count(name), 1u) << command;
    }
    // An id no menu has does nothing.
    Quiet();
    Invoke(12345);
    EXPECT_TRUE(sink->Events().empty());
}

TEST_F(MenusTest, UpdateMenuEnablesAndChecksTheMenuAndTheWalk) {
    Put(Ctrl(), "EditProfileVariables", Variant(false));   // brings its item, off
    Invoke(M::ShowTracker);
    const std::vector<Entry> entries = Walk();
    const int profile = SequenceOf(entries, "");
    const int tracker = SequenceOf(entries, "Show &Tracker");
    ASSERT_GT(profile, 0);
    EXPECT_TRUE(Call("IsMenuItemEnabled", {I2(profile)}).ToBool());   // nothing updated yet
    Call("UpdateMenu");
    EXPECT_FALSE(Call("IsMenuItemEnabled", {I2(profile)}).ToBool());
    EXPECT_TRUE(Call("IsMenuItemEnabled", {I2(tracker)}).ToBool());
    const Menu& menu = *Plot().MenuPopup(kPlotMenuSlot);
    EXPECT_FALSE(menu.Find(M::EditProfileVariables)->enabled);
    EXPECT_TRUE(menu.Find(M::ShowTracker)->checked);
    // CheckMenuItem knows no rule for the profile command: it answers enabled.
    EXPECT_EQ(Checked(M::EditProfileVariables), std::make_pair(true, 0));
}

TEST_F(MenusTest, DeleteRemovesTheSelectedTextAfterTheUserAgrees) {
    MessageBoxServer box;
    const int id = Call("AddText", {Variant("note"), Variant(0.1f), Variant(0.1f), I2(0), I2(0), Variant(""), I2(0),
                                    I2(0)})
                       .ToI4();
    const Variant clearAsShort{static_cast<std::int16_t>(static_cast<std::uint16_t>(M::Clear))};
    EXPECT_FALSE(Call("IsMenuItemEnabled", {clearAsShort}).ToBool());
    Plot().ActiveObject = Plot().FindObject(id);
    ASSERT_NE(Plot().ActiveObject, nullptr);
    EXPECT_TRUE(Call("IsMenuItemEnabled", {clearAsShort}).ToBool());

    box.answer = 2;   // Cancel
    Invoke(M::Clear);
    EXPECT_EQ(box.asked, 1);
    EXPECT_NE(Plot().FindObject(id), nullptr);

    box.answer = IDOK;
    Quiet();
    Invoke(M::Clear);
    EXPECT_EQ(Plot().FindObject(id), nullptr);
    ASSERT_NE(sink->Last("Selected"), nullptr);
    EXPECT_EQ(sink->Last("Selected")->args[0].ToI4(), 0);
    // Nothing selected: nothing to ask about.
    Invoke(M::Clear);
    EXPECT_EQ(box.asked, 2);
}

TEST_F(MenusTest, TimeStampItemFollowsThePropertyOnEveryPlotKind) {
    const Menu& menu = *Plot().MenuPopup(kPlotMenuSlot);
    auto position = [&menu](int command) {
        for (int i = 0; i < menu.Count(); ++i) {
            if (menu.Items()[static_cast<std::size_t>(i)].command == command) return i;
        }
        return -1;
    };
    Put(Ctrl(), "RunPlot", Variant(true));
    Put(Ctrl(), "AddTimeStamp", Variant(true));
    ASSERT_GE(position(M::AddTimeStamp), 0);
    EXPECT_EQ(position(M::AddTimeStamp) + 1, position(M::EditLegend));
    // Back to an XY plot: the legend item returns, after the time stamp.
    Put(Ctrl(), "RunPlot", Variant(false));
    EXPECT_EQ(position(M::AddTimeStamp) + 1, position(M::ShowLegend));
    EXPECT_EQ(position(M::ShowLegend) + 1, position(M::EditLegend));
    Put(Ctrl(), "AddTimeStamp", Variant(false));
    EXPECT_EQ(position(M::AddTimeStamp), -1);
}

}  // namespace
}  // namespace vtg::test
