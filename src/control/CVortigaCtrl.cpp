#include "control/CVortigaCtrl.h"

#include <algorithm>

#include "control/ControlReference.h"
#include "control/HostServices.h"
#include "control/PropertyExchange.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotLookAutomation.h"
#include "regions/CPlotRegion.h"

namespace vtg {

namespace {

// A field of the control's properties, as a member of the control (what the member table
// binds to).
template <class F>
constexpr F CVortigaCtrl::*Field(F ControlProperties::*field) {
    return field;
}

// Highlights blink with a period of highlightMode milliseconds from this value up; below it they
// are drawn still.
constexpr int kMinBlinkPeriodMs = 100;
constexpr int kBlinkOffMs = 30;
constexpr int kCursorDelayMs = 200;
constexpr int kFullScroll = 1000;

}  // namespace

void CVortigaCtrl::AddProperties(MemberTable<CVortigaCtrl>& m) {
    using C = CVortigaCtrl;
    m.Property("Title", 1, Field(&ControlProperties::Title), &C::OnTitleChanged);
    m.Property("xlabel", 2, Field(&ControlProperties::xlabel), &C::OnXLabelChanged);
    m.Property("ylabel", 3, Field(&ControlProperties::ylabel), &C::OnYLabelChanged);
    m.Property("MultiYaxis", 4, Field(&ControlProperties::MultiYaxis), &C::OnMultiYaxisChanged);
    m.Property("RunPlot", 5, &C::GetRunPlot, &C::SetRunPlot);
    m.Property("PlotType", 6, &C::GetPlotType, &C::SetPlotType);
    m.Property("TimeWindow", 7, &C::GetTimeWindow, &C::SetTimeWindow);
    m.Property("UseVariable", 8, Field(&ControlProperties::UseVariable), &C::OnUseVariableChanged);
    m.Property("InputFile", 9, &C::GetInputFile, &C::SetInputFile);
    m.Property("npoints", 10, &C::GetNpoints, &C::SetNpoints);
    m.Property("nvariables", 11, &C::GetNvariables, &C::SetNvariables);
    m.Property("TimeScrollUnit", 12, Field(&ControlProperties::TimeScrollUnit), &C::OnTimeScrollUnitChanged);
    m.Property("GridType", 13, Field(&ControlProperties::GridType), &C::OnGridTypeChanged);
    m.Property("MarkerSize", 14, Field(&ControlProperties::MarkerSize), &C::OnMarkerSizeChanged);
    m.Property("MarkerInterval", 15, Field(&ControlProperties::MarkerInterval), &C::OnMarkerIntervalChanged);
    m.Property("Flipped", 16, Field(&ControlProperties::Flipped), &C::OnFlippedChanged);
    m.Property("SquarePlot", 17, Field(&ControlProperties::SquarePlot), &C::OnSquarePlotChanged);
    m.Property("DiagonalLine", 18, Field(&ControlProperties::DiagonalLine), &C::OnDiagonalLineChanged);
    m.Property("ZeroLine", 19, Field(&ControlProperties::ZeroLine), &C::OnZeroLineChanged);
    m.Property("DisplayType", 20, Field(&ControlProperties::DisplayType), &C::OnDisplayTypeChanged);
    m.Property("BufferSize", 21, &C::GetBufferSize, &C::SetBufferSize);
    m.Property("SizeToData", 22, Field(&ControlProperties::SizeToData), &C::OnSizeToDataChanged);
    m.Property("Parametric", 23, Field(&ControlProperties::Parametric), &C::OnParametricChanged);
    m.Property("nxvariables", 24, &C::GetNxvariables, &C::SetNxvariables);
    m.Property("ReverseXAxis", 25, Field(&ControlProperties::ReverseXAxis), &C::OnReverseXAxisChanged);
    m.Property("AddTimeStamp", 26, Field(&ControlProperties::AddTimeStamp), &C::OnAddTimeStampChanged);
    m.Property("ShowLegend", 27, Field(&ControlProperties::ShowLegend), &C::OnShowLegendChanged);
    m.Property("CommunicationIntervals", 28, Field(&ControlProperties::CommunicationIntervals),
               &C::OnCommunicationIntervalsChanged);
    m.Property("GridInterval", 29, &C::GetGridInterval, &C::SetGridInterval);
    m.Property("VariableDrop", 30, Field(&ControlProperties::VariableDrop), &C::OnSetModifiedOnly);
    m.Property("IgnoreSetLegend", 31, Field(&ControlProperties::IgnoreSetLegend), &C::OnSetModifiedOnly);
    m.Property("PlotVals", 32, &C::GetPlotVals, &C::SetPlotVals);
    m.Property("EditProfileVariables", 33, &C::GetEditProfileVariables, &C::SetEditProfileVariables);
    m.Property("EditProfileTable", 34, &C::GetEditProfileTable, &C::SetEditProfileTable);
    m.Property("AlwaysShowFull", 35, &C::GetAlwaysShowFull, &C::SetAlwaysShowFull);
    m.Property("ClientType", 36, &C::GetClientType, &C::SetClientType);
    m.Property("ShowTitle", 37, Field(&ControlProperties::ShowTitle), &C::OnShowTitleChanged);
    m.Property("ShowXaxisLabel", 38, Field(&ControlProperties::ShowXaxisLabel), &C::OnShowXaxisLabelChanged);
    m.Property("CanLivePlot", 39, Field(&ControlProperties::CanLivePlot), &C::OnSetModifiedOnly);
    m.Property("LivePlot", 40, Field(&ControlProperties::LivePlot), &C::OnSetModifiedOnly);
    m.Property("ShowTracker", 41, Field(&ControlProperties::ShowTracker), &C::OnShowTrackerChanged);
    m.Property("ZoomLevel", 42, &C::GetZoomLevel, &C::SetZoomLevel);
    m.Property("BackColor", -501, Field(&ControlProperties::BackColor), &C::OnColorChanged);
    m.Property("ForeColor", -513, Field(&ControlProperties::ForeColor), &C::OnColorChanged);
}

const MemberTable<CVortigaCtrl>& CVortigaCtrl::Members() {
    static const MemberTable<CVortigaCtrl> table = [] {
        MemberTable<CVortigaCtrl> m;
        AddProperties(m);
        AddMethods(m);
        return m;
    }();
    return table;
}

CVortigaCtrl::CVortigaCtrl() {
    events_.SetTypeInfo(&EventTypeInfo());
    const TextDefaults texts = DefaultTexts();
    Title = texts.title;
    xlabel = texts.xlabel;
    ylabel = texts.ylabel;
}

CVortigaCtrl::~CVortigaCtrl() {
    // Before the plot goes: its own destruction is no operation of the host's.
    operationLog_.Close();
    if (reference_) reference_->Detach();
    if (site_ && site_->Handler() == this) site_->SetHandler(nullptr);
    for (int id : {kCursorTimer, kTextDisplayTimer, kBlinkTimer, kBlinkOffTimer}) {
        if (site_) site_->KillTimer(id);
    }
    // The plot goes before the environment it draws with.
    highlighted_.clear();
    plotLook.reset();
}

// ---- window ----

void CVortigaCtrl::SetSite(IWindowSite* site) {
    if (site_ && site_->Handler() == this) site_->SetHandler(nullptr);
    site_ = site;
    if (!site_) return;
    site_->SetHandler(this);
    const Size client = site_->ClientSize();
    if (client.cx > 0 || client.cy > 0) OnSize(client.cx, client.cy);
}

// ---- events ----

void CVortigaCtrl::FireEvent(EventId id, std::vector<Variant> args) {
    const EventInfo& info = EventInfoOf(id);
    if (args.size() != info.params.size()) {
        throw std::logic_error("event " + std::string(info.name) + " fired with " + std::to_string(args.size()) +
                               " argument(s)");
    }
    for (std::size_t i = 0; i < args.size(); ++i) args[i] = args[i].ChangeType(info.params[i].type);
    events_.Fire(static_cast<DispId>(id), std::string(info.name), args);
}

void CVortigaCtrl::FireEvent(std::string_view name, std::vector<Variant> args) {
    const EventInfo* info = FindEvent(name);
    if (!info) throw std::logic_error("no event is named " + std::string(name));
    FireEvent(info->id, std::move(args));
}

// ---- the plot and its host ----

CPlotLook& CVortigaCtrl::Plot() {
    if (!plotLook) plotLook = std::make_unique<CPlotLook>(plotEnv, static_cast<IPlotHost&>(*this));
    return *plotLook;
}

void CVortigaCtrl::InvalidateRect(const Rect& r, bool erase) {
    if (site_) site_->Invalidate(&r, erase);
}

std::string CVortigaCtrl::ResourceString(std::string_view key) { return GetResourceString(key); }

int CVortigaCtrl::AllocateObjectId(const std::function<bool(int)>& inUse) { return objectIds.Allocate(inUse); }

int CVortigaCtrl::ClaimObjectId(int given, const std::function<bool(int)>& inUse) {
    return objectIds.Claim(given, inUse);
}

void CVortigaCtrl::ContentDeleted() {
    // Registrations name objects by id; ids the plot no longer has are dropped.
    if (plotLook) {
        std::erase_if(highlighted_, [this](int id) { return !plotLook->FindObject(id); });
    } else {
        highlighted_.clear();
    }
    if (highlighted_.empty() && site_) {
        site_->KillTimer(kBlinkTimer);
        site_->KillTimer(kBlinkOffTimer);
        blinkPhase_ = 0;
    }
    CancelEditing();
}

void CVortigaCtrl::WriteLog(std::string_view line) { operationLog_.Write(line); }

// ---- common steps ----

void CVortigaCtrl::CancelEditing() {
    for (IEditBox*& editor : inPlaceEditors) {
        IEditBox* box = editor;
        editor = nullptr;
        if (box) box->SendChar(27);
    }
}

void CVortigaCtrl::ModifiedTail() {
    SetModified();
    if (fireModifiedEnabled) FireEvent(EventId::Modified);
}

void CVortigaCtrl::InvalidateControl() {
    if (site_) site_->Invalidate(nullptr, true);
}

void CVortigaCtrl::LookDirty() { Plot().LayoutDirty = 1; }

std::unique_ptr<IDialogSession> CVortigaCtrl::OpenDialog() { return DialogServer::OpenSession(); }

std::string TrimBlanks(const std::string& text) {
    const char* blanks = " \t\r\n\f\v";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void CVortigaCtrl::CopyGraphicSettings(CPlotLook& plot) const {
    plot.GridType = GridType;
    plot.MarkerSize = MarkerSize;
    plot.MarkerInterval = MarkerInterval;
    plot.Square = SquarePlot;
    plot.Diagonal = DiagonalLine;
    plot.ZeroLine = ZeroLine;
    plot.Parametric = Parametric;
    plot.DisplayType = DisplayType;
}

int CVortigaCtrl::CurrentSelectionCode() const {
    const CPlotLook* plot = plotLook.get();
    if (!plot) return 0;
    if (plot->Selection) return plot->Selection->Kind;
    if (plot->ActiveObject) {
        if (plot->ActiveObject->Kind == PlotObjKind::Text) return 7;
        if (plot->ActiveObject->Kind == PlotObjKind::Line) return 13;
    }
    return 0;
}

void CVortigaCtrl::Zoom(std::int16_t mode) {
    CancelEditing();
    CPlotLook& plot = Plot();
    switch (mode) {
        case 1: ZoomIn(plot); break;
        case 2: ZoomOut(plot); break;
        case 3: plot.ZoomReset(); break;
        case 4: ZoomToRect(plot); break;
        default: break;
    }
    ZoomLevel = plot.ZoomLevel;
    zoomed = ZoomLevel > 1.001;
    if (!zoomed) {
        plot.Recalculate();
        LookDirty();
    }
    SetModified();
    InvalidateControl();
    UpdateScrollBars(zoomed);
    FireEvent(EventId::ZoomDone, {Variant(static_cast<float>(ZoomLevel))});
}

void CVortigaCtrl::UpdateScrollBars(bool show, bool verticalOnlyCheck) {
    CancelEditing();
    FireEvent(EventId::Zoomed, {Variant(show)});
    if (!site_ || !site_->IsActive()) return;
    CPlotLook& plot = Plot();
    const std::pair<int, int> full{0, kFullScroll};
    const std::pair<int, int> hs = plot.GetScroll(true);
    const std::pair<int, int> vs = plot.GetScroll(false);
    const bool h = hs != full;
    const bool v = !verticalOnlyCheck && vs != full;
    bool changed = false;
    auto setBar = [&](ScrollBar bar, bool& shown, bool want) {
        if (shown == want) return;
        site_->ShowScrollBar(bar, want);
        shown = want;
        changed = true;
    };
    auto thumbs = [&] {
        if (scrollBarH) site_->SetScrollPos(ScrollBar::Horizontal, hs.first);
        // The vertical bar runs from the top, where the high values are.
        if (scrollBarV) site_->SetScrollPos(ScrollBar::Vertical, kFullScroll - vs.second);
    };
    if (show && (h || v)) {
        if (h) setBar(ScrollBar::Horizontal, scrollBarH, true);
        if (v) setBar(ScrollBar::Vertical, scrollBarV, true);
        if (changed) {
            layoutWidth = windowWidth;
            layoutHeight = windowHeight;
            plot.SetSize(layoutWidth, layoutHeight);
            if (scrollBarH) site_->SetScrollRange(ScrollBar::Horizontal, 0, kFullScroll);
            if (scrollBarV) site_->SetScrollRange(ScrollBar::Vertical, 0, kFullScroll);
        }
        thumbs();
    } else {
        setBar(ScrollBar::Horizontal, scrollBarH, false);
        setBar(ScrollBar::Vertical, scrollBarV, false);
        layoutWidth = windowWidth;
        layoutHeight = windowHeight;
        plot.SetSize(layoutWidth, layoutHeight);
    }
    if (changed) InvalidateControl();
}

void CVortigaCtrl::SetScrollThumbs() {
    if (!site_) return;
    CPlotLook& plot = Plot();
    if (scrollBarH) site_->SetScrollPos(ScrollBar::Horizontal, plot.GetScroll(true).first);
    // The vertical bar runs from the top, where the high values are.
    if (scrollBarV) site_->SetScrollPos(ScrollBar::Vertical, kFullScroll - plot.GetScroll(false).second);
}

// ---- timers and highlighting ----

void CVortigaCtrl::StartCursorTimer() {
    if (!site_) return;
    site_->SetTimer(kCursorTimer, kCursorDelayMs);
    cursorTimerRunning_ = true;
}

void CVortigaCtrl::StartTextDisplayTimer(int ms) {
    if (!site_) return;
    site_->SetTimer(kTextDisplayTimer, std::max(ms, IWindowSite::USER_TIMER_MINIMUM));
    displayTextState = 1;
}

void CVortigaCtrl::RegisterHighlight(int objectId) {
    if (std::find(highlighted_.begin(), highlighted_.end(), objectId) != highlighted_.end()) return;
    highlighted_.push_back(objectId);
    if (highlighted_.size() == 1) StartBlinking();
}

void CVortigaCtrl::StartBlinking() {
    if (!site_ || highlightMode < kMinBlinkPeriodMs) return;
    blinkPhase_ = 1;
    site_->SetTimer(kBlinkTimer, highlightMode);
}

void CVortigaCtrl::StopBlinking() {
    if (!site_) return;
    site_->KillTimer(kBlinkTimer);
    site_->KillTimer(kBlinkOffTimer);
    blinkPhase_ = 0;
}

void CVortigaCtrl::UnregisterHighlight(int objectId) {
    std::erase(highlighted_, objectId);
    if (highlighted_.empty()) StopBlinking();
}

void CVortigaCtrl::DrawHighlights() {
    // The highlights themselves are drawn by the objects that own them, in XOR mode, so that
    // drawing twice restores the picture.
}

void CVortigaCtrl::OnTimer(int id) {
    if (!site_) return;
    switch (id) {
        case kCursorTimer:
            site_->KillTimer(kCursorTimer);
            cursorTimerRunning_ = false;
            break;
        case kTextDisplayTimer:
            site_->KillTimer(kTextDisplayTimer);
            if (blinkPhase_ == 2) {
                removeTextAfterBlink_ = true;
            } else {
                HideDisplayedText();
            }
            break;
        case kBlinkTimer:
            DrawHighlights();
            blinkPhase_ = blinkPhase_ == 1 ? 2 : 1;
            site_->SetTimer(kBlinkOffTimer, kBlinkOffMs);
            break;
        case kBlinkOffTimer:
            site_->KillTimer(kBlinkOffTimer);
            DrawHighlights();
            blinkPhase_ = blinkPhase_ == 1 ? 2 : 1;
            if (removeTextAfterBlink_ && blinkPhase_ != 2) {
                removeTextAfterBlink_ = false;
                HideDisplayedText();
            }
            break;
        default:
            break;
    }
}

}  // namespace vtg
