#include "regions/CPlotLegendRgn.h"

#include <algorithm>
#include <cmath>

#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/PlotLayout.h"
#include "regions/SelectionStyle.h"

namespace vtg {

namespace {

// The ranges SetLegendBox accepts; a resize keeps the sample length within the same bounds
// (its lower one being the length the minimum width is measured with) and the item spacing
// between the minimum height's pitch and the largest spacing accepted.
constexpr int kMinSampleLength = 10;
constexpr int kMaxSampleLength = 200;
constexpr double kMinItemSpacing = 0.8;
constexpr double kMaxItemSpacing = 3.0;
constexpr double kMaxResizedSpacing = 2.99;
constexpr int kMinMargin = 3;
constexpr int kMaxMargin = 40;
// The marker of a line sample, half-size in units.
constexpr double kSampleMarkerHalfSize = 5;
// Bars are outlined with this pen width.
constexpr int kBarOutlineWidth = 2;
// How far the frame's pen and the handles reach beyond the rectangle.
constexpr int kInvalidateMargin = 5;
// A handle's square reaches this far from its centre (5 x 5 pixels).
constexpr int kHandleReach = 2;
constexpr int kMaxPointer = 1 << 24;

// The box's proportions may arrive from a settings text unchecked. Values no user could have
// meant are measured with the defaults instead, which also keeps every product below in range.
struct Proportions {
    int sampleLength;
    double itemSpacing;
    int margin;
};

Proportions SaneProportions(const CPlotLegendRgn& legend) {
    const CPlotLegendRgn defaults;
    Proportions p{legend.SampleLength, legend.ItemSpacing, legend.Margin};
    if (p.sampleLength < 0 || p.sampleLength > 10000) p.sampleLength = defaults.SampleLength;
    if (!(p.itemSpacing >= 0 && p.itemSpacing <= 100)) p.itemSpacing = defaults.ItemSpacing;
    if (p.margin < 0 || p.margin > 1000) p.margin = defaults.Margin;
    return p;
}

int Rounded(double v) { return static_cast<int>(std::trunc(v + 0.5)); }

// One line of the legend: a visible variable with a legend text.
struct LegendItem {
    const CPlotVar* var = nullptr;
    const CPlotAxis* axis = nullptr;
    std::string text;       // as shown, without the multiplier suffix
    Size extent;            // of the text with its suffix, in the legend font
};

std::vector<LegendItem> CollectItems(Surface& dc, CPlotLook& plot, const CVTGFont* font) {
    const CPlotEnv& env = plot.Environment();
    std::vector<LegendItem> items;
    for (const auto& var : plot.YVars) {
        if (var->Hidden || var->Label.Text.empty()) continue;
        LegendItem item;
        item.var = var.get();
        item.axis = plot.AxisByNumber(var->AxisMap);
        item.text = plot.DisplayText(var->Label.Text, var->SubstValue);
        // Room for the text as measured and as drawn in the font scaled to the output scale,
        // whichever is larger: on a page the two differ by several pixels on a long text.
        item.extent = RoomForText(dc, env, font, item.text + CaptionSuffixText(item.axis));
        items.push_back(std::move(item));
    }
    return items;
}

// The control's line/marker mode; values outside 0..2 mean lines and markers.
int DisplayMode(const CPlotLook& plot) {
    const int mode = plot.Props().DisplayType;
    return mode >= 0 && mode <= 2 ? mode : 2;
}

void DrawBarSample(Surface& dc, const CPlotEnv& env, const CPlotVar& var, const Rect& box) {
    StateGuard restore(dc);
    env.PalettePen(dc, var.Marker, kBarOutlineWidth, 0);
    // Pattern brushes take their foreground from the text colour.
    dc.SetTextColor(RgbOnly(env.Tool().PaletteColor(var.Color)));
    env.PatternBrush(dc, var.Color, var.FillStyle);
    dc.Rectangle(box);
}

void DrawLineSample(Surface& dc, const CPlotLook& plot, const CPlotVar& var, int x0, int x1, int y) {
    const CPlotEnv& env = plot.Environment();
    const int mode = DisplayMode(plot);
    StateGuard restore(dc);
    if (var.PenWidth > 0 && mode != 1) {
        dc.SetSmoothing(!plot.Printing && !dc.IsPrintingDevice() && !env.PlainDrawing);
        env.PalettePen(dc, var.Color, var.PenWidth, var.PenStyle);
        dc.MoveTo({x0, y});
        dc.LineTo({x1, y});
    }
    if (mode != 0 && !var.Filled) {
        env.DrawMarker(dc, var.Marker, (x0 + x1) / 2, y, var.Color, env.Units(kSampleMarkerHalfSize), false);
    }
}

int Accepted(const std::optional<Variant>& result) {
    if (!result) return 0;
    try {
        return result->ToI4();
    } catch (...) {
        return 0;
    }
}

CPlotBullet Handle(int code, int x, int y, int cursor) {
    CPlotBullet b;
    b.Box = {x - kHandleReach, y - kHandleReach, x + kHandleReach + 1, y + kHandleReach + 1};
    b.Code = code;
    b.Owner = RegionKind::Legend;
    b.Cursor = cursor;
    return b;
}

}  // namespace

Rect TrackedLegendRect(const Rect& start, Point origin, Point p, int hitCode, Size minimum) {
    // No pointer is ever this far out; the bound keeps the sums below from overflowing.
    const auto bounded = [](Point q) {
        return Point{std::clamp(q.x, -kMaxPointer, kMaxPointer), std::clamp(q.y, -kMaxPointer, kMaxPointer)};
    };
    origin = bounded(origin);
    p = bounded(p);
    if (hitCode == LegendHandle::Move) return start.Offset(p.x - origin.x, p.y - origin.y);
    using namespace LegendHandle;
    const bool sideOnly = hitCode == Left || hitCode == Right;
    const bool topBottomOnly = hitCode == Top || hitCode == Bottom;
    const int minWidth = std::max(kMinLegendSide, sideOnly ? minimum.cx : 0);
    const int minHeight = std::max(kMinLegendSide, topBottomOnly ? minimum.cy : 0);
    Rect r = start;
    if (hitCode == TopLeft || hitCode == BottomLeft || hitCode == Left) r.left = std::min(p.x, r.right - minWidth);
    if (hitCode == TopRight || hitCode == BottomRight || hitCode == Right) r.right = std::max(p.x + 1, r.left + minWidth);
    if (hitCode == TopLeft || hitCode == TopRight || hitCode == Top) r.top = std::min(p.y, r.bottom - minHeight);
    if (hitCode == BottomRight || hitCode == BottomLeft || hitCode == Bottom) {
        r.bottom = std::max(p.y + 1, r.top + minHeight);
    }
    return r;
}

std::vector<CPlotBullet> LegendHandles(const Rect& box, int itemCount) {
    const int left = box.left + 2;
    const int top = box.top + 2;
    const int right = box.right - 3;
    const int bottom = box.bottom - 3;
    const int midX = (box.left + box.right) / 2;
    const int midY = (box.top + box.bottom) / 2;
    std::vector<CPlotBullet> handles{
        Handle(LegendHandle::TopLeft, left, top, IDC_SIZENWSE),
        Handle(LegendHandle::TopRight, right, top, IDC_SIZENESW),
        Handle(LegendHandle::BottomRight, right, bottom, IDC_SIZENWSE),
        Handle(LegendHandle::BottomLeft, left, bottom, IDC_SIZENESW),
        Handle(LegendHandle::Left, left, midY, IDC_SIZEWE),
        Handle(LegendHandle::Right, right, midY, IDC_SIZEWE),
    };
    if (itemCount >= 2) {
        handles.push_back(Handle(LegendHandle::Top, midX, top, IDC_SIZENS));
        handles.push_back(Handle(LegendHandle::Bottom, midX, bottom, IDC_SIZENS));
    }
    return handles;
}

bool CPlotLegendRgn::HitTest(Point p) const { return Shown && CPlotRegion::HitTest(p); }

bool CPlotLegendRgn::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

void CPlotLegendRgn::Empty() {
    Measured = 0;
    Shown = 0;
    Height = 0;
    Width = 0;
    ItemCount = 0;
    Tracking = 0;
}

void CPlotLegendRgn::SetProportions(int sampleLength, double itemSpacing, int margin) {
    if (sampleLength > kMinSampleLength && sampleLength <= kMaxSampleLength) SampleLength = sampleLength;
    if (itemSpacing >= kMinItemSpacing && itemSpacing < kMaxItemSpacing) ItemSpacing = static_cast<float>(itemSpacing);
    if (margin >= kMinMargin && margin < kMaxMargin) Margin = margin;
    MarkForLayout();
}

Size CPlotLegendRgn::Measure(Surface& dc, CPlotLook& plot) {
    // Measured afresh every time: the items follow hidden and shown variables, legend texts,
    // the symbols in them, the legend font and the output scale, and no change of any of them
    // can leave the box measured for other items. A few text extents per layout cost little.
    const CPlotEnv& env = plot.Environment();
    const Proportions p = SaneProportions(*this);
    const CVTGFont* font = Fonts ? Fonts->Horizontal() : nullptr;
    int widest = 0;
    int height = 0;
    int minHeight = 0;
    const std::vector<LegendItem> items = CollectItems(dc, plot, font);
    for (std::size_t k = 0; k < items.size(); ++k) {
        const Size s = items[k].extent;
        widest = std::max(widest, s.cx);
        // The first item is as high as its text; each further one adds its pitch, and at the
        // smallest size the user can resize to, 0.8 of its height.
        height += k == 0 ? s.cy : Rounded(s.cy * p.itemSpacing);
        minHeight += k == 0 ? s.cy : Rounded(s.cy * kMinItemSpacing);
    }
    ItemCount = static_cast<int>(items.size());
    ItemHeight = items.empty() ? 0 : items.front().extent.cy;
    WidestText = widest;
    // The vertical margins are plain pixels: the items are drawn that far from the frame. No
    // side is ever smaller than a resize may make it, so that an empty box can still be
    // grabbed by its handles.
    Height = std::max(height + 2 * p.margin, kMinLegendSide);
    MinHeight = std::max(minHeight + 2 * p.margin, kMinLegendSide);
    Width = std::max(widest + env.Units(3.0 * p.margin + p.sampleLength), kMinLegendSide);
    MinWidth = std::max(widest + env.Units(3.0 * p.margin + kMinSampleLength), kMinLegendSide);
    Measured = 1;
    Shown = 1;
    return {Width, Height};
}

void CPlotLegendRgn::Draw(Surface& dc, CPlotLook& plot, int force) {
    CPlotEnv& env = plot.Environment();
    if (plot.ShowLegend != 1 || Hidden || Rect.IsEmpty()) return;
    const vtg::Rect r = env.ToDevice(Rect);
    if (!force && !r.Intersects(env.PaintArea)) return;
    const Proportions p = SaneProportions(*this);
    const ControlProperties& props = plot.Props();

    StateGuard restore(dc);
    env.AxisPen(dc, TranslateOleColor(props.ForeColor), 1, 0);
    dc.SelectBrush(plot.Selection == this ? SelectionBrush()
                                          : Brush{BrushKind::Solid, TranslateOleColor(props.BackColor)});
    dc.Rectangle(r);

    const CVTGFont* font = Fonts ? Fonts->Horizontal() : nullptr;
    const CVTGFont* small = SecondFonts ? SecondFonts->Horizontal() : nullptr;
    env.SelectFont(dc, font);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(TextAlign::Bottom | TextAlign::UpdateCP);
    const int textX = r.left + env.Units(p.sampleLength + 2.0 * p.margin);
    const int sampleStart = r.left + env.Units(p.margin);
    const int sampleEnd = textX - env.Units(p.margin);
    const std::vector<LegendItem> items = CollectItems(dc, plot, font);
    int y = r.top + p.margin;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const LegendItem& item = items[k];
        const int h = item.extent.cy;
        // The pitch Measure sized the box with: each item rounded on its own, so that the
        // last item ends where the box expects it however many there are.
        if (k > 0) y += Rounded(h * p.itemSpacing);
        if (plot.BarGraph) {
            DrawBarSample(dc, env, *item.var, {sampleStart, y, sampleEnd, y + h});
        } else {
            DrawLineSample(dc, plot, *item.var, sampleStart, sampleEnd, y + h / 2);
        }
        dc.SetTextColor(RgbOnly(env.Tool().PaletteColor(item.var->Color)));
        dc.MoveTo({textX, y + h});
        DrawTextWithSuffix(dc, env, item.text, item.axis, small, h);
    }
}

