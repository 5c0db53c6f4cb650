// Drawing an annotation (leader line, arrowhead, text lines), its selection marks, hit testing
// and dragging it or its tag point with the mouse.
#include <algorithm>
#include <cmath>

#include "objects/CPlotAnnotation.h"
#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/SelectionStyle.h"

namespace vtg {

namespace {

constexpr double kZoomedIn = 1.001;
constexpr int kArrowUnit = 7;
constexpr int kLargestArrow = 1000;
// A dropped text must still lie this far inside the plot on every side.
constexpr int kDropMargin = 5;

unsigned TextAlignFor(int alignment) {
    const unsigned horizontal = alignment == 1 ? TextAlign::Center : alignment == 2 ? TextAlign::Right : TextAlign::Left;
    return horizontal | TextAlign::Bottom;
}

Point Shift(Point p, const CPlotEnv& env, bool shift) { return shift ? env.ToDevice(p) : p; }

// Figures drawn with this drawing mode vanish when drawn a second time.
void InvertingLine(Surface& dc, Point a, Point b) {
    dc.MoveTo(a);
    dc.LineTo(b);
}

}  // namespace

bool CPlotAnnotation::LeaderHidden(CPlotLook& plot) const {
    return plot.ZoomLevel > kZoomedIn && plot.DrawingRgn && !plot.DrawingRgn->AnnotationVisible(Anchor(), plot);
}

void CPlotAnnotation::Draw(Surface& dc, CPlotLook& plot, int force) {
    if (Hidden || !Font) return;
    Layout(dc, plot);
    if (NewMark || !LaidOut) return;
    if (BringIntoViewPending) {
        BringIntoView(plot);
        Layout(dc, plot);
    }
    const CPlotEnv& env = plot.Environment();
    // Free annotations are placed without the device's origin offset; tied ones carry it.
    const vtg::Rect device = IsTied() ? Rect : env.ToDevice(Rect);
    if (!force && !device.Intersects(env.PaintArea)) return;
    if (IsTied() && Arrow > 0 && LeaderHidden(plot)) return;
    if (Selected) DrawSelection(dc, plot);
    if (IsTied() && Arrow > 0) DrawLeader(dc, plot);
    DrawLines(dc, plot);
}

void CPlotAnnotation::DrawLeader(Surface& dc, CPlotLook& plot) const {
    const CPlotEnv& env = plot.Environment();
    StateGuard restore(dc);
    env.PalettePen(dc, Color, 1, 0);
    env.SolidBrush(dc, Color);
    const Point end = LeaderEnd(TextBox, TagPoint, TextPosition);
    dc.MoveTo(TagPoint);
    dc.LineTo(end);
    // A stored arrow size may be anything; an arrowhead wider than the plot shows nothing more.
    const int size = std::clamp(Arrow, 0, kLargestArrow);
    if (const auto head = LeaderArrowHead(TagPoint, end, env.Units(kArrowUnit * size))) dc.Polygon(*head);
}

void CPlotAnnotation::DrawLines(Surface& dc, CPlotLook& plot) const {
    const CPlotEnv& env = plot.Environment();
    StateGuard restore(dc);
    // The pool's font for the annotation's own direction, so that the text always runs along
    // the box that was measured for it.
    env.SelectFont(dc, env.Tool().GetFont(Font->Face, Font->Size, Direction, Font->Style));
    dc.SetTextColor(RgbOnly(env.Tool().PaletteColor(Color)));
    const bool transparent = Selected || TransparentBackground || plot.Props().textMode == 1;
    dc.SetBkMode(transparent ? BkMode::Transparent : BkMode::Opaque);
    dc.SetTextAlign(TextAlignFor(Alignment));
    const Point at = Shift(TextPosition, env, !IsTied());
    const std::vector<std::string> lines = ShownLines(plot);
    const int n = static_cast<int>(lines.size());
    const double dx = static_cast<double>(HeightVector.x) / n;
    const double dy = static_cast<double>(HeightVector.y) / n;
    for (int k = 0; k < n; ++k) {
        const int steps = n - 1 - k;
        const Point p{RoundDevice(at.x + steps * dx), RoundDevice(at.y - steps * dy)};
        dc.TextOut(p, lines[static_cast<std::size_t>(k)]);
    }
}

void CPlotAnnotation::DrawSelection(Surface& dc, CPlotLook& plot) {
    CPlotEnv& env = plot.Environment();
    {
        StateGuard restore(dc);
        dc.SelectPen(SelectionPen());
        dc.SelectBrush(SelectionFrameBrush());
        std::array<Point, 4> outline = Outline;
        for (Point& p : outline) p = Shift(p, env, !IsTied());
        dc.Polygon(outline);
    }
    if (!IsTied() || !TagHandle) return;
    std::erase_if(env.Bullets, [](const CPlotBullet& b) { return b.Code == kTagDrag; });
    CPlotBullet handle;
    handle.Box = TagSquare(TagPoint);
    handle.Code = kTagDrag;
    handle.Owner = RegionKind::Corner;
    handle.Cursor = IDC_SIZEALL;
    env.Bullets.push_back(handle);
    if (IWindowSite* site = plot.Host().Site()) {
        site->AddTool(kTagDrag, TagSquare(TagPoint), plot.Host().ResourceString("IDS_ANNOTATION_DRAGTOMOVETAGPOINT"));
    }
}

bool CPlotAnnotation::HitTest(Point p) const {
    if (!LaidOut || Hidden) return false;
    if (IsTied() && !LeaderLocked) {
        if (OnLeaderBand(TagPoint, TextPosition, p)) return true;
        if (TagHandle && TagSquare(TagPoint).Contains(p)) return true;
    }
    return InsideOutline(Outline, p);
}

bool CPlotAnnotation::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

int CPlotAnnotation::BeginTrack(Surface& dc, CPlotLook&, Point p) {
    if (TextBox.Contains(p) || NewMark) {
        dragPoint_ = p;
        dragRect_ = TextBox;
        feedbackDrawn_ = false;
        trackCode_ = 1;
        return 1;
    }
    if (TagSquare(TagPoint).Contains(p)) {
        BeginResize(dc, kTagDrag);
        trackCode_ = kTagDrag;
        return kTagDrag;
    }
    trackCode_ = 0;
    return 0;
}

void CPlotAnnotation::BeginResize(Surface&, int) {
    leaderEnd_ = LeaderEnd(TextBox, TagPoint, TextPosition);
    feedbackDrawn_ = false;
}

void CPlotAnnotation::Track(Surface& dc, CPlotLook& plot, Point p) {
    StateGuard restore(dc);
    dc.SetRop2(Rop2::Not);
    dc.SelectBrush(Brush{BrushKind::Null});
    if (trackCode_ == kTagDrag) {
        if (feedbackDrawn_) InvertingLine(dc, TagPoint, leaderEnd_);
        TagPoint = p;
        InvertingLine(dc, TagPoint, leaderEnd_);
        feedbackDrawn_ = true;
        return;
    }
    if (trackCode_ != 1) return;
    const bool withLine = IsTied() && NewMark;
    if (feedbackDrawn_) {
        DrawFeedback(dc, plot);
        if (withLine) InvertingLine(dc, TagPoint, dragPoint_);
    }
    dragRect_ = dragRect_.Offset(p.x - dragPoint_.x, p.y - dragPoint_.y);
    dragPoint_ = p;
    feedbackDrawn_ = true;
    DrawFeedback(dc, plot);
    if (withLine) InvertingLine(dc, TagPoint, dragPoint_);
}

void CPlotAnnotation::DrawFeedback(Surface& dc, CPlotLook&) const { dc.Rectangle(dragRect_); }

bool CPlotAnnotation::EndTrack(Surface&, CPlotLook& plot) {
    const int code = trackCode_;
    trackCode_ = 0;
    if (code == kTagDrag) return EndTagDrag(plot);
    if (code != 1) return false;
    Invalidate(plot);
    const bool inside = dragRect_.right > kDropMargin && dragRect_.left < plot.Width - kDropMargin &&
                        dragRect_.bottom > kDropMargin && dragRect_.top < plot.Height - kDropMargin;
    if (inside) MoveBy(dragRect_.left - TextBox.left, dragRect_.top - TextBox.top, plot);
    return false;
}

bool CPlotAnnotation::EndTagDrag(CPlotLook& plot) {
    // The tag goes to the data nearest the drop; the text keeps its place on the screen.
    const Point text = TextPosition;
    const Point drop = TagPoint;
    const Position kept = GetPosition();
    const int previous = Attachment;
    Attachment = kCurve;
    if (!FindTagData(plot, kCurve, drop)) {
        Attachment = previous;
        SetPosition(kept);
        TextPosition = text;
        ComputeTagPoint(plot);
        return true;
    }
    TextPosition = text;
    StoreDevicePosition(text, plot);
    UpdateBoxes();
    UpdateRegionRect(Arrow > 0);
    return true;
}

}  // namespace vtg
