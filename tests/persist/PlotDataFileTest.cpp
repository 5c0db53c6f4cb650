// The plot data file parser: layouts, header keywords and damaged files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "persist/PlotDataFile.h"

namespace vtg {
namespace {

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(std::getenv("VORTIGA_TEST_DATA")) + "/plotfiles/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<double> Column(const PlotDataFile& f, int variable) {
    std::vector<double> out;
    for (int j = 0; j < f.Points(); ++j) out.push_back(f.Value(variable, j));
    return out;
}

struct LayoutCase {
    const char* file;
    int points, independents, dependents;
    std::vector<std::vector<double>> columns;   // independents first
};

// The layouts: a table across lines, a run plot without one, CR LF lines, flags and
// per-dependent settings.
TEST(PlotDataFile, LayoutsGiveTheirVariablesAndValues) {
    const std::vector<LayoutCase> cases = {
        {"table.dat", 3, 1, 2, {{1, 2, 3}, {10, 20, 30}, {100, 200, 300}}},
        {"runplot.dat", 0, 1, 3, {}},
        {"crlf.dat", 2, 1, 1, {{1, 2}, {3, 4}}},
        {"kinds.dat", 2, 1, 2, {{1, 2}, {5, 6}, {7, 8}}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.file);
        const DataFileParse p = ParsePlotDataFile(ReadData(c.file));
        ASSERT_FALSE(p.error) << p.error->What();
        EXPECT_TRUE(p.skipped.empty());
        EXPECT_EQ(p.file.Points(), c.points);
        EXPECT_EQ(p.file.Independents(), c.independents);
        EXPECT_EQ(p.file.Dependents(), c.dependents);
        for (std::size_t v = 0; v < c.columns.size(); ++v) EXPECT_EQ(Column(p.file, static_cast<int>(v)), c.columns[v]);
    }
}

TEST(PlotDataFile, HeaderFieldsFollowTheCurrentDependentNumber) {
    const PlotDataFile t = ParsePlotDataFile(ReadData("table.dat")).file;
    // The value after the colon is kept as it is, leading blank included.
    EXPECT_EQ(t.title, " Three points");
    EXPECT_EQ(t.indepLabel, "Time (s)");
    EXPECT_EQ(t.depLabels[0], "Flow");
    EXPECT_EQ(t.depLabels[1], "Pressure");
    EXPECT_EQ(t.depHigh[0], 40);
    EXPECT_EQ(t.indepLow, 1);
    EXPECT_EQ(t.indepHigh, 3);

    const PlotDataFile k = ParsePlotDataFile(ReadData("kinds.dat")).file;
    EXPECT_TRUE(k.multiY && k.flipped && k.zeroLine && k.barGraph);
    EXPECT_FALSE(k.runPlot || k.triangular || k.square);
    EXPECT_EQ(k.indepInt, 1);
    EXPECT_EQ(k.depScale[0], 1);
    EXPECT_EQ(k.depInt[0], 1);

    const PlotDataFile r = ParsePlotDataFile(ReadData("runplot.dat")).file;
    EXPECT_TRUE(r.runPlot);
    EXPECT_EQ(r.depLabels[2], "Third");
    EXPECT_FALSE(r.hasTable);

    // CR LF: no CR is left in a text.
    EXPECT_EQ(ParsePlotDataFile(ReadData("crlf.dat")).file.title, "Windows file");
    // Keywords are case-sensitive.
    EXPECT_EQ(ParsePlotDataFile("Title:x\nnumdep:1\n").file.title, "");
}

struct DamageCase {
    std::string text;
    std::vector<double> dependent0;   // the first dependent variable's values
    int dependents;
};

// Damaged content reads to the documented result rather than failing or overrunning.
TEST(PlotDataFile, DamagedContentReadsSoundly) {
    const std::string head = "numpoints:3\nnumindep:1\nnumdep:1\n";
    const double m = PlotDataFile::kMissing;
    const std::vector<DamageCase> cases = {
        // too few numbers: missing; too many: dropped
        {head + "values:\n1 2 3 4\n", {4, m, m}, 1},
        {head + "values:\n1 2 3 4 5 6 7 8 9\n", {4, 5, 6}, 1},
        // garbage tokens read 0 and keep their place; nan and inf are missing values
        {head + "values:\n1 2 3 abc 1,5 -\n", {0, 1, 0}, 1},
        {head + "values:\n1 2 3 nan inf -1e999\n", {m, m, m}, 1},
        // no values line: no table; values lines before it are ignored
        {head + "1 2 3 4 5 6\n", {m, m, m}, 1},
        // a repeated values line starts the table again
        {head + "values:\n9 9 9 9\nvalues:\n1 2 3 4 5 6\n", {4, 5, 6}, 1},
        // counts changed after the values: the table is laid out by the final counts
        {"numpoints:2\nnumindep:1\nnumdep:1\nvalues:\n1 2 3 4\nnumpoints:1\n", {2}, 1},
        // missing or non-positive variable counts mean one variable
        {"numpoints:2\nvalues:\n1 2 3 4\n", {3, 4}, 1},
        {"numpoints:2\nnumindep:-5\nnumdep:0\nvalues:\n1 2 3 4\n", {3, 4}, 1},
        // negative points: none
        {"numpoints:-7\nnumdep:2\nvalues:\n1 2\n", {}, 2},
        // a count that does not fit 32 bits is skipped
        {"numpoints:2\nnumpoints:99999999999\nvalues:\n1 2 3 4\n", {3, 4}, 1},
        // long lines are read whole: a header tail holding a colon sets nothing, and a number
        // across the old 199-character boundary stays one number
        {head + "title:" + std::string(300, 'a') + " numdep:5\nvalues:\n1 2 3\n" + std::string(197, ' ') + "4.5 6 7\n",
         {4.5, 6, 7}, 1},
        // more dependents than the ten header slots: the rest get the defaults
        {"numpoints:1\nnumdep:12\nvalues:\n" + std::string(26, '7'), {m}, 12},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].text);
        const DataFileParse p = ParsePlotDataFile(cases[i].text);
        ASSERT_FALSE(p.error) << p.error->What();
        EXPECT_EQ(p.file.Dependents(), cases[i].dependents);
        EXPECT_EQ(Column(p.file, p.file.Independents()), cases[i].dependent0);
    }
}

