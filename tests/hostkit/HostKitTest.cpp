// The default host kit: English texts for every key the control and its menus ask for, and a
// message box answered by the host's callback.
#include <gtest/gtest.h>

#include "control/HostServices.h"
#include "hostkit/DefaultHostKit.h"
#include "platform/ProgIdRegistry.h"
#include "res/EnglishStrings.h"

namespace vtg {
namespace {

// The keys the control, its menus, dialogs and print preview ask the host for.
const std::vector<std::string> kKeysInUse{
    "IDM_EDIT_CLEAR", "IDM_MODIFY_ADDTEXT", "IDM_MODIFY_AXISMAP", "IDM_MODIFY_LEGEND", "IDM_MODIFY_SHOWLEGEND",
    "IDM_OBJECT_EDIT", "IDM_PLOT_PRINT_PREVIEW", "IDM_PLOT_PRINT_SETUP", "IDM_REGION_DELETEPOINTS",
    "IDM_REGION_ZOOMIN", "IDM_SHOW_TRACKER", "IDM_ZOOM_COPY", "IDM_ZOOM_PASTE", "IDM_ZOOM_REDRAW",
    "IDM_ZOOM_ZOOMAUTO", "IDM_ZOOM_ZOOMFULL", "IDM_ZOOM_ZOOMOUT", "IDS_ANNOTATION_DRAGTOMOVETAGPOINT",
    "IDS_BTN_PREVIEW_ALLPAGES", "IDS_BTN_PREVIEW_FITWIDTH", "IDS_BTN_PREVIEW_ONEPAGE", "IDS_BTN_PREVIEW_PRINT",
    "IDS_BTN_PREVIEW_SETUP", "IDS_BTN_PREVIEW_ZOOMFULL", "IDS_BTN_PREVIEW_ZOOMIN", "IDS_BTN_PREVIEW_ZOOMOUT",
    "IDS_PLOTCTRL_ADDTIMESTAMP", "IDS_PLOTCTRL_COULDNOTPRINT", "IDS_PLOTCTRL_COULDNOTSTARTPAGE", "IDS_PLOTCTRL_PRINT",
    "IDS_PLOTCTRL_PROFILETABLE", "IDS_PLOTCTRL_PROFILEVARIABLES", "IDS_PLOTCTRL_TITLE", "IDS_PLOTCTRL_XLABEL",
    "IDS_PLOTCTRL_YLABEL", "IDS_PLOTLOOK_MENU_SHOWASHISTORY", "IDS_PLOTLOOK_MENU_TIMEONXAXIS",
    "IDS_PLOTLOOK_MENU_TIMERANGE", "IDS_PLOTLOOK_MENU_ZOOMINTIMEAXIS", "IDS_PLOTLOOK_MENU_ZOOMINXAXIS",
    "IDS_PLOTLOOK_MENU_ZOOMOUTTIMEAXIS", "IDS_PLOTLOOK_MENU_ZOOMOUTXAXIS", "IDS_PLOTLOOK_MSG_AREYOUSURE",
    "IDS_PLOTLOOK_MSG_CHANGINGTHELABELTEXT", "IDS_PLOTLOOK_MSG_DELETETEXT", "IDS_PLOTLOOK_MSG_INPUT",
    "IDS_PLOTLOOK_XLABEL", "IDS_PLOTLOOK_YLABEL", "IDS_PLOTREGION_CORNER", "IDS_PLOTREGION_PLOTAXISLABELSETTING",
    "IDS_PLOTREGION_PLOTTITLELABELSETTING", "IDS_PLOTREGION_TITLE", "IDS_PLOTREGION_XAXISLABEL",
    "IDS_PLOTREGION_YAXISLABEL"};

TEST(HostKitTest, EveryKeyInUseHasAnEnglishText) {
    for (const std::string& key : kKeysInUse) EXPECT_FALSE(EnglishString(key).empty()) << key;
    EXPECT_EQ(EnglishString("IDS_NO_SUCH_KEY"), "");
    EXPECT_EQ(EnglishString(""), "");
    EXPECT_EQ(EnglishStringTable().size(), kKeysInUse.size());
}

TEST(HostKitTest, MenuTextsKeepTheirMnemonicsAndShortcuts) {
    EXPECT_EQ(EnglishString("IDM_ZOOM_REDRAW"), "&Redraw\tCtrl+W");
    EXPECT_EQ(EnglishString("IDM_MODIFY_SHOWLEGEND"), "Display &Legend");
    EXPECT_EQ(EnglishString("IDM_EDIT_CLEAR"), "&Delete\tDel");
}

TEST(HostKitTest, RegisteredKitAnswersTextsAndUnregisteringEmptiesThemAgain) {
    ResetResourceStringCache();
    {
        ScopedHostKit kit;
        EXPECT_EQ(GetResourceString("IDS_PLOTCTRL_TITLE"), "Title");
        EXPECT_EQ(GetResourceString("IDS_PLOTLOOK_XLABEL"), "X Axis");
        EXPECT_EQ(GetResourceString("IDS_UNKNOWN"), "");
    }
    EXPECT_FALSE(ProgIdRegistry::Instance().IsRegistered(kResourceServerProgId));
    EXPECT_EQ(GetResourceString("IDS_PLOTCTRL_TITLE"), "");
}

TEST(HostKitTest, MessageBoxesGoToTheHostsCallback) {
    struct Asked {
        std::string text;
        std::string caption;
        std::int32_t buttons = -1;
        std::int32_t icon = -1;
    } asked;
    HostKitOptions options;
    options.messageBox = [&asked](const std::string& text, const std::string& caption, std::int32_t buttons,
                                  std::int32_t icon) {
        asked = {text, caption, buttons, icon};
        return std::int32_t{6};
    };
    ScopedHostKit kit(options);
    EXPECT_EQ(HostMessageBox("Delete the text?", "Are you sure?", 4, 0x20), 6);
    EXPECT_EQ(asked.text, "Delete the text?");
    EXPECT_EQ(asked.caption, "Are you sure?");
    EXPECT_EQ(asked.buttons, 4);
    EXPECT_EQ(asked.icon, 0x20);
}

TEST(HostKitTest, WithoutACallbackHeadlessBoxesAnswerNothing) {
    ScopedHostKit kit;
    EXPECT_EQ(HostMessageBox("text", "caption", 0, 0), 0);
}

}  // namespace
}  // namespace vtg
