// Annotation state and layout: construction, positions and attributes, measuring the text
// block and placing it, moving it and bringing it back into view.
#include "objects/CPlotAnnotation.h"

#include <cmath>
#include <ctime>

#include "platform/Locale.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {

namespace {

constexpr std::size_t kMaxStampPartBytes = 120;
// The square around the tag point that an arrowhead may cover, for repainting after a move.
constexpr int kArrowSquareHalf = 20;
constexpr int kLeaderInflate = 3;

int PaletteIndex(int color) { return color >= 0 && color < CPlotAnnotation::kPaletteColors ? color : 0; }

// Cut at a character boundary so that no UTF-8 sequence is split.
std::string CutUtf8(std::string s, std::size_t max) {
    if (s.size() <= max) return s;
    std::size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    s.resize(n);
    return s;
}

}  // namespace

CPlotAnnotation::CPlotAnnotation(std::string text) : CPlotRegion(RegionKind::Corner), Text(std::move(text)) {}

CPlotAnnotation::CPlotAnnotation(std::string text, CVTGFont* font, int color, int direction, int attachment,
                                 int arrow, int alignment)
    : CPlotAnnotation(std::move(text)) {
    Font = font;
    SetAttributes({color, direction, attachment, arrow, alignment, 0});
}

void CPlotAnnotation::SetPosition(const Position& p) {
    AnchorX = p.anchorX;
    AnchorY = p.anchorY;
    OffsetX = p.offsetX;
    OffsetY = p.offsetY;
    AttachedVariable = p.variable;
}

CPlotAnnotation::Position CPlotAnnotation::GetPosition() const {
    return {AnchorX, AnchorY, OffsetX, OffsetY, AttachedVariable};
}

void CPlotAnnotation::SetAttributes(const Attributes& a) {
    Color = PaletteIndex(a.color);
    Direction = a.direction;
    Attachment = a.attachment;
    Arrow = a.arrow;
    Alignment = a.alignment;
    TransparentBackground = a.transparent;
}

CPlotAnnotation::Attributes CPlotAnnotation::GetAttributes() const {
    return {Color, Direction, Attachment, Arrow, Alignment, TransparentBackground};
}

CPlotAnnotation::EditorFont CPlotAnnotation::GetEditorFont() const {
    EditorFont f;
    f.face = Font && !Font->Face.empty() ? Font->Face : std::string("Tahoma");
    if (!Font) return f;
    f.height = Font->Size;
    f.weight = (Font->Style & 2) ? 700 : 400;
    f.italic = (Font->Style & 1) != 0;
    f.underline = Font->Style > 3;
    return f;
}

int CPlotAnnotation::EditorAlignment() const { return Alignment == 1 || Alignment == 2 ? Alignment : 0; }

void CPlotAnnotation::MakeTimeStamp() {
    TimeStamp = 1;
    const std::time_t now = std::time(nullptr);
    Text = CutUtf8(Locale::FormatTime(now), kMaxStampPartBytes) + " " +
           CutUtf8(Locale::FormatShortDate(now), kMaxStampPartBytes);
    NeedsMeasure = 1;
}

PlotFrame CPlotAnnotation::FrameOf(const CPlotLook& plot) {
    PlotFrame f;
    if (plot.DrawingRgn) f.area = plot.DrawingRgn->Rect;
    f.width = plot.Width;
    f.height = plot.Height;
    return f;
}

void CPlotAnnotation::MeasureBlock(Surface& dc, CPlotLook& plot) {
    const CPlotEnv& env = plot.Environment();
    // Measured unrotated; the direction turns the two vectors instead.
    const CVTGFont* upright = env.Tool().GetFont(Font->Face, Font->Size, 0, Font->Style);
    const std::vector<std::string> lines = ShownLines(plot);
    int widest = 0;
    int lineHeight = 0;
    for (const std::string& line : lines) {
        const Size extent = env.MeasureText(dc, upright, line);
        widest = std::max(widest, extent.cx);
        if (lineHeight == 0) lineHeight = extent.cy;
    }
    LineCount = static_cast<int>(lines.size());
    const double pi = 4 * std::atan(1.0);
    const double a = Direction * pi / 180;
    const double block = static_cast<double>(LineCount) * lineHeight;
    WidthVector = {static_cast<int>(std::cos(a) * widest), static_cast<int>(std::sin(a) * widest)};
    HeightVector = {static_cast<int>(std::cos(a + pi / 2) * block), static_cast<int>(std::sin(a + pi / 2) * block)};
    NeedsMeasure = 0;
}

