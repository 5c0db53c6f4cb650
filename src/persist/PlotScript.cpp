// The plot definition script: keywords, argument layouts and the line parser.
#include "persist/PlotScript.h"

#include <array>
#include <cmath>
#include <limits>

namespace vtg {

namespace {

struct KeywordInfo {
    std::string_view name;
    // One letter per argument: 'i' an integer read as a 16-bit value, 'b' an integer read as a
    // flag, 'l' an integer read as a 32-bit value, 's' a number truncated to a 16-bit value,
    // 'f' a number in single precision, 'd' a number, 't' a text.
    std::string_view layout;
    ScriptTarget target;
};

// In ScriptKeyword order.
constexpr std::array<KeywordInfo, 23> kKeywords{{
    {"plottype", "i", {"PlotType", true}},
    {"usevariable", "b", {"UseVariable", true}},
    {"runplot", "b", {"RunPlot", true}},
    {"phaseplot", "b", {"SetPhasePlot"}},
    {"timewindow", "f", {"TimeWindow", true}},
    {"timescrollunit", "f", {"TimeScrollUnit", true}},
    {"buffersize", "l", {"BufferSize", true}},
    {"timestamp", "", {"AddTimeStamp", true}},
    {"title", "t", {"Title", true}},
    {"xlabel", "t", {"xlabel", true}},
    {"ylabel", "t", {"ylabel", true}},
    {"nvariables", "i", {"nvariables", true}},
    {"npoints", "i", {"npoints", true}},
    {"setaxismap", "ss", {"SetAxisMap"}},
    {"setaxisrange", "sdd", {"SetAxisRange"}},
    {"setlabel", "st", {"SetLabel"}},
    {"setlegend", "st", {"SetLegend"}},
    {"setxydata", "sdd", {"SetXYData", false, true}},
    {"newline", "sssss", {"NewLine", false, false, true}},
    {"newpolygon", "ss", {"NewPolygon", false, false, true}},
    {"newtext", "tddi", {"NewText", false, false, true}},
    {"settextattribute", "ssstss", {"SetTextAttribute", false, true}},
    {"setobject", "ss", {"SetObject", false, true}},
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if ((x >= 'A' && x <= 'Z' ? x + 32 : x) != y) return false;
    }
    return true;
}

template <class T>
bool Fits(double v) {
    return std::isfinite(v) && v > static_cast<double>(std::numeric_limits<T>::min()) - 1 &&
           v < static_cast<double>(std::numeric_limits<T>::max()) + 1;
}

// Reads the arguments of one line left to right; the first that does not fit its parameter
// names the reason.
class ArgumentReader {
public:
    explicit ArgumentReader(std::string_view rest) : rest_(rest) {}

    std::optional<std::string> Read(char kind, std::vector<Variant>& out) {
        switch (kind) {
            case 'i': return Integer<std::int16_t>(out, "a 16-bit integer");
            case 'l': return Integer<std::int32_t>(out, "a 32-bit integer");
            case 'b': {
                const auto v = ScanInteger(rest_);
                rest_ = {};
                if (!v) return "the integer does not fit";
                out.emplace_back(*v != 0);
                return std::nullopt;
            }
            case 's': {
                const double v = std::trunc(Number());
                if (!Fits<std::int16_t>(v)) return "the number does not fit a 16-bit integer";
                out.emplace_back(static_cast<std::int16_t>(v));
                return std::nullopt;
            }
            case 'f': {
                const double v = Number();
                if (std::isfinite(v) && std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
                    return "the number does not fit single precision";
                }
                out.emplace_back(static_cast<float>(v));
                return std::nullopt;
            }
            case 'd': out.emplace_back(Number()); return std::nullopt;
            default: out.emplace_back(Text()); return std::nullopt;
        }
    }

private:
    template <class T>
    std::optional<std::string> Integer(std::vector<Variant>& out, const char* what) {
        const auto v = ScanInteger(rest_);
        rest_ = {};
        if (!v || *v < std::numeric_limits<T>::min() || *v > std::numeric_limits<T>::max()) {
            return std::string("the integer does not fit ") + what;
        }
        out.emplace_back(static_cast<T>(*v));
        return std::nullopt;
    }

    double Number() {
        std::size_t used = 0;
        const double v = ScanNumber(rest_, used);
        rest_.remove_prefix(used);
        return v;
    }

    std::string Text() {
        const std::size_t open = rest_.find('"');
        if (open == std::string_view::npos) return {};
        const std::size_t close = rest_.find('"', open + 1);
        const std::size_t end = close == std::string_view::npos ? rest_.size() : close;
        std::string text(rest_.substr(open + 1, end - open - 1));
        rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
        return text;
    }

    std::string_view rest_;
};

void ParseLine(std::string_view line, int number, ScriptParse& out) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const auto keyword = FindScriptKeyword(line.substr(0, colon));
    const std::string_view args = SkipBlanks(line.substr(colon + 1));
    if (!keyword || args.empty()) return;
    ScriptCall call{number, *keyword, {}};
    const KeywordInfo& info = kKeywords[static_cast<std::size_t>(*keyword)];
    if (*keyword == ScriptKeyword::TimeStamp) call.args.emplace_back(true);
    ArgumentReader reader(args);
    for (const char kind : info.layout) {
        if (auto problem = reader.Read(kind, call.args)) {
            out.skipped.push_back({number, std::string(info.name) + ": " + *problem});
            return;
        }
    }
    out.calls.push_back(std::move(call));
}

}  // namespace

ScriptTarget TargetOf(ScriptKeyword keyword) { return kKeywords[static_cast<std::size_t>(keyword)].target; }

std::optional<ScriptKeyword> FindScriptKeyword(std::string_view name) {
    for (std::size_t i = 0; i < kKeywords.size(); ++i) {
        if (EqualNoCase(name, kKeywords[i].name)) return static_cast<ScriptKeyword>(i);
    }
    return std::nullopt;
}

ScriptParse ParsePlotScript(std::string_view text, const PlotFileLimits& limits) {
    ScriptParse out;
    if (auto problem = CheckPlotText(text, limits)) {
        out.error = std::move(problem);
        return out;
    }
    PlotFileLines lines(text);
    std::string_view line;
    bool recognised = false;
    while (lines.Next(line)) {
        const std::size_t before = out.calls.size() + out.skipped.size();
        ParseLine(line, lines.LineNumber(), out);
        recognised = recognised || out.calls.size() + out.skipped.size() != before;
    }
    if (!recognised) {
        out.calls.clear();
        out.error = PlotFileProblem{0, "no line holds a plot script keyword: not a plot script"};
    }
    return out;
}

}  // namespace vtg
