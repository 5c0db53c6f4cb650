// The interpreter against a stand-in dispatch object: statements, the outputs the shell
// supplies, the commands, and how failing lines are reported.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>
#include <system_error>

#include "Shell.h"
#include "platform/Automation.h"

namespace vtg::shell {
namespace {

using I16 = std::int16_t;

// A plot-like object with one member of each shape the shell must handle.
class FakePlot : public DispatchImpl<FakePlot> {
public:
    static const MemberTable<FakePlot>& Members() {
        static const MemberTable<FakePlot> table = [] {
            MemberTable<FakePlot> m;
            m.Method("Redraw", 100, &FakePlot::Redraw);
            m.Method("SetData", 110, &FakePlot::SetData, {"VarNo", "DataNo", "Value"});
            m.Method("AddTimeData", 104, &FakePlot::AddTimeData, {"VarNo", "Time", "Value"});
            m.Method("SetLegend", 106, &FakePlot::SetLegend, {"VarNo", "Legend"});
            m.Method("GetRange", 114, &FakePlot::GetRange, {"VarNo", "LowValue", "HighValue"});
            m.Method("GetFont", 117, &FakePlot::GetFont, {"FontID", "size", "attrib"});
            m.Method("GetData", 144, &FakePlot::GetData, {"VarNo", "DataNo", "Value"});
            m.Method("GetLabel", 115, &FakePlot::GetLabel, {"AxisNo"});
            m.Property("Title", 1, &FakePlot::title);
            m.Property("TimeWindow", 7, &FakePlot::timeWindow);
            m.Property("RunPlot", 5, &FakePlot::runPlot);
            m.Property("npoints", 10, &FakePlot::GetNpoints, &FakePlot::SetNpoints);
            m.Property("nvariables", 11, &FakePlot::nvariables);
            m.Property("ShowLegend", 27, &FakePlot::showLegend);
            m.ReadOnlyProperty("Version", 43, &FakePlot::version);
            return m;
        }();
        return table;
    }

    void Redraw() { ++redraws; }
    void SetData(I16 var, I16 point, double value) {
        if (var > nvariables) throw AutomationError::InvalidArg("SetData: no variable " + std::to_string(var));
        data.push_back({var, point, value});
    }
    void SetLegend(I16 var, const std::string& legend) { legends.emplace_back(var, legend); }
    void AddTimeData(I16 var, double time, double value) { samples.push_back({var, time, value}); }
    void GetRange(I16 var, double& low, double& high) {
        low = var * 0.1;
        high = 1e28;
    }
    std::string GetFont(I16 id, I16& size, I16& attrib) {
        size = static_cast<I16>(8 + id);
        attrib = -1;
        return "Tahoma";
    }
    bool GetData(I16, I16 point, double& value) {
        value = 0.5;
        return point < 3;
    }
    std::string GetLabel(I16 axis) { return "axis \"" + std::to_string(axis) + "\""; }
    I16 GetNpoints() const { return npoints; }
    // Stands for the plot's limit on values over all its variables, at a size a test can reach.
    void SetNpoints(I16 n) {
        if ((nvariables + 1) * n > kMaxValues) throw AutomationError::InvalidArg("npoints: too many values");
        npoints = n;
    }
    static constexpr int kMaxValues = 1000;

    struct Point {
        I16 var, point;
        double value;
        friend bool operator==(const Point&, const Point&) = default;
    };
    struct Sample {
        I16 var;
        double time, value;
        friend bool operator==(const Sample&, const Sample&) = default;
    };
    std::string title = "Plot";
    float timeWindow = 1.0f;
    bool runPlot = false;
    I16 npoints = 0;
    I16 nvariables = 1;
    bool showLegend = false;
    std::int32_t version = 7;
    int redraws = 0;
    std::vector<Point> data;
    std::vector<Sample> samples;
    std::vector<std::pair<I16, std::string>> legends;
};

struct FakeHost : ShellHost {
    void Resize(int w, int h) override { sizes.push_back({w, h}); }
    void Render(const std::string& path, std::optional<Size> size) override {
        if (path.ends_with(".bmp")) throw std::runtime_error("cannot write " + path);
        renders.emplace_back(path, size);
    }
    std::vector<Size> sizes;
    std::vector<std::pair<std::string, std::optional<Size>>> renders;
};

struct ShellTest : testing::Test {
    FakePlot plot;
    FakeHost host;
    std::ostringstream out, err;
    Shell shell{plot, out, err, &host};

