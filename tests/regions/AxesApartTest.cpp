// Several Y axes side by side, as drawn: after a whole draw every axis and caption region is
// drawn again on a surface of its own, and what each one drew (texts, axis lines, ticks,
// samples) must keep clear of what every other one drew -- for 2 to 4 Y axes, flipped plots,
// a multiplier exponent on a caption, and output scales above 1, where fonts are scaled to
// whole points and no longer measure the unscaled extent times the scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/LegendTestSupport.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {
namespace {

// What one region drew.
struct Drawn {
    std::string name;
    Rect rect;              // the region's
    bool vertical = false;  // on the left side
    std::vector<Rect> texts;
    std::vector<Rect> strokes;
};

struct AxesApartTest : test::PlotFixture, testing::Test {
    // Per axis: range, caption; the second axis's labels carry a multiplier of 10^3.
    struct AxisSetup {
        double lo;
        double hi;
        const char* caption;
    };
    static constexpr AxisSetup kAxes[] = {
        {0, 200, "Temperature [degC]"},
        {0, 15, "Pressure [bar(g)]"},
        {-0.0025, 0.0125, "Conversion rate [1/s]"},
        {-50000, 250000, "Heat duty [W]"},
    };

    void Build(int axes, bool flipped, double scale) {
        CPlotLook& p = Plot();
        env.OutputScale = scale;
        p.SetVariableCount(axes);
        p.SetLabel(0, "Time [min]");
        for (int i = 0; i < axes; ++i) {
            if (i > 0) p.SetAxisMap(i, i + 1);
        }
        p.SetPointCount(2);
        for (int i = 0; i < axes; ++i) {
            const AxisSetup& a = kAxes[i];
            p.SetLabel(i + 1, a.caption);
            for (int k = 0; k < 2; ++k) {
                p.SetData(0, k, 120.0 * k);
                p.SetData(i + 1, k, k == 0 ? a.lo : a.hi);
            }
        }
        p.Recalculate();
        if (axes >= 2) p.YAxisRegion(2)->Axis->Multiplier = 3;
        p.Flipped = flipped ? 1 : 0;
        p.SetSize(static_cast<int>(800 * scale), static_cast<int>(600 * scale));
        RecordingSurface whole(SurfaceKind::Memory, {p.Width, p.Height});
        p.Draw(whole, {0, 0, p.Width, p.Height}, 0, 1);
    }

    Drawn DrawAlone(CPlotRegion& region, const std::string& name) {
        RecordingSurface dc(SurfaceKind::Memory, {Plot().Width, Plot().Height});
        region.Draw(dc, Plot(), 1);
        Drawn d{name, region.Rect, region.Rect.Height() > region.Rect.Width(), {}, {}};
        for (const DrawCall& call : dc.Calls()) {
            if (call.op == DrawOp::Text) d.texts.push_back(call.rect);
            if (call.op == DrawOp::Polyline) d.strokes.push_back(test::BoundsOf(call.points, call.state.pen.width));
            if (call.op == DrawOp::Ellipse) d.strokes.push_back(call.rect);
        }
        return d;
    }

    // Every axis and caption region the layout gave a place, drawn alone.
    std::vector<Drawn> DrawnRegions() {
        CPlotLook& p = Plot();
        std::vector<Drawn> out;
        auto add = [&](CPlotRegion* region, const std::string& name) {
            if (region && !region->Hidden && !region->Rect.IsEmpty()) out.push_back(DrawAlone(*region, name));
        };
        add(p.XAxisRgn.get(), "X axis");
        add(p.XLabelRgn.get(), "X caption");
        for (int k = 1; k <= p.YAxisCount(); ++k) {
            add(p.YAxisRegion(k), "Y axis " + std::to_string(k));
            add(p.CaptionOfAxis(k), "Y caption " + std::to_string(k));
        }
        return out;
    }
};

TEST_F(AxesApartTest, NoAxisOrCaptionDrawsIntoAnother) {
    struct Row {
        int axes;
        bool flipped;
        double scale;
    };
    // The scales above 1 are ones where the scaled axis font draws labels wider than their
    // measured extent times the scale.
    const Row rows[] = {
        {2, false, 1.0}, {3, false, 1.0}, {4, false, 1.0}, {2, true, 1.0},  {4, true, 1.0},
        {3, false, 1.12}, {4, false, 2.02}, {3, true, 2.32}, {4, false, 4.72},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.axes << " axes" << (row.flipped ? " flipped" : "") << " at "
                                        << row.scale);
        Rebuild();
        Build(row.axes, row.flipped, row.scale);
        const std::vector<Drawn> drawn = DrawnRegions();
        // The X axis and caption, and per shown Y axis its axis and caption; on flipped plots
        // only the first Y axis has a place.
        ASSERT_EQ(drawn.size(), 2u + 2u * (row.flipped ? 1u : static_cast<std::size_t>(row.axes)));
        for (const Drawn& a : drawn) {
            ASSERT_FALSE(a.texts.empty()) << a.name;
            // Each region is as wide as the texts it draws across the side.
            if (a.vertical) {
                for (const Rect& text : a.texts) {
                    EXPECT_GE(text.left, a.rect.left) << a.name;
                    EXPECT_LE(text.right, a.rect.right) << a.name;
                }
            }
            for (const Rect& text : a.texts) {
                EXPECT_GE(text.left, 0) << a.name;
                // Texts keep at least a pixel clear of anything another region drew.
                const Rect clear = text.Inflate(1, 1);
                for (const Drawn& b : drawn) {
                    if (&a == &b) continue;
                    for (const Rect& other : b.texts) EXPECT_FALSE(clear.Intersects(other)) << a.name << " / " << b.name;
                    for (const Rect& other : b.strokes) EXPECT_FALSE(clear.Intersects(other)) << a.name << " / " << b.name;
                }
            }
        }
        // No text reaches into the drawing area: they all stay left of it or below it.
        const Rect area = Plot().DrawingRgn->Rect;
        for (const Drawn& a : drawn) {
            for (const Rect& text : a.texts) {
                EXPECT_TRUE(text.right <= area.left || text.top >= area.bottom) << a.name;
            }
        }
    }
}

}  // namespace
}  // namespace vtg
