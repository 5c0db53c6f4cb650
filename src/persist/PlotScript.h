#pragma once
// The plot definition script: lines "keyword: arguments" that replay calls on the control's
// own automation interface. Keywords ignore case; lines without a colon, with empty arguments
// or with a keyword the script does not know are ignored.
//
// ParsePlotScript turns the bytes into calls with their arguments already converted to the
// parameter types of the member they go to; a line whose argument does not fit that type
// (a number beyond a 16-bit parameter, NaN for an integer) is skipped and noted, never
// truncated into undefined behaviour. A text that is not a script as a whole (see
// CheckPlotText) gives an error and no calls. Lines are read whole, so a long text argument can
// never spill into a line of its own.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "persist/PlotFileText.h"
#include "platform/Variant.h"

namespace vtg {

enum class ScriptKeyword : std::uint8_t {
    PlotType, UseVariable, RunPlot, PhasePlot, TimeWindow, TimeScrollUnit, BufferSize, TimeStamp,
    Title, XLabel, YLabel, NVariables, NPoints, SetAxisMap, SetAxisRange, SetLabel, SetLegend,
    SetXYData, NewLine, NewPolygon, NewText, SetTextAttribute, SetObject,
};

// The member a keyword reaches on the control.
struct ScriptTarget {
    std::string_view member;
    bool property = false;          // put the one argument; otherwise a method call
    bool takesObjectId = false;     // the script's current object id goes first
    bool yieldsObjectId = false;    // the result becomes the current object id
};

struct ScriptCall {
    int lineNumber = 0;
    ScriptKeyword keyword = ScriptKeyword::PlotType;
    std::vector<Variant> args;      // in parameter order, without the current object id
};

struct ScriptParse {
    std::vector<ScriptCall> calls;
    std::vector<PlotFileProblem> skipped;   // lines of known keywords whose arguments do not fit
    std::optional<PlotFileProblem> error;   // set: the text is refused and calls is empty
};

ScriptTarget TargetOf(ScriptKeyword keyword);
// The keyword of that name regardless of case; nullopt for one the script does not know.
std::optional<ScriptKeyword> FindScriptKeyword(std::string_view name);

// Never throws for any content (beyond running out of memory); the entry a fuzzer calls.
ScriptParse ParsePlotScript(std::string_view text, const PlotFileLimits& limits = {});

}  // namespace vtg