    // Runs a script; returns its exit status.
    int Run(const std::string& script) {
        std::istringstream in(script);
        return shell.Run(in);
    }
};

TEST_F(ShellTest, PropertiesRoundTripInTheirOwnTypes) {
    EXPECT_EQ(Run("Title = \"Reactor \\\"R1\\\"\"\n"
                  "title\n"
                  "TimeWindow = 0.2\n"
                  "TimeWindow\n"
                  "nvariables = 3\n"
                  "NVARIABLES\n"
                  "ShowLegend = TRUE\n"
                  "ShowLegend\n"
                  "Version\n"),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "\"Reactor \\\"R1\\\"\"\n0.2\n3\nTRUE\n7\n");
    EXPECT_EQ(plot.title, "Reactor \"R1\"");
    EXPECT_EQ(plot.timeWindow, 0.2f);
    EXPECT_TRUE(err.str().empty());
}

TEST_F(ShellTest, OutputsAreSuppliedByTheShellAndPrintedAfterTheResult) {
    const struct {
        const char* line;
        const char* printed;
    } rows[] = {
        {"GetRange(2)", " LowValue=0.2 HighValue=1e+28\n"},
        {"GetFont(3)", "\"Tahoma\" size=11 attrib=-1\n"},
        {"GetData(1, 5)", "FALSE Value=0.5\n"},
        {"GetLabel(4)", "\"axis \\\"4\\\"\"\n"},
        {"SetData(1, 0, -2.5)", ""},
        {"Redraw()", ""},
        {"redraw ( )", ""},
    };
    for (const auto& row : rows) {
        out.str("");
        EXPECT_TRUE(shell.Execute(row.line)) << row.line << ": " << err.str();
        EXPECT_EQ(out.str(), row.printed) << row.line;
    }
    EXPECT_EQ(plot.data, (std::vector<FakePlot::Point>{{1, 0, -2.5}}));
    EXPECT_EQ(plot.redraws, 2);
}

TEST_F(ShellTest, CommentsAndBlankLinesCountButDoNothing) {
    EXPECT_EQ(Run("# a comment\n\n   \t\n  # indented comment\nTitle = \"x\"\n\r\nBogus\n"), 1);
    EXPECT_EQ(plot.title, "x");
    EXPECT_EQ(out.str(), "");
    // The failing line is the seventh, comments and blank lines included.
    EXPECT_EQ(err.str(), "error: line 7: unknown member name 'Bogus'\n");
}

TEST_F(ShellTest, FailingLinesAreReportedAndTheScriptGoesOn) {
    const struct {
        const char* line;
        const char* message;
    } rows[] = {
        {"GetRange(1, 2, 3)", "GetRange(VarNo) takes 1 argument, got 3"},
        {"SetData(1, 2)", "takes 3 arguments, got 2"},
        {"Redraw", "Redraw is a method: call it as Redraw()"},
        {"SetData(5, 0, 1)", "SetData: no variable 5"},
        {"SetData(1, 0, \"abc\")", "SetData: parameter Value (3): cannot convert text \"abc\""},
        {"SetData(1, 70000, 1)", "out of range for I2"},
        {"Version = 3", "Version"},
        {"Title = ", "expected a value"},
        {"Title = \"a\" \"b\"", "unexpected '\"b\"'"},
        {"GetRange(1", "expected ')'"},
        {"GetRange(1,)", "expected a value"},
        {"3 = 4", "expected a name"},
        {":nosuch", "unknown command :nosuch"},
        {":events maybe", ":events takes on or off"},
        {":size 0 600", "the width 0 is outside 1..8192"},
        {":size 800", "expected a number"},
        {":size 800.5 600", "must be a whole number"},
        {":render out.bmp", "cannot write"},
        {":data 1 2 x", "column 11: expected a number, not 'x'"},
        {"  SetData(1, 2 3)", "column 16: expected ')'"},
        // Values SetData would drop without a word.
        {":data 2 1 2", ":data: there is no variable 2 (nvariables is 1)"},
        {":data -1 1", "there is no variable -1"},
        {":stream live.csv", ":stream plays into a live run plot, and this is none"},
        // The system would take the name cut at the NUL.
        {":render \"plot\\x00.png\"", "the file name \"plot\\x00.png\" has a NUL byte in it"},
        {":csv \"\\x00\"", "the file name \"\\x00\" has a NUL byte in it"},
    };
    for (const auto& row : rows) {
        err.str("");
        EXPECT_FALSE(shell.Execute(row.line)) << row.line;
        EXPECT_NE(err.str().find(row.message), std::string::npos) << row.line << " -> " << err.str();
        EXPECT_EQ(err.str().rfind("error: line ", 0), 0u) << err.str();
    }
    EXPECT_TRUE(shell.Execute("Title = \"still working\""));
    EXPECT_EQ(plot.title, "still working");
    EXPECT_TRUE(shell.AnyFailed());
    EXPECT_TRUE(plot.data.empty());
    EXPECT_TRUE(host.renders.empty());
    EXPECT_EQ(plot.nvariables, 1);
}

// Gives its text, then fails the next read as a device would.
class FailingInput : public std::streambuf {
public:
    explicit FailingInput(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::system_error(EIO, std::generic_category(), "read"); }

private:
    std::string text_;
};

// Takes nothing, as a full disk does.
class FullDevice : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(ShellRunTest, InputThatCannotBeReadAndOutputThatCannotBeWrittenFailTheRun) {
    const std::size_t limit = Shell::kMaxLineBytes;
    const struct {
        const char* what;
        std::string script;
        bool readFails, writeFails;
        int status;
        std::string errors;
        const char* title;
    } rows[] = {
        {"a read error", "Title = \"read\"\n", true, false, 1,
         "error: line 2: cannot read the script: Input/output error\n", "read"},
        {"a line past the limit", "Title = \"a\"\n" + std::string(limit + 1, '#') + "\nTitle = \"b\"\n", false, false,
         1, "error: line 2: longer than 1048576 bytes, so not a script line; the shell stops here\n", "a"},
        {"no line break at all", std::string(2 * limit, 'x'), false, false, 1,
         "error: line 1: longer than 1048576 bytes, so not a script line; the shell stops here\n", "Plot"},
        {"a line at the limit", std::string(limit, '#') + "\nTitle = \"c\"", false, false, 0, "", "c"},
        // Reported once, and the script still runs to its end.
        {"lost output", "Title\nTitle = \"d\"\nTitle\n", false, true, 1,
         "error: line 1: the output could not be written\n", "d"},
    };
    for (const auto& row : rows) {
        FakePlot plot;
        FailingInput failing(row.script);
        std::istringstream text(row.script);
        std::istream in(row.readFails ? static_cast<std::streambuf*>(&failing) : text.rdbuf());
        FullDevice full;
        std::ostringstream written, err;
        std::ostream out(row.writeFails ? static_cast<std::streambuf*>(&full) : written.rdbuf());
        Shell shell(plot, out, err);
        EXPECT_EQ(shell.Run(in), row.status) << row.what;
        EXPECT_EQ(err.str(), row.errors) << row.what;
        EXPECT_EQ(plot.title, row.title) << row.what;
    }
}

TEST_F(ShellTest, MessagesAndEchoesShowControlTextEscaped) {
    const struct {
        const char* line;
        bool isError;
        const char* printed;
    } rows[] = {
        {":data 1 \x1b[2J", true, "column 9: expected a number, not '\\x1B[2J'"},
        // A name cannot forge a line of its own.
        {":csv \"a\\nerror: line 9: forged\"", true, "cannot read a\\nerror: line 9: forged: no such file"},
        {"SetData(1, 0, \"\\x1B]0;t\\x07\")", true,
         "SetData: parameter Value (3): cannot convert text \"\\x1B]0;t\\x07\" to R8"},
        {":echo \x1b]0;owned\x07 done", false, "\\x1B]0;owned\\x07 done"},
        // Printable UTF-8 stays; C1 controls, bidirectional overrides and broken UTF-8 do not.
        {":echo caf\xC3\xA9 \xE2\x80\xAEtxt \xC2\x9B \xFF\xC3", false,
         "caf\xC3\xA9 \\xE2\\x80\\xAEtxt \\xC2\\x9B \\xFF\\xC3"},
    };
    int line = 0;
    for (const auto& row : rows) {
        ++line;
        out.str("");
        err.str("");
        EXPECT_EQ(shell.Execute(row.line), !row.isError) << row.line;
        const std::string printed = row.printed + std::string("\n");
        if (row.isError) {
            EXPECT_EQ(err.str(), "error: line " + std::to_string(line) + ": " + printed) << row.line;
        } else {
            EXPECT_EQ(out.str(), printed) << row.line;
        }
    }
}

TEST_F(ShellTest, AFailedCsvLeavesTheCountsAsTheyWere) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path base = dir.path().toStdString();
    // 41 columns of 30 rows: more values than the plot takes (it refuses npoints).
    std::string table = "t";
    for (int v = 1; v <= 40; ++v) table += ",v" + std::to_string(v);
    table += "\n";
    for (int r = 0; r < 30; ++r) table += std::to_string(r) + std::string(40, ',') + "\n";
    std::ofstream(base / "big.csv") << table;
    shell.SetBaseDir(base);
    plot.nvariables = 2;
    plot.npoints = 3;
    EXPECT_FALSE(shell.Execute(":csv big.csv"));
    EXPECT_NE(err.str().find("npoints: too many values"), std::string::npos) << err.str();
    EXPECT_EQ(plot.nvariables, 2);
    EXPECT_EQ(plot.npoints, 3);
    EXPECT_TRUE(plot.data.empty());
    EXPECT_TRUE(plot.legends.empty());
}

TEST_F(ShellTest, EventsPrintOnlyWhileSwitchedOn) {
    auto sink = shell.EventSink();
    sink->OnEvent(30, "Modified", {});
    shell.Execute(":events on");
    sink->OnEvent(30, "Modified", {});
    sink->OnEvent(1, "Selected", {Variant(I16{3})});
    sink->OnEvent(4, "VariableChanged", {Variant(I16{2}), Variant("a\"b"), Variant(0.25f)});
    shell.Execute(":events off");
    sink->OnEvent(30, "Modified", {});
    EXPECT_EQ(out.str(), "event Modified()\nevent Selected(3)\nevent VariableChanged(2, \"a\\\"b\", 0.25)\n");
}

TEST_F(ShellTest, WindowCommandsReachTheHost) {
    shell.SetBaseDir("/scripts");
    EXPECT_EQ(Run(":size 640 480\n"
                  ":render plot.png\n"
                  ":render \"with space.pdf\" 300 200\n"
                  ":render /abs/x.png\n"
                  ":echo  two  blanks #kept \r\n"
                  ":quit\n"
                  ":echo never\n"),
              0)
        << err.str();
    EXPECT_EQ(host.sizes, (std::vector<Size>{{640, 480}}));
    ASSERT_EQ(host.renders.size(), 3u);
    EXPECT_EQ(host.renders[0], std::make_pair(std::string("/scripts/plot.png"), std::optional<Size>()));
    EXPECT_EQ(host.renders[1].first, "/scripts/with space.pdf");
    EXPECT_EQ(host.renders[1].second, (Size{300, 200}));
    EXPECT_EQ(host.renders[2].first, "/abs/x.png");
    EXPECT_EQ(out.str(), " two  blanks #kept\n");
    EXPECT_TRUE(shell.QuitRequested());
}

TEST_F(ShellTest, WithoutAHostTheWindowCommandsFail) {
    std::ostringstream o, e;
    Shell bare(plot, o, e);
    EXPECT_FALSE(bare.Execute(":size 10 10"));
    EXPECT_FALSE(bare.Execute(":render x.png"));
    EXPECT_NE(e.str().find(":size needs a control window"), std::string::npos);
}

TEST_F(ShellTest, DataStoresEachValueAtItsPoint) {
    plot.nvariables = 2;
    EXPECT_TRUE(shell.Execute(":data 2 10, -1.5 1e28  3"));
    EXPECT_EQ(plot.data, (std::vector<FakePlot::Point>{{2, 0, 10}, {2, 1, -1.5}, {2, 2, 1e28}, {2, 3, 3}}));
}

TEST_F(ShellTest, CsvLoadsCountsDataAndLegendsFromTheScriptFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path base = dir.path().toStdString();
    std::ofstream(base / "log.csv") << "t,\"T [C]\",p\n0,20,1\n0.5,,n/a\n";
    shell.SetBaseDir(base);
    EXPECT_TRUE(shell.Execute(":csv log.csv")) << err.str();
    EXPECT_EQ(plot.nvariables, 2);
    EXPECT_EQ(plot.npoints, 2);
    EXPECT_EQ(plot.data, (std::vector<FakePlot::Point>{
                             {0, 0, 0}, {1, 0, 20}, {2, 0, 1}, {0, 1, 0.5}, {1, 1, 1e28}, {2, 1, 1e28}}));
    EXPECT_EQ(plot.legends, (std::vector<std::pair<I16, std::string>>{{1, "T [C]"}, {2, "p"}}));

    std::ofstream(base / "wide.csv") << "t,a\n1,2,3\n";
    EXPECT_FALSE(shell.Execute(":csv wide.csv"));
    EXPECT_FALSE(shell.Execute(":csv missing.csv"));
    EXPECT_FALSE(shell.Execute(":csv ."));
    EXPECT_NE(err.str().find("wide.csv: line 2: 3 fields"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("missing.csv: no such file"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("not a regular file"), std::string::npos) << err.str();
}

TEST_F(ShellTest, StreamPlaysRowsAsTimeStepsInOrder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path base = dir.path().toStdString();
    std::ofstream(base / "live.csv") << "t,a,b\n0,20,1\n0.5,,3\n";
    shell.SetBaseDir(base);
    plot.runPlot = true;
    EXPECT_TRUE(shell.Execute(":stream live.csv")) << err.str();
    EXPECT_EQ(plot.nvariables, 2);
    EXPECT_EQ(plot.npoints, 0) << "a ring holds what it is given";
    EXPECT_EQ(plot.samples, (std::vector<FakePlot::Sample>{{1, 0, 20}, {2, 0, 1}, {1, 0.5, 1e28}, {2, 0.5, 3}}));
    EXPECT_EQ(plot.legends, (std::vector<std::pair<I16, std::string>>{{1, "a"}, {2, "b"}}));
    EXPECT_FALSE(shell.Execute(":stream"));
}

}  // namespace
}  // namespace vtg::shell
