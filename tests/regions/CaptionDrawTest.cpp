// Drawing axis captions: the start point and alignment of horizontal and upright captions, the
// multiplier suffix with its raised exponent, the text colour rules, substitution values and
// symbols, the variable sample of run plots, the triangle sides, and the selection frame.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "control/HostServices.h"
#include "platform/Automation.h"
#include "platform/ProgIdRegistry.h"
#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/SelectionStyle.h"

namespace vtg {
namespace {

struct CaptionDrawTest : test::PlotFixture, testing::Test {
    RecordingSurface dc;

    // Lays the caption out where its measured size fits and draws it.
    std::vector<DrawCall> DrawAt(CPlotLabelRgn& caption, Point at) {
        const Size size = caption.Measure(dc, Plot());
        caption.SetRect(at.x, at.y, at.x + size.cx, at.y + size.cy);
        dc.Clear();
        caption.Draw(dc, Plot(), 1);
        return dc.CallsOf(DrawOp::Text);
    }
    Size Along(const std::string& text, int slot, bool vertical) {
        const CPlotFont& set = plot->Fonts[static_cast<std::size_t>(slot)];
        return env.MeasureText(dc, vertical ? set.Vertical() : set.Horizontal(), text);
    }
    static int Advance(const DrawCall& call) { return RecordingSurface().MeasureText(call.state.font, call.text).cx; }
};

TEST_F(CaptionDrawTest, UprightCaptionRaisesItsExponentToTheLeft) {
    CPlotLook& p = Plot();
    p.SetLabel(1, "Flow");
    p.YAxisRgns[0]->Axis->Multiplier = 3;
    CPlotLabelRgn& caption = *p.YLabelRgns[0];
    const auto texts = DrawAt(caption, {10, 50});
    ASSERT_EQ(dc.Texts(), (std::vector<std::string>{"Flow", " x 10", "3"}));

    const Size along = Along("Flow x 103", CPlotLook::kLabelFont, true);
    EXPECT_EQ(texts[0].points[0].y, 50 + along.cx);
    // Across the side the caption's drawn glyphs fill its measured width exactly: the text's
    // descent against the right edge, the raised exponent's top against the left one.
    EXPECT_EQ(texts[0].rect.right, caption.Rect.right);
    EXPECT_EQ(texts[2].rect.left, caption.Rect.left);
    for (const DrawCall& text : texts) {
        EXPECT_GE(text.rect.left, caption.Rect.left) << text.text;
        EXPECT_LE(text.rect.right, caption.Rect.right) << text.text;
    }
    EXPECT_EQ(texts[0].state.textAlign, TextAlign::Baseline | TextAlign::UpdateCP);
    EXPECT_EQ(texts[0].state.font.angle, 900);
    EXPECT_EQ(texts[0].state.bkMode, BkMode::Transparent);
    // Each piece continues upwards where the previous one ended.
    EXPECT_EQ(texts[1].points[0], (Point{texts[0].points[0].x, texts[0].points[0].y - Advance(texts[0])}));
    const Point end{texts[1].points[0].x, texts[1].points[0].y - Advance(texts[1])};
    EXPECT_EQ(texts[2].points[0], (Point{end.x - along.cy / 2, end.y}));
    EXPECT_EQ(texts[2].state.font.angle, 900);
    EXPECT_LT(texts[2].state.font.height, texts[0].state.font.height);
}

TEST_F(CaptionDrawTest, HorizontalCaptionRaisesItsExponentUpwards) {
    struct Row {
        int multiplier;
        std::vector<std::string> texts;
    };
    const Row rows[] = {{-2, {"Time", " x 10", "-2"}}, {1, {"Time", " x 10"}}};
    CPlotLook& p = Plot();
    p.SetLabel(0, "Time");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.multiplier);
        p.XAxisRgn->Axis->Multiplier = row.multiplier;
        const auto texts = DrawAt(*p.XLabelRgn, {100, 300});
        ASSERT_EQ(dc.Texts(), row.texts);
        EXPECT_EQ(texts[0].points[0], (Point{100, p.XLabelRgn->Rect.bottom}));
        EXPECT_EQ(texts[0].state.textAlign, TextAlign::Bottom | TextAlign::UpdateCP);
        EXPECT_EQ(texts[0].state.font.angle, 0);
        if (texts.size() < 3) continue;
        const int height = p.XLabelRgn->Rect.Height();
        EXPECT_EQ(texts[2].points[0], (Point{texts[1].points[0].x + Advance(texts[1]), p.XLabelRgn->Rect.bottom - height / 2}));
    }
}

