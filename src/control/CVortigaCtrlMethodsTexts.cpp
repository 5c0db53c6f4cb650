// Automation methods: captions, legends, fonts, the legend box, line attributes and colours.
#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotLookAutomation.h"
#include "regions/CDrawTool.h"

namespace vtg {

namespace {

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

}  // namespace

// ---- captions and legends ----

void CVortigaCtrl::SetLabel(std::int16_t AxisNo, const std::string& Label) {
    CancelEditing();
    CPlotLook& plot = Plot();
    plot.SetLabel(AxisNo, Label);
    plot.LayoutDirty = 1;
    ModifiedTail();
    InvalidateUnlessLoading();
}

std::string CVortigaCtrl::GetLabel(std::int16_t AxisNo) { return Plot().GetLabel(AxisNo); }

void CVortigaCtrl::SetLegend(std::int16_t VarNo, const std::string& Legend) {
    CancelEditing();
    CPlotLook& plot = Plot();
    plot.SetLegend(VarNo, Legend);
    plot.LayoutDirty = 1;
    ModifiedTail();
    InvalidateUnlessLoading();
}

std::string CVortigaCtrl::GetLegend(std::int16_t VarNo) { return Plot().GetLegend(VarNo).value_or(std::string()); }

std::string CVortigaCtrl::GetCurrentValue(std::int16_t ObjID) {
    switch (ObjID) {
        case 0: return TrimBlanks(Title);
        case 1: return TrimBlanks(xlabel);
        case 2: return TrimBlanks(ylabel);
        default: return {};
    }
}

// ---- fonts ----

void CVortigaCtrl::SetFont(std::int16_t FontID, const std::string& fontname, std::int16_t size, std::int16_t attrib) {
    Plot().SetFont(FontID, fontname, size, attrib);
    LookDirty();
    ModifiedTail();
    InvalidateControl();
}

std::string CVortigaCtrl::GetFont(std::int16_t FontID, std::int16_t& size, std::int16_t& attrib) {
    const CVTGFont* font = FontOfSlot(Plot(), FontID);
    if (!font) return {};
    size = Short(font->Size);
    attrib = Short(font->Style);
    return font->Face;
}

// ---- line attributes ----

void CVortigaCtrl::SetAttribute(std::int16_t lineno, std::int16_t Type, std::int16_t marker, std::int16_t color) {
    Plot().SetAttribute(lineno, Type, marker, color);
    InvalidateUnlessLoading();
    ModifiedTail();
}

void CVortigaCtrl::GetAttribute(std::int16_t lineno, std::int16_t& Type, std::int16_t& marker, std::int16_t& color) {
    const std::optional<LineAttributes> a = Plot().GetAttribute(lineno);
    if (!a) return;
    Type = Short(LineTypeCode(a->line));
    marker = Short(a->marker);
    color = Short(a->color);
}

void CVortigaCtrl::GetVarLocalAttribute(std::int16_t lineno, std::int16_t& ilocal) {
    if (const CPlotVar* var = Plot().YVar(lineno)) ilocal = var->DisplayMode;
}

void CVortigaCtrl::SetVarLocalAttribute(std::int16_t lineno, std::int16_t ilocal) {
    Plot().SetVariableDisplayMode(lineno, ilocal);
}

void CVortigaCtrl::GetVarLineAttributes(std::int16_t iVar, std::int16_t& iColor, std::int16_t& iLineWidth,
                                        std::int16_t& iLineStyle, std::int16_t& iMarker, std::int16_t& iSize,
                                        std::int16_t& iInterval) {
    if (iVar < 0 || iVar >= AddressableVariables()) return;
    ReadLineAttributes(Plot().YVar(iVar), iColor, iLineWidth, iLineStyle, iMarker, iSize, iInterval);
}

void CVortigaCtrl::ReadLineAttributes(const CPlotVar* var, std::int16_t& iColor, std::int16_t& iLineWidth,
                                      std::int16_t& iLineStyle, std::int16_t& iMarker, std::int16_t& iSize,
                                      std::int16_t& iInterval) {
    if (!var) {
        iColor = iLineWidth = iLineStyle = iMarker = iSize = iInterval = 0;
        return;
    }
    const CPlotLook& plot = Plot();
    iColor = Short(var->Color);
    iLineWidth = Short(var->PenWidth);
    iLineStyle = Short(var->PenStyle);
    iMarker = Short(var->Marker);
    // 0 means the variable follows the plot's defaults.
    iSize = Short(var->VarMarkerSize != 0 ? var->VarMarkerSize : plot.MarkerSize);
    iInterval = Short(var->VarMarkerInterval != 0 ? var->VarMarkerInterval : plot.MarkerInterval);
}

void CVortigaCtrl::SetVarLineAttributes(std::int16_t iVar, std::int16_t iColor, std::int16_t iLineWidth,
                                        std::int16_t iLineStyle, std::int16_t iMarker, std::int16_t iSize,
                                        std::int16_t iInterval) {
    if (iVar < 0 || iVar >= AddressableVariables()) return;
    CPlotLook& plot = Plot();
    CPlotVar* var = plot.YVar(iVar);
    if (!var) return;
    var->Color = iColor;
    var->PenWidth = iLineWidth;
    var->PenStyle = iLineStyle;
    var->Marker = iMarker;
    SetVariableMarkerSizes(plot, *var, iSize, iInterval);
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

// ---- legend box and colours ----

void CVortigaCtrl::SetLegendBox(std::int16_t location, std::int16_t width, float itemheight, std::int16_t margin) {
    if (IgnoreSetLegend || !plotLook) return;
    plotLook->SetLegendBox(location, width, itemheight, margin);
}

std::int16_t CVortigaCtrl::GetLabelColor(std::int16_t AxisNo) { return Short(LabelColorIndex(Plot(), AxisNo)); }

std::int16_t CVortigaCtrl::GetAxisColor(std::int16_t AxisNo) { return Short(AxisColorIndex(Plot(), AxisNo)); }

}  // namespace vtg
