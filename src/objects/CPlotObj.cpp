#include "objects/CPlotObj.h"

#include "objects/CPlotAnnotation.h"
#include "plot/CPlotLook.h"

namespace vtg {

void CPlotObj::Release(CPlotLook&) {}

void CPlotObj::CreateBacking(CPlotLook&) {}

int CPlotObj::Flags(const CPlotLook&) const { return Pickable ? 2 : 0; }

int CPlotObj::HitTestPoint(CPlotLook&, Point) { return 0; }

void CPlotXYObj::Release(CPlotLook& plot) {
    if (CPlotVar* y = plot.YVar(YVarIndex)) y->Release();
    if (CPlotVar* x = plot.XVar(XVarIndex)) x->Release();
}

int CPlotXYObj::Flags(const CPlotLook& plot) const {
    const CPlotVar* y = plot.YVar(YVarIndex);
    return (y && !y->Hidden ? 1 : 0) + (Pickable ? 2 : 0);
}

void CPlotTextObj::Release(CPlotLook& plot) {
    if (AnnotationIndex >= 0 && AnnotationIndex < static_cast<int>(plot.Annotations.size())) {
        plot.Annotations[static_cast<std::size_t>(AnnotationIndex)]->Hidden = 1;
    }
}

}  // namespace vtg
