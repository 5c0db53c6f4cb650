#pragma once
// Reading the legend box out of a recorded draw: its frame (the rectangle drawn on the
// legend's place) and everything drawn after it for its items.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/RecordingSurface.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg::test {

struct DrawnLegend {
    Rect frame;                         // empty when no frame was drawn
    std::vector<std::string> texts;     // item texts in order
    std::vector<Rect> textBoxes;
    std::vector<Rect> samples;          // lines, markers and bars
};

// The pixels a stroke through points covers, its pen's width across.
inline Rect BoundsOf(const std::vector<Point>& points, int penWidth) {
    const int w = std::max(1, penWidth);
    Rect box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (Point p : points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return {box.left - w / 2, box.top - w / 2, box.right - w / 2 + w, box.bottom - w / 2 + w};
}

// The legend's frame is the last rectangle drawn exactly on its place; the draws that follow
// it are its items (the plots these tests draw have nothing else over the curves).
inline DrawnLegend LegendOf(const RecordingSurface& dc, const CPlotLegendRgn& legend) {
    DrawnLegend out;
    const auto& calls = dc.Calls();
    std::size_t first = calls.size();
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].op == DrawOp::Rectangle && calls[i].rect == legend.Rect) first = i;
    }
    if (first == calls.size()) return out;
    out.frame = calls[first].rect;
    for (std::size_t i = first + 1; i < calls.size(); ++i) {
        const DrawCall& c = calls[i];
        switch (c.op) {
            case DrawOp::Text:
                out.texts.push_back(c.text);
                out.textBoxes.push_back(c.rect);
                break;
            case DrawOp::Polyline:
            case DrawOp::Polygon:
                out.samples.push_back(BoundsOf(c.points, c.state.pen.width));
                break;
            case DrawOp::Ellipse:
            case DrawOp::Rectangle:
            case DrawOp::FillRect:
                out.samples.push_back(c.rect);
                break;
            default:
                break;
        }
    }
    return out;
}

// Every item lies within the frame, off its one-pixel border.
inline void ExpectItemsInside(const DrawnLegend& legend) {
    const Rect inner = legend.frame.Inflate(-1, -1);
    auto inside = [&](const Rect& r) {
        return r.left >= inner.left && r.top >= inner.top && r.right <= inner.right && r.bottom <= inner.bottom;
    };
    for (std::size_t k = 0; k < legend.textBoxes.size(); ++k) {
        EXPECT_TRUE(inside(legend.textBoxes[k])) << legend.texts[k];
    }
    for (const Rect& sample : legend.samples) {
        EXPECT_TRUE(inside(sample)) << "sample at " << sample.left << "," << sample.top;
    }
}

}  // namespace vtg::test
