#include "regions/CPlotLabelRgn.h"

#include <algorithm>
#include <cmath>

#include "axes/CPlotAxis.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLegendRgn.h"
#include "regions/SelectionStyle.h"

namespace vtg {

namespace {

const std::string kNoText;

// The sample beside a variable's caption: its length and distance from the text, and the
// marker's half-size, in units.
constexpr double kSampleLength = 20;
constexpr double kSampleGap = 5;
constexpr double kSampleMarkerHalfSize = 4;
// The host's text input dialog takes texts up to this many characters.
constexpr std::int32_t kMaxEditedText = 128;
constexpr double kPi = 3.14159265358979323846;

// Lines end at CR, LF or CRLF. A break at the very end starts no further line, and an empty
// text is one empty line. No more than maxLines are split off.
std::vector<std::string_view> SplitLines(std::string_view text, std::size_t maxLines) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    // The next CR and the next LF, each found once: a text of megabytes is read once.
    std::size_t cr = text.find('\r');
    std::size_t lf = text.find('\n');
    while (lines.size() < maxLines) {
        if (cr != std::string_view::npos && cr < start) cr = text.find('\r', start);
        if (lf != std::string_view::npos && lf < start) lf = text.find('\n', start);
        const std::size_t end = std::min(cr, lf);
        lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos) break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (start >= text.size()) break;
    }
    return lines;
}

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

const CVTGFont* FontOf(const CPlotFont* set, bool vertical) {
    if (!set) return nullptr;
    return vertical ? set->Vertical() : set->Horizontal();
}

const CPlotVar* VariableShowing(const CPlotLook& plot, const CPlotLabel* label) {
    if (!label) return nullptr;
    for (const auto& var : plot.YVars) {
        if (&var->Label == label) return var.get();
    }
    return nullptr;
}

bool IsBeingDrawn(const CPlotRegion& region, const CPlotEnv& env, int force) {
    if (region.Hidden || region.Rect.IsEmpty()) return false;
    return force || env.ToDevice(region.Rect).Intersects(env.PaintArea);
}

Color PaletteRgb(const CPlotEnv& env, int index) { return RgbOnly(env.Tool().PaletteColor(index)); }

// A variable's line from a to b in its colour and width, and its marker in the middle.
void DrawVariableSample(Surface& dc, const CPlotLook& plot, const CPlotVar& var, Point a, Point b) {
    const CPlotEnv& env = plot.Environment();
    StateGuard restore(dc);
    if (var.PenWidth > 0) {
        dc.SetSmoothing(!plot.Printing && !dc.IsPrintingDevice() && !env.PlainDrawing);
        env.PalettePen(dc, var.Color, var.PenWidth, 0);
        dc.MoveTo(a);
        dc.LineTo(b);
    }
    if (!plot.BarGraph) {
        env.DrawMarker(dc, var.Marker, (a.x + b.x) / 2, (a.y + b.y) / 2, var.Color, env.Units(kSampleMarkerHalfSize),
                       false);
    }
}

// The dialog's caption and prompt keys for a text region.
std::pair<const char*, const char*> EditKeys(const CPlotLabelRgn& region, const CPlotLook& plot) {
    if (region.Kind == RegionKind::Corner) return {"IDS_PLOTREGION_CORNER", "IDS_PLOTREGION_PLOTTITLELABELSETTING"};
    if (region.Kind == RegionKind::Title) return {"IDS_PLOTREGION_TITLE", "IDS_PLOTREGION_PLOTTITLELABELSETTING"};
    const bool xCaption = (region.Kind == RegionKind::XCaption) != (plot.Flipped != 0);
    return {xCaption ? "IDS_PLOTREGION_XAXISLABEL" : "IDS_PLOTREGION_YAXISLABEL", "IDS_PLOTREGION_PLOTAXISLABELSETTING"};
}

bool IsAccepted(const std::optional<Variant>& result) {
    if (!result) return false;
    try {
        return result->ToI4() != 0;
    } catch (...) {
        return false;
    }
}

}  // namespace

std::string DisplayedText(CPlotLook& plot, std::string_view text) { return plot.DisplayText(text); }

