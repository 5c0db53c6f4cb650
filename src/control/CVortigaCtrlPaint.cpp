// Painting the control: into its own window at the laid-out size, or scaled (aspect kept,
// centred) into any other surface and rectangle; and following the window's size.
#include <algorithm>
#include <functional>

#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

// Puts the control back to its own size however a scaled draw ends.
class ScaledDrawEnd {
public:
    explicit ScaledDrawEnd(std::function<void()> end) : end_(std::move(end)) {}
    ~ScaledDrawEnd() {
        if (end_) end_();
    }
    ScaledDrawEnd(const ScaledDrawEnd&) = delete;
    ScaledDrawEnd& operator=(const ScaledDrawEnd&) = delete;

private:
    std::function<void()> end_;
};

}  // namespace

void CVortigaCtrl::OnPaint(Surface& dc, const Rect& invalid) { OnDraw(dc, clientRect, invalid); }

void CVortigaCtrl::OnSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    CPlotLook& plot = Plot();
    if (width != windowWidth || height != windowHeight) {
        windowWidth = layoutWidth = width;
        windowHeight = layoutHeight = height;
        clientRect = {0, 0, width, height};
        plot.SetSize(width, height);
    }
    if (!InputFile.empty() && !inputFileLoaded) ReadInputFile();
}

void CVortigaCtrl::OnDrawMetafile(Surface& dc, const Rect& bounds) {
    foreignSurface = true;
    OnDraw(dc, bounds, bounds);
}

bool CVortigaCtrl::ScaleForTarget(const Rect& bounds, Size target) {
    CPlotLook& plot = Plot();
    const Size reference = copyWithSize ? Size{plot.Width, plot.Height} : Size{layoutWidth, layoutHeight};
    // Nothing sensible can be drawn into, or scaled from, an empty rectangle.
    if (target.cx <= 0 || target.cy <= 0 || reference.cx <= 0 || reference.cy <= 0) return false;
    plotEnv.OffsetX = bounds.left;
    plotEnv.OffsetY = bounds.top;
    const double fx = static_cast<double>(target.cx) / reference.cx;
    const double fy = static_cast<double>(target.cy) / reference.cy;
    double factor = fy;
    if (fx < fy) {
        layoutWidth = target.cx;
        layoutHeight = static_cast<int>(reference.cy * fx);
        plotEnv.OffsetY += (target.cy - layoutHeight) / 2;
        factor = fx;
    } else {
        layoutWidth = static_cast<int>(reference.cx * fy);
        layoutHeight = target.cy;
        plotEnv.OffsetX += (target.cx - layoutWidth) / 2;
    }
    plotEnv.OutputScale = factor;
    if (plot.ShowLegend == 1 && plot.LegendRgn) plot.LegendRgn->MarkForLayout();
    plot.SetSize(layoutWidth, layoutHeight);
    plot.Selection = nullptr;
    return true;
}

void CVortigaCtrl::EndScaledDraw() {
    CPlotLook& plot = Plot();
    layoutWidth = windowWidth;
    layoutHeight = windowHeight;
    plotEnv.OffsetX = 0;
    plotEnv.OffsetY = 0;
    plotEnv.OutputScale = 1.0;
    if (plot.ShowLegend == 1 && plot.LegendRgn) plot.LegendRgn->MarkForLayout();
    plot.SetSize(layoutWidth, layoutHeight);
}

void CVortigaCtrl::OnDraw(Surface& dc, const Rect& bounds, const Rect& invalid) {
    if (DrawPlotInto(dc, bounds, invalid)) FireAfterPaint();
}

bool CVortigaCtrl::DrawPlotInto(Surface& dc, const Rect& bounds, const Rect& invalid) {
    if (windowWidth == 0 && windowHeight == 0) return false;
    CPlotLook& plot = Plot();
    // This draw runs the refit that live samples asked for.
    refitPaintRequested = false;
    const bool active = site_ && site_->IsActive();
    if (!firstPaintDone && active) {
        firstPaintDone = true;
        for (ScrollBar bar : {ScrollBar::Horizontal, ScrollBar::Vertical}) site_->ShowScrollBar(bar, false);
        scrollBarH = scrollBarV = false;
        site_->SetCursor(cursorId);
    }
    const Size target = copyWithSize ? Size{copyWidth, copyHeight} : Size{bounds.Width(), bounds.Height()};
    if (!active || dc.Kind() != SurfaceKind::Window) foreignSurface = true;

    const bool scaled = target.cx != layoutWidth || target.cy != layoutHeight || bounds.left != 0 || bounds.top != 0;
    if (scaled && !ScaleForTarget(bounds, target)) {
        foreignSurface = false;
        return false;
    }
    {
        ScaledDrawEnd end(scaled ? std::function<void()>([this] { EndScaledDraw(); }) : std::function<void()>());
        const bool full = invalid == bounds;
        plot.MetafileTriangle = dc.Kind() == SurfaceKind::Metafile && PlotType >= 2 && zoomed ? 1 : 0;
        ClipGuard clip(dc);
        dc.IntersectClipRect(invalid);
        PaintPlot(dc, invalid, full || scaled, !scaled && dc.Kind() == SurfaceKind::Window);
        plot.MetafileTriangle = 0;
    }
    if (scaled) {
        // One repaint at the normal size follows a scaled draw, and no more: the latch stops a
        // container that paints scaled on every invalidation from looping.
        reinvalidateLatch = !reinvalidateLatch;
        if (reinvalidateLatch) InvalidateControl();
    } else {
        reinvalidateLatch = false;
    }
    foreignSurface = false;
    return true;
}

void CVortigaCtrl::PaintPlot(Surface& dc, const Rect& invalid, bool full, bool window) {
    CPlotLook& plot = Plot();
    const int redraw = full ? 1 : 0;
    // The window shows the off-screen bitmap: the plot is drawn there and the painted area
    // copied over, so that the tracker and the rubber band can later be drawn over it and
    // taken away again. Without a bitmap the plot is drawn onto the window itself.
    Surface* memory = window && !plot.Printing ? plot.EnsureMemoryBitmap(dc) : nullptr;
    if (!memory) {
        plot.Draw(dc, invalid, 0, redraw);
        return;
    }
    {
        ClipGuard clip(*memory);
        memory->SelectClipRect(invalid);
        plot.Draw(*memory, invalid, 0, redraw);
    }
    dc.BitBlt({invalid.left, invalid.top}, {invalid.Width(), invalid.Height()}, *memory, {invalid.left, invalid.top});
}

void CVortigaCtrl::ReportCommittedEdit() {
    CPlotLook* plot = PlotIfCreated();
    if (!plot || !plot->EditPending) return;
    plot->EditPending = 0;
    ModifiedTail();
}

void CVortigaCtrl::FireAfterPaint() {
    ReportCommittedEdit();
    if (!plotDrawnFired) {
        plotDrawnFired = true;
        FireEvent(EventId::PlotDrawn, {Variant(true)});
    }
    if (pendingSelectedId >= kPendingZero) {
        const int id = pendingSelectedId == kPendingZero ? 0 : pendingSelectedId;
        pendingSelectedId = kNothingPending;
        FireEvent(EventId::Selected, {Variant(static_cast<std::int16_t>(id))});
    }
}

}  // namespace vtg
