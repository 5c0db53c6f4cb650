// The plot definition script parser: keyword groups, argument conversion and damaged scripts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "persist/PlotScript.h"

namespace vtg {
namespace {

using K = ScriptKeyword;

std::string ReadData(const std::string& name) {
    std::ifstream in(std::string(std::getenv("VORTIGA_TEST_DATA")) + "/plotfiles/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct CallCase {
    const char* line;
    K keyword;
    std::vector<Variant> args;
};

// One row per keyword group: what each line turns into.
TEST(PlotScript, KeywordGroupsConvertArgumentsToTheirParameterTypes) {
    const std::vector<CallCase> cases = {
        // integer properties and flags; keywords ignore case
        {"PlotType: 1", K::PlotType, {std::int16_t{1}}},
        {"usevariable: 7", K::UseVariable, {true}},
        {"RUNPLOT: 0", K::RunPlot, {false}},
        {"phaseplot: -1", K::PhasePlot, {true}},
        {"buffersize: 100000", K::BufferSize, {std::int32_t{100000}}},
        {"nvariables: 12abc", K::NVariables, {std::int16_t{12}}},
        {"npoints: x", K::NPoints, {std::int16_t{0}}},
        {"timestamp: 0", K::TimeStamp, {true}},
        // numbers in single precision
        {"timewindow: 2.5", K::TimeWindow, {2.5f}},
        {"timescrollunit:\t0.5", K::TimeScrollUnit, {0.5f}},
        // texts: between the first quote and the next, or empty without one
        {"title: \"Pump: curve\" tail", K::Title, {std::string("Pump: curve")}},
        {"xlabel: no quotes", K::XLabel, {std::string()}},
        {"ylabel: \"open to the end", K::YLabel, {std::string("open to the end")}},
        // axis methods: numbers truncated where a 16-bit integer is passed
        {"setaxismap: 2.9 -1.5", K::SetAxisMap, {std::int16_t{2}, std::int16_t{-1}}},
        {"setaxisrange: 1 -5 1e3", K::SetAxisRange, {std::int16_t{1}, -5.0, 1000.0}},
        {"setlabel: 1 \"Head\"", K::SetLabel, {std::int16_t{1}, std::string("Head")}},
        {"setlegend: 2,5 \"Model\"", K::SetLegend, {std::int16_t{2}, std::string("Model")}},
        // objects
        {"setxydata: 0 1.5 2.5", K::SetXYData, {std::int16_t{0}, 1.5, 2.5}},
        {"newline: 3 0 2 6 0", K::NewLine, {std::int16_t{3}, std::int16_t{0}, std::int16_t{2}, std::int16_t{6}, std::int16_t{0}}},
        {"newpolygon: 4", K::NewPolygon, {std::int16_t{4}, std::int16_t{0}}},
        {"newtext: \"A b\" 0.25 0.75 1", K::NewText, {std::string("A b"), 0.25, 0.75, std::int16_t{1}}},
        {"settextattribute: 4 1 90 \"Sans\" 12 1", K::SetTextAttribute,
         {std::int16_t{4}, std::int16_t{1}, std::int16_t{90}, std::string("Sans"), std::int16_t{12}, std::int16_t{1}}},
        {"setobject: 1 0", K::SetObject, {std::int16_t{1}, std::int16_t{0}}},
    };
    for (const CallCase& c : cases) {
        SCOPED_TRACE(c.line);
        const ScriptParse p = ParsePlotScript(c.line);
        ASSERT_FALSE(p.error) << p.error->What();
        ASSERT_EQ(p.calls.size(), 1u);
        EXPECT_EQ(p.calls[0].keyword, c.keyword);
        EXPECT_EQ(p.calls[0].args, c.args);
    }
}

// Arguments that do not fit their parameter skip the line instead of wrapping or truncating
// into undefined behaviour; lines that are not commands are ignored.
TEST(PlotScript, LinesThatDoNotFitOrAreNoCommandsAreSkipped) {
    const std::vector<std::pair<const char*, bool>> cases = {
        {"nvariables: 70000", true},         {"npoints: -40000", true},
        {"buffersize: 99999999999", true},   {"setaxismap: 1e12 1", true},
        {"setaxisrange: nan 0 1", true},     {"setxydata: inf 1 2", true},
        {"timewindow: 1e300", true},         {"plottype: 99999999999999999999999", true},
        {"title:", false},                   {"title :\"x\"", false},
        {"no colon here", false},            {"frobnicate: 1", false},
    };
    for (const auto& [line, noted] : cases) {
        SCOPED_TRACE(line);
        // A known line keeps the script recognisable so that the line itself is what is judged.
        const ScriptParse p = ParsePlotScript(std::string("title: \"t\"\n") + line);
        ASSERT_FALSE(p.error);
        EXPECT_EQ(p.calls.size(), 1u);
        EXPECT_EQ(p.skipped.size(), noted ? 1u : 0u);
        if (noted) {
            EXPECT_EQ(p.skipped[0].lineNumber, 2);
        }
    }
}

TEST(PlotScript, HandWrittenScriptReadsEveryCommandLine) {
    const ScriptParse p = ParsePlotScript(ReadData("keywords.ply"));
    ASSERT_FALSE(p.error);
    EXPECT_EQ(p.calls.size(), 18u);
    EXPECT_TRUE(p.skipped.empty());
    EXPECT_EQ(p.calls.back().keyword, K::TimeStamp);
    EXPECT_EQ(p.calls.back().lineNumber, 20);
}

// A long text is one line: a keyword inside it never runs, and CR LF ends lines as LF does.
TEST(PlotScript, LongLinesAndLineEndsStayWhole) {
    const std::string title = std::string(5000, 'x') + " npoints: 30000 " + std::string(300, 'y');
    const ScriptParse p = ParsePlotScript("title: \"" + title + "\"\r\nxlabel: \"X\"\r\n");
    ASSERT_EQ(p.calls.size(), 2u);
    EXPECT_EQ(p.calls[0].args[0].ToString(), title);
    EXPECT_EQ(p.calls[1].args[0].ToString(), "X");

    PlotFileLimits small;
    small.maxLineBytes = 100;
    const ScriptParse refused = ParsePlotScript("title: \"a\"\nxlabel: \"" + std::string(200, 'b') + "\"\n", small);
    ASSERT_TRUE(refused.error);
    EXPECT_EQ(refused.error->lineNumber, 2);
    EXPECT_TRUE(refused.calls.empty());
}

// Texts that are not scripts are refused as a whole, naming the line where that shows.
TEST(PlotScript, FilesOfAnotherKindAreRefused) {
    const std::vector<std::pair<std::string, int>> cases = {
        {std::string("title: \"a\"\nxlabel: \"b") + '\0' + "c\"\n", 2},
        {"title: \"a\"\n\nylabel: \"\xC3\x28\"\n", 3},
        {"title: \"\xED\xA0\x80\"", 1},
        {"", 0},
        {"numpoints:3\nvalues:\n1 2 3\n", 0},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const ScriptParse p = ParsePlotScript(cases[i].first);
        ASSERT_TRUE(p.error);
        EXPECT_EQ(p.error->lineNumber, cases[i].second);
        EXPECT_TRUE(p.calls.empty());
    }
}

// Every prefix of the hand-written script, cut at each line and inside lines, reads without
// failing and gives a prefix of the full script's calls.
TEST(PlotScript, TruncatedScriptsGiveAPrefixOfTheCalls) {
    const std::string text = ReadData("keywords.ply");
    const ScriptParse full = ParsePlotScript(text);
    // Until the first line has its argument the text holds no command and is no script.
    const std::size_t firstCommand = text.find(':') + 3;
    for (std::size_t cut = 1; cut < text.size(); ++cut) {
        const ScriptParse p = ParsePlotScript(std::string_view(text).substr(0, cut));
        ASSERT_EQ(p.error.has_value(), cut < firstCommand) << cut;
        ASSERT_LE(p.calls.size(), full.calls.size());
        for (std::size_t i = 0; i + 1 < p.calls.size(); ++i) {
            EXPECT_EQ(p.calls[i].args, full.calls[i].args) << cut;
        }
    }
}

}  // namespace
}  // namespace vtg
