#pragma once
// The control's outgoing events: DISPIDs 1..34 in this order, with their parameter types as
// they are fired. Handlers are connected through the control's connection point.

#include <array>
#include <string_view>
#include <vector>

#include "platform/Automation.h"

namespace vtg {

enum class EventId : DispId {
    Selected = 1,
    Zoomed = 2,
    ApplyVariableChanges = 3,
    VariableChanged = 4,
    OnDropText = 5,
    ReloadNow = 6,
    OnEditProfileVariables = 7,
    OnOnShowasHistory = 8,
    OnEditProfileTable = 9,
    OnResetFormDefinition = 10,
    SetMessageText = 11,
    CommunicationIntervalsSet = 12,
    PointerLocation = 13,
    OnClick = 14,
    OnDoubleClick = 15,
    CursorSet = 16,
    OnRBClick = 17,
    RegionDefined = 18,
    KeyPress = 19,
    KeyDown = 20,
    KeyUp = 21,
    Scrolled = 22,
    PointerExit = 23,
    PhaseVariableSet = 24,
    PhaseVariableDropped = 25,
    ZoomTimeRange = 26,
    RevertToTimePlot = 27,
    OnLivePlot = 28,
    SetCaption = 29,
    Modified = 30,
    PlotDrawn = 31,
    ZoomDone = 32,
    OnDropFiles = 33,
    FlippedFlagChanged = 34,
};

struct EventInfo {
    EventId id;
    std::string_view name;
    std::vector<ParamInfo> params;
};

inline constexpr int kEventCount = 34;

// All events in DISPID order.
const std::vector<EventInfo>& EventTable();
const EventInfo& EventInfoOf(EventId id);
// Case-insensitive; null for a name no event has.
const EventInfo* FindEvent(std::string_view name);

}  // namespace vtg
