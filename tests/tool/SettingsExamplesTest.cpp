// Every example plot, run through the shell as `vortiga render` runs it, writes a settings
// text that a new control reads back into the same text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Session.h"
#include "Shell.h"

namespace vtg::shell {
namespace {

std::filesystem::path ExamplesDir() {
    const char* data = std::getenv("VORTIGA_TEST_DATA");
    return std::filesystem::path(data ? data : "tests/data") / ".." / ".." / "examples";
}

TEST(SettingsExamplesTest, EveryExampleReadsBackIntoTheSameText) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(ExamplesDir())) {
        if (entry.path().extension() != ".vtg") continue;
        ++examples;
        std::ostringstream out;
        std::ostringstream err;
        Session original(Session::kDefaultSize, err);
        Shell shell(original.Control(), out, err, &original);
        shell.SetBaseDir(entry.path().parent_path());
        std::ifstream script(entry.path());
        ASSERT_EQ(shell.Run(script), 0) << entry.path() << err.str();
        CVortigaCtrl& ctrl = original.Control();
        std::string text = ctrl.GetSettings();
        // A run plot starts again at time 0 when read: its text is stable from then on.
        if (ctrl.RunPlot) {
            ctrl.SetSettings(text);
            text = ctrl.GetSettings();
        }
        Session copy(Session::kDefaultSize, err);
        copy.Control().SetSettings(text);
        EXPECT_EQ(copy.Control().GetSettings(), text) << entry.path();
    }
    EXPECT_GE(examples, 5);
}

}  // namespace
}  // namespace vtg::shell
