// The host's plot objects: creating them (with the variables a line or polygon owns), their
// points, attributes and flags, and deleting them without shifting any index.
#include <algorithm>
#include <cstdio>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "objects/ObjectIdAllocator.h"
#include "platform/Automation.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {

namespace {

constexpr int kDeleteValue = -1;
constexpr int kDeleted = 0xFFFF;
// Ids up to this name region groups, not objects.
constexpr int kLastGroupId = 9;
constexpr int kDefaultPoints = 10;

std::unique_ptr<CPlotObj> MakeObject(int kind, int id) {
    switch (kind) {
        case 0: return std::make_unique<CPlotLineObj>(id);
        case 1: return std::make_unique<CPlotPolygonObj>(id);
        case 2: return std::make_unique<CPlotTextObj>(id);
        default: return std::make_unique<CPlotObj>(id, PlotObjKind::Plain);
    }
}

// The single variable a fresh plot has, when nothing uses it yet.
bool Reusable(const std::vector<std::unique_ptr<CPlotVar>>& vars, int count) {
    return count == 1 && vars.size() == 1 && !vars.front()->ObjectOwned && vars.front()->Capacity() == 0;
}

}  // namespace

int CPlotLook::NewObjectId() {
    if (Objects.AllocatableIdsTaken()) return 0;
    return Control->AllocateObjectId([this](int candidate) { return IsObjectIdUsed(candidate); });
}

int CPlotLook::ClaimObjectId(int given) {
    const auto inUse = [this](int candidate) { return IsObjectIdUsed(candidate); };
    if (Objects.AllocatableIdsTaken() && !ObjectIdAllocator::Keeps(given, inUse)) return 0;
    return Control->ClaimObjectId(given, inUse);
}

int CPlotLook::CreateObject(int kind, int id) {
    const int used = id == 0 ? NewObjectId() : ClaimObjectId(id);
    if (used == 0) return 0;
    auto object = MakeObject(kind, used);
    // The variables come first: when the plot cannot take them, no object is left behind.
    if (id == 0) object->CreateBacking(*this);
    Objects.push_back(std::move(object));
    return used;
}

int CPlotLook::CreateBoundObject(int kind, int id, int xIndex, int yIndex) {
    const int used = CreateObject(kind, id == 0 ? -1 : id);
    if (CPlotObj* object = FindObject(used)) {
        object->XVarIndex = xIndex;
        object->YVarIndex = yIndex;
    }
    return used;
}

std::pair<int, int> CPlotLook::AcquireObjectVariables() {
    ControlProperties& p = Props();
    const bool reuseY = Reusable(YVars, p.nvariables);
    const bool reuseX = Reusable(XVars, p.nxvariables);
    const int newY = reuseY ? 0 : 1;
    const int newX = reuseX ? 0 : 1;
    if (DependentCount() + newY > kMaxDependentVariables || IndependentCount() + newX > kMaxDependentVariables) {
        throw AutomationError::InvalidArg("the plot holds " + std::to_string(DependentCount()) +
                                          " variables: no more objects with variables of their own fit");
    }
    CheckSlots(TotalSlots() + static_cast<std::uint64_t>(newX + newY) * SlotsPerNewVariable(), "a new object");
    // Both made before either is added, so that a failure leaves the plot as it was.
    std::unique_ptr<CPlotVar> y = reuseY ? nullptr : NewDependentVariable(DependentCount());
    std::unique_ptr<CPlotVar> x = reuseX ? nullptr : NewIndependentVariable();
    if (y) YVars.push_back(std::move(y));
    if (x) XVars.push_back(std::move(x));
    // The host's counts follow the real variables.
    p.nvariables = static_cast<std::int16_t>(DependentCount());
    p.nxvariables = static_cast<std::int16_t>(IndependentCount());
    YVars.back()->ObjectOwned = 1;
    XVars.back()->ObjectOwned = 1;
    const int yIndex = reuseY ? 0 : DependentCount() - 1;
    const int xIndex = reuseX ? 0 : IndependentCount() - 1;
    return {xIndex, yIndex};
}

bool CPlotLook::CanStoreAt(std::initializer_list<const CPlotVar*> vars, std::int64_t point) const {
    if (point < 0 || point >= CPlotVar::kMaxSlots) return false;
    std::uint64_t added = 0;
    for (const CPlotVar* var : vars) {
        if (var) added += var->CapacityAfterWrite(point) - var->Capacity();
    }
    return added == 0 || TotalSlots() + added <= SlotBudget;
}

