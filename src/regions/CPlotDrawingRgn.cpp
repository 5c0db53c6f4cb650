// The drawing region's own drawing (grid, zero line, diagonal, rubber band) and its pixel and
// value queries. Curves, markers and arrows are in CurveDrawing.cpp, bars in
// CPlotBarDrawingRgn.cpp, the tracker in CPlotDrawingRgnTracker.cpp.
#include "regions/CPlotDrawingRgn.h"

#include <algorithm>
#include <cmath>

#include "axes/CPlotAxis.h"
#include "axes/FormatNumber.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "axes/PlotValues.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CurveMapper.h"

namespace vtg {

namespace {

// Values this close outside a displayed range still count as inside it (the float epsilon
// the ranges were once kept in).
constexpr double kRangeTolerance = 9.999999747378752e-6;
// The plot menu and the menu of a rubber band, by their slot in the plot's menus.
constexpr std::size_t kPlotMenuSlot = 0;
constexpr std::size_t kBandMenuSlot = 3;
// Read-outs show this many significant digits.
constexpr int kReadoutDigits = 3;

Pen ForegroundPen(const CPlotLook& plot, PenStyle style) {
    return Pen{TranslateOleColor(plot.Props().ForeColor), 1, style};
}

bool Straddles(const CPlotAxis& axis, double v) {
    return std::min(axis.RangeMin, axis.RangeMax) < v && v < std::max(axis.RangeMin, axis.RangeMax);
}

Pen DottedPen() {
    Pen pen(Rgb(0, 0, 0), 1, PenStyle::Dot);
    return pen;
}

// The band as the surface draws it: not-XOR with a dotted pen and no fill, so that drawing it
// again restores the picture.
void DrawBandRect(Surface& dc, const Rect& r) {
    if (r.IsEmpty()) return;
    StateGuard restore(dc);
    dc.SelectPen(DottedPen());
    dc.SelectBrush(Brush{BrushKind::Null});
    dc.SetRop2(Rop2::NotXorPen);
    dc.Rectangle(r);
}

double ReadValue(const CPlotAxis& axis, double transformed) {
    return IsMissing(transformed) ? kMissingValue : axis.Untransform(transformed);
}

}  // namespace

CPlotDrawingRgn::CPlotDrawingRgn(int triangleKind) : CPlotRegion(RegionKind::Drawing), TriangleKind(triangleKind) {}

CPlotDrawingRgn::~CPlotDrawingRgn() = default;

Rect CPlotDrawingRgn::DeviceRect(const CPlotEnv& env) const { return env.ToDevice(Rect); }

void CPlotDrawingRgn::Draw(Surface& dc, CPlotLook& plot, int force) {
    const CPlotEnv& env = plot.Environment();
    if (!force && !DeviceRect(env).Intersects(env.PaintArea)) return;
    if (plot.GridType != 0) DrawGrid(dc, plot);
    if (plot.ZeroLine) DrawZeroLine(dc, plot);
    if (plot.Diagonal) DrawDiagonal(dc, plot);
    if (BandActive && !plot.Printing) DrawBand(dc, plot);
}

void CPlotDrawingRgn::DrawGrid(Surface& dc, CPlotLook& plot) {
    const CPlotEnv& env = plot.Environment();
    const vtg::Rect r = DeviceRect(env);
    PenGuard pen(dc, env.GridPen());
    // Vertical lines follow the axis across the page, horizontal ones the axis down it.
    if (const CPlotAxis* across = plot.AxisForRole(0); across && (plot.GridType & 1)) {
        for (int x : GridPositions(*across, env.ViewX, env.OffsetX, r.left, r.right, true)) {
            dc.MoveTo({x, r.top});
            dc.LineTo({x, r.bottom});
        }
    }
    if (const CPlotAxis* down = plot.AxisForRole(1); down && (plot.GridType & 2)) {
        for (int y : GridPositions(*down, env.ViewY, env.OffsetY, r.top, r.bottom, false)) {
            dc.MoveTo({r.left, y});
            dc.LineTo({r.right, y});
        }
    }
}

void CPlotDrawingRgn::DrawZeroLine(Surface& dc, CPlotLook& plot) {
    const CPlotEnv& env = plot.Environment();
    const vtg::Rect r = DeviceRect(env);
    // The values run down the page, or across it on a flipped plot: the line marks value 0.
    const bool flipped = plot.Flipped != 0;
    const CPlotAxis* axis = plot.AxisForRole(flipped ? 0 : 1);
    const CViewCoeff& view = flipped ? env.ViewX : env.ViewY;
    if (!axis || !view.IsValid() || !Straddles(*axis, 0.0)) return;
    const double t = axis->Transform(0.0);
    if (IsMissing(t)) return;
    PenGuard pen(dc, ForegroundPen(plot, PenStyle::Solid));
    if (flipped) {
        const int x = view.ToPixel(t, env.OffsetX);
        if (r.left < x && x <= r.right) {
            dc.MoveTo({x, r.top});
            dc.LineTo({x, r.bottom});
        }
    } else {
        const int y = view.ToPixel(t, env.OffsetY);
        if (r.top <= y && y < r.bottom) {
            dc.MoveTo({r.left, y});
            dc.LineTo({r.right, y});
        }
    }
}

void CPlotDrawingRgn::DrawDiagonal(Surface& dc, CPlotLook& plot) {
    const CPlotAxis* x = plot.AxisForRole(0);
    const CPlotAxis* y = plot.AxisForRole(1);
    if (!x || !y || plot.YAxisCount() != 1 || x->Type() != ScaleType::Linear || y->Type() != ScaleType::Linear) return;
    const double lo = std::max(std::min(x->RangeMin, x->RangeMax), std::min(y->RangeMin, y->RangeMax));
    const double hi = std::min(std::max(x->RangeMin, x->RangeMax), std::max(y->RangeMin, y->RangeMax));
    if (!(lo <= hi)) return;
    const CPlotEnv& env = plot.Environment();
    const std::optional<Point> from = ToPixel(env, lo, lo);
    const std::optional<Point> to = ToPixel(env, hi, hi);
    if (!from || !to) return;
    ClipGuard clip(dc);
    dc.IntersectClipRect(DeviceRect(env));
    PenGuard pen(dc, ForegroundPen(plot, PenStyle::Dot));
    dc.MoveTo(*from);
    dc.LineTo(*to);
}

void CPlotDrawingRgn::DrawBand(Surface& dc, CPlotLook& plot) {
    DrawBandRect(dc, plot.Environment().ToDevice(BandRect.Normalized()));
}

void CPlotDrawingRgn::Invalidate(CPlotLook& plot) {
    // The band's outline is drawn on its right and bottom edges too.
    const vtg::Rect band = BandRect.Normalized();
    plot.Host().InvalidateRect({band.left, band.top, band.right + 1, band.bottom + 1}, true);
    BandActive = 0;
}

int CPlotDrawingRgn::BeginTrack(Surface&, CPlotLook&, Point p) {
    bandAnchor_ = p;
    BandRect = {p.x, p.y, p.x, p.y};
    BandActive = 1;
    return 1;
}

void CPlotDrawingRgn::Track(Surface& dc, CPlotLook& plot, Point p) {
    const CPlotEnv& env = plot.Environment();
    // The same figure erases the old band and draws the new one.
    if (BandActive) DrawBandRect(dc, env.ToDevice(BandRect.Normalized()));
    p.x = std::clamp(p.x, Rect.left, Rect.right);
    p.y = std::clamp(p.y, Rect.top, Rect.bottom);
    BandRect = {bandAnchor_.x, bandAnchor_.y, p.x, p.y};
    BandActive = 1;
    DrawBandRect(dc, env.ToDevice(BandRect.Normalized()));
}

Menu* CPlotDrawingRgn::GetContextMenu(CPlotLook& plot, Point p) {
    const vtg::Rect band = BandRect.Normalized();
    const bool inBand = BandActive && p.x >= band.left && p.x <= band.right && p.y >= band.top && p.y <= band.bottom;
    return plot.Menus[inBand ? kBandMenuSlot : kPlotMenuSlot].get();
}

void CPlotDrawingRgn::DrawBars(Surface&, CPlotEnv&, const CPlotVar&, const CPlotVar&, const CPlotAxis&,
                               const CPlotAxis&, int, int, bool) {}

std::optional<BandFraction> CPlotDrawingRgn::BandFractions() const {
    if (!BandActive) return std::nullopt;
    const vtg::Rect b = BandRect.Normalized();
    const double w = Rect.Width() + 1.0;
    const double h = Rect.Height() + 1.0;
    return BandFraction{(b.left - Rect.left) / w, (b.right - Rect.left + 1) / w, (b.top - Rect.top) / h,
                        (b.bottom - Rect.top + 1) / h};
}

bool CPlotDrawingRgn::BandCovers(const vtg::Rect& r) const {
    const vtg::Rect b = BandRect.Normalized();
    const vtg::Rect n = r.Normalized();
    return n.left >= b.left && n.right <= b.right && n.top >= b.top && n.bottom <= b.bottom;
}

bool CPlotDrawingRgn::SegmentVisible(Point a, Point b) const {
    return !((a.x < Rect.left && b.x < Rect.left) || (a.x > Rect.right && b.x > Rect.right) ||
             (a.y < Rect.top && b.y < Rect.top) || (a.y > Rect.bottom && b.y > Rect.bottom));
}

bool CPlotDrawingRgn::ContainsPixel(Point p) const {
    return p.x >= Rect.left && p.x <= Rect.right && p.y >= Rect.top && p.y <= Rect.bottom;
}

bool CPlotDrawingRgn::ValuesInRange(double x, double y, const CPlotAxis& xAxis, const CPlotAxis& yAxis) const {
    auto within = [](double v, const CPlotAxis& a) {
        return v >= std::min(a.RangeMin, a.RangeMax) - kRangeTolerance &&
               v <= std::max(a.RangeMin, a.RangeMax) + kRangeTolerance;
    };
    return within(x, xAxis) && within(y, yAxis);
}

bool CPlotDrawingRgn::InShape(Point p, const vtg::Rect& r) const { return r.Contains(p); }

std::optional<Point> CPlotDrawingRgn::ToPixel(const CPlotEnv& env, double x, double y) const {
    if (!env.ViewX.IsValid() || !env.ViewY.IsValid() || IsMissing(x) || IsMissing(y)) return std::nullopt;
    return Point{env.ViewX.ToPixel(x, env.OffsetX), env.ViewY.ToPixel(y, env.OffsetY)};
}

std::optional<AxisValues> CPlotDrawingRgn::AxisValuesAt(const CPlotEnv& env, const CPlotAxis& xAxis,
                                                        const CPlotAxis& yAxis, Point p) const {
    if (!env.ViewX.IsValid() || !env.ViewY.IsValid()) return std::nullopt;
    return AxisValues{ReadValue(xAxis, env.ViewX.FromPixel(p.x, env.OffsetX)),
                      ReadValue(yAxis, env.ViewY.FromPixel(p.y, env.OffsetY))};
}

std::optional<std::string> CPlotDrawingRgn::Readout(CPlotLook& plot, Point p) const {
    const CPlotAxis* x = plot.AxisForRole(0);
    const CPlotAxis* y = plot.AxisForRole(1);
    if (!x || !y) return std::nullopt;
    const std::optional<AxisValues> v = AxisValuesAt(plot.Environment(), *x, *y, p);
    if (!v) return std::nullopt;
    return "x=" + FormatNumber(v->x, kReadoutDigits, true, true) + "\ny=" + FormatNumber(v->y, kReadoutDigits, true, true);
}

std::vector<std::uint32_t> CPlotDrawingRgn::SelectInBand(const CPlotVar& xVar, const CPlotVar& yVar,
                                                         const CPlotAxis& xAxis, const CPlotAxis& yAxis,
                                                         CPlotLook& plot) const {
    std::vector<std::uint32_t> inside;
    const CPlotEnv& env = plot.Environment();
    if (!BandActive || !env.ViewX.IsValid() || !env.ViewY.IsValid()) return inside;
    const bool flipped = plot.Flipped != 0;
    const AxisMapping xMap(xAxis, flipped ? env.ViewY : env.ViewX, flipped ? env.OffsetY : env.OffsetX);
    const AxisMapping yMap(yAxis, flipped ? env.ViewX : env.ViewY, flipped ? env.OffsetX : env.OffsetY);
    const vtg::Rect band = env.ToDevice(BandRect.Normalized());
    const SlotWalk walk = IndexedWalk(xVar, yVar);
    for (std::uint32_t i = 0; i < walk.count; ++i) {
        int px = 0;
        int py = 0;
        if (!xMap.Map(ValueAt(xVar, i), px) || !yMap.Map(ValueAt(yVar, i), py)) continue;
        const Point p = flipped ? Point{py, px} : Point{px, py};
        if (p.x >= band.left && p.x <= band.right && p.y >= band.top && p.y <= band.bottom) inside.push_back(i);
    }
    return inside;
}

}  // namespace vtg
