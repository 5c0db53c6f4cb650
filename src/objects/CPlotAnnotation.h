#pragma once
// A block of text placed on the plot: free in the plot area, or tied by a leader line to a
// point of a curve, to a point in data coordinates or to an axis. Its index in the plot's
// Annotations array identifies it to text objects and to the settings text, so annotations
// are hidden rather than removed while the plot lives.

#include <string>

#include "regions/CPlotRegion.h"

namespace vtg {

class CVTGFont;

class CPlotAnnotation : public CPlotRegion {
public:
    CPlotAnnotation() : CPlotRegion(RegionKind::Corner) {}

    RegionClass Class() const override { return RegionClass::Annotation; }
    bool AcceptsClick(Surface& dc, CPlotLook& plot, Point p) override;

    // Attachments.
    static constexpr int kFree = 0;
    static constexpr int kCurve = 1;
    static constexpr int kAxis = 2;
    static constexpr int kDataPoint = 3;

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
    float OffsetX = 0;
    float OffsetY = 0;

    int PendingAttachment = -1;
    int NeedsMeasure = 1;
    int LaidOut = 0;
    int NewMark = 1;
    int Selected = 0;
    int TagHandle = 0;
};

}  // namespace vtg
