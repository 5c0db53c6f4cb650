// The popup-menu commands, and the bridge through which a host walks the plot menu and runs
// its commands when it shows the menu in its own user interface.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "control/CVortigaCtrl.h"
#include "control/HostServices.h"
#include "objects/CPlotObj.h"
#include "platform/Clipboard.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotMenu.h"
#include "res/PlotMenus.h"

namespace vtg {

namespace {

namespace M = MenuCommand;

// Commands whose part of the control is not built yet: they answer as the methods not built
// yet do, so that a host never takes a command that did nothing for one that ran.
struct PendingCommand {
    int command;
    std::string_view name;
    Pending why;
};

constexpr std::array kPendingCommands{
    PendingCommand{M::OpenPlotFile, "Open Plot File", Pending::Menus},
    PendingCommand{M::Properties, "Properties", Pending::Registration},
    PendingCommand{M::AddText, "Add Text", Pending::Annotations},
    PendingCommand{M::AddTimeStamp, "Add Time Stamp", Pending::Menus},
    PendingCommand{M::EditObject, "Edit", Pending::Menus},
    PendingCommand{M::DeletePoints, "Delete Points", Pending::Interaction},
    PendingCommand{M::Copy, "Copy", Pending::Clipboard},
    PendingCommand{M::Paste, "Paste", Pending::Clipboard},
    PendingCommand{M::ZoomInTimeAxis, "Zoom In Time Axis", Pending::Interaction},
    PendingCommand{M::ZoomOutTimeAxis, "Zoom Out Time Axis", Pending::Interaction},
    PendingCommand{M::ZoomInXAxis, "Zoom In X Axis", Pending::Interaction},
    PendingCommand{M::ZoomOutXAxis, "Zoom Out X Axis", Pending::Interaction},
    PendingCommand{M::PrintPreview, "Print Preview", Pending::Preview},
    PendingCommand{M::Group, "Group", Pending::Menus},
    PendingCommand{M::Attach, "Attach", Pending::Menus},
    PendingCommand{M::Lower, "Lower", Pending::Menus},
    PendingCommand{M::Ungroup, "Ungroup", Pending::Menus},
    PendingCommand{M::Fill, "Fill", Pending::Menus},
    PendingCommand{M::EditElement, "Edit Element", Pending::Menus},
    PendingCommand{M::CenterView, "Center View", Pending::Menus},
    PendingCommand{M::EditCopy, "Copy Element", Pending::Menus},
    PendingCommand{M::EditCut, "Cut Element", Pending::Menus},
};

void ThrowIfPending(int command) {
    for (const PendingCommand& p : kPendingCommands) {
        if (p.command != command) continue;
        ThrowNotBuilt("Menu command " + std::to_string(command) + " (" + std::string(p.name) + ")", p.why);
    }
}

// Every command item of menu and of its submenus.
void ForEachCommand(Menu& menu, const std::function<void(MenuItem&)>& f) {
    for (int i = 0; i < menu.Count(); ++i) {
        MenuItem& item = *menu.ItemAt(i);
        if (item.submenu) {
            ForEachCommand(*item.submenu, f);
        } else if (item.IsCommand()) {
            f(item);
        }
    }
}

}  // namespace

// ---- commands ----

bool CVortigaCtrl::OnMenuCommand(int id) {
    switch (id) {
        case M::Redraw: InvalidateControl(); return true;
        case M::ZoomIn: Zoom(1); return true;
        case M::ZoomOut: Zoom(2); return true;
        case M::ZoomFull: Zoom(3); return true;
        case M::RegionZoomIn: Zoom(4); return true;
        case M::ShowLegend:
            ShowLegend = Plot().ShowLegend != 1;
            OnShowLegendChanged();
            return true;
        case M::ShowTracker:
            ShowTracker = Plot().ShowTracker == 0;
            OnShowTrackerChanged();
            return true;
        case M::DeleteObject:
        case M::Clear: DeleteSelectedObject(); return true;
        case M::EditLegend: AddLegendEditDialog(); return true;
        case M::YAxisMap: AddYAxisMapDialog(); return true;
        case M::Print: Print2(false); return true;
        case M::PageSetup: Print2(true); return true;
        case M::EditProfileVariables: FireEvent(EventId::OnEditProfileVariables); return true;
        case M::ShowAsHistory: FireEvent(EventId::OnOnShowasHistory); return true;
        case M::EditProfileTable: FireEvent(EventId::OnEditProfileTable); return true;
        case M::ResetFromDefinition: FireEvent(EventId::OnResetFormDefinition); return true;
        case M::TimeRange: FireEvent(EventId::ZoomTimeRange); return true;
        case M::TimeOnXAxis: FireEvent(EventId::RevertToTimePlot); return true;
        default: break;
    }
    ThrowIfPending(id);
    return false;
}

bool CVortigaCtrl::SelectedTextCarriesAnnotation() {
    CPlotLook& plot = Plot();
    const auto* text = dynamic_cast<const CPlotTextObj*>(plot.ActiveObject);
    return text && text->Annotation(plot) != nullptr;
}

void CVortigaCtrl::DeleteSelectedObject() {
    if (!SelectedTextCarriesAnnotation()) return;
    // The id, not the object: the box may let other calls in before it answers.
    const int id = Plot().ActiveObject->Id;
    const std::int32_t answer =
        HostMessageBox(ResourceString("IDS_PLOTLOOK_MSG_AREYOUSURE"), ResourceString("IDS_PLOTLOOK_MSG_DELETETEXT"),
                       static_cast<std::int32_t>(MB_OKCANCEL), static_cast<std::int32_t>(MB_ICONQUESTION), site_);
    if (answer != IDOK) return;
    SetObject(static_cast<std::int16_t>(id), -1, 0);
    FireEvent(EventId::Selected, {Variant(std::int16_t{0})});
}

// ---- enabling and checking ----

CVortigaCtrl::MenuItemState CVortigaCtrl::CheckState(int command) {
    CPlotLook& plot = Plot();
    switch (command) {
        case M::ShowLegend: {
            const bool shown = plot.ShowLegend == 1;
            // A run plot's legend is switched on by the host, not from the menu.
            return {shown || !plot.RunPlot, shown};
        }
        case M::Paste: return {site_ && site_->Clipboard().HasFormat(kFormatVortigaControl), false};
        case M::ShowTracker: return {true, plot.ShowTracker != 0};
        case M::Clear: return {SelectedTextCarriesAnnotation(), false};
        default: return {};
    }
}

CVortigaCtrl::MenuItemState CVortigaCtrl::ShownState(int command) {
    switch (command) {
        case M::EditProfileVariables: return {EditProfileVariables, false};
        case M::EditProfileTable: return {EditProfileTable, false};
        default: return CheckState(command);
    }
}

// ---- the bridge ----

std::string CVortigaCtrl::GetMenuItem(std::int16_t& code, std::int16_t& ID) {
    if (ID == 0) {
        const Menu* menu = Plot().Menus[kPlotMenuSlot].get();
        plotMenu = std::make_unique<CPlotMenu>(menu ? *menu : Menu());
    }
    std::string text;
    if (!plotMenu) {
        // A walk that was never started has nothing to go on with.
        code = CPlotMenu::kEnd;
        return text;
    }
    int count = ID;
    code = static_cast<std::int16_t>(plotMenu->Next(text, count));
    ID = static_cast<std::int16_t>(count);
    return text;
}

void CVortigaCtrl::InvokeMenuItem(std::int32_t ID) {
    if (ID == M::Clear && Plot().ActiveObject) {
        DeleteSelectedObject();
    } else if (plotMenu) {
        const int command = plotMenu->CommandOf(ID);
        if (command != 0) OnMenuCommand(command);
    } else if (ID > 0) {
        OnMenuCommand(ID);
    }
}

void CVortigaCtrl::UpdateMenu() {
    Menu* popup = Plot().MenuPopup(kPlotMenuSlot);
    if (!popup) return;
    ForEachCommand(*popup, [this](MenuItem& item) {
        const MenuItemState state = ShownState(item.command);
        item.enabled = state.enabled;
        item.checked = state.checked;
        if (plotMenu) plotMenu->SetState(item.command, state.enabled ? 1 : 0);
    });
}

bool CVortigaCtrl::IsMenuItemEnabled(std::int16_t ID) {
    // 57632 does not fit a short: a host passes its 16-bit pattern.
    if (static_cast<std::uint16_t>(ID) == M::Clear) return SelectedTextCarriesAnnotation();
    return plotMenu && plotMenu->StateOf(ID) != 0;
}

bool CVortigaCtrl::CheckMenuItem(std::int32_t Command, std::int16_t& Check) {
    Check = 0;
    const MenuItemState state = CheckState(Command);
    Check = state.checked ? 1 : 0;
    return state.enabled;
}

// ---- the control's own items ----

void CVortigaCtrl::RefreshMenus() {
    // During the plot's construction there is no plot to look at yet.
    if (plotLook) FollowTimeStampInMenu();
}

void CVortigaCtrl::FollowTimeStampInMenu() {
    Menu* menu = Plot().MenuPopup(kPlotMenuSlot);
    if (!menu) return;
    const RuntimeMenuRow& row = TimeStampMenuRow();
    if (!AddTimeStamp) {
        menu->Remove(row.command);
        return;
    }
    if (menu->Find(row.command)) return;
    MenuItem item = MenuItem::Command(row.command, GetResourceString(row.key));
    // A run plot's menu has no legend item: the time stamp then goes where that item stands
    // on other plots, before "Edit Legend", rather than nowhere.
    if (!menu->InsertBefore(M::ShowLegend, item)) menu->InsertBefore(M::EditLegend, std::move(item));
}

}  // namespace vtg
