#include "control/Events.h"

#include <cctype>
#include <string>
#include <utility>

namespace vtg {

namespace {

ParamInfo P(const char* name, VarType type) { return ParamInfo{name, type, false}; }

constexpr VarType I2 = VarType::I2;
constexpr VarType I4 = VarType::I4;
constexpr VarType R4 = VarType::R4;
constexpr VarType R8 = VarType::R8;
constexpr VarType B = VarType::Bool;
constexpr VarType S = VarType::Bstr;

std::vector<EventInfo> MakeTable() {
    const std::vector<ParamInfo> click{P("x", R8), P("y", R8), P("ix", I2), P("iy", I2), P("ObjectID", I2),
                                       P("modifier", I2)};
    return {
        {EventId::Selected, "Selected", {P("ObjectID", I2)}},
        {EventId::Zoomed, "Zoomed", {P("OnOff", B)}},
        {EventId::ApplyVariableChanges, "ApplyVariableChanges", {}},
        {EventId::VariableChanged, "VariableChanged", {P("VarNo", I2), P("VariableName", S), P("Status", I2)}},
        {EventId::OnDropText, "OnDropText", {P("text", S), P("ObjectID", I2)}},
        {EventId::ReloadNow, "ReloadNow", {}},
        {EventId::OnEditProfileVariables, "OnEditProfileVariables", {}},
        {EventId::OnOnShowasHistory, "OnOnShowasHistory", {}},
        {EventId::OnEditProfileTable, "OnEditProfileTable", {}},
        {EventId::OnResetFormDefinition, "OnResetFormDefinition", {}},
        {EventId::SetMessageText, "SetMessageText", {P("text", S)}},
        {EventId::CommunicationIntervalsSet, "CommunicationIntervalsSet", {P("intervals", I2)}},
        {EventId::PointerLocation, "PointerLocation", {P("Coordinate", S), P("ix", I2), P("iy", I2)}},
        {EventId::OnClick, "OnClick", click},
        {EventId::OnDoubleClick, "OnDoubleClick", click},
        {EventId::CursorSet, "CursorSet", {}},
        {EventId::OnRBClick, "OnRBClick", click},
        {EventId::RegionDefined, "RegionDefined", {}},
        {EventId::KeyPress, "KeyPress", {P("KeyAscii", I4)}},
        {EventId::KeyDown, "KeyDown", {P("KeyCode", I4), P("Shift", I4)}},
        {EventId::KeyUp, "KeyUp", {P("KeyCode", I4), P("Shift", I4)}},
        {EventId::Scrolled, "Scrolled", {P("Horizontal", B)}},
        {EventId::PointerExit, "PointerExit", {}},
        {EventId::PhaseVariableSet, "PhaseVariableSet", {P("VariablePath", S)}},
        {EventId::PhaseVariableDropped, "PhaseVariableDropped", {P("sVarName", S)}},
        {EventId::ZoomTimeRange, "ZoomTimeRange", {}},
        {EventId::RevertToTimePlot, "RevertToTimePlot", {}},
        {EventId::OnLivePlot, "OnLivePlot", {P("set", B)}},
        {EventId::SetCaption, "SetCaption", {P("text", S)}},
        {EventId::Modified, "Modified", {}},
        {EventId::PlotDrawn, "PlotDrawn", {P("OnOff", B)}},
        {EventId::ZoomDone, "ZoomDone", {P("fZoomVal", R4)}},
        {EventId::OnDropFiles, "OnDropFiles", {P("varFiles", S)}},
        {EventId::FlippedFlagChanged, "FlippedFlagChanged", {P("bFlipped", B)}},
    };
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

class EventInterface : public MemberTableCore {
public:
    EventInterface() {
        for (const EventInfo& e : EventTable()) {
            MemberInfo member;
            member.name = std::string(e.name);
            member.id = static_cast<DispId>(e.id);
            member.params = e.params;
            Add(std::move(member));
        }
    }
};

}  // namespace

const MemberTableCore& EventTypeInfo() {
    static const EventInterface info;
    return info;
}

const std::vector<EventInfo>& EventTable() {
    static const std::vector<EventInfo> table = MakeTable();
    return table;
}

const EventInfo& EventInfoOf(EventId id) { return EventTable()[static_cast<std::size_t>(id) - 1]; }

const EventInfo* FindEvent(std::string_view name) {
    for (const EventInfo& e : EventTable()) {
        if (SameName(e.name, name)) return &e;
    }
    return nullptr;
}

}  // namespace vtg
