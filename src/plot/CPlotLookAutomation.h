#pragma once
// Plot operations that the control's automation methods need beyond the plot object's own:
// the zoom steps, refitting one axis, axis regions by number, and font and colour lookups in
// the automation's numbering.
//
// Numbering as the automation passes it: axis 0 is the X axis and 1..n the Y axes; variable 0
// is the first independent variable and k >= 1 the k-th dependent one.

#include <optional>
#include <string>

namespace vtg {

class CPlotAxis;
class CPlotAxisRgn;
class CPlotLook;
class CPlotVar;
class CVTGFont;

// The axis variable k is drawn against (0: the X axis); null when there is none.
CPlotAxis* AxisOfVariable(const CPlotLook& plot, int variable);

// ZoomIn doubles the zoom factor (once per call; 1024 at most), ZoomOut halves it (1 at
// least); both zoom the axes to match. ZoomOut returns whether every zoomed axis shows its
// whole extent again.
void ZoomIn(CPlotLook& plot);
bool ZoomOut(CPlotLook& plot);
// Zooms to the rubber band dragged in the drawing area; nothing without one.
void ZoomToRect(CPlotLook& plot);

// Fits axis 0..n to the data drawn against it; false when the plot has no such axis.
bool RefitAxis(CPlotLook& plot, int axis);

// The region of axis 0..n (0: the X axis); null when there is none.
CPlotAxisRgn* AxisRegionByNumber(const CPlotLook& plot, int axis);

// Font slot 0 title, 1 label, 2 axis, 3 legend, 4 drawing area, as SetFont numbers them; null
// for other slots.
const CVTGFont* FontOfSlot(const CPlotLook& plot, int which);

// A variable's marker size and interval as the line-attribute methods set them: with a single
// variable the plot's defaults (and the control's MarkerSize and MarkerInterval) take them;
// with several the variable keeps following a default it is set to, unless it already had a
// value of its own.
void SetVariableMarkerSizes(CPlotLook& plot, CPlotVar& var, int size, int interval);

// Palette index of the caption (resp. the axis) of axis 0..n; 0 when there is none.
int LabelColorIndex(const CPlotLook& plot, int axis);
int AxisColorIndex(const CPlotLook& plot, int axis);

}  // namespace vtg
