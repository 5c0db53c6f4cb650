// The plot data file: the header keywords, the value table and the checks on the whole file.
#include "persist/PlotDataFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vtg {

namespace {

constexpr std::int64_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kIntMax = std::numeric_limits<std::int32_t>::max();

class DataFileReader {
public:
    explicit DataFileReader(DataFileParse& out) : out_(out), f_(out.file) {}

    void Line(std::string_view line, int number) {
        number_ = number;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            if (f_.hasTable) Values(line);
            return;
        }
        const std::string_view key = line.substr(0, colon);
        const std::string_view value = line.substr(colon + 1);
        if (Flag(key) || Count(key, value) || Integer(key, value) || Real(key, value) || Text(key, value)) {
            recognised_ = true;
        } else if (key == "tieline") {
            recognised_ = true;
        } else if (key == "values") {
            recognised_ = true;
            f_.hasTable = !f_.runPlot;
            f_.values.clear();
        }
    }

    bool Recognised() const { return recognised_; }
    int CountLine() const { return countLine_; }

private:
    bool Flag(std::string_view key) {
        bool* flag = key == "multi-y"      ? &f_.multiY
                     : key == "runplot"    ? &f_.runPlot
                     : key == "flipped"    ? &f_.flipped
                     : key == "parametric" ? &f_.parametric
                     : key == "triangular" ? &f_.triangular
                     : key == "bargraph"   ? &f_.barGraph
                     : key == "square"     ? &f_.square
                     : key == "diagonal"   ? &f_.diagonal
                     : key == "zeroline"   ? &f_.zeroLine
                                           : nullptr;
        if (!flag) return false;
        *flag = true;
        return true;
    }

    // A 32-bit integer value, or nullopt (noted) when it does not fit.
    std::optional<int> Int(std::string_view key, std::string_view value) {
        const auto v = ScanInteger(value);
        if (v && *v >= kIntMin && *v <= kIntMax) return static_cast<int>(*v);
        Skip(key, "the integer does not fit 32 bits");
        return std::nullopt;
    }

    bool Count(std::string_view key, std::string_view value) {
        std::int64_t* field = key == "numpoints" ? &f_.numPoints
                              : key == "numindep" ? &f_.numIndep
                              : key == "numdep"   ? &f_.numDep
                                                  : nullptr;
        if (!field) return false;
        if (const auto v = Int(key, value)) {
            *field = *v;
            countLine_ = number_;
        }
        return true;
    }

    bool Integer(std::string_view key, std::string_view value) {
        if (key == "depvarno") {
            if (const auto v = Int(key, value)) d_ = *v;
            return true;
        }
        int* field = key == "indepscale" ? &f_.indepScale
                     : key == "indepint" ? &f_.indepInt
                     : key == "depscale" ? Slot(f_.depScale)
                     : key == "depint"   ? Slot(f_.depInt)
                                         : nullptr;
        if (!field && key != "depscale" && key != "depint") return false;
        const auto v = Int(key, value);
        if (field && v) *field = *v;
        return true;
    }

    bool Real(std::string_view key, std::string_view value) {
        double* field = key == "indeplow"    ? &f_.indepLow
                        : key == "indephigh" ? &f_.indepHigh
                        : key == "deplow"    ? Slot(f_.depLow)
                        : key == "dephigh"   ? Slot(f_.depHigh)
                                             : nullptr;
        if (!field && key != "deplow" && key != "dephigh") return false;
        std::size_t used = 0;
        const double v = ScanNumber(value, used);
        if (!std::isfinite(v)) {
            Skip(key, "the number is not finite");
        } else if (field) {
            *field = v;
        }
        return true;
    }

