#pragma once
// The drawing surface: a device-context-like front with a Qt backend (images, the window's
// backing store, printer and PDF pages) and a recording backend that keeps every call as data.
//
// The model is the classic GDI one the plot logic was written against:
//  - one pen, brush and font are selected at a time; Select* returns the previous object so the
//    caller can restore it (see the scoped guards at the end of this file);
//  - text colour, background colour and background mode, text alignment with an optional
//    current-position update, and a binary raster operation apply to the calls that follow;
//  - clipping is an intersection of rectangles and polygons, saved and restored as a value;
//  - LineTo/Polyline leave out the last pixel of a thin cosmetic line, Rectangle/Ellipse fill
//    the inside with the brush and outline it with the pen, right/bottom exclusive. As in GDI,
//    a Rectangle drawn with a null pen fills l..r-2 x t..b-2 (the outline's pixels are left
//    out with the outline); FillRect is the call that fills l..r-1 x t..b-1.
// Smoothing (anti-aliasing) is off unless switched on; raster operations other than copy are
// always drawn without smoothing so that drawing the same figure twice in XOR restores the
// picture exactly.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace vtg {

enum class SurfaceKind {
    Window,     // the window's backing store (immediate drawing, the "window DC")
    Memory,     // an off-screen bitmap
    Printer,    // a printer page
    Preview,    // a print-preview page
    Metafile,   // a vector recording for the clipboard or an embedded copy
};

// A style value outside this list (read from a settings text, say) draws as Solid.
enum class PenStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };

// Cosmetic pens (the default) are 1 pixel wide unless width >= 2; a thin cosmetic pen dashes
// with the Windows cosmetic patterns, a wide one draws solid with round ends and joins (as
// CreatePen). Geometric pens honour width, caps and dashes exactly; without user dashes their
// style uses the plot's dash proportions (8,4 / 3,3 / 6,2,2,2 / 6,2,2,2,2,2) times (width+1)/2.
struct Pen {
    Color color = 0;
    int width = 1;                  // device pixels; 0 counts as 1
    PenStyle style = PenStyle::Solid;
    bool geometric = false;         // width honoured exactly, caps and user dashes apply
    bool flatCap = false;           // geometric pens: flat line ends instead of round
    std::vector<int> dashes;        // user dash pattern (on, off, ...) in pixels; overrides the
                                    // style of a geometric or thin pen. Entries <= 0 make it solid.
    friend bool operator==(const Pen&, const Pen&) = default;
};

enum class BrushKind { Null, Solid, Pattern };

// Pattern brushes are 8x8 monochrome bitmaps: rows top to bottom, bit 7 is the leftmost pixel,
// a 1 bit takes the background colour and a 0 bit the foreground colour. With dcColors the
// foreground is the surface's text colour and the background its background colour (as a
// monochrome GDI pattern brush); otherwise fore/back are used (a hatch brush).
struct Brush {
    BrushKind kind = BrushKind::Solid;
    Color color = 0;
    std::array<std::uint8_t, 8> bits{};
    int stretch = 1;                // each pattern bit covers stretch x stretch pixels (1..64)
    bool dcColors = true;
    Color fore = 0;
    Color back = Rgb(255, 255, 255);
    friend bool operator==(const Brush&, const Brush&) = default;
};

