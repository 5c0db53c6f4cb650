#pragma once
// The plot data file: a header of "keyword:value" lines (keywords case-sensitive, the value
// taken unchanged after the colon) that describes the plot kind, the variables, their labels,
// scales and ranges, then a "values" line and a table of blank-separated numbers: every point
// of independent variable 0, then of independent variable 1, ..., then of each dependent
// variable. A run-plot file has no table.
//
// ParsePlotDataFile reads the whole text into a PlotDataFile and checks it; the control builds
// the plot from the result only when the file as a whole is sound. The record keeps the limits
// of the format that files rely on (ten per-dependent entries, text fields cut to 64, 40 and 58
// bytes on a character boundary) and adds the ones a reader needs: counts are bounded, the
// table is sized from the final counts, cells the file does not supply are missing values,
// numbers that do not convert read as 0 and NaN or infinity as a missing value.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "persist/PlotFileText.h"

namespace vtg {

struct PlotDataFile {
    static constexpr int kSlots = 10;                   // per-dependent entries and legends
    static constexpr std::size_t kTitleBytes = 64;
    static constexpr std::size_t kLabelBytes = 40;
    static constexpr std::size_t kLegendBytes = 58;
    static constexpr int kMaxVariables = 32767;         // independent or dependent
    // A table beyond this many cells would not fit the plot's value budget.
    static constexpr std::uint64_t kMaxCells = std::uint64_t{1} << 25;
    static constexpr double kMissing = 1e28;

    std::string title;
    std::string indepLabel;
    std::array<std::string, kSlots> depLabels{};
    std::array<std::string, kSlots> legends{};
    int legendCount = 0;
    // As read; see Points, Independents and Dependents for the values the plot is built with.
    std::int64_t numPoints = 0;
    std::int64_t numIndep = 0;
    std::int64_t numDep = 0;
    int indepScale = 0;
    int indepInt = 0;
    std::array<int, kSlots> depScale{};
    std::array<int, kSlots> depInt{};
    bool multiY = false;
    double indepLow = 0;
    double indepHigh = 0;
    std::array<double, kSlots> depLow{};
    std::array<double, kSlots> depHigh{};
    bool runPlot = false;
    bool flipped = false;
    bool parametric = false;
    bool triangular = false;
    bool barGraph = false;
    bool square = false;
    bool diagonal = false;
    bool zeroLine = false;
    // The numbers after the last "values" line, in file order (none on a run plot).
    bool hasTable = false;
    std::vector<double> values;

    // Negative reads as no points; 0 or fewer variables as one, as a variable count of 0 does.
    int Points() const;
    int Independents() const;
    int Dependents() const;
    // Table cell of a variable (independents first) at a point; missing when not supplied.
    double Value(int variable, int point) const;
};

struct DataFileParse {
    PlotDataFile file;
    std::vector<PlotFileProblem> skipped;   // header lines whose value does not fit its field
    std::optional<PlotFileProblem> error;   // set: the file is refused
};

// Never throws for any content (beyond running out of memory); the entry a fuzzer calls.
// Memory stays proportional to the text, whatever counts the header claims.
DataFileParse ParsePlotDataFile(std::string_view text, const PlotFileLimits& limits = {});

}  // namespace vtg
