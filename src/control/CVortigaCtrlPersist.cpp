// Persistence: the property exchange with a property bag, and the control's stream image.
// Every load builds a new plot from what was read and installs it only when that worked, so a
// failure leaves the control as it was.
#include <algorithm>
#include <cctype>
#include <new>

#include "control/CVortigaCtrl.h"
#include "control/ControlStream.h"
#include "control/PropertyExchange.h"
#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "objects/ObjectIdAllocator.h"
#include "plot/BinaryStream.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

bool IsDateOrTime(const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper == "DATE" || upper == "TIME";
}

// Font slots of the stream, in order: title, label, axis, legend.
constexpr std::array<CPlotLook::FontSlot, 4> kStreamFonts{CPlotLook::kTitleFont, CPlotLook::kLabelFont,
                                                          CPlotLook::kAxisFont, CPlotLook::kLegendFont};

// Legend positions are fractions of the drawing area; this range keeps a legend dragged out
// of the area reachable without letting the layout divide by nonsense.
constexpr float kMinLegendFraction = -1.0f;
constexpr float kMaxLegendFraction = 2.0f;

AxisImage CaptureAxis(const CPlotAxisRgn& region) {
    const CPlotAxis& a = *region.Axis;
    AxisImage img;
    img.caption = region.Label.Text;
    img.caption2 = region.Label.Text2;
    img.values = {a.DataMin, a.DataMax, a.ExtentMin, a.ExtentMax, a.RangeMin, a.RangeMax, a.UserInterval, a.Interval};
    img.flags = {a.Scale, a.Reverse, a.LockGrid, a.Multiplier, a.MultiplierType, a.ResetRange,
                 a.Integer, a.TimeAxis, a.DataSeen, region.ColorIndex, region.Hidden};
    return img;
}

void ApplyAxis(const AxisImage& img, CPlotAxisRgn& region) {
    CPlotAxis& a = *region.Axis;
    region.Label.Text = img.caption;
    region.Label.Text2 = img.caption2;
    const auto& v = img.values;
    a.DataMin = v[0];
    a.DataMax = v[1];
    a.ExtentMin = v[2];
    a.ExtentMax = v[3];
    a.RangeMin = v[4];
    a.RangeMax = v[5];
    a.UserInterval = v[6] >= 0 ? v[6] : 0;
    a.Interval = v[7] >= 0 ? v[7] : 0;
    const auto& f = img.flags;
    a.SetScale(f[0]);
    a.Reverse = f[1] != 0;
    a.LockGrid = f[2] != 0;
    a.Multiplier = f[3];
    a.MultiplierType = f[4];
    a.ResetRange = f[5] != 0;
    a.Integer = f[6] != 0;
    a.TimeAxis = f[7] != 0;
    a.DataSeen = f[8] != 0;
    a.NeedsRescale = 1;
    region.ColorIndex = ClampColorIndex(f[9]);
    region.Hidden = f[10] != 0;
}

VariableImage CaptureVariable(const CPlotVar& v) {
    VariableImage img;
    img.axisMap = v.AxisMap;
    img.legend = v.Label.Text;
    img.substitution = v.SubstValue;
    img.name = v.Name;
    img.mapCaption = v.MapCaption;
    img.xVarIndex = v.XVarIndex;
    img.hidden = v.Hidden;
    img.displayMode = v.DisplayMode;
    img.line = {v.Color,      v.PenWidth, v.PenStyle, v.Marker, v.VarMarkerSize,  v.VarMarkerInterval,
                v.FillStyle,  v.Filled,   v.Attrib2Extra[0], v.Attrib2Extra[1], v.LabelIndex, v.ImplicitXOffset};
    return img;
}

void ApplyVariable(const VariableImage& img, CPlotVar& v, int independents) {
    v.Label.Text = img.legend;
    v.SubstValue = img.substitution;
    v.Name = img.name;
    v.MapCaption = img.mapCaption;
    // A number naming no independent variable reads as the first one.
    v.XVarIndex = img.xVarIndex >= 0 && img.xVarIndex <= independents ? img.xVarIndex : 0;
    v.DisplayMode = static_cast<std::int16_t>(std::clamp(img.displayMode, -1, 2));
    const auto& l = img.line;
    v.Color = l[0];
    v.PenWidth = l[1];
    v.PenStyle = l[2];
    v.Marker = l[3];
    v.VarMarkerSize = l[4];
    v.VarMarkerInterval = l[5];
    v.FillStyle = l[6];
    v.Filled = l[7] != 0;
    v.Attrib2Extra = {l[8], l[9]};
    v.LabelIndex = l[10];
    v.ImplicitXOffset = l[11];
}

