// Drawing the plot: the dirty-flag protocol that runs before anything is painted, then the
// background. Regions, axes, variables and annotations are drawn by their own code.
#include <array>

#include "platform/Surface.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"

namespace vtg {

namespace {

// The desktop's system colours, by their system-colour index (as an OLE colour names them
// with the top bit set).
constexpr std::array<Color, 25> kSystemColors{
    Rgb(0xC8, 0xC8, 0xC8), Rgb(0x00, 0x00, 0x00), Rgb(0x99, 0xB4, 0xD1), Rgb(0xBF, 0xCD, 0xDB),
    Rgb(0xF0, 0xF0, 0xF0), Rgb(0xFF, 0xFF, 0xFF), Rgb(0x64, 0x64, 0x64), Rgb(0x00, 0x00, 0x00),
    Rgb(0x00, 0x00, 0x00), Rgb(0x00, 0x00, 0x00), Rgb(0xB4, 0xB4, 0xB4), Rgb(0xF4, 0xF7, 0xFC),
    Rgb(0xAB, 0xAB, 0xAB), Rgb(0x00, 0x78, 0xD7), Rgb(0xFF, 0xFF, 0xFF), Rgb(0xF0, 0xF0, 0xF0),
    Rgb(0xA0, 0xA0, 0xA0), Rgb(0x6D, 0x6D, 0x6D), Rgb(0x00, 0x00, 0x00), Rgb(0x00, 0x00, 0x00),
    Rgb(0xFF, 0xFF, 0xFF), Rgb(0x69, 0x69, 0x69), Rgb(0xE3, 0xE3, 0xE3), Rgb(0x00, 0x00, 0x00),
    Rgb(0xFF, 0xFF, 0xE1)};

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

}  // namespace

Color TranslateOleColor(std::int32_t ole) {
    const auto value = static_cast<std::uint32_t>(ole);
    if (value & kSystemColorFlag) {
        const std::uint32_t index = value & 0xFFFFu;
        return index < kSystemColors.size() ? kSystemColors[index] : Rgb(0, 0, 0);
    }
    return RgbOnly(value);
}

void CPlotLook::Draw(Surface& dc, const Rect& rect, int axesOnly, int fullRedraw) {
    (void)axesOnly;
    (void)fullRedraw;
    if (EditPending) {
        EditPending = 0;
        Control->ModifiedTail();
    }
    dc.FillRect(rect, Brush{BrushKind::Solid, TranslateOleColor(Props().BackColor)});

    if (AxisMapDirty) {
        CompactAxisMap();
        AxisMapDirty = 0;
    }
    if (LabelsDirty || FitAllPending) {
        RebuildYLabels();
        LabelsDirty = 0;
    }
    AxesDirty = 0;
    LayoutDirty = 0;
    if (FitAllPending) {
        FitRangesToData();
        FitAllPending = 0;
        RefitDirty = 0;
    } else if (RefitDirty) {
        RefitRanges();
        RefitDirty = 0;
    }
    // On screen, whatever lay outside the area being painted was drawn for the old drawing
    // area. Pages and vector copies are drawn whole and leave the window alone.
    const bool direct = Printing || dc.Kind() == SurfaceKind::Metafile;
    if (Layout(dc) && !direct) Control->InvalidateControl();
}

}  // namespace vtg
