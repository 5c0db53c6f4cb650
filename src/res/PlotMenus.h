#pragma once
// The plot's popup menus as data: eight menu resources, each one popup of command rows, the
// items the plot menu gains and loses with the plot kind, and the command table that announces
// commands (resource key and icon) to a host that shows the menu itself. The plot builds its
// menu trees from these rows; nothing here knows a menu type.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace vtg {

// Command ids of the menu items. The values are what hosts pass to InvokeMenuItem and
// CheckMenuItem, so they never change.
namespace MenuCommand {
inline constexpr int Redraw = 32768;
inline constexpr int ZoomIn = 32769;
inline constexpr int ZoomOut = 32770;
inline constexpr int ZoomFull = 32771;
inline constexpr int OpenPlotFile = 32772;
inline constexpr int Properties = 32774;
inline constexpr int AddText = 32776;
inline constexpr int AddTimeStamp = 32777;
inline constexpr int ShowLegend = 32778;
inline constexpr int EditObject = 32780;
inline constexpr int RegionZoomIn = 32781;
inline constexpr int DeletePoints = 32782;
inline constexpr int DeleteObject = 32783;
inline constexpr int EditProfileVariables = 32784;
inline constexpr int Copy = 32785;
inline constexpr int Paste = 32786;
inline constexpr int ShowAsHistory = 32787;
inline constexpr int EditProfileTable = 32788;
inline constexpr int ResetFromDefinition = 32789;
inline constexpr int ZoomInTimeAxis = 32790;
inline constexpr int ZoomOutTimeAxis = 32791;
inline constexpr int TimeRange = 32792;
inline constexpr int TimeOnXAxis = 32793;
inline constexpr int ZoomInXAxis = 32794;
inline constexpr int ZoomOutXAxis = 32795;
inline constexpr int EditLegend = 32797;
inline constexpr int YAxisMap = 32798;
inline constexpr int Print = 32799;
inline constexpr int PrintPreview = 32800;
inline constexpr int PageSetup = 32801;
inline constexpr int ShowTracker = 32802;
inline constexpr int Group = 56011;
inline constexpr int Attach = 56068;
inline constexpr int Lower = 56087;
inline constexpr int Ungroup = 56088;
inline constexpr int Fill = 56089;
inline constexpr int EditElement = 56090;
inline constexpr int CenterView = 56102;
inline constexpr int Clear = 57632;   // the standard clear command: "&Delete"
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
}  // namespace MenuCommand

// One row of a popup: a command with its text ("&" marks the mnemonic, "\t" starts the
// shortcut), or a separator (command 0, no text).
struct MenuRow {
    int command = 0;
    std::string_view text;
};

struct MenuResource {
    int resourceId = 0;
    std::string_view popup;        // the text of the menu's one popup
    std::span<const MenuRow> rows;
};

inline constexpr std::size_t kPlotMenuCount = 8;
// Slots of the plot's menus.
inline constexpr std::size_t kPlotMenuSlot = 0;     // the plot menu (drawing region)
inline constexpr std::size_t kObjectMenuSlot = 1;   // "Edit" only
inline constexpr std::size_t kTextMenuSlot = 2;     // "Edit" and "Delete"
inline constexpr std::size_t kRegionMenuSlot = 3;   // a dragged band in the drawing region

// The eight menus in slot order.
const std::array<MenuResource, kPlotMenuCount>& PlotMenuResources();

// An item the plot menu gains at run time: its text is the host's resource string for key.
// position counts from the front, or from the end when negative (-2: two before the end).
struct RuntimeMenuRow {
    int command = 0;
    std::string_view key;
    int position = 0;
};

// Added while the plot is a run plot (the plot menu then loses ShowLegend).
std::span<const RuntimeMenuRow> RunPlotMenuRows();
// Added while the plot is a phase plot.
std::span<const RuntimeMenuRow> PhasePlotMenuRows();
// Added with either kind and kept afterwards.
const RuntimeMenuRow& HistoryMenuRow();
// Added while the control's AddTimeStamp is set, just before ShowLegend.
const RuntimeMenuRow& TimeStampMenuRow();

// How a command is announced to the host's dialog server with a menu: the resource key of its
// text and its icon name (empty for none).
struct MenuCommandRow {
    int command = 0;
    std::string_view key;
    std::string_view icon;
};
std::span<const MenuCommandRow> MenuCommandTable();
// The row of a command, or null when the table has none.
const MenuCommandRow* FindMenuCommand(int command);

}  // namespace vtg
