// The settings text: GetSettings writes the plot's presentation, SetSettings reads it back
// through the control's and the plot's own operations, so that invalidation and events go as
// for the equivalent host calls. The format itself is persist/SettingsText.
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "control/CVortigaCtrl.h"
#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "persist/SettingsText.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

using Key = SettingsKey;

constexpr std::int64_t kShortMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kShortMax = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kIntMin = std::numeric_limits<int>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
constexpr float kFloatMax = std::numeric_limits<float>::max();

// Legend positions are fractions of the drawing area, kept in the range the stream loader
// keeps them in: a legend dragged out of the area stays reachable.
constexpr float kMinLegendFraction = -1.0f;
constexpr float kMaxLegendFraction = 2.0f;
// Legend proportions beyond these are no legend anyone drew: the layout would overflow.
constexpr std::int64_t kMaxLegendSample = 10000;
constexpr double kMaxLegendSpacing = 100;
constexpr std::int64_t kMaxLegendMargin = 1000;

bool InRange(std::int64_t v, std::int64_t lo, std::int64_t hi) { return v >= lo && v <= hi; }

// The first n integer fields all fit a 16-bit automation argument.
bool Shorts(const SettingsLine& line, int n) {
    for (int f = 0; f < n; ++f) {
        if (!InRange(line.ints[static_cast<std::size_t>(f)], kShortMin, kShortMax)) return false;
    }
    return true;
}

int Int(std::int64_t v) { return static_cast<int>(std::clamp(v, kIntMin, kIntMax)); }

// A single-precision field: the value when it is finite and fits.
std::optional<float> ToFloat(double v) {
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(kFloatMax)) return std::nullopt;
    return static_cast<float>(v);
}

}  // namespace

// ---- reading: the context the lines share ----

class CVortigaCtrl::SettingsReader {
public:
    explicit SettingsReader(CVortigaCtrl& control) : c_(control) {}

    void Apply(const SettingsLine& line) {
        if (Header(line) || Variable(line) || AxisLine(line) || PlotWide(line) || AnnotationLine(line)) return;
        Symbol(line);
    }

private:
    CPlotLook& Plot() { return c_.Plot(); }

    bool Header(const SettingsLine& line);
    bool HeaderFlags(const SettingsLine& line);
    bool Variable(const SettingsLine& line);
    bool Colours(const SettingsLine& line);
    bool AxisLine(const SettingsLine& line);
    bool AxisRanges(const SettingsLine& line, CPlotAxis& axis);
    bool PlotWide(const SettingsLine& line);
    void Attributes(const SettingsLine& line);
    void LegendBoxes(const SettingsLine& line);
    bool AnnotationLine(const SettingsLine& line);
    void AnnotationPlace(const SettingsLine& line, CPlotAnnotation& a);
    void AnnotationLook(const SettingsLine& line, CPlotAnnotation& a);
    void Symbol(const SettingsLine& line);

    // The axis the variable block's label lines name: the block's axis map, else the number
    // of the variable; nullopt when the plot has no such axis.
    std::optional<int> LabelAxis() {
        const int axis = axisMap_ >= 0 ? axisMap_ : variable_;
        if (axis < 0 || axis > Plot().YAxisCount()) return std::nullopt;
        return axis;
    }
    CPlotVar* CurrentVariable() { return variable_ >= 1 ? Plot().YVar(variable_ - 1) : nullptr; }
    CPlotAnnotation* CurrentAnnotation() {
        if (pending_) return pending_.get();
        CPlotLook& plot = Plot();
        if (committed_ < 0 || committed_ >= static_cast<int>(plot.Annotations.size())) return nullptr;
        return plot.Annotations[static_cast<std::size_t>(committed_)].get();
    }
    void CommitAnnotation();

    CVortigaCtrl& c_;
    int variable_ = 0;
    int axisMap_ = -1;
    int selectedAxis_ = -1;                     // none until a valid Axis line
    std::unique_ptr<CPlotAnnotation> pending_;  // not yet part of the plot
    bool wantsTextObject_ = false;
    int committed_ = -1;                        // index of the current committed annotation
    float anchorX_ = 0;
    float anchorY_ = 0;
    std::string symbolName_;
};

