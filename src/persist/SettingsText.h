#pragma once
// The settings text: a plot's presentation as "Key:value" lines, each ended by one line feed,
// that a host keeps in its own documents and hands back. The writer produces the lines in a
// fixed order; the reader is tolerant (unknown keys and lines without a colon are skipped,
// keys that are missing leave things as they are) because the text is also written by hand
// and by other tools.
//
// Reading is two steps. CheckSettings goes over the whole text and finds what makes a text
// unusable as a whole (NUL bytes, bytes that are not UTF-8, overlong lines, more annotations
// or symbols than a plot keeps); it touches nothing, so a refused text changes nothing. The
// control then applies the lines in order as ReadSettingsLines parses them, skipping a line whose values are unsound on
// their own (an index out of range, a number that is not finite).
//
// Numbers are written in the layout's own form ("%d", "%g", "%f" of the C library in the C
// locale) when that text reads back to the same value in the field's own type; otherwise in
// the shortest form that does, so that epoch-second ranges and tiny anchors survive.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vtg {

class CPlotLook;
struct ControlProperties;

// Every key the reader knows, in the order the reader tries them.
enum class SettingsKey : std::uint8_t {
    Title, ShowTitle, Xlab, Ylab, Nvars, Type, MultiY, NYaxes, RunPlot, PhasePlot, PhaseX, UseVar,
    IgnoreLegend, SizeToData, CommunicationIntervals, TimeWin, TimeScroll, AlwaysShow, Subst, Var,
    AxisMap, Label, XLabel, XLabelColor, XAxisColor, LabelColor, AxisColor, Legend, SubstValue, Axis,
    Range, AxisRange, AxisInterval, AxisFlag, ARange, ARange2, ARange3, AxisResetRange, AxisScale,
    Multiplier, MultiplierType, Attrib, Attrib2, Font, Grid, Line, Square, Marker, LegendBox,
    LegendBox2, Annotation, AnnoPosition, AnnoPos2, AnnoPosX, AnnoPosY, AnnoAttrib, AnnoAttrib2,
    AnnoFont, SymbolName, SymbolValue, Hidden,
};

std::string_view SettingsKeyName(SettingsKey key);
// The key of that exact (case-sensitive) name; nullopt for a key the reader does not know.
std::optional<SettingsKey> FindSettingsKey(std::string_view name);

// One line the reader recognised, with its values parsed by the key's layout.
struct SettingsLine {
    static constexpr std::size_t kMaxFields = 7;
    // Where an AnnoPosX/AnnoPosY value of "+++" or "---" stands for the largest single-precision
    // value or its negative.
    enum class Bound : std::uint8_t { None, Plus, Minus };

    SettingsKey key = SettingsKey::Title;
    int lineNumber = 0;                 // 1-based
    std::string text;                   // text values; the face name of Font and AnnoFont
    bool hasFace = false;               // Font, AnnoFont: a second colon follows the numbers
    Bound bound = Bound::None;
    // Leading fields that parsed, in the key's layout (a lenient single integer counts as one
    // field even when it did not parse: it then reads 0).
    int count = 0;
    // Integer fields saturate at the 64-bit limits; the reader checks each against its target.
    std::array<std::int64_t, kMaxFields> ints{};
    std::array<double, kMaxFields> reals{};
    bool Finite() const;                // every parsed real field is a finite number
};

struct SettingsError {
    int lineNumber = 0;                 // 0: the text as a whole
    std::string key;
    std::string message;
    std::string What() const;
};

// What the reader takes in one text: beyond these a text is refused rather than half-applied.
struct SettingsLimits {
    static constexpr std::size_t kMaxTextBytes = std::size_t{64} << 20;
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
    static constexpr std::size_t kMaxAnnotations = 32767;
    static constexpr std::size_t kMaxSymbols = 65535;
};

struct SettingsParse {
    std::vector<SettingsLine> lines;
    std::optional<SettingsError> error;  // set: the text is refused and lines is empty
};

// Checks a whole text without keeping its lines: nullopt when it can be read.
std::optional<SettingsError> CheckSettings(std::string_view text);
// Parses the lines of a checked text one at a time, in order, handing each recognised line to
// apply: memory stays that of one line however long the text is.
void ReadSettingsLines(std::string_view text, const std::function<void(const SettingsLine&)>& apply);
// Both at once, keeping every line; never throws for any content. The entry a fuzzer calls.
SettingsParse ParseSettings(std::string_view text);

// ---- numbers as the text writes them ----
// "%d".
std::string SettingsInt(std::int64_t v);
// "%g" when that reads back as v, else the shortest text that does.
std::string SettingsDouble(double v);
// "%g" of the widened value when that reads back as v in single precision, else the shortest.
std::string SettingsFloatG(float v);
// "%f" when that reads back as v in single precision, else the shortest.
std::string SettingsFloatF(float v);

// ---- the writer ----
// What the text carries of the control beyond its ControlProperties.
struct SettingsControlState {
    const ControlProperties& props;
    bool phasePlot = false;
    std::string phaseXVariable;
};

// The whole text for the plot and its control; changes nothing. Text values that hold a line
// break are written with it turned into a blank so that the line structure survives.
std::string WriteSettings(const CPlotLook& plot, const SettingsControlState& control);

}  // namespace vtg
