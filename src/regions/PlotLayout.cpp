#include "regions/PlotLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vtg {

namespace {

// The legend never pushes an edge of the drawing area closer than this to the opposite edge.
constexpr double kMinLegendSqueeze = 20.0;

int ClampToInt(double v) {
    if (std::isnan(v)) return 0;
    if (v <= INT_MIN) return INT_MIN;
    if (v >= INT_MAX) return INT_MAX;
    return static_cast<int>(v);
}

// What an axis draws beside its line, in units: tick marks of this length to the right of
// it, labels ending this far left of it, those of the rightmost axis that much further.
constexpr double kAxisTickLength = 5;
constexpr double kAxisLabelInset = 2;
constexpr double kOuterLabelInset = 3;
// Between the window's left edge and the leftmost caption or axis, in units.
constexpr double kSideMargin = 3;

// A column of the left side: from left to right (the axis line's column for an axis).
struct Column {
    int left = 0;
    int right = 0;
    bool placed = false;
};

struct SideColumns {
    std::vector<Column> axes;       // per side axis; hidden ones not placed
    std::vector<Column> captions;   // per side caption
    int width = 0;                  // from the window's left edge to the drawing area
};

struct Work {
    const LayoutInput& in;
    LayoutResult out;
    int top = 0;        // t
    int bottom = 0;     // b
    int left = 0;       // C
    int right = 0;      // c
    int titleTop = 0;   // t before the title band
    int axisHeight = 0; // S

