#pragma once
// A block of text placed on the plot: free in the plot area, or tied by a leader line to a
// point of a curve, to a point in data coordinates or to an axis. Its index in the plot's
// Annotations array identifies it to text objects and to the settings text, so annotations
// are hidden rather than removed while the plot lives.
//
// A free annotation keeps its text position in relative drawing-area coordinates (see
// RelativeToDevice); a tied one keeps its tag point in data coordinates and the text's offset
// from it as fractions of the drawing area's size. Layout turns that into device geometry at
// every draw; hit testing and dragging use the last layout.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "objects/AnnotationGeometry.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotRegion.h"

namespace vtg {

class CVTGFont;

class CPlotAnnotation : public CPlotRegion {
public:
    // Attachments.
    static constexpr int kFree = 0;
    static constexpr int kCurve = 1;
    static constexpr int kAxis = 2;
    static constexpr int kDataPoint = 3;
    // The anchor coordinate of an annotation tied to the other axis.
    static constexpr float kOnAxis = AnnotationAnchor::kOnAxis;
    // The tracking code of a tag-point drag.
    static constexpr int kTagDrag = -101;
    static constexpr int kPaletteColors = 16;

    CPlotAnnotation() : CPlotAnnotation(std::string()) {}
    explicit CPlotAnnotation(std::string text);
    CPlotAnnotation(std::string text, CVTGFont* font, int color, int direction, int attachment, int arrow,
                    int alignment);

    RegionClass Class() const override { return RegionClass::Annotation; }

    // ---- positions and attributes ----
    struct Position {
        float anchorX = 0;
        float anchorY = 0;
        float offsetX = 0;
        float offsetY = 0;
        int variable = 0;
        friend bool operator==(const Position&, const Position&) = default;
    };
    struct Attributes {
        int color = 0;
        int direction = 0;
        int attachment = kFree;
        int arrow = 2;
        int alignment = 0;
        int transparent = 0;
        friend bool operator==(const Attributes&, const Attributes&) = default;
    };
    void SetPosition(const Position& p);
    Position GetPosition() const;
    // A colour index outside the palette is stored as 0. Nothing is measured anew.
    void SetAttributes(const Attributes& a);
    Attributes GetAttributes() const;
    void SetTextFont(CVTGFont* font) { Font = font; }
    std::pair<std::string, CVTGFont*> GetText() const { return {Text, Font}; }
    // Applied by the next layout.
    void RequestAttachment(int mode) { PendingAttachment = mode; }
    bool IsTied() const { return Attachment != kFree; }

    // ---- layout and placement (CPlotAnnotation.cpp, CPlotAnnotationAttach.cpp) ----
    void Layout(Surface& dc, CPlotLook& plot);
    void MoveBy(int dx, int dy, CPlotLook& plot);
    // Stores a device text position as relative anchor (free) or as offsets (tied).
    void StoreDevicePosition(Point p, CPlotLook& plot);
    void Attach(CPlotLook& plot, int mode);
    void Detach(CPlotLook& plot, int mode);
    void BringIntoView(CPlotLook& plot);
    // The text becomes the current time and date.
    void MakeTimeStamp();

    // ---- in-place editing ----
    struct EditorFont {
        std::string face;
        int height = 14;
        int weight = 400;
        bool italic = false;
        bool underline = false;
    };
    EditorFont GetEditorFont() const;
    // 1 centred, 2 right, else 0 (left).
    int EditorAlignment() const;

    // ---- the region's virtual operations (CPlotAnnotationDraw.cpp, CPlotAnnotationTrack.cpp) ----
    void Draw(Surface& dc, CPlotLook& plot, int force) override;
    bool HitTest(Point p) const override;
    void DrawSelection(Surface& dc, CPlotLook& plot) override;
    int BeginTrack(Surface& dc, CPlotLook& plot, Point p) override;
    void Track(Surface& dc, CPlotLook& plot, Point p) override;
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;
    bool EndTrack(Surface& dc, CPlotLook& plot) override;
    void BeginResize(Surface& dc, int hitCode) override;

    // ---- persistent attributes ----
    std::string Text;
    CVTGFont* Font = nullptr;       // from the font pool; not owned. None: never drawn.
    int Color = 0;
    int Direction = 0;
    int Attachment = kFree;
    int Arrow = 2;
    int Alignment = 0;
    int TransparentBackground = 0;
    int LeaderLocked = 0;
    int TimeStamp = 0;
    float AnchorX = 0;
    float AnchorY = 0;
    int AttachedVariable = 0;
    AnnotationAnchor Anchor() const { return {AnchorX, AnchorY, AttachedVariable}; }
    float OffsetX = 0;
    float OffsetY = 0;

    // ---- working state ----
    int PendingAttachment = -1;
    int NeedsMeasure = 1;
    int LaidOut = 0;
    int BringIntoViewPending = 0;
    int NewMark = 1;
    int Selected = 0;
    int TagHandle = 0;

    // ---- measured geometry (device units) ----
    int LineCount = 0;
    Point WidthVector;
    Point HeightVector;
    Point TextPosition;
    Point TagPoint;
    vtg::Rect TextBox;
    std::array<Point, 4> Outline{};

private:
    // The drawing area and plot size of the moment.
    static PlotFrame FrameOf(const CPlotLook& plot);
    void MeasureBlock(Surface& dc, CPlotLook& plot);
    // The lines as shown, within what a text region lays out (kMaxShownLines, each cut by
    // CutToShownLine).
    std::vector<std::string> ShownLines(CPlotLook& plot) const;
    // Text position (and tag point when tied) from the stored position.
    void Place(CPlotLook& plot);
    void UpdateBoxes();
    // The region rectangle; withTagSquare adds the square the arrowhead may cover.
    void UpdateRegionRect(bool withTagSquare);
    // The tag point from the anchor; false while it cannot be computed.
    bool ComputeTagPoint(CPlotLook& plot);
    // Ties the annotation for mode at its current text position (Attach's search).
    bool FindTagData(CPlotLook& plot, int mode, Point at);
    // Ties to the axis along the nearer edge when that lies nearer than a curve (nearness);
    // x and y are the data under at. False when the value does not fit an anchor.
    bool TieToAxisIfNearer(CPlotLook& plot, Point at, double nearness, double x, double y);
    void DrawLeader(Surface& dc, CPlotLook& plot) const;
    void DrawLines(Surface& dc, CPlotLook& plot) const;
    bool LeaderHidden(CPlotLook& plot) const;
    void DrawFeedback(Surface& dc, CPlotLook& plot) const;
    bool EndTagDrag(CPlotLook& plot);

    // Drag state.
    vtg::Rect dragRect_;
    Point dragPoint_;
    Point leaderEnd_;
    bool feedbackDrawn_ = false;
    int trackCode_ = 0;
};

}  // namespace vtg
