#include "PlotFile.h"

#include <algorithm>
#include <stdexcept>
#include <variant>

#include "control/CVortigaCtrl.h"
#include "persist/PlotDataFile.h"
#include "persist/PlotScript.h"
#include "plot/CPlotLook.h"

namespace vtg::shell {

PlotFileKind ChoosePlotFileKind(std::string_view name, std::string_view text) {
    if (IsPlotScriptName(name)) return PlotFileKind::Script;
    const ScriptParse script = ParsePlotScript(text);
    // "title" and "runplot" are keywords of both formats; any other script keyword marks a
    // script.
    const bool scriptOnly = std::any_of(script.calls.begin(), script.calls.end(), [](const ScriptCall& c) {
        return c.keyword != ScriptKeyword::Title && c.keyword != ScriptKeyword::RunPlot;
    });
    if (!script.error && (scriptOnly || ParsePlotDataFile(text).error)) return PlotFileKind::Script;
    return PlotFileKind::Data;
}

void LoadPlotFile(CVortigaCtrl& control, const std::string& path) {
    auto read = ReadPlotFile(path, PlotFileLimits{});
    if (const auto* problem = std::get_if<PlotFileProblem>(&read)) {
        throw std::runtime_error(path + ": " + problem->What());
    }
    const std::string& text = std::get<std::string>(read);
    try {
        if (ChoosePlotFileKind(path, text) == PlotFileKind::Script) {
            control.RunPlotScript(text, path);
        } else {
            control.LoadPlotDataFile(text, path);
        }
    } catch (const AutomationError& e) {
        throw std::runtime_error(e.Message());
    }
    control.Plot().Recalculate();
}

}  // namespace vtg::shell
