#pragma once
// The plain geometry of an annotation: where a relative position lies in the plot, the text
// block's box and outline from its width and height vectors, the leader line, the arrowhead
// and the spot a text block is moved to when it has left the plot. No plot state is read
// here, so that each rule can be checked on its own numbers.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"

namespace vtg {

// The drawing area (left, top, right, bottom) inside a plot of width by height, device units.
struct PlotFrame {
    vtg::Rect area;
    int width = 0;
    int height = 0;
};

// Relative drawing-area coordinates: 0..1 spans the drawing area, -1..0 the left (top) margin
// and 1..2 the right (bottom) margin.
Point RelativeToDevice(const PlotFrame& f, double rx, double ry);
// The inverse, one coordinate at a time; nullopt where the piece it falls in has no extent,
// so that no division by zero can produce an anchor.
std::optional<double> DeviceToRelativeX(const PlotFrame& f, int x);
std::optional<double> DeviceToRelativeY(const PlotFrame& f, int y);

// Truncation after adding one half, as every device conversion of an annotation rounds.
int RoundDevice(double v);

// The text block spans width vector w and height vector h from its reference point; vector y
// components point up the page.
vtg::Rect TextBoxOf(Point ref, Point w, Point h);
std::array<Point, 4> OutlineOf(Point ref, Point w, Point h);

// The reference point of the block for an alignment (0 left, 1 centred, 2 right).
Point AlignedReference(Point textPos, Point w, int alignment);

// The point lies inside the four-corner outline (alternate rule).
bool InsideOutline(const std::array<Point, 4>& outline, Point p);

// Where the leader line meets the text box, coming from the tag point.
Point LeaderEnd(const vtg::Rect& box, Point tag, Point textPos);

// The arrowhead at tip for a line coming from far: tip, barb, notch, barb. Nothing for a
// negative length or coincident points.
std::optional<std::array<Point, 4>> LeaderArrowHead(Point tip, Point far, int length);

// Whether p lies on the 4-unit band around the segment from a to b.
bool OnLeaderBand(Point a, Point b, Point p);

// The 8 x 8 square around a tag point.
vtg::Rect TagSquare(Point tag);

// Splits at carriage returns; a line feed right after one is skipped. No more than maxLines
// lines are split off.
std::vector<std::string> SplitAnnotationLines(std::string_view text, std::size_t maxLines = SIZE_MAX);

// The new text position for a block whose box no longer lies inside the plot, by direction;
// nullopt when the box lies inside.
std::optional<Point> BringIntoViewPosition(const vtg::Rect& box, int width, int height, int direction);

}  // namespace vtg