bool CVortigaCtrl::SettingsReader::Header(const SettingsLine& line) {
    CPlotLook& plot = Plot();
    const std::int64_t v = line.ints[0];
    switch (line.key) {
        case Key::Title: c_.Title = line.text; c_.OnTitleChanged(); return true;
        case Key::Xlab: c_.xlabel = line.text; c_.OnXLabelChanged(); return true;
        case Key::Ylab: c_.ylabel = line.text; c_.OnYLabelChanged(); return true;
        case Key::ShowTitle:
            if (line.count < 1) return true;
            c_.ShowTitle = v != 0;
            c_.OnShowTitleChanged();
            return true;
        case Key::Nvars:
            // A negative count is no count.
            if (InRange(v, 0, kShortMax)) c_.SetNvariables(static_cast<std::int16_t>(v));
            return true;
        case Key::Type:
            if (!InRange(v, 0, 4)) return true;
            c_.SetPlotType(static_cast<std::int16_t>(v));
            committed_ = -1;
            return true;
        case Key::NYaxes: plot.TrimYAxes(Int(v)); return true;
        case Key::RunPlot: c_.SetRunPlot(v != 0); return true;
        case Key::PhasePlot:
            c_.phasePlot = v != 0;
            plot.SetPhasePlot(v != 0);
            return true;
        case Key::PhaseX: c_.phaseXVariable = line.text; return true;
        case Key::Subst: plot.SubstitutionString = line.text; return true;
        default: return HeaderFlags(line);
    }
}

bool CVortigaCtrl::SettingsReader::HeaderFlags(const SettingsLine& line) {
    const std::int64_t v = line.ints[0];
    switch (line.key) {
        case Key::MultiY: c_.MultiYaxis = v != 0; return true;
        case Key::UseVar: c_.UseVariable = v != 0; return true;
        case Key::IgnoreLegend: c_.IgnoreSetLegend = v != 0; return true;
        case Key::SizeToData: c_.SizeToData = v != 0; return true;
        case Key::AlwaysShow: c_.AlwaysShowFull = v != 0; return true;
        case Key::CommunicationIntervals:
            if (Shorts(line, 1)) c_.CommunicationIntervals = static_cast<std::int16_t>(v);
            return true;
        case Key::TimeWin:
            // The property's own checks: a window must be a positive width.
            if (const auto w = ToFloat(line.reals[0])) c_.SetTimeWindow(*w);
            return true;
        case Key::TimeScroll:
            // The property's clamp: a step outside 0.001..TimeWindow is a fifth of the window.
            if (const auto s = ToFloat(line.reals[0])) {
                c_.TimeScrollUnit = *s >= 0.001f && *s <= c_.TimeWindow ? *s : c_.TimeWindow * 0.2f;
            }
            return true;
        default: return false;
    }
}

bool CVortigaCtrl::SettingsReader::Variable(const SettingsLine& line) {
    CPlotLook& plot = Plot();
    switch (line.key) {
        case Key::Var:
            variable_ = Int(line.ints[0]);
            axisMap_ = -1;
            return true;
        case Key::AxisMap:
            if (!InRange(line.ints[0], 0, CPlotLook::kMaxYAxes)) return true;
            axisMap_ = Int(line.ints[0]);
            if (CurrentVariable()) plot.SetAxisMap(variable_ - 1, axisMap_);
            return true;
        case Key::Label:
        case Key::XLabel: {
            const std::optional<int> axis = line.key == Key::XLabel ? std::optional<int>(0) : LabelAxis();
            if (!axis) return true;
            // The text is the axis caption as written, kept as it is: also on run and phase
            // plots, where the plot's own label operation would set a legend instead, and also
            // when empty, which that operation would turn into blanks. Plots read from a data
            // file label their variables, as the writer read them.
            CPlotAxisRgn* region = *axis == 0 ? plot.XAxisRgn.get() : plot.YAxisRegion(*axis);
            if (region && !plot.FromDataFile) {
                region->Label.Text = line.text;
            } else {
                plot.SetLabel(*axis, line.text);
            }
            plot.LayoutDirty = 1;
            return true;
        }
        case Key::Legend:
            if (CPlotVar* var = CurrentVariable()) {
                var->Label.Text = line.text;
                if (plot.LegendRgn) plot.LegendRgn->MarkForLayout();
                plot.LayoutDirty = 1;
            }
            return true;
        case Key::SubstValue: plot.SetSubstitutionValue(variable_, line.text); return true;
        case Key::Hidden:
            if (CurrentVariable()) plot.SetHidden(variable_ - 1, Int(line.ints[0]));
            return true;
        default: return Colours(line);
    }
}

