// The plot's selection operations: what a pick does to the old and the new selection, and
// what a click could never pick.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotEnv.h"
#include "regions/CPlotLabelRgn.h"
#include "PlotTestSupport.h"

namespace vtg {
namespace {

struct SelectionTest : test::PlotFixture, testing::Test {
    SelectionTest() { Plot().SetVariableCount(2); }
    CPlotObj* LineOf(int k) {
        for (const auto& o : Plot().Objects) {
            if (o->Kind == PlotObjKind::Line && o->YVarIndex == k) return o.get();
        }
        return nullptr;
    }
};

TEST_F(SelectionTest, APickUnhighlightsTheOldSelectionAndHighlightsTheNew) {
    CPlotLook& plot = Plot();
    CPlotObj* line = LineOf(1);
    ASSERT_NE(line, nullptr);
    env.Bullets.push_back(CPlotBullet{});
    ASSERT_TRUE(plot.SelectObject(line->Id));
    EXPECT_EQ(plot.ActiveObject, line);
    EXPECT_EQ(plot.YVar(1)->Highlight, 1);
    EXPECT_EQ(host.highlighted, std::vector<int>{line->Id}) << "the control blinks the active object";
    EXPECT_TRUE(env.Bullets.empty()) << "the old selection's handles go";

    CPlotRegion* axis = plot.YAxisRgns[0].get();
    ASSERT_TRUE(plot.SelectRegion(axis));
    EXPECT_EQ(plot.Selection, axis);
    EXPECT_EQ(plot.ActiveObject, nullptr);
    EXPECT_EQ(plot.YVar(1)->Highlight, 0);
    EXPECT_TRUE(host.highlighted.empty());

    const int text = plot.AddTextObject("Feed", 0.5f, 0.5f, 1, 0, "", 10, 0);
    ASSERT_TRUE(plot.SelectObject(text));
    EXPECT_EQ(plot.Selection, nullptr) << "an object and a region are never selected together";
    CPlotAnnotation* annotation = plot.SelectedAnnotation();
    ASSERT_NE(annotation, nullptr);
    EXPECT_EQ(annotation->Selected, 1);

    ASSERT_TRUE(plot.SelectRegion(plot.XLabelRgn.get()));
    EXPECT_EQ(annotation->Selected, 0);
    EXPECT_EQ(plot.SelectedCaptionRegion(), plot.XLabelRgn.get());
    plot.ClearSelection();
    EXPECT_EQ(plot.Selection, nullptr);
    ASSERT_TRUE(plot.SelectRegion(plot.TitleRgn.get()));
    EXPECT_EQ(plot.SelectedCaptionRegion(), nullptr) << "the title is no caption";
}

TEST_F(SelectionTest, WhatAClickCouldNotHitIsRefusedAndTheSelectionStays) {
    CPlotLook& plot = Plot();
    CPlotLabelRgn stranger(RegionKind::XCaption);
    CPlotLineObj foreign(4000);
    const std::vector<std::pair<std::string, std::function<bool()>>> refused{
        {"hidden region", [&] { plot.YLabelRgns[0]->Hidden = 1; return plot.SelectRegion(plot.YLabelRgns[0].get()); }},
        {"unselectable region", [&] { plot.TitleRgn->Selectable = 0; return plot.SelectRegion(plot.TitleRgn.get()); }},
        {"region of no plot", [&] { return plot.SelectRegion(&stranger); }},
        {"unpickable object", [&] { LineOf(0)->Pickable = 0; return plot.SelectObject(LineOf(0)); }},
        {"object of no plot", [&] { return plot.SelectObject(&foreign); }},
        {"unknown id", [&] { return plot.SelectObject(4000); }},
    };
    CPlotRegion* selected = plot.XAxisRgn.get();
    ASSERT_TRUE(plot.SelectRegion(selected));
    for (const auto& [what, select] : refused) {
        SCOPED_TRACE(what);
        EXPECT_FALSE(select());
        EXPECT_EQ(plot.Selection, selected);
        EXPECT_EQ(plot.ActiveObject, nullptr);
    }
}

}  // namespace
}  // namespace vtg
