// A variable's values: growth, missing values, the valid count of rings, the time order a
// wrapped ring is written in, and indexes no caller should be able to misuse.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Automation.h"
#include "plot/CPlotVar.h"
#include "axes/PlotValues.h"

namespace vtg {
namespace {

TEST(PlotVarTest, SetValueBeyondTheEndGrowsTenSlotsPastThePoint) {
    CPlotVar v(0);
    v.Resize(10);
    ASSERT_TRUE(v.SetValue(12, 3.5));
    EXPECT_EQ(v.Capacity(), 22u);
    EXPECT_EQ(v.Marks.size(), 22u);
    EXPECT_EQ(v.MaxIndex, 12u);
    for (std::uint32_t i = 10; i < 22; ++i) {
        if (i == 12) continue;
        EXPECT_EQ(v.GetValue(i).value, kMissingValue) << i;
    }
    EXPECT_DOUBLE_EQ(v.GetValue(12).value, 3.5);
}

TEST(PlotVarTest, GetValueBeyondTheValidValuesIsMissing) {
    CPlotVar v(0);
    v.Resize(3);
    const ValueRead r = v.GetValue(3);
    EXPECT_FALSE(r.valid);
    EXPECT_EQ(r.value, kMissingValue);
    EXPECT_FALSE(v.GetValue(-1).valid);
    v.ImplicitX = 1;
    v.ImplicitXOffset = 100;
    EXPECT_DOUBLE_EQ(v.GetValue(2).value, 102.0);
    EXPECT_FALSE(v.GetValue(3).valid);
    // Storing a value ends the implicit abscissa.
    v.SetValue(0, 7.0);
    EXPECT_DOUBLE_EQ(v.GetValue(2).value, kMissingValue);
}

TEST(PlotVarTest, PointsThatCannotBeStoredAreRefusedWithoutGrowth) {
    CPlotVar v(0);
    v.Resize(5);
    for (std::int64_t point : {std::int64_t{-1}, std::int64_t{-32768}, std::int64_t{4294967295},
                               std::int64_t{CPlotVar::kMaxSlots}, std::numeric_limits<std::int64_t>::max()}) {
        EXPECT_FALSE(v.SetValue(point, 1.0)) << point;
    }
    EXPECT_EQ(v.Capacity(), 5u);
    EXPECT_THROW(v.Resize(CPlotVar::kMaxSlots + 1), AutomationError);
    EXPECT_EQ(v.Capacity(), 5u);
}

TEST(PlotVarTest, ValuesThatAreNotFiniteAreStoredAsMissing) {
    CPlotVar v(0);
    const double inf = std::numeric_limits<double>::infinity();
    v.SetValue(0, std::nan(""));
    v.SetValue(1, inf);
    v.SetValue(2, -inf);
    v.SetValue(3, 2.0);
    v.SetValue(4, -1.0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(v.GetValue(i).value, kMissingValue);
    const MinMax m = v.GetMinMax();
    EXPECT_TRUE(m.valid);
    EXPECT_DOUBLE_EQ(m.min, -1.0);
    EXPECT_DOUBLE_EQ(m.max, 2.0);
}

TEST(PlotVarTest, MinMaxOfAVariableWithoutValuesIsZeroToOne) {
    CPlotVar v(0);
    v.Resize(4);
    const MinMax m = v.GetMinMax();
    EXPECT_FALSE(m.valid);
    EXPECT_EQ(m.min, 0);
    EXPECT_EQ(m.max, 1);
}

TEST(PlotVarTest, RingCountsPushedValuesUntilItWraps) {
    CPlotVar v(0);
    v.MakeCircular(4);
    EXPECT_EQ(v.ValidCount(), 0u);
    for (int i = 0; i < 3; ++i) v.SetValue(v.WritePos, i);
    EXPECT_EQ(v.ValidCount(), 3u);
    EXPECT_EQ(v.Wrapped, 0u);
    v.SetValue(v.WritePos, 3);
    EXPECT_EQ(v.Wrapped, 1u);
    EXPECT_EQ(v.WritePos, 0u);
    v.SetValue(v.WritePos, 4);
    v.SetValue(v.WritePos, 5);
    EXPECT_EQ(v.ValidCount(), 4u);
    EXPECT_EQ(v.OrderedValues(), (std::vector<double>{2, 3, 4, 5}));
}

TEST(PlotVarTest, FillMissingOfASmallRingStaysInsideItsSlots) {
    CPlotVar v(0);
    v.MakeCircular(100);
    v.Values.resize(3, 1.0);
    v.Marks.resize(3);
    v.FillMissing();
    EXPECT_EQ(v.Capacity(), 3u);
    for (double x : v.Values) EXPECT_EQ(x, kMissingValue);
}

TEST(PlotVarTest, LoadedRingsKeepTheirSizeAndTimeOrder) {
    CPlotVar v(0);
    v.MakeCircular(1000);
    v.LoadValues({1, 2, 3, 4, 5});
    EXPECT_EQ(v.Capacity(), 1000u);
    EXPECT_EQ(v.WritePos, 5u);
    EXPECT_EQ(v.OrderedValues(), (std::vector<double>{1, 2, 3, 4, 5}));

    CPlotVar full(0);
    full.MakeCircular(3);
    full.LoadValues({7, 8, 9});
    EXPECT_EQ(full.Wrapped, 1u);
    full.SetValue(full.WritePos, 10);
    EXPECT_EQ(full.OrderedValues(), (std::vector<double>{8, 9, 10}));

    CPlotVar grown(0);
    grown.MakeCircular(2);
    grown.LoadValues({1, 2, 3, 4});
    EXPECT_EQ(grown.Capacity(), 4u);
    EXPECT_EQ(grown.OrderedValues(), (std::vector<double>{1, 2, 3, 4}));
}

TEST(PlotVarTest, ClearKeepsTheSubstitutionValueAndReleaseFreesEverything) {
    CPlotVar v(0);
    v.Resize(3);
    v.SetValue(1, 2);
    v.Name = "n";
    v.Label.Text = "legend";
    v.MapCaption = "caption";
    v.SubstValue = "kg";
    v.XVarIndex = 2;
    v.Clear();
    EXPECT_TRUE(v.Name.empty());
    EXPECT_TRUE(v.Label.Text.empty());
    EXPECT_TRUE(v.MapCaption.empty());
    EXPECT_EQ(v.SubstValue, "kg");
    EXPECT_EQ(v.XVarIndex, 0);
    EXPECT_FALSE(v.GetMinMax().valid);

    v.Release();
    EXPECT_EQ(v.Hidden, 1);
    EXPECT_EQ(v.Capacity(), 0u);
    EXPECT_TRUE(v.Marks.empty());
    EXPECT_FALSE(v.GetValue(0).valid);
}

}  // namespace
}  // namespace vtg
