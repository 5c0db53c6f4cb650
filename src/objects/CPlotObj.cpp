#include "objects/CPlotObj.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "objects/CPlotAnnotation.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"

namespace vtg {

namespace {

// Values from this on are missing values rather than data.
constexpr double kMissingFrom = 9e27;
constexpr double kMissing = 1e28;

bool IsMissing(double v) { return !(v < kMissingFrom) || std::isnan(v); }

// The triangular rotation of one point.
void RotatePair(double& x, double& y, int direction) {
    const double rest = 1 - x - y;
    if (direction != 0) {
        x = y;
        y = rest;
    } else {
        y = x;
        x = rest;
    }
}

int Bit(int value, int bit) { return (value & bit) != 0 ? 1 : 0; }

}  // namespace

// ---- plain objects ----

void CPlotObj::Release(CPlotLook&) {}

void CPlotObj::CreateBacking(CPlotLook&) {}

bool CPlotObj::SetPoint(CPlotLook&, int, double, double) { return false; }

bool CPlotObj::GetPoint(const CPlotLook&, int, double&, double&) const { return false; }

int CPlotObj::PlaceText(CPlotLook&, double, double, const std::string&, int) { return 0; }

void CPlotObj::SetLineAttributes(CPlotLook&, const ObjectLineAttributes&) {}

int CPlotObj::HitTestPoint(CPlotLook&, Point) { return 0; }

void CPlotObj::Select(CPlotLook&, bool) { Bounds = {}; }

void CPlotObj::Invalidate(CPlotLook& plot) {
    // Bounds come from hit testing: an object never tested has nothing known to repaint.
    if (!Bounds.IsEmpty()) plot.Host().InvalidateRect(Bounds.Inflate(10, 10), true);
}

int CPlotObj::BeginTrack(Surface&, CPlotLook&, Point) { return 0; }

void CPlotObj::Track(Surface&, CPlotLook&, Point) {}

int CPlotObj::EndTrack(Surface&, CPlotLook&) { return 0; }

int CPlotObj::SetFlags(CPlotLook& plot, int value, int mask) {
    if (mask & ObjectFlag::Pickable) Pickable = Bit(value, ObjectFlag::Pickable);
    return Flags(plot);
}

void CPlotObj::Rotate(CPlotLook&, int) {}

int CPlotObj::Flags(const CPlotLook&) const { return Pickable ? ObjectFlag::Pickable : 0; }

// ---- objects backed by variables ----

void CPlotXYObj::Release(CPlotLook& plot) {
    if (CPlotVar* y = plot.YVar(YVarIndex)) y->Release();
    if (CPlotVar* x = plot.XVar(XVarIndex)) {
        x->Release();
        // Only dependent variables are drawn, and only theirs is a visibility the plot keeps.
        x->Hidden = 0;
    }
}

void CPlotXYObj::CreateBacking(CPlotLook& plot) {
    const auto [xIndex, yIndex] = plot.AcquireObjectVariables();
    CPlotVar& y = *plot.YVar(yIndex);
    y.AxisMap = 1;
    y.LabelIndex = -1;
    y.Color = (Id - 100) % 6 + 1;
    if (Kind == PlotObjKind::Polygon) {
        y.Filled = 1;
        y.FillStyle = -1;
    }
    y.PenWidth = 3;
    y.Marker = (Id - 100) % 10 + 1;
    y.XVarIndex = xIndex + 1;
    XVarIndex = xIndex;
    YVarIndex = yIndex;
}

bool CPlotXYObj::SetPoint(CPlotLook& plot, int index, double x, double y) {
    CPlotVar* xv = plot.XVar(XVarIndex);
    CPlotVar* yv = plot.YVar(YVarIndex);
    if (!xv || !yv || index < 0) return false;
    const bool xMissing = IsMissing(x);
    const bool yMissing = IsMissing(y);
    // Only the present value is written; both missing clear the point.
    const bool writeX = !xMissing || yMissing;
    const bool writeY = xMissing || !yMissing;
    if (!plot.CanStoreAt({writeX ? xv : nullptr, writeY ? yv : nullptr}, index)) return false;
    if (writeX) xv->SetValue(index, xMissing ? kMissing : x);
    if (writeY) yv->SetValue(index, yMissing ? kMissing : y);
    return true;
}

bool CPlotXYObj::GetPoint(const CPlotLook& plot, int index, double& x, double& y) const {
    const CPlotVar* xv = plot.XVar(XVarIndex);
    const CPlotVar* yv = plot.YVar(YVarIndex);
    if (!xv || !yv || index < 0 || static_cast<std::uint32_t>(index) > yv->MaxIndex) return false;
    const ValueRead rx = xv->GetValue(index);
    const ValueRead ry = yv->GetValue(index);
    if (!ry.valid) return false;
    x = rx.valid ? rx.value : kMissing;
    y = ry.value;
    return true;
}

void CPlotXYObj::Select(CPlotLook& plot, bool on) {
    if (CPlotVar* y = plot.YVar(YVarIndex)) y->Highlight = on ? 1 : 0;
}

int CPlotXYObj::SetFlags(CPlotLook& plot, int value, int mask) {
    if (mask & ObjectFlag::Visible) plot.SetHidden(YVarIndex, Bit(value, ObjectFlag::Visible) ? 0 : 1);
    if (mask & ObjectFlag::Pickable) Pickable = Bit(value, ObjectFlag::Pickable);
    if (mask & ObjectFlag::Highlighted) {
        const bool on = (value & ObjectFlag::Highlighted) != 0;
        const CPlotVar* y = plot.YVar(YVarIndex);
        if (y && (y->Highlight != 0) != on) {
            if (on) {
                plot.Host().RegisterHighlight(Id);
            } else {
                plot.Host().UnregisterHighlight(Id);
            }
            Select(plot, on);
        }
    }
    return Flags(plot);
}

void CPlotXYObj::Rotate(CPlotLook& plot, int direction) {
    CPlotVar* xv = plot.XVar(XVarIndex);
    CPlotVar* yv = plot.YVar(YVarIndex);
    if (!xv || !yv) return;
    const std::uint32_t n = std::min(xv->Capacity(), yv->Capacity());
    for (std::uint32_t i = 0; i < n; ++i) {
        double& x = xv->Values[i];
        double& y = yv->Values[i];
        if (IsMissing(x) || IsMissing(y)) continue;
        RotatePair(x, y, direction);
    }
}

int CPlotXYObj::Flags(const CPlotLook& plot) const {
    const CPlotVar* y = plot.YVar(YVarIndex);
    int flags = Pickable ? ObjectFlag::Pickable : 0;
    if (y && !y->Hidden) flags |= ObjectFlag::Visible;
    if (y && y->Highlight) flags |= ObjectFlag::Highlighted;
    return flags;
}

CPlotVar* CPlotXYObj::PickableVariable(const CPlotLook& plot) const {
    return Pickable ? plot.YVar(YVarIndex) : nullptr;
}

// ---- lines and polygons ----

void CPlotLineObj::SetLineAttributes(CPlotLook& plot, const ObjectLineAttributes& a) {
    CPlotVar* y = plot.YVar(YVarIndex);
    if (!y) return;
    if (a.mask & 1) y->Color = a.color;
    if (a.mask & 2) {
        y->PenWidth = a.width;
        y->PenStyle = a.style;
    }
    if (a.mask & 4) y->Marker = a.marker;
    if (a.mask & 8) y->VarMarkerSize = a.markerSize;
    if (a.mask & 16) {
        // Arrow direction 1 forward, 2 backward; position 0 at the end, -1 along the line.
        y->Attrib2Extra[0] = a.direction == 0 ? 0 : (a.direction > 0 ? 1 : 2);
        if (a.direction != 0) y->Attrib2Extra[1] = std::abs(a.direction) == 1 ? 0 : -1;
    }
}

void CPlotPolygonObj::SetLineAttributes(CPlotLook& plot, const ObjectLineAttributes& a) {
    CPlotVar* y = plot.YVar(YVarIndex);
    if (!y) return;
    y->Color = a.color;
    y->FillStyle = a.width;
}

// ---- texts ----

CPlotAnnotation* CPlotTextObj::Annotation(const CPlotLook& plot) const {
    if (AnnotationIndex < 0 || AnnotationIndex >= static_cast<int>(plot.Annotations.size())) return nullptr;
    return plot.Annotations[static_cast<std::size_t>(AnnotationIndex)].get();
}

void CPlotTextObj::Release(CPlotLook& plot) {
    CPlotAnnotation* a = Annotation(plot);
    if (!a) return;
    a->Hidden = 1;
    if (a->TimeStamp) {
        // Formatted anew the next time a stamp shows them.
        plot.SetSymbol("DATE", "");
        plot.SetSymbol("TIME", "");
    }
}

int CPlotTextObj::PlaceText(CPlotLook& plot, double x, double y, const std::string& text, int attached) {
    const int attachment = attached >= 0 ? CPlotAnnotation::kDataPoint : CPlotAnnotation::kFree;
    CPlotAnnotation* a = Annotation(plot);
    if (!a) {
        AnnotationIndex = plot.AddTextAnnotation(text, ToAnnotationCoordinate(x), ToAnnotationCoordinate(y), 0, 0, "", 0, 0,
                                                 attachment, 2);
        a = Annotation(plot);
        if (a && attached >= 0) a->RequestAttachment(attached);
        return attachment;
    }
    a->AnchorX = ToAnnotationCoordinate(x);
    a->AnchorY = ToAnnotationCoordinate(y);
    a->Text = ConvertAnnotationText(text);
    a->Attachment = attachment;
    a->PendingAttachment = attached;
    a->NeedsMeasure = 1;
    return attachment;
}

int CPlotTextObj::HitTestPoint(CPlotLook& plot, Point p) {
    const CPlotAnnotation* a = Pickable ? Annotation(plot) : nullptr;
    if (!a) return 0;
    Bounds = a->Rect;
    return a->HitTest(p) ? 1 : 0;
}

int CPlotTextObj::HitTest(CPlotLook& plot, Point p) {
    const CPlotAnnotation* a = Pickable ? Annotation(plot) : nullptr;
    return a && a->HitTest(p) ? 1 : 0;
}

void CPlotTextObj::Select(CPlotLook& plot, bool on) {
    CPlotAnnotation* a = Annotation(plot);
    if (!a) return;
    a->Selected = on ? 1 : 0;
    if (on && plot.ActiveObject) plot.ActiveObject->SelectedAnnotation = a;
}

int CPlotTextObj::BeginTrack(Surface& dc, CPlotLook& plot, Point p) {
    CPlotAnnotation* a = Annotation(plot);
    return a ? a->BeginTrack(dc, plot, p) : 0;
}

void CPlotTextObj::Track(Surface& dc, CPlotLook& plot, Point p) {
    if (CPlotAnnotation* a = Annotation(plot)) a->Track(dc, plot, p);
}

int CPlotTextObj::EndTrack(Surface& dc, CPlotLook& plot) {
    CPlotAnnotation* a = Annotation(plot);
    if (!a) return 0;
    const int result = a->EndTrack(dc, plot) ? 1 : 0;
    Bounds = a->Rect;
    return result;
}

int CPlotTextObj::SetFlags(CPlotLook& plot, int value, int mask) {
    CPlotAnnotation* a = Annotation(plot);
    if (mask & ObjectFlag::Pickable) Pickable = Bit(value, ObjectFlag::Pickable);
    if (!a) return Flags(plot);
    if (mask & ObjectFlag::Visible) a->Hidden = Bit(value, ObjectFlag::Visible) ? 0 : 1;
    if (mask & ObjectFlag::Highlighted) {
        const bool on = (value & ObjectFlag::Highlighted) != 0;
        if ((a->Selected != 0) != on) {
            if (on) {
                plot.Host().RegisterHighlight(Id);
            } else {
                plot.Host().UnregisterHighlight(Id);
            }
            Select(plot, on);
        }
    }
    if (mask & ObjectFlag::LeaderLocked) a->LeaderLocked = Bit(value, ObjectFlag::LeaderLocked);
    return Flags(plot);
}

void CPlotTextObj::Rotate(CPlotLook& plot, int direction) {
    CPlotAnnotation* a = Annotation(plot);
    if (!a) return;
    double x = a->AnchorX;
    double y = a->AnchorY;
    // An anchor on an axis has only one value.
    if (IsMissing(x) || IsMissing(y)) return;
    RotatePair(x, y, direction);
    a->AnchorX = ToAnnotationCoordinate(x);
    a->AnchorY = ToAnnotationCoordinate(y);
}

int CPlotTextObj::Flags(const CPlotLook& plot) const {
    const CPlotAnnotation* a = Annotation(plot);
    int flags = Pickable ? ObjectFlag::Pickable : 0;
    if (!a) return flags;
    if (!a->Hidden) flags |= ObjectFlag::Visible;
    if (a->Selected) flags |= ObjectFlag::Highlighted;
    if (a->LeaderLocked) flags |= ObjectFlag::LeaderLocked;
    return flags;
}

}  // namespace vtg