TEST_F(CaptionDrawTest, TextColourFollowsTheClientType) {
    CPlotLook& p = Plot();
    p.SetVariableCount(2);
    p.SetAxisMap(1, 2);
    p.YVar(1)->Color = 4;
    host.props.ForeColor = 0x0000FF;
    const Color red = Rgb(255, 0, 0);
    const Color palette3 = RgbOnly(tool.PaletteColor(3));
    const Color palette0 = RgbOnly(tool.PaletteColor(0));
    const Color variable = RgbOnly(tool.PaletteColor(4));
    struct Row {
        int clientType;
        int colorIndex;
        int variableIndex;
        Color expected;
    };
    const Row rows[] = {{0, 3, 2, palette3}, {0, -1, 2, palette0}, {1, 3, 0, red}, {1, 3, 2, variable}};
    CPlotLabelRgn& caption = *p.YLabelRgns[0];
    caption.Caption->Text = "Level";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.clientType * 100 + row.colorIndex);
        host.props.ClientType = static_cast<std::int16_t>(row.clientType);
        caption.ColorIndex = row.colorIndex;
        caption.VariableIndex = row.variableIndex;
        const auto texts = DrawAt(caption, {10, 50});
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].state.textColor, row.expected);
    }
}

TEST_F(CaptionDrawTest, CaptionsShowSubstitutionValuesAndSymbols) {
    CPlotLook& p = Plot();
    p.SubstitutionString = "%u";
    p.SetSymbol("UNIT", "bar");
    p.SetLabel(0, "Pressure [&[UNIT]]");
    p.SetLabel(1, "Mass [%u]");
    p.SetSubstitutionValue(1, "kg");
    DrawAt(*p.XLabelRgn, {0, 0});
    EXPECT_EQ(dc.Texts(), std::vector<std::string>{"Pressure [bar]"});
    EXPECT_EQ(p.XLabelRgn->Measure(dc, p), Along("Pressure [bar]", CPlotLook::kLabelFont, false));
    DrawAt(*p.YLabelRgns[0], {0, 0});
    EXPECT_EQ(dc.Texts(), std::vector<std::string>{"Mass [kg]"});

    // A caption that shows a variable's legend takes the variable's value.
    p.SetLegend(1, "Feed [%u]");
    p.YVar(0)->SubstValue = "t/h";
    p.YLabelRgns[0]->Caption = &p.YVar(0)->Label;
    DrawAt(*p.YLabelRgns[0], {0, 0});
    EXPECT_EQ(dc.Texts(), std::vector<std::string>{"Feed [t/h]"});
}

TEST_F(CaptionDrawTest, HiddenSuppressedOrUnpaintedCaptionsDrawNothing) {
    CPlotLook& p = Plot();
    p.SetLabel(0, "Time");
    CPlotLabelRgn& caption = *p.XLabelRgn;
    struct Row {
        const char* name;
        int hidden;
        int suppressed;
        Rect rect;
        Rect paint;
        int force;
        std::size_t calls;
    };
    const Rect everywhere{-100000, -100000, 100000, 100000};
    const Rect elsewhere{200, 200, 300, 300};
    const Row rows[] = {{"hidden", 1, 0, {10, 10, 80, 30}, everywhere, 1, 0},
                        {"suppressed", 0, 1, {10, 10, 80, 30}, everywhere, 1, 0},
                        {"not repainted", 0, 0, {10, 10, 80, 30}, elsewhere, 0, 0},
                        {"forced", 0, 0, {10, 10, 80, 30}, elsewhere, 1, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        caption.Hidden = row.hidden;
        caption.Suppressed = row.suppressed;
        caption.Rect = row.rect;
        env.PaintArea = row.paint;
        dc.Clear();
        caption.Draw(dc, p, row.force);
        EXPECT_EQ(dc.Calls().size(), row.calls);
    }
}

TEST_F(CaptionDrawTest, RunPlotCaptionDrawsItsVariablesSampleBelowTheText) {
    CPlotLook& p = Plot();
    p.SetLabel(1, "Level");
    p.YVar(0)->Color = 2;
    p.YVar(0)->PenWidth = 3;
    p.YVar(0)->Marker = 1;
    CPlotLabelRgn& caption = *p.YLabelRgns[0];
    DrawAt(caption, {20, 40});
    EXPECT_EQ(dc.CountOf(DrawOp::Polyline), 0u);

    p.RunPlot = 1;
    const auto texts = DrawAt(caption, {20, 40});
    ASSERT_EQ(texts.size(), 1u);
    const auto lines = dc.CallsOf(DrawOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    const int x = caption.Rect.left + caption.Rect.Width() / 2;
    const int y = texts[0].points[0].y + 5;
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{x, y}, {x, y + 20}}));
    EXPECT_EQ(lines[0].state.pen.color, RgbOnly(tool.PaletteColor(2)));
    EXPECT_EQ(lines[0].state.pen.width, 3);
    const auto markers = dc.CallsOf(DrawOp::Ellipse);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].rect, (Rect{x - 4, y + 6, x + 4, y + 14}));

    p.BarGraph = 1;
    DrawAt(caption, {20, 40});
    EXPECT_EQ(dc.CountOf(DrawOp::Polyline), 1u);
    EXPECT_EQ(dc.CountOf(DrawOp::Ellipse), 0u);
}

