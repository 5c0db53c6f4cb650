// The pointer and the plot: converting between plot values and device pixels, the rubber-band
// line a host drags, double clicks and opening objects for editing, rotating objects on a
// triangle, and the text a host shows for a while at a point.
#include <set>
#include <string>
#include <utility>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/Surface.h"
#include "platform/WindowSite.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotEnv.h"

namespace vtg {

namespace {

// The first Y axis: the one the drawing area's own read-out uses.
constexpr int kFirstYAxis = 1;
// The tip sits this far above the point, or this far below it when there is no room above.
constexpr int kTipAbove = 60;
constexpr int kTipBelow = 20;

// Line feeds and backslash-n sequences break the tip's lines.
std::string TipLines(std::string text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else if (text[i] != '\r') {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::optional<Point> CPlotLook::PlotToDevice(double x, double y) {
    if (!DrawingRgn) return std::nullopt;
    return DrawingRgn->AnchorToDevice(*this, x, y, kFirstYAxis);
}

std::optional<std::pair<double, double>> CPlotLook::DeviceToPlot(Point p) {
    if (!DrawingRgn) return std::nullopt;
    const std::optional<AxisValues> v = DrawingRgn->PointInfo(*this, p);
    if (!v) return std::nullopt;
    return std::pair{v->x, v->y};
}

bool CPlotLook::InDrawingArea(Point p) const {
    return DrawingRgn && Env->ToDevice(DrawingRgn->Rect).Contains(p);
}

bool CPlotLook::IsRegionDefined() const { return DrawingRgn && DrawingRgn->BandActive; }

void CPlotLook::DragLine(Surface& dc, int x1, int y1, int x2, int y2, int color) {
    StateGuard restore(dc);
    dc.SetRop2(Rop2::NotXorPen);
    auto line = [&](int colour, Point a, Point b) {
        Env->PalettePen(dc, colour, 1, 0);
        dc.MoveTo(a);
        dc.LineTo(b);
    };
    if (color < 0) {
        // Drawing the last line again in not-XOR wipes it out.
        line(RubberColor, {RubberX1, RubberY1}, {RubberX2, RubberY2});
    } else {
        RubberColor = static_cast<std::int16_t>(color);
    }
    line(RubberColor, {x1, y1}, {x2, y2});
    RubberX1 = static_cast<std::int16_t>(x1);
    RubberY1 = static_cast<std::int16_t>(y1);
    RubberX2 = static_cast<std::int16_t>(x2);
    RubberY2 = static_cast<std::int16_t>(y2);
}

CPlotLook::DoubleClickResult CPlotLook::DoubleClick(Surface& dc, Point p) {
    // Objects lie over the regions; the last drawn is on top.
    for (auto it = Objects.end(); it != Objects.begin();) {
        CPlotObj& object = **--it;
        // An object a click cannot pick is passed over, as the click passes it.
        if (!object.HitTest(*this, p) || !SelectObject(&object)) continue;
        return {object.Id, EditObject(dc, object.Id)};
    }
    for (auto it = Regions.rbegin(); it != Regions.rend(); ++it) {
        CPlotRegion* region = *it;
        if (region->Hidden || !region->HitTest(p) || !region->AcceptsClick(dc, *this, p)) continue;
        if (!SelectRegion(region)) continue;
        if (!region->EditProperties(dc, *this)) return {};
        LayoutDirty = 1;
        return {0, ObjectEdit::Changed};
    }
    return {};
}

ObjectEdit CPlotLook::EditObject(Surface& dc, int id) {
    CPlotObj* object = Objects.Find(id);
    if (!object || object->Kind != PlotObjKind::Text) return ObjectEdit::Unchanged;
    CPlotAnnotation* annotation = static_cast<CPlotTextObj*>(object)->Annotation(*this);
    if (!annotation) return ObjectEdit::Unchanged;
    if (Props().ClientType == 0) return ObjectEdit::InPlaceEditor;
    if (!annotation->EditProperties(dc, *this)) return ObjectEdit::Unchanged;
    LayoutDirty = 1;
    return ObjectEdit::Changed;
}

void CPlotLook::RotateObjects(int direction) {
    // A host's line can share its variables with the line object of a plotted variable: the
    // points are turned once, whichever objects show them.
    std::set<std::pair<int, int>> turned;
    for (const auto& object : Objects) {
        const bool xy = object->Kind == PlotObjKind::Line || object->Kind == PlotObjKind::Polygon;
        if (xy && !turned.insert({object->XVarIndex, object->YVarIndex}).second) continue;
        object->Rotate(*this, direction);
    }
    curveTiesStale_ = true;
}

void CPlotLook::ShowDisplayText(std::string_view text, Point p) {
    IWindowSite* site = Control->Site();
    if (!site) return;
    const Point at{p.x, p.y - kTipAbove >= 0 ? p.y - kTipAbove : p.y + kTipBelow};
    site->ShowToolTip(TipLines(DisplayText(text)), at);
}

void CPlotLook::HideDisplayText() {
    if (IWindowSite* site = Control->Site()) site->HideToolTip();
}

}  // namespace vtg
