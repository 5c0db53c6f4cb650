// The plot's regions in space: measuring them for the layout, applying the rectangles the
// layout computes, and finding regions by kind or by position.
#include <algorithm>

#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "regions/PlotLayout.h"

namespace vtg {

namespace {

// Which regions sit on which side of the drawing area. A flipped plot exchanges the X axis
// with the first Y axis; its further Y axes and captions are not shown at all.
struct Sides {
    CPlotAxisRgn* bottomAxis = nullptr;
    CPlotLabelRgn* bottomCaption = nullptr;
    std::vector<CPlotAxisRgn*> axes;
    std::vector<CPlotLabelRgn*> captions;
    std::vector<int> captionAxis;           // 1-based into axes, per caption
    std::vector<CPlotRegion*> unplaced;
};

template <class T>
T* FirstOf(const std::vector<std::unique_ptr<T>>& list) {
    return list.empty() ? nullptr : list.front().get();
}

Sides SidesOf(const CPlotLook& plot) {
    Sides s;
    if (!plot.Flipped) {
        s.bottomAxis = plot.XAxisRgn.get();
        s.bottomCaption = plot.XLabelRgn.get();
        for (const auto& axis : plot.YAxisRgns) s.axes.push_back(axis.get());
        for (const auto& caption : plot.YLabelRgns) {
            s.captions.push_back(caption.get());
            s.captionAxis.push_back(caption->AxisNumber);
        }
        return s;
    }
    s.bottomAxis = FirstOf(plot.YAxisRgns);
    s.bottomCaption = FirstOf(plot.YLabelRgns);
    if (plot.XAxisRgn) s.axes.push_back(plot.XAxisRgn.get());
    if (plot.XLabelRgn) {
        s.captions.push_back(plot.XLabelRgn.get());
        s.captionAxis.push_back(1);
    }
    for (std::size_t k = 1; k < plot.YAxisRgns.size(); ++k) s.unplaced.push_back(plot.YAxisRgns[k].get());
    for (std::size_t k = 1; k < plot.YLabelRgns.size(); ++k) s.unplaced.push_back(plot.YLabelRgns[k].get());
    return s;
}

void MeasureSides(Surface& dc, CPlotLook& plot, Sides& s, LayoutInput& in) {
    if (s.bottomCaption) {
        s.bottomCaption->Suppressed = s.bottomCaption->Text().empty();
        in.bottomCaption = s.bottomCaption->Measure(dc, plot);
    }
    if (s.bottomAxis) in.bottomLabels = s.bottomAxis->Measure(dc, plot);
    for (CPlotAxisRgn* axis : s.axes) {
        LayoutAxis a;
        a.visible = !axis->Hidden;
        if (a.visible) a.labels = axis->Measure(dc, plot);
        in.sideAxes.push_back(a);
    }
    const int axisCount = static_cast<int>(s.axes.size());
    for (std::size_t k = 0; k < s.captions.size(); ++k) {
        CPlotLabelRgn& caption = *s.captions[k];
        const int axis = s.captionAxis[k];
        // Empty captions and captions of no axis keep no room and get no place.
        caption.Suppressed = caption.Text().empty() || axis < 1 || axis > axisCount;
        LayoutCaption c;
        c.axis = axis;
        c.visible = !caption.Hidden && !caption.Suppressed;
        c.extent = caption.Measure(dc, plot);
        in.sideCaptions.push_back(c);
    }
}

LayoutInput MeasureAll(Surface& dc, CPlotLook& plot, Sides& s) {
    LayoutInput in;
    in.width = plot.Width;
    in.height = plot.Height;
    in.scale = plot.Environment().OutputScale;
    in.flipped = plot.Flipped != 0;
    in.square = plot.Square != 0;
    in.triangular = plot.Triangular != 0;
    in.lengthenCaptions = plot.RunPlot || plot.Parametric;
    if (plot.TitleRgn) in.title = plot.TitleRgn->Measure(dc, plot);
    MeasureSides(dc, plot, s, in);
    in.legendX = plot.LegendX;
    in.legendY = plot.LegendY;
    in.legendShown = plot.ShowLegend == 1 && plot.LegendRgn;
    if (in.legendShown) {
        in.legend = plot.LegendRgn->Measure(dc, plot);
        in.legendAtRightEdge = plot.LegendBoxPlaced != 0;
    }
    return in;
}

void SetRect(CPlotRegion* region, const Rect& r) {
    if (region) region->SetRect(r.left, r.top, r.right, r.bottom);
}

void Apply(CPlotLook& plot, const Sides& s, const LayoutResult& out) {
    SetRect(plot.DrawingRgn.get(), out.drawing);
    SetRect(plot.TitleRgn.get(), out.title);
    SetRect(s.bottomAxis, out.bottomAxis);
    SetRect(s.bottomCaption, out.bottomCaption);
    for (std::size_t k = 0; k < s.axes.size(); ++k) SetRect(s.axes[k], out.sideAxes[k]);
    for (std::size_t k = 0; k < s.captions.size(); ++k) SetRect(s.captions[k], out.sideCaptions[k]);
    for (CPlotRegion* region : s.unplaced) {
        SetRect(region, Rect{});
        if (auto* caption = dynamic_cast<CPlotLabelRgn*>(region)) caption->Suppressed = 1;
    }
    if (plot.ShowLegend == 1) SetRect(plot.LegendRgn.get(), out.legend);
    // Stored back sanitised, so that what the settings write is what the layout used.
    plot.LegendX = static_cast<float>(out.legendX);
    plot.LegendY = static_cast<float>(out.legendY);
    if (out.rightEdgeRequestServed) plot.LegendBoxPlaced = 0;
}

// The legend's box follows its items and may change while the drawing area stays: a paint of
// part of the window would leave pieces of the old box outside it. Pages and vector copies
// are drawn whole and belong to no window.
void RepaintMovedLegend(const Surface& dc, CPlotLook& plot, const Rect& before) {
    CPlotLegendRgn* legend = plot.LegendRgn.get();
    if (!legend || plot.ShowLegend != 1 || legend->Rect == before) return;
    if (plot.Printing || dc.Kind() == SurfaceKind::Metafile) return;
    legend->InvalidateBox(plot, before);
    legend->InvalidateBox(plot, legend->Rect);
}

}  // namespace

bool CPlotLook::Layout(Surface& dc) {
    if (!DrawingRgn) return false;
    Sides sides = SidesOf(*this);
    // The control's top offset and its header and footer parts would enter LayoutInput here;
    // a control without them leaves them 0.
    const LayoutInput in = MeasureAll(dc, *this, sides);
    const LayoutResult out = ComputeLayout(in);
    const Rect before = DrawingRgn->Rect;
    const Rect legendBefore = LegendRgn ? LegendRgn->Rect : Rect{};
    Apply(*this, sides, out);
    RepaintMovedLegend(dc, *this, legendBefore);
    return DrawingRgn->Rect != before;
}

CPlotRegion* CPlotLook::RegionAt(Point p) const {
    const auto it = std::find_if(Regions.begin(), Regions.end(), [&](const CPlotRegion* r) { return r->HitTest(p); });
    return it == Regions.end() ? nullptr : *it;
}

CPlotLabelRgn* CPlotLook::CaptionOfAxis(int axis) const {
    if (axis == 0) return XLabelRgn.get();
    for (const auto& caption : YLabelRgns) {
        if (caption->AxisNumber == axis) return caption.get();
    }
    return nullptr;
}

CPlotRegion* CPlotLook::FindRegion(int kind, int number) const {
    switch (kind) {
        case RegionKind::Drawing:
            return DrawingRgn.get();
        case RegionKind::Title:
            return TitleRgn.get();
        case RegionKind::XAxis:
            return XAxisRgn.get();
        case RegionKind::YAxis:
            return YAxisRegion(number);
        case RegionKind::XCaption:
            return XLabelRgn.get();
        case RegionKind::YCaption:
            return number >= 1 ? CaptionOfAxis(number) : nullptr;
        case RegionKind::Legend:
            return LegendRgn.get();
        case RegionKind::Corner:
            return number >= 1 && number <= 3 ? CornerRgns[static_cast<std::size_t>(number - 1)].get() : nullptr;
        default:
            return nullptr;
    }
}

}  // namespace vtg
