#pragma once
// How the plot object reaches its control: the control's property values (one struct the
// control embeds, read and written directly by the plot as the control's own handlers do),
// invalidation, events, resource strings, the window site and object ids. The plot never
// includes a control header; the control implements this interface.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Variant.h"

namespace vtg {

class IWindowSite;

// The control's automation properties, named as the dispatch interface names them, with the
// values a newly constructed control has.
struct ControlProperties {
    std::string Title;
    std::string xlabel;
    std::string ylabel;
    bool MultiYaxis = false;
    bool RunPlot = false;
    std::int16_t PlotType = 0;
    float TimeWindow = 1.0f;
    bool UseVariable = true;
    std::string InputFile;
    std::int16_t npoints = 0;
    std::int16_t nvariables = 1;
    float TimeScrollUnit = 0.2f;
    std::int16_t GridType = 0;
    std::int16_t MarkerSize = 4;
    std::int16_t MarkerInterval = 1;
    bool Flipped = false;
    bool SquarePlot = false;
    bool DiagonalLine = false;
    bool ZeroLine = false;
    std::int16_t DisplayType = 2;
    std::int32_t BufferSize = 2000;
    bool SizeToData = false;
    bool Parametric = false;
    std::int16_t nxvariables = 1;
    bool ReverseXAxis = false;
    bool AddTimeStamp = false;
    bool ShowLegend = false;
    std::int16_t CommunicationIntervals = 1;
    float GridInterval = 0.1f;
    bool VariableDrop = true;
    bool IgnoreSetLegend = false;
    bool ShowTitle = true;
    bool ShowXaxisLabel = true;
    bool CanLivePlot = false;
    bool LivePlot = false;
    bool ShowTracker = false;
    double ZoomLevel = 1.0;

    // Properties with get and set functions.
    bool EditProfileVariables = false;
    bool EditProfileTable = false;
    bool AlwaysShowFull = false;
    std::int16_t ClientType = 0;

    // Stock colours (OLE colours: 0x00BBGGRR, or a system colour with the top bit set).
    std::int32_t BackColor = 0xFFFFFF;
    std::int32_t ForeColor = 0;

    // Control state the plot reads.
    bool archiveLoading = false;   // the stream image is being loaded: skip invalidation
    bool printingPage = false;     // a printed page is being drawn
    // How a selected curve is highlighted: 1 two coloured passes, below 100 the highlight
    // pen, 100 and above not at all (also the blink period of highlighted objects).
    std::int16_t highlightMode = 0;
    // 1: annotations draw their text without a background (SetTextMode).
    std::int16_t textMode = 0;
};

// One dialog of the host's dialog server: each dialog talks to a server object of its own.
class IDialogSession {
public:
    virtual ~IDialogSession() = default;
    // Calls a method with arguments in parameter order (by-reference outputs are written back);
    // nothing when the server has no such method or the call fails.
    virtual std::optional<Variant> Call(std::string_view method, std::vector<Variant>& args) = 0;
};

class IPlotHost {
public:
    virtual ~IPlotHost() = default;

    virtual ControlProperties& Properties() = 0;
    virtual const ControlProperties& Properties() const = 0;

    // Whole control; nothing happens without a window.
    virtual void InvalidateControl() = 0;
    virtual void InvalidateRect(const Rect& r, bool erase) = 0;
    // Fires the control event of that name (Events.h lists them) with its parameters.
    virtual void FireEvent(std::string_view name, std::vector<Variant> args) = 0;
    // Sets the control's modified flag and fires Modified when event firing is enabled.
    virtual void ModifiedTail() = 0;
    // The host's localised text for a key, "" when there is none.
    virtual std::string ResourceString(std::string_view key) = 0;
    // The window the control lives in, or null (headless use without a site).
    virtual IWindowSite* Site() = 0;
    // A new plot-object id (0 when none is free); inUse tells which ids the plot still holds.
    virtual int AllocateObjectId(const std::function<bool(int)>& inUse) = 0;
    // The given id when it is a free object id, else a new one (0 when none is free).
    virtual int ClaimObjectId(int given, const std::function<bool(int)>& inUse) = 0;
    // An object's highlight starts (stops) blinking.
    virtual void RegisterHighlight(int objectId) = 0;
    virtual void UnregisterHighlight(int objectId) = 0;
    // The plot kind changed in a way the control's menus show.
    virtual void RefreshMenus() = 0;
    // The plot deleted regions, objects or variables: the control drops every reference it
    // keeps into them (highlight blinking, in-place editors).
    virtual void ContentDeleted() = 0;
    // One line for the operation log, when one is open.
    virtual void WriteLog(std::string_view line) = 0;
    // A session with the host's dialog server; null when there is none, and the dialog then
    // counts as cancelled.
    virtual std::unique_ptr<IDialogSession> OpenDialog() = 0;
};

}  // namespace vtg
