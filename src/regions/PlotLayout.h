#pragma once
// The arithmetic of the plot layout: from the sizes the regions measured, the window size and
// the output scale to the rectangles of the drawing area, title, axes, captions and legend.
// CPlotLook::Layout measures its regions, calls ComputeLayout and applies the result; the
// function itself knows nothing about regions, so every rule can be checked with plain numbers.
//
// The layout speaks of the two sides of the drawing area rather than of X and Y: the bottom
// side carries the horizontal axis and its caption (the X axis, or the first Y axis of a
// flipped plot), the left side the vertical axes and their captions (the Y axes, or the X axis
// of a flipped plot), listed from the first to the last. All sizes are device pixels; a length
// of k units is trunc(k * scale).

#include <vector>

#include "platform/Geometry.h"

namespace vtg {

// A vertical axis as the layout sees it: its widest and tallest tick label, as drawn. The
// layout adds what the axis draws beside its labels (their inset from the line, the tick
// marks), so that neighbouring axes and captions never meet.
struct LayoutAxis {
    bool visible = true;
    Size labels;
};

// A caption on the left side. extent is its on-screen size: cx across the side (the rotated
// text's height, with any raised exponent, as drawn), cy along it (the text's length). Each
// caption gets a column as wide as its own cx.
struct LayoutCaption {
    int axis = 0;           // 1-based index into LayoutInput::sideAxes; anything else is no axis
    bool visible = true;    // shown, with a text
    Size extent;
};

struct LayoutInput {
    int width = 0;
    int height = 0;
    double scale = 1.0;
    // The control's top offset and the heights of its header and footer parts; 0 when absent.
    int topOffset = 0;
    int headerHeight = 0;
    int footerHeight = 0;

    Size title;
    Size bottomCaption;     // horizontal text
    Size bottomLabels;      // widest and tallest tick label of the horizontal axis
    std::vector<LayoutAxis> sideAxes;
    std::vector<LayoutCaption> sideCaptions;

    bool flipped = false;
    bool square = false;
    bool triangular = false;
    // Run and parametric plots draw a variable sample under each side caption.
    bool lengthenCaptions = false;

    bool legendShown = false;
    Size legend;
    double legendX = 1.0;   // right edge as a fraction of the drawing area's width
    double legendY = 0.03;  // top edge as a fraction of its height
    // The host asked for the legend at the window's right edge.
    bool legendAtRightEdge = false;
};

struct LayoutResult {
    Rect header;
    Rect footer;
    Rect drawing;
    Rect title;
    Rect bottomAxis;
    Rect bottomCaption;
    std::vector<Rect> sideAxes;         // same order as the input; hidden ones empty
    std::vector<Rect> sideCaptions;     // same order as the input; hidden ones empty
    Rect legend;                        // empty unless the legend is shown
    // The legend fractions the layout used: sanitised, and legendX recomputed when the
    // right-edge request was served.
    double legendX = 1.0;
    double legendY = 0.03;
    bool rightEdgeRequestServed = false;
};

// Legend fractions come from settings texts and mouse drags. Anything not finite is replaced
// by fallback, anything else is kept within kMinLegendFraction..kMaxLegendFraction, a range
// that keeps the legend near the drawing area and every division of the layout well away from
// zero.
inline constexpr double kMinLegendFraction = -1.0;
inline constexpr double kMaxLegendFraction = 2.0;
double SanitizeLegendFraction(double v, double fallback);

LayoutResult ComputeLayout(const LayoutInput& in);

}  // namespace vtg