AnnotationImage CaptureAnnotation(const CPlotAnnotation& a) {
    AnnotationImage img;
    img.text = a.Text;
    if (a.Font) img.font = {a.Font->Face, static_cast<std::int16_t>(a.Font->Size), static_cast<std::int16_t>(a.Font->Style)};
    img.flags = {a.Color, a.Direction,    a.Attachment, a.Arrow,           a.Alignment, a.TransparentBackground,
                 a.LeaderLocked, a.TimeStamp, a.AttachedVariable, a.Hidden};
    img.position = {a.AnchorX, a.AnchorY, a.OffsetX, a.OffsetY};
    return img;
}

std::unique_ptr<CPlotAnnotation> RestoreAnnotation(const AnnotationImage& img, CPlotLook& plot) {
    const auto& f = img.flags;
    CVTGFont* font = img.font.face.empty()
                         ? nullptr
                         : plot.Environment().Tool().GetFont(img.font.face, img.font.size, 0, img.font.style);
    // Free annotations were once stored as -1; an attachment no annotation has is free too.
    const int attachment = f[2] >= CPlotAnnotation::kFree && f[2] <= CPlotAnnotation::kDataPoint ? f[2] : 0;
    auto a = std::make_unique<CPlotAnnotation>(img.text, font, f[0], f[1], attachment, f[3], f[4]);
    // A curve number the plot does not have would index past its variables.
    const int variable = f[8] >= 1 && f[8] <= plot.DependentCount() ? f[8] : 0;
    a->SetPosition({img.position[0], img.position[1], img.position[2], img.position[3], variable});
    a->TransparentBackground = f[5] != 0;
    a->LeaderLocked = f[6] != 0;
    a->TimeStamp = f[7] != 0;
    a->Hidden = f[9] != 0;
    a->NewMark = 0;
    return a;
}

ObjectImage CaptureObject(const CPlotObj& o, const CPlotLook& plot) {
    ObjectImage img{static_cast<std::int32_t>(o.Kind), o.Id, o.Pickable, o.XVarIndex, o.YVarIndex, 0,
                    o.AnnotationIndex, 0};
    if (o.Kind != PlotObjKind::Text) {
        const CPlotVar* y = plot.YVar(o.YVarIndex);
        if (y && y->ObjectOwned) img.variables |= ObjectImage::kOwnsVariables;
    }
    if (o.Kind == PlotObjKind::Text) img.userText = static_cast<const CPlotTextObj&>(o).UserText;
    return img;
}

std::unique_ptr<CPlotObj> MakeStoredObject(std::int32_t kind, int id, std::int32_t userText) {
    switch (kind) {
        case static_cast<int>(PlotObjKind::Line): return std::make_unique<CPlotLineObj>(id);
        case static_cast<int>(PlotObjKind::Polygon): return std::make_unique<CPlotPolygonObj>(id);
        case static_cast<int>(PlotObjKind::Text): {
            auto text = std::make_unique<CPlotTextObj>(id);
            text->UserText = userText != 0;
            return text;
        }
        // A kind no object has is a plain object, as creating one with that kind makes.
        default: return std::make_unique<CPlotObj>(id, PlotObjKind::Plain);
    }
}

// Indexes the plot does not have name nothing.
std::unique_ptr<CPlotObj> RestoreObject(const ObjectImage& img, int id, CPlotLook& plot) {
    auto o = MakeStoredObject(img.kind, id, img.userText);
    o->Pickable = img.pickable != 0;
    if (o->Kind == PlotObjKind::Text) {
        const bool stored = img.annotation >= 0 && img.annotation < static_cast<int>(plot.Annotations.size());
        o->AnnotationIndex = stored ? img.annotation : -1;
        return o;
    }
    CPlotVar* x = plot.XVar(img.xVar);
    CPlotVar* y = plot.YVar(img.yVar);
    o->XVarIndex = x ? img.xVar : -1;
    o->YVarIndex = y ? img.yVar : -1;
    if (o->Kind == PlotObjKind::Plain) return o;
    if (img.variables & ObjectImage::kOwnsVariables) {
        if (x) x->ObjectOwned = 1;
        if (y) y->ObjectOwned = 1;
    }
    return o;
}

}  // namespace

// ---- the property exchange ----

void CVortigaCtrl::ResetState() {
    ControlProperties loaded = *this;
    BagExchange px = BagExchange::Resetting();
    ExchangeControlProperties(px, loaded, DefaultTexts());
    InstallProperties(loaded, nullptr);
}

