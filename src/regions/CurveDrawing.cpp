// Curves, markers and direction arrows of the drawing region.
#include <algorithm>
#include <cstdint>
#include <span>

#include "axes/CPlotAxis.h"
#include "axes/FormatNumber.h"
#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "plot/IPlotHost.h"
#include "axes/PlotValues.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CurveMapper.h"
#include "regions/LineClipper.h"
#include "regions/SeriesReducer.h"

namespace vtg {

namespace {

// Polylines go to the surface in pieces of at most this many points: a stroker's cost can
// grow with the length of one path, and a piece this long still draws as one line.
constexpr std::size_t kMaxPolylinePoints = 1024;
// Point tool tips are registered only for series shorter than this.
constexpr std::uint32_t kMaxTipPoints = 100;
// Tool-tip identifiers: series * this + point index + 1.
constexpr int kTipsPerSeries = 100;
constexpr int kTipDigits = 3;
// The arrowhead's length in units.
constexpr int kArrowLength = 14;
// Palette colours of a selected curve: the two passes of highlight mode 1, and the arrow.
constexpr int kFirstPassColour = 8;
constexpr int kFirstPassPattern = 5;
constexpr int kSecondPassColour = 3;
constexpr int kSecondPassPattern = 10;
constexpr int kSelectedArrowColour = 17;
constexpr int kTwoPassMode = 1;
constexpr int kNoHighlightModes = 100;
constexpr int kHighlightWidth = 2;

struct Mappings {
    AxisMapping x;
    AxisMapping y;
};

// The independent values run across the page, or down it on a flipped plot.
Mappings MappingsFor(const CPlotEnv& env, const CPlotAxis& xAxis, const CPlotAxis& yAxis, bool flipped) {
    return {AxisMapping(xAxis, flipped ? env.ViewY : env.ViewX, flipped ? env.OffsetY : env.OffsetX),
            AxisMapping(yAxis, flipped ? env.ViewX : env.ViewY, flipped ? env.OffsetX : env.OffsetY)};
}

bool ViewsValid(const CPlotEnv& env) { return env.ViewX.IsValid() && env.ViewY.IsValid(); }

// Run and phase plots walk their circular buffers in time order and draw as the points come;
// parametric plots from their oldest point.
bool StreamedPlot(const CPlotLook& plot) { return plot.RunPlot || plot.Parametric || plot.PhasePlot; }

double WindowStart(const CPlotAxis& timeAxis) { return std::min(timeAxis.RangeMin, timeAxis.RangeMax); }

SlotWalk WalkFor(const CPlotLook& plot, const CPlotVar& x, const CPlotVar& y, const CPlotAxis& xAxis) {
    if (plot.RunPlot) return TimeWindowWalk(x, WindowStart(xAxis));
    if (StreamedPlot(plot)) return OldestFirstWalk(x, y);
    return IndexedWalk(x, y);
}

bool DrawsLine(const CPlotVar& v) { return v.PenWidth >= 1 && v.PenStyle != -1; }

bool InsideInclusive(const Rect& r, Point p) {
    return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// The first count points split where the pieces start.
std::vector<std::span<const Point>> Pieces(const std::vector<Point>& points, std::size_t count,
                                           const std::vector<std::uint32_t>& starts) {
    std::vector<std::span<const Point>> out;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const std::size_t from = starts[k];
        const std::size_t to = k + 1 < starts.size() ? starts[k + 1] : count;
        if (to > from) out.emplace_back(points.data() + from, to - from);
    }
    return out;
}

void PolylineInPieces(Surface& dc, std::span<const Point> pts) {
    if (pts.size() < 2) return;
    for (std::size_t from = 0; from + 1 < pts.size(); from += kMaxPolylinePoints - 1) {
        dc.Polyline(pts.subspan(from, std::min(kMaxPolylinePoints, pts.size() - from)));
    }
}

// On screen: a run of segments with both ends inside the rectangle may spill over its edge
// by half the pen's width (a thick curve along an edge stays whole); a run that crosses the
// edge is cut at the rectangle itself.
void DrawScreenLine(Surface& dc, std::span<const Point> pts, const Rect& rect, const ClipRegion& outer, int penWidth) {
    const int spill = (std::max(penWidth, 1) + 1) / 2;
    std::size_t runStart = 0;
    int runKind = -1;
    auto flush = [&](std::size_t end) {
        if (runKind < 0 || end <= runStart) return;
        dc.SetClip(outer);
        dc.IntersectClipRect(runKind == 1 ? rect.Inflate(spill, spill) : rect);
        PolylineInPieces(dc, pts.subspan(runStart, end - runStart + 1));
    };
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        const int kind = InsideInclusive(rect, pts[k]) && InsideInclusive(rect, pts[k + 1]) ? 1 : 0;
        if (kind == runKind) continue;
        flush(k);
        runStart = k;
        runKind = kind;
    }
    flush(pts.size() - 1);
}

// On a page, run and parametric curves are cut segment by segment; unchanged segments are
// joined into one polyline again.
void DrawClippedSegments(Surface& dc, std::span<const Point> pts, const Rect& rect) {
    std::vector<Point> line;
    auto flush = [&] {
        if (line.size() >= 2) dc.Polyline(line);
        line.clear();
    };
    for (std::size_t k = 0; k + 1 < pts.size(); ++k) {
        const std::optional<Segment> cut = ClipSegment(pts[k], pts[k + 1], rect);
        if (!cut) {
            flush();
            continue;
        }
        const bool whole = (cut->first == pts[k] && cut->second == pts[k + 1]) ||
                           (cut->first == pts[k + 1] && cut->second == pts[k]);
        if (!whole) {
            flush();
            const std::array<Point, 2> part{cut->first, cut->second};
            dc.Polyline(part);
            continue;
        }
        if (line.empty()) line.push_back(pts[k]);
        line.push_back(pts[k + 1]);
    }
    flush();
}

std::uint64_t HashPoints(std::span<const Point> pts) {
    std::uint64_t h = 1469598103934665603ull;
    for (Point p : pts) {
        h ^= (static_cast<std::uint64_t>(static_cast<std::uint32_t>(p.x)) << 32) | static_cast<std::uint32_t>(p.y);
        h *= 1099511628211ull;
    }
    return h;
}

void StorePoint(CPlotVar& v, Point p) {
    const auto n = static_cast<std::size_t>(v.MarkCount);
    if (v.Marks.size() <= n) v.Marks.resize(std::max<std::size_t>(n + 1, v.Marks.size() * 2));
    v.Marks[n] = p;
    ++v.MarkCount;
}

}  // namespace

