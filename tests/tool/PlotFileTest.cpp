// `vortiga render` on plot scripts and plot data files: which reader a file gets, and a file of
// neither kind reported with its name, line and reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "PlotFile.h"
#include "Session.h"
#include "plot/CPlotLook.h"

namespace vtg::shell {
namespace {

TEST(PlotFile, TheNameThenTheContentChoosesTheReader) {
    const std::string data = "numpoints:2\nvalues:\n1 2 3 4\n";
    const std::string script = "title: \"T\"\nnvariables: 2\n";
    const std::vector<std::tuple<std::string, std::string, PlotFileKind>> cases = {
        {"run.ply", data, PlotFileKind::Script},        // the name decides, as the control's does
        {"dir.ply/run.dat", data, PlotFileKind::Script},
        {"run.dat", data, PlotFileKind::Data},
        {"run.PLY", data, PlotFileKind::Data},
        {"plot.txt", script, PlotFileKind::Script},     // no data keyword, but script lines
        {"plot.txt", "nonsense\n", PlotFileKind::Data}, // neither: the data reader reports it
    };
    for (const auto& [name, text, kind] : cases) {
        SCOPED_TRACE(name + ": " + text);
        EXPECT_EQ(ChoosePlotFileKind(name, text), kind);
    }
}

TEST(PlotFile, LoadsEitherKindAndReportsUnusableFiles) {
    Session session(Session::kDefaultSize, std::cerr);
    const std::string dir = std::string(std::getenv("VORTIGA_TEST_DATA")) + "/plotfiles/";
    LoadPlotFile(session.Control(), dir + "table.dat");
    EXPECT_EQ(session.Control().Plot().DependentCount(), 2);
    const auto path = std::filesystem::temp_directory_path() / ("vortiga-plotfile-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(path, std::ios::binary) << "title: ok\n\xFF\n";
    try {
        LoadPlotFile(session.Control(), path.string());
        ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("line 2: bytes that are not UTF-8"), std::string::npos) << e.what();
    }
    std::filesystem::remove(path);
    EXPECT_EQ(session.Control().Plot().DependentCount(), 2);
}

}  // namespace
}  // namespace vtg::shell
