// The tracker: the point of a curve nearest to the mouse, and moving its drawing along.
#include <cmath>
#include <limits>

#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "axes/PlotValues.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CurveMapper.h"

namespace vtg {

namespace {

struct Candidate {
    bool found = false;
    double distance = std::numeric_limits<double>::max();
    double px = 0;      // device position
    double py = 0;
    double x = 0;       // data values
    double y = 0;
    int var = -1;
};

// The transformed value at a device coordinate that need not be a whole pixel.
double FromDevice(const CViewCoeff& view, double p, int offset) {
    return (p - view.Start - offset + view.Offset) / view.Scale;
}

double Squared(double dx, double dy) { return dx * dx + dy * dy; }

}  // namespace

void CPlotLook::UpdateTracker(Point p) {
    // A variable removed since it was picked is no longer tracked.
    if (TrackedVar >= DependentCount()) TrackedVar = -1;
    if (!DrawingRgn) return;
    Candidate best;
    const int from = TrackedVar >= 0 ? TrackedVar : 0;
    const int to = TrackedVar >= 0 ? TrackedVar + 1 : DependentCount();
    for (int i = from; i < to; ++i) {
        CPlotVar* y = YVar(i);
        CPlotVar* x = y ? XVar(std::max(y->XVarIndex, 1) - 1) : nullptr;
        if (!x || y->Hidden) continue;
        CPlotAxisRgn* xRegion = XAxisRgn.get();
        CPlotAxisRgn* yRegion = Flipped ? YAxisRegion(1) : YAxisRegion(y->AxisMap);
        if (!xRegion || !yRegion || !xRegion->Axis || !yRegion->Axis) continue;
        const CPlotAxis& xAxis = *xRegion->Axis;
        const CPlotAxis& yAxis = *yRegion->Axis;
        const std::optional<ViewBounds> xb = AxisViewBounds(xAxis);
        const std::optional<ViewBounds> yb = AxisViewBounds(yAxis);
        if (!xb || !yb) continue;
        // The independent values run across the page, down it on a flipped plot.
        const ViewBounds across = Flipped ? *yb : *xb;
        const ViewBounds down = Flipped ? *xb : *yb;
        Env->SetView(DrawingRgn->Rect, across.first, down.second, across.second, down.first);
        if (!Env->ViewX.IsValid() || !Env->ViewY.IsValid()) continue;
        const CViewCoeff& xView = Flipped ? Env->ViewY : Env->ViewX;
        const CViewCoeff& yView = Flipped ? Env->ViewX : Env->ViewY;
        const int xOffset = Flipped ? Env->OffsetY : Env->OffsetX;
        const int yOffset = Flipped ? Env->OffsetX : Env->OffsetY;
        const AxisMapping xMap(xAxis, xView, xOffset);
        const AxisMapping yMap(yAxis, yView, yOffset);

        auto mapped = [&](std::uint32_t k, double& dx, double& dy) {
            int a = 0;
            int b = 0;
            if (!xMap.Map(ValueAt(*x, k), a) || !yMap.Map(ValueAt(*y, k), b)) return false;
            dx = Flipped ? b : a;
            dy = Flipped ? a : b;
            return true;
        };
        auto consider = [&](double px, double py, double xv, double yv) {
            const double d = Squared(px - p.x, py - p.y);
            if (d < best.distance) best = {true, d, px, py, xv, yv, i};
        };
        // Every valid point, and the foot of the perpendicular on each segment between two
        // valid neighbours when it falls strictly inside the segment.
        const std::uint32_t n = std::min(x->ValidCount(), y->ValidCount());
        double ax = 0, ay = 0;
        bool previous = false;
        for (std::uint32_t k = 0; k < n; ++k) {
            double bx = 0, by = 0;
            if (!mapped(k, bx, by)) {
                previous = false;
                continue;
            }
            if (previous) {
                const double len = Squared(bx - ax, by - ay);
                const double u = len > 0 ? ((p.x - ax) * (bx - ax) + (p.y - ay) * (by - ay)) / len : 0;
                if (u > 0 && u < 1) {
                    const double fx = ax + u * (bx - ax);
                    const double fy = ay + u * (by - ay);
                    const double tx = FromDevice(xView, Flipped ? fy : fx, xOffset);
                    const double ty = FromDevice(yView, Flipped ? fx : fy, yOffset);
                    consider(fx, fy, xAxis.Untransform(tx), yAxis.Untransform(ty));
                }
            }
            consider(bx, by, ValueAt(*x, k), ValueAt(*y, k));
            ax = bx;
            ay = by;
            previous = true;
        }
    }
    if (!best.found) return;
    TrackX = best.x;
    TrackY = best.y;
    TrackedVar = best.var;
    TrackPixelX = static_cast<int>(std::lround(best.px));
    TrackPixelY = static_cast<int>(std::lround(best.py));
    TrackColor = RgbOnly(Env->Tool().PaletteColor(YVar(best.var)->Color));
}

void CPlotLook::MoveTracker(Surface& dc, Point p) {
    if (!ShowTracker || !DrawingRgn) return;
    DrawingRgn->EraseTracker(dc, *this);
    UpdateTracker(p);
    if (TrackedVar >= 0) DrawingRgn->DrawTracker(dc, *this);
}

}  // namespace vtg
