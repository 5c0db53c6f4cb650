// The settings text: the writer. Lines in a fixed order, each "Key:value" and one line feed.
#include <algorithm>
#include <limits>

#include "objects/CPlotAnnotation.h"
#include "persist/SettingsText.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotLookAutomation.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

class LineWriter {
public:
    // A text value runs to the end of its line, so a line break inside it would end the line
    // early and turn the rest into a line of its own. It is written as a carriage return
    // alone, which every text of the plot shows as a line break too.
    void Text(std::string_view key, std::string_view value) {
        Key(key);
        for (std::size_t i = 0; i < value.size(); ++i) {
            const char c = value[i];
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
            out_ += c == '\n' ? '\r' : c;
        }
        out_ += '\n';
    }
    template <class... T>
    void Numbers(std::string_view key, const T&... values) {
        Key(key);
        bool first = true;
        ((out_ += first ? "" : " ", out_ += values, first = false), ...);
        out_ += '\n';
    }
    void Int(std::string_view key, std::int64_t v) { Numbers(key, SettingsInt(v)); }
    std::string Take() { return std::move(out_); }

private:
    void Key(std::string_view key) {
        out_ += key;
        out_ += ':';
    }
    std::string out_;
};

std::string I(std::int64_t v) { return SettingsInt(v); }
std::string D(double v) { return SettingsDouble(v); }

// A tied annotation's anchor at the single-precision limit means "on the axis".
std::string Anchor(float v) {
    constexpr float kMax = std::numeric_limits<float>::max();
    if (v >= kMax) return "+++";
    if (v <= -kMax) return "---";
    return SettingsFloatF(v);
}

// The host's variables: the first min(nvariables, count) that no plot object owns, and at
// least the one variable every plot has.
int WrittenVariables(const CPlotLook& plot, int nvariables) {
    const int limit = std::min(std::max(nvariables, 1), plot.DependentCount());
    int n = 0;
    while (n < limit && !plot.YVar(n)->ObjectOwned) ++n;
    return n;
}

// count: the variables written. The control's nvariables counts the variables of line and
// polygon objects too, which the text does not carry: a reader would make host variables of
// them.
void WriteHeader(LineWriter& w, const CPlotLook& plot, const SettingsControlState& c, int count) {
    const ControlProperties& p = c.props;
    w.Int("Type", p.PlotType);
    w.Text("Title", p.Title);
    w.Int("ShowTitle", p.ShowTitle ? 1 : 0);
    w.Text("Xlab", p.xlabel);
    w.Text("Ylab", p.ylabel);
    w.Int("Nvars", std::min<int>(p.nvariables, count));
    w.Int("MultiY", p.MultiYaxis ? 1 : 0);
    w.Text("Subst", plot.SubstitutionString);
    w.Int("NYaxes", plot.YAxisCount());
    w.Int("RunPlot", p.RunPlot ? 1 : 0);
    w.Int("PhasePlot", c.phasePlot ? 1 : 0);
    w.Int("SizeToData", p.SizeToData ? 1 : 0);
    w.Int("CommunicationIntervals", p.CommunicationIntervals);
    w.Int("UseVar", p.UseVariable ? 1 : 0);
    w.Int("IgnoreLegend", p.IgnoreSetLegend ? 1 : 0);
    w.Numbers("TimeWin", SettingsFloatG(p.TimeWindow));
    w.Numbers("TimeScroll", SettingsFloatG(p.TimeScrollUnit));
    w.Int("AlwaysShow", p.AlwaysShowFull ? 1 : 0);
    w.Text("PhaseX", c.phaseXVariable);
    w.Text("XLabel", plot.GetLabel(0));
    w.Int("XLabelColor", LabelColorIndex(plot, 0));
    w.Int("XAxisColor", AxisColorIndex(plot, 0));
}

void WriteVariables(LineWriter& w, const CPlotLook& plot, const ControlProperties& p, int count) {
    for (int v = 1; v <= count; ++v) {
        const CPlotVar& var = *plot.YVar(v - 1);
        w.Int("Var", v);
        int axis = v <= 2 ? v : 0;
        if (p.PlotType < 2) {
            axis = var.AxisMap;
            w.Int("AxisMap", axis);
        }
        if (axis > 0) {
            w.Text("Label", plot.GetLabel(axis));
            w.Int("LabelColor", LabelColorIndex(plot, axis));
            w.Int("AxisColor", AxisColorIndex(plot, axis));
        }
        if (!var.Label.Text.empty()) {
            w.Text("Legend", var.Label.Text);
            w.Text("SubstValue", var.SubstValue);
        }
        w.Int("Hidden", var.Hidden);
    }
}

