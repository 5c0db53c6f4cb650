// Automation methods: coordinates, the pointer, and the host's hands on drawn objects.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "control/CVortigaCtrl.h"
#include "platform/RecordingSurface.h"
#include "plot/CPlotLook.h"

namespace vtg {

namespace {

// Device coordinates travel as shorts: a point far outside the window is pinned to the
// nearest representable value instead of wrapping around to the other side.
std::int16_t ToShort(int v) {
    return static_cast<std::int16_t>(
        std::clamp<int>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// The one object edit the control cannot do yet.
[[noreturn]] void InPlaceEditingNotBuilt(std::string_view method) {
    throw AutomationError::NotImpl(std::string(method) + " opens a text for editing in place, which is not "
                                   "implemented yet: it comes with " + std::string(PendingText(Pending::InPlaceEditing)));
}

}  // namespace

bool CVortigaCtrl::ConvertToDevice(double x, double y, std::int16_t& ix, std::int16_t& iy) {
    CPlotLook& plot = Plot();
    const std::optional<Point> p = plot.PlotToDevice(x, y);
    if (!p) return false;
    ix = ToShort(p->x);
    iy = ToShort(p->y);
    return plot.InDrawingArea(*p);
}

bool CVortigaCtrl::ConvertToPlot(std::int16_t ix, std::int16_t iy, double& x, double& y) {
    CPlotLook& plot = Plot();
    const Point p{ix, iy};
    const auto values = plot.DeviceToPlot(p);
    if (!values) return false;
    x = values->first;
    y = values->second;
    return plot.InDrawingArea(p);
}

bool CVortigaCtrl::GetPointerLocation(std::int16_t& ix, std::int16_t& iy) {
    if (!site_) return false;
    const Point p = site_->CursorPos();
    ix = ToShort(p.x);
    iy = ToShort(p.y);
    return Plot().InDrawingArea(p);
}

bool CVortigaCtrl::IsRegionDefined() {
    const CPlotLook* plot = PlotIfCreated();
    return plot && plot->IsRegionDefined();
}

void CVortigaCtrl::DragLine(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int16_t color) {
    if (!site_) return;
    CPlotLook& plot = Plot();
    WindowDraw window(*site_);
    plot.DragLine(window.dc(), x1, y1, x2, y2, color);
}

void CVortigaCtrl::DoDoubleClick(std::int16_t x, std::int16_t y) {
    // The edits are dialogs: they draw nothing on the surface they are handed.
    RecordingSurface dc;
    const CPlotLook::DoubleClickResult result = Plot().DoubleClick(dc, {x, y});
    if (result.edit == ObjectEdit::InPlaceEditor) InPlaceEditingNotBuilt("DoDoubleClick");
    if (result.edit == ObjectEdit::Changed) {
        ModifiedTail();
        InvalidateControl();
    }
}

void CVortigaCtrl::EditObject(std::int16_t ObjectID) {
    RecordingSurface dc;
    const ObjectEdit edit = Plot().EditObject(dc, ObjectID);
    if (edit == ObjectEdit::InPlaceEditor) InPlaceEditingNotBuilt("EditObject");
    if (edit == ObjectEdit::Changed) InvalidateControl();
}

void CVortigaCtrl::Rotate(std::int16_t direction) {
    Plot().RotateObjects(direction);
    LookDirty();
    InvalidateControl();
}

void CVortigaCtrl::DisplayText(const std::string& szText, std::int16_t x, std::int16_t y, std::int32_t millisecs) {
    Plot().ShowDisplayText(szText, {x, y});
    StartTextDisplayTimer(millisecs);
}

void CVortigaCtrl::HideDisplayedText() {
    if (CPlotLook* plot = PlotIfCreated()) plot->HideDisplayText();
    displayTextState = 0;
}

}  // namespace vtg
