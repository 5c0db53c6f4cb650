// The events of the window's input: their gates, their arguments, and the handlers that fire
// them. Every helper gathers its arguments first and fires last, so that a host handler that
// clears or rebuilds the plot finds nothing of it still in use.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "control/CVortigaCtrl.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotDrawingRgn.h"
#include "res/PlotMenus.h"

namespace vtg {

namespace {

constexpr int kLastFiredScrollCode = 4;   // line, page and thumb position; not tracking or end
constexpr int kThumbTrack = 5;

std::int16_t ToShort(int v) {
    return static_cast<std::int16_t>(
        std::clamp<int>(v, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::string FirstLine(std::string text) {
    const std::size_t end = text.find('\n');
    if (end != std::string::npos) text.erase(end);
    return text;
}

}  // namespace

// ---- gates ----

bool CVortigaCtrl::EventOn(int eventId) const { return (eventMask >> OnOffBit(eventId)) & 1U; }

bool CVortigaCtrl::EventDefault(int eventId) const { return (eventMask >> DefaultBit(eventId)) & 1U; }

std::int16_t CVortigaCtrl::ModifierKeys() const {
    if (!site_) return 0;
    int bits = 0;
    if (site_->IsKeyDown(VK_SHIFT)) bits |= kModifierShift;
    if (site_->IsKeyDown(VK_CONTROL)) bits |= kModifierCtrl;
    if (site_->IsKeyDown(VK_MENU)) bits |= kModifierAlt;
    return static_cast<std::int16_t>(bits);
}

// ---- mouse ----

bool CVortigaCtrl::FirePointerLocation(Point p) {
    if (!EventOn(EventGate::kPointer)) return false;
    CPlotLook& plot = Plot();
    if (plot.InDrawingArea(p)) {
        std::string text;
        if (plot.DrawingRgn) text = plot.DrawingRgn->Readout(plot, p).value_or(std::string());
        pointerInside_ = true;
        FireEvent(EventId::PointerLocation, {Variant(text), Variant(ToShort(p.x)), Variant(ToShort(p.y))});
        return true;
    }
    if (!pointerInside_) return false;
    pointerInside_ = false;
    FireEvent(EventId::PointerExit);
    return true;
}

namespace {

std::vector<Variant> ClickArguments(CPlotLook& plot, Point p, int objectId, std::int16_t modifier) {
    const std::pair<double, double> at = plot.DeviceToPlot(p).value_or(std::pair<double, double>{0.0, 0.0});
    return {Variant(at.first),         Variant(at.second),          Variant(ToShort(p.x)),
            Variant(ToShort(p.y)),     Variant(ToShort(objectId)),  Variant(modifier)};
}

int SelectedObjectId(const CPlotLook& plot) { return plot.ActiveObject ? plot.ActiveObject->Id : 0; }

}  // namespace

bool CVortigaCtrl::FireClick(Point p) {
    if (!EventOn(EventGate::kClick)) return false;
    CPlotLook& plot = Plot();
    FireEvent(EventId::OnClick, ClickArguments(plot, p, SelectedObjectId(plot), ModifierKeys()));
    return true;
}

bool CVortigaCtrl::FireDoubleClick(Point p, int objectId) {
    if (!EventOn(EventGate::kDoubleClick)) return false;
    FireEvent(EventId::OnDoubleClick, ClickArguments(Plot(), p, objectId, ModifierKeys()));
    return true;
}

bool CVortigaCtrl::FireRBClick(Point p) {
    if (!EventOn(EventGate::kRightClick)) return false;
    CPlotLook& plot = Plot();
    FireEvent(EventId::OnRBClick, ClickArguments(plot, p, SelectedObjectId(plot), ModifierKeys()));
    return true;
}

void CVortigaCtrl::ShowCursor(int cursorId) {
    if (manageCursor) {
        FireEvent(EventId::CursorSet);
        return;
    }
    currentCursorId = cursorId;
    if (site_) site_->SetCursor(cursorId);
}

bool CVortigaCtrl::FireRegionDefined() {
    if (!IsRegionDefined()) return false;
    FireEvent(EventId::RegionDefined);
    return true;
}

// ---- keys ----

bool CVortigaCtrl::FireKeyPress(std::int32_t keyAscii) {
    if (!EventOn(EventGate::kKeyPress)) return false;
    FireEvent(EventId::KeyPress, {Variant(keyAscii)});
    return true;
}

bool CVortigaCtrl::FireKeyDown(std::int32_t keyCode) {
    if (!EventOn(EventGate::kKeyDown)) return false;
    FireEvent(EventId::KeyDown, {Variant(keyCode), Variant(static_cast<std::int32_t>(ModifierKeys()))});
    return true;
}

bool CVortigaCtrl::FireKeyUp(std::int32_t keyCode) {
    if (!EventOn(EventGate::kKeyUp)) return false;
    FireEvent(EventId::KeyUp, {Variant(keyCode), Variant(static_cast<std::int32_t>(ModifierKeys()))});
    return true;
}

// ---- drops ----

void CVortigaCtrl::FireDropText(const std::string& text, int objectId) {
    FireEvent(EventId::OnDropText, {Variant(text), Variant(ToShort(objectId))});
}

void CVortigaCtrl::FireDropFiles(const std::vector<std::string>& paths) {
    std::string joined;
    for (const std::string& path : paths) {
        if (!joined.empty()) joined += '\n';
        joined += path;
    }
    FireEvent(EventId::OnDropFiles, {Variant(joined)});
}

void CVortigaCtrl::FirePhaseVariableDropped(const std::string& variablePath) {
    FireEvent(EventId::PhaseVariableDropped, {Variant(variablePath)});
}

// ---- texts ----

void CVortigaCtrl::FireSetCaption(const std::string& title) {
    // A host that shows the title in its own caption is not handed an empty one.
    FireEvent(EventId::SetCaption, {Variant(title.empty() ? std::string(5, ' ') : title)});
}

void CVortigaCtrl::OnMenuSelect(int command) {
    const MenuCommandRow* row = command != 0 ? FindMenuCommand(command) : nullptr;
    const std::string text = row ? FirstLine(ResourceString(row->key)) : std::string();
    FireEvent(EventId::SetMessageText, {Variant(text)});
}

// ---- scroll bars ----

void CVortigaCtrl::OnHScroll(int code, int pos) {
    if (code < 0 || code > kThumbTrack) return;
    Scroll(true, static_cast<std::int16_t>(code), ToShort(pos));
    if (code > kLastFiredScrollCode) return;
    SetScrollThumbs();
    FireEvent(EventId::Scrolled, {Variant(true)});
}

void CVortigaCtrl::OnVScroll(int code, int pos) {
    if (code < 0 || code > kThumbTrack) return;
    Scroll(false, static_cast<std::int16_t>(code), ToShort(pos));
    if (code > kLastFiredScrollCode) return;
    SetScrollThumbs();
    FireEvent(EventId::Scrolled, {Variant(false)});
}

}  // namespace vtg
