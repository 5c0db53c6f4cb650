#pragma once
// Methods of the dispatch interface whose work lives in parts of the control that are not
// there yet. They are registered with their exact signatures (so names, DISPIDs, parameter
// types and argument checks are already the final ones) and answer every call with a
// not-implemented automation error that names the method and what will bring it.

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace vtg {

// A method name usable as a template argument.
template <std::size_t N>
struct MethodName {
    char text[N]{};
    constexpr MethodName(const char (&name)[N]) { std::copy_n(name, N, text); }
};

// What a not-yet-built method waits for.
enum class Pending {
    Interaction,     // in-plot interaction: scrolling, rubber band, double click, coordinates
    Annotations,     // text annotations
    InPlaceEditing,  // editing texts in place
    PlotObjects,     // host-drawn line, polygon and text objects
    Selection,       // methods on the user's selection
    Menus,           // the popup menus' commands
    EventsAndModes,  // event and mode switches
    Dialogs,         // the legend and axis-map dialogs
    Settings,        // the settings text
    Clipboard,       // clipboard and drag-and-drop
    Preview,         // print preview
    Registration,    // module registration and the about box
};

// "time data and live run plots", ...
std::string_view PendingText(Pending why);

// Throws the not-implemented automation error for a call of `method`.
[[noreturn]] void ThrowNotBuilt(std::string_view method, Pending why);

}  // namespace vtg
