#pragma once
// Plot objects: handles through which the host draws its own lines, polygons and texts and
// later changes or deletes them by id. A line or polygon object owns a pair of plot variables
// (by index into XVars and YVars); a text object refers to an annotation by index. The base
// operations below are the plain object's behaviour; the subclasses fill in what concerns them.
// An object draws nothing itself: the drawing region draws its variables, the annotation its
// text.

#include <string>

#include "platform/Geometry.h"

namespace vtg {

class CPlotAnnotation;
class CPlotLook;
class CPlotVar;
class Surface;

enum class PlotObjKind { Plain = -1, Line = 0, Polygon = 1, Text = 2 };

// Flag bits as SetObject sets them and SetFlags reports them.
namespace ObjectFlag {
constexpr int Visible = 1;
constexpr int Pickable = 2;
constexpr int Highlighted = 4;
constexpr int LeaderLocked = 8;
}  // namespace ObjectFlag

// The line attributes the host gives a line or polygon object. mask picks which of them a
// line object takes: 1 colour, 2 width and style, 4 marker, 8 marker size, 16 the arrow.
struct ObjectLineAttributes {
    int color = 0;
    int width = 1;
    int style = 0;
    int marker = 0;
    int markerSize = 0;
    int direction = 0;
    int mask = 255;
};

class CPlotObj {
public:
    CPlotObj(int id, PlotObjKind kind) : Id(id), Kind(kind) {}
    virtual ~CPlotObj() = default;
    CPlotObj(const CPlotObj&) = delete;
    CPlotObj& operator=(const CPlotObj&) = delete;

    // Gives up what the object holds in the plot (variables, annotation) without shifting
    // any index.
    virtual void Release(CPlotLook& plot);
    // Creates what a new object draws with. Throws AutomationError (nothing changed) when the
    // plot cannot take more variables.
    virtual void CreateBacking(CPlotLook& plot);
    // Point index of the object's figure; false when nothing was stored.
    virtual bool SetPoint(CPlotLook& plot, int index, double x, double y);
    // False when the object has no such point.
    virtual bool GetPoint(const CPlotLook& plot, int index, double& x, double& y) const;
    // Places (and creates) the object's text; returns the attachment asked for (3 or 0).
    virtual int PlaceText(CPlotLook& plot, double x, double y, const std::string& text, int attached);
    virtual void SetLineAttributes(CPlotLook& plot, const ObjectLineAttributes& a);
    // Non-zero when p (device pixels) hits the object; Bounds then holds what was tested.
    virtual int HitTestPoint(CPlotLook& plot, Point p);
    virtual int HitTest(CPlotLook& plot, Point p) { return HitTestPoint(plot, p); }
    virtual void Select(CPlotLook& plot, bool on);
    // Repaints the bounds of the last hit test, with a margin.
    virtual void Invalidate(CPlotLook& plot);
    virtual int BeginTrack(Surface& dc, CPlotLook& plot, Point p);
    virtual void Track(Surface& dc, CPlotLook& plot, Point p);
    virtual int EndTrack(Surface& dc, CPlotLook& plot);
    // For each bit present in mask, the state takes that bit of value. The state afterwards.
    virtual int SetFlags(CPlotLook& plot, int value, int mask);
    // Triangular plots: every point (x, y) becomes (y, 1-x-y) for a non-zero direction, else
    // (1-x-y, x).
    virtual void Rotate(CPlotLook& plot, int direction);
    // The current flag bits (see ObjectFlag).
    virtual int Flags(const CPlotLook& plot) const;

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
    void CreateBacking(CPlotLook& plot) override;
    bool SetPoint(CPlotLook& plot, int index, double x, double y) override;
    bool GetPoint(const CPlotLook& plot, int index, double& x, double& y) const override;
    void Select(CPlotLook& plot, bool on) override;
    int SetFlags(CPlotLook& plot, int value, int mask) override;
    void Rotate(CPlotLook& plot, int direction) override;
    int Flags(const CPlotLook& plot) const override;

protected:
    // The owned dependent variable when the object may be hit at all.
    CPlotVar* PickableVariable(const CPlotLook& plot) const;
};

class CPlotLineObj : public CPlotXYObj {
public:
    explicit CPlotLineObj(int id) : CPlotXYObj(id, PlotObjKind::Line) {}
    void SetLineAttributes(CPlotLook& plot, const ObjectLineAttributes& a) override;
    int HitTestPoint(CPlotLook& plot, Point p) override;
};

class CPlotPolygonObj : public CPlotXYObj {
public:
    explicit CPlotPolygonObj(int id) : CPlotXYObj(id, PlotObjKind::Polygon) {}
    // Colour and fill mode (in width); the mask and the rest do not apply to a polygon.
    void SetLineAttributes(CPlotLook& plot, const ObjectLineAttributes& a) override;
    int HitTestPoint(CPlotLook& plot, Point p) override;
};

class CPlotTextObj : public CPlotObj {
public:
    explicit CPlotTextObj(int id) : CPlotObj(id, PlotObjKind::Text) {}
    void Release(CPlotLook& plot) override;
    int PlaceText(CPlotLook& plot, double x, double y, const std::string& text, int attached) override;
    int HitTestPoint(CPlotLook& plot, Point p) override;
    int HitTest(CPlotLook& plot, Point p) override;
    void Select(CPlotLook& plot, bool on) override;
    int BeginTrack(Surface& dc, CPlotLook& plot, Point p) override;
    void Track(Surface& dc, CPlotLook& plot, Point p) override;
    int EndTrack(Surface& dc, CPlotLook& plot) override;
    int SetFlags(CPlotLook& plot, int value, int mask) override;
    void Rotate(CPlotLook& plot, int direction) override;
    int Flags(const CPlotLook& plot) const override;

    // The annotation the object carries, or null.
    CPlotAnnotation* Annotation(const CPlotLook& plot) const;

    // 1 when created for a user annotation (AddText, interactive text, settings).
    int UserText = 0;
};

}  // namespace vtg
