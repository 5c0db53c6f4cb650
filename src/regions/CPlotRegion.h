#pragma once
// A rectangular part of the plot window: the drawing area, the title, an axis, a caption, the
// legend, a corner label or an annotation. The plot object lays the regions out, draws them
// and routes mouse hits, menus, double clicks and drags to them through the virtual operations
// below, which every region class may override. The base versions are the defaults a region
// has when it does not care about an operation.

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace vtg {

class CPlotEnv;
class CPlotFont;
class CPlotLook;
class Menu;

// What a region is, for the few places that look regions up by class rather than by kind.
enum class RegionClass {
    Region,
    Drawing,
    BarDrawing,
    TriDrawing,
    Axis,
    TriAxis,
    Label,
    TriLabel,
    Title,
    Corner,
    Legend,
    Annotation,
};

// Region kinds, as stored in Kind and written to settings.
namespace RegionKind {
constexpr int None = -1;
constexpr int Drawing = 0;
constexpr int Title = 1;
constexpr int XAxis = 2;
constexpr int YAxis = 3;
constexpr int XCaption = 4;
constexpr int YCaption = 5;
constexpr int Legend = 6;
constexpr int Corner = 7;
}  // namespace RegionKind

class CPlotRegion {
public:
    explicit CPlotRegion(int kind = RegionKind::None) : Kind(kind) {}
    virtual ~CPlotRegion() = default;
    CPlotRegion(const CPlotRegion&) = delete;
    CPlotRegion& operator=(const CPlotRegion&) = delete;

    virtual RegionClass Class() const { return RegionClass::Region; }
    // The persistence hook of every plot record; regions are written by the plot itself.
    virtual void Serialize() {}
    virtual void Draw(Surface& dc, CPlotLook& plot, int force);
    // The size the region needs; nothing by default.
    virtual Size Measure(Surface& dc, CPlotLook& plot);
    virtual bool HitTest(Point p) const;
    virtual void DrawSelection(Surface& dc, CPlotLook& plot);
    virtual void DrawHandles(Surface& dc, CPlotLook& plot);
    // Marks the region's rectangle for repainting, background erased.
    virtual void Invalidate(CPlotLook& plot);
    // Non-zero when the region starts tracking the mouse from p.
    virtual int BeginTrack(Surface& dc, CPlotLook& plot, Point p);
    virtual Menu* GetContextMenu(CPlotLook& plot, Point p);
    virtual void Track(Surface& dc, CPlotLook& plot, Point p);
    virtual bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p);
    virtual bool EndTrack(Surface& dc, CPlotLook& plot);
    // A slot no region class fills; it answers 0 so that callers may ask any region.
    virtual int Reserved() { return 0; }
    virtual void BeginResize(Surface& dc, int hitCode);
    // The double-click action; true when something changed.
    virtual bool EditProperties(Surface& dc, CPlotLook& plot);
    // mask bit 0 sets Hidden to the inverse of bits bit 0, mask bit 1 sets Selectable to bits
    // bit 1. Returns 1 + 2 * Selectable.
    virtual int SetState(int bits, int mask);
    // The region's rectangle on the device: shifted by the environment's origin offset.
    virtual ClipRegion GetClipRegion(const CPlotEnv& env) const;

    void SetRect(int left, int top, int right, int bottom) { Rect = {left, top, right, bottom}; }

    vtg::Rect Rect;
    CPlotFont* Fonts = nullptr;         // not owned
    CPlotFont* SecondFonts = nullptr;   // not owned; may be null
    int Kind = RegionKind::None;
    int Selectable = 1;
    int Hidden = 0;
};

}  // namespace vtg
