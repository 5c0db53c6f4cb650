// The legend and Y-axis-map dialogs, run through the host's dialog server.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "control/CVortigaCtrl.h"
#include "control/Events.h"
#include "control/HostServices.h"
#include "plot/CPlotLook.h"
#include "platform/RecordingSurface.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

// A dialog answer counts as given when the call succeeded and returned something non-zero.
bool Answered(const std::optional<Variant>& result) {
    if (!result) return false;
    try {
        return result->ToI4() != 0;
    } catch (const AutomationError&) {
        return false;
    }
}

std::string TextOf(const Variant& v) {
    try {
        return v.ToString();
    } catch (const AutomationError&) {
        return {};
    }
}

std::int32_t NumberOf(const Variant& v, std::int32_t fallback) {
    try {
        return v.ToI4();
    } catch (const AutomationError&) {
        return fallback;
    }
}

// What the Y-axis-map dialog hands back once it was accepted.
struct AxisMapAnswer {
    bool apply = false;
    std::vector<int> axes;              // per variable; -1 keeps the variable's axis
    std::vector<std::string> labels;    // per axis, from axis 1 on
};

void OfferVariables(DialogServer& server, CPlotLook& plot) {
    for (int i = 0; i < plot.DependentCount(); ++i) {
        const CPlotVar& var = *plot.YVars[static_cast<std::size_t>(i)];
        std::vector<Variant> name{Variant(var.Label.Text), Variant(var.MapCaption)};
        server.Call("AddVarName", name);
        const CPlotAxisRgn* axis = plot.YAxisRegion(var.AxisMap);
        std::vector<Variant> label{Variant(axis ? axis->Label.Text : std::string())};
        server.Call("AddYAxisLabel", label);
        std::vector<Variant> index{Variant(static_cast<std::int32_t>(var.AxisMap))};
        server.Call("AddYAxisMapIndex", index);
    }
}

std::optional<AxisMapAnswer> AskAxisMap(DialogServer& server, CPlotLook& plot) {
    std::int32_t applyFlag = 0;
    const CPlotAxisRgn* first = plot.YAxisRegion(1);
    Variant apply{applyFlag};
    std::vector<Variant> show{Variant(first ? first->Label.Text : std::string()), Variant::Ref(apply)};
    if (!Answered(server.Call("ShowYAxisMapDialog", show))) return std::nullopt;
    AxisMapAnswer answer;
    answer.apply = NumberOf(apply, 0) != 0;
    // A server may answer anything: an axis number is taken only when it is one the plot can
    // have (one more axis than variables at most), so that no mapping reaches far beyond.
    const int count = plot.DependentCount();
    for (int i = 0; i < count; ++i) {
        Variant axis{std::int32_t{-1}};
        std::vector<Variant> args{Variant(static_cast<std::int32_t>(i)), Variant::Ref(axis)};
        const int number = Answered(server.Call("GetYAxisMapIndex", args)) ? NumberOf(axis, -1) : -1;
        answer.axes.push_back(number >= 0 && number <= count + 1 ? number : -1);
    }
    // Labels are asked for the axes the new map can have, not until the server says stop: a
    // server that always answers must not keep the control asking forever.
    const int axes = std::max(1, *std::max_element(answer.axes.begin(), answer.axes.end()));
    for (int k = 0; k < axes; ++k) {
        Variant label{std::string()};
        std::vector<Variant> args{Variant(static_cast<std::int32_t>(k)), Variant::Ref(label)};
        if (!Answered(server.Call("GetYAxisLabel", args))) break;
        answer.labels.push_back(TextOf(label));
    }
    return answer;
}

}  // namespace

void CVortigaCtrl::AddLegendEditDialog() {
    CancelEditing();
    CPlotLook& plot = Plot();
    CPlotLegendRgn* legend = dynamic_cast<CPlotLegendRgn*>(plot.Selection);
    if (!legend) legend = plot.LegendRgn.get();
    if (!legend) return;
    RecordingSurface dc;
    if (legend->EditProperties(dc, plot)) ModifiedTail();
}

void CVortigaCtrl::AddYAxisMapDialog() {
    CancelEditing();
    std::optional<DialogServer> server = DialogServer::Open();
    if (!server) return;
    CPlotLook& plot = Plot();
    OfferVariables(*server, plot);
    const std::optional<AxisMapAnswer> answer = AskAxisMap(*server, plot);
    if (!answer) return;
    for (std::size_t i = 0; i < answer->axes.size(); ++i) {
        if (answer->axes[i] >= 0) plot.SetAxisMap(static_cast<int>(i), answer->axes[i]);
    }
    if (answer->apply) SetAxisMap(-1, 0);
    // Applying the map told the host Modified: its handler may have cleared or rebuilt the plot.
    CPlotLook& labelled = Plot();
    for (std::size_t k = 0; k < answer->labels.size(); ++k) {
        labelled.SetLabel(static_cast<int>(k) + 1, answer->labels[k]);
    }
    labelled.LayoutDirty = 1;
    ModifiedTail();
    FireEvent(EventId::Zoomed, {Variant(true)});
    InvalidateControl();
}

}  // namespace vtg
