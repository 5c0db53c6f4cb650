// Line attributes of the variables and the plot content block of the control's stream.
#include <algorithm>

#include "objects/CPlotObj.h"
#include "plot/BinaryStream.h"
#include "plot/CPlotLook.h"

namespace vtg {

LineStyle SplitLineType(int code) {
    if (code < 0) return {0, -1};
    if (code < 4) return {1, code};
    return {code - 2, 0};
}

int LineTypeCode(LineStyle s) {
    if (s.style < 0) return -1;
    if (s.width <= 1) return std::clamp(s.style, 0, 3);
    return s.width + 2;
}

namespace {

// A variable by its 0-based index, or -- for an index that names no variable -- the variable
// of the plot object with that id.
CPlotVar* AttributeTarget(const CPlotLook& plot, int var) {
    if (CPlotVar* v = plot.YVar(var)) return v;
    const CPlotObj* object = plot.FindObject(var);
    return object ? plot.YVar(object->YVarIndex) : nullptr;
}

}  // namespace

void CPlotLook::SetAttribute(int var, int lineType, int marker, int color) {
    SetLineAttributes(var, SplitLineType(lineType), marker, color);
}

void CPlotLook::SetLineAttributes(int var, LineStyle line, int marker, int color) {
    CPlotVar* v = AttributeTarget(*this, var);
    if (!v) return;
    v->Color = color;
    if (v->Filled) {
        v->FillStyle = marker;
    } else {
        v->Marker = marker;
    }
    if (BarGraph) {
        v->FillStyle = line.style;
    } else {
        v->PenWidth = line.width;
        v->PenStyle = line.style;
    }
}

std::optional<LineAttributes> CPlotLook::GetAttribute(int var) const {
    const CPlotVar* v = YVar(var);
    if (!v) return std::nullopt;
    LineAttributes a;
    a.color = v->Color;
    a.marker = v->Marker;
    a.line = {v->PenWidth, BarGraph ? v->FillStyle : v->PenStyle};
    return a;
}

void CPlotLook::SetAttribute2(int var, const SecondAttributes& a) {
    CPlotVar* v = AttributeTarget(*this, var);
    if (!v) return;
    v->VarMarkerSize = a.markerSize;
    v->VarMarkerInterval = a.markerInterval;
    v->Attrib2Extra = {a.extra3, a.extra4};
}

std::optional<SecondAttributes> CPlotLook::GetAttribute2(int var) const {
    const CPlotVar* v = AttributeTarget(*this, var);
    if (!v) return std::nullopt;
    return SecondAttributes{v->VarMarkerSize, v->VarMarkerInterval, v->Attrib2Extra[0], v->Attrib2Extra[1]};
}

void CPlotLook::WriteData(BinaryWriter& out) const {
    auto write = [&out](const CPlotVar& v) {
        const std::vector<double> values = v.OrderedValues();
        out.I32(static_cast<std::int32_t>(values.size()));
        for (double x : values) out.F64(x);
    };
    for (const auto& v : XVars) write(*v);
    for (const auto& v : YVars) write(*v);
}

PlotContent ParsePlotContent(BinaryReader& in, std::size_t independents, std::size_t dependents) {
    auto read = [&in] {
        const std::size_t n = in.Count(in.I32(), sizeof(double), CPlotVar::kMaxSlots, "the number of values");
        std::vector<double> values(n);
        for (double& x : values) x = in.F64();
        return values;
    };
    PlotContent content;
    for (std::size_t k = 0; k < independents; ++k) content.independent.push_back(read());
    for (std::size_t k = 0; k < dependents; ++k) content.dependent.push_back(read());
    return content;
}

PlotContent CPlotLook::ParseData(BinaryReader& in) const { return ParsePlotContent(in, XVars.size(), YVars.size()); }

void CPlotLook::ApplyData(const PlotContent& content) {
    const std::size_t nx = std::min(content.independent.size(), XVars.size());
    const std::size_t ny = std::min(content.dependent.size(), YVars.size());
    // What the plot holds afterwards stays within its budget, or nothing is loaded.
    std::uint64_t total = 0;
    for (std::size_t k = 0; k < XVars.size(); ++k) {
        total += k < nx ? XVars[k]->CapacityAfterLoad(content.independent[k].size()) : XVars[k]->Capacity();
    }
    for (std::size_t k = 0; k < YVars.size(); ++k) {
        total += k < ny ? YVars[k]->CapacityAfterLoad(content.dependent[k].size()) : YVars[k]->Capacity();
    }
    CheckSlots(total, "the stored values");
    for (std::size_t k = 0; k < nx; ++k) XVars[k]->LoadValues(content.independent[k]);
    for (std::size_t k = 0; k < ny; ++k) YVars[k]->LoadValues(content.dependent[k]);
}

void CPlotLook::ReadData(BinaryReader& in) { ApplyData(ParseData(in)); }

}  // namespace vtg
