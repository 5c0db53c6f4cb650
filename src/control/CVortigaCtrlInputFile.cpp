// Plot scripts and plot data files: the InputFile property, the script replayed through the
// control's own dispatch interface and the plot rebuilt from a data file through the plot's
// operations. The formats themselves are persist/PlotScript and persist/PlotDataFile.
#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "control/CVortigaCtrl.h"
#include "persist/PlotDataFile.h"
#include "persist/PlotScript.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"

namespace vtg {

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

[[noreturn]] void Refuse(const std::string& path, const PlotFileProblem& problem) {
    throw AutomationError::InvalidArg(Quoted(path) + (problem.lineNumber > 0 ? ", " : ": ") + problem.What());
}

std::string ReadOrRefuse(const std::string& path) {
    auto read = ReadPlotFile(path, PlotFileLimits{});
    if (auto* problem = std::get_if<PlotFileProblem>(&read)) Refuse(path, *problem);
    return std::move(std::get<std::string>(read));
}

std::int16_t Short(int v) { return static_cast<std::int16_t>(std::min(v, 32767)); }

}  // namespace

// ---- the property ----

void CVortigaCtrl::SetInputFile(const std::string& value) {
    MarkChanged(kInputFileBit);
    if (value.empty()) {
        InputFile.clear();
        return;
    }
    // A name that cannot be read is not kept: the control still shows what it showed.
    LoadPlotFile(value);
    InputFile = value;
    Plot().Recalculate();
    InvalidateControl();
    SetModified();
    inputFileLoaded = true;
}

void CVortigaCtrl::ReadInputFile() {
    // One attempt per name: a file that went away must not be retried at every size change.
    inputFileLoaded = true;
    try {
        LoadPlotFile(InputFile);
    } catch (const AutomationError&) {
        return;
    }
    MarkChanged(kInputFileBit);
    Plot().Recalculate();
    InvalidateControl();
    SetModified();
}

void CVortigaCtrl::LoadPlotFile(const std::string& path) {
    if (IsPlotScriptName(path)) {
        ReadScriptFile(path);
    } else {
        ReadDataFile(path);
    }
}

void CVortigaCtrl::ReadScriptFile(const std::string& path) { RunPlotScript(ReadOrRefuse(path), path); }

void CVortigaCtrl::ReadDataFile(const std::string& path) { LoadPlotDataFile(ReadOrRefuse(path), path); }

// ---- the script ----

void CVortigaCtrl::RunPlotScript(std::string_view text, const std::string& name) {
    const ScriptParse script = ParsePlotScript(text);
    if (script.error) Refuse(name, *script.error);
    std::int16_t currentId = 0;
    for (const ScriptCall& call : script.calls) {
        const ScriptTarget target = TargetOf(call.keyword);
        std::vector<Variant> args;
        args.reserve(call.args.size() + 1);
        if (target.takesObjectId) args.emplace_back(currentId);
        args.insert(args.end(), call.args.begin(), call.args.end());
        // Each line behaves as the host's call would, its own validation included; one that
        // fails is skipped so that the rest of the script still applies.
        try {
            if (target.property) {
                PutProperty(*this, target.member, args.front());
                continue;
            }
            const Variant result = InvokeByName(*this, target.member, InvokeKind::Method, args);
            if (target.yieldsObjectId) currentId = result.ToI2();
        } catch (const AutomationError&) {
        } catch (const std::bad_alloc&) {
        }
    }
}

// ---- the data file ----

void CVortigaCtrl::LoadPlotDataFile(std::string_view text, const std::string& name) {
    const DataFileParse parsed = ParsePlotDataFile(text);
    if (parsed.error) Refuse(name, *parsed.error);
    // The plot's value budget can still refuse the file while it is built: the control then
    // goes back to the image it had.
    ApplyOrRestore(Quoted(name), [&] { BuildFromDataFile(parsed.file); });
}