    bool Text(std::string_view key, std::string_view value) {
        if (key == "title") {
            f_.title = CutToCharacters(value, PlotDataFile::kTitleBytes);
        } else if (key == "indeplab") {
            f_.indepLabel = CutToCharacters(value, PlotDataFile::kLabelBytes);
        } else if (key == "deplab") {
            if (std::string* label = Slot(f_.depLabels)) *label = CutToCharacters(value, PlotDataFile::kLabelBytes);
        } else if (key == "depleg") {
            // Legends beyond the ten slots are dropped: the format has no place for them.
            if (f_.legendCount < PlotDataFile::kSlots) {
                f_.legends[static_cast<std::size_t>(f_.legendCount++)] =
                    CutToCharacters(value, PlotDataFile::kLegendBytes);
            }
        } else {
            return false;
        }
        return true;
    }

    void Values(std::string_view line) {
        std::size_t used = 0;
        for (std::string_view rest = SkipBlanks(line); !rest.empty(); rest = SkipBlanks(rest.substr(used))) {
            const double v = ScanNumber(rest, used);
            // Numbers beyond the largest table the plot could take are dropped unread.
            if (f_.values.size() >= PlotDataFile::kMaxCells) return;
            f_.values.push_back(std::isfinite(v) ? v : PlotDataFile::kMissing);
        }
    }

    // The element of the current dependent number, null when it is outside the ten.
    template <class A>
    typename A::value_type* Slot(A& array) {
        return d_ >= 0 && d_ < PlotDataFile::kSlots ? &array[static_cast<std::size_t>(d_)] : nullptr;
    }

    void Skip(std::string_view key, const char* why) {
        out_.skipped.push_back({number_, std::string(key) + ": " + why});
    }

    DataFileParse& out_;
    PlotDataFile& f_;
    int number_ = 0;
    int d_ = 0;
    int countLine_ = 0;
    bool recognised_ = false;
};

}  // namespace

int PlotDataFile::Points() const { return static_cast<int>(std::clamp<std::int64_t>(numPoints, 0, kIntMax)); }

int PlotDataFile::Independents() const {
    return static_cast<int>(std::clamp<std::int64_t>(numIndep, 1, kMaxVariables));
}

int PlotDataFile::Dependents() const { return static_cast<int>(std::clamp<std::int64_t>(numDep, 1, kMaxVariables)); }

double PlotDataFile::Value(int variable, int point) const {
    if (!hasTable || variable < 0 || point < 0 || point >= Points()) return kMissing;
    const auto at = static_cast<std::uint64_t>(variable) * static_cast<std::uint64_t>(Points()) +
                    static_cast<std::uint64_t>(point);
    return at < values.size() ? values[static_cast<std::size_t>(at)] : kMissing;
}

DataFileParse ParsePlotDataFile(std::string_view text, const PlotFileLimits& limits) {
    DataFileParse out;
    if (auto problem = CheckPlotText(text, limits)) {
        out.error = std::move(problem);
        return out;
    }
    DataFileReader reader(out);
    PlotFileLines lines(text);
    std::string_view line;
    while (lines.Next(line)) reader.Line(line, lines.LineNumber());
    PlotDataFile& f = out.file;
    if (!reader.Recognised()) {
        out.error = PlotFileProblem{0, "no line holds a plot data file keyword: not a plot data file"};
    } else if (!f.runPlot) {
        const std::uint64_t cells = static_cast<std::uint64_t>(f.Points()) *
                                    static_cast<std::uint64_t>(f.Independents() + f.Dependents());
        if (cells > PlotDataFile::kMaxCells) {
            out.error = PlotFileProblem{reader.CountLine(), "the counts ask for " + std::to_string(cells) +
                                                                " values, more than a plot holds (" +
                                                                std::to_string(PlotDataFile::kMaxCells) + ")"};
        }
    }
    if (out.error) {
        out.file = PlotDataFile{};
        return out;
    }
    // Numbers beyond the table are dropped.
    if (f.hasTable) {
        const std::uint64_t cells = static_cast<std::uint64_t>(f.Points()) *
                                    static_cast<std::uint64_t>(f.Independents() + f.Dependents());
        if (f.values.size() > cells) f.values.resize(static_cast<std::size_t>(cells));
    }
    return out;
}

}  // namespace vtg
