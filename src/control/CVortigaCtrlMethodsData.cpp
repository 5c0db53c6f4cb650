// Automation methods: the host's variable names, data values, x variables, substitution texts,
// symbols and phase-plot mode.
#include <algorithm>

#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotLookAutomation.h"

namespace vtg {

namespace {

// The status VariableChanged reports.
constexpr std::int16_t kNameSwapped = 0;
constexpr std::int16_t kNameRemoved = 1;
constexpr std::int16_t kNameSet = 2;

bool AllEmpty(const std::vector<std::string>& names) {
    return std::all_of(names.begin(), names.end(), [](const std::string& n) { return n.empty(); });
}

}  // namespace

// ---- variable names ----

void CVortigaCtrl::SetVariable(std::int16_t index, const std::string& VariableName) {
    CancelEditing();
    if (index >= 0) {
        const auto at = static_cast<std::size_t>(index);
        if (at < variableNames.size() && variableNames[at] == VariableName) return;
        if (at >= variableNames.size()) variableNames.resize(at + 1);
        const auto other = std::find(variableNames.begin(), variableNames.end(), VariableName);
        if (other != variableNames.end() && static_cast<std::size_t>(other - variableNames.begin()) != at) {
            const auto i = static_cast<std::int16_t>(other - variableNames.begin());
            std::string previous = std::move(variableNames[at]);
            variableNames[at] = VariableName;
            *other = previous;
            Plot().SwapVariables(i, index);
            FireEvent(EventId::VariableChanged, {Variant(index), Variant(VariableName), Variant(kNameSwapped)});
            if (!previous.empty()) {
                FireEvent(EventId::VariableChanged, {Variant(i), Variant(previous), Variant(kNameSwapped)});
            }
            return;
        }
        variableNames[at] = VariableName;
        Plot().NameVariable(index, VariableName);
        FireEvent(EventId::VariableChanged, {Variant(index), Variant(VariableName), Variant(kNameSet)});
        return;
    }
    if (index == -1 && VariableName.empty()) {
        if (AllEmpty(variableNames)) Plot().SetLabel(1, "");
        FireEvent(EventId::ApplyVariableChanges);
        ApplyAxisMap();
        InvalidateControl();
        return;
    }
    // -index - 1 fits a short for every negative short.
    const auto removed = static_cast<std::int16_t>(-index - 1);
    FireEvent(EventId::VariableChanged, {Variant(removed), Variant(VariableName), Variant(kNameRemoved)});
    const auto named = std::find(variableNames.begin(), variableNames.end(), VariableName);
    if (named != variableNames.end()) named->clear();
}

std::string CVortigaCtrl::GetVariable(std::int16_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= variableNames.size()) return {};
    return variableNames[static_cast<std::size_t>(index)];
}

void CVortigaCtrl::DeleteVariable(std::int16_t VarNo) {
    if (VarNo < 0 || static_cast<std::size_t>(VarNo) >= variableNames.size()) return;
    variableNames[static_cast<std::size_t>(VarNo)].clear();
    Plot().MoveVariable(-1, VarNo);
}

void CVortigaCtrl::MoveVariable(std::int16_t SourceVarNo, std::int16_t TargetVarNo) {
    const auto n = variableNames.size();
    if (SourceVarNo < 0 || TargetVarNo < 0 || static_cast<std::size_t>(SourceVarNo) >= n ||
        static_cast<std::size_t>(TargetVarNo) >= n) {
        return;
    }
    // A move onto itself would clear the variable it was meant to keep.
    if (SourceVarNo == TargetVarNo) return;
    std::string& source = variableNames[static_cast<std::size_t>(SourceVarNo)];
    variableNames[static_cast<std::size_t>(TargetVarNo)] = source;
    source.clear();
    Plot().MoveVariable(SourceVarNo, TargetVarNo);
}

// ---- data values ----

void CVortigaCtrl::SetData(std::int16_t VarNo, std::int16_t DataNo, double Value) {
    CancelEditing();
    // A negative point would index before the values; the variable must exist in the plot
    // as well as in nvariables.
    if (VarNo < 0 || DataNo < 0 || VarNo > AddressableVariables() || VarNo > Plot().DependentCount()) return;
    Plot().SetData(VarNo, DataNo, Value);
}

