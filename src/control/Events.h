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
// The outgoing interface as a type description: every event as a member with its DISPID,
// parameter names and types, so that a host binds its handlers by name.
const MemberTableCore& EventTypeInfo();

// SetEvent keeps two bits for each event id: OnOff (is the host told) and Default (does the
// control's own handling run). Ids 1..7 name the input events below.
namespace EventGate {
inline constexpr int kPointer = 1;        // PointerLocation, PointerExit
inline constexpr int kClick = 2;          // OnClick
inline constexpr int kDoubleClick = 3;    // OnDoubleClick
inline constexpr int kRightClick = 4;     // OnRBClick
inline constexpr int kKeyPress = 5;       // KeyPress
inline constexpr int kKeyDown = 6;        // KeyDown
inline constexpr int kKeyUp = 7;          // KeyUp
}  // namespace EventGate
// The bit positions of an id; any id maps into the 32-bit mask.
inline int OnOffBit(int eventId) { return (eventId - 1) & 31; }
inline int DefaultBit(int eventId) { return (eventId + 15) & 31; }

// Bits of the modifier argument of the click and key events.
inline constexpr int kModifierShift = 1;
inline constexpr int kModifierCtrl = 2;
inline constexpr int kModifierAlt = 4;

}  // namespace vtg
