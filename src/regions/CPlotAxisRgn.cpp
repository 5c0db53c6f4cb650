#include "regions/CPlotAxisRgn.h"

namespace vtg {

CPlotAxisRgn::CPlotAxisRgn(int kind, int triangleKind, bool withAxis) : CPlotRegion(kind), TriangleKind(triangleKind) {
    if (withAxis) {
        Axis = triangleKind > 0 ? std::make_unique<CPlotTriAxis>(triangleKind) : std::make_unique<CPlotAxis>(0);
    }
    AxisIndex = kind == RegionKind::XAxis ? 0 : 1;
}

bool CPlotAxisRgn::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

CPlotTriAxisRgn::CPlotTriAxisRgn(int triangleKind) : CPlotAxisRgn(RegionKind::YAxis, triangleKind) {}

}  // namespace vtg
