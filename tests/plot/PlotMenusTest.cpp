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
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (ids[i] == command) return static_cast<int>(i);
    }
    return -1;
}

struct PlotMenusTest : PlotFixture, testing::Test {
    PlotMenusTest() {
        host.strings = {{"IDS_PLOTLOOK_MENU_ZOOMINTIMEAXIS", "Zoom In Time"},
                        {"IDS_PLOTLOOK_MENU_TIMERANGE", "Time Range"},
                        {"IDS_PLOTLOOK_MENU_SHOWASHISTORY", "History"}};
    }
    Menu& PlotMenu() { return *Plot().MenuPopup(kPlotMenuSlot); }
};

TEST_F(PlotMenusTest, EverySlotHoldsOnePopupWithItsResourceRows) {
    const auto& resources = PlotMenuResources();
    for (std::size_t slot = 0; slot < kPlotMenuCount; ++slot) {
        SCOPED_TRACE(slot);
        const Menu& menu = *Plot().Menus[slot];
        ASSERT_EQ(menu.Count(), 1);
        EXPECT_EQ(menu.Items()[0].text, resources[slot].popup);
        const Menu& popup = *Plot().MenuPopup(slot);
        ASSERT_EQ(popup.Count(), static_cast<int>(resources[slot].rows.size()));
        for (int i = 0; i < popup.Count(); ++i) {
            const MenuRow& row = resources[slot].rows[static_cast<std::size_t>(i)];
            EXPECT_EQ(popup.Items()[static_cast<std::size_t>(i)].separator, row.command == 0);
            EXPECT_EQ(popup.Items()[static_cast<std::size_t>(i)].command, row.command);
            EXPECT_EQ(popup.Items()[static_cast<std::size_t>(i)].text, row.text);
        }
    }
    EXPECT_EQ(Plot().MenuPopup(kPlotMenuCount), nullptr);
    // The plot menu as the user sees it on an XY plot.
    EXPECT_EQ(Commands(PlotMenu()), (std::vector<int>{M::Redraw, M::ZoomIn, M::ZoomOut, M::ZoomFull, 0, M::AddText,
                                                      M::ShowLegend, M::EditLegend, M::YAxisMap, M::ShowTracker, 0,
                                                      M::Copy}));
    // Each plot has menus of its own: changing one leaves another plot's alone.
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
    EXPECT_GE(host.menuRefreshes, 1);

    // A phase plot on top: its four entries once, however often it is switched on.
    Plot().SetPhasePlot(true);
    Plot().SetPhasePlot(true);
    for (int id : {M::TimeRange, M::TimeOnXAxis, M::ZoomInXAxis, M::ZoomOutXAxis}) {
        EXPECT_EQ(PositionOf(menu, id), 4 + (id - M::TimeRange)) << id;
    }
    EXPECT_EQ(menu.Find(M::TimeRange)->text, "Time Range");
    Plot().SetRunPlot(false);
    EXPECT_EQ(PositionOf(menu, M::ZoomInTimeAxis), -1);
    EXPECT_EQ(PositionOf(menu, M::ZoomOutTimeAxis), -1);
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

TEST_F(PlotMenusTest, RunPlotFromTheControlsPropertiesHasItsMenuFromTheStart) {
    host.props.RunPlot = true;
    Rebuild();
    const Menu& menu = PlotMenu();
    EXPECT_EQ(PositionOf(menu, M::ZoomInTimeAxis), 4);
    EXPECT_EQ(PositionOf(menu, M::ShowLegend), -1);
    // Rebuilding the plot kind keeps the menu as it is: the items are not doubled.
    host.props.PlotType = 1;
    Plot().ApplyControlSettings();
    const std::vector<int> ids = Commands(menu);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), M::ShowAsHistory), 1);
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
    EXPECT_EQ(steps[12].text, "");
    EXPECT_EQ(steps[12].count, 12);
    EXPECT_EQ(walker.CommandOf(12), M::Copy);
    EXPECT_EQ(walker.CommandOf(4), M::ZoomFull);
    EXPECT_EQ(walker.CommandOf(5), 0);   // a separator records nothing
    EXPECT_EQ(walker.CommandOf(13), 0);
    EXPECT_EQ(walker.Items().size(), 10u);
    // The end stays the end.
    std::string text;
    int count = 12;
    EXPECT_EQ(walker.Next(text, count), CPlotMenu::kEnd);
    EXPECT_EQ(count, 12);
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
    EXPECT_EQ(steps[3].text, "");
    EXPECT_EQ(walker.CommandOf(3), 11);
    EXPECT_EQ(walker.CommandOf(5), 12);
    EXPECT_EQ(walker.Depth(), 0);
    // A menu without a popup is empty.
    CPlotMenu empty{Menu()};
    std::string text;
    int count = 0;
    EXPECT_EQ(empty.Next(text, count), CPlotMenu::kEnd);
}

TEST_F(PlotMenusTest, WalkerStatesAndLongTexts) {
    // 1023 ASCII bytes then a three-byte character: the cut may not split it.
    const std::string euro = "\xE2\x82\xAC";
    CPlotMenu walker(NestedMenu(std::string(1023, 'a') + euro + "tail"));
    std::string text;
    int count = 0;
    ASSERT_EQ(walker.Next(text, count), CPlotMenu::kCommand);
    EXPECT_EQ(text, std::string(1023, 'a'));
    EXPECT_EQ(CutUtf8(std::string(1022, 'a') + euro, 1024), std::string(1022, 'a'));
    EXPECT_EQ(CutUtf8(std::string(1021, 'a') + euro, 1024), std::string(1021, 'a') + euro);

    Walk(walker);
    EXPECT_EQ(walker.StateOf(1), 1);
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