std::string CutToShownLine(std::string text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsContinuationByte(text[i])) continue;
        if (++characters > kMaxShownLineChars) {
            text.resize(i);
            break;
        }
    }
    return text;
}

std::string CaptionSuffixText(const CPlotAxis* axis) {
    if (!axis) return {};
    const auto suffix = MultiplierSuffixOf(*axis);
    return suffix ? suffix->text + suffix->exponent : std::string();
}

void DrawTextWithSuffix(Surface& dc, CPlotEnv& env, std::string_view text, const CPlotAxis* axis,
                        const CVTGFont* small, int textHeight) {
    dc.TextOut({}, text);
    const auto suffix = axis ? MultiplierSuffixOf(*axis) : std::nullopt;
    if (!suffix) return;
    dc.TextOut({}, suffix->text);
    if (suffix->exponent.empty()) return;
    // Towards the top of the glyphs: up for a horizontal text, left for one reading upwards.
    const double a = dc.State().font.angle / 10.0 * kPi / 180.0;
    const double raise = static_cast<double>(textHeight / 2);
    const Point at = dc.State().position;
    const Font previous = small ? env.SelectFont(dc, small) : dc.State().font;
    dc.MoveTo({at.x - static_cast<int>(std::lround(raise * std::sin(a))),
               at.y - static_cast<int>(std::lround(raise * std::cos(a)))});
    dc.TextOut({}, suffix->exponent);
    dc.SelectFont(previous);
}

// ---- captions ----

bool CPlotLabelRgn::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

const std::string& CPlotLabelRgn::Text() const { return Caption ? Caption->Text : kNoText; }

std::string CPlotLabelRgn::SubstitutionValue(const CPlotLook& plot) const {
    if (!Caption) return {};
    if (!Caption->Text2.empty()) return Caption->Text2;
    const CPlotVar* var = VariableShowing(plot, Caption);
    return var ? var->SubstValue : std::string();
}

std::string CPlotLabelRgn::ShownText(CPlotLook& plot) const {
    return CutToShownLine(plot.DisplayText(Text(), SubstitutionValue(plot)));
}

bool CPlotLabelRgn::IsVertical(const CPlotLook& plot) const {
    if (Kind == RegionKind::Title || Kind == RegionKind::Corner) return false;
    return (plot.Flipped != 0) == (Kind == RegionKind::XCaption);
}

Color CPlotLabelRgn::TextColor(const CPlotLook& plot) const {
    const CPlotEnv& env = plot.Environment();
    const ControlProperties& props = plot.Props();
    if (props.ClientType == 0) return PaletteRgb(env, ClampColorIndex(ColorIndex));
    const CPlotVar* var = VariableIndex >= 1 ? plot.YVar(VariableIndex - 1) : nullptr;
    if (Kind == RegionKind::YCaption && var && plot.YAxisCount() > 1) return PaletteRgb(env, var->Color);
    return TranslateOleColor(props.ForeColor);
}

Size CPlotLabelRgn::Measure(Surface& dc, CPlotLook& plot) {
    const CPlotAxis* axis = AxisNumber >= 0 ? plot.AxisByNumber(AxisNumber) : nullptr;
    const std::string text = ShownText(plot) + CaptionSuffixText(axis);
    const bool vertical = IsVertical(plot);
    // The extent is measured along the text, so a rotated text's length is its cx.
    const Size along = plot.Environment().MeasureText(dc, FontOf(Fonts, vertical), text);
    if (!vertical) return along;
    const Across across = AcrossText(dc, plot, axis, along.cy);
    return {across.above + across.below, along.cx};
}

CPlotLabelRgn::Across CPlotLabelRgn::AcrossText(Surface& dc, CPlotLook& plot, const CPlotAxis* axis,
                                                int textHeight) const {
    const CPlotEnv& env = plot.Environment();
    const TextMetrics main = DrawnFontMetrics(dc, env, FontOf(Fonts, true));
    Across a{main.ascent, main.descent};
    const auto suffix = axis ? MultiplierSuffixOf(*axis) : std::nullopt;
    if (!suffix || suffix->exponent.empty()) return a;
    // The exponent is raised by half the text height towards the top of the glyphs, which on
    // a caption reading upwards is to the left, and may reach beyond the caption's ascent.
    const CVTGFont* small = FontOf(SecondFonts, true);
    const TextMetrics raised = DrawnFontMetrics(dc, env, small ? small : FontOf(Fonts, true));
    const int raise = textHeight / 2;
    a.above = std::max(a.above, raise + raised.ascent);
    a.below = std::max(a.below, raised.descent - raise);
    return a;
}

