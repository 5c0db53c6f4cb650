// The popup-menu model: the edits the control makes to its menus (items inserted before a
// command, removed, enabled and checked wherever they sit in the tree).
#include <gtest/gtest.h>

#include "platform/WindowSite.h"

namespace vtg {
namespace {

// Main menu: [Plot > {Add time stamp 32777, Legend 32778, Tracker 32802}] [-] [Copy 32785].
Menu MainMenu() {
    auto plot = std::make_shared<Menu>();
    plot->Append(MenuItem::Command(32777, "Add time stamp"));
    plot->Append(MenuItem::Command(32778, "Legend"));
    plot->Append(MenuItem::Command(32802, "Tracker"));
    Menu menu;
    menu.Append(MenuItem::Popup("Plot", plot));
    menu.Append(MenuItem::Separator());
    menu.Append(MenuItem::Command(32785, "Copy"));
    return menu;
}

std::vector<int> Commands(const Menu& menu) {
    std::vector<int> out;
    for (const auto& item : menu.Items()) out.push_back(item.separator ? -1 : item.command);
    return out;
}

TEST(MenuModel, RemovingAndReinsertingACommandInsideASubmenu) {
    Menu menu = MainMenu();
    EXPECT_TRUE(menu.Remove(32777));
    EXPECT_FALSE(menu.Remove(32777));
    EXPECT_EQ(Commands(*menu.SubMenu(0)), (std::vector<int>{32778, 32802}));
    EXPECT_TRUE(menu.InsertBefore(32778, MenuItem::Command(32777, "Add time stamp")));
    EXPECT_EQ(Commands(*menu.SubMenu(0)), (std::vector<int>{32777, 32778, 32802}));
    EXPECT_FALSE(menu.InsertBefore(1, MenuItem::Command(5, "x")));  // nothing carries 1
    EXPECT_EQ(menu.Find(5), nullptr);
}

TEST(MenuModel, PositionsOutsideTheMenuAreClampedOrRefused) {
    Menu menu = MainMenu();
    menu.InsertAt(menu.Count() - 2, MenuItem::Command(32784, "Profile variables"));
    menu.InsertAt(-7, MenuItem::Command(1, "first"));
    menu.InsertAt(99, MenuItem::Command(2, "last"));
    EXPECT_EQ(Commands(menu), (std::vector<int>{1, 0, 32784, -1, 32785, 2}));
    EXPECT_FALSE(menu.RemoveAt(6));
    EXPECT_FALSE(menu.RemoveAt(-1));
    EXPECT_EQ(menu.ItemAt(6), nullptr);
    EXPECT_EQ(menu.SubMenu(0), nullptr);  // a command item opens nothing
}

TEST(MenuModel, EnableAndCheckReachNestedItemsAndChoosabilityFollowsParents) {
    Menu menu = MainMenu();
    EXPECT_TRUE(menu.Check(32802, true));
    EXPECT_TRUE(menu.Find(32802)->checked);
    EXPECT_TRUE(menu.IsChoosable(32802));
    EXPECT_TRUE(menu.Enable(32802, false));
    EXPECT_FALSE(menu.IsChoosable(32802));
    EXPECT_FALSE(menu.Enable(4242, false));
    menu.ItemAt(0)->enabled = false;  // the whole submenu greyed out
    EXPECT_FALSE(menu.IsChoosable(32778));
    EXPECT_TRUE(menu.IsChoosable(32785));
    EXPECT_FALSE(menu.IsChoosable(0));  // separators and submenu entries carry 0
}

TEST(MenuModel, ACloneIsIndependentWhileCopiesShareSubmenus) {
    const Menu menu = MainMenu();
    const Menu clone = menu.Clone();
    Menu copy = menu;
    copy.Remove(32778);
    EXPECT_EQ(menu.Find(32778), nullptr);  // plain copies share their submenus
    EXPECT_NE(clone.Find(32778), nullptr);
}

TEST(MenuModel, ASubmenuContainingItselfDoesNotHangLookups) {
    auto loop = std::make_shared<Menu>();
    loop->Append(MenuItem::Command(1, "one"));
    loop->Append(MenuItem::Popup("again", loop));
    EXPECT_EQ(loop->Find(99), nullptr);
    EXPECT_FALSE(loop->IsChoosable(99));
    EXPECT_FALSE(loop->Remove(99));
    EXPECT_GT(loop->Clone().Count(), 0);
    loop->ItemAt(1)->submenu.reset();  // break the cycle so the menu can be freed
}

}  // namespace
}  // namespace vtg