std::vector<std::span<const Point>> CPlotDrawingRgn::MapForDrawing(CPlotVar& xVar, CPlotVar& yVar,
                                                                   const CPlotAxis& xAxis, const CPlotAxis& yAxis,
                                                                   CPlotLook& plot) {
    // The buffer holds this drawing's points only, each once.
    yVar.MarkCount = 0;
    pieces_.clear();
    reduced_.clear();
    const CPlotEnv& env = plot.Environment();
    if (!ViewsValid(env)) return {};
    const bool flipped = plot.Flipped != 0;
    const Mappings m = MappingsFor(env, xAxis, yAxis, flipped);
    const SlotWalk walk = WalkFor(plot, xVar, yVar, xAxis);
    const bool closed = yVar.Filled != 0;
    MappedCurve curve = MapCurve(xVar, yVar, m.x, m.y, walk, flipped, yVar.Marks, closed ? 1 : 0);
    if (closed && curve.count > 0) yVar.Marks[curve.count++] = yVar.Marks[0];
    yVar.MarkCount = static_cast<int>(curve.count);
    pieces_ = std::move(curve.pieceStarts);
    // The line is drawn from each piece reduced per pixel column.
    std::vector<std::uint32_t> reducedStarts;
    for (std::span<const Point> piece : Pieces(yVar.Marks, curve.count, pieces_)) {
        reducedStarts.push_back(static_cast<std::uint32_t>(reduced_.size()));
        AppendReduced(piece, flipped ? ReduceAxis::Rows : ReduceAxis::Columns, reduced_);
    }
    return Pieces(reduced_, reduced_.size(), reducedStarts);
}

