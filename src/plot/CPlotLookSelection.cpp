// The selection: one region or one plot object, or nothing. These are the steps a click's pick
// takes once it knows what was hit, so that a host or a test can select without a mouse and
// the mouse handling reaches exactly the same state.
#include <algorithm>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotEnv.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {

namespace {

bool IsCaption(const CPlotRegion& region) {
    return region.Class() == RegionClass::Label || region.Class() == RegionClass::TriLabel;
}

// The active object loses its highlight, and the control stops blinking it.
void ReleaseActiveObject(CPlotLook& plot) {
    CPlotObj* object = plot.ActiveObject;
    if (!object) return;
    object->Select(plot, false);
    object->SelectedAnnotation = nullptr;
    plot.ActiveObject = nullptr;
    plot.Control->UnregisterHighlight(object->Id);
    plot.Control->InvalidateControl();
}

// The selected region is repainted without its frame.
void UnhighlightSelection(CPlotLook& plot) {
    CPlotRegion* old = plot.Selection;
    if (!old) return;
    plot.Selection = nullptr;
    if (old != plot.DrawingRgn.get()) old->Invalidate(plot);
}

}  // namespace

bool CPlotLook::SelectRegion(CPlotRegion* region) {
    if (!region) {
        ClearSelection();
        return true;
    }
    // A click never lands on a region that is hidden, not selectable, or not the plot's own.
    if (region->Hidden || !region->Selectable || std::find(Regions.begin(), Regions.end(), region) == Regions.end()) {
        return false;
    }
    // A click without Shift removes every selection handle, whatever it hits.
    Env->Bullets.clear();
    ReleaseActiveObject(*this);
    if (region == Selection) return true;
    UnhighlightSelection(*this);
    Selection = region;
    // The drawing area shows no selection frame; every other region is repainted framed.
    if (region != DrawingRgn.get()) region->Invalidate(*this);
    return true;
}

bool CPlotLook::SelectObject(CPlotObj* object) {
    if (!object) {
        ClearSelection();
        return true;
    }
    if (!object->Pickable || FindObject(object->Id) != object) return false;
    Env->Bullets.clear();
    if (object != ActiveObject) {
        ReleaseActiveObject(*this);
        ActiveObject = object;
        Control->RegisterHighlight(object->Id);
        object->Select(*this, true);
        // A selected curve is drawn highlighted wherever it runs.
        Control->InvalidateControl();
    }
    UnhighlightSelection(*this);
    return true;
}

bool CPlotLook::SelectObject(int id) {
    CPlotObj* object = FindObject(id);
    return object && SelectObject(object);
}

void CPlotLook::ClearSelection() {
    Env->Bullets.clear();
    ReleaseActiveObject(*this);
    UnhighlightSelection(*this);
}

CPlotAxisRgn* CPlotLook::SelectedAxisRegion() const { return dynamic_cast<CPlotAxisRgn*>(Selection); }

CPlotLabelRgn* CPlotLook::SelectedCaptionRegion() const {
    return Selection && IsCaption(*Selection) ? static_cast<CPlotLabelRgn*>(Selection) : nullptr;
}

CPlotAnnotation* CPlotLook::SelectedAnnotation() const {
    if (!ActiveObject || ActiveObject->Kind != PlotObjKind::Text) return nullptr;
    return static_cast<const CPlotTextObj*>(ActiveObject)->Annotation(*this);
}

int CPlotLook::SelectedVariableLine() const {
    if (!ActiveObject || ActiveObject->Kind != PlotObjKind::Line || !YVar(ActiveObject->YVarIndex)) return -1;
    return ActiveObject->YVarIndex;
}

}  // namespace vtg