bool CVortigaCtrl::SettingsReader::Colours(const SettingsLine& line) {
    const bool label = line.key == Key::XLabelColor || line.key == Key::LabelColor;
    const bool xAxis = line.key == Key::XLabelColor || line.key == Key::XAxisColor;
    if (!label && !xAxis && line.key != Key::AxisColor) return false;
    const std::optional<int> axis = xAxis ? std::optional<int>(0) : LabelAxis();
    if (!axis) return true;
    // An index outside the palette is black, as everywhere else.
    const int colour = ClampColorIndex(Int(line.ints[0]));
    CPlotLook& plot = Plot();
    if (!label) {
        CPlotAxisRgn* region = *axis == 0 ? plot.XAxisRgn.get() : plot.YAxisRegion(*axis);
        if (region) region->ColorIndex = colour;
    } else if (*axis == 0) {
        if (plot.XLabelRgn) plot.XLabelRgn->ColorIndex = colour;
    } else {
        for (auto& region : plot.YLabelRgns) {
            if (region->AxisNumber == *axis) region->ColorIndex = colour;
        }
    }
    return true;
}

bool CVortigaCtrl::SettingsReader::AxisLine(const SettingsLine& line) {
    CPlotLook& plot = Plot();
    if (line.key == Key::Axis) {
        // An axis the plot does not have selects none: the axis lines up to the next valid
        // Axis line are skipped rather than applied to some other axis.
        selectedAxis_ = InRange(line.ints[0], 0, plot.YAxisCount()) ? Int(line.ints[0]) : -1;
        return true;
    }
    const bool axisKey = line.key >= Key::Range && line.key <= Key::MultiplierType;
    if (!axisKey) return false;
    CPlotAxis* axis = plot.AxisByNumber(selectedAxis_);
    if (!axis || AxisRanges(line, *axis)) return true;
    const std::int64_t v = line.ints[0];
    if (!InRange(v, kIntMin, kIntMax) && line.key != Key::AxisScale) return true;
    switch (line.key) {
        case Key::AxisFlag: axis->Integer = Int(v); break;
        case Key::AxisResetRange: axis->ResetRange = Int(v); break;
        case Key::Multiplier: axis->Multiplier = Int(v); break;
        case Key::MultiplierType: axis->MultiplierType = Int(v); break;
        case Key::AxisScale:
            // A scale the axis does not know is refused by the axis.
            if (line.count >= 1 && InRange(v, kIntMin, kIntMax)) axis->SetScale(Int(v));
            if (line.count >= 2) axis->Reverse = line.ints[1] != 0 ? 1 : 0;
            axis->NeedsRescale = 1;
            break;
        default: break;
    }
    plot.LayoutDirty = 1;
    return true;
}