void CPlotLabelRgn::Draw(Surface& dc, CPlotLook& plot, int force) {
    CPlotEnv& env = plot.Environment();
    if (Suppressed || !IsBeingDrawn(*this, env, force)) return;
    const vtg::Rect r = env.ToDevice(Rect);
    const bool vertical = IsVertical(plot);
    const CVTGFont* font = FontOf(Fonts, vertical);
    const CPlotAxis* axis = AxisNumber >= 0 ? plot.AxisByNumber(AxisNumber) : nullptr;
    const std::string text = ShownText(plot);
    const Size along = env.MeasureText(dc, font, text + CaptionSuffixText(axis));

    StateGuard restore(dc);
    env.SelectFont(dc, font);
    dc.SetTextColor(TextColor(plot));
    dc.SetBkMode(BkMode::Transparent);
    if (vertical) {
        // The baseline stands as far in from the right edge as the glyphs reach below it, so
        // that the text stays within the width Measure gave.
        const int below = AcrossText(dc, plot, axis, along.cy).below;
        dc.SetTextAlign(TextAlign::Baseline | TextAlign::UpdateCP);
        dc.MoveTo({r.right - below, r.top + along.cx});
    } else {
        dc.SetTextAlign(TextAlign::Bottom | TextAlign::UpdateCP);
        dc.MoveTo({r.left, r.bottom});
    }
    DrawTextWithSuffix(dc, env, text, axis, FontOf(SecondFonts, vertical), along.cy);

    const CPlotVar* var = VariableIndex >= 1 ? plot.YVar(VariableIndex - 1) : nullptr;
    const bool standsForVariable = var && (plot.RunPlot || plot.Parametric || var == VariableShowing(plot, Caption));
    if (Kind != RegionKind::YCaption || !standsForVariable || var->Hidden) return;
    const int gap = env.Units(kSampleGap);
    const int length = env.Units(kSampleLength);
    if (vertical) {
        const int x = r.left + r.Width() / 2;
        const int y = r.top + along.cx + gap;
        DrawVariableSample(dc, plot, *var, {x, y}, {x, y + length});
    } else {
        const int x = r.left + along.cx + gap;
        const int y = r.bottom - along.cy / 2;
        DrawVariableSample(dc, plot, *var, {x, y}, {x + length, y});
    }
}

void CPlotLabelRgn::DrawSelection(Surface& dc, CPlotLook& plot) {
    if (Hidden || Rect.IsEmpty()) return;
    StateGuard restore(dc);
    dc.SelectPen(SelectionPen());
    dc.SelectBrush(SelectionFrameBrush());
    dc.Rectangle(plot.Environment().ToDevice(Rect));
}

bool CPlotLabelRgn::EditProperties(Surface&, CPlotLook& plot) {
    if (!Caption) return false;
    const auto [captionKey, promptKey] = EditKeys(*this, plot);
    Variant edited{std::string()};
    std::vector<Variant> args{Variant(plot.Host().ResourceString(captionKey)),
                              Variant(plot.Host().ResourceString(promptKey)), Variant(Text()), Variant(std::int32_t{0}),
                              Variant(kMaxEditedText), Variant::Ref(edited)};
    std::unique_ptr<IDialogSession> dialog = plot.Host().OpenDialog();
    if (!dialog || !IsAccepted(dialog->Call("ShowTextInputDialog", args))) return false;
    std::string text;
    try {
        text = edited.ToString();
    } catch (...) {
        return false;
    }
    if (auto* corner = dynamic_cast<CPlotCornerRgn*>(this)) {
        // An emptied corner label goes away; this region may be deleted from here on.
        plot.SetLabel(-corner->Number, text);
    } else {
        Caption->Text = text;
        if (plot.LegendRgn && VariableShowing(plot, Caption)) plot.LegendRgn->MarkForLayout();
    }
    plot.LayoutDirty = 1;
    plot.Host().InvalidateControl();
    return true;
}

