#pragma once
// Plot definition scripts and plot data files for `vortiga render`: which of the two a file is,
// and loading it into a control as its InputFile property would.

#include <string>
#include <string_view>

namespace vtg {
class CVortigaCtrl;
}

namespace vtg::shell {

enum class PlotFileKind { Script, Data };

// A name with ".ply" after its first character is a script, as the control decides. Any other
// file is a script when it reads as one and holds a keyword only scripts have, or reads as a
// script but not as a data file; otherwise a data file (whose reader says what is wrong).
PlotFileKind ChoosePlotFileKind(std::string_view name, std::string_view text);

// Reads path into control, then asks for a full refit and layout. Throws std::runtime_error
// naming the file, line and reason when the file cannot be read or is of neither kind.
void LoadPlotFile(CVortigaCtrl& control, const std::string& path);

}  // namespace vtg::shell