void CPlotLegendRgn::DrawHandles(Surface& dc, CPlotLook& plot) {
    if (!Shown || Rect.IsEmpty()) return;
    CPlotEnv& env = plot.Environment();
    std::erase_if(env.Bullets, [](const CPlotBullet& b) { return b.Owner == RegionKind::Legend; });
    const Brush fill{BrushKind::Solid, TranslateOleColor(plot.Props().ForeColor)};
    for (const CPlotBullet& handle : LegendHandles(Rect, ItemCount)) {
        env.Bullets.push_back(handle);
        dc.FillRect(env.ToDevice(handle.Box), fill);
    }
}

void CPlotLegendRgn::Invalidate(CPlotLook& plot) {
    plot.Host().InvalidateRect(Rect.Inflate(kInvalidateMargin, kInvalidateMargin), true);
}

void CPlotLegendRgn::InvalidateBox(CPlotLook& plot, const vtg::Rect& r) const {
    if (!r.IsEmpty()) plot.Host().InvalidateRect(r.Inflate(kInvalidateMargin, kInvalidateMargin), true);
}

void CPlotLegendRgn::DrawDragFrame(Surface& dc) const {
    StateGuard restore(dc);
    // White XORed inverts whatever lies below, and drawing the frame again restores it.
    dc.SetRop2(Rop2::XorPen);
    dc.SelectPen(Pen{Rgb(255, 255, 255)});
    dc.SelectBrush(Brush{BrushKind::Null});
    dc.Rectangle(DragRect);
}

