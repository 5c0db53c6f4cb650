// The plot's popup menus: built from their resources at construction, and the plot menu kept
// in step with the plot kind.
#include <memory>
#include <string>

#include "platform/WindowSite.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "res/PlotMenus.h"

namespace vtg {

namespace {

std::shared_ptr<Menu> MenuFrom(const MenuResource& resource) {
    auto popup = std::make_shared<Menu>();
    for (const MenuRow& row : resource.rows) {
        popup->Append(row.command == 0 ? MenuItem::Separator()
                                       : MenuItem::Command(row.command, std::string(row.text)));
    }
    auto menu = std::make_shared<Menu>();
    menu->Append(MenuItem::Popup(std::string(resource.popup), std::move(popup)));
    return menu;
}

// The text the plot menu's resource gives a command ("" when it has none).
std::string ResourceTextOf(int command) {
    for (const MenuRow& row : PlotMenuResources()[kPlotMenuSlot].rows) {
        if (row.command == command) return std::string(row.text);
    }
    return {};
}

// Inserts a run-time item unless the menu has its command already.
void AddRow(Menu& menu, IPlotHost& host, const RuntimeMenuRow& row) {
    if (menu.Find(row.command)) return;
    const int position = row.position < 0 ? menu.Count() + row.position : row.position;
    menu.InsertAt(position, MenuItem::Command(row.command, host.ResourceString(row.key)));
}

}  // namespace

void CPlotLook::BuildMenus() {
    const auto& resources = PlotMenuResources();
    for (std::size_t slot = 0; slot < resources.size(); ++slot) Menus[slot] = MenuFrom(resources[slot]);
}

Menu* CPlotLook::MenuPopup(std::size_t slot) const {
    if (slot >= Menus.size() || !Menus[slot] || Menus[slot]->Count() == 0) return nullptr;
    return Menus[slot]->SubMenu(0);
}

void CPlotLook::FollowRunPlotInMenus(bool on) {
    Menu* menu = MenuPopup(kPlotMenuSlot);
    if (!menu) return;
    for (const RuntimeMenuRow& row : RunPlotMenuRows()) {
        if (on) {
            AddRow(*menu, *Control, row);
        } else {
            menu->Remove(row.command);
        }
    }
    if (on) {
        menu->Remove(MenuCommand::ShowLegend);
        AddRow(*menu, *Control, HistoryMenuRow());
    } else if (!menu->Find(MenuCommand::ShowLegend)) {
        // A plot that stops being a run plot can show its legend again, so the item that
        // switches it comes back to its place before "Edit Legend".
        menu->InsertBefore(MenuCommand::EditLegend,
                           MenuItem::Command(MenuCommand::ShowLegend, ResourceTextOf(MenuCommand::ShowLegend)));
    }
}

void CPlotLook::FollowPhasePlotInMenus(bool on) {
    Menu* menu = MenuPopup(kPlotMenuSlot);
    if (!menu) return;
    for (const RuntimeMenuRow& row : PhasePlotMenuRows()) {
        if (on) {
            AddRow(*menu, *Control, row);
        } else {
            menu->Remove(row.command);
        }
    }
    if (on) AddRow(*menu, *Control, HistoryMenuRow());
}

}  // namespace vtg