// A face that does not exist falls back through fontconfig (FontEngine tells whether it exists).
struct Font {
    std::string face = "Tahoma";
    int height = 13;                // character (em) height in device pixels, like a negative
                                    // lfHeight; drawn and measured clamped to 1..4096
    int angle = 0;                  // escapement in tenths of a degree, counter-clockwise
    bool bold = false;
    bool italic = false;
    bool underline = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// GDI-style metrics of a realised font, in device pixels.
struct TextMetrics {
    int height = 0;                 // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;        // height - em height, at least 0
    int externalLeading = 0;
    int aveCharWidth = 0;           // average advance of the letters a..z
    int maxCharWidth = 0;
    friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

enum class BkMode : int { Transparent = 1, Opaque = 2 };

// Text alignment flags, same values as the Windows ones.
namespace TextAlign {
constexpr unsigned NoUpdateCP = 0;
constexpr unsigned UpdateCP = 1;
constexpr unsigned Left = 0;
constexpr unsigned Right = 2;
constexpr unsigned Center = 6;
constexpr unsigned Top = 0;
constexpr unsigned Bottom = 8;
constexpr unsigned Baseline = 24;
constexpr unsigned HorizontalMask = 6;
constexpr unsigned VerticalMask = 24;
}  // namespace TextAlign

// Binary raster operations, same values as the Windows R2_ codes. They apply to lines and to
// the pen and brush of shapes; FillRect, SetPixel, text and blits ignore them. A value outside
// 1..16 draws as CopyPen.
enum class Rop2 : int {
    Black = 1, NotMergePen = 2, MaskNotPen = 3, NotCopyPen = 4, MaskPenNot = 5, Not = 6,
    XorPen = 7, NotMaskPen = 8, MaskPen = 9, NotXorPen = 10, Nop = 11, MergeNotPen = 12,
    CopyPen = 13, MergePenNot = 14, MergePen = 15, White = 16
};

enum class BlitRop { SrcCopy, SrcInvert, SrcAnd, SrcPaint };

struct ClipShape {
    bool polygon = false;
    Rect rect;                      // when !polygon
    std::vector<Point> points;      // when polygon (alternate fill)
    friend bool operator==(const ClipShape&, const ClipShape&) = default;
};

// The clip is the intersection of its shapes; no shapes means no clipping.
struct ClipRegion {
    std::vector<ClipShape> shapes;
    bool IsNone() const { return shapes.empty(); }
    friend bool operator==(const ClipRegion&, const ClipRegion&) = default;
};

// Where a text's cell lies in the text's own frame (x along the text, y down, before the
// font's rotation), relative to the reference point of TextOut.
struct TextCell {
    int left = 0;
    int top = 0;
    int width = 0;
    int ascent = 0;
    int descent = 0;
    int Baseline() const { return top + ascent; }
    int Height() const { return ascent + descent; }
};

// Everything that the selection calls change; drawing calls read it.
struct SurfaceState {
    Pen pen;
    Brush brush{BrushKind::Solid, Rgb(255, 255, 255)};
    Font font;
    Color textColor = 0;
    Color bkColor = Rgb(255, 255, 255);
    BkMode bkMode = BkMode::Opaque;
    unsigned textAlign = TextAlign::Left | TextAlign::Top;
    Rop2 rop = Rop2::CopyPen;
    bool smoothing = false;
    ClipRegion clip;
    Point position;                 // current position (MoveTo, LineTo, UpdateCP text)
};

class Surface {
public:
    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Device capabilities.
    virtual SurfaceKind Kind() const = 0;
    virtual Size PixelSize() const = 0;
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    bool IsPrintingDevice() const { return Kind() == SurfaceKind::Printer || Kind() == SurfaceKind::Preview; }

    // Selection: each returns the previous value.
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    Font SelectFont(const Font& font);
    Color SetTextColor(Color c);
    Color SetBkColor(Color c);
    BkMode SetBkMode(BkMode mode);
    unsigned SetTextAlign(unsigned align);
    Rop2 SetRop2(Rop2 rop);
    bool SetSmoothing(bool on);
    Point MoveTo(Point p);
    const SurfaceState& State() const { return state_; }

    // Clipping.
    ClipRegion GetClip() const { return state_.clip; }
    void SetClip(const ClipRegion& clip);
    void SelectClipRect(const Rect& r);
    void SelectClipPolygon(std::span<const Point> pts);
    void IntersectClipRect(const Rect& r);
    void IntersectClipPolygon(std::span<const Point> pts);
    void RemoveClip();

    // Whole-state save/restore (SaveDC/RestoreDC). SaveState returns the new level (1, 2, ...);
    // RestoreState(level) restores that save and drops it and every later one; a negative level
    // counts back from the latest (-1 = the latest). An unknown level changes nothing (false).
    int SaveState();
    bool RestoreState(int level);