int CPlotLook::PlaceTextObject(int id, double x, double y, const std::string& text, int attached) {
    CPlotObj* object = FindObject(id);
    return object ? object->PlaceText(*this, x, y, text, attached) : 0;
}

void CPlotLook::SetTextObjectAttributes(int id, int color, int alignment, int angle, const std::string& face,
                                        int size, int style) {
    const CPlotObj* object = FindObject(id);
    if (!object || object->AnnotationIndex < 0 || object->AnnotationIndex >= static_cast<int>(Annotations.size())) {
        return;
    }
    CPlotAnnotation& a = *Annotations[static_cast<std::size_t>(object->AnnotationIndex)];
    CPlotAnnotation::Attributes attributes = a.GetAttributes();
    attributes.color = color;
    attributes.direction = angle;
    attributes.alignment = alignment;
    attributes.transparent = (style >> 3) & 1;
    a.SetAttributes(attributes);
    // Without a face the text keeps the face it has: a font without one is never drawn.
    const CVTGFont* current = a.Font ? a.Font : Fonts[kDrawingFont].Horizontal();
    const std::string useFace = face.empty() && current ? current->Face : face;
    if (!useFace.empty()) a.Font = Env->Tool().GetFont(useFace, size > 0 ? size : kDefaultPoints, angle, style & 7);
    a.NeedsMeasure = 1;
}

void CPlotLook::SetLineObjectAttributes(int id, const ObjectLineAttributes& a) {
    CPlotObj* object = FindObject(id);
    if (!object) return;
    object->SetLineAttributes(*this, a);
    object->Invalidate(*this);
}

int CPlotLook::SetObjectFlags(int id, int value, int mask) {
    if (id <= kLastGroupId) return SetRegionGroupState(id, value, mask);
    CPlotObj* object = FindObject(id);
    if (!object) return 0;
    if (value == kDeleteValue || value == kDeleted) return DeleteObject(id);
    const int flags = object->SetFlags(*this, value, mask);
    object->Invalidate(*this);
    return flags;
}

int CPlotLook::DeleteObject(int id) {
    char line[48];
    std::snprintf(line, sizeof line, " Delete ID:%d\r\n", id);
    Control->WriteLog(line);
    std::unique_ptr<CPlotObj> object = Objects.Take(id);
    if (!object) return 0;
    if (ActiveObject == object.get()) {
        Control->UnregisterHighlight(id);
        ActiveObject = nullptr;
    }
    Control->UnregisterHighlight(id);
    object->Release(*this);
    object.reset();
    Control->InvalidateControl();
    return kDeleted;
}

int CPlotLook::SetRegionGroupState(int group, int value, int mask) {
    std::vector<CPlotRegion*> regions;
    if (group == 1) {
        regions.push_back(TitleRgn.get());
    } else if (group == 2) {
        if (mask & 1) LabelRegionsHidden = (value & 1) ? 0 : 1;
        regions.push_back(XLabelRgn.get());
        for (auto& r : YLabelRgns) regions.push_back(r.get());
        for (auto& r : CornerRgns) regions.push_back(r.get());
    } else if (group == 3) {
        if (mask & 1) AxisRegionsHidden = (value & 1) ? 0 : 1;
        regions.push_back(XAxisRgn.get());
        for (auto& r : YAxisRgns) regions.push_back(r.get());
    }
    int result = 0;
    bool first = true;
    for (CPlotRegion* region : regions) {
        if (!region) continue;
        const int state = region->SetState(value, mask);
        if (first) result = state;
        first = false;
    }
    if (!regions.empty()) LayoutDirty = 1;
    return result;
}

int CPlotLook::SetObjectPoint(int id, int index, double x, double y) {
    CPlotObj* object = FindObject(id);
    if (!object || !object->SetPoint(*this, index, x, y)) return 0;
    // Tying searches every point of every curve: once before the next layout is enough,
    // however many points the host sends until then.
    curveTiesStale_ = true;
    return 1;
}

void CPlotLook::SettleCurveTies() {
    if (!curveTiesStale_) return;
    curveTiesStale_ = false;
    for (auto& a : Annotations) {
        if (a->Attachment != CPlotAnnotation::kCurve) continue;
        a->Detach(*this, CPlotAnnotation::kFree);
        a->Attach(*this, CPlotAnnotation::kCurve);
    }
}

CPlotLook::ObjectPoint CPlotLook::GetObjectPoint(int id, int index) const {
    const CPlotObj* object = FindObject(id);
    ObjectPoint point;
    if (object) point.found = object->GetPoint(*this, index, point.x, point.y);
    return point;
}

}  // namespace vtg