bool CVortigaCtrl::GetData(std::int16_t VarNo, std::int16_t DataNo, double& Value) {
    const CPlotLook& plot = Plot();
    const CPlotVar* var = VarNo == 0 ? plot.XVar(0) : plot.YVar(VarNo - 1);
    if (VarNo < 0 || !var) return false;
    const ValueRead read = var->GetValue(DataNo);
    Value = read.value;
    return read.valid;
}

void CVortigaCtrl::SetXData(std::int16_t VarNo, std::int16_t DataNo, double Value) {
    if (VarNo < 1 || DataNo < 0 || VarNo > nxvariables) return;
    Plot().SetXData(VarNo, DataNo, Value);
}

bool CVortigaCtrl::GetXData(std::int16_t VarNo, std::int16_t DataNo, double& Value) {
    const CPlotVar* var = VarNo >= 1 ? Plot().XVar(VarNo - 1) : nullptr;
    if (!var) return false;
    const ValueRead read = var->GetValue(DataNo);
    Value = read.value;
    return read.valid;
}

void CVortigaCtrl::SetXVariable(std::int16_t Yvarno, std::int16_t Xvarno) {
    if (Yvarno <= 0) {
        throw AutomationError::InvalidArg("SetXVariable: Yvarno " + std::to_string(Yvarno) +
                                              " does not name a dependent variable (they count from 1)",
                                          0);
    }
    CPlotLook& plot = Plot();
    CPlotVar* var = plot.YVar(Yvarno - 1);
    // An x variable the plot does not have would be looked up at the next draw.
    if (!var || Xvarno < 0 || Xvarno > plot.IndependentCount()) return;
    var->XVarIndex = Xvarno;
}

std::int16_t CVortigaCtrl::GetXVariable(std::int16_t Yvarno) {
    if (Yvarno <= 0) {
        throw AutomationError::InvalidArg("GetXVariable: Yvarno " + std::to_string(Yvarno) +
                                              " does not name a dependent variable (they count from 1)",
                                          0);
    }
    const CPlotVar* var = Plot().YVar(Yvarno - 1);
    return var ? static_cast<std::int16_t>(var->XVarIndex) : std::int16_t{0};
}

void CVortigaCtrl::SetInteger(std::int16_t VarNo) {
    if (CPlotAxis* axis = AxisOfVariable(Plot(), VarNo)) {
        axis->Integer = 1;
        axis->NeedsRescale = 1;
    }
}

// ---- texts and symbols ----

void CVortigaCtrl::SetSubstitutionString(const std::string& String) { Plot().SubstitutionString = String; }

void CVortigaCtrl::SetSubstitutionValue(std::int16_t VarNo, const std::string& String) {
    Plot().SetSubstitutionValue(VarNo, String);
    LookDirty();
    SetModified();
    InvalidateUnlessLoading();
}

void CVortigaCtrl::SetSymbol(const std::string& SymbolName, const std::string& Value) {
    Plot().SetSymbol(SymbolName, Value);
}

// ---- phase plots ----

void CVortigaCtrl::SetPhasePlot(bool bSet) {
    CPlotLook& plot = Plot();
    const bool wasPhase = phasePlot;
    // The plot is told first: rings it cannot hold are refused before any flag changes.
    plot.SetPhasePlot(bSet);
    phasePlot = bSet;
    if (bSet && RunPlot) {
        RunPlot = false;
        plot.SetRunPlot(false);
    } else if (!bSet && wasPhase && !RunPlot) {
        // Only leaving phase mode returns to the run plot: switching off a mode that was never
        // on must not turn an XY plot's data into empty rings.
        plot.SetRunPlot(true);
        RunPlot = true;
    }
}

bool CVortigaCtrl::GetPhasePlot() { return phasePlot; }

std::string CVortigaCtrl::GetPhaseXVariable() { return phaseXVariable; }

void CVortigaCtrl::SetPhaseXVariable(const std::string& sVarName) { phaseXVariable = sVarName; }

void CVortigaCtrl::FirePhasePlot(const std::string& sVarName) {
    FireEvent(EventId::PhaseVariableSet, {Variant(sVarName)});
    phaseXVariable = sVarName;
    SetPhasePlot(!sVarName.empty());
}

}  // namespace vtg