int CPlotLegendRgn::BeginTrack(Surface& dc, CPlotLook&, Point p) {
    if (Tracking) DrawDragFrame(dc);
    DragRect = Rect;
    DragOrigin = p;
    HitCode = LegendHandle::Move;
    Tracking = 1;
    DrawDragFrame(dc);
    return 1;
}

void CPlotLegendRgn::BeginResize(Surface& dc, int hitCode) {
    if (hitCode < LegendHandle::TopLeft || hitCode > LegendHandle::Bottom) return;
    HitCode = hitCode;
    if (Tracking) return;
    DragRect = Rect;
    Tracking = 1;
    DrawDragFrame(dc);
}

void CPlotLegendRgn::Track(Surface& dc, CPlotLook&, Point p) {
    if (!Tracking) return;
    DrawDragFrame(dc);
    DragRect = TrackedLegendRect(Rect, DragOrigin, p, HitCode, {MinWidth, MinHeight});
    DrawDragFrame(dc);
}

bool CPlotLegendRgn::EndTrack(Surface& dc, CPlotLook& plot) {
    if (!Tracking) return false;
    DrawDragFrame(dc);
    Tracking = 0;
    if (DragRect == Rect) return false;
    // The inverse of the layout's placement: the box's last column at drawing.left plus
    // LegendX times (width + 1), its top at drawing.top plus LegendY times (height + 1). The
    // half pixel lands the layout's truncation on the pixel that was dragged to.
    const vtg::Rect drawing = plot.DrawingRgn ? plot.DrawingRgn->Rect : vtg::Rect{};
    const double spanX = static_cast<double>(drawing.Width()) + 1;
    const double spanY = static_cast<double>(drawing.Height()) + 1;
    if (spanX > 0) {
        const double x = (DragRect.right - 1 - drawing.left + 0.5) / spanX;
        plot.LegendX = static_cast<float>(SanitizeLegendFraction(x, plot.LegendX));
    }
    if (spanY > 0) {
        const double y = (DragRect.top - drawing.top + 0.5) / spanY;
        plot.LegendY = static_cast<float>(SanitizeLegendFraction(y, plot.LegendY));
    }
    if (HitCode != LegendHandle::Move) FitProportions(plot);
    // The user's place wins over a right-edge request the layout has not served yet.
    plot.LegendBoxPlaced = 0;
    Invalidate(plot);
    MarkForLayout();
    plot.LayoutDirty = 1;
    plot.Layout(dc);
    Invalidate(plot);
    return true;
}

