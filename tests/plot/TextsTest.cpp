// The plot's texts: legends with the user's decimal separator, substitution values, fonts and
// the host's legend box.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "platform/Locale.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {
namespace {

struct TextsTest : test::PlotFixture, testing::Test {
    TextsTest() { Plot().SetVariableCount(3); }
};

TEST_F(TextsTest, LegendPointsBetweenDigitsTakeTheUsersSeparator) {
    struct Row {
        const char* separator;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {",", "1.5 mol", "1,5 mol"},
        {",", "1.5 to 22.75", "1,5 to 22,75"},
        {",", "Tank A.B", "Tank A.B"},        // letters around the point
        {",", "12. kg", "12. kg"},            // no digit after it
        {",", "x.5 y", "x.5 y"},              // no digit before it
        {",", "1.5", "1.5"},                  // three characters or fewer are never changed
        {",", "1.55", "1,55"},
        {"\xD9\xAB", "1.5 mol", "1\xD9\xAB" "5 mol"},      // a two-byte separator fits whole
        {"<,>", "0.25 m", "0<,>25 m"},
        {"", "1.5 mol", "1.5 mol"},           // no separator given: the point stays
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        LocaleOverride locale({row.separator, "", ""});
        Plot().SetLegend(2, row.text);
        EXPECT_EQ(Plot().GetLegend(2), std::optional<std::string>(row.expected));
    }
}

TEST_F(TextsTest, SubstitutionValuesOnlyReachExistingVariables) {
    CPlotLook& p = Plot();
    p.SetAxisMap(2, 2);
    p.SetLegend(3, "Bottoms");
    p.SetSubstitutionValue(3, "kg/h");
    EXPECT_EQ(p.YVar(2)->SubstValue, "kg/h");
    EXPECT_EQ(p.YAxisRgns[1]->Label.Text2, "kg/h");
    EXPECT_EQ(p.GetSubstitutionValue(3), std::optional<std::string>("kg/h"));
    // Without a legend text there is nothing to substitute into.
    p.SetSubstitutionValue(1, "t");
    EXPECT_FALSE(p.GetSubstitutionValue(1));

    p.SetLabel(0, "Time");
    p.SetSubstitutionValue(0, "s");
    EXPECT_EQ(p.GetSubstitutionValue(0), std::optional<std::string>("s"));

    for (int index : {-1, 4, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(index);
        p.SetSubstitutionValue(index, "stray");
        EXPECT_FALSE(p.GetSubstitutionValue(index));
    }
    for (const auto& var : p.YVars) EXPECT_NE(var->SubstValue, "stray");
}

TEST_F(TextsTest, LabelAndLegendFontsBringTheirSmallCompanions) {
    CPlotLook& p = Plot();
    p.SetFont(1, "Arial", 12, 1);
    EXPECT_EQ(p.Fonts[CPlotLook::kLabelFont].Horizontal()->Size, 12);
    EXPECT_EQ(p.Fonts[CPlotLook::kLabelFont].Vertical()->Angle, 90);
    EXPECT_EQ(p.Fonts[CPlotLook::kSmallLabelFont].Horizontal()->Size, 9);
    p.LegendRgn->Measured = 1;
    p.SetFont(3, "Arial", 11, 0);
    EXPECT_EQ(p.LegendRgn->Measured, 0);
    EXPECT_EQ(p.Fonts[CPlotLook::kSmallLegendFont].Horizontal()->Size, 8);

    const CVTGFont* before = p.Fonts[CPlotLook::kSmallLegendFont].Horizontal();
    for (int which : {-1, 5, 99}) p.SetFont(which, "Courier", 30, 0);
    EXPECT_EQ(p.Fonts[CPlotLook::kSmallLegendFont].Horizontal(), before);
}

TEST_F(TextsTest, LegendBoxTakesOnlyValuesWithinTheirRanges) {
    CPlotLook& p = Plot();
    const CPlotLegendRgn& legend = *p.LegendRgn;
    struct Row {
        int location;
        int sample;
        double spacing;
        int margin;
        int expectSample;
        float expectSpacing;
        int expectMargin;
        int placed;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Row rows[] = {{0, 300, 5.0, 50, 20, 1.25f, 6, 0},      {1, 30, 1.5, 8, 30, 1.5f, 8, 1},
                        {2, 10, 0.79, 2, 30, 1.5f, 8, 1},        {2, 200, 0.8, 3, 200, 0.8f, 3, 1},
                        {2, INT_MIN, nan, 40, 200, 0.8f, 3, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.sample);
        p.SetLegendBox(row.location, row.sample, row.spacing, row.margin);
        EXPECT_EQ(legend.SampleLength, row.expectSample);
        EXPECT_FLOAT_EQ(legend.ItemSpacing, row.expectSpacing);
        EXPECT_EQ(legend.Margin, row.expectMargin);
        EXPECT_EQ(p.LegendBoxPlaced, row.placed);
    }
    host.props.IgnoreSetLegend = true;
    p.LegendBoxPlaced = 0;
    p.SetLegendBox(1, 50, 1.0, 5);
    EXPECT_EQ(legend.SampleLength, 200);
    EXPECT_EQ(p.LegendBoxPlaced, 0);
}

}  // namespace
}  // namespace vtg