void CVortigaCtrl::BuildFromDataFile(const PlotDataFile& f) {
    CancelEditing();
    CPlotLook& plot = Plot();
    // The file describes the whole plot, so the control's kind follows it even where the file
    // leaves a flag out.
    const int type = f.triangular ? 2 : f.barGraph ? 1 : 0;
    PlotType = static_cast<std::int16_t>(type);
    const bool wasRunPlot = RunPlot;
    plot.Rebuild(type);
    plot.FromDataFile = 1;
    phasePlot = false;
    RunPlot = f.runPlot;
    MultiYaxis = f.multiY;
    plot.Flipped = Flipped = f.flipped;
    plot.Parametric = Parametric = f.parametric;
    plot.Square = SquarePlot = f.square;
    plot.Diagonal = DiagonalLine = f.diagonal;
    plot.ZeroLine = ZeroLine = f.zeroLine;
    if (f.runPlot) {
        plot.SetRunPlot(true);
        // Only a window of positive width: none would make the time axis step nowhere.
        const double window = f.indepHigh - f.indepLow;
        if (std::isfinite(window) && window > 0 && window <= std::numeric_limits<float>::max()) {
            TimeWindow = static_cast<float>(window);
            TimeScrollUnit = 0.2f * TimeWindow;
        }
    } else if (wasRunPlot) {
        plot.SetRunPlot(false);
    }
    Title = f.title;
    plot.SetCaptionText(255, Title);
    xlabel = f.indepLabel;
    plot.SetCaptionText(0, xlabel);
    BuildDataFileVariables(f);
    ApplyDataFileAxes(f);
    plot.LayoutDirty = 1;
    LookDirty();
    InvalidateControl();
    SetModified();
}

void CVortigaCtrl::BuildDataFileVariables(const PlotDataFile& f) {
    CPlotLook& plot = Plot();
    plot.SetXVariableCount(f.Independents());
    nxvariables = Short(f.Independents());
    plot.SetVariableCount(f.Dependents());
    nvariables = Short(f.Dependents());
    NameNewVariables(plot.DependentCount());
    if (!f.runPlot) {
        plot.SetPointCount(f.Points());
        npoints = Short(f.Points());
        for (int i = 0; i < f.Independents(); ++i) {
            CPlotVar* x = plot.XVar(i);
            for (int j = 0; j < f.Points(); ++j) x->SetValue(j, f.Value(i, j));
        }
        for (int i = 0; i < f.Dependents(); ++i) {
            CPlotVar* y = plot.YVar(i);
            for (int j = 0; j < f.Points(); ++j) y->SetValue(j, f.Value(f.Independents() + i, j));
        }
        plot.RefitDirty = 1;
    }
    for (int i = 0; i < f.Dependents(); ++i) {
        CPlotVar* y = plot.YVar(i);
        y->LabelIndex = f.multiY ? i + 1 : 1;
        y->AxisMap = 1;
        // Beyond the ten header slots a variable keeps the defaults and an empty label.
        const std::string label = i < PlotDataFile::kSlots ? f.depLabels[static_cast<std::size_t>(i)] : std::string();
        plot.SetLabel(i + 1, label);
    }
}

void CVortigaCtrl::ApplyDataFileAxes(const PlotDataFile& f) {
    CPlotLook& plot = Plot();
    auto extent = [](CPlotAxis* axis, double lo, double hi) {
        // A range the file does not give (both 0) or gives reversed is left to the fit.
        if (axis && lo < hi) axis->SetDataExtent(lo, hi, false);
    };
    if (CPlotAxis* x = plot.AxisByNumber(0)) {
        x->Integer = f.indepInt ? 1 : 0;
        x->SetScale(f.indepScale);
        extent(x, f.indepLow, f.indepHigh);
    }
    CPlotAxis* y = plot.AxisByNumber(1);
    if (y && f.multiY) {
        y->Integer = f.depInt[0] ? 1 : 0;
        y->SetScale(f.depScale[0]);
    }
    extent(y, f.depLow[0], f.depHigh[0]);
    if (f.triangular) extent(plot.AxisByNumber(2), f.depLow[0], f.depHigh[0]);
    if (!f.triangular && f.square && f.diagonal) plot.CompactAxisMap();
}

}  // namespace vtg