void CPlotLegendRgn::FitProportions(const CPlotLook& plot) {
    const double scale = plot.Environment().OutputScale;
    const Proportions p = SaneProportions(*this);
    if (DragRect.Width() != Rect.Width() && std::isfinite(scale) && scale > 0) {
        // Width = widest text + units(3 margins + sample length).
        const double sample = (DragRect.Width() - WidestText) / scale - 3.0 * p.margin;
        SampleLength = std::clamp(Rounded(std::max(sample, 0.0)), kMinSampleLength, kMaxSampleLength);
    }
    if (DragRect.Height() != Rect.Height() && ItemCount >= 2 && ItemHeight > 0) {
        // Height = 2 margins + first item + (items - 1) pitches of spacing times the height.
        const double pitch = static_cast<double>(DragRect.Height() - 2 * p.margin - ItemHeight) / (ItemCount - 1);
        ItemSpacing = static_cast<float>(std::clamp(pitch / ItemHeight, kMinItemSpacing, kMaxResizedSpacing));
    }
    MarkForLayout();
}

bool CPlotLegendRgn::EditProperties(Surface&, CPlotLook& plot) {
    if (plot.Props().ClientType != 0) return true;
    std::unique_ptr<IDialogSession> server = plot.Host().OpenDialog();
    if (!server) return false;
    for (const auto& var : plot.YVars) {
        std::vector<Variant> args{Variant(var->Label.Text)};
        if (!server->Call("AddLegend", args)) return false;
    }
    std::vector<Variant> none;
    if (Accepted(server->Call("ShowEditLegendDialog", none)) == 0) return false;
    for (std::size_t i = 0; i < plot.YVars.size(); ++i) {
        Variant legend{std::string()};
        std::vector<Variant> args{Variant(static_cast<std::int32_t>(i)), Variant::Ref(legend)};
        // An entry the server does not confirm keeps its text.
        if (Accepted(server->Call("GetLegend", args)) != 1) continue;
        try {
            plot.YVars[i]->Label.Text = legend.ToString();
        } catch (...) {
            continue;
        }
    }
    MarkForLayout();
    plot.LabelsDirty = 1;
    plot.LayoutDirty = 1;
    plot.Host().InvalidateControl();
    return true;
}

}  // namespace vtg