// Range lines carry doubles; one with a number that is not finite is skipped whole.
bool CVortigaCtrl::SettingsReader::AxisRanges(const SettingsLine& line, CPlotAxis& axis) {
    CPlotLook& plot = Plot();
    const auto& r = line.reals;
    switch (line.key) {
        case Key::Range:
            if (line.count < 2 || !line.Finite()) return true;
            // The data extent the text was written with, so that writing again gives it back.
            axis.DataMin = r[0];
            axis.DataMax = r[1];
            if (r[0] != r[1]) plot.SetRange(selectedAxis_, std::min(r[0], r[1]), std::max(r[0], r[1]));
            return true;
        case Key::AxisRange:
            if (line.count < 2 || !line.Finite()) return true;
            plot.SetAxisRange(selectedAxis_, std::min(r[0], r[1]), std::max(r[0], r[1]));
            // The next value restarts the data extent.
            axis.DataSeen = 0;
            return true;
        case Key::AxisInterval: {
            if (line.count < 1 || !line.Finite()) return true;
            const int lock = line.count >= 2 && line.ints[1] != 0 ? 1 : 0;
            axis.SetUserInterval(r[0], lock);
            if (selectedAxis_ == 0 && plot.TriangleKind() != 0) {
                for (int k = 1; k <= 2; ++k) {
                    if (CPlotAxis* side = plot.AxisByNumber(k)) side->SetUserInterval(r[0], lock);
                }
            }
            return true;
        }
        case Key::ARange:
            if (line.count < 6 || !line.Finite() || r[2] > r[3] || r[4] > r[5]) return true;
            std::tie(axis.DataMin, axis.DataMax, axis.ExtentMin, axis.ExtentMax) = std::tie(r[0], r[1], r[2], r[3]);
            std::tie(axis.RangeMin, axis.RangeMax) = std::tie(r[4], r[5]);
            axis.NeedsRescale = 1;
            return true;
        case Key::ARange2:
        case Key::ARange3:
            // The first four numbers are what the writer derived; only the intervals are read.
            if (line.count < 6 || !std::isfinite(r[4]) || !std::isfinite(r[5]) || r[4] < 0 || r[5] < 0) return true;
            axis.Interval = r[4];
            axis.UserInterval = r[5];
            if (line.key == Key::ARange3 && line.count >= 7) axis.LockGrid = line.ints[6] != 0 ? 1 : 0;
            axis.NeedsRescale = 1;
            return true;
        default: return false;
    }
}

bool CVortigaCtrl::SettingsReader::PlotWide(const SettingsLine& line) {
    CPlotLook& plot = Plot();
    const std::int64_t v = line.ints[0];
    switch (line.key) {
        case Key::Attrib:
        case Key::Attrib2: Attributes(line); return true;
        case Key::Font:
            if (line.hasFace && line.count >= 1 && Shorts(line, 3)) {
                c_.SetFont(static_cast<std::int16_t>(v), line.text, static_cast<std::int16_t>(line.ints[1]),
                           static_cast<std::int16_t>(line.ints[2]));
            }
            return true;
        case Key::Grid:
            if (InRange(v, 0, 3)) plot.GridType = c_.GridType = static_cast<std::int16_t>(v);
            return true;
        case Key::Line:
            if (InRange(v, 0, 2)) plot.DisplayType = c_.DisplayType = static_cast<std::int16_t>(v);
            return true;
        case Key::Square: {
            bool* flags[] = {&c_.SquarePlot, &c_.DiagonalLine, &c_.ZeroLine, &c_.Flipped};
            for (int f = 0; f < line.count; ++f) *flags[f] = line.ints[static_cast<std::size_t>(f)] != 0;
            plot.Square = c_.SquarePlot;
            plot.Diagonal = c_.DiagonalLine;
            plot.ZeroLine = c_.ZeroLine;
            plot.Flipped = c_.Flipped;
            plot.LayoutDirty = 1;
            return true;
        }
        case Key::Marker:
            if (!Shorts(line, line.count)) return true;
            if (line.count >= 1) plot.MarkerSize = c_.MarkerSize = static_cast<std::int16_t>(v);
            if (line.count >= 2) plot.MarkerInterval = c_.MarkerInterval = static_cast<std::int16_t>(line.ints[1]);
            return true;
        case Key::LegendBox:
        case Key::LegendBox2: LegendBoxes(line); return true;
        default: return false;
    }
}

void CVortigaCtrl::SettingsReader::Attributes(const SettingsLine& line) {
    CPlotLook& plot = Plot();
    const auto& n = line.ints;
    if (line.key == Key::Attrib2) {
        if (line.count < 1 || !Shorts(line, 5)) return;
        plot.SetAttribute2(Int(n[0]), {Int(n[1]), Int(n[2]), Int(n[3]), Int(n[4])});
        return;
    }
    if (line.count < 4 || !Shorts(line, line.count)) return;
    if (line.count == 5) {
        plot.SetLineAttributes(Int(n[0]), {Int(n[1]), Int(n[2])}, Int(n[3]), Int(n[4]));
    } else {
        // The older four-number form: index, line type code, marker, colour.
        plot.SetLineAttributes(Int(n[0]), SplitLineType(Int(n[1])), Int(n[2]), Int(n[3]));
    }
}

