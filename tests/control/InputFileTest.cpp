// The InputFile property: plot scripts replayed through the control, data files rebuilding the
// plot, and files that cannot be used refused whole with the file, line and reason named.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::Get;
using test::I2;
using test::Put;

std::string DataPath(const std::string& name) {
    return std::string(std::getenv("VORTIGA_TEST_DATA")) + "/plotfiles/" + name;
}

struct InputFileTest : test::MethodsFixture, testing::Test {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("vortiga-inputfile-" + std::to_string(::getpid()));
    InputFileTest() { std::filesystem::create_directories(dir); }
    ~InputFileTest() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    std::vector<double> Values(CPlotVar* v, int n) {
        std::vector<double> out;
        for (int j = 0; j < n; ++j) out.push_back(v->GetValue(j).value);
        return out;
    }
    // The error setting InputFile raises; a test failure when it raises none.
    std::string Refusal(const std::string& path) {
        try {
            Put(Ctrl(), "InputFile", Variant(path));
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Code(), HResult::InvalidArg);
            return e.Message();
        }
        ADD_FAILURE() << path << " was accepted";
        return {};
    }
};

TEST_F(InputFileTest, ScriptLinesActAsTheHostsCalls) {
    Put(Ctrl(), "InputFile", Variant(DataPath("keywords.ply")));
    EXPECT_EQ(Get(Ctrl(), "Title").ToString(), "Pump curve");
    EXPECT_EQ(Get(Ctrl(), "xlabel").ToString(), "Flow (m3/h)");
    // The line object is a variable of its own beside the two the script asked for.
    EXPECT_EQ(Get(Ctrl(), "nvariables").ToI2(), 3);
    EXPECT_EQ(Get(Ctrl(), "npoints").ToI2(), 5);
    EXPECT_TRUE(Get(Ctrl(), "AddTimeStamp").ToBool());
    EXPECT_EQ(Get(Ctrl(), "InputFile").ToString(), DataPath("keywords.ply"));
    EXPECT_EQ(Call("GetLegend", {I2(2)}).ToString(), "Model");
    // The line object the script made took the setxydata line that followed it.
    int taken = 0;
    for (const auto& object : Plot().Objects) {
        Variant vx(0.0), vy(0.0);
        std::vector<Variant> args{I2(object->Id), I2(0), Variant::Ref(vx), Variant::Ref(vy)};
        InvokeByName(Ctrl(), "GetXYData", InvokeKind::Method, args);
        taken += vx.ToR8() == 1.5 && vy.ToR8() == 2.5;
    }
    EXPECT_EQ(taken, 1);
}

// A call that fails on its own is skipped; the lines after it still apply.
TEST_F(InputFileTest, FailingScriptLinesAreSkipped) {
    const std::string path = Write("fails.ply", "nvariables: -3\nSwapVariables: 0 9\nsetaxismap: 1 -4\n"
                                                "npoints: 70000\ntitle: \"after\"\n");
    Put(Ctrl(), "InputFile", Variant(path));
    EXPECT_EQ(Get(Ctrl(), "Title").ToString(), "after");
    EXPECT_EQ(Get(Ctrl(), "nvariables").ToI2(), 1);
}

