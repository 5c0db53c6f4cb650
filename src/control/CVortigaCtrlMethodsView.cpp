// Automation methods: drawing and view, and the steps the method families share.
#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

// ---- shared steps ----

int CVortigaCtrl::AddressableVariables() {
    if (nvariables == 0) nvariables = static_cast<std::int16_t>(Plot().DependentCount());
    return nvariables;
}

void CVortigaCtrl::InvalidateUnlessLoading() {
    if (!archiveLoading) InvalidateControl();
}

void CVortigaCtrl::ApplyAxisMap() {
    CPlotLook& plot = Plot();
    plot.CompactAxisMap();
    plot.Recalculate();
    LookDirty();
}

void CVortigaCtrl::RelayoutLegend() {
    CPlotLook& plot = Plot();
    if (plot.ShowLegend == 1 && plot.LegendRgn) plot.LegendRgn->MarkForLayout();
    plot.LayoutDirty = 1;
}

// ---- drawing and view ----

void CVortigaCtrl::Redraw() {
    pendingSelectedId = CurrentSelectionCode();
    InvalidateControl();
}

void CVortigaCtrl::GetScroll(bool Horizontal, std::int16_t& MinValue, std::int16_t& MaxValue) {
    // Both ends lie on the 0..1000 scroll scale.
    const auto [low, high] = Plot().GetScroll(Horizontal);
    MinValue = static_cast<std::int16_t>(low);
    MaxValue = static_cast<std::int16_t>(high);
}

void CVortigaCtrl::UpdateAxis() {
    CancelEditing();
    ApplyAxisMap();
    SetModified();
    InvalidateControl();
}

void CVortigaCtrl::Clear() {
    CancelEditing();
    // Deleting the plot's contents is logged however it happens.
    if (plotLook) WriteLog("CLEANUP\r\n");
    plotLook.reset();
    // Highlight registrations and editors named content of the plot just deleted.
    ContentDeleted();
    npoints = 0;
    nvariables = 1;
    nxvariables = 1;
    ShowTracker = false;
    CPlotLook& plot = Plot();
    CopyGraphicSettings(plot);
    plot.ApplyControlSettings();
    OnFlippedChanged();
    clientRect = {0, 0, layoutWidth, layoutHeight};
    plot.SetSize(layoutWidth, layoutHeight);
    InvalidateControl();
}

}  // namespace vtg