TEST(PlotDataFile, TextFieldsAndLegendsStayWithinTheirSlots) {
    std::string text = "numdep:1\ntitle:" + std::string(63, 'a') + "\xC3\xA9zzz\n";
    text += "depvarno:12\ndeplab:lost\ndeplow:5\ndepvarno:-1\ndepscale:3\n";
    for (int i = 0; i < 11; ++i) text += "depleg:legend " + std::to_string(i) + "\n";
    const DataFileParse p = ParsePlotDataFile(text);
    ASSERT_FALSE(p.error);
    // The cut falls before the two-byte character rather than inside it.
    EXPECT_EQ(p.file.title, std::string(63, 'a'));
    EXPECT_EQ(p.file.legendCount, 10);
    EXPECT_EQ(p.file.legends[9], "legend 9");
    for (const auto& label : p.file.depLabels) EXPECT_EQ(label, "");
    for (double low : p.file.depLow) EXPECT_EQ(low, 0);
    for (int scale : p.file.depScale) EXPECT_EQ(scale, 0);
}

// Files the reader refuses as a whole, naming the line where that shows.
TEST(PlotDataFile, FilesThatCannotBeUsedAreRefused) {
    PlotFileLimits small;
    small.maxLineBytes = 64;
    const std::vector<std::tuple<std::string, int, PlotFileLimits>> cases = {
        {"numdep:1\nnumpoints:20000000\nnumindep:2\nvalues:\n", 3, {}},
        {"numdep:32767\nnumpoints:2000\n", 2, {}},
        {std::string("numdep:1\nti\0tle:x\n", 18), 2, {}},
        {"numdep:1\ntitle:\xFF\n", 2, {}},
        {"numdep:1\nvalues:\n" + std::string(100, '1') + "\n", 3, small},
        {"just some words\n1 2 3\n", 0, {}},
        {"", 0, {}},
    };
    for (const auto& [text, line, limits] : cases) {
        SCOPED_TRACE(text.substr(0, 40));
        const DataFileParse p = ParsePlotDataFile(text, limits);
        ASSERT_TRUE(p.error);
        EXPECT_EQ(p.error->lineNumber, line);
        EXPECT_TRUE(p.file.values.empty());
    }
}

// Every prefix of each hand-written file reads without failing; the counts never exceed the
// full file's and the values read agree with it where both have them.
TEST(PlotDataFile, TruncatedFilesReadSoundly) {
    for (const char* name : {"table.dat", "runplot.dat", "crlf.dat", "kinds.dat"}) {
        const std::string text = ReadData(name);
        for (std::size_t cut = 1; cut < text.size(); ++cut) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(cut));
            const DataFileParse p = ParsePlotDataFile(std::string_view(text).substr(0, cut));
            if (p.error) {
                // Only a prefix holding no keyword yet is refused.
                EXPECT_EQ(p.error->lineNumber, 0);
                continue;
            }
            EXPECT_LE(p.file.values.size(), static_cast<std::size_t>(p.file.Points()) *
                                                static_cast<std::size_t>(p.file.Independents() + p.file.Dependents()));
            for (double v : p.file.values) EXPECT_LE(v, PlotDataFile::kMissing);
        }
    }
}

}  // namespace
}  // namespace vtg
