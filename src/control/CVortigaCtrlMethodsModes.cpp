// Automation methods: the event and mode switches.
#include <algorithm>
#include <cstdint>
#include <iterator>

#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"

namespace vtg {

namespace {

// SetMousePointer's types 1..15 and the cursors they show.
constexpr int kPointerCursors[] = {
    IDC_ARROW, IDC_CROSS, IDC_IBEAM, 32641 /* icon */, 32640 /* size */, IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE,
    IDC_SIZEWE, IDC_UPARROW, IDC_WAIT, IDC_NO, IDC_APPSTARTING, IDC_HELP, IDC_SIZEALL,
};

std::uint32_t Bit(int position) { return std::uint32_t{1} << (position & 31); }

void SetBit(std::uint32_t& mask, int position, bool on) {
    if (on) {
        mask |= Bit(position);
    } else {
        mask &= ~Bit(position);
    }
}

}  // namespace

void CVortigaCtrl::SetEvent(std::int16_t EventID, bool OnOff, bool Default) {
    // Any id maps into the mask: the positions wrap, so a zero or negative id cannot shift by a
    // negative count.
    SetBit(eventMask, OnOffBit(EventID), OnOff);
    SetBit(eventMask, DefaultBit(EventID), Default);
}

void CVortigaCtrl::FireReloadEvent() { FireEvent(EventId::ReloadNow); }

void CVortigaCtrl::SetMousePointer(std::int16_t Type) {
    if (Type < 1 || Type > static_cast<int>(std::size(kPointerCursors))) return;
    cursorId = kPointerCursors[Type - 1];
    currentCursorId = cursorId;
    if (site_) site_->SetCursor(cursorId);
}

void CVortigaCtrl::SetHighlightMode(std::int16_t mode) {
    highlightMode = mode;
    StopBlinking();
    if (!highlighted_.empty()) StartBlinking();
}

void CVortigaCtrl::ApplySettingByUserFlag() {
    if (CPlotLook* plot = PlotIfCreated()) plot->ClearHostDataChanges();
}

void CVortigaCtrl::SetFlippedFlag(bool bFlipped) {
    // Only the flag: unlike the Flipped property nothing is rebuilt or drawn, so a host can
    // set it ahead of the changes that belong to it.
    CPlotLook* plot = PlotIfCreated();
    if (!plot) return;
    CancelEditing();
    plot->Flipped = bFlipped ? 1 : 0;
    FireEvent(EventId::FlippedFlagChanged, {Variant(bFlipped)});
}

void CVortigaCtrl::SetPlotIsLive(bool bIsLive) {
    LivePlot = bIsLive;
    FireEvent(EventId::OnLivePlot, {Variant(bIsLive)});
    SetModified();
}

IEditBox* CVortigaCtrl::FocusedEditor() {
    for (IEditBox* editor : inPlaceEditors) {
        if (editor && editor->HasFocus()) return editor;
    }
    CPlotLook* plot = PlotIfCreated();
    if (plot && plot->EditWindow && plot->EditWindow->HasFocus()) return plot->EditWindow.get();
    return nullptr;
}

void CVortigaCtrl::KeyDown(std::int32_t nChar, std::int32_t nRepCnt, std::int32_t nFlags) {
    if (!FocusedEditor()) {
        OnKeyDown(nChar, nRepCnt, static_cast<unsigned>(nFlags));
        return;
    }
    // A held key arrives once with its (16-bit) repeat count. The editor is looked up for each
    // press, since a key such as Escape closes it.
    const std::int32_t presses = std::clamp<std::int32_t>(nRepCnt, 1, 0xFFFF);
    for (std::int32_t i = 0; i < presses; ++i) {
        IEditBox* editor = FocusedEditor();
        if (!editor) break;
        editor->SendKey(nChar);
    }
}

}  // namespace vtg
