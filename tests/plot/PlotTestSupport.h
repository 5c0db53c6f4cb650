#pragma once
// A control stand-in for plot tests: it keeps the control's properties, counts what the plot
// asks of it and hands out object ids as the control does.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "control/HostServices.h"
#include "objects/ObjectIdAllocator.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"

namespace vtg::test {

class FakePlotHost : public IPlotHost {
public:
    ControlProperties& Properties() override { return props; }
    const ControlProperties& Properties() const override { return props; }
    void InvalidateControl() override { ++invalidations; }
    void InvalidateRect(const Rect&, bool) override { ++invalidations; }
    void FireEvent(std::string_view name, std::vector<Variant>) override { events.emplace_back(name); }
    void ModifiedTail() override { ++modified; }
    std::string ResourceString(std::string_view key) override {
        const auto it = strings.find(std::string(key));
        return it == strings.end() ? std::string() : it->second;
    }
    IWindowSite* Site() override { return nullptr; }
    int AllocateObjectId(const std::function<bool(int)>& inUse) override { return ids.Allocate(inUse); }
    int ClaimObjectId(int given, const std::function<bool(int)>& inUse) override { return ids.Claim(given, inUse); }
    void RegisterHighlight(int id) override { highlighted.push_back(id); }
    void UnregisterHighlight(int id) override { std::erase(highlighted, id); }
    void RefreshMenus() override { ++menuRefreshes; }
    void ContentDeleted() override { ++contentDeleted; }
    void WriteLog(std::string_view line) override { log += line; }
    std::unique_ptr<IDialogSession> OpenDialog() override { return DialogServer::OpenSession(); }

    ControlProperties props;
    std::map<std::string, std::string> strings;
    ObjectIdAllocator ids;
    int invalidations = 0;
    int modified = 0;
    int menuRefreshes = 0;
    int contentDeleted = 0;
    std::vector<std::string> events;
    std::vector<int> highlighted;
    std::string log;
};

// A plot built the way the control builds it, on a private drawing tool.
struct PlotFixture {
    CDrawTool tool;
    CPlotEnv env;
    FakePlotHost host;
    std::unique_ptr<CPlotLook> plot;

    PlotFixture() {
        env.Tools = &tool;
        Rebuild();
    }
    void Rebuild() {
        plot.reset();
        plot = std::make_unique<CPlotLook>(env, host);
    }
    CPlotLook& Plot() { return *plot; }
};

}  // namespace vtg::test
