#pragma once
// A plot whose drawing area is 200 x 200 pixels at (100, 50) with both axes showing 0..10, so
// that a value v lands on x = 100 + 20 v and y = 250 - 20 v; variables are filled directly.

#include <vector>

#include "platform/RecordingSurface.h"
#include "plot/CPlotVar.h"
#include "plot/PlotTestSupport.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CurveMapper.h"

namespace vtg::test {

inline const Rect kArea{100, 50, 300, 250};

struct CurveFixture : PlotFixture {
    RecordingSurface dc{SurfaceKind::Memory, {400, 300}};

    CurveFixture() {
        Plot().DrawingRgn->Rect = kArea;
        SetRange(XAxis(), 0, 10);
        SetRange(YAxis(), 0, 10);
        View();
    }
    CPlotAxis& XAxis() { return *Plot().XAxisRgn->Axis; }
    CPlotAxis& YAxis() { return *Plot().YAxisRgns[0]->Axis; }
    CPlotVar& X() { return *Plot().XVar(0); }
    CPlotVar& Y() { return *Plot().YVar(0); }
    CPlotDrawingRgn& Area() { return *Plot().DrawingRgn; }

    static void SetRange(CPlotAxis& a, double lo, double hi) {
        a.RangeMin = lo;
        a.RangeMax = hi;
        a.NeedsRescale = 0;
    }
    // The views for the axes' ranges (the independent axis down the page when flipped).
    void View() {
        const auto x = AxisViewBounds(XAxis());
        const auto y = AxisViewBounds(YAxis());
        const ViewBounds across = Plot().Flipped ? *y : *x;
        const ViewBounds down = Plot().Flipped ? *x : *y;
        env.SetView(Plot().DrawingRgn->Rect, across.first, down.second, across.second, down.first);
    }
    void Data(const std::vector<double>& xs, const std::vector<double>& ys) {
        X().Values = xs;
        Y().Values = ys;
        Y().Marks.assign(ys.size(), {});
    }
    void DrawCurve() { Area().DrawCurve(dc, X(), Y(), XAxis(), YAxis(), Plot()); }
    void DrawMarkers(int series = 0) { Area().DrawMarkers(dc, X(), Y(), XAxis(), YAxis(), Plot(), series); }
    std::vector<std::vector<Point>> Lines() const {
        std::vector<std::vector<Point>> out;
        for (const DrawCall& c : dc.CallsOf(DrawOp::Polyline)) out.push_back(c.points);
        return out;
    }
    std::vector<Point> Buffer() { return {Y().Marks.begin(), Y().Marks.begin() + Y().MarkCount}; }
};

}  // namespace vtg::test
