// The legend and Y-axis-map dialogs through a fake dialog server.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "control/HostServices.h"
#include "plot/CPlotLook.h"
#include "platform/ProgIdRegistry.h"
#include "MethodsTestSupport.h"

namespace vtg::test {
namespace {

Variant Long(int v) { return Variant(static_cast<std::int32_t>(v)); }

// A dialog server that answers the axis-map dialog from fixed tables and records what the
// control offered it.
struct AxisMapServer {
    int accept = 1;
    int apply = 1;
    std::vector<int> axes;                  // the answer per variable
    int labelAnswers = 1000;                // GetYAxisLabel keeps answering this many times
    std::vector<std::string> offeredLegends;
    std::vector<int> offeredAxes;
    int labelCalls = 0;

    ScopedProgId server{std::string(kDialogServerProgId), [this] {
                            auto d = std::make_shared<DispatchObject>();
                            d->AddMethod("AddVarName", [this](std::vector<Variant>& a) {
                                offeredLegends.push_back(a[0].ToString());
                                return Long(1);
                            });
                            d->AddMethod("AddYAxisLabel", [](std::vector<Variant>&) { return Long(1); });
                            d->AddMethod("AddYAxisMapIndex", [this](std::vector<Variant>& a) {
                                offeredAxes.push_back(a[0].ToI4());
                                return Long(1);
                            });
                            d->AddMethod("ShowYAxisMapDialog", [this](std::vector<Variant>& a) {
                                SetOutArg(a[1], Long(apply));
                                return Long(accept);
                            });
                            d->AddMethod("GetYAxisMapIndex", [this](std::vector<Variant>& a) {
                                const auto i = static_cast<std::size_t>(a[0].ToI4());
                                if (i >= axes.size()) return Long(0);
                                SetOutArg(a[1], Long(axes[i]));
                                return Long(1);
                            });
                            d->AddMethod("GetYAxisLabel", [this](std::vector<Variant>& a) {
                                ++labelCalls;
                                if (labelCalls > labelAnswers) return Long(0);
                                SetOutArg(a[1], Variant("Axis " + std::to_string(a[0].ToI4() + 1)));
                                return Long(1);
                            });
                            return std::shared_ptr<IDispatch>(d);
                        }};
};

struct DialogsTest : MethodsFixture, testing::Test {
    DialogsTest() {
        PutProperty(Ctrl(), "nvariables", I2(3));
        for (int v = 1; v <= 3; ++v) Call("SetLegend", {I2(v), Variant("V" + std::to_string(v))});
        Quiet();
    }
};

TEST_F(DialogsTest, AxisMapDialogMapsVariablesLabelsAxesAndReports) {
    AxisMapServer dialog;
    dialog.axes = {1, 2, 2};
    Call("AddYAxisMapDialog");
    EXPECT_EQ(dialog.offeredLegends, (std::vector<std::string>{"V1", "V2", "V3"}));
    EXPECT_EQ(dialog.offeredAxes, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Call("GetNYaxes").ToI2(), 2);
    EXPECT_EQ(Call("GetAxisMap", {I2(2)}).ToI2(), 2);
    EXPECT_EQ(Call("GetLabel", {I2(2)}).ToString(), "Axis 2");
    // A server that never stops answering is asked only for the axes the map can have.
    EXPECT_EQ(dialog.labelCalls, 2);
    // Applying the map is the SetAxisMap(-1, 0) call, which reports on its own too.
    EXPECT_EQ(sink->Count("Modified"), 2u);
    EXPECT_EQ(sink->Count("Zoomed"), 1u);
}

TEST_F(DialogsTest, AxisMapDialogIgnoresAbsurdAnswersAndCancels) {
    {
        AxisMapServer dialog;
        dialog.axes = {-4, 30000, 2};   // neither a negative axis nor one far beyond is mapped
        Call("AddYAxisMapDialog");
        EXPECT_EQ(Call("GetAxisMap", {I2(0)}).ToI2(), 1);
        EXPECT_EQ(Call("GetAxisMap", {I2(1)}).ToI2(), 1);
        EXPECT_EQ(Call("GetAxisMap", {I2(2)}).ToI2(), 2);
        EXPECT_EQ(Call("GetNYaxes").ToI2(), 2);
    }
    Quiet();
    {
        AxisMapServer dialog;
        dialog.accept = 0;
        dialog.axes = {3, 3, 3};
        Call("AddYAxisMapDialog");
        EXPECT_EQ(Call("GetAxisMap", {I2(0)}).ToI2(), 1);
        EXPECT_EQ(sink->Count("Modified"), 0u);
    }
    // Without a server the dialog counts as cancelled.
    Call("AddYAxisMapDialog");
    EXPECT_EQ(sink->Count("Modified"), 0u);
}

TEST_F(DialogsTest, LegendDialogEditsTheLegendsAndReportsAChange) {
    std::vector<std::string> offered;
    ScopedProgId server{std::string(kDialogServerProgId), [&offered] {
                            auto d = std::make_shared<DispatchObject>();
                            d->AddMethod("AddLegend", [&offered](std::vector<Variant>& a) {
                                offered.push_back(a[0].ToString());
                                return Long(1);
                            });
                            d->AddMethod("ShowEditLegendDialog", [](std::vector<Variant>&) { return Long(1); });
                            d->AddMethod("GetLegend", [](std::vector<Variant>& a) {
                                SetOutArg(a[1], Variant("L" + std::to_string(a[0].ToI4())));
                                return Long(1);
                            });
                            return std::shared_ptr<IDispatch>(d);
                        }};
    Call("AddLegendEditDialog");
    EXPECT_EQ(offered, (std::vector<std::string>{"V1", "V2", "V3"}));
    EXPECT_EQ(Call("GetLegend", {I2(3)}).ToString(), "L2");
    EXPECT_EQ(sink->Count("Modified"), 1u);
}

}  // namespace
}  // namespace vtg::test
