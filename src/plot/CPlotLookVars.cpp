// The plot's variables: how many there are, their sizes, order and visibility, and the values
// stored through the automation interface.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "objects/CPlotObj.h"
#include "platform/Automation.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

// The bar outline colours new bar-graph variables take as their marker, in turn.
constexpr std::array<int, 6> kBarMarkers{9, 10, 12, 13, 7, 11};

std::string VariableLabel(int number) { return "Var. " + std::to_string(number); }

}  // namespace

int CPlotLook::DefaultMarker(int position, bool barGraph) {
    return barGraph ? kBarMarkers[static_cast<std::size_t>(position % 6)] : position % 10 + 1;
}

CPlotVar* CPlotLook::YVar(int i) const {
    return i >= 0 && i < DependentCount() ? YVars[static_cast<std::size_t>(i)].get() : nullptr;
}

CPlotVar* CPlotLook::XVar(int i) const {
    return i >= 0 && i < IndependentCount() ? XVars[static_cast<std::size_t>(i)].get() : nullptr;
}

std::uint64_t CPlotLook::SlotsPerNewVariable() const {
    const ControlProperties& p = Props();
    if (IsTimePlot()) return static_cast<std::uint64_t>(std::max<std::int32_t>(1, p.BufferSize));
    return static_cast<std::uint64_t>(std::max<int>(0, p.npoints));
}

std::uint64_t CPlotLook::TotalSlots() const { return slotTally_->used; }

std::unique_ptr<CPlotVar> CPlotLook::NewVariable(int independent) const {
    auto v = std::make_unique<CPlotVar>(independent);
    v->ReportSlotsTo(slotTally_);
    return v;
}

void CPlotLook::CheckSlots(std::uint64_t total, const char* what) const {
    if (total > SlotBudget) {
        throw AutomationError::InvalidArg(std::string(what) + " would need " + std::to_string(total) +
                                          " value slots; a plot holds at most " + std::to_string(SlotBudget));
    }
}

std::unique_ptr<CPlotVar> CPlotLook::NewIndependentVariable() const {
    auto v = NewVariable(1);
    if (IsTimePlot()) {
        v->MakeCircular(static_cast<std::uint32_t>(SlotsPerNewVariable()));
    } else {
        v->Resize(static_cast<std::uint32_t>(SlotsPerNewVariable()));
    }
    return v;
}

std::unique_ptr<CPlotVar> CPlotLook::NewDependentVariable(int position) const {
    auto v = NewVariable(0);
    if (IsTimePlot()) {
        v->MakeCircular(static_cast<std::uint32_t>(SlotsPerNewVariable()));
    } else {
        v->Resize(static_cast<std::uint32_t>(SlotsPerNewVariable()));
    }
    v->LabelIndex = position + 1;
    v->AxisMap = 1;
    v->Color = position % 6 + 1;
    v->PenWidth = 3;
    v->PenStyle = 0;
    v->Marker = DefaultMarker(position, BarGraph != 0);
    v->DisplayMode = -1;
    return v;
}

bool CPlotLook::SetVariableCount(int n) {
    if (n < 0) throw AutomationError::InvalidArg("the number of variables cannot be negative (" + std::to_string(n) + ")");
    n = std::max(n, 1);
    const int m = DependentCount();
    bool result = false;
    if (n < m) {
        RemoveVariables(n, m);
        result = true;
    }
    if (n > m) {
        const auto added = static_cast<std::uint64_t>(n - m);
        CheckSlots(TotalSlots() + added * SlotsPerNewVariable(), "this number of variables");
        // Built completely before any is added, so that a failure leaves the plot as it was.
        std::vector<std::unique_ptr<CPlotVar>> fresh;
        fresh.reserve(added);
        for (int i = m; i < n; ++i) fresh.push_back(NewDependentVariable(i));
        for (auto& v : fresh) YVars.push_back(std::move(v));
        for (int i = m; i < n; ++i) {
            if (static_cast<int>(YLabelRgns.size()) < i + 1) {
                SetLabel(static_cast<int>(std::min(i + 1, 32767)), VariableLabel(i + 1));
                result = true;
            }
        }
    }
    if (n >= m) {
        EnsureLineObjects();
        AssignIndependentVariables(IndependentCount());
    }
    if (ShowLegend == 1 && LegendRgn) {
        LegendRgn->MarkForLayout();
        result = true;
    }
    if (result) LayoutDirty = 1;
    return result;
}

