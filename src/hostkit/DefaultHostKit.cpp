#include "hostkit/DefaultHostKit.h"

#include <memory>

#include "control/HostServices.h"
#include "platform/Automation.h"
#include "platform/Dialogs.h"
#include "platform/ProgIdRegistry.h"
#include "res/EnglishStrings.h"

namespace vtg {

namespace {

std::shared_ptr<IDispatch> MakeResourceServer() {
    auto server = std::make_shared<DispatchObject>();
    server->AddMethod(std::string(kResourceMethod), {"key", "text"}, [](std::vector<Variant>& args) {
        const std::string_view text = EnglishString(args[0].ToString());
        SetOutArg(args[1], Variant(text));
        return Variant(static_cast<std::int32_t>(text.empty() ? 0 : 1));
    });
    return server;
}

std::shared_ptr<IDispatch> MakeDialogServer(const HostKitOptions& options) {
    auto server = std::make_shared<DispatchObject>();
    auto answer = options.messageBox;
    server->AddMethod("MessageBox", {"text", "caption", "buttons", "icon"}, [answer](std::vector<Variant>& args) {
        const std::string text = args[0].ToString();
        const std::string caption = args[1].ToString();
        const std::int32_t buttons = args[2].ToI4();
        const std::int32_t icon = args[3].ToI4();
        if (answer) return Variant(answer(text, caption, buttons, icon));
        const auto flags = static_cast<unsigned>(buttons) | static_cast<unsigned>(icon);
        return Variant(static_cast<std::int32_t>(ShowMessageBox(text, caption, flags)));
    });
    return server;
}

}  // namespace

void RegisterDefaultHostKit(HostKitOptions options) {
    ProgIdRegistry& registry = ProgIdRegistry::Instance();
    registry.Register(kResourceServerProgId, MakeResourceServer);
    registry.Register(kDialogServerProgId, [options] { return MakeDialogServer(options); });
    ResetResourceStringCache();
}

void UnregisterDefaultHostKit() {
    ProgIdRegistry& registry = ProgIdRegistry::Instance();
    registry.Unregister(kResourceServerProgId);
    registry.Unregister(kDialogServerProgId);
    ResetResourceStringCache();
}

}  // namespace vtg
