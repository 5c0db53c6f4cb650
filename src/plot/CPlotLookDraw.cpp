// Drawing the whole plot: the dirty-flag protocol that runs before anything is painted, the
// layout and scaling, then every region, variable, annotation and overlay in a fixed order,
// and the off-screen surface that screen drawing goes through.
#include <array>

#include "objects/CPlotAnnotation.h"
#include "platform/Surface.h"
#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "regions/CurveMapper.h"

namespace vtg {

namespace {

// The desktop's system colours, by their system-colour index (as an OLE colour names them
// with the top bit set).
constexpr std::array<Color, 25> kSystemColors{
    Rgb(0xC8, 0xC8, 0xC8), Rgb(0x00, 0x00, 0x00), Rgb(0x99, 0xB4, 0xD1), Rgb(0xBF, 0xCD, 0xDB),
    Rgb(0xF0, 0xF0, 0xF0), Rgb(0xFF, 0xFF, 0xFF), Rgb(0x64, 0x64, 0x64), Rgb(0x00, 0x00, 0x00),
    Rgb(0x00, 0x00, 0x00), Rgb(0x00, 0x00, 0x00), Rgb(0xB4, 0xB4, 0xB4), Rgb(0xF4, 0xF7, 0xFC),
    Rgb(0xAB, 0xAB, 0xAB), Rgb(0x00, 0x78, 0xD7), Rgb(0xFF, 0xFF, 0xFF), Rgb(0xF0, 0xF0, 0xF0),
    Rgb(0xA0, 0xA0, 0xA0), Rgb(0x6D, 0x6D, 0x6D), Rgb(0x00, 0x00, 0x00), Rgb(0x00, 0x00, 0x00),
    Rgb(0xFF, 0xFF, 0xFF), Rgb(0x69, 0x69, 0x69), Rgb(0xE3, 0xE3, 0xE3), Rgb(0x00, 0x00, 0x00),
    Rgb(0xFF, 0xFF, 0xE1)};

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;
// Markers only: such variables draw no line.
constexpr int kMarkersOnly = 1;
constexpr int kLinesOnly = 0;

// The area being painted, for the regions' and markers' repaint tests, for one draw.
class PaintAreaScope {
public:
    PaintAreaScope(CPlotEnv& env, const Rect& area) : env_(env), old_(env.PaintArea) { env.PaintArea = area; }
    ~PaintAreaScope() { env_.PaintArea = old_; }
    PaintAreaScope(const PaintAreaScope&) = delete;
    PaintAreaScope& operator=(const PaintAreaScope&) = delete;

private:
    CPlotEnv& env_;
    Rect old_;
};

// Scales a region's axis when it needs it; true when it did.
bool Rescale(CPlotAxisRgn* region, CPlotLook& plot) {
    if (!region || !region->Axis || !region->Axis->NeedsRescale) return false;
    region->AutoScale(plot);
    return region->Axis->NeedsRescale == 0;
}

void DrawRegion(CPlotRegion* region, Surface& dc, CPlotLook& plot, int fullRedraw) {
    if (region && !region->Hidden) region->Draw(dc, plot, fullRedraw);
}

// An axis the layout gave no room (the further Y axes of a flipped plot) would still set the
// vertical mapping and draw its ticks somewhere: it is left out.
void DrawAxis(CPlotAxisRgn* region, Surface& dc, CPlotLook& plot, int fullRedraw) {
    if (region && !region->Rect.IsEmpty()) DrawRegion(region, dc, plot, fullRedraw);
}

CViewCoeff ViewOf(const Rect& r, bool horizontal, const CPlotAxis* axis) {
    const int start = horizontal ? r.left : r.top;
    const int extent = horizontal ? r.Width() : r.Height();
    const std::optional<ViewBounds> b = axis ? AxisViewBounds(*axis) : std::nullopt;
    // An axis without a transformed range maps nothing: the view is empty.
    if (!b) return CViewCoeff::Make(start, 0, 0, 1);
    return horizontal ? CViewCoeff::Make(start, extent, b->first, b->second)
                      : CViewCoeff::Make(start, extent, b->second, b->first);
}

void DrawBullets(Surface& dc, const CPlotEnv& env) {
    StateGuard restore(dc);
    dc.SelectPen(Pen{Rgb(0, 0, 0)});
    dc.SelectBrush(Brush{BrushKind::Solid, Rgb(0, 0, 0)});
    for (const CPlotBullet& b : env.Bullets) {
        if (b.Visible) dc.Rectangle(env.ToDevice(b.Box));
    }
}

}  // namespace

Color TranslateOleColor(std::int32_t ole) {
    const auto value = static_cast<std::uint32_t>(ole);
    if (value & kSystemColorFlag) {
        const std::uint32_t index = value & 0xFFFFu;
        return index < kSystemColors.size() ? kSystemColors[index] : Rgb(0, 0, 0);
    }
    return RgbOnly(value);
}

Surface* CPlotLook::EnsureMemoryBitmap(Surface& dc) {
    if (MemorySurface && MemoryWidth == Width && MemoryHeight == Height) return MemorySurface.get();
    std::unique_ptr<Surface> fresh = dc.CreateCompatible(Width, Height);
    // A bitmap that could not be made leaves the old one and its size: the next draw tries
    // again instead of drawing into nothing from then on.
    const bool made = fresh && fresh->PixelSize().cx >= Width && fresh->PixelSize().cy >= Height &&
                      fresh->PixelSize().cx > 0 && fresh->PixelSize().cy > 0;
    if (!made) return MemorySurface.get();
    MemorySurface = std::move(fresh);
    MemoryWidth = Width;
    MemoryHeight = Height;
    if (DrawingRgn) DrawingRgn->ForgetTracker();
    return MemorySurface.get();
}

void CPlotLook::DrawFromMemory(Surface& dc) {
    if (!MemorySurface) return;
    Surface& memory = *MemorySurface;
    Draw(memory, Rect{0, 0, Width, Height}, 0, 0);
    dc.BitBlt({0, 0}, {Width, Height}, memory, {0, 0});
}

void CPlotLook::ConsumeDirtyFlags() {
    if (AxisMapDirty) {
        CompactAxisMap();
        AxisMapDirty = 0;
    }
    if (LabelsDirty || FitAllPending) {
        RebuildYLabels();
        LabelsDirty = 0;
    }
    if (FitAllPending) {
        FitRangesToData();
        FitAllPending = 0;
        RefitDirty = 0;
    } else if (RefitDirty) {
        RefitRanges();
        RefitDirty = 0;
    }
}

bool CPlotLook::ScaleAxes(Surface& dc, int axesOnly) {
    CPlotAxisRgn* independent = AxisRegionForRole(0);
    CPlotAxisRgn* dependent = AxisRegionForRole(1);
    bool rescaled = false;
    if (KeepXScale) {
        // The time axis was just scrolled: its range is what the scroll made it, once.
        KeepXScale = 0;
    } else if (!axesOnly) {
        rescaled = Rescale(independent, *this) || rescaled;
    }
    rescaled = Rescale(dependent, *this) || rescaled;
    // The further Y axes scale themselves when drawn; scaling them here too lets their labels
    // be measured for the ticks they will show.
    for (auto& region : YAxisRgns) {
        if (region.get() != independent) rescaled = Rescale(region.get(), *this) || rescaled;
    }
    // Rescaling resets the labels' padding and may change their widths: measure again. A
    // scroll repaints only the axes and keeps the layout.
    bool moved = false;
    if (rescaled && axesOnly) {
        if (XAxisRgn) XAxisRgn->MeasureLabels(dc, *this);
        for (auto& region : YAxisRgns) region->MeasureLabels(dc, *this);
    } else if (rescaled) {
        moved = Layout(dc);
    }
    const Rect area = DrawingRgn->Rect;
    Env->ViewX = ViewOf(area, true, independent ? independent->Axis.get() : nullptr);
    Env->ViewY = ViewOf(area, false, dependent ? dependent->Axis.get() : nullptr);
    return moved;
}

void CPlotLook::DrawRegions(Surface& dc, int axesOnly, int fullRedraw) {
    if (axesOnly) {
        DrawRegion(XAxisRgn.get(), dc, *this, fullRedraw);
        for (auto it = YAxisRgns.rbegin(); it != YAxisRgns.rend(); ++it) {
            if ((*it)->Hidden || (*it)->Rect.IsEmpty()) continue;
            (*it)->Draw(dc, *this, fullRedraw);
            break;
        }
        return;
    }
    DrawRegion(TitleRgn.get(), dc, *this, fullRedraw);
    DrawRegion(XLabelRgn.get(), dc, *this, fullRedraw);
    if (Triangular == 2) {
        for (auto& corner : CornerRgns) DrawRegion(corner.get(), dc, *this, fullRedraw);
    }
    if (Flipped) {
        if (!YLabelRgns.empty()) DrawRegion(YLabelRgns.front().get(), dc, *this, fullRedraw);
    } else {
        for (auto it = YLabelRgns.rbegin(); it != YLabelRgns.rend(); ++it) DrawRegion(it->get(), dc, *this, fullRedraw);
    }
    DrawRegion(XAxisRgn.get(), dc, *this, fullRedraw);
    std::size_t count = YAxisRgns.size();
    if (Props().PlotType != 0 && count > 2) --count;
    for (std::size_t k = count; k-- > 0;) DrawAxis(YAxisRgns[k].get(), dc, *this, fullRedraw);
}

std::optional<CPlotLook::VariableDrawing> CPlotLook::PrepareVariable(int i) {
    CPlotVar* y = YVar(i);
    if (!y || y->Hidden || y->ValidCount() == 0) return std::nullopt;
    // An independent variable that does not exist draws nothing rather than something else.
    CPlotVar* x = XVar(std::max(y->XVarIndex, 1) - 1);
    if (!x) return std::nullopt;
    CPlotAxisRgn* yRegion = nullptr;
    if (Flipped) {
        yRegion = YAxisRegion(1);
    } else {
        if (y->AxisMap < 1) return std::nullopt;
        yRegion = Triangular == 1 ? YAxisRegion(2) : YAxisRegion(y->AxisMap);
    }
    if (!XAxisRgn || !XAxisRgn->Axis || !yRegion || !yRegion->Axis) return std::nullopt;
    if (!Flipped) {
        const std::optional<ViewBounds> b = AxisViewBounds(*yRegion->Axis);
        if (!b) return std::nullopt;
        Env->SetYRange(b->first, b->second);
    }
    return VariableDrawing{x, y, XAxisRgn->Axis.get(), yRegion->Axis.get()};
}

void CPlotLook::DrawVariables(Surface& dc, bool direct) {
    if (YAxisRgns.empty() || !DrawingRgn) return;
    CPlotDrawingRgn& area = *DrawingRgn;
    const CViewCoeff keepY = Env->ViewY;
    IWindowSite* site = Control->Site();
    // Point tips are registered afresh by the markers that are drawn now.
    if (!direct && site) site->ClearTools();
    auto filled = [this](int i) { return YVars[static_cast<std::size_t>(i)]->Filled != 0; };
    if (DisplayType != kMarkersOnly) {
        for (int i = 0; i < DependentCount(); ++i) {
            if (!filled(i)) continue;
            if (const auto v = PrepareVariable(i)) area.DrawCurve(dc, *v->x, *v->y, *v->xAxis, *v->yAxis, *this);
        }
    }
    int bars = 0;
    if (BarGraph) {
        for (int i = 0; i < DependentCount(); ++i) {
            if (!filled(i) && PrepareVariable(i)) ++bars;
        }
    }
    int bar = 0;
    for (int i = 0; i < DependentCount(); ++i) {
        if (filled(i)) continue;
        const std::optional<VariableDrawing> v = PrepareVariable(i);
        if (!v) continue;
        if (BarGraph) {
            area.DrawBars(dc, *Env, *v->x, *v->y, *v->xAxis, *v->yAxis, bars, bar++, Flipped != 0);
            continue;
        }
        const int mode = v->y->DisplayMode >= 0 ? v->y->DisplayMode : DisplayType;
        // Markers alone leave the point buffer to the markers.
        if (mode == kMarkersOnly) v->y->MarkCount = 0;
        if (mode != kMarkersOnly) area.DrawCurve(dc, *v->x, *v->y, *v->xAxis, *v->yAxis, *this);
        if (mode != kLinesOnly) area.DrawMarkers(dc, *v->x, *v->y, *v->xAxis, *v->yAxis, *this, i);
        if (mode != kMarkersOnly) area.DrawArrow(dc, *v->y, *this);
    }
    Env->ViewY = keepY;
}

void CPlotLook::DrawOverlays(Surface& dc, int fullRedraw) {
    if (LegendRgn && ShowLegend == 1) DrawRegion(LegendRgn.get(), dc, *this, fullRedraw);
    for (auto& annotation : Annotations) DrawRegion(annotation.get(), dc, *this, fullRedraw);
    for (auto& display : Displays) display->Draw(dc, *Env);
    // The control's header and footer block is drawn here once printing provides it.
}

void CPlotLook::DrawInteraction(Surface& dc) {
    if (Selection && Selection != LegendRgn.get()) Selection->DrawSelection(dc, *this);
    DrawBullets(dc, *Env);
    // A tracked variable that was removed is no longer tracked.
    if (TrackedVar >= DependentCount()) TrackedVar = -1;
    if (!ShowTracker || TrackedVar < 0 || !DrawingRgn) return;
    if (IWindowSite* site = Control->Site()) UpdateTracker(site->CursorPos());
    DrawingRgn->DrawTracker(dc, *this);
}

void CPlotLook::Draw(Surface& dc, const Rect& rect, int axesOnly, int fullRedraw) {
    // Pages and vector copies are drawn straight onto their device: no off-screen bitmap, no
    // selection marks, no tracker.
    const bool direct = Printing || dc.Kind() == SurfaceKind::Metafile;
    if (!direct && &dc != MemorySurface.get()) EnsureMemoryBitmap(dc);
    dc.FillRect(rect, Brush{BrushKind::Solid, TranslateOleColor(Props().BackColor)});
    ConsumeDirtyFlags();
    AxesDirty = 0;
    LayoutDirty = 0;
    bool moved = Layout(dc);
    if (rect.IsEmpty() || !XAxisRgn || !DrawingRgn) {
        // On screen, whatever lay outside the area being painted was drawn for the old
        // drawing area.
        if (moved && !direct) Control->InvalidateControl();
        return;
    }
    PaintAreaScope area(*Env, rect);
    if (!direct && DrawingRgn) DrawingRgn->ForgetTracker();
    moved = ScaleAxes(dc, axesOnly) || moved;
    if (moved && !direct) Control->InvalidateControl();

    DrawingRgn->Draw(dc, *this, fullRedraw);
    DrawRegions(dc, axesOnly, fullRedraw);
    // A zoomed triangle rendered into a metafile is clipped to its shape by the triangular
    // drawing region when MetafileTriangle is set.
    DrawVariables(dc, direct);
    DrawOverlays(dc, fullRedraw);
    if (!direct) DrawInteraction(dc);
}

}  // namespace vtg