void CPlotLook::AssignIndependentVariables(int count) {
    int c = 0;
    for (auto& v : YVars) {
        if (v->XVarIndex == 0) {
            v->XVarIndex = c + 1;
            if (c < count - 1) ++c;
        } else if (v->XVarIndex < count) {
            c = v->XVarIndex;
        }
    }
}

void CPlotLook::EnsureLineObjects() {
    for (int j = static_cast<int>(Objects.size()); j < DependentCount(); ++j) {
        const int id = NewObjectId();
        if (id == 0) return;
        auto object = std::make_unique<CPlotLineObj>(id);
        object->YVarIndex = j;
        object->XVarIndex = std::max(0, YVars[static_cast<std::size_t>(j)]->XVarIndex - 1);
        Objects.push_back(std::move(object));
    }
}

void CPlotLook::SetXVariableCount(int n) {
    if (n < 0) {
        throw AutomationError::InvalidArg("the number of independent variables cannot be negative (" +
                                          std::to_string(n) + ")");
    }
    n = std::max(n, 1);
    const int m = IndependentCount();
    if (m < n) {
        const auto added = static_cast<std::uint64_t>(n - m);
        CheckSlots(TotalSlots() + added * SlotsPerNewVariable(), "this number of independent variables");
        std::vector<std::unique_ptr<CPlotVar>> fresh;
        for (int i = m; i < n; ++i) fresh.push_back(NewIndependentVariable());
        for (auto& v : fresh) XVars.push_back(std::move(v));
        AssignIndependentVariables(n);
    } else if (m > n) {
        XVars.erase(XVars.begin() + n, XVars.end());
        // Nothing may go on pointing at an independent variable that is gone: 0 reads as
        // the first one.
        for (auto& v : YVars) {
            if (v->XVarIndex > n) v->XVarIndex = 0;
        }
        for (auto& object : Objects) {
            if (object->XVarIndex >= n) object->XVarIndex = -1;
        }
    }
}

void CPlotLook::SetPointCount(int n) {
    if (n < 0 || IsTimePlot()) return;
    const std::uint64_t count = static_cast<std::uint64_t>(std::max(IndependentCount(), 1)) + YVars.size();
    CheckSlots(count * static_cast<std::uint64_t>(n), "this number of points");
    if (XVars.empty()) XVars.push_back(NewIndependentVariable());
    const auto size = static_cast<std::uint32_t>(n);
    for (auto& v : XVars) v->Resize(size);
    for (auto& v : YVars) v->Resize(size);
}

void CPlotLook::ResizeTimeBuffers() {
    if (IsTimePlot()) MakeVariablesCircular();
}

void CPlotLook::DeleteObjectsOf(int first, int last) {
    const auto owns = [first, last](const CPlotObj& object) {
        return object.Kind != PlotObjKind::Text && object.YVarIndex >= first && object.YVarIndex < last;
    };
    Objects.EraseIf([&](const std::unique_ptr<CPlotObj>& object) {
        if (owns(*object) && ActiveObject == object.get()) ActiveObject = nullptr;
        return owns(*object);
    });
    for (const auto& object : Objects) {
        if (object->Kind != PlotObjKind::Text && object->YVarIndex >= last) object->YVarIndex -= last - first;
    }
}

void CPlotLook::RemoveVariable(int i) {
    if (!YVar(i)) throw AutomationError::InvalidArg("there is no variable " + std::to_string(i) + " to remove");
    RemoveVariables(i, i + 1);
}

void CPlotLook::RemoveVariables(int first, int last) {
    // Captions showing a removed variable's legend show nothing.
    std::unordered_set<const CPlotLabel*> labels;
    for (int k = first; k < last; ++k) labels.insert(&YVars[static_cast<std::size_t>(k)]->Label);
    auto unbind = [&](CPlotLabelRgn* region) {
        if (region && labels.count(region->Caption) != 0) region->Caption = nullptr;
    };
    unbind(XLabelRgn.get());
    for (auto& region : YLabelRgns) unbind(region.get());
    const std::vector<CPlotAxisRgn*> unused = AxesLeftUnused(first, last);
    YVars.erase(YVars.begin() + first, YVars.begin() + last);
    LabelsDirty = 1;
    DeleteAxes(unused);
    DeleteObjectsOf(first, last);
    TrackedVar = -1;
    Control->ContentDeleted();
}

