// A host handler may call anything from inside an event, Clear and SetSettings included. Each
// kind of event that goes out in the middle of an operation is answered by handlers that clear
// the plot, clear it and add new data, or replace its settings; the operation must finish on
// whatever plot is left, and the control must stay usable (the sanitizer build checks that
// nothing freed is touched).
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "platform/RecordingSurface.h"
#include "regions/CPlotDrawingRgn.h"
#include "MethodsTestSupport.h"

namespace vtg::test {
namespace {

// Runs its action on the first delivery of each event name it is asked to answer.
class MeddlingSink : public IEventSink {
public:
    std::function<void()> action = [] {};
    std::set<std::string> answered;
    int depth = 0;

    void OnEvent(DispId, const std::string& name, const std::vector<Variant>&) override {
        if (depth > 0 || answered.count(name)) return;
        answered.insert(name);
        ++depth;
        action();
        --depth;
    }
};

struct EventsReentryTest : MethodsFixture, testing::Test {
    std::shared_ptr<MeddlingSink> meddler = std::make_shared<MeddlingSink>();
    std::string settings;

    EventsReentryTest() {
        LineOfFour();
        Call("Redraw");
        site.Paint();
        settings = Call("GetSettings").ToString();
        Ctrl().Events().Advise(meddler);
        Quiet();
    }
    void LineOfFour() {
        for (int i = 0; i < 4; ++i) {
            Call("SetData", {I2(0), I2(i), Variant(double(i))});
            Call("SetData", {I2(1), I2(i), Variant(double(i * i))});
        }
    }
};

TEST_F(EventsReentryTest, OperationsFinishOnThePlotAHandlerLeft) {
    for (int i = 1; i <= 7; ++i) Call("SetEvent", {I2(i), Variant(true), Variant(true)});
    struct Trigger {
        const char* what;
        std::function<void()> run;
    };
    const Trigger triggers[] = {
        {"Zoom", [&] { Call("Zoom", {I2(1)}); }},
        {"ZoomLevel", [&] { Put(Ctrl(), "ZoomLevel", Variant(4.0)); }},
        {"SetAxisScale", [&] { Call("SetAxisScale", {I2(1), I2(1)}); }},
        {"SetAxisMap", [&] { Call("SetAxisMap", {I2(-1), I2(0)}); }},
        {"SetVariable swap", [&] {
             Call("SetVariable", {I2(0), Variant("A")});
             Call("SetVariable", {I2(1), Variant("B")});
             meddler->answered.clear();
             Call("SetVariable", {I2(0), Variant("B")});
         }},
        {"Title", [&] { Put(Ctrl(), "Title", Variant("New")); }},
        {"ShowLegend", [&] { Put(Ctrl(), "ShowLegend", Variant(true)); }},
        {"ShowTracker", [&] { Put(Ctrl(), "ShowTracker", Variant(true)); }},
        {"Flipped", [&] { Put(Ctrl(), "Flipped", Variant(true)); }},
        {"GridInterval", [&] { Put(Ctrl(), "GridInterval", Variant(2.0f)); }},
        {"paint", [&] {
             Plot().EditPending = 1;
             Call("Redraw");
             site.Paint();
         }},
        {"SetSettings", [&] { Call("SetSettings", {Variant(settings)}); }},
        {"print page", [&] {
             Call("Redraw");
             RecordingSurface printer(SurfaceKind::Printer, {4800, 6000}, 600);
             Ctrl().OnPrintPage(printer);
         }},
        {"LoadStream", [&] { Ctrl().LoadStream(Ctrl().SaveStream()); }},
        {"scroll bar", [&] { site.Scroll(ScrollBar::Horizontal, 1, 0); }},
        {"click", [&] { Ctrl().FireClick(*Plot().PlotToDevice(1, 1)); }},
        {"pointer", [&] { Ctrl().FirePointerLocation(*Plot().PlotToDevice(1, 1)); }},
        {"live data", [&] {
             Put(Ctrl(), "RunPlot", Variant(true));
             Put(Ctrl(), "TimeWindow", Variant(10.0f));
             meddler->answered.clear();
             for (int t = 0; t < 30; t += 3) Call("AddTimeData", {I2(1), Variant(double(t)), Variant(1.0)});
         }},
        {"CopyToBuffer", [&] {
             Put(Ctrl(), "RunPlot", Variant(true));
             Put(Ctrl(), "TimeWindow", Variant(10.0f));
             meddler->answered.clear();
             SafeArray2D a(VarType::R8, 0, 20, 0, 2);
             for (int r = 0; r < 20; ++r) {
                 a.Set(r, 0, r * 2.0);
                 a.Set(r, 1, 1.0);
             }
             Call("CopyToBuffer", {Variant(std::move(a))});
         }},
    };
    struct Handler {
        const char* what;
        std::function<void()> act;
    };
    const Handler handlers[] = {
        {"Clear", [&] { Call("Clear"); }},
        {"Clear and new data", [&] {
             Call("Clear");
             LineOfFour();
         }},
        {"SetSettings", [&] { Call("SetSettings", {Variant(settings)}); }},
    };
    for (const Handler& h : handlers) {
        for (const Trigger& t : triggers) {
            SCOPED_TRACE(std::string(t.what) + " answered by " + h.what);
            meddler->action = [] {};
            Put(Ctrl(), "RunPlot", Variant(false));
            Put(Ctrl(), "Flipped", Variant(false));
            Put(Ctrl(), "ShowLegend", Variant(false));
            Call("Clear");
            LineOfFour();
            Call("Zoom", {I2(3)});
            Call("Redraw");
            site.Paint();
            meddler->answered.clear();
            meddler->action = h.act;
            Quiet();
            t.run();
            EXPECT_FALSE(meddler->answered.empty()) << "the trigger fired nothing";
            meddler->action = [] {};
            Call("Redraw");
            site.Paint();
            EXPECT_NE(Ctrl().PlotIfCreated(), nullptr);
            EXPECT_FALSE(Call("GetSettings").ToString().empty());
        }
    }
}

}  // namespace
}  // namespace vtg::test
