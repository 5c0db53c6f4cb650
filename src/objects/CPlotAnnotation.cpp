#include "objects/CPlotAnnotation.h"

namespace vtg {

bool CPlotAnnotation::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

}  // namespace vtg