// ---- triangle sides ----

int CPlotTriLabelRgn::SideFontEntry() const {
    if (TriangleKind == 2) return AxisNumber == 2 ? CPlotFont::kHypotenuse : CPlotFont::kVertical;
    return AxisNumber == 2 ? CPlotFont::kFallingSide : CPlotFont::kRisingSide;
}

void CPlotTriLabelRgn::Draw(Surface& dc, CPlotLook& plot, int force) {
    CPlotEnv& env = plot.Environment();
    if (Suppressed || !Fonts || !IsBeingDrawn(*this, env, force)) return;
    const vtg::Rect r = env.ToDevice(Rect);
    const CVTGFont* font = Fonts->Slanted(SideFontEntry());
    const CPlotAxis* axis = AxisNumber >= 0 ? plot.AxisByNumber(AxisNumber) : nullptr;
    const std::string text = ShownText(plot);
    const Size along = env.MeasureText(dc, font, text + CaptionSuffixText(axis));
    // The text's middle on the rectangle's centre, its baseline through it.
    const double a = font ? font->Angle * kPi / 180.0 : 0.0;
    const double half = along.cx / 2.0;
    const Point start{(r.left + r.right) / 2 - static_cast<int>(std::lround(half * std::cos(a))),
                      (r.top + r.bottom) / 2 + static_cast<int>(std::lround(half * std::sin(a)))};

    StateGuard restore(dc);
    env.SelectFont(dc, font);
    dc.SetTextColor(TextColor(plot));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(TextAlign::Baseline | TextAlign::UpdateCP);
    dc.MoveTo(start);
    const CVTGFont* small = SecondFonts ? SecondFonts->Slanted(SideFontEntry()) : nullptr;
    DrawTextWithSuffix(dc, env, text, axis, small, along.cy);
}

// ---- title and corner labels ----

CPlotTitleRgn::CPlotTitleRgn() : CPlotTitleRgn(RegionKind::Title) {}

CPlotTitleRgn::CPlotTitleRgn(int kind) : CPlotLabelRgn(kind) {
    AxisNumber = -1;
    Caption = &Label;
}

void CPlotTitleRgn::SplitText(CPlotLook& plot) {
    Lines.clear();
    for (std::string_view line : SplitLines(Text(), kMaxShownLines)) {
        Lines.push_back(CutToShownLine(DisplayedText(plot, line)));
    }
    LineCount = static_cast<int>(Lines.size());
}

Size CPlotTitleRgn::Measure(Surface& dc, CPlotLook& plot) {
    SplitText(plot);
    Size total;
    for (std::size_t k = 0; k < Lines.size(); ++k) {
        const Size line = plot.Environment().MeasureText(dc, FontOf(Fonts, false), Lines[k]);
        if (k == 0) FirstLineHeight = line.cy;
        total.cx = std::max(total.cx, line.cx);
        total.cy += line.cy;
    }
    return total;
}

void CPlotTitleRgn::Draw(Surface& dc, CPlotLook& plot, int force) {
    CPlotEnv& env = plot.Environment();
    if (!IsBeingDrawn(*this, env, force)) return;
    const vtg::Rect r = env.ToDevice(Rect);
    const CVTGFont* font = FontOf(Fonts, false);
    // The text may have changed since the layout measured it.
    SplitText(plot);
    FirstLineHeight = env.MeasureText(dc, font, Lines.front()).cy;

    StateGuard restore(dc);
    env.SelectFont(dc, font);
    dc.SetTextColor(TranslateOleColor(plot.Props().ForeColor));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(TextAlign::Bottom | TextAlign::Center);
    const int x = (r.left + r.right) / 2;
    int y = r.bottom - (LineCount - 1) * FirstLineHeight;
    for (const std::string& line : Lines) {
        dc.TextOut({x, y}, line);
        y += FirstLineHeight;
    }
}

CPlotCornerRgn::CPlotCornerRgn(int number) : CPlotTitleRgn(RegionKind::Corner), Number(number) { CornerFlag = 1; }

}  // namespace vtg
