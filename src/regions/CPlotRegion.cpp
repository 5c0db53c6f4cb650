#include "regions/CPlotRegion.h"

#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"

namespace vtg {

void CPlotRegion::Draw(Surface&, CPlotLook&, int) {}

Size CPlotRegion::Measure(Surface&, CPlotLook&) { return {}; }

bool CPlotRegion::HitTest(Point p) const { return !Hidden && Selectable && Rect.Contains(p); }

void CPlotRegion::DrawSelection(Surface&, CPlotLook&) {}

void CPlotRegion::DrawHandles(Surface&, CPlotLook&) {}

void CPlotRegion::Invalidate(CPlotLook& plot) { plot.Host().InvalidateRect(Rect, true); }

int CPlotRegion::BeginTrack(Surface&, CPlotLook&, Point) { return 0; }

Menu* CPlotRegion::GetContextMenu(CPlotLook&, Point) { return nullptr; }

void CPlotRegion::Track(Surface&, CPlotLook&, Point) {}

bool CPlotRegion::AcceptsClick(Surface&, CPlotLook&, Point) { return false; }

bool CPlotRegion::EndTrack(Surface&, CPlotLook&) { return false; }

void CPlotRegion::BeginResize(Surface&, int) {}

bool CPlotRegion::EditProperties(Surface&, CPlotLook&) { return false; }

int CPlotRegion::SetState(int bits, int mask) {
    if (mask & 1) Hidden = (bits & 1) ? 0 : 1;
    if (mask & 2) Selectable = (bits & 2) ? 1 : 0;
    return 1 + 2 * Selectable;
}

ClipRegion CPlotRegion::GetClipRegion(const CPlotEnv& env) const {
    ClipRegion clip;
    ClipShape shape;
    shape.rect = env.ToDevice(Rect);
    clip.shapes.push_back(shape);
    return clip;
}

}  // namespace vtg
