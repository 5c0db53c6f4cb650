// Automation methods: annotations the host adds, changes and reads back.
#include "control/CVortigaCtrl.h"
#include "objects/CPlotAnnotation.h"
#include "platform/WindowSite.h"
#include "plot/CPlotLook.h"
#include "regions/CDrawTool.h"

namespace vtg {

std::int16_t CVortigaCtrl::AddText(const std::string& text, float x, float y, std::int16_t color,
                                   std::int16_t alignment, const std::string& fontname, std::int16_t size,
                                   std::int16_t style) {
    const int id = Plot().AddTextObject(text, x, y, color, alignment, fontname, size, style);
    ModifiedTail();
    InvalidateControl();
    return static_cast<std::int16_t>(id);
}

void CVortigaCtrl::ModifyText(const std::string& oldText, const std::string& newText) {
    const int changed =
        WithWindowSurface([&](Surface* dc) { return Plot().ReplaceAnnotationText(oldText, newText, dc); });
    if (changed > 0) InvalidateControl();
}

void CVortigaCtrl::GetAnnotationCount(std::int16_t& nAnno) {
    nAnno = static_cast<std::int16_t>(Plot().Annotations.size());
}

std::string CVortigaCtrl::GetAnnoAttributes(std::int16_t iIndex, std::int16_t& ifontsize, std::int16_t& ifontattrib,
                                            std::int16_t& ifontcolor, std::int16_t& idirecton,
                                            std::int16_t& ialignment, std::int16_t& iattachment,
                                            std::int16_t& iarrow) {
    Plot().SettleCurveTies();
    const auto& annotations = Plot().Annotations;
    if (iIndex < 1 || iIndex > static_cast<int>(annotations.size())) return {};
    const CPlotAnnotation& a = *annotations[static_cast<std::size_t>(iIndex - 1)];
    ifontsize = static_cast<std::int16_t>(a.Font ? a.Font->Size : 0);
    ifontattrib = static_cast<std::int16_t>(a.Font ? a.Font->Style : 0);
    ifontcolor = static_cast<std::int16_t>(a.Color);
    idirecton = static_cast<std::int16_t>(a.Direction);
    ialignment = static_cast<std::int16_t>(a.Alignment);
    iattachment = static_cast<std::int16_t>(a.Attachment);
    iarrow = static_cast<std::int16_t>(a.Arrow);
    if (a.Font && !a.Font->Face.empty()) return a.Text + ":" + a.Font->Face;
    return a.Text;
}

}  // namespace vtg
