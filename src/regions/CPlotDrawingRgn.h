#pragma once
// The drawing area: the rectangle inside the axes where curves, markers, bars, the grid, the
// zero line and the diagonal are drawn, where the rubber band is shown and where the tracker
// draws its cross-hair. Bar graphs and triangular plots use their own subclasses.
//
// Curves follow map, reduce, clip, draw: a variable pair is mapped once per draw into the
// variable's point buffer (which then serves markers, fills, the arrow and hit tests), each
// piece of it is reduced per pixel column for the line alone, cut into runs by how it meets
// the rectangle, and handed to the surface as polylines.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "regions/ArrowHead.h"
#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotAxis;
class CPlotEnv;
class CPlotVar;

// The rubber band as fractions of the drawing rectangle (0 at its left/top edge).
struct BandFraction {
    double x0 = 0;
    double x1 = 1;
    double y0 = 0;
    double y1 = 1;
};

// The data values under a pixel, on the X axis and the first Y axis.
struct AxisValues {
    double x = 0;
    double y = 0;
};

// Where an annotation is anchored, as the drawing area reads it: x on the independent axis, y on
// the Y axis of the variable it is tied to (0: none). A coordinate of kOnAxis lies on the area's
// edge along that coordinate's direction.
struct AnnotationAnchor {
    static constexpr float kOnAxis = 3.4028235e38f;
    double x = 0;
    double y = 0;
    int variable = 0;
};

// The curve point nearest to a device point: how near (|AP| + |PB| - |AB| for the best segment
// AB), the data values interpolated along that segment and the 1-based variable number.
struct NearestCurvePoint {
    double nearness = 0;
    double x = 0;
    double y = 0;
    int variable = 0;
};

class CPlotDrawingRgn : public CPlotRegion {
public:
    explicit CPlotDrawingRgn(int triangleKind = 0);
    ~CPlotDrawingRgn() override;

    RegionClass Class() const override { return RegionClass::Drawing; }

    // Grid, zero line, diagonal and (not when printing) the rubber band. Curves, bars and
    // markers are drawn afterwards by the plot, variable by variable.
    void Draw(Surface& dc, CPlotLook& plot, int force) override;
    // Invalidates the band's rectangle and clears the band.
    void Invalidate(CPlotLook& plot) override;
    // Starts a rubber band at p; returns 1 (the region tracks the mouse).
    int BeginTrack(Surface& dc, CPlotLook& plot, Point p) override;
    // Moves the band's free corner to p (kept inside the rectangle), erasing and redrawing
    // it with the same self-inverting figure.
    void Track(Surface& dc, CPlotLook& plot, Point p) override;
    // The zoom menu inside an active band, else the plot menu.
    Menu* GetContextMenu(CPlotLook& plot, Point p) override;

    // ---- variable drawing (CurveDrawing.cpp) ----
    // xVar is the independent variable and xAxis its axis; yVar holds the values on yAxis.
    // The environment's views must be set. Flipped plots run the independent values down the
    // page.
    virtual void DrawCurve(Surface& dc, CPlotVar& xVar, CPlotVar& yVar, const CPlotAxis& xAxis,
                           const CPlotAxis& yAxis, CPlotLook& plot);
    // The direction arrow on yVar's point buffer, as DrawCurve left it.
    virtual void DrawArrow(Surface& dc, CPlotVar& yVar, CPlotLook& plot);
    // Markers every marker interval, point tool tips for small series, and the point buffer
    // of a variable that draws no line. series numbers the tool tips.
    virtual void DrawMarkers(Surface& dc, CPlotVar& xVar, CPlotVar& yVar, const CPlotAxis& xAxis,
                             const CPlotAxis& yAxis, CPlotLook& plot, int series);
    // Nothing here; bar graphs draw their bars.
    virtual void DrawBars(Surface& dc, CPlotEnv& env, const CPlotVar& xVar, const CPlotVar& yVar,
                          const CPlotAxis& xAxis, const CPlotAxis& yAxis, int seriesCount, int series,
                          bool horizontal);
    virtual void DrawGrid(Surface& dc, CPlotLook& plot);
    // The band in not-XOR with a dotted pen, so that drawing it twice removes it.
    virtual void DrawBand(Surface& dc, CPlotLook& plot);
    // nullopt without a band.
    virtual std::optional<BandFraction> BandFractions() const;
    // Indexes of yVar's points whose pixels lie inside the band.
    virtual std::vector<std::uint32_t> SelectInBand(const CPlotVar& xVar, const CPlotVar& yVar,
                                                    const CPlotAxis& xAxis, const CPlotAxis& yAxis,
                                                    CPlotLook& plot) const;
    // The values under a pixel; nullopt while the views cannot convert.
    virtual std::optional<AxisValues> AxisValuesAt(const CPlotEnv& env, const CPlotAxis& xAxis,
                                                   const CPlotAxis& yAxis, Point p) const;
    // "x=...\ny=..." for a pixel, with the X axis and the first Y axis of the plot.
    virtual std::optional<std::string> Readout(CPlotLook& plot, Point p) const;
    // The pixel of a pair of transformed values; nullopt while the views cannot convert.
    virtual std::optional<Point> ToPixel(const CPlotEnv& env, double x, double y) const;
    // The band contains r.
    virtual bool BandCovers(const vtg::Rect& r) const;
    // False only when both ends lie beyond the same side of the rectangle.
    virtual bool SegmentVisible(Point a, Point b) const;
    // The rectangle with its right and bottom edges.
    virtual bool ContainsPixel(Point p) const;
    // Both values within the axes' displayed ranges, with a little tolerance.
    virtual bool ValuesInRange(double x, double y, const CPlotAxis& xAxis, const CPlotAxis& yAxis) const;
    // The point lies in the plot's shape: the rectangle r on XY plots.
    virtual bool InShape(Point p, const vtg::Rect& r) const;

