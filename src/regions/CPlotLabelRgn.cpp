#include "regions/CPlotLabelRgn.h"

#include <algorithm>

#include "axes/CPlotAxis.h"
#include "plot/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"

namespace vtg {

namespace {

const std::string kNoText;

// Lines end at CR, LF or CRLF. A break at the very end starts no further line, and an empty
// text is one empty line.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch != '\r' && ch != '\n') {
            lines.back() += ch;
            continue;
        }
        if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (i + 1 < text.size()) lines.emplace_back();
    }
    return lines;
}

const CVTGFont* FontOf(const CPlotFont* set, bool vertical) {
    if (!set) return nullptr;
    return vertical ? set->Vertical() : set->Horizontal();
}

}  // namespace

std::string DisplayedText(CPlotLook&, std::string_view text) { return std::string(text); }

std::string CaptionSuffixText(const CPlotAxis* axis) {
    if (!axis) return {};
    const auto suffix = MultiplierSuffixOf(*axis);
    return suffix ? suffix->text + suffix->exponent : std::string();
}

bool CPlotLabelRgn::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

const std::string& CPlotLabelRgn::Text() const { return Caption ? Caption->Text : kNoText; }

bool CPlotLabelRgn::IsVertical(const CPlotLook& plot) const {
    if (Kind == RegionKind::Title || Kind == RegionKind::Corner) return false;
    return (plot.Flipped != 0) == (Kind == RegionKind::XCaption);
}

Size CPlotLabelRgn::Measure(Surface& dc, CPlotLook& plot) {
    const CPlotAxis* axis = AxisNumber >= 0 ? plot.AxisByNumber(AxisNumber) : nullptr;
    const std::string text = DisplayedText(plot, Text()) + CaptionSuffixText(axis);
    const bool vertical = IsVertical(plot);
    // The extent is measured along the text, so a rotated text's length is its cx.
    const Size along = plot.Environment().MeasureText(dc, FontOf(Fonts, vertical), text);
    return vertical ? Size{along.cy, along.cx} : along;
}

CPlotTitleRgn::CPlotTitleRgn() : CPlotTitleRgn(RegionKind::Title) {}

CPlotTitleRgn::CPlotTitleRgn(int kind) : CPlotLabelRgn(kind) {
    AxisNumber = -1;
    Caption = &Label;
}

Size CPlotTitleRgn::Measure(Surface& dc, CPlotLook& plot) {
    Lines = SplitLines(Text());
    LineCount = static_cast<int>(Lines.size());
    Size total;
    for (std::size_t k = 0; k < Lines.size(); ++k) {
        const Size line = plot.Environment().MeasureText(dc, FontOf(Fonts, false), DisplayedText(plot, Lines[k]));
        if (k == 0) FirstLineHeight = line.cy;
        total.cx = std::max(total.cx, line.cx);
        total.cy += line.cy;
    }
    return total;
}

CPlotCornerRgn::CPlotCornerRgn(int number) : CPlotTitleRgn(RegionKind::Corner), Number(number) { CornerFlag = 1; }

}  // namespace vtg
