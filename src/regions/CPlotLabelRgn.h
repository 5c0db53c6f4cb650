#pragma once
// The text regions: an axis caption (kind 4 for the X caption, 5 for Y captions), the caption
// of a triangle side, the title (kind 1) and a corner label (kind 7). A caption region shows a
// CPlotLabel it does not own: the caption of an axis region or the legend text of a variable.
// The plot unbinds every caption region from a label before the label's owner is deleted.

#include <string>
#include <string_view>
#include <vector>

#include "regions/CPlotLabel.h"
#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotAxis;

// A text as the plot shows it. Every text region measures (and draws) through this one place,
// which is where symbol references ("&[name]") are expanded by the plot; without an expansion
// the text is shown as written.
std::string DisplayedText(CPlotLook& plot, std::string_view text);

// The multiplier suffix an axis adds to its caption and legend texts: " x 10" followed by the
// exponent's digits when it is not 1; empty without a power-of-ten multiplier (or axis).
std::string CaptionSuffixText(const CPlotAxis* axis);

class CPlotLabelRgn : public CPlotRegion {
public:
    explicit CPlotLabelRgn(int kind) : CPlotRegion(kind) {}

    RegionClass Class() const override { return RegionClass::Label; }
    // The on-screen extent of the caption with its multiplier suffix: for a vertical caption
    // cx is the rotated text's height and cy its length.
    Size Measure(Surface& dc, CPlotLook& plot) override;
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;

    // The text shown: the caption's text, or empty while the region is bound to nothing.
    const std::string& Text() const;
    // Captions run upwards on the side of the plot that carries the vertical axes: Y captions,
    // and the X caption of a flipped plot. Titles and corner labels are always horizontal.
    bool IsVertical(const CPlotLook& plot) const;

    // -1 none (title, corner), 0 the X axis, 1..n a Y axis.
    int AxisNumber = -1;
    CPlotLabel* Caption = nullptr;      // not owned
    // Y captions of multi-Y plots: the 1-based variable whose line sample is drawn beside the
    // caption; 0 or less for none.
    int VariableIndex = 0;
    int Suppressed = 0;
    int CornerFlag = 0;
    int ColorIndex = 0;
    int SampleVariable = 0;
};

class CPlotTriLabelRgn : public CPlotLabelRgn {
public:
    explicit CPlotTriLabelRgn(int triangleKind) : CPlotLabelRgn(RegionKind::YCaption), TriangleKind(triangleKind) {}
    RegionClass Class() const override { return RegionClass::TriLabel; }

    int TriangleKind = 0;
    int SideLength = 0;
};

// The title shows its own embedded label.
class CPlotTitleRgn : public CPlotLabelRgn {
public:
    CPlotTitleRgn();
    explicit CPlotTitleRgn(int kind);
    RegionClass Class() const override { return RegionClass::Title; }
    // Splits the text into Lines (at CR, LF or CRLF) and gives the widest line by the sum of
    // the line heights; FirstLineHeight is the first line's height. An empty text is one empty
    // line, so the title band keeps its height.
    Size Measure(Surface& dc, CPlotLook& plot) override;

    CPlotLabel Label;
    std::vector<std::string> Lines;
    int LineCount = 0;
    int FirstLineHeight = 0;
};

class CPlotCornerRgn : public CPlotTitleRgn {
public:
    // number: which of the three corner labels (1..3).
    explicit CPlotCornerRgn(int number);
    RegionClass Class() const override { return RegionClass::Corner; }

    int Number = 1;
};

}  // namespace vtg