    // ---- annotation anchors (CPlotDrawingRgnAnnotations.cpp) ----
    // Over every visible curve; nullopt when no curve has a segment.
    virtual std::optional<NearestCurvePoint> NearestPoint(CPlotLook& plot, Point p) const;
    // The X axis value and the first Y axis value under a device point (the independent value
    // in x also on a flipped plot); nullopt while the axes cannot convert.
    virtual std::optional<AxisValues> PointInfo(CPlotLook& plot, Point p) const;
    // The device point of an anchor (x independent, y on Y axis yAxis). A value equal to the
    // on-the-axis value puts the point on the drawing area's edge along that value's direction.
    virtual std::optional<Point> AnchorToDevice(CPlotLook& plot, double x, double y, int yAxis) const;
    // The annotation's anchor lies within the displayed ranges of its axes.
    virtual bool AnnotationVisible(const AnnotationAnchor& anchor, CPlotLook& plot) const;
    // The Y axis an annotation's anchor is read on: its variable's axis when it is tied to a
    // variable that exists and the plot is not flipped, else the first.
    static int AnnotationAxis(const AnnotationAnchor& anchor, const CPlotLook& plot);

    // ---- tracker (CPlotDrawingRgnTracker.cpp) ----
    // The cross-hair and the read-out box at the plot's tracker point, in XOR and over saved
    // pixels; EraseTracker restores what DrawTracker covered. A full redraw forgets it.
    void DrawTracker(Surface& dc, CPlotLook& plot);
    void EraseTracker(Surface& dc, CPlotLook& plot);
    void ForgetTracker();
    bool TrackerShown() const { return tracker_.shown; }

    // 0 for XY plots; 1 (equilateral) or 2 (right-angled) on triangular plots.
    int TriangleKind = 0;
    vtg::Rect BandRect;
    int BandActive = 0;
    // Working values of the triangular subclass, zero at creation.
    std::array<int, 6> TriState{};

protected:
    struct TrackerState {
        bool shown = false;
        Point cross;                    // where the cross-hair was drawn
        vtg::Rect box;                  // the read-out box, device pixels
        std::unique_ptr<Surface> saved; // the pixels under the box
    };
    // The middle of a variable's point buffer, cached while the buffer stays the same. The
    // variable is only compared, never followed: an entry of a deleted variable is checked
    // against the points like any other.
    struct MiddleCache {
        const CPlotVar* var = nullptr;
        std::uint32_t count = 0;
        std::uint64_t hash = 0;
        PolylineMiddle middle;
    };

    // The drawing rectangle on the device.
    vtg::Rect DeviceRect(const CPlotEnv& env) const;
    // Maps the pair into yVar's point buffer; the line's pieces, reduced per pixel column.
    std::vector<std::span<const Point>> MapForDrawing(CPlotVar& xVar, CPlotVar& yVar, const CPlotAxis& xAxis,
                                                      const CPlotAxis& yAxis, CPlotLook& plot);
    void DrawZeroLine(Surface& dc, CPlotLook& plot);
    void DrawDiagonal(Surface& dc, CPlotLook& plot);
    // The highlight of a selected curve over its reduced line (or its polygon).
    void DrawSelectionPasses(Surface& dc, CPlotVar& yVar, const std::vector<std::span<const Point>>& line,
                             CPlotLook& plot, bool polygon);
    std::optional<PolylineMiddle> CachedMiddle(const CPlotVar& yVar);

    TrackerState tracker_;
    std::vector<MiddleCache> middles_;
    // Where the band's press point was, for Track.
    Point bandAnchor_;
    // Where the pieces of the last mapped curve start in its point buffer, and its line
    // reduced per pixel column (kept to reuse the memory).
    std::vector<std::uint32_t> pieces_;
    std::vector<Point> reduced_;
};

class CPlotBarDrawingRgn : public CPlotDrawingRgn {
public:
    CPlotBarDrawingRgn() = default;
    RegionClass Class() const override { return RegionClass::BarDrawing; }

    // Bar graphs show no grid.
    void DrawGrid(Surface& dc, CPlotLook& plot) override;
    // Series `series` of seriesCount side by side in each interval between consecutive X
    // values; horizontal bars when the plot is flipped.
    void DrawBars(Surface& dc, CPlotEnv& env, const CPlotVar& xVar, const CPlotVar& yVar, const CPlotAxis& xAxis,
                  const CPlotAxis& yAxis, int seriesCount, int series, bool horizontal) override;
};

// One bar of series s among S in the interval from edge to v along the category direction
// (pixels, either direction): the slot edge + s w .. edge + (s + 1) w with w = (v - edge) / S,
// the last slot ending exactly at v, less a 2-pixel gap on the far side.
struct BarSpan {
    int from = 0;
    int to = 0;
};
BarSpan BarSlot(int edge, int v, int series, int seriesCount);

class CPlotTriDrawingRgn : public CPlotDrawingRgn {
public:
    explicit CPlotTriDrawingRgn(int triangleKind) : CPlotDrawingRgn(triangleKind) {}
    RegionClass Class() const override { return RegionClass::TriDrawing; }

    // Where the current rubber band was started.
    Point BandPress;
};

}  // namespace vtg
