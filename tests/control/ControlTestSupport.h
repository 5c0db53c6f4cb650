#pragma once
// Helpers for driving a control the way a host does: properties by name through the dispatch
// interface, events through a connected recording sink, and a fingerprint of everything a
// load could change.

#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "control/CVortigaCtrl.h"
#include "platform/ConnectionPoint.h"
#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/ImageSurface.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg::test {

inline Variant Get(IDispatch& object, std::string_view name) { return GetProperty(object, name); }
inline void Put(IDispatch& object, std::string_view name, Variant value) { PutProperty(object, name, std::move(value)); }

struct ControlFixture {
    std::unique_ptr<CVortigaCtrl> ctrl = std::make_unique<CVortigaCtrl>();
    std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();

    ControlFixture() { ctrl->Events().Advise(sink); }
    CVortigaCtrl& Ctrl() { return *ctrl; }
    CPlotLook& Plot() { return ctrl->Plot(); }
};

// Every property value, every variable with its values and attributes, every axis with its
// ranges and caption, and the control's own persisted state, as one text.
inline std::string Fingerprint(CVortigaCtrl& c) {
    std::ostringstream out;
    out.precision(17);
    for (const MemberInfo& m : *c.GetTypeInfo()) {
        if (m.kind != MemberKind::Property || !m.canGet || m.result == VarType::Dispatch) continue;
        out << m.name << '=' << GetProperty(c, m.name).ToString() << ';';
    }
    out << "|phase=" << c.phasePlot << " zoomed=" << c.zoomed << " window=" << c.windowWidth << 'x'
        << c.windowHeight;
    const CPlotLook* p = c.PlotIfCreated();
    if (!p) return out.str();
    out << "|kind=" << p->RunPlot << p->PhasePlot << p->BarGraph << p->Triangular << p->Flipped << p->ShowLegend
        << " subst=" << p->SubstitutionString << " objects=" << p->Objects.size();
    for (int k = 0; k <= p->YAxisCount(); ++k) {
        const CPlotAxis& a = *p->AxisByNumber(k);
        const CPlotAxisRgn& r = k == 0 ? *p->XAxisRgn : *p->YAxisRgns[static_cast<std::size_t>(k - 1)];
        out << "|axis" << k << ' ' << r.Label.Text << ' ' << a.RangeMin << ' ' << a.RangeMax << ' ' << a.Scale;
    }
    auto var = [&](const CPlotVar& v) {
        out << " map=" << v.AxisMap << " legend=" << v.Label.Text << " c=" << v.Color << " w=" << v.PenWidth
            << " s=" << v.PenStyle << " m=" << v.Marker << " x=" << v.XVarIndex << " h=" << v.Hidden << " vals=";
        for (double x : v.OrderedValues()) out << x << ',';
    };
    for (const auto& v : p->XVars) var(*v);
    for (const auto& v : p->YVars) var(*v);
    for (const auto& s : p->Symbols) out << '|' << s.Name << '=' << s.Value;
    for (const auto& a : p->Annotations) {
        out << "|anno " << a->Text << " font=" << (a->Font ? a->Font->Face + ":" + std::to_string(a->Font->Size) : "-")
            << " c=" << a->Color << " d=" << a->Direction << " att=" << a->Attachment << " arrow=" << a->Arrow
            << " al=" << a->Alignment << " at=" << a->AnchorX << ',' << a->AnchorY << " off=" << a->OffsetX << ','
            << a->OffsetY << " var=" << a->AttachedVariable << " h=" << a->Hidden;
    }
    // The plot numbers its own line objects afresh; the host's text objects keep their ids.
    for (const auto& o : p->Objects) {
        if (o->Kind == PlotObjKind::Text) out << "|text " << o->Id << ' ' << o->AnnotationIndex;
    }
    return out.str();
}

// Pixels of exactly colour c inside and outside r.
inline std::pair<int, int> CountColour(ImageSurface& image, Color c, const Rect& r) {
    int inside = 0;
    int outside = 0;
    const Size size = image.PixelSize();
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            if (image.GetPixel(x, y) != c) continue;
            (r.Contains({x, y}) ? inside : outside) += 1;
        }
    }
    return {inside, outside};
}

}  // namespace vtg::test