std::vector<CPlotAxisRgn*> CPlotLook::AxesLeftUnused(int first, int last) const {
    // Triangular plots keep their two side axes.
    if (Triangular) return {};
    std::unordered_set<const CPlotAxisRgn*> kept;
    for (int i = 0; i < DependentCount(); ++i) {
        if (i < first || i >= last) kept.insert(YAxisRegion(YVars[static_cast<std::size_t>(i)]->AxisMap));
    }
    // Removed one at a time, the variables would each take their axis along when no variable
    // left uses it: in the order of the last removed variable that does.
    std::vector<CPlotAxisRgn*> unused;
    std::unordered_map<const CPlotAxisRgn*, std::size_t> at;
    for (int k = first; k < last; ++k) {
        CPlotAxisRgn* axis = YAxisRegion(YVars[static_cast<std::size_t>(k)]->AxisMap);
        if (!axis || kept.count(axis) != 0) continue;
        if (const auto it = at.find(axis); it != at.end()) unused[it->second] = nullptr;
        at[axis] = unused.size();
        unused.push_back(axis);
    }
    std::erase(unused, nullptr);
    return unused;
}

void CPlotLook::DeleteAxes(const std::vector<CPlotAxisRgn*>& axes) {
    for (CPlotAxisRgn* axis : axes) {
        // Every plot keeps one Y axis.
        if (YAxisCount() <= 1) return;
        const auto it = std::find_if(YAxisRgns.begin(), YAxisRgns.end(), [axis](const auto& r) { return r.get() == axis; });
        const int a = static_cast<int>(it - YAxisRgns.begin()) + 1;
        DeleteYAxisRegion(a - 1);
        for (auto& v : YVars) {
            if (v->AxisMap > a) --v->AxisMap;
        }
        for (auto& region : YAxisRgns) {
            if (region->AxisIndex > a) --region->AxisIndex;
        }
    }
}

void CPlotLook::MoveVariable(int from, int to) {
    const int n = DependentCount();
    if (to < 0 || to >= n || from >= n || from < -1) return;
    CPlotVar& q = *YVars[static_cast<std::size_t>(to)];
    if (from >= 0) {
        std::swap(YVars[static_cast<std::size_t>(from)]->AxisMap, q.AxisMap);
        std::swap(YVars[static_cast<std::size_t>(from)], YVars[static_cast<std::size_t>(to)]);
    }
    q.Clear();
    AxisMapDirty = 1;
}

void CPlotLook::SwapVariables(int a, int b) {
    if (a < 0 || b < 0) {
        throw AutomationError::InvalidArg("variable positions cannot be negative (" + std::to_string(a) + ", " +
                                          std::to_string(b) + ")");
    }
    if (a >= DependentCount() || b >= DependentCount()) return;
    std::swap(YVars[static_cast<std::size_t>(a)], YVars[static_cast<std::size_t>(b)]);
}

void CPlotLook::SetHidden(int i, int hidden) {
    CPlotVar* var = YVar(i);
    if (!var) return;
    var->Hidden = hidden;
    if (var->LabelIndex >= 1 && var->LabelIndex <= static_cast<int>(YLabelRgns.size())) {
        YLabelRgns[static_cast<std::size_t>(var->LabelIndex - 1)]->Hidden = hidden;
    }
}

void CPlotLook::SetVariableDisplayMode(int i, int mode) {
    if (CPlotVar* var = YVar(i)) var->DisplayMode = static_cast<std::int16_t>(std::clamp(mode, -1, 2));
}

void CPlotLook::NameVariable(int i, const std::string& name) {
    CPlotVar* var = YVar(i);
    if (!var) return;
    var->Name = name;
    if (var->MapCaption.empty()) var->MapCaption = name;
}

bool CPlotLook::SetData(int index, std::int64_t point, double value) {
    const bool stored = StoreValue(index == 0 ? XVar(0) : YVar(index - 1), point, value);
    if (stored) HostDataChanged = 1;
    return stored;
}

bool CPlotLook::SetXData(int index, std::int64_t point, double value) {
    return StoreValue(index >= 1 ? XVar(index - 1) : nullptr, point, value);
}

bool CPlotLook::StoreValue(CPlotVar* var, std::int64_t point, double value) {
    if (!var || point < 0 || point >= CPlotVar::kMaxSlots) return false;
    // The variable would grow: the plot's budget decides before anything is stored.
    const std::uint32_t grown = var->CapacityAfterWrite(point);
    if (grown > var->Capacity()) CheckSlots(TotalSlots() + (grown - var->Capacity()), "this point");
    if (!var->SetValue(point, value)) return false;
    RefitDirty = 1;
    return true;
}

}  // namespace vtg