void CVortigaCtrl::SettingsReader::LegendBoxes(const SettingsLine& line) {
    CPlotLook& plot = Plot();
    if (line.key == Key::LegendBox) {
        if (line.count < 1) return;
        float* fields[] = {nullptr, &plot.LegendX, &plot.LegendY};
        for (int f = 1; f < line.count; ++f) {
            if (const auto v = ToFloat(line.reals[static_cast<std::size_t>(f)])) {
                *fields[f] = std::clamp(*v, kMinLegendFraction, kMaxLegendFraction);
            }
        }
        const bool show = line.ints[0] == 1;
        c_.ShowLegend = show;
        if (show != (plot.ShowLegend == 1)) c_.ToggleLegendWithWindowDC();
        plot.LayoutDirty = 1;
        return;
    }
    CPlotLegendRgn* legend = plot.LegendRgn.get();
    if (!legend) return;
    // Values beyond SetLegendBox's ranges are kept (dragging the legend makes them), absurd
    // ones are not.
    const bool sound = (line.count < 1 || InRange(line.ints[0], 0, kMaxLegendSample)) &&
                       (line.count < 2 || (std::isfinite(line.reals[1]) && line.reals[1] >= 0 &&
                                           line.reals[1] <= kMaxLegendSpacing)) &&
                       (line.count < 3 || InRange(line.ints[2], 0, kMaxLegendMargin));
    if (!sound) return;
    if (line.count >= 1) legend->SampleLength = Int(line.ints[0]);
    if (line.count >= 2) legend->ItemSpacing = static_cast<float>(line.reals[1]);
    if (line.count >= 3) legend->Margin = Int(line.ints[2]);
    legend->MarkForLayout();
    plot.LayoutDirty = 1;
}

bool CVortigaCtrl::SettingsReader::AnnotationLine(const SettingsLine& line) {
    if (line.key == Key::Annotation) {
        // A block that never reached its AnnoFont line is dropped with the next block.
        pending_ = std::make_unique<CPlotAnnotation>(line.text);
        wantsTextObject_ = false;
        return true;
    }
    if (line.key < Key::AnnoPosition || line.key > Key::AnnoFont) return false;
    CPlotAnnotation* a = CurrentAnnotation();
    if (!a) return true;
    if (line.key == Key::AnnoAttrib || line.key == Key::AnnoAttrib2 || line.key == Key::AnnoFont) {
        AnnotationLook(line, *a);
    } else {
        AnnotationPlace(line, *a);
    }
    return true;
}

void CVortigaCtrl::SettingsReader::AnnotationPlace(const SettingsLine& line, CPlotAnnotation& a) {
    const auto& r = line.reals;
    if (line.key == Key::AnnoPosX || line.key == Key::AnnoPosY) {
        float& anchor = line.key == Key::AnnoPosX ? anchorX_ : anchorY_;
        if (line.bound != SettingsLine::Bound::None) {
            anchor = line.bound == SettingsLine::Bound::Plus ? kFloatMax : -kFloatMax;
        } else if (const auto v = ToFloat(r[0])) {
            anchor = *v;
        }
        return;
    }
    const bool full = line.key == Key::AnnoPosition;
    const int reals = full ? 4 : 2;
    std::array<float, 4> p{anchorX_, anchorY_, 0, 0};
    for (int f = 0; f < std::min(line.count, reals); ++f) {
        const auto v = ToFloat(r[static_cast<std::size_t>(f)]);
        if (!v) return;
        p[static_cast<std::size_t>(f + (full ? 0 : 2))] = *v;
    }
    const std::int64_t var = line.count > reals ? line.ints[static_cast<std::size_t>(reals)] : 0;
    // A curve the plot does not have would be read past its variables.
    const int variable = InRange(var, 1, Plot().DependentCount()) ? Int(var) : 0;
    a.SetPosition({p[0], p[1], p[2], p[3], variable});
}

