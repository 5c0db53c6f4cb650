#pragma once
// The text regions: an axis caption (kind 4 for the X caption, 5 for Y captions), the caption
// of a triangle side, the title (kind 1) and a corner label (kind 7). A caption region shows a
// CPlotLabel it does not own: the caption of an axis region or the legend text of a variable.
// The plot unbinds every caption region from a label before the label's owner is deleted.
//
// What a caption shows: its text with every occurrence of the plot's SubstitutionString
// replaced by its substitution value (the label's own, or the value of the variable whose
// legend it shows; nothing is replaced while either is empty), then with its symbol references
// expanded, then the axis's multiplier suffix.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "regions/CPlotLabel.h"
#include "regions/CPlotRegion.h"

namespace vtg {

class CPlotAxis;
class CVTGFont;

// A text as the plot shows it. Every text region measures (and draws) through this one place,
// which is where symbol references ("&[name]") are expanded by the plot.
std::string DisplayedText(CPlotLook& plot, std::string_view text);

// How much of a text a region lays out. A plot window or a page shows no more than about a
// hundred lines of legible text, and a line of more than about a thousand characters runs off
// any display (at six pixels a character it is wider than an 8K screen). Beyond that a text is
// neither measured nor drawn, so that a text of megabytes costs a paint no more than one that
// fills the window; measuring one line of a thousand characters takes about a millisecond.
// The stored text is never cut.
inline constexpr std::size_t kMaxShownLines = 100;
inline constexpr std::size_t kMaxShownLineChars = 1024;

// text cut after kMaxShownLineChars characters; never inside a character.
std::string CutToShownLine(std::string text);

// The multiplier suffix an axis adds to its caption and legend texts: " x 10" followed by the
// exponent's digits when it is not 1; empty without a power-of-ten multiplier (or axis).
std::string CaptionSuffixText(const CPlotAxis* axis);

// Draws text from the current position (dc's alignment must update it) followed by the axis's
// multiplier suffix: " x 10" in the selected font, then the exponent in `small` (the selected
// font when null), raised by half of textHeight towards the top of the text -- upwards on a
// horizontal text, to the left on one that reads upwards.
void DrawTextWithSuffix(Surface& dc, CPlotEnv& env, std::string_view text, const CPlotAxis* axis,
                        const CVTGFont* small, int textHeight);

class CPlotLabelRgn : public CPlotRegion {
public:
    explicit CPlotLabelRgn(int kind) : CPlotRegion(kind) {}

    RegionClass Class() const override { return RegionClass::Label; }
    // The on-screen extent of the caption with its multiplier suffix: for a vertical caption
    // cx is the rotated text's height as drawn (with a raised exponent) and cy its length.
    Size Measure(Surface& dc, CPlotLook& plot) override;
    // The caption, its multiplier suffix and, for a Y caption that stands for a variable, a
    // short sample of the variable's line and marker after the text.
    void Draw(Surface& dc, CPlotLook& plot, int force) override;
    // A frame around the rectangle in the selection pen.
    void DrawSelection(Surface& dc, CPlotLook& plot) override;
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;
    // Edits the text in the host's text input dialog; true when it was changed.
    bool EditProperties(Surface& dc, CPlotLook& plot) override;

    // The text the caption holds: the caption's text, or empty while bound to nothing.
    const std::string& Text() const;
    // The substitution value shown in place of the plot's substitution string: the caption's
    // own, or that of the variable whose legend text the caption shows.
    std::string SubstitutionValue(const CPlotLook& plot) const;
    // What the caption shows, without the multiplier suffix.
    std::string ShownText(CPlotLook& plot) const;
    // The palette colour when the host's client type is 0; otherwise the foreground colour or,
    // on plots with several Y axes, the colour of the caption's variable.
    Color TextColor(const CPlotLook& plot) const;
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

private:
    // How far a vertical caption's drawn glyphs reach across the side, to the left of their
    // baseline (above) and to the right of it (below).
    struct Across {
        int above = 0;
        int below = 0;
    };
    Across AcrossText(Surface& dc, CPlotLook& plot, const CPlotAxis* axis, int textHeight) const;
};

class CPlotTriLabelRgn : public CPlotLabelRgn {
public:
    explicit CPlotTriLabelRgn(int triangleKind) : CPlotLabelRgn(RegionKind::YCaption), TriangleKind(triangleKind) {}
    RegionClass Class() const override { return RegionClass::TriLabel; }
    // The caption centred on the rectangle, slanted along its side of the triangle.
    void Draw(Surface& dc, CPlotLook& plot, int force) override;
    // The entry of the font set the side's text is drawn with.
    int SideFontEntry() const;

    int TriangleKind = 0;
    int SideLength = 0;
};

// The title shows its own embedded label.
class CPlotTitleRgn : public CPlotLabelRgn {
public:
    // Fills Lines and LineCount from the text as it is now.
    void SplitText(CPlotLook& plot);
    CPlotTitleRgn();
    explicit CPlotTitleRgn(int kind);
    RegionClass Class() const override { return RegionClass::Title; }
    // Splits the text into Lines (at CR, LF or CRLF) and gives the widest line by the sum of
    // the line heights; FirstLineHeight is the first line's height. An empty text is one empty
    // line, so the title band keeps its height.
    Size Measure(Surface& dc, CPlotLook& plot) override;
    // The lines centred on the rectangle, the last one on its bottom edge.
    void Draw(Surface& dc, CPlotLook& plot, int force) override;

    CPlotLabel Label;
    // The lines as shown: symbols expanded, no more than kMaxShownLines of them, each cut by
    // CutToShownLine.
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
