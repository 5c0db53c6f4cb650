#pragma once
// Plot objects: handles through which the host draws its own lines, polygons and texts and
// later changes or deletes them by id. A line or polygon object owns a pair of plot variables
// (by index into XVars and YVars); a text object refers to an annotation by index. The base
// operations below are the plain object's behaviour; the subclasses fill in what concerns them.

#include "platform/Geometry.h"

namespace vtg {

class CPlotAnnotation;
class CPlotLook;

enum class PlotObjKind { Plain = -1, Line = 0, Polygon = 1, Text = 2 };

class CPlotObj {
public:
    CPlotObj(int id, PlotObjKind kind) : Id(id), Kind(kind) {}
    virtual ~CPlotObj() = default;
    CPlotObj(const CPlotObj&) = delete;
    CPlotObj& operator=(const CPlotObj&) = delete;

    // Gives up what the object holds in the plot (variables, annotation) without shifting
    // any index.
    virtual void Release(CPlotLook& plot);
    virtual void CreateBacking(CPlotLook& plot);
    // The current flag bits: 1 visible, 2 pickable, 4 highlighted, 8 leader-locked.
    virtual int Flags(const CPlotLook& plot) const;
    virtual int HitTestPoint(CPlotLook& plot, Point p);

    // Whether the object draws with the given dependent variable (0-based).
    bool IsBoundTo(int yIndex) const { return YVarIndex == yIndex; }

    int Id = 0;
    PlotObjKind Kind = PlotObjKind::Plain;
    vtg::Rect Bounds;
    int Pickable = 1;
    int XVarIndex = -1;
    int YVarIndex = -1;
    int AnnotationIndex = -1;
    CPlotAnnotation* SelectedAnnotation = nullptr;   // not owned
};

// Objects backed by a pair of variables.
class CPlotXYObj : public CPlotObj {
public:
    CPlotXYObj(int id, PlotObjKind kind) : CPlotObj(id, kind) {}
    void Release(CPlotLook& plot) override;
    int Flags(const CPlotLook& plot) const override;
};

class CPlotLineObj : public CPlotXYObj {
public:
    explicit CPlotLineObj(int id) : CPlotXYObj(id, PlotObjKind::Line) {}
};

class CPlotPolygonObj : public CPlotXYObj {
public:
    explicit CPlotPolygonObj(int id) : CPlotXYObj(id, PlotObjKind::Polygon) {}
};

class CPlotTextObj : public CPlotObj {
public:
    explicit CPlotTextObj(int id) : CPlotObj(id, PlotObjKind::Text) {}
    void Release(CPlotLook& plot) override;

    // 1 when created for a user annotation (AddText, interactive text, settings).
    int UserText = 0;
};

}  // namespace vtg
