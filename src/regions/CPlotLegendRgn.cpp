#include "regions/CPlotLegendRgn.h"

#include <algorithm>
#include <cmath>

#include "plot/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {

namespace {

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

}  // namespace

bool CPlotLegendRgn::HitTest(Point p) const { return Shown && CPlotRegion::HitTest(p); }

void CPlotLegendRgn::Empty() {
    Measured = 0;
    Shown = 0;
    Height = 0;
    Width = 0;
    ItemCount = 0;
}

Size CPlotLegendRgn::Measure(Surface& dc, CPlotLook& plot) {
    const CPlotEnv& env = plot.Environment();
    if (Measured && MeasuredScale == env.OutputScale) return {Width, Height};
    const Proportions p = SaneProportions(*this);
    const CVTGFont* font = Fonts ? Fonts->Horizontal() : nullptr;
    int widest = 0;
    int height = 0;
    int minHeight = 0;
    int count = 0;
    for (const auto& var : plot.YVars) {
        if (var->Hidden || var->Label.Text.empty()) continue;
        const std::string text = DisplayedText(plot, var->Label.Text) + CaptionSuffixText(plot.AxisByNumber(var->AxisMap));
        const Size s = env.MeasureText(dc, font, text);
        widest = std::max(widest, s.cx);
        // The first item is as high as its text; each further one adds its pitch, and at the
        // smallest size the user can resize to, 0.8 of its height.
        height += count == 0 ? s.cy : Rounded(s.cy * p.itemSpacing);
        minHeight += count == 0 ? s.cy : Rounded(s.cy * 0.8);
        ++count;
    }
    ItemCount = count;
    // The vertical margins are plain pixels: the items are drawn that far from the frame.
    Height = height + 2 * p.margin;
    MinHeight = minHeight + 2 * p.margin;
    Width = widest + env.Units(3.0 * p.margin + p.sampleLength);
    MinWidth = widest + env.Units(3.0 * p.margin + 10);
    Measured = 1;
    MeasuredScale = env.OutputScale;
    Shown = 1;
    return {Width, Height};
}

}  // namespace vtg