    // Drawing with the selected objects.
    void LineTo(Point p);
    virtual void Polyline(std::span<const Point> pts) = 0;
    virtual void Polygon(std::span<const Point> pts) = 0;
    virtual void Rectangle(const Rect& r) = 0;
    virtual void Ellipse(const Rect& r) = 0;
    virtual void FillRect(const Rect& r, const Brush& brush) = 0;
    virtual void SetPixel(Point p, Color c) = 0;
    // Single-line text at p (or at the current position with UpdateCP), aligned by the
    // selected alignment, rotated by the font's angle, coloured by the text colour and, in
    // opaque mode, on a box of the background colour. With UpdateCP the current position
    // moves along the text direction by the extent: forward for Left, back for Right, and
    // not at all for Center (as GDI).
    void TextOut(Point p, std::string_view text);
    // The device-axis-aligned box that the text cell of TextOut(p, text) covers (p being the
    // reference point, the current position not applied): the width is the extent, the height
    // the font height, placed by the alignment and rotated by the font's angle.
    Rect TextBounds(Point p, std::string_view text) const;

    // Text measurement in the selected font: advance width and font height.
    Size GetTextExtent(std::string_view text) const { return MeasureText(state_.font, text); }
    TextMetrics GetTextMetrics() const { return FontMetrics(state_.font); }
    virtual Size MeasureText(const Font& font, std::string_view text) const = 0;
    virtual TextMetrics FontMetrics(const Font& font) const = 0;

    // Bitmaps.
    virtual std::unique_ptr<Surface> CreateCompatible(int width, int height) const = 0;
    virtual void BitBlt(Point dst, Size size, const Surface& src, Point srcOrigin,
                        BlitRop rop = BlitRop::SrcCopy) = 0;
    virtual void StretchBlt(const Rect& dst, const Surface& src, const Rect& srcRect) = 0;

protected:
    Surface() = default;
    // Where TextOut's cell lies for the current font and alignment.
    TextCell PlaceText(std::string_view text) const;
    // Backends draw text here; the base resolves UpdateCP and advances the current position.
    virtual void DrawText(Point p, std::string_view text) = 0;
    // Called after the clip changed, for backends that keep a clip of their own.
    virtual void ClipChanged() {}

private:
    SurfaceState state_;
    std::vector<SurfaceState> saved_;
};

// Scoped selection guards: select on construction, restore the previous object on destruction.
class PenGuard {
public:
    PenGuard(Surface& s, const Pen& p) : s_(s), old_(s.SelectPen(p)) {}
    ~PenGuard() { s_.SelectPen(old_); }
    PenGuard(const PenGuard&) = delete;
    PenGuard& operator=(const PenGuard&) = delete;
private:
    Surface& s_;
    Pen old_;
};

class BrushGuard {
public:
    BrushGuard(Surface& s, const Brush& b) : s_(s), old_(s.SelectBrush(b)) {}
    ~BrushGuard() { s_.SelectBrush(old_); }
    BrushGuard(const BrushGuard&) = delete;
    BrushGuard& operator=(const BrushGuard&) = delete;
private:
    Surface& s_;
    Brush old_;
};

class FontGuard {
public:
    FontGuard(Surface& s, const Font& f) : s_(s), old_(s.SelectFont(f)) {}
    ~FontGuard() { s_.SelectFont(old_); }
    FontGuard(const FontGuard&) = delete;
    FontGuard& operator=(const FontGuard&) = delete;
private:
    Surface& s_;
    Font old_;
};

class StateGuard {
public:
    explicit StateGuard(Surface& s) : s_(s), level_(s.SaveState()) {}
    ~StateGuard() { s_.RestoreState(level_); }
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;
private:
    Surface& s_;
    int level_;
};

class ClipGuard {
public:
    explicit ClipGuard(Surface& s) : s_(s), old_(s.GetClip()) {}
    ~ClipGuard() { s_.SetClip(old_); }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;
private:
    Surface& s_;
    ClipRegion old_;
};

}  // namespace vtg
