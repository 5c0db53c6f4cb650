#include "plot/CPlotLook.h"

#include <algorithm>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/IPlotHost.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

struct FontSpec {
    int size;
    int style;
    int kind;
    int subKind;
    bool triangularSubKind;   // sub-kind 5 on triangular plots
};

// Title, label, small label, axis, legend, drawing, small legend.
constexpr std::array<FontSpec, CPlotLook::kFontCount> kFontSpecs{{
    {12, 2, 0, 1, false},
    {10, 2, 1, 2, true},
    {8, 2, 1, 2, true},
    {10, 0, 2, 2, true},
    {10, 0, 3, 1, false},
    {10, 0, 4, 1, false},
    {8, 0, 3, 1, false},
}};

constexpr const char* kFontFace = "Tahoma";

template <class T>
void Erase(std::vector<T*>& list, const T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

CPlotLook::CPlotLook(CPlotEnv& env, IPlotHost& host) : Control(&host), Env(&env) {
    BuildMenus();
    CreateFonts();
    const ControlProperties& p = Props();
    BuildRegions(p.xlabel, p.ylabel);
    CreateInitialVariables();
    const int type = p.PlotType;
    SetPlotType(type >= 0 && type <= 4 ? type : 0);
    // A new plot is no run plot; only switching it on has something to do.
    if (p.RunPlot) SetRunPlot(true);
    SetVariableCount(std::max<int>(0, p.nvariables));
    Symbols = {CPlotSymbol("DATE", ""), CPlotSymbol("TIME", "")};
    TrackedVar = -1;
    ZoomLevel = 1.0;
    built_ = true;
}

CPlotLook::~CPlotLook() {
    // Plain pointers into the regions and objects go first, then what they point at.
    Selection = nullptr;
    ActiveObject = nullptr;
    Regions.clear();
}

ControlProperties& CPlotLook::Props() const { return Control->Properties(); }

void CPlotLook::CreateFonts() {
    CDrawTool& tool = Env->Tool();
    for (int i = 0; i < kFontCount; ++i) {
        const FontSpec& f = kFontSpecs[static_cast<std::size_t>(i)];
        const int subKind = f.triangularSubKind && Triangular ? CPlotFont::kTriangularSubKind : f.subKind;
        tool.FillPlotFont(Fonts[static_cast<std::size_t>(i)], kFontFace, f.size, f.style, f.kind, subKind);
    }
}

void CPlotLook::BuildRegions(const std::string& xCaption, const std::string& yCaption) {
    if (Triangular) {
        DrawingRgn = std::make_unique<CPlotTriDrawingRgn>(Triangular);
    } else if (BarGraph) {
        DrawingRgn = std::make_unique<CPlotBarDrawingRgn>();
    } else {
        DrawingRgn = std::make_unique<CPlotDrawingRgn>();
    }
    DrawingRgn->Fonts = &Fonts[kDrawingFont];
    Regions.push_back(DrawingRgn.get());

    TitleRgn = std::make_unique<CPlotTitleRgn>();
    TitleRgn->Label.Text = Props().Title;
    TitleRgn->Fonts = &Fonts[kTitleFont];
    Regions.push_back(TitleRgn.get());

    XAxisRgn = std::make_unique<CPlotAxisRgn>(RegionKind::XAxis, Triangular);
    XAxisRgn->Label.Text = xCaption;
    XAxisRgn->Hidden = AxisRegionsHidden;
    XAxisRgn->Fonts = &Fonts[kAxisFont];
    Regions.push_back(XAxisRgn.get());

    XLabelRgn = std::make_unique<CPlotLabelRgn>(RegionKind::XCaption);
    XLabelRgn->Caption = &XAxisRgn->Label;
    XLabelRgn->AxisNumber = 0;
    XLabelRgn->Hidden = LabelRegionsHidden;
    XLabelRgn->Fonts = &Fonts[kLabelFont];
    XLabelRgn->SecondFonts = &Fonts[kSmallLabelFont];
    Regions.push_back(XLabelRgn.get());

    const int yAxes = Triangular ? 2 : 1;
    for (int j = 0; j < yAxes; ++j) {
        auto axis = MakeYAxisRegion(j + 1);
        axis->Label.Text = yCaption;
        auto label = MakeYLabelRegion(&axis->Label, Triangular ? j + 1 : 1, 1);
        YAxisRgns.push_back(std::move(axis));
        YLabelRgns.push_back(std::move(label));
    }
    for (auto& label : YLabelRgns) Regions.push_back(label.get());
    for (auto& axis : YAxisRgns) Regions.push_back(axis.get());

    LegendRgn = std::make_unique<CPlotLegendRgn>();
    LegendRgn->Fonts = &Fonts[kLegendFont];
    LegendRgn->SecondFonts = &Fonts[kSmallLegendFont];
    Regions.push_back(LegendRgn.get());
}

void CPlotLook::CreateInitialVariables() {
    XVars.push_back(NewIndependentVariable());
    auto y = NewVariable(0);
    y->LabelIndex = 1;
    y->AxisMap = 1;
    y->Color = 1;
    y->PenWidth = 3;
    y->Marker = DefaultMarker(0, BarGraph != 0);
    YVars.push_back(std::move(y));
}

int CPlotLook::SetPlotType(int type) {
    const CPlotAxis* firstY = AxisByNumber(1);
    const bool unchanged = (type == 0 && !BarGraph && !Triangular) || (type == 1 && BarGraph) ||
                           ((type == 2 || type == 3) && Triangular == type - 1) ||
                           (type == 4 && firstY && firstY->Scale == static_cast<int>(ScaleType::Weibull));
    if (unchanged) return 0;
    if ((type == 2 || type == 3) && Triangular) {
        SwitchTriangleVariant(type - 1);
        return 0;
    }

    Rebuild(type);
    if (type == 4) {
        CPlotAxis& y = *YAxisRgns.front()->Axis;
        CPlotAxis& x = *XAxisRgn->Axis;
        y.SetScale(static_cast<int>(ScaleType::Weibull));
        x.SetScale(static_cast<int>(ScaleType::Log));
        y.ResetRange = 1;
        x.ResetRange = 1;
        FitRangesToData();
    }
    LayoutDirty = 1;
    return 1;
}

void CPlotLook::Rebuild(int type) {
    ResetKindFlags();
    Cleanup();
    if (type == 1) BarGraph = 1;
    if (type == 2 || type == 3) Triangular = type - 1;
    CreateFonts();
    BuildRegions(Control->ResourceString("IDS_PLOTLOOK_XLABEL"), Control->ResourceString("IDS_PLOTLOOK_YLABEL"));
    CreateInitialVariables();
    LayoutDirty = 1;
}

void CPlotLook::SwitchTriangleVariant(int triangular) {
    Triangular = triangular;
    XAxisRgn->TriangleKind = triangular;
    XAxisRgn->Axis->TriangleKind = triangular;
    const std::size_t sides = std::min<std::size_t>(2, YAxisRgns.size());
    for (std::size_t j = 0; j < sides; ++j) {
        YAxisRgns[j]->TriangleKind = triangular;
        YAxisRgns[j]->Axis->TriangleKind = triangular;
    }
    if (sides == 2) std::swap(YAxisRgns[0]->Axis, YAxisRgns[1]->Axis);
    DrawingRgn->TriangleKind = triangular;
    const bool hideCorners = LabelRegionsHidden || triangular == 1;
    const bool hideCaptions = LabelRegionsHidden || triangular == 2;
    for (auto& corner : CornerRgns) {
        if (corner) corner->Hidden = hideCorners;
    }
    XLabelRgn->Hidden = hideCaptions;
    for (std::size_t j = 0; j < std::min<std::size_t>(2, YLabelRgns.size()); ++j) {
        if (auto* tri = dynamic_cast<CPlotTriLabelRgn*>(YLabelRgns[j].get())) tri->TriangleKind = triangular;
        YLabelRgns[j]->Hidden = hideCaptions;
    }
    Selection = nullptr;
    LayoutDirty = 1;
    Control->RefreshMenus();
}

void CPlotLook::ResetKindFlags() {
    RunPlot = PhasePlot = Parametric = Triangular = BarGraph = 0;
    Flipped = Square = Diagonal = ZeroLine = 0;
}

void CPlotLook::MakeVariablesCircular() {
    const auto size = static_cast<std::uint32_t>(std::max<std::int32_t>(1, Props().BufferSize));
    CheckSlots(static_cast<std::uint64_t>(size) * (XVars.size() + YVars.size()), "the time buffers");
    for (auto& v : XVars) v->MakeCircular(size);
    for (auto& v : YVars) v->MakeCircular(size);
}

void CPlotLook::SetRunPlot(bool on) {
    ControlProperties& p = Props();
    if (on) {
        MakeVariablesCircular();
        RunPlot = 1;
        DisplayType = 0;
        p.DisplayType = 0;
        MarkerInterval = 10;
        p.MarkerInterval = 10;
        XAxisRgn->Axis->TimeAxis = 1;
        p.TimeScrollUnit = 0.2f * p.TimeWindow;
    } else {
        RunPlot = 0;
        MarkerInterval = 1;
        p.MarkerInterval = 1;
    }
    FollowRunPlotInMenus(on);
    Control->RefreshMenus();
}

void CPlotLook::SetPhasePlot(bool on) {
    if (on) {
        MakeVariablesCircular();
        PhasePlot = 1;
        DisplayType = 0;
        Props().DisplayType = 0;
        XAxisRgn->Axis->TimeAxis = 0;
    } else {
        PhasePlot = 0;
    }
    FollowPhasePlotInMenus(on);
    Control->RefreshMenus();
}

void CPlotLook::ForgetReferences() {
    Selection = nullptr;
    ActiveObject = nullptr;
    ActiveDisplay = nullptr;
    PickedDisplays.clear();
    TrackedVar = -1;
    PlacingText = 0;
    EditWindow.reset();
}

void CPlotLook::Cleanup() {
    // A plot still being built holds nothing of the host's: only later deletions are logged.
    if (built_) Control->WriteLog("CLEANUP\r\n");
    ForgetReferences();
    Annotations.clear();
    Displays.clear();
    Objects.clear();
    Regions.clear();
    XVars.clear();
    DrawingRgn.reset();
    TitleRgn.reset();
    XLabelRgn.reset();
    XAxisRgn.reset();
    LegendRgn.reset();
    YLabelRgns.clear();
    YVars.clear();
    YAxisRgns.clear();
    for (auto& corner : CornerRgns) corner.reset();
    Control->ContentDeleted();
}

void CPlotLook::ClearContent() {
    for (auto& v : YVars) v->FillMissing();
    for (const auto& a : Annotations) Erase(Regions, static_cast<CPlotRegion*>(a.get()));
    ForgetReferences();
    // A text object names its annotation by index: left behind, it would name whatever
    // annotation takes that index next.
    Objects.EraseIf([](const std::unique_ptr<CPlotObj>& o) {
        return o->Kind == PlotObjKind::Text && o->AnnotationIndex >= 0;
    });
    for (auto& object : Objects) object->SelectedAnnotation = nullptr;
    Annotations.clear();
    Displays.clear();
    Control->ContentDeleted();
}

void CPlotLook::SetSize(int width, int height) {
    Width = width;
    Height = height;
    LayoutDirty = 1;
}

void CPlotLook::ApplyControlSettings() {
    ControlProperties& p = Props();
    const int type = p.PlotType >= 0 && p.PlotType <= 4 ? p.PlotType : 0;
    SetPlotType(type);
    if (p.RunPlot != (RunPlot != 0)) SetRunPlot(p.RunPlot);
    SetVariableCount(std::max<int>(0, p.nvariables));
    SetXVariableCount(std::max<int>(0, p.nxvariables));
    if (IsTimePlot()) {
        const bool resized = std::any_of(YVars.begin(), YVars.end(), [&](const auto& v) {
            return v->TimeBufferSize != static_cast<std::uint32_t>(p.BufferSize);
        });
        if (resized) ResizeTimeBuffers();
    }
    GridType = p.GridType;
    MarkerSize = p.MarkerSize;
    MarkerInterval = p.MarkerInterval;
    DisplayType = p.DisplayType;
}

void CPlotLook::Recalculate() {
    FitAllPending = 1;
    LayoutDirty = 1;
}

CPlotObj* CPlotLook::FindObject(int id) const { return Objects.Find(id); }

}  // namespace vtg
