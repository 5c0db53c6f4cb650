#include "res/EnglishStrings.h"

#include <algorithm>

namespace vtg {

namespace {

// Menu texts keep their mnemonic ("&") and shortcut ("\t...") parts: a host menu shows them
// as they are.
std::vector<ResourceText> MakeTable() {
    std::vector<ResourceText> table{
        {"IDM_EDIT_CLEAR", "&Delete\tDel"},
        {"IDM_MODIFY_ADDTEXT", "&Add Text"},
        {"IDM_MODIFY_AXISMAP", "&Y Axis Map"},
        {"IDM_MODIFY_LEGEND", "&Edit Legend"},
        {"IDM_MODIFY_SHOWLEGEND", "Display &Legend"},
        {"IDM_OBJECT_EDIT", "Edit..."},
        {"IDM_PLOT_PRINT_PREVIEW", "Print Pre&view"},
        {"IDM_PLOT_PRINT_SETUP", "Page Set&up..."},
        {"IDM_REGION_DELETEPOINTS", "Delete Points"},
        {"IDM_REGION_ZOOMIN", "Zoom In"},
        {"IDM_SHOW_TRACKER", "Show &Tracker"},
        {"IDM_ZOOM_COPY", "&Copy\tCtrl+C"},
        {"IDM_ZOOM_PASTE", "&Paste\tCtrl+V"},
        {"IDM_ZOOM_REDRAW", "&Redraw\tCtrl+W"},
        {"IDM_ZOOM_ZOOMAUTO", "Zoom &In\tPgUp"},
        {"IDM_ZOOM_ZOOMFULL", "Zoom &Full\tHome"},
        {"IDM_ZOOM_ZOOMOUT", "Zoom &Out\tPgDn"},
        {"IDS_ANNOTATION_DRAGTOMOVETAGPOINT", "Drag to move the tag point"},
        {"IDS_BTN_PREVIEW_ALLPAGES", "All Pages"},
        {"IDS_BTN_PREVIEW_FITWIDTH", "Fit Width"},
        {"IDS_BTN_PREVIEW_ONEPAGE", "One Page"},
        {"IDS_BTN_PREVIEW_PRINT", "&Print..."},
        {"IDS_BTN_PREVIEW_SETUP", "Page &Setup..."},
        {"IDS_BTN_PREVIEW_ZOOMFULL", "Zoom &Full"},
        {"IDS_BTN_PREVIEW_ZOOMIN", "Zoom &In"},
        {"IDS_BTN_PREVIEW_ZOOMOUT", "Zoom &Out"},
        {"IDS_PLOTCTRL_ADDTIMESTAMP", "Add &Time Stamp"},
        {"IDS_PLOTCTRL_COULDNOTPRINT", "The plot could not be printed."},
        {"IDS_PLOTCTRL_COULDNOTSTARTPAGE", "The printer could not start a new page."},
        {"IDS_PLOTCTRL_PRINT", "Print"},
        {"IDS_PLOTCTRL_PROFILETABLE", "Edit Profile &Table"},
        {"IDS_PLOTCTRL_PROFILEVARIABLES", "Edit Profile &Variables"},
        {"IDS_PLOTCTRL_TITLE", "Title"},
        {"IDS_PLOTCTRL_XLABEL", "X Axis"},
        {"IDS_PLOTCTRL_YLABEL", "Y Axis"},
        {"IDS_PLOTLOOK_MENU_SHOWASHISTORY", "Show as &History"},
        {"IDS_PLOTLOOK_MENU_TIMEONXAXIS", "&Time on X Axis"},
        {"IDS_PLOTLOOK_MENU_TIMERANGE", "Time &Range..."},
        {"IDS_PLOTLOOK_MENU_ZOOMINTIMEAXIS", "Zoom In &Time Axis"},
        {"IDS_PLOTLOOK_MENU_ZOOMINXAXIS", "Zoom In &X Axis"},
        {"IDS_PLOTLOOK_MENU_ZOOMOUTTIMEAXIS", "Zoom Out T&ime Axis"},
        {"IDS_PLOTLOOK_MENU_ZOOMOUTXAXIS", "Zoom Out X A&xis"},
        {"IDS_PLOTLOOK_MSG_AREYOUSURE", "Are you sure?"},
        {"IDS_PLOTLOOK_MSG_CHANGINGTHELABELTEXT", "Enter the new label text:"},
        {"IDS_PLOTLOOK_MSG_DELETETEXT", "Delete the selected text?"},
        {"IDS_PLOTLOOK_MSG_INPUT", "Input"},
        {"IDS_PLOTLOOK_XLABEL", "X Axis"},
        {"IDS_PLOTLOOK_YLABEL", "Y Axis"},
        {"IDS_PLOTREGION_CORNER", "Corner Label"},
        {"IDS_PLOTREGION_PLOTAXISLABELSETTING", "Axis label text:"},
        {"IDS_PLOTREGION_PLOTTITLELABELSETTING", "Title text:"},
        {"IDS_PLOTREGION_TITLE", "Plot Title"},
        {"IDS_PLOTREGION_XAXISLABEL", "X Axis Label"},
        {"IDS_PLOTREGION_YAXISLABEL", "Y Axis Label"},
    };
    std::sort(table.begin(), table.end(), [](const ResourceText& a, const ResourceText& b) { return a.key < b.key; });
    return table;
}

}  // namespace

const std::vector<ResourceText>& EnglishStringTable() {
    static const std::vector<ResourceText> table = MakeTable();
    return table;
}

std::string_view EnglishString(std::string_view key) {
    const auto& table = EnglishStringTable();
    const auto it = std::lower_bound(table.begin(), table.end(), key,
                                     [](const ResourceText& entry, std::string_view k) { return entry.key < k; });
    return it != table.end() && it->key == key ? it->text : std::string_view();
}

}  // namespace vtg