void CPlotDrawingRgn::DrawCurve(Surface& dc, CPlotVar& xVar, CPlotVar& yVar, const CPlotAxis& xAxis,
                                const CPlotAxis& yAxis, CPlotLook& plot) {
    const std::vector<std::span<const Point>> line = MapForDrawing(xVar, yVar, xAxis, yAxis, plot);
    if (yVar.MarkCount == 0) return;
    CPlotEnv& env = plot.Environment();
    const bool page = dc.IsPrintingDevice();
    const vtg::Rect rect = DeviceRect(env);
    StateGuard restore(dc);
    const ClipRegion outer = dc.GetClip();
    dc.IntersectClipRect(rect);
    dc.SetSmoothing(!page && !env.PlainDrawing);
    const bool polygon = yVar.Filled && yVar.FillStyle >= 0;
    if (DrawsLine(yVar)) {
        env.PalettePen(dc, yVar.Color, yVar.PenWidth, yVar.PenStyle);
    } else {
        dc.SelectPen(Pen{0, 1, PenStyle::Null});
    }
    if (polygon) {
        dc.SetTextColor(RgbOnly(env.Tool().PaletteColor(yVar.Color)));
        env.PatternBrush(dc, yVar.Color, yVar.FillStyle);
        dc.Polygon(std::span<const Point>(yVar.Marks.data(), static_cast<std::size_t>(yVar.MarkCount)));
    } else if (DrawsLine(yVar)) {
        for (std::span<const Point> piece : line) {
            if (!page) {
                DrawScreenLine(dc, piece, rect, outer, dc.State().pen.width);
            } else if (StreamedPlot(plot)) {
                DrawClippedSegments(dc, piece, rect);
            } else {
                dc.Polyline(piece);
            }
        }
    }
    if (yVar.Highlight && !plot.Printing && !page) {
        dc.SetClip(outer);
        dc.IntersectClipRect(rect);
        DrawSelectionPasses(dc, yVar, line, plot, polygon);
    }
}

void CPlotDrawingRgn::DrawSelectionPasses(Surface& dc, CPlotVar& yVar, const std::vector<std::span<const Point>>& line,
                                          CPlotLook& plot, bool polygon) {
    const int mode = plot.Props().highlightMode;
    if (mode >= kNoHighlightModes) return;
    CPlotEnv& env = plot.Environment();
    const std::span<const Point> all(yVar.Marks.data(), static_cast<std::size_t>(yVar.MarkCount));
    auto draw = [&] {
        if (polygon) {
            dc.Polygon(all);
        } else {
            for (std::span<const Point> piece : line) PolylineInPieces(dc, piece);
        }
    };
    if (mode == kTwoPassMode) {
        auto pass = [&](int colour, int pattern) {
            env.PalettePen(dc, colour, kHighlightWidth, 0);
            dc.SetTextColor(RgbOnly(env.Tool().PaletteColor(colour)));
            env.PatternBrush(dc, colour, pattern);
            draw();
        };
        pass(kFirstPassColour, kFirstPassPattern);
        dc.SetRop2(yVar.Filled || yVar.FillStyle <= 0 ? Rop2::MaskPen : Rop2::CopyPen);
        pass(kSecondPassColour, kSecondPassPattern);
        dc.SetRop2(Rop2::CopyPen);
        return;
    }
    dc.SelectPen(env.HighlightPen);
    dc.SelectBrush(Brush{BrushKind::Null});
    dc.SetSmoothing(!env.PlainDrawing);
    draw();
}

