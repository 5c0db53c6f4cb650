// What each of the control's properties does when the host sets it.
#include <algorithm>
#include <cmath>

#include "control/CVortigaCtrl.h"
#include "control/HostServices.h"
#include "platform/WindowSite.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

// The menu commands the property handlers add to the plot's menus.
constexpr int kProfileVariablesCommand = 32784;
constexpr int kProfileTableCommand = 32788;

// The first submenu of one of the plot's menus, when the menus exist.
Menu* FirstSubmenu(CPlotLook& plot, std::size_t slot) {
    Menu* menu = plot.Menus[slot].get();
    return menu && menu->Count() > 0 ? menu->SubMenu(0) : nullptr;
}

void InsertUnlessPresent(Menu* menu, int position, MenuItem item) {
    if (menu && !menu->Find(item.command)) menu->InsertAt(position, std::move(item));
}

}  // namespace

// ---- texts ----

void CVortigaCtrl::OnTitleChanged() {
    MarkChanged(kTitleBit);
    const std::string title = TrimBlanks(Title);
    Plot().SetCaptionText(255, title);
    FireSetCaption(title);
    LookDirty();
    InvalidateControl();
    ModifiedTail();
}

void CVortigaCtrl::OnXLabelChanged() {
    MarkChanged(kXLabelBit);
    CancelEditing();
    Plot().SetCaptionText(0, TrimBlanks(xlabel));
    LookDirty();
    InvalidateControl();
    ModifiedTail();
}

void CVortigaCtrl::OnYLabelChanged() {
    MarkChanged(kYLabelBit);
    CancelEditing();
    Plot().SetCaptionText(1, TrimBlanks(ylabel));
    LookDirty();
    InvalidateControl();
    ModifiedTail();
}

// ---- plot kind ----

void CVortigaCtrl::SetRunPlot(bool value) {
    MarkChanged(kRunPlotBit);
    CPlotLook& plot = Plot();
    // Rings too large for the plot are refused before anything changes.
    plot.SetRunPlot(value);
    RunPlot = value;
    if (value && phasePlot) {
        phasePlot = false;
        plot.SetPhasePlot(false);
    }
    SetModified();
}

void CVortigaCtrl::SetPlotType(std::int16_t value) {
    MarkChanged(kPlotTypeBit);
    // Kinds beyond the five the plot knows build an XY plot; the property says so too.
    const std::int16_t type = value >= 0 && value <= 4 ? value : std::int16_t{0};
    PlotType = type;
    // Switching between the two triangular variants keeps the plot but still redraws it.
    CPlotLook& plot = Plot();
    const int variant = plot.Triangular;
    if (plot.SetPlotType(type) == 0 && plot.Triangular == variant) return;
    CancelEditing();
    InvalidateControl();
    ModifiedTail();
}

void CVortigaCtrl::SetTimeWindow(float value) {
    MarkChanged(kTimeWindowBit);
    // A window that is not a positive width would make the time axis step nowhere.
    if (!std::isfinite(value) || !(value > 0)) return;
    TimeWindow = value;
    if (!RunPlot) return;
    Plot().ResetTimeAxis();
    InvalidateControl();
    SetModified();
}

void CVortigaCtrl::OnUseVariableChanged() {
    MarkChanged(kUseVariableBit);
    ModifiedTail();
}

// ---- counts ----

void CVortigaCtrl::SetNpoints(std::int16_t value) {
    MarkChanged(kNpointsBit);
    if (value < 0) return;
    CancelEditing();
    Plot().SetPointCount(value);
    npoints = value;
    ModifiedTail();
}

void CVortigaCtrl::SetNvariables(std::int16_t value) {
    MarkChanged(kNvariablesBit);
    CancelEditing();
    CPlotLook& plot = Plot();
    const bool changed = plot.SetVariableCount(value);
    nvariables = value;
    NameNewVariables(plot.DependentCount());
    if (changed) InvalidateControl();
    ModifiedTail();
}

void CVortigaCtrl::NameNewVariables(int count) {
    const auto old = static_cast<int>(variableNames.size());
    if (old >= count) return;
    variableNames.resize(static_cast<std::size_t>(count));
    // Only the new entries get a generated name: names the host gave stay.
    for (int j = old; j < count; ++j) Plot().NameVariable(j, "Var. " + std::to_string(j + 1));
}

void CVortigaCtrl::SetNxvariables(std::int16_t value) {
    MarkChanged(kNxvariablesBit);
    Plot().SetXVariableCount(value);
    nxvariables = value;
    CancelEditing();
    ModifiedTail();
}