void WriteAxis(LineWriter& w, const CPlotAxis& a, int n, bool runPlot) {
    w.Int("Axis", n);
    if (!runPlot) {
        w.Numbers("Range", D(a.DataMin), D(a.DataMax));
        w.Numbers("AxisInterval", D(a.UserInterval), I(a.LockGrid));
        w.Numbers("AxisRange", D(a.RangeMin), D(a.RangeMax));
    } else {
        w.Numbers("ARange", D(a.DataMin), D(a.DataMax), D(a.ExtentMin), D(a.ExtentMax), D(a.RangeMin),
                  D(a.RangeMax));
        w.Numbers("ARange3", D(a.RangeMin), D(a.RangeMax), D(a.Transform(a.RangeMin)), D(a.Transform(a.RangeMax)),
                  D(a.Interval), D(a.UserInterval), I(a.LockGrid));
    }
    w.Int("AxisResetRange", a.ResetRange);
    w.Numbers("AxisScale", I(a.Scale), I(a.Reverse));
    w.Int("Multiplier", a.Multiplier);
    w.Int("MultiplierType", a.MultiplierType);
    w.Int("AxisFlag", a.Integer);
}

void WriteAttributes(LineWriter& w, const CPlotLook& plot, int count) {
    for (int i = 0; i < count; ++i) {
        const CPlotVar& v = *plot.YVar(i);
        // A bar's fill pattern takes the style's place; its width means nothing.
        if (plot.BarGraph) {
            w.Numbers("Attrib", I(i), I(0), I(v.FillStyle), I(v.Marker), I(v.Color));
        } else {
            w.Numbers("Attrib", I(i), I(v.PenWidth), I(v.PenStyle), I(v.Marker), I(v.Color));
        }
        w.Numbers("Attrib2", I(i), I(v.VarMarkerSize), I(v.VarMarkerInterval), I(v.Attrib2Extra[0]),
                  I(v.Attrib2Extra[1]));
    }
}

void WritePlotWide(LineWriter& w, const CPlotLook& plot) {
    for (int f = 0; f < 4; ++f) {
        const CVTGFont* font = FontOfSlot(plot, f);
        if (!font) continue;
        w.Text("Font", I(f) + " " + I(font->Size) + " " + I(font->Style) + ":" + font->Face);
    }
    w.Int("Grid", plot.GridType);
    w.Int("Line", plot.DisplayType);
    w.Numbers("Square", I(plot.Square), I(plot.Diagonal), I(plot.ZeroLine), I(plot.Flipped));
    w.Numbers("Marker", I(plot.MarkerSize), I(plot.MarkerInterval));
    w.Numbers("LegendBox", I(plot.ShowLegend == 1 ? 1 : 0), SettingsFloatF(plot.LegendX), SettingsFloatF(plot.LegendY));
    if (const CPlotLegendRgn* legend = plot.LegendRgn.get()) {
        w.Numbers("LegendBox2", I(legend->SampleLength), SettingsFloatF(legend->ItemSpacing), I(legend->Margin));
    }
}

void WriteAnnotations(LineWriter& w, const CPlotLook& plot) {
    for (const auto& owned : plot.Annotations) {
        const CPlotAnnotation& a = *owned;
        if (a.Hidden) continue;
        w.Text("Annotation", a.Text);
        w.Numbers("AnnoPosX", Anchor(a.AnchorX));
        w.Numbers("AnnoPosY", Anchor(a.AnchorY));
        w.Numbers("AnnoPos2", SettingsFloatF(a.OffsetX), SettingsFloatF(a.OffsetY), I(a.AttachedVariable));
        w.Numbers("AnnoAttrib2", I(a.Attachment), I(a.Color), I(a.Direction), I(a.Arrow), I(a.Alignment),
                  I(a.TransparentBackground));
        if (a.Font) {
            w.Text("AnnoFont", I(a.Font->Size) + " " + I(a.Font->Angle) + " " + I(a.Font->Style) + ":" + a.Font->Face);
        } else {
            // No font: the annotation is kept but not drawn, as it was.
            w.Numbers("AnnoFont", I(0), I(0), I(0));
        }
    }
}

void WriteSymbols(LineWriter& w, const CPlotLook& plot) {
    for (const CPlotSymbol& s : plot.Symbols.List()) {
        // The live date and time are the reader's, not the writer's.
        if (s.Name == "DATE" || s.Name == "TIME") continue;
        w.Text("SymbolName", s.Name);
        w.Text("SymbolValue", s.Value);
    }
}

}  // namespace

std::string WriteSettings(const CPlotLook& plot, const SettingsControlState& control) {
    LineWriter w;
    const int count = WrittenVariables(plot, control.props.nvariables);
    WriteHeader(w, plot, control, count);
    WriteVariables(w, plot, control.props, count);
    for (int n = 0; n <= plot.YAxisCount(); ++n) {
        if (const CPlotAxis* axis = plot.AxisByNumber(n)) WriteAxis(w, *axis, n, plot.RunPlot != 0);
    }
    WriteAttributes(w, plot, count);
    WritePlotWide(w, plot);
    WriteAnnotations(w, plot);
    WriteSymbols(w, plot);
    return w.Take();
}

}  // namespace vtg