void CVortigaCtrl::SettingsReader::AnnotationLook(const SettingsLine& line, CPlotAnnotation& a) {
    const auto& n = line.ints;
    if (line.key == Key::AnnoFont) {
        if (line.hasFace && line.count >= 1 && Shorts(line, 3) && n[0] > 0) {
            a.SetTextFont(c_.plotEnv.Tool().GetFont(line.text, Int(n[0]), Int(n[1]), Int(n[2])));
            a.NeedsMeasure = 1;
        }
        if (pending_) CommitAnnotation();
        return;
    }
    if (!Shorts(line, line.count)) return;
    const bool second = line.key == Key::AnnoAttrib2;
    // Free annotations were once written as -1; an attachment no annotation has is free too.
    const int attachment = InRange(n[0], CPlotAnnotation::kFree, CPlotAnnotation::kDataPoint) ? Int(n[0]) : 0;
    a.SetAttributes({Int(n[1]), Int(n[2]), attachment, Int(n[3]), Int(n[4]), second ? Int(n[5]) : 0});
    // The text object that lets the host address the annotation comes with the commit,
    // when the annotation's index is known.
    if (second && &a == pending_.get()) wantsTextObject_ = true;
}

void CVortigaCtrl::SettingsReader::CommitAnnotation() {
    CPlotLook& plot = Plot();
    pending_->NewMark = 0;
    plot.Annotations.push_back(std::move(pending_));
    committed_ = static_cast<int>(plot.Annotations.size()) - 1;
    if (!wantsTextObject_) return;
    wantsTextObject_ = false;
    // No free id: the annotation is shown without an object.
    const int id = plot.CreateObject(static_cast<int>(PlotObjKind::Text), 0);
    if (auto* text = dynamic_cast<CPlotTextObj*>(plot.FindObject(id))) {
        text->UserText = 1;
        text->AnnotationIndex = committed_;
    }
}

void CVortigaCtrl::SettingsReader::Symbol(const SettingsLine& line) {
    if (line.key == Key::SymbolName) symbolName_ = line.text;
    if (line.key == Key::SymbolValue) Plot().SetSymbol(symbolName_, line.text);
}

// ---- the entries ----

std::string CVortigaCtrl::GetSettings() {
    CPlotLook& plot = Plot();
    // Positions of curve-tied annotations are read below.
    plot.SettleCurveTies();
    return WriteSettings(plot, {*this, phasePlot, phaseXVariable});
}

void CVortigaCtrl::ApplySettings(std::string_view text) {
    CancelEditing();
    CPlotLook& plot = Plot();
    plot.ClearContent();
    UpdateScrollBars(false);
    SettingsReader reader(*this);
    ReadSettingsLines(text, [&reader](const SettingsLine& line) {
        try {
            reader.Apply(line);
        } catch (const AutomationError& e) {
            const std::string where = "line " + std::to_string(line.lineNumber) + " (" +
                                      std::string(SettingsKeyName(line.key)) + "): ";
            throw AutomationError(e.Code(), where + e.Message());
        }
    });
    CPlotLook& result = Plot();
    result.SetSize(layoutWidth, layoutHeight);
    if (result.RunPlot || phasePlot) result.RewindTimeData(0);
    InvalidateControl();
}

void CVortigaCtrl::SetSettings(const std::string& Settings) {
    if (const auto error = CheckSettings(Settings)) {
        throw AutomationError::InvalidArg("SetSettings: " + error->What(), 0);
    }
    // A text can still fail while it is applied (a variable count or ring the plot's memory
    // budget refuses): the control then goes back to the image it had.
    ApplyOrRestore("SetSettings", [&] { ApplySettings(Settings); });
}

void CVortigaCtrl::ApplyOrRestore(const std::string& what, const std::function<void()>& apply) {
    const std::vector<std::uint8_t> before = SaveStream();
    const bool wasModified = modified_;
    auto restore = [&] {
        // The image was written by this control a moment ago; should it fail to load all the
        // same, the error the host hears is still the one that stopped the change.
        try {
            LoadStream(before);
        } catch (const AutomationError&) {
        }
        modified_ = wasModified;
    };
    try {
        apply();
    } catch (const AutomationError& e) {
        restore();
        throw AutomationError(e.Code(), what + ": " + e.Message());
    } catch (const std::bad_alloc&) {
        restore();
        throw AutomationError::OutOfMemory(what + ": out of memory");
    }
}

}  // namespace vtg