void CVortigaCtrl::SaveProperties(PropertyBag& bag) {
    ControlProperties values = *this;
    BagExchange px = BagExchange::Saving(bag);
    ExchangeControlProperties(px, values, DefaultTexts());
}

void CVortigaCtrl::LoadProperties(const PropertyBag& bag) {
    ControlProperties loaded = *this;
    BagExchange px = BagExchange::Loading(bag);
    if (!ExchangeControlProperties(px, loaded, DefaultTexts())) {
        // Another version: only the stock colours are taken.
        BackColor = loaded.BackColor;
        ForeColor = loaded.ForeColor;
        InvalidateControl();
        return;
    }
    SanitizeLoadedProperties(loaded, *this);
    InstallProperties(loaded, nullptr);
}

std::unique_ptr<CPlotLook> CVortigaCtrl::BuildLoadedPlot() {
    // Building a run plot resets the marker interval, display type and scroll unit it shows;
    // the values just loaded are what the host saved, so they are put back.
    const ControlProperties loaded = *this;
    auto plot = std::make_unique<CPlotLook>(plotEnv, static_cast<IPlotHost&>(*this));
    CPlotLook& p = *plot;
    MarkerInterval = loaded.MarkerInterval;
    DisplayType = loaded.DisplayType;
    TimeScrollUnit = loaded.TimeScrollUnit;
    p.SetSize(layoutWidth, layoutHeight);
    p.SetXVariableCount(std::max<int>(0, nxvariables));
    p.SetCaptionText(255, TrimBlanks(Title));
    p.SetCaptionText(0, TrimBlanks(xlabel));
    p.SetCaptionText(1, TrimBlanks(ylabel));
    CopyGraphicSettings(p);
    if (ShowLegend != (p.ShowLegend == 1)) p.ToggleLegend(nullptr);
    if (p.XAxisRgn) p.XAxisRgn->Axis->Reverse = ReverseXAxis;
    p.Flipped = Flipped;
    for (int i = 0; i < p.DependentCount(); ++i) p.SetAxisMap(i, 1);
    p.Recalculate();
    return plot;
}

void CVortigaCtrl::InstallProperties(const ControlProperties& loaded, const ControlImage* image) {
    const ControlProperties saved = *this;
    const ObjectIdAllocator savedIds = objectIds;
    auto restore = [&] {
        static_cast<ControlProperties&>(*this) = saved;
        objectIds = savedIds;
    };
    std::unique_ptr<CPlotLook> fresh;
    try {
        static_cast<ControlProperties&>(*this) = loaded;
        archiveLoading = image != nullptr;
        fresh = BuildLoadedPlot();
        if (image) ApplyImage(*image, *fresh);
        archiveLoading = false;
    } catch (const AutomationError& e) {
        restore();
        throw AutomationError(e.Code(), "the plot cannot be loaded: " + e.Message());
    } catch (const std::bad_alloc&) {
        restore();
        throw AutomationError::OutOfMemory("the plot cannot be loaded: out of memory");
    } catch (const std::exception& e) {
        restore();
        throw AutomationError::Fail(std::string("the plot cannot be loaded: ") + e.what());
    }
    plotLook = std::move(fresh);
    if (image) {
        phasePlot = image->phasePlot != 0;
        if (windowWidth == 0 && windowHeight == 0) {
            windowWidth = layoutWidth = image->windowWidth;
            windowHeight = layoutHeight = image->windowHeight;
            clientRect = {0, 0, windowWidth, windowHeight};
        }
        zoomed = image->zoomed != 0;
        inputFileLoaded = true;
    }
    // Registrations and editors belonged to the plot that is gone.
    for (int id : std::vector<int>(highlighted_)) UnregisterHighlight(id);
    ContentDeleted();
    // The new plot shows the loaded title; a host that mirrors it in its own caption follows.
    FireSetCaption(TrimBlanks(Title));
    // What the Flipped handler does beyond the plot, once the new plot is in place.
    ModifiedTail();
    InvalidateControl();
    FireEvent(EventId::Zoomed, {Variant(true)});
    modified_ = false;
}

// ---- the stream image ----

