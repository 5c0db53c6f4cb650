#include "control/HostServices.h"

#include "platform/Dialogs.h"
#include "platform/ProgIdRegistry.h"
#include "platform/WindowSite.h"

namespace vtg {

namespace {

struct ResourceCache {
    std::shared_ptr<IDispatch> server;
    DispId method = 0;
    bool haveMethod = false;
};

ResourceCache& Cache() {
    static ResourceCache cache;
    return cache;
}

int& SharedClientType() {
    static int clientType = 0;
    return clientType;
}

// The server object with its method's DISPID, or null.
IDispatch* ResourceServer() {
    ResourceCache& c = Cache();
    if (!c.server) {
        c.server = ProgIdRegistry::Instance().Create(kResourceServerProgId);
        if (!c.server) return nullptr;
    }
    if (!c.haveMethod) {
        try {
            c.method = c.server->GetIDsOfNames(kResourceMethod);
            c.haveMethod = true;
        } catch (...) {
            c.server.reset();
            return nullptr;
        }
    }
    return c.server.get();
}

}  // namespace

std::string GetResourceString(std::string_view key) {
    IDispatch* server = ResourceServer();
    if (!server) return {};
    // Held while calling: a server may reset the cache from inside the call.
    const std::shared_ptr<IDispatch> keep = Cache().server;
    Variant text{std::string()};
    std::vector<Variant> args{Variant(key), Variant::Ref(text)};
    try {
        server->Invoke(Cache().method, InvokeKind::Method, args);
        return text.ToString();
    } catch (...) {
        return {};
    }
}

void ResetResourceStringCache() { Cache() = {}; }

void SetProcessClientType(int clientType) { SharedClientType() = clientType; }

int ProcessClientType() { return SharedClientType(); }

std::optional<DialogServer> DialogServer::Open() {
    std::shared_ptr<IDispatch> server = ProgIdRegistry::Instance().Create(kDialogServerProgId);
    if (!server) return std::nullopt;
    return DialogServer(std::move(server));
}

std::unique_ptr<IDialogSession> DialogServer::OpenSession() {
    std::optional<DialogServer> server = Open();
    if (!server) return nullptr;
    return std::make_unique<DialogServer>(std::move(*server));
}

std::optional<Variant> DialogServer::Call(std::string_view method, std::vector<Variant>& args) {
    try {
        const DispId id = server_->GetIDsOfNames(method);
        return server_->Invoke(id, InvokeKind::Method, args);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<Variant> CallDialog(std::string_view method, std::vector<Variant>& args) {
    std::optional<DialogServer> server = DialogServer::Open();
    if (!server) return std::nullopt;
    return server->Call(method, args);
}

std::int32_t HostMessageBox(const std::string& text, const std::string& caption, std::int32_t buttons,
                            std::int32_t icon, IWindowSite* site) {
    if (ProcessClientType() == 1) {
        const auto flags = static_cast<unsigned>(buttons) | static_cast<unsigned>(icon);
        return site ? site->MessageBox(text, caption, flags) : ShowMessageBox(text, caption, flags);
    }
    std::vector<Variant> args{Variant(text), Variant(caption), Variant(buttons), Variant(icon)};
    const std::optional<Variant> result = CallDialog("MessageBox", args);
    if (!result) return 0;
    try {
        return result->ToI4();
    } catch (...) {
        return 0;
    }
}

}  // namespace vtg
