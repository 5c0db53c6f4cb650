#include "res/PlotMenus.h"

#include <algorithm>

namespace vtg {

namespace {

namespace M = MenuCommand;

constexpr MenuRow kSeparator{0, {}};

constexpr std::array kZoomRows{
    MenuRow{M::Redraw, "&Redraw\tCtrl+W"},   MenuRow{M::ZoomIn, "Zoom &In\tPgUp"},
    MenuRow{M::ZoomOut, "Zoom &Out\tPgDn"},  MenuRow{M::ZoomFull, "Zoom &Full\tHome"},
    kSeparator,                              MenuRow{M::AddText, "&Add Text"},
    MenuRow{M::ShowLegend, "Display &Legend"}, MenuRow{M::EditLegend, "&Edit Legend"},
    MenuRow{M::YAxisMap, "&Y Axis Map"},     MenuRow{M::ShowTracker, "Show &Tracker"},
    kSeparator,                              MenuRow{M::Copy, "&Copy\tCtrl+C"},
};
constexpr std::array kObjectRows{MenuRow{M::EditObject, "Edit..."}};
constexpr std::array kTextRows{MenuRow{M::EditObject, "Edit..."}, MenuRow{M::Clear, "&Delete\tDel"}};
constexpr std::array kRegionRows{MenuRow{M::RegionZoomIn, "Zoom In"}, MenuRow{M::DeletePoints, "Delete Points"}};
constexpr std::array kGroupRows{MenuRow{M::Clear, "&Delete\tDel"}, MenuRow{M::Group, "&Group"}};
constexpr std::array kElementRows{
    MenuRow{M::Clear, "&Delete\tDel"}, MenuRow{M::Lower, "Lower"}, MenuRow{M::Fill, "&Fill"},
    MenuRow{M::Attach, "Attach"},      MenuRow{M::CenterView, "Center View\tCtrl+Home"},
};
constexpr std::array kElementTextRows{
    MenuRow{M::Clear, "&Delete\tDel"}, MenuRow{M::Lower, "Lower"}, MenuRow{M::EditElement, "Edit"},
    MenuRow{M::Attach, "Attach"},      MenuRow{M::CenterView, "Center View\tCtrl+Home"},
};
constexpr std::array kPathRows{
    MenuRow{M::EditCut, "Cu&t\tCtrl+X"}, MenuRow{M::EditCopy, "&Copy\tCtrl+C"},
    MenuRow{M::Clear, "&Delete\tDel"},   kSeparator,
    MenuRow{M::Lower, "Lower"},          MenuRow{M::Ungroup, "&Ungroup"},
    MenuRow{M::Attach, "Attach"},        MenuRow{M::CenterView, "Center View\tCtrl+Home"},
};

constexpr std::array<MenuResource, kPlotMenuCount> kMenus{{
    {30224, "Zoom", kZoomRows},
    {213, "Object", kObjectRows},
    {30225, "Object", kTextRows},
    {214, "Region", kRegionRows},
    {16303, "Group", kGroupRows},
    {16308, "Element", kElementRows},
    {16310, "Text", kElementTextRows},
    {16309, "Path", kPathRows},
}};

// The time-axis entries go right after the zoom commands (positions 4 and on).
constexpr std::array kRunPlotRows{
    RuntimeMenuRow{M::ZoomInTimeAxis, "IDS_PLOTLOOK_MENU_ZOOMINTIMEAXIS", 4},
    RuntimeMenuRow{M::ZoomOutTimeAxis, "IDS_PLOTLOOK_MENU_ZOOMOUTTIMEAXIS", 5},
};
constexpr std::array kPhasePlotRows{
    RuntimeMenuRow{M::TimeRange, "IDS_PLOTLOOK_MENU_TIMERANGE", 4},
    RuntimeMenuRow{M::TimeOnXAxis, "IDS_PLOTLOOK_MENU_TIMEONXAXIS", 5},
    RuntimeMenuRow{M::ZoomInXAxis, "IDS_PLOTLOOK_MENU_ZOOMINXAXIS", 6},
    RuntimeMenuRow{M::ZoomOutXAxis, "IDS_PLOTLOOK_MENU_ZOOMOUTXAXIS", 7},
};
constexpr RuntimeMenuRow kHistoryRow{M::ShowAsHistory, "IDS_PLOTLOOK_MENU_SHOWASHISTORY", -2};
constexpr RuntimeMenuRow kTimeStampRow{M::AddTimeStamp, "IDS_PLOTCTRL_ADDTIMESTAMP", 0};

constexpr std::array kCommandTable{
    MenuCommandRow{M::Redraw, "IDM_ZOOM_REDRAW", "Refresh_16"},
    MenuCommandRow{M::ZoomIn, "IDM_ZOOM_ZOOMAUTO", "ZoomIn_16"},
    MenuCommandRow{M::ZoomOut, "IDM_ZOOM_ZOOMOUT", "ZoomOut_16"},
    MenuCommandRow{M::ZoomFull, "IDM_ZOOM_ZOOMFULL", "ZoomFitToWindow_16"},
    MenuCommandRow{M::AddText, "IDM_MODIFY_ADDTEXT", "AddText_16"},
    MenuCommandRow{M::ShowLegend, "IDM_MODIFY_SHOWLEGEND", {}},
    MenuCommandRow{M::EditLegend, "IDM_MODIFY_LEGEND", "EditLegend_16"},
    MenuCommandRow{M::YAxisMap, "IDM_MODIFY_AXISMAP", "YAxisMap_16"},
    MenuCommandRow{M::ShowTracker, "IDM_SHOW_TRACKER", {}},
    MenuCommandRow{M::Paste, "IDM_ZOOM_PASTE", "Paste_16"},
    MenuCommandRow{M::Copy, "IDM_ZOOM_COPY", "Copy_16"},
    MenuCommandRow{M::Clear, "IDM_EDIT_CLEAR", "Delete_16"},
    MenuCommandRow{M::EditObject, "IDM_OBJECT_EDIT", {}},
    MenuCommandRow{M::RegionZoomIn, "IDM_REGION_ZOOMIN", "ZoomIn_16"},
    MenuCommandRow{M::DeletePoints, "IDM_REGION_DELETEPOINTS", {}},
    MenuCommandRow{M::PrintPreview, "IDM_PLOT_PRINT_PREVIEW", "PrintPreview_16"},
    MenuCommandRow{M::PageSetup, "IDM_PLOT_PRINT_SETUP", "PageSetup_16"},
};

}  // namespace

const std::array<MenuResource, kPlotMenuCount>& PlotMenuResources() { return kMenus; }

std::span<const RuntimeMenuRow> RunPlotMenuRows() { return kRunPlotRows; }
std::span<const RuntimeMenuRow> PhasePlotMenuRows() { return kPhasePlotRows; }
const RuntimeMenuRow& HistoryMenuRow() { return kHistoryRow; }
const RuntimeMenuRow& TimeStampMenuRow() { return kTimeStampRow; }

std::span<const MenuCommandRow> MenuCommandTable() { return kCommandTable; }

const MenuCommandRow* FindMenuCommand(int command) {
    const auto it = std::find_if(kCommandTable.begin(), kCommandTable.end(),
                                 [command](const MenuCommandRow& row) { return row.command == command; });
    return it == kCommandTable.end() ? nullptr : &*it;
}

}  // namespace vtg
