// The plot's popup menus: built from their resources, the plot menu following the plot kind,
// and the walker that hands a menu out entry by entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/WindowSite.h"
#include "plot/CPlotMenu.h"
#include "res/PlotMenus.h"
#include "PlotTestSupport.h"

namespace vtg::test {
namespace {

namespace M = MenuCommand;

std::vector<int> Commands(const Menu& menu) {
    std::vector<int> ids;
    for (const MenuItem& item : menu.Items()) ids.push_back(item.separator ? 0 : item.command);
    return ids;
}

int PositionOf(const Menu& menu, int command) {
    const std::vector<int> ids = Commands(menu);
    const auto it = std::find(ids.begin(), ids.end(), command);
    return it == ids.end() ? -1 : static_cast<int>(it - ids.begin());
}

struct PlotMenusTest : PlotFixture, testing::Test {
    PlotMenusTest() {
        host.strings = {{"IDS_PLOTLOOK_MENU_ZOOMINTIMEAXIS", "Zoom In Time"}};
    }
    Menu& PlotMenu() { return *Plot().MenuPopup(kPlotMenuSlot); }
};

TEST_F(PlotMenusTest, EachPlotBuildsItsOwnEightMenus) {
    for (std::size_t slot = 0; slot < kPlotMenuCount; ++slot) {
        EXPECT_EQ(Plot().Menus[slot]->Items().at(0).text, PlotMenuResources()[slot].popup) << slot;
    }
    EXPECT_EQ(Commands(PlotMenu()), (std::vector<int>{M::Redraw, M::ZoomIn, M::ZoomOut, M::ZoomFull, 0, M::AddText,
                                                      M::ShowLegend, M::EditLegend, M::YAxisMap, M::ShowTracker, 0,
                                                      M::Copy}));
    PlotFixture other;
    PlotMenu().Remove(M::Copy);
    EXPECT_NE(other.Plot().MenuPopup(kPlotMenuSlot)->Find(M::Copy), nullptr);
}

TEST_F(PlotMenusTest, PlotMenuFollowsTheRunAndPhaseKinds) {
    Plot().SetRunPlot(true);
    const Menu& menu = PlotMenu();
    EXPECT_EQ(PositionOf(menu, M::ZoomInTimeAxis), 4);
    EXPECT_EQ(PositionOf(menu, M::ZoomOutTimeAxis), 5);
    EXPECT_EQ(PositionOf(menu, M::ShowAsHistory), menu.Count() - 3);
    EXPECT_EQ(PositionOf(menu, M::ShowLegend), -1);
    EXPECT_EQ(menu.Find(M::ZoomInTimeAxis)->text, "Zoom In Time");

    // A phase plot on top: its four entries once, however often it is switched on.
    Plot().SetPhasePlot(true);
    Plot().SetPhasePlot(true);
    for (int id : {M::TimeRange, M::TimeOnXAxis, M::ZoomInXAxis, M::ZoomOutXAxis}) {
        EXPECT_EQ(PositionOf(menu, id), 4 + (id - M::TimeRange)) << id;
    }
    Plot().SetRunPlot(false);
    EXPECT_EQ(Commands(menu), (std::vector<int>{M::Redraw, M::ZoomIn, M::ZoomOut, M::ZoomFull, M::TimeRange,
                                                M::TimeOnXAxis, M::ZoomInXAxis, M::ZoomOutXAxis, 0, M::AddText,
                                                M::ShowLegend, M::EditLegend, M::YAxisMap, M::ShowTracker,
                                                M::ShowAsHistory, 0, M::Copy}));
    // Off again: the history entry stays, everything else is back as it was.
    Plot().SetPhasePlot(false);
    EXPECT_EQ(Commands(menu), (std::vector<int>{M::Redraw, M::ZoomIn, M::ZoomOut, M::ZoomFull, 0, M::AddText,
                                                M::ShowLegend, M::EditLegend, M::YAxisMap, M::ShowTracker,
                                                M::ShowAsHistory, 0, M::Copy}));
    EXPECT_EQ(menu.Find(M::ShowLegend)->text, "Display &Legend");
}

// A menu with a submenu in its popup, for the walker's descent.
Menu NestedMenu(const std::string& longText) {
    auto inner = std::make_shared<Menu>();
    inner->Append(MenuItem::Command(11, "Inner"));
    auto popup = std::make_shared<Menu>();
    popup->Append(MenuItem::Command(10, longText));
    popup->Append(MenuItem::Popup("More", inner));
    popup->Append(MenuItem::Separator());
    popup->Append(MenuItem::Command(12, "Last"));
    Menu menu;
    menu.Append(MenuItem::Popup("Top", popup));
    return menu;
}

struct Step {
    int code;
    std::string text;
    int count;
};

std::vector<Step> Walk(CPlotMenu& walker) {
    std::vector<Step> steps;
    int count = 0;
    for (int guard = 0; guard < 100; ++guard) {
        std::string text = "stale";
        const int code = walker.Next(text, count);
        steps.push_back({code, text, count});
        if (code == CPlotMenu::kEnd) break;
    }
    return steps;
}

TEST_F(PlotMenusTest, WalkerYieldsEveryEntryOfThePlotMenuThenTheEnd) {
    CPlotMenu walker(*Plot().Menus[kPlotMenuSlot]);
    const std::vector<Step> steps = Walk(walker);
    ASSERT_EQ(steps.size(), 13u);
    EXPECT_EQ(steps[4].code, CPlotMenu::kSeparator);
    EXPECT_EQ(steps[10].code, CPlotMenu::kSeparator);
    EXPECT_EQ(steps[11].code, CPlotMenu::kCommand);
    EXPECT_EQ(steps[11].text, "&Copy\tCtrl+C");
    EXPECT_EQ(steps[11].count, 12);
    EXPECT_EQ(steps[12].code, CPlotMenu::kEnd);
    EXPECT_EQ(steps[12].count, 12);
    EXPECT_EQ(walker.CommandOf(12), M::Copy);
    EXPECT_EQ(walker.CommandOf(5), 0);   // a separator records nothing
    EXPECT_EQ(walker.Items().size(), 10u);
}

TEST_F(PlotMenusTest, WalkerDescendsIntoSubmenusAndComesBackAfterThem) {
    CPlotMenu walker(NestedMenu("First"));
    const std::vector<Step> steps = Walk(walker);
    std::vector<int> codes;
    std::vector<int> counts;
    for (const Step& s : steps) {
        codes.push_back(s.code);
        counts.push_back(s.count);
    }
    EXPECT_EQ(codes, (std::vector<int>{1, -2, 1, -3, -1, 1, 0}));
    EXPECT_EQ(counts, (std::vector<int>{1, 2, 3, 3, 4, 5, 5}));
    EXPECT_EQ(steps[1].text, "More");
    EXPECT_EQ(walker.CommandOf(3), 11);
    EXPECT_EQ(walker.CommandOf(5), 12);
}

TEST_F(PlotMenusTest, WalkerCutsLongTextsBetweenCharactersAndKeepsStates) {
    // 1023 ASCII bytes then a three-byte character: the cut may not split it.
    const std::string euro = "\xE2\x82\xAC";
    CPlotMenu walker(NestedMenu(std::string(1023, 'a') + euro + "tail"));
    std::string text;
    int count = 0;
    ASSERT_EQ(walker.Next(text, count), CPlotMenu::kCommand);
    EXPECT_EQ(text, std::string(1023, 'a'));
    EXPECT_EQ(CutUtf8(std::string(1021, 'a') + euro, 1024), std::string(1021, 'a') + euro);

    Walk(walker);
    walker.SetState(12, 0);
    EXPECT_EQ(walker.StateOf(5), 0);
    EXPECT_EQ(walker.StateOf(1), 1);
    EXPECT_EQ(walker.StateOf(99), 0);
}

TEST_F(PlotMenusTest, WalkerOutlivesChangesOfTheMenuItWalks) {
    auto walker = std::make_unique<CPlotMenu>(*Plot().Menus[kPlotMenuSlot]);
    std::string text;
    int count = 0;
    walker->Next(text, count);
    PlotMenu().RemoveAt(0);
    Plot().BuildMenus();   // the old menus are gone from the plot
    int codes = 0;
    while (walker->Next(text, count) != CPlotMenu::kEnd && codes < 100) ++codes;
    EXPECT_EQ(codes, 10);   // the old popup, one entry shorter, walked from where it was
}

}  // namespace
}  // namespace vtg::test
