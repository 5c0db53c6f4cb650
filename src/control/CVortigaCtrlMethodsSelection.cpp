// Automation methods on what the user (or the host, through the plot's selection operations)
// selected: a text object's annotation, a variable's line, a caption region or an axis region;
// and showing or hiding variables and captions.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "control/CVortigaCtrl.h"
#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotLookAutomation.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

std::int16_t Short(int value) { return static_cast<std::int16_t>(value); }

// A font without a face is never drawn, and one of no size has no height.
constexpr int kDefaultPoints = 10;

// The caption HideShowLabel and the flipped GetYaxisLabelsState address; null when there is none.
CPlotLabelRgn* CaptionByIndex(const CPlotLook& plot, int index) {
    if (index == 0 || plot.Flipped) return plot.LabelRegionForRole(index);
    if (index < 1 || index > static_cast<int>(plot.YLabelRgns.size())) return nullptr;
    return plot.YLabelRgns[static_cast<std::size_t>(index - 1)].get();
}

AutomationError NoSuch(const char* method, const std::string& what, int index) {
    return AutomationError::InvalidArg(std::string(method) + ": the plot has no " + what + " " + std::to_string(index),
                                       0);
}

}  // namespace

// ---- the selected annotation ----

std::string CVortigaCtrl::GetSelAnnoAttributes(std::int16_t& ifontsize, std::int16_t& ifontattrib,
                                               std::int16_t& ifontcolor, std::int16_t& idirecton,
                                               std::int16_t& ialignment, std::int16_t& iattachment,
                                               std::int16_t& iarrow) {
    CPlotLook& plot = Plot();
    plot.SettleCurveTies();
    const CPlotAnnotation* a = plot.SelectedAnnotation();
    if (!a) {
        ifontsize = ifontattrib = ifontcolor = idirecton = ialignment = iattachment = iarrow = 0;
        return {};
    }
    ifontsize = Short(a->Font ? a->Font->Size : 0);
    ifontattrib = Short(a->Font ? a->Font->Style : 0);
    ifontcolor = Short(a->Color);
    idirecton = Short(a->Direction);
    ialignment = Short(a->Alignment);
    iattachment = Short(a->Attachment);
    iarrow = Short(a->Arrow);
    return a->Font ? a->Font->Face : std::string();
}