TEST_F(InputFileTest, DataFileRebuildsThePlot) {
    Put(Ctrl(), "RunPlot", Variant(true));
    Put(Ctrl(), "InputFile", Variant(DataPath("table.dat")));
    EXPECT_FALSE(Get(Ctrl(), "RunPlot").ToBool());
    EXPECT_EQ(Get(Ctrl(), "Title").ToString(), " Three points");
    EXPECT_EQ(Get(Ctrl(), "xlabel").ToString(), "Time (s)");
    EXPECT_EQ(Get(Ctrl(), "nvariables").ToI2(), 2);
    ASSERT_EQ(Plot().DependentCount(), 2);
    EXPECT_EQ(Values(Plot().XVar(0), 3), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(Values(Plot().YVar(0), 3), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(Values(Plot().YVar(1), 3), (std::vector<double>{100, 200, 300}));
    EXPECT_EQ(Call("GetLegend", {I2(2)}).ToString(), "Pressure");
    EXPECT_EQ(Plot().YVar(1)->Color, 2);
}

TEST_F(InputFileTest, DataFileFlagsScalesAndIntegerAxes) {
    Put(Ctrl(), "InputFile", Variant(DataPath("kinds.dat")));
    EXPECT_EQ(Get(Ctrl(), "PlotType").ToI2(), 1);
    EXPECT_TRUE(Get(Ctrl(), "MultiYaxis").ToBool());
    EXPECT_TRUE(Get(Ctrl(), "Flipped").ToBool());
    EXPECT_TRUE(Get(Ctrl(), "ZeroLine").ToBool());
    EXPECT_FALSE(Get(Ctrl(), "SquarePlot").ToBool());
    EXPECT_TRUE(Plot().BarGraph && Plot().Flipped && Plot().ZeroLine && Plot().FromDataFile);
    EXPECT_EQ(Plot().AxisByNumber(0)->Integer, 1);
    // With several Y axes the first dependent's scale and integer flag go to the first Y axis.
    EXPECT_EQ(Plot().AxisByNumber(1)->Scale, 1);
    EXPECT_EQ(Plot().AxisByNumber(1)->Integer, 1);
    EXPECT_EQ(Plot().YVar(1)->LabelIndex, 2);
}

struct KindCase {
    const char* text;
    bool runPlot;
    int plotType;
    float timeWindow;   // the control's window after the file (1 is the default)
};

TEST_F(InputFileTest, DataFileKindsAndTimeWindow) {
    const std::vector<KindCase> cases = {
        {"runplot:\nnumdep:3\nindeplow:100\nindephigh:160\n", true, 0, 60},
        // no window, or a reversed one, keeps the control's window
        {"runplot:\nnumdep:1\n", true, 0, 1},
        {"runplot:\nnumdep:1\nindeplow:5\nindephigh:2\n", true, 0, 1},
        {"bargraph:\nnumdep:2\nnumpoints:1\nvalues:\n1 2 3\n", false, 1, 1},
        {"triangular:\nnumdep:3\nnumpoints:1\nvalues:\n1 2 3 4\n", false, 2, 1},
    };
    for (const KindCase& c : cases) {
        SCOPED_TRACE(c.text);
        test::MethodsFixture fresh;
        Put(fresh.Ctrl(), "InputFile", Variant(Write("kind.dat", c.text)));
        EXPECT_EQ(Get(fresh.Ctrl(), "RunPlot").ToBool(), c.runPlot);
        EXPECT_EQ(fresh.Plot().RunPlot != 0, c.runPlot);
        EXPECT_EQ(Get(fresh.Ctrl(), "PlotType").ToI2(), c.plotType);
        EXPECT_EQ(Get(fresh.Ctrl(), "TimeWindow").ToR4(), c.timeWindow);
        EXPECT_GT(Get(fresh.Ctrl(), "TimeScrollUnit").ToR4(), 0);
    }
}

// Files that cannot be used raise an error naming the file, the line and the reason, and leave
// the control exactly as it was, InputFile included.
TEST_F(InputFileTest, UnusableFilesAreRefusedAndChangeNothing) {
    Put(Ctrl(), "Title", Variant("before"));
    Call("SetData", {I2(1), I2(0), Variant(4.0)});
    const std::string before = test::Fingerprint(Ctrl());
    const std::vector<std::pair<std::string, std::string>> cases = {
        {(dir / "missing.dat").string(), "does not exist"},
        {dir.string(), "not a regular file"},
        {Write("binary.dat", std::string("numdep:1\nti\0tle", 15)), "line 2: a NUL byte"},
        {Write("latin1.ply", "title: \"caf\xE9\"\n"), "line 1: bytes that are not UTF-8"},
        {Write("words.dat", "nothing to see\n"), "not a plot data file"},
        {Write("words.ply", "nothing to see\n"), "not a plot script"},
        {Write("huge.dat", "numpoints:30000000\nnumdep:2\n"), "line 2: the counts ask for"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path);
        const std::string message = Refusal(path);
        EXPECT_NE(message.find("\"" + path + "\""), std::string::npos) << message;
        EXPECT_NE(message.find(reason), std::string::npos) << message;
        EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    }
}

// A file the parser accepts but the plot's value budget refuses while it is built is rolled back.
TEST_F(InputFileTest, DataFileThePlotCannotHoldIsRolledBack) {
    Put(Ctrl(), "Title", Variant("before"));
    const std::string before = test::Fingerprint(Ctrl());
    Plot().SlotBudget = 100;
    const std::string message = Refusal(Write("big.dat", "numpoints:60\nnumdep:2\n"));
    EXPECT_NE(message.find("big.dat"), std::string::npos);
    EXPECT_EQ(Get(Ctrl(), "Title").ToString(), "before");
    EXPECT_EQ(test::Fingerprint(Ctrl()), before);
}

TEST_F(InputFileTest, EmptyNameDoesNothingAndNameChoosesTheReader) {
    const std::string before = test::Fingerprint(Ctrl());
    Put(Ctrl(), "InputFile", Variant(""));
    EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    // The script's extension is case-sensitive: in capitals it names a data file.
    const std::string path = Write("run.PLY", "title:data\nnumdep:1\n");
    Put(Ctrl(), "InputFile", Variant(path));
    EXPECT_EQ(Get(Ctrl(), "Title").ToString(), "data");
}

}  // namespace
}  // namespace vtg