TEST_F(CaptionDrawTest, TriangleSidesSlantTheirCaption) {
    CPlotLook& p = Plot();
    struct Row {
        int plotType;
        std::size_t side;
        int angle;
    };
    const Row rows[] = {{2, 0, 600}, {2, 1, 3000}, {3, 0, 900}, {3, 1, 3150}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.plotType * 10 + static_cast<int>(row.side));
        p.SetPlotType(row.plotType);
        CPlotLabelRgn& caption = *p.YLabelRgns[row.side];
        ASSERT_EQ(caption.Class(), RegionClass::TriLabel);
        caption.Caption->Text = "Component";
        caption.Hidden = 0;
        caption.SetRect(100, 100, 160, 180);
        dc.Clear();
        caption.Draw(dc, p, 1);
        const auto texts = dc.CallsOf(DrawOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].state.font.angle, row.angle);
        // The text's middle lies on the rectangle's centre.
        const double a = row.angle / 10.0 * 3.14159265358979 / 180.0;
        const double half = Advance(texts[0]) / 2.0;
        EXPECT_NEAR(texts[0].points[0].x + half * std::cos(a), 130, 1.5);
        EXPECT_NEAR(texts[0].points[0].y - half * std::sin(a), 140, 1.5);
    }
}

TEST_F(CaptionDrawTest, SelectionFrameOutlinesTheRectangle) {
    CPlotLook& p = Plot();
    p.XLabelRgn->SetRect(10, 20, 90, 40);
    env.OffsetX = 5;
    p.XLabelRgn->DrawSelection(dc, p);
    const auto frames = dc.CallsOf(DrawOp::Rectangle);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, (Rect{15, 20, 95, 40}));
    EXPECT_EQ(frames[0].state.pen, SelectionPen());
    EXPECT_EQ(frames[0].state.brush.kind, BrushKind::Null);
}

TEST_F(CaptionDrawTest, EditingTakesTheDialogsTextAndAnEmptiedCornerGoes) {
    CPlotLook& p = Plot();
    std::string answer;
    std::vector<std::string> captions;
    ScopedProgId server(std::string(kDialogServerProgId), [&] {
        auto dialogs = std::make_shared<DispatchObject>();
        dialogs->AddMethod("ShowTextInputDialog", [&](std::vector<Variant>& a) {
            captions.push_back(a[0].ToString());
            SetOutArg(a[5], Variant(answer));
            return Variant(std::int32_t{1});
        });
        return std::shared_ptr<IDispatch>(dialogs);
    });
    host.strings["IDS_PLOTREGION_YAXISLABEL"] = "Y axis";
    answer = "Head";
    EXPECT_TRUE(p.YLabelRgns[0]->EditProperties(dc, p));
    EXPECT_EQ(p.GetLabel(1), "Head");
    EXPECT_EQ(captions, std::vector<std::string>{"Y axis"});

    p.SetLabel(-1, "North");
    answer = "";
    EXPECT_TRUE(p.CornerRgns[0]->EditProperties(dc, p));
    EXPECT_FALSE(p.CornerRgns[0]);
}

}  // namespace
}  // namespace vtg