void CVortigaCtrl::SetSelAnnoAttributes(const std::string& sfontname, std::int16_t ifontsize, std::int16_t ifontattrib,
                                        std::int16_t ifontcolor, std::int16_t idirecton, std::int16_t ialignment,
                                        std::int16_t iattachment, std::int16_t iarrow) {
    CPlotLook& plot = Plot();
    CPlotAnnotation* a = plot.SelectedAnnotation();
    if (!a) return;
    // A new attachment ties (or frees) the text at its layout, which turns its place into the
    // units of the new attachment; storing the number alone would read the old place wrongly.
    if (iattachment >= 0 && iattachment != a->Attachment) a->RequestAttachment(iattachment);
    CPlotAnnotation::Attributes attributes = a->GetAttributes();
    attributes.color = ifontcolor;
    attributes.direction = idirecton;
    attributes.arrow = iarrow;
    attributes.alignment = ialignment;
    a->SetAttributes(attributes);
    const std::string face = sfontname.empty() && a->Font ? a->Font->Face : sfontname;
    if (!face.empty()) {
        a->Font = plot.Environment().Tool().GetFont(face, ifontsize > 0 ? ifontsize : kDefaultPoints, idirecton,
                                                    ifontattrib & 7);
    }
    a->NeedsMeasure = 1;
    WithWindowSurface([&](Surface* dc) {
        if (dc) a->Layout(*dc, plot);
    });
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

// ---- the selected variable line ----

void CVortigaCtrl::GetVarLineInfo(std::int16_t& iColor, std::int16_t& iLineWidth, std::int16_t& iLineStyle,
                                  std::int16_t& iMarker, std::int16_t& iSize, std::int16_t& iInterval) {
    const CPlotLook& plot = Plot();
    ReadLineAttributes(plot.YVar(plot.SelectedVariableLine()), iColor, iLineWidth, iLineStyle, iMarker, iSize,
                       iInterval);
}

void CVortigaCtrl::SetVarLineInfo(std::int16_t iColor, std::int16_t iLineWidth, std::int16_t iLineStyle,
                                  std::int16_t iMarker, std::int16_t iSize, std::int16_t iInterval) {
    CPlotLook& plot = Plot();
    if (CPlotVar* var = plot.YVar(plot.SelectedVariableLine())) {
        // A colour dialog reports the colour alone: the rest of the line waits for a call
        // that keeps the colour.
        if (iColor != var->Color) {
            var->Color = iColor;
        } else {
            var->PenWidth = iLineWidth;
            var->PenStyle = iLineStyle;
            var->Marker = iMarker;
            SetVariableMarkerSizes(plot, *var, iSize, iInterval);
        }
    }
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

void CVortigaCtrl::GetIndexSelVarLine(std::int16_t& iIndex) {
    const int index = Plot().SelectedVariableLine();
    iIndex = Short(index >= 0 ? index : 0);
}

void CVortigaCtrl::HideShowVariable(std::int16_t iIndex, std::int16_t iHide1Show0) {
    CPlotLook& plot = Plot();
    CPlotVar* var = plot.YVar(iIndex);
    if (!var) return;
    const bool hide = iHide1Show0 != 0;
    plot.SetHidden(iIndex, hide ? 1 : 0);
    const int count = plot.DependentCount();
    if (count == 1 && var->LabelIndex >= 1 && var->LabelIndex <= static_cast<int>(plot.YLabelRgns.size())) {
        plot.YLabelRgns[static_cast<std::size_t>(var->LabelIndex - 1)]->Hidden = 0;
    }
    ShowLegend = plot.ShowLegend == 1;
    if (ShowLegend && plot.LegendRgn) {
        bool anyVisible = false;
        for (int i = 0; i < count; ++i) anyVisible = anyVisible || !plot.YVar(i)->Hidden;
        const bool keep = count == 1 ? !hide : anyVisible;
        if (keep) {
            plot.LegendRgn->MarkForLayout();
        } else {
            plot.LegendRgn->Empty();
        }
    }
    ZoomLevel = plot.ZoomLevel;
    zoomed = ZoomLevel > 1.001;
    if (!hide && !zoomed) plot.Recalculate();
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

// ---- captions ----

void CVortigaCtrl::GetIndexSelLabel(std::int16_t& iIndex) {
    const CPlotLook& plot = Plot();
    const CPlotLabelRgn* caption = plot.SelectedCaptionRegion();
    const auto& captions = plot.YLabelRgns;
    const auto it = std::find_if(captions.begin(), captions.end(), [&](const auto& c) { return c.get() == caption; });
    // The number HideShowLabel takes for it: 0 the X caption, k the k-th Y caption.
    iIndex = Short(caption && it != captions.end() ? static_cast<int>(it - captions.begin()) + 1 : 0);
}

void CVortigaCtrl::HideShowLabel(std::int16_t iIndex, std::int16_t iHide1Show0) {
    CPlotLook& plot = Plot();
    CPlotLabelRgn* caption = CaptionByIndex(plot, iIndex);
    if (!caption) throw NoSuch("HideShowLabel", "caption", iIndex);
    const bool hide = iHide1Show0 != 0;
    caption->Hidden = hide ? 1 : 0;
    if (hide) plot.ClearSelection();
    if (iIndex == 0) ShowXaxisLabel = !hide;
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

std::string CVortigaCtrl::GetYaxisLabelsState(std::int16_t iIndex, std::int16_t& iVisibility) {
    const CPlotLook& plot = Plot();
    const auto& captions = plot.YLabelRgns;
    const int position = plot.Flipped ? 0 : iIndex;
    if (position < 0 || position >= static_cast<int>(captions.size())) {
        throw NoSuch("GetYaxisLabelsState", "Y caption", iIndex);
    }
    const CPlotLabelRgn& caption = *captions[static_cast<std::size_t>(position)];
    iVisibility = Short(caption.Hidden ? 0 : 1);
    return caption.Text();
}

std::string CVortigaCtrl::GetVariableLineState(std::int16_t iIndex, std::int16_t& iVisibility) {
    const CPlotVar* var = Plot().YVar(iIndex);
    if (!var) throw NoSuch("GetVariableLineState", "variable", iIndex);
    iVisibility = Short(var->Hidden ? 0 : 1);
    return var->Label.Text;
}

std::int16_t CVortigaCtrl::GetLabelColorIndex() {
    const CPlotLabelRgn* caption = Plot().SelectedCaptionRegion();
    return Short(caption ? caption->ColorIndex : 0);
}

void CVortigaCtrl::SetLabelColorIndex(std::int16_t iColIndex) {
    if (CPlotLabelRgn* caption = Plot().SelectedCaptionRegion()) caption->ColorIndex = ClampColorIndex(iColIndex);
}

// ---- the selected axis ----

std::int16_t CVortigaCtrl::GetAxisColorIndex() {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    return Short(region ? region->ColorIndex : 0);
}

void CVortigaCtrl::SetAxisColorIndex(std::int16_t iColIndex) {
    if (CPlotAxisRgn* region = Plot().SelectedAxisRegion()) region->ColorIndex = ClampColorIndex(iColIndex);
}

void CVortigaCtrl::GetIndexSelAxisScaleRgn(std::int16_t& iIndex) {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    iIndex = Short(region ? region->AxisIndex : 0);
}

std::int16_t CVortigaCtrl::GetSelAxisScaleReverse() {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    return Short(region && region->Axis ? region->Axis->Reverse : 0);
}

std::int16_t CVortigaCtrl::GetSelAxisScaleResetRange() {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    return Short(region && region->Axis ? region->Axis->ResetRange : 0);
}

std::int16_t CVortigaCtrl::GetSelAxisScaleLockGrid() {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    return Short(region && region->Axis ? region->Axis->LockGrid : 0);
}

double CVortigaCtrl::GetSelAxisScaleInterval() {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    return region && region->Axis ? region->Axis->Interval : 0.0;
}

void CVortigaCtrl::SetSelAxisScaleReverse(std::int16_t iReverse) {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    if (region && region->Axis) {
        CPlotAxis& axis = *region->Axis;
        if ((axis.Reverse != 0) != (iReverse != 0)) axis.NeedsRescale = 1;
        axis.Reverse = iReverse;
    }
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

void CVortigaCtrl::SetSelAxisScaleResetRange(std::int16_t iResetRange) {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    if (region && region->Axis) region->Axis->ResetRange = iResetRange > 0 ? 1 : 0;
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

void CVortigaCtrl::SetSelAxisScaleLockGrid(std::int16_t iLockGrid) {
    const CPlotAxisRgn* region = Plot().SelectedAxisRegion();
    if (region && region->Axis) {
        CPlotAxis& axis = *region->Axis;
        const int lock = iLockGrid > 0 ? 1 : 0;
        if (axis.LockGrid != lock) axis.NeedsRescale = 1;
        axis.LockGrid = lock;
    }
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

void CVortigaCtrl::SetSelAxisScaleInterval(double dInterval) {
    CPlotLook& plot = Plot();
    const CPlotAxisRgn* region = plot.SelectedAxisRegion();
    if (region && region->Axis) {
        if (plot.TriangleKind() != 0) {
            // The triangle's grid steps by GridInterval: one that is not a positive number (also
            // once it is a float) would give the grid no step, and its loop would never end.
            const bool usable = std::isfinite(dInterval) && dInterval <= std::numeric_limits<float>::max() &&
                                static_cast<float>(dInterval) > 0;
            if (usable) {
                GridInterval = static_cast<float>(dInterval);
                region->Axis->SetUserInterval(dInterval, 1);
                if (plot.XAxisRgn && plot.XAxisRgn->Axis) plot.XAxisRgn->Axis->SetUserInterval(dInterval, 1);
            }
        } else {
            region->Axis->SetUserInterval(dInterval, region->Axis->LockGrid);
        }
    }
    CancelEditing();
    ModifiedTail();
    LookDirty();
    InvalidateControl();
}

}  // namespace vtg