void CPlotDrawingRgn::DrawMarkers(Surface& dc, CPlotVar& xVar, CPlotVar& yVar, const CPlotAxis& xAxis,
                                  const CPlotAxis& yAxis, CPlotLook& plot, int series) {
    CPlotEnv& env = plot.Environment();
    if (!ViewsValid(env)) return;
    const bool flipped = plot.Flipped != 0;
    const Mappings m = MappingsFor(env, xAxis, yAxis, flipped);
    const std::uint32_t count = IndexedWalk(xVar, yVar).count;
    const int interval = std::max(1, yVar.VarMarkerInterval != 0 ? yVar.VarMarkerInterval : plot.MarkerInterval);
    const int halfSize = env.Units(yVar.VarMarkerSize > 0 ? yVar.VarMarkerSize : plot.MarkerSize);
    // A variable without a line keeps its marked points, unless its curve already stored
    // every point in this drawing.
    const bool store = !DrawsLine(yVar) && yVar.MarkCount == 0;
    IWindowSite* site = plot.Host().Site();
    const bool tips = yVar.Marker != 0 && count < kMaxTipPoints && site && !dc.IsPrintingDevice() && !plot.Printing;
    const vtg::Rect bounds = DeviceRect(env).Inflate(1, 1);
    for (std::uint64_t i = 0; i < count; i += static_cast<std::uint64_t>(interval)) {
        const auto slot = static_cast<std::uint32_t>(i);
        const double x = ValueAt(xVar, slot);
        const double y = ValueAt(yVar, slot);
        if (IsMissing(x) || IsMissing(y)) continue;
        if (plot.RunPlot && x < WindowStart(xAxis)) continue;
        int px = 0;
        int py = 0;
        if (!m.x.Map(x, px) || !m.y.Map(y, py)) continue;
        const Point p = flipped ? Point{py, px} : Point{px, py};
        if (!InsideInclusive(bounds, p)) continue;
        if (tips) {
            const std::string text = "x=" + FormatNumber(x, kTipDigits, true, true) + ",y=" +
                                     FormatNumber(y, kTipDigits, true, true);
            site->AddTool(series * kTipsPerSeries + static_cast<int>(slot) + 1,
                          {p.x - halfSize, p.y - halfSize, p.x + halfSize, p.y + halfSize}, text);
        }
        if (store) StorePoint(yVar, p);
        env.DrawMarker(dc, yVar.Marker, p.x, p.y, yVar.Color, halfSize, yVar.Highlight != 0);
    }
}

std::optional<PolylineMiddle> CPlotDrawingRgn::CachedMiddle(const CPlotVar& yVar) {
    const std::span<const Point> pts(yVar.Marks.data(), static_cast<std::size_t>(yVar.MarkCount));
    const std::uint64_t hash = HashPoints(pts);
    auto it = std::find_if(middles_.begin(), middles_.end(), [&](const MiddleCache& c) { return c.var == &yVar; });
    if (it != middles_.end() && it->count == pts.size() && it->hash == hash) return it->middle;
    const std::optional<PolylineMiddle> middle = MiddleOf(pts);
    if (!middle) return std::nullopt;
    const MiddleCache entry{&yVar, static_cast<std::uint32_t>(pts.size()), hash, *middle};
    if (it != middles_.end()) {
        *it = entry;
    } else {
        middles_.push_back(entry);
    }
    return middle;
}

void CPlotDrawingRgn::DrawArrow(Surface& dc, CPlotVar& yVar, CPlotLook& plot) {
    const ArrowDirection direction = ArrowDirectionOf(yVar.Attrib2Extra[0]);
    if (direction == ArrowDirection::None || StreamedPlot(plot) || yVar.MarkCount < 2) return;
    const std::span<const Point> pts(yVar.Marks.data(), static_cast<std::size_t>(yVar.MarkCount));
    std::optional<ArrowPlacement> arrow;
    if (ArrowPositionOf(yVar.Attrib2Extra[1]) == ArrowPosition::End) {
        arrow = ArrowAtEnd(pts, direction);
    } else if (const std::optional<PolylineMiddle> middle = CachedMiddle(yVar)) {
        arrow = ArrowAtMiddle(pts, *middle, direction);
    }
    if (!arrow) return;
    CPlotEnv& env = plot.Environment();
    const std::array<Point, 4> head = ArrowHeadPolygon(*arrow, env.Units(kArrowLength));
    if (!InsideInclusive(DeviceRect(env).Inflate(1, 1), head[0])) return;
    int colour = yVar.Color;
    if (yVar.Highlight && !plot.Printing && !dc.IsPrintingDevice()) {
        colour = plot.Props().highlightMode == kTwoPassMode ? kSecondPassColour : kSelectedArrowColour;
    }
    StateGuard restore(dc);
    env.PalettePen(dc, colour, 1, 0);
    env.SolidBrush(dc, colour);
    dc.Polygon(head);
}

}  // namespace vtg
