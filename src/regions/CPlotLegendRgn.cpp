#include "regions/CPlotLegendRgn.h"

namespace vtg {

bool CPlotLegendRgn::HitTest(Point p) const { return Shown && CPlotRegion::HitTest(p); }

void CPlotLegendRgn::Empty() {
    Measured = 0;
    Shown = 0;
    Height = 0;
    Width = 0;
    ItemCount = 0;
}

}  // namespace vtg