void CVortigaCtrl::SetBufferSize(std::int32_t value) {
    MarkChanged(kBufferSizeBit);
    if (value < 1) return;
    if (static_cast<std::uint32_t>(value) > CPlotVar::kMaxSlots) {
        throw AutomationError::InvalidArg("BufferSize " + std::to_string(value) + " is larger than a variable holds (" +
                                          std::to_string(CPlotVar::kMaxSlots) + ")");
    }
    const std::int32_t previous = BufferSize;
    BufferSize = value;
    try {
        Plot().ApplyControlSettings();
    } catch (...) {
        BufferSize = previous;
        throw;
    }
    ModifiedTail();
}

void CVortigaCtrl::OnTimeScrollUnitChanged() {
    MarkChanged(kTimeScrollUnitBit);
    if (!(TimeScrollUnit >= 0.001f && TimeScrollUnit <= TimeWindow)) TimeScrollUnit = TimeWindow * 0.2f;
    SetModified();
}

// ---- appearance ----

void CVortigaCtrl::OnGridTypeChanged() {
    MarkChanged(kGridTypeBit);
    if (GridType < 0 || GridType > 3) GridType = 0;
    Plot().GridType = GridType;
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnMarkerSizeChanged() {
    MarkChanged(kMarkerSizeBit);
    Plot().MarkerSize = MarkerSize;
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnMarkerIntervalChanged() {
    MarkChanged(kMarkerIntervalBit);
    // Stored as given; drawing steps by at least one point.
    Plot().MarkerInterval = MarkerInterval;
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnFlippedChanged() {
    MarkChanged(kFlippedBit);
    CancelEditing();
    CPlotLook& plot = Plot();
    plot.Flipped = Flipped ? 1 : 0;
    for (int i = 0; i < plot.DependentCount(); ++i) plot.SetAxisMap(i, 1);
    plot.Recalculate();
    ModifiedTail();
    InvalidateControl();
    FireEvent(EventId::Zoomed, {Variant(true)});
}

void CVortigaCtrl::OnSquarePlotChanged() {
    MarkChanged(kSquarePlotBit);
    CancelEditing();
    Plot().Square = SquarePlot ? 1 : 0;
    OnSquareOrDiagonalChanged();
}

void CVortigaCtrl::OnDiagonalLineChanged() {
    MarkChanged(kDiagonalLineBit);
    CancelEditing();
    Plot().Diagonal = DiagonalLine ? 1 : 0;
    OnSquareOrDiagonalChanged();
}

void CVortigaCtrl::OnSquareOrDiagonalChanged() {
    CPlotLook& plot = Plot();
    const CPlotAxis* x = plot.AxisByNumber(0);
    const CPlotAxis* y = plot.AxisByNumber(1);
    const bool fitTogether = plot.Square && plot.Diagonal && plot.YAxisCount() == 1 && x && y && x->Scale == 0 &&
                             y->Scale == 0;
    if (fitTogether) {
        Zoom(3);
        return;
    }
    LookDirty();
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnZeroLineChanged() {
    MarkChanged(kZeroLineBit);
    Plot().ZeroLine = ZeroLine ? 1 : 0;
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnDisplayTypeChanged() {
    MarkChanged(kDisplayTypeBit);
    if (DisplayType < 0 || DisplayType > 2) DisplayType = 2;
    Plot().DisplayType = DisplayType;
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::ToggleLegendWithWindowDC() {
    WithWindowSurface([this](Surface* dc) { Plot().ToggleLegend(dc); });
}

void CVortigaCtrl::OnSizeToDataChanged() {
    MarkChanged(kSizeToDataBit);
    ModifiedTail();
}

void CVortigaCtrl::OnParametricChanged() {
    MarkChanged(kParametricBit);
    CPlotLook& plot = Plot();
    plot.Parametric = Parametric ? 1 : 0;
    if (Parametric && !(changedProperties & kShowLegendBit)) {
        ShowLegend = true;
        if (plot.ShowLegend != 1) ToggleLegendWithWindowDC();
        if (plot.LegendRgn) plot.LegendRgn->MarkForLayout();
    }
    CancelEditing();
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnReverseXAxisChanged() {
    MarkChanged(kReverseXAxisBit);
    CPlotLook& plot = Plot();
    if (!plot.XAxisRgn) return;
    plot.XAxisRgn->Axis->Reverse = ReverseXAxis ? 1 : 0;
    plot.XAxisRgn->Axis->NeedsRescale = 1;
    CancelEditing();
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnAddTimeStampChanged() {
    MarkChanged(kAddTimeStampBit);
    FollowTimeStampInMenu();
}

void CVortigaCtrl::OnShowLegendChanged() {
    MarkChanged(kShowLegendBit);
    CPlotLook& plot = Plot();
    if ((plot.ShowLegend == 1) != ShowLegend) ToggleLegendWithWindowDC();
    CancelEditing();
    ModifiedTail();
    InvalidateControl();
    FireEvent(EventId::Selected, {Variant(static_cast<std::int16_t>(CurrentSelectionCode()))});
}

void CVortigaCtrl::OnCommunicationIntervalsChanged() {
    MarkChanged(kCommunicationIntervalsBit);
    FireEvent(EventId::CommunicationIntervalsSet, {Variant(CommunicationIntervals)});
    SetModified();
}

void CVortigaCtrl::SetGridInterval(float value) {
    // An interval that is not a positive number would give the grid no step.
    if (!std::isfinite(value) || !(value > 0)) return;
    GridInterval = value;
    CancelEditing();
    Zoom(3);
    SetModified();
}

void CVortigaCtrl::OnShowTitleChanged() {
    CPlotLook& plot = Plot();
    if (plot.TitleRgn) {
        if (site_) {
            WindowDraw dc(*site_);
            plot.TitleRgn->Measure(dc.dc(), plot);
        }
        plot.TitleRgn->Hidden = ShowTitle ? 0 : 1;
        if (!ShowTitle && plot.Selection == plot.TitleRgn.get()) plot.Selection = nullptr;
    }
    plot.LayoutDirty = 1;
    ModifiedTail();
    InvalidateControl();
}

void CVortigaCtrl::OnShowXaxisLabelChanged() {
    CPlotLook& plot = Plot();
    if (plot.XLabelRgn) {
        plot.XLabelRgn->Hidden = ShowXaxisLabel ? 0 : 1;
        if (!ShowXaxisLabel && plot.Selection == plot.XLabelRgn.get()) plot.Selection = nullptr;
    }
    LookDirty();
    InvalidateControl();
}

void CVortigaCtrl::OnShowTrackerChanged() {
    CPlotLook& plot = Plot();
    plot.ShowTracker = ShowTracker ? 1 : 0;
    plot.TrackedVar = -1;
    CancelEditing();
    ModifiedTail();
    FireEvent(EventId::Selected, {Variant(static_cast<std::int16_t>(CurrentSelectionCode()))});
}

void CVortigaCtrl::SetZoomLevel(double value) {
    CPlotLook& plot = Plot();
    if (value == plot.ZoomLevel) return;
    CancelEditing();
    // Levels outside 1..1024 are refused by the plot; the property keeps showing the level the
    // plot really has.
    if (!plot.SetZoomLevel(value)) return;
    ZoomLevel = plot.ZoomLevel;
    SetModified();
    InvalidateControl();
    zoomed = ZoomLevel > 1.001;
    UpdateScrollBars(zoomed);
}

void CVortigaCtrl::OnColorChanged() {
    SetModified();
    InvalidateControl();
}

// ---- properties with get and set functions ----

void CVortigaCtrl::SetPlotVals(std::shared_ptr<IDispatch>) {
    CancelEditing();
    ModifiedTail();
}

void CVortigaCtrl::SetEditProfileVariables(bool value) {
    CPlotLook& plot = Plot();
    const std::string text = GetResourceString("IDS_PLOTCTRL_PROFILEVARIABLES");
    if (Menu* second = FirstSubmenu(plot, 1)) {
        InsertUnlessPresent(second, second->Count(), MenuItem::Command(kProfileVariablesCommand, text));
    }
    if (Menu* main = FirstSubmenu(plot, 0)) {
        InsertUnlessPresent(main, main->Count() - 2, MenuItem::Command(kProfileVariablesCommand, text));
    }
    EditProfileVariables = value;
}

void CVortigaCtrl::SetEditProfileTable(bool value) {
    if (Menu* main = FirstSubmenu(Plot(), 0)) {
        InsertUnlessPresent(main, main->Count() - 2,
                            MenuItem::Command(kProfileTableCommand, GetResourceString("IDS_PLOTCTRL_PROFILETABLE")));
    }
    EditProfileTable = value;
    SetModified();
}

void CVortigaCtrl::SetAlwaysShowFull(bool value) {
    AlwaysShowFull = value;
    SetModified();
}

void CVortigaCtrl::SetClientType(std::int16_t value) {
    ClientType = value;
    SetProcessClientType(value);
    ModifiedTail();
}

}  // namespace vtg