std::vector<std::string> CPlotAnnotation::ShownLines(CPlotLook& plot) const {
    std::vector<std::string> lines = SplitAnnotationLines(plot.DisplayText(Text), kMaxShownLines);
    for (std::string& line : lines) line = CutToShownLine(std::move(line));
    return lines;
}

void CPlotAnnotation::Place(CPlotLook& plot) {
    if (!IsTied()) {
        TextPosition = RelativeToDevice(FrameOf(plot), AnchorX, AnchorY);
        return;
    }
    if (!ComputeTagPoint(plot)) return;
    if (Attachment == kDataPoint) {
        TextPosition = TagPoint;
        return;
    }
    const vtg::Rect area = FrameOf(plot).area;
    TextPosition = {RoundDevice(TagPoint.x + OffsetX * static_cast<double>(area.Width())),
                    RoundDevice(TagPoint.y + OffsetY * static_cast<double>(area.Height()))};
}

void CPlotAnnotation::UpdateBoxes() {
    const Point ref = AlignedReference(TextPosition, WidthVector, Alignment);
    TextBox = TextBoxOf(ref, WidthVector, HeightVector);
    Outline = OutlineOf(ref, WidthVector, HeightVector);
}

void CPlotAnnotation::UpdateRegionRect(bool withTagSquare) {
    vtg::Rect r = TextBox;
    if (IsTied()) {
        const vtg::Rect leader =
            vtg::Rect{TextPosition.x, TextPosition.y, TagPoint.x, TagPoint.y}.Normalized().Inflate(kLeaderInflate,
                                                                                                   kLeaderInflate);
        r = vtg::Rect::Union(r, leader);
        if (withTagSquare) {
            const vtg::Rect square{TagPoint.x - kArrowSquareHalf, TagPoint.y - kArrowSquareHalf,
                                   TagPoint.x + kArrowSquareHalf, TagPoint.y + kArrowSquareHalf};
            r = vtg::Rect::Union(r, square);
        }
    }
    Rect = r;
}

void CPlotAnnotation::Layout(Surface& dc, CPlotLook& plot) {
    plot.SettleCurveTies();
    if (!Font) return;
    if (PendingAttachment >= 0) {
        const int mode = PendingAttachment;
        if (mode != 0 && mode != Attachment) {
            if (IsTied()) Detach(plot, kFree);
            Attach(plot, mode);
        } else if (mode == 0 && IsTied()) {
            Detach(plot, kFree);
        }
        PendingAttachment = -1;
    }
    if (NeedsMeasure) MeasureBlock(dc, plot);
    Place(plot);
    UpdateBoxes();
    UpdateRegionRect(false);
    LaidOut = 1;
}

void CPlotAnnotation::StoreDevicePosition(Point p, CPlotLook& plot) {
    const PlotFrame f = FrameOf(plot);
    if (IsTied()) {
        // A drawing area without width or height keeps the offsets it had.
        if (f.area.Width() > 0) OffsetX = static_cast<float>(static_cast<double>(p.x - TagPoint.x) / f.area.Width());
        if (f.area.Height() > 0) OffsetY = static_cast<float>(static_cast<double>(p.y - TagPoint.y) / f.area.Height());
        return;
    }
    if (const std::optional<double> rx = DeviceToRelativeX(f, p.x)) AnchorX = static_cast<float>(*rx);
    if (const std::optional<double> ry = DeviceToRelativeY(f, p.y)) AnchorY = static_cast<float>(*ry);
}

void CPlotAnnotation::MoveBy(int dx, int dy, CPlotLook& plot) {
    if (dx == 0 && dy == 0) return;
    TextPosition = {TextPosition.x + dx, TextPosition.y + dy};
    StoreDevicePosition(TextPosition, plot);
    TextBox = TextBox.Offset(dx, dy);
    for (Point& corner : Outline) corner = {corner.x + dx, corner.y + dy};
    UpdateRegionRect(Arrow > 0);
}

void CPlotAnnotation::BringIntoView(CPlotLook& plot) {
    BringIntoViewPending = 0;
    if (Alignment < 0 || Alignment > 2) return;
    const std::optional<Point> p = BringIntoViewPosition(TextBox, plot.Width, plot.Height, Direction);
    if (p) StoreDevicePosition(*p, plot);
}

}  // namespace vtg
