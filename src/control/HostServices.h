#pragma once
// The two host services the control reaches by ProgID through the dispatch interface:
// localised texts and the larger dialogs. Neither is part of the control. Without them texts
// are empty and dialogs count as cancelled; a failing server never stops the control.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Automation.h"
#include "plot/IPlotHost.h"

namespace vtg {

class IWindowSite;

inline constexpr std::string_view kResourceServerProgId = "Brenmoor.Kaltrix.Localization.UnmanagedResourceServer.380";
inline constexpr std::string_view kDialogServerProgId = "Brenmoor.Kaltrix.VtgDialogs.VortigaPlotDialogs.380";
inline constexpr std::string_view kResourceMethod = "GetVortigaPlotResourceString";

// The host's text for a key such as "IDS_PLOTCTRL_TITLE"; "" on any failure. The server
// object and the method's DISPID are kept for the life of the process once both were
// obtained; when the method cannot be found the object is dropped and the next request tries
// again, and when the server cannot be created nothing is kept.
std::string GetResourceString(std::string_view key);
// Forgets the cached server, so that the next request looks it up again (tests, and a host
// that registers its server late).
void ResetResourceStringCache();

// The client type of the control created last, shared by the whole process: 1 shows message
// boxes locally instead of through the dialog server.
void SetProcessClientType(int clientType);
int ProcessClientType();

// One dialog of the host's dialog server: a new server object per dialog.
class DialogServer : public IDialogSession {
public:
    // Nothing when the server cannot be created.
    static std::optional<DialogServer> Open();
    // The same as a session the plot can use; null when the server cannot be created.
    static std::unique_ptr<IDialogSession> OpenSession();

    std::optional<Variant> Call(std::string_view method, std::vector<Variant>& args) override;

private:
    explicit DialogServer(std::shared_ptr<IDispatch> server) : server_(std::move(server)) {}
    std::shared_ptr<IDispatch> server_;
};

// Opens the dialog server and calls one method; nothing when that fails.
std::optional<Variant> CallDialog(std::string_view method, std::vector<Variant>& args);

// A message box: through the dialog server, or with client type 1 a local one (through the
// window site when there is one). The result the box gives (1 = OK); 0 on failure.
std::int32_t HostMessageBox(const std::string& text, const std::string& caption, std::int32_t buttons,
                            std::int32_t icon, IWindowSite* site = nullptr);

}  // namespace vtg