void CVortigaCtrl::ApplyImage(const ControlImage& image, CPlotLook& plot) {
    if (windowWidth == 0 && windowHeight == 0) plot.SetSize(image.windowWidth, image.windowHeight);
    plot.SubstitutionString = image.substitution;
    if (image.phasePlot) plot.SetPhasePlot(true);
    plot.SetXVariableCount(std::max(1, image.independents));
    plot.SetVariableCount(static_cast<int>(image.variables.size()));
    for (std::size_t i = 0; i < image.variables.size(); ++i) {
        const VariableImage& v = image.variables[i];
        const int index = static_cast<int>(i);
        plot.SetAxisMap(index, v.axisMap);
        ApplyVariable(v, *plot.YVar(index), plot.IndependentCount());
        plot.SetHidden(index, v.hidden != 0);
    }
    // Records of axes beyond those the plot has are read and dropped.
    for (std::size_t k = 0; k < image.axes.size(); ++k) {
        CPlotAxisRgn* region = k == 0 ? plot.XAxisRgn.get() : plot.YAxisRegion(static_cast<int>(k));
        if (region) ApplyAxis(image.axes[k], *region);
    }
    for (std::size_t k = 0; k < image.fonts.size(); ++k) {
        const FontImage& f = image.fonts[k];
        plot.SetFont(static_cast<int>(k), f.face, f.size, f.style);
    }
    plot.LegendX = std::clamp(image.legendX, kMinLegendFraction, kMaxLegendFraction);
    plot.LegendY = std::clamp(image.legendY, kMinLegendFraction, kMaxLegendFraction);
    if ((image.legendShown != 0) != (plot.ShowLegend == 1)) plot.ToggleLegend(nullptr);
    for (const CPlotSymbol& s : image.symbols) {
        if (!IsDateOrTime(s.Name)) plot.SetSymbol(s.Name, s.Value);
    }
    for (const AnnotationImage& a : image.annotations) plot.Annotations.push_back(RestoreAnnotation(a, plot));
    RestoreObjects(image, plot);
    plot.ApplyData(image.content);
    plot.FitAllPending = 0;
    plot.RefitDirty = 0;
    plot.LayoutDirty = 1;
}

void CVortigaCtrl::RestoreObjects(const ControlImage& image, CPlotLook& plot) {
    // The stored list is the whole list: the line objects the new plot made for its variables
    // give way to it, so that every object keeps its id.
    if (image.objectsComplete) plot.Objects.clear();
    for (const ObjectImage& o : image.objects) {
        const int id = objectIds.Claim(o.id, [&plot](int candidate) { return plot.IsObjectIdUsed(candidate); });
        if (id == 0) break;
        plot.Objects.push_back(RestoreObject(o, id, plot));
    }
}

std::vector<std::uint8_t> CVortigaCtrl::SaveStream() {
    CPlotLook& plot = Plot();
    plot.SettleCurveTies();
    ControlImage image;
    image.props = *this;
    image.propertiesLoaded = true;
    image.phasePlot = phasePlot;
    image.windowWidth = windowWidth;
    image.windowHeight = windowHeight;
    image.substitution = plot.SubstitutionString;
    image.axes.push_back(CaptureAxis(*plot.XAxisRgn));
    for (const auto& region : plot.YAxisRgns) image.axes.push_back(CaptureAxis(*region));
    image.independents = plot.IndependentCount();
    for (const auto& v : plot.YVars) image.variables.push_back(CaptureVariable(*v));
    for (std::size_t k = 0; k < kStreamFonts.size(); ++k) {
        const CVTGFont* font = plot.Fonts[kStreamFonts[k]].Horizontal();
        if (font) image.fonts[k] = {font->Face, static_cast<std::int16_t>(font->Size), static_cast<std::int16_t>(font->Style)};
    }
    image.legendShown = plot.ShowLegend == 1;
    image.legendX = plot.LegendX;
    image.legendY = plot.LegendY;
    for (const auto& a : plot.Annotations) image.annotations.push_back(CaptureAnnotation(*a));
    for (const auto& o : plot.Objects) image.objects.push_back(CaptureObject(*o, plot));
    image.symbols = plot.Symbols.List();
    for (const auto& v : plot.XVars) image.content.independent.push_back(v->OrderedValues());
    for (const auto& v : plot.YVars) image.content.dependent.push_back(v->OrderedValues());
    image.zoomed = zoomed;
    BinaryWriter out;
    WriteControlImage(out, image);
    return out.Take();
}

void CVortigaCtrl::LoadStream(std::span<const std::uint8_t> data) {
    ControlImage image;
    try {
        image = ParseControlImage(data, *this, DefaultTexts());
    } catch (const StreamError& e) {
        throw AutomationError::Fail(std::string("the stream cannot be loaded: ") + e.what());
    } catch (const std::bad_alloc&) {
        throw AutomationError::OutOfMemory("the stream cannot be loaded: out of memory");
    }
    InstallProperties(image.props, &image);
}

}  // namespace vtg