    int Units(double k) const { return ClampToInt(std::trunc(k * in.scale)); }
};

void PlaceHeaderAndFooter(Work& w, int& u) {
    const LayoutInput& in = w.in;
    w.top = std::max(0, in.topOffset);
    u = in.height;
    if (in.headerHeight > 0) {
        w.out.header = {0, w.top, in.width, w.top + in.headerHeight};
        w.top += in.headerHeight;
    }
    if (in.footerHeight > 0) {
        w.out.footer = {0, u - in.footerHeight, in.width, u};
        u -= in.footerHeight;
    }
}

// Title band above, caption and axis bands below: the vertical extent of the drawing area.
void ReserveBands(Work& w) {
    const LayoutInput& in = w.in;
    int u = 0;
    PlaceHeaderAndFooter(w, u);
    w.titleTop = w.top;
    w.top += in.title.cy + in.title.cy / 2;
    const int captionHeight = in.bottomCaption.cy;
    if (in.triangular) w.top += captionHeight;
    u -= 2 * captionHeight;
    w.axisHeight = in.bottomLabels.cy + w.Units(3);
    w.bottom = u - w.axisHeight;
}

int LabelGap(const LayoutAxis& axis) { return (axis.labels.cy + 1) / 2; }

// One gap separates neighbours on the left side: half the tallest tick label, as between an
// axis and its caption, or 3 units where no axis shows labels.
int SideGap(const Work& w) {
    int gap = 0;
    for (const LayoutAxis& axis : w.in.sideAxes) {
        if (axis.visible) gap = std::max(gap, LabelGap(axis));
    }
    return gap > 0 ? gap : w.Units(3);
}

// The captions of one axis, leftwards from x, each a gap from its neighbour on the right.
// Returns the new left edge.
int PutCaptionsOfAxis(const LayoutInput& in, int axisNumber, int gap, int x, SideColumns& s) {
    for (std::size_t k = 0; k < in.sideCaptions.size(); ++k) {
        const LayoutCaption& caption = in.sideCaptions[k];
        if (caption.axis != axisNumber || !caption.visible) continue;
        if (x < 0) x -= gap;
        s.captions[k] = {x - caption.extent.cx, x, true};
        x -= caption.extent.cx;
    }
    return x;
}

// The columns of the left side, from the last axis to the first, as offsets from the drawing
// area's left edge (all negative). Each column is what its region draws: an axis from the
// left end of its widest label to its line, a caption across its rotated text. The ticks of
// every axis but the rightmost point right, so a gap and their length separate them from the
// column to their right.
SideColumns ColumnsOfSide(const Work& w) {
    const LayoutInput& in = w.in;
    const int count = static_cast<int>(in.sideAxes.size());
    const int gap = SideGap(w);
    SideColumns s;
    s.axes.resize(in.sideAxes.size());
    s.captions.resize(in.sideCaptions.size());
    int x = 0;  // left edge of the column placed last
    for (int j = count - 1; j >= 0; --j) {
        const LayoutAxis& axis = in.sideAxes[static_cast<std::size_t>(j)];
        if (axis.visible) {
            if (x < 0) x -= gap + w.Units(kAxisTickLength);
            const int line = x - 1;
            const int outer = j == count - 1 ? w.Units(kOuterLabelInset) : 0;
            const int labels = axis.labels.cx + w.Units(kAxisLabelInset) + outer;
            s.axes[static_cast<std::size_t>(j)] = {line - labels, line, true};
            x = line - labels;
        }
        x = PutCaptionsOfAxis(in, j + 1, gap, x, s);
    }
    // Flipped and triangular plots keep the room of one caption even when it shows nothing.
    const bool anyCaption = std::any_of(s.captions.begin(), s.captions.end(), [](const Column& c) { return c.placed; });
    if ((in.flipped || in.triangular) && !anyCaption && !in.sideCaptions.empty()) {
        x -= in.sideCaptions.front().extent.cx;
    }
    // The leftmost column keeps a margin from the window's edge.
    s.width = -x + w.Units(kSideMargin);
    return s;
}

// The columns on the left, the half of the widest bottom tick label that may stick out on the
// right.
void ReserveSides(Work& w) {
    const LayoutInput& in = w.in;
    w.left = ColumnsOfSide(w).width;
    w.right = in.width - in.bottomLabels.cx / 2 - w.Units(7);
}

// Square plots shrink the longer side to the shorter one, centred; an odd difference leaves
// the extra pixel on the right or bottom so that the area is exactly square.
void MakeSquare(Work& w) {
    if (!w.in.square) return;
    const int width = w.right - w.left;
    const int height = w.bottom - w.top;
    if (height > width) {
        const int d = height - width;
        w.top += d / 2;
        w.bottom -= d - d / 2;
    } else {
        const int d = width - height;
        w.left += d / 2;
        w.right -= d - d / 2;
    }
}

double ServeRightEdgeRequest(Work& w, double xF) {
    const LayoutInput& in = w.in;
    w.out.rightEdgeRequestServed = true;
    const double room = static_cast<double>(in.width) - in.legend.cx - w.Units(15) - w.left;
    if (room <= 0) return xF;
    return SanitizeLegendFraction((static_cast<double>(in.width) - w.left - w.Units(10)) / room, xF);
}

void NarrowForLegendHorizontally(Work& w, double xF) {
    const LayoutInput& in = w.in;
    const double C = w.left;
    const double c = w.right;
    if (xF >= 1) {
        const double edge = C + (static_cast<double>(in.width) - C - w.Units(10)) / xF + 0.5;
        w.right = std::min(w.right, ClampToInt(edge));
        return;
    }
    const double legendLeft = (c - C) * xF + C - in.legend.cx;
    if (legendLeft >= w.Units(5)) return;
    const double newLeft = (w.Units(5) + in.legend.cx - c * xF) / (1 - xF);
    if (newLeft < c - kMinLegendSqueeze) w.left = ClampToInt(newLeft);
}

void NarrowForLegendVertically(Work& w, double yF) {
    const LayoutInput& in = w.in;
    const double t = w.top;
    const double b = w.bottom;
    if (yF <= 0) {
        if ((b - t) * yF + t >= w.Units(5)) return;
        const double newTop = (w.Units(5) - b * yF) / (1 - yF);
        if (newTop < b - kMinLegendSqueeze) w.top = ClampToInt(newTop);
        return;
    }
    const double legendBottom = t + (b - t) * yF + in.legend.cy;
    if (legendBottom <= static_cast<double>(in.height) - w.Units(5)) return;
    const double newBottom = (static_cast<double>(in.height) - in.legend.cy - w.Units(5) - (1 - yF) * t) / yF;
    if (newBottom > t + kMinLegendSqueeze) w.bottom = ClampToInt(newBottom);
}

// The legend keeps its place relative to the drawing area; where that would put it outside
// the window, the drawing area gives way.
void MakeRoomForLegend(Work& w) {
    const LayoutInput& in = w.in;
    w.out.legendX = SanitizeLegendFraction(in.legendX, 1.0);
    w.out.legendY = SanitizeLegendFraction(in.legendY, 0.03);
    if (!in.legendShown || in.triangular) return;
    if (in.legendAtRightEdge) w.out.legendX = ServeRightEdgeRequest(w, w.out.legendX);
    NarrowForLegendHorizontally(w, w.out.legendX);
    NarrowForLegendVertically(w, w.out.legendY);
    MakeSquare(w);
}

Rect CentredOn(int centre, int top, Size size) {
    const int left = centre - size.cx / 2;
    return {left, top, left + size.cx, top + size.cy};
}

void PlaceTitleAndBottom(Work& w) {
    const LayoutInput& in = w.in;
    const int centre = (w.left + w.right) / 2;
    // A quarter of the title's height stays free above and below it within its band.
    w.out.title = CentredOn(centre, w.titleTop + in.title.cy / 4, in.title);
    // The axis band follows the drawing area's bottom edge wherever the square or legend
    // rules moved it, so the axis line always runs along the drawing area.
    const int axisBottom = w.bottom + w.axisHeight;
    w.out.bottomAxis = {w.left, axisBottom - w.axisHeight + 1, w.right, axisBottom};
    w.out.bottomCaption = CentredOn(centre, axisBottom + in.bottomCaption.cy / 2, in.bottomCaption);
}

// The side's columns against the drawing area where the square and legend rules left it:
// axes as high as the area, captions centred on it.
void PlaceSides(Work& w) {
    const LayoutInput& in = w.in;
    const SideColumns columns = ColumnsOfSide(w);
    w.out.sideAxes.assign(in.sideAxes.size(), Rect{});
    w.out.sideCaptions.assign(in.sideCaptions.size(), Rect{});
    const int extra = in.lengthenCaptions ? (w.bottom - w.top) / 8 : 0;
    const int middle = (w.top + w.bottom) / 2;
    for (std::size_t j = 0; j < columns.axes.size(); ++j) {
        const Column& c = columns.axes[j];
        if (c.placed) w.out.sideAxes[j] = {w.left + c.left, w.top, w.left + c.right, w.bottom};
    }
    for (std::size_t k = 0; k < columns.captions.size(); ++k) {
        const Column& c = columns.captions[k];
        if (!c.placed) continue;
        const int length = in.sideCaptions[k].extent.cy + extra;
        const int top = middle - length / 2;
        w.out.sideCaptions[k] = {w.left + c.left, top, w.left + c.right, top + length};
    }
}

void PlaceLegend(Work& w) {
    const LayoutInput& in = w.in;
    if (!in.legendShown) return;
    const double span = static_cast<double>(w.right) - w.left + 1;
    double R = w.left + span * w.out.legendX;
    R = std::min<double>(std::max<double>(R, in.legend.cx), in.width - 1);
    double top = w.top + (static_cast<double>(w.bottom) - w.top + 1) * w.out.legendY;
    // However the fractions were set, the box stays within the window's height.
    top = std::clamp(top, 0.0, std::max(0.0, static_cast<double>(in.height) - in.legend.cy));
    const int right = ClampToInt(R);
    const int y = ClampToInt(top);
    w.out.legend = {right - in.legend.cx + 1, y, right + 1, y + in.legend.cy};
}

}  // namespace

double SanitizeLegendFraction(double v, double fallback) {
    if (!std::isfinite(v)) return fallback;
    return std::clamp(v, kMinLegendFraction, kMaxLegendFraction);
}

LayoutResult ComputeLayout(const LayoutInput& in) {
    Work w{in, {}};
    ReserveBands(w);
    ReserveSides(w);
    MakeSquare(w);
    MakeRoomForLegend(w);
    // A window too small for its margins gets an empty drawing area, never an inverted one.
    w.right = std::max(w.right, w.left);
    w.bottom = std::max(w.bottom, w.top);
    w.out.drawing = {w.left, w.top, w.right, w.bottom};
    PlaceTitleAndBottom(w);
    // Triangular plots get the XY places for their side axes and captions, all inside the
    // window; fitting the triangle into the drawing area and running the side axes along its
    // slanted edges belongs to the triangular drawing region.
    PlaceSides(w);
    PlaceLegend(w);
    return w.out;
}

}  // namespace vtg
