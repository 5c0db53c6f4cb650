// What annotations ask of the drawing area: where an anchor lies on the device, which data
// lie under a device point, the curve point nearest to one, and whether an anchor is shown.
#include <cmath>
#include <limits>

#include "axes/CPlotAxis.h"
#include "axes/PlotValues.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotEnv.h"
#include "regions/CurveMapper.h"

namespace vtg {

namespace {

constexpr double kRangeTolerance = 9.999999747378752e-6;

// The two views of the drawing area for the X axis and one Y axis: the independent values
// run across the page, down it on a flipped plot.
struct AxisPair {
    const CPlotAxis* x = nullptr;
    const CPlotAxis* y = nullptr;
    CViewCoeff across;
    CViewCoeff down;
    bool flipped = false;

    const CViewCoeff& XView() const { return flipped ? down : across; }
    const CViewCoeff& YView() const { return flipped ? across : down; }
};

std::optional<AxisPair> PairFor(const CPlotLook& plot, const vtg::Rect& area, int yAxis) {
    const CPlotAxisRgn* xr = plot.XAxisRgn.get();
    const CPlotAxisRgn* yr = plot.YAxisRegion(plot.Flipped ? 1 : yAxis);
    if (!xr || !yr || !xr->Axis || !yr->Axis) return std::nullopt;
    const std::optional<ViewBounds> xb = AxisViewBounds(*xr->Axis);
    const std::optional<ViewBounds> yb = AxisViewBounds(*yr->Axis);
    if (!xb || !yb) return std::nullopt;
    AxisPair pair{xr->Axis.get(), yr->Axis.get(), {}, {}, plot.Flipped != 0};
    const ViewBounds h = pair.flipped ? *yb : *xb;
    const ViewBounds v = pair.flipped ? *xb : *yb;
    pair.across = CViewCoeff::Make(area.left, area.Width(), h.first, h.second);
    pair.down = CViewCoeff::Make(area.top, area.Height(), v.second, v.first);
    if (!pair.across.IsValid() || !pair.down.IsValid()) return std::nullopt;
    return pair;
}

double Distance(double ax, double ay, double bx, double by) { return std::hypot(bx - ax, by - ay); }

bool OnAxis(double v) { return v == static_cast<double>(AnnotationAnchor::kOnAxis); }

// The best segment of one curve, improving best.
void SearchCurve(const CPlotVar& x, const CPlotVar& y, const AxisPair& pair, const CPlotEnv& env, Point p,
                 int number, std::optional<NearestCurvePoint>& best) {
    const AxisMapping xMap(*pair.x, pair.XView(), pair.flipped ? env.OffsetY : env.OffsetX);
    const AxisMapping yMap(*pair.y, pair.YView(), pair.flipped ? env.OffsetX : env.OffsetY);
    const std::uint32_t n = std::min(x.ValidCount(), y.ValidCount());
    bool previous = false;
    double ax = 0, ay = 0, avx = 0, avy = 0;
    for (std::uint32_t k = 0; k < n; ++k) {
        const double vx = ValueAt(x, k);
        const double vy = ValueAt(y, k);
        int px = 0, py = 0;
        if (!xMap.Map(vx, px) || !yMap.Map(vy, py)) {
            previous = false;
            continue;
        }
        const double bx = pair.flipped ? py : px;
        const double by = pair.flipped ? px : py;
        if (previous) {
            const double ap = Distance(ax, ay, p.x, p.y);
            const double pb = Distance(p.x, p.y, bx, by);
            const double nearness = ap + pb - Distance(ax, ay, bx, by);
            if (!best || nearness < best->nearness) {
                const double sum = ap + pb;
                const bool atA = sum < 1;
                const double wa = atA ? 1 : pb / sum;
                const double wb = atA ? 0 : ap / sum;
                best = NearestCurvePoint{nearness, avx * wa + vx * wb, avy * wa + vy * wb, number};
            }
        }
        ax = bx;
        ay = by;
        avx = vx;
        avy = vy;
        previous = true;
    }
}

}  // namespace

int CPlotDrawingRgn::AnnotationAxis(const AnnotationAnchor& anchor, const CPlotLook& plot) {
    const int v = anchor.variable;
    // A variable number that names no variable counts as none.
    if (plot.Flipped || v < 1 || v > plot.DependentCount()) return 1;
    const int axis = plot.YVar(v - 1)->AxisMap;
    return axis >= 1 && axis <= plot.YAxisCount() ? axis : 1;
}

std::optional<NearestCurvePoint> CPlotDrawingRgn::NearestPoint(CPlotLook& plot, Point p) const {
    std::optional<NearestCurvePoint> best;
    for (int i = 0; i < plot.DependentCount(); ++i) {
        const CPlotVar* y = plot.YVar(i);
        const CPlotVar* x = y ? plot.XVar(std::max(y->XVarIndex, 1) - 1) : nullptr;
        if (!x || y->Hidden) continue;
        const std::optional<AxisPair> pair = PairFor(plot, Rect, y->AxisMap);
        if (pair) SearchCurve(*x, *y, *pair, plot.Environment(), p, i + 1, best);
    }
    return best;
}

std::optional<AxisValues> CPlotDrawingRgn::PointInfo(CPlotLook& plot, Point p) const {
    const std::optional<AxisPair> pair = PairFor(plot, Rect, 1);
    if (!pair) return std::nullopt;
    const CPlotEnv& env = plot.Environment();
    const double h = pair->across.FromPixel(p.x, env.OffsetX);
    const double v = pair->down.FromPixel(p.y, env.OffsetY);
    const double tx = pair->flipped ? v : h;
    const double ty = pair->flipped ? h : v;
    return AxisValues{pair->x->Untransform(tx), pair->y->Untransform(ty)};
}

std::optional<Point> CPlotDrawingRgn::AnchorToDevice(CPlotLook& plot, double x, double y, int yAxis) const {
    const std::optional<AxisPair> pair = PairFor(plot, Rect, yAxis);
    if (!pair) return std::nullopt;
    const CPlotEnv& env = plot.Environment();
    // Each value's own direction: across for x on a normal plot, down on a flipped one.
    auto place = [&](double value, const CPlotAxis& axis, const CViewCoeff& view, bool across) -> std::optional<int> {
        const int offset = across ? env.OffsetX : env.OffsetY;
        if (OnAxis(value)) return (across ? Rect.left : Rect.bottom) + offset;
        const double t = IsMissing(value) ? kMissingValue : axis.Transform(value);
        if (IsMissing(t)) return std::nullopt;
        return view.ToPixel(t, offset);
    };
    const bool flipped = pair->flipped;
    const std::optional<int> xp = place(x, *pair->x, pair->XView(), !flipped);
    const std::optional<int> yp = place(y, *pair->y, pair->YView(), flipped);
    if (!xp || !yp) return std::nullopt;
    return flipped ? Point{*yp, *xp} : Point{*xp, *yp};
}

bool CPlotDrawingRgn::AnnotationVisible(const AnnotationAnchor& anchor, CPlotLook& plot) const {
    const CPlotAxisRgn* xr = plot.XAxisRgn.get();
    const CPlotAxisRgn* yr = plot.YAxisRegion(plot.Flipped ? 1 : AnnotationAxis(anchor, plot));
    if (!xr || !yr || !xr->Axis || !yr->Axis) return false;
    auto within = [](double v, const CPlotAxis& a) {
        if (OnAxis(v)) return true;
        return v >= std::min(a.RangeMin, a.RangeMax) - kRangeTolerance &&
               v <= std::max(a.RangeMin, a.RangeMax) + kRangeTolerance;
    };
    return within(anchor.x, *xr->Axis) && within(anchor.y, *yr->Axis);
}

}  // namespace vtg
