// Tying an annotation to data and freeing it again: the tag point from the anchor, the search
// for the data under the text when it is attached, and the way back to a relative position.
#include <cmath>
#include <limits>

#include "objects/CPlotAnnotation.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotDrawingRgn.h"

namespace vtg {

namespace {

// Anchors are kept in single precision: a value that does not fit is no anchor.
std::optional<float> ToAnchor(double v) {
    if (!(std::fabs(v) < static_cast<double>(std::numeric_limits<float>::max()))) return std::nullopt;
    return static_cast<float>(v);
}

double Squared(double d) { return d * d; }

}  // namespace

bool CPlotAnnotation::ComputeTagPoint(CPlotLook& plot) {
    if (!plot.DrawingRgn) return false;
    const CPlotDrawingRgn& area = *plot.DrawingRgn;
    const std::optional<Point> tag = area.AnchorToDevice(plot, AnchorX, AnchorY, CPlotDrawingRgn::AnnotationAxis(Anchor(), plot));
    if (!tag) return false;
    TagPoint = *tag;
    return true;
}

void CPlotAnnotation::Attach(CPlotLook& plot, int mode) {
    const Point at = IsTied() ? TextPosition : RelativeToDevice(FrameOf(plot), AnchorX, AnchorY);
    const int previous = Attachment;
    const Position kept = GetPosition();
    Attachment = mode;
    if (!FindTagData(plot, mode, at)) {
        // Nothing to tie to: the annotation stays as it was.
        Attachment = previous;
        SetPosition(kept);
    }
}

bool CPlotAnnotation::FindTagData(CPlotLook& plot, int mode, Point at) {
    // Bars have no curve points and their own axes: the text stays free.
    if (!plot.DrawingRgn || plot.BarGraph || mode < kCurve || mode > kDataPoint) return false;
    const CPlotDrawingRgn& area = *plot.DrawingRgn;
    const std::optional<AxisValues> under = area.PointInfo(plot, at);
    if (!under) return false;
    if (mode == kDataPoint) {
        const std::optional<float> ux = ToAnchor(under->x);
        const std::optional<float> uy = ToAnchor(under->y);
        if (!ux || !uy) return false;
        SetPosition({*ux, *uy, 0, 0, 0});
        if (!area.AnnotationVisible(Anchor(), plot)) return false;
        TagPoint = at;
        TextPosition = at;
        return true;
    }
    double nearness = std::numeric_limits<double>::max();
    AttachedVariable = 0;
    if (mode == kCurve) {
        if (const std::optional<NearestCurvePoint> best = area.NearestPoint(plot, at)) {
            const std::optional<float> bx = ToAnchor(best->x);
            const std::optional<float> by = ToAnchor(best->y);
            if (bx && by) {
                nearness = best->nearness;
                SetPosition({*bx, *by, 0, 0, best->variable});
            }
        }
    }
    if (!TieToAxisIfNearer(plot, at, nearness, under->x, under->y)) return false;
    if (!ComputeTagPoint(plot)) return false;
    // The text stays where it was on the screen.
    TextPosition = at;
    StoreDevicePosition(at, plot);
    return true;
}

bool CPlotAnnotation::TieToAxisIfNearer(CPlotLook& plot, Point at, double nearness, double x, double y) {
    const vtg::Rect& r = plot.DrawingRgn->Rect;
    const double toBottom = Squared(at.y - r.bottom);
    const double toLeft = Squared(at.x - r.left);
    if (nearness <= toBottom && nearness <= toLeft) return true;
    // Tied to the axis along the nearer edge; a flipped plot has its X axis on the left.
    const bool bottom = toBottom <= toLeft;
    const bool xAxis = plot.Flipped ? !bottom : bottom;
    const std::optional<float> value = ToAnchor(xAxis ? x : y);
    if (!value) return false;
    SetPosition({xAxis ? *value : kOnAxis, xAxis ? kOnAxis : *value, 0, 0, 0});
    Attachment = kAxis;
    return true;
}

void CPlotAnnotation::Detach(CPlotLook& plot, int mode) {
    if (IsTied()) {
        if (ComputeTagPoint(plot)) {
            Place(plot);
        } else if (!LaidOut) {
            // Neither a tag point nor an earlier layout tells where the text is.
            return;
        }
    }
    const Point at = TextPosition;
    Attachment = kFree;
    AttachedVariable = 0;
    StoreDevicePosition(at, plot);
    Attachment = mode;
}

}  // namespace vtg
