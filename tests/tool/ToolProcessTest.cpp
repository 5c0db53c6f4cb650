// The built vortiga tool as a user runs it: scripts on standard input and in files, what it
// prints, its exit status, and the pictures it writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <string>

namespace vtg {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

QString ToolPath() {
    const char* dir = std::getenv("VORTIGA_BINARY_DIR");
    return QString::fromUtf8(dir ? dir : ".") + "/tools/vortiga";
}

// Standard input or output taken from a file instead of the test's pipes.
struct Redirection {
    QString input;
    QString output;
};

ToolRun RunTool(const QStringList& args, const std::string& input = {}, const QString& cwd = {},
                const Redirection& files = {}) {
    QProcess p;
    if (!cwd.isEmpty()) p.setWorkingDirectory(cwd);
    if (!files.input.isEmpty()) p.setStandardInputFile(files.input);
    if (!files.output.isEmpty()) p.setStandardOutputFile(files.output);
    p.start(ToolPath(), args);
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << "cannot start " << ToolPath().toStdString();
        return {};
    }
    if (files.input.isEmpty()) {
        p.write(input.data(), static_cast<qint64>(input.size()));
        p.closeWriteChannel();
    }
    if (!p.waitForFinished(60000)) {
        p.kill();
        ADD_FAILURE() << "the tool did not finish";
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

ToolRun Shell(const std::string& script) { return RunTool({"shell"}, script); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct ToolTest : testing::Test {
    QTemporaryDir dir;
    std::string Path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    void Write(const char* name, const std::string& text) const { std::ofstream(Path(name)) << text; }
};

TEST_F(ToolTest, PropertiesRoundTripThroughTheControl) {
    const ToolRun r = Shell(
        "Title = \"Start-up \\\"R1\\\"\\nsecond line\"\n"
        "Title\n"
        "TimeWindow = 0.2\n"
        "TimeWindow\n"
        "MarkerSize = 7\n"
        "markersize\n"
        "ShowLegend = TRUE\n"
        "ShowLegend\n"
        "ZoomLevel\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "\"Start-up \\\"R1\\\"\\nsecond line\"\n0.2\n7\nTRUE\n1\n");
}

TEST_F(ToolTest, AFailingLineIsReportedAndTheRestStillRuns) {
    const ToolRun r = Shell("MarkerSize = 3\nNoSuchThing = 1\n\nMarkerSize = \"big\"\n:echo after\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "after\n");
    EXPECT_TRUE(Contains(r.err, "error: line 2: unknown member name 'NoSuchThing'\n")) << r.err;
    EXPECT_TRUE(Contains(r.err, "error: line 4: MarkerSize: the new value (1): cannot convert text \"big\"")) << r.err;
}

TEST_F(ToolTest, MethodsPrintTheirResultAndOutputsOnOneLine) {
    Write("log.csv", "t,\"T, reactor\"\n0,20\n1,\n2,30\n");
    Write("methods.vtg",
          "SetAxisRange(1, 50, 10)\n"
          "GetAxisRange(1)\n"
          "SetAttribute(0, 5, 3, 2)\n"
          "GetAttribute(0)\n"
          ":csv log.csv\n"
          "nvariables\n"
          "npoints\n"
          "GetLegend(1)\n"
          "GetData(1, 1)\n"
          "GetData(1, 2)\n"
          ":data 1 7 8\n"
          "GetData(1, 1)\n");
    const ToolRun r = RunTool({"shell", QString::fromStdString(Path("methods.vtg"))});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              " LowValue=10 HighValue=50\n"
              " Type=5 marker=3 color=2\n"
              "1\n3\n"
              "\"T, reactor\"\n"
              "TRUE Value=1e+28\n"
              "TRUE Value=30\n"
              "TRUE Value=8\n");
}

TEST_F(ToolTest, EventsPrintWhileSwitchedOn) {
    const ToolRun r = Shell("MarkerSize = 5\n:events on\nMarkerSize = 6\n:events off\nMarkerSize = 7\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "event Modified()\n");
}

TEST_F(ToolTest, RenderWritesPicturesOfTheRequestedSize) {
    Write("plot.vtg",
          "BackColor = 255\n"
          ":render window.png\n"
          ":render small.png 320 200\n"
          ":size 400 300\n"
          ":render resized.png\n"
          ":render vector.pdf\n");
    const ToolRun r = RunTool({"shell", QString::fromStdString(Path("plot.vtg"))});
    ASSERT_EQ(r.status, 0) << r.err;

    // The control painted each picture in its back colour (the plot on top is another matter).
    auto painted = [](const QImage& image) {
        int hits = 0;
        for (int y = 0; y < image.height(); y += 4) {
            for (int x = 0; x < image.width(); x += 4) hits += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
        }
        return hits > image.width() * image.height() / 64;
    };
    const struct {
        const char* file;
        QSize size;
    } pictures[] = {{"window.png", {800, 600}}, {"small.png", {320, 200}}, {"resized.png", {400, 300}}};
    for (const auto& p : pictures) {
        const QImage image(QString::fromStdString(Path(p.file)));
        EXPECT_EQ(image.size(), p.size) << p.file;
        EXPECT_TRUE(painted(image)) << p.file;
    }

    QFile pdf(QString::fromStdString(Path("vector.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_GT(bytes.size(), 500);
    EXPECT_TRUE(bytes.contains("%%EOF"));
}

TEST_F(ToolTest, ALivePlotScrolledBeforeItsFirstPaintIsStillPictured) {
    // Scrolling shows scroll bars; the first paint hides them and so resizes the window.
    Write("live.vtg",
          "RunPlot = TRUE\nTimeWindow = 10\nBackColor = 255\n"
          "AddTimeData(1, 0, 1)\nAddTimeData(1, 5, 2)\nAddTimeData(1, 12, 3)\n"
          ":render live.png\n");
    const ToolRun r = RunTool({"shell", QString::fromStdString(Path("live.vtg"))});
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(QString::fromStdString(Path("live.png")));
    ASSERT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(image.pixel(400, 300) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(ToolTest, RenderCommandRunsAScriptIntoAPicture) {
    Write("job.vtg", "# a job\nTitle = \"Job\"\nTitle\n");
    const QString out = dir.path() + "/job.png";
    ToolRun r = RunTool({"render", QString::fromStdString(Path("job.vtg")), "-o", out, "--size", "640x360"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "\"Job\"\n");
    EXPECT_EQ(QImage(out).size(), QSize(640, 360));

    Write("resizes.vtg", ":size 400 400\n");
    r = RunTool({"render", QString::fromStdString(Path("resizes.vtg")), "-o", out, "--size=300x200"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(QImage(out).size(), QSize(300, 200));
}

TEST_F(ToolTest, BadCommandLinesAndInputsFailClearly) {
    Write("ok.vtg", "Title\n");
    Write("broken.vtg", "Nope\n");
    Write("plot.ply", "no commands here\n");
    const QString ok = QString::fromStdString(Path("ok.vtg"));
    const QString out = dir.path() + "/x.png";
    const struct {
        QStringList args;
        int status;
        const char* message;
    } rows[] = {
        {{}, 2, "usage: vortiga"},
        {{"draw"}, 2, "unknown command 'draw'"},
        {{"render", ok}, 2, "render needs -o OUT"},
        {{"render", ok, "-o", out, "--size", "0x10"}, 2, "--size takes WxH"},
        {{"render", ok, "-o", out, "--size", "100"}, 2, "--size takes WxH"},
        {{"render", ok, "-o", out, "--colour"}, 2, "unknown option --colour"},
        {{"render", ok, "-o", dir.path() + "/x.gif"}, 1, "name it .png or .pdf"},
        {{"render", QString::fromStdString(Path("plot.ply")), "-o", out}, 1, "plot.ply\": no line holds a plot script keyword"},
        {{"render", dir.path() + "/none.vtg", "-o", out}, 1, "no such file"},
        {{"render", QString::fromStdString(Path("broken.vtg")), "-o", out}, 1, "error: line 1: unknown member name"},
        {{"render", ok, "-o", dir.path() + "/no/such/dir/x.png"}, 1, "cannot write"},
        {{"shell", dir.path()}, 1, "not a regular file"},
    };
    for (const auto& row : rows) {
        const ToolRun r = RunTool(row.args);
        EXPECT_EQ(r.status, row.status) << row.args.join(' ').toStdString() << "\n" << r.err;
        EXPECT_TRUE(Contains(r.err, row.message)) << row.args.join(' ').toStdString() << " -> " << r.err;
    }
}

TEST_F(ToolTest, EveryFailureIsReportedOnStandardErrorWithStatusOne) {
    Write("samples.csv", "t,a\n0,1\n");
    const QString full = "/dev/full";
    const struct {
        QStringList args;
        std::string input;
        Redirection files;
        const char* message;
    } rows[] = {
        {{"shell"}, "", {dir.path(), {}}, "error: line 1: cannot read the script: Is a directory\n"},
        {{"shell"}, "Title\n", {{}, full}, "error: line 1: the output could not be written\n"},
        {{"--help"}, "", {{}, full}, "vortiga: cannot write standard output\n"},
        {{"--version"}, "", {{}, full}, "vortiga: cannot write standard output\n"},
        {{"shell"}, "OpenLog(\"cut\\x00.log\")\n", {}, "error: line 1: OpenLog: the file name has a NUL byte in it\n"},
        {{"shell"}, ":stream samples.csv\n", {},
         "error: line 1: :stream plays into a live run plot, and this is none: set RunPlot = TRUE first\n"},
        {{"shell"}, ":data 2 1 2\n", {}, "error: line 1: :data: there is no variable 2 (nvariables is 1)\n"},
        // The control repeats the text it could not take; the terminal gets it escaped.
        {{"shell"}, "MarkerSize = \"\\x1B]2;owned\\x07\"\n", {},
         "error: line 1: MarkerSize: the new value (1): cannot convert text \"\\x1B]2;owned\\x07\" to I2\n"},
    };
    for (const auto& row : rows) {
        const std::string what = row.args.join(' ').toStdString() + " < " + row.input.substr(0, 40);
        const ToolRun r = RunTool(row.args, row.input, dir.path(), row.files);
        EXPECT_EQ(r.status, 1) << what << "\n" << r.err;
        EXPECT_EQ(r.err, row.message) << what;
        EXPECT_EQ(r.out, "") << what;
    }
    EXPECT_FALSE(QFile::exists(dir.path() + "/cut"));
}

TEST_F(ToolTest, HelpDocumentsTheCommandsAndTheLanguage) {
    ToolRun r = RunTool({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* part : {"shell [--size WxH] [FILE]", "render FILE -o OUT", "--version"}) {
        EXPECT_TRUE(Contains(r.out, part)) << part;
    }
    r = RunTool({"shell", "--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* part :
         {":render FILE [W H]", ":events on|off", ":csv FILE", ":data VAR", "error: line N", "1 MiB"}) {
        EXPECT_TRUE(Contains(r.out, part)) << part;
    }
    r = RunTool({"--version"});
    EXPECT_EQ(r.out.rfind("vortiga ", 0), 0u);
}

}  // namespace
}  // namespace vtg
