// The plot's texts: axis captions, variable legends and their substitution values, corner
// labels, fonts and the legend box's proportions.
#include <algorithm>

#include "objects/CPlotObj.h"
#include "platform/Locale.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

// A caption that is empty or a lone line break still keeps its band in the layout.
constexpr const char* kEmptyCaption = "      ";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Every "." between two digits becomes the user's decimal separator, which may be several
// bytes long.
std::string LocaliseDecimalPoints(const std::string& text) {
    const std::string separator = Locale::DecimalSeparator();
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool between = text[i] == '.' && i > 0 && i + 1 < text.size() && IsDigit(text[i - 1]) &&
                             IsDigit(text[i + 1]);
        if (between) {
            out += separator;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

void CPlotLook::SetLabel(int index, const std::string& text) {
    if (index >= 0) {
        const bool blank = (index == 0 && text.empty()) || text == "\r";
        const std::string& value = blank ? std::string(kEmptyCaption) : text;
        if (index == 0) {
            if (XAxisRgn) XAxisRgn->Label.Text = value;
        } else if (IsTimePlot() || FromDataFile) {
            if (CPlotVar* var = YVar(index - 1)) {
                var->Label.Text = value;
                if (LegendRgn) LegendRgn->MarkForLayout();
            }
        } else if (CPlotAxisRgn* axis = YAxisRegion(index)) {
            axis->Label.Text = value;
        }
        return;
    }
    if (index < -3) return;
    auto& corner = CornerRgns[static_cast<std::size_t>(-index - 1)];
    if (text.empty()) {
        if (corner) {
            ForgetRegion(corner.get());
            corner.reset();
            Control->ContentDeleted();
            LayoutDirty = 1;
        }
        return;
    }
    if (!corner) {
        corner = std::make_unique<CPlotCornerRgn>(-index);
        corner->Fonts = &Fonts[kLabelFont];
        corner->ColorIndex = XLabelRgn ? XLabelRgn->ColorIndex : 0;
        corner->Hidden = LabelRegionsHidden;
        Regions.push_back(corner.get());
        LayoutDirty = 1;
    }
    corner->Label.Text = text;
}

std::string CPlotLook::GetLabel(int index) const {
    if (index == 0) return XAxisRgn ? XAxisRgn->Label.Text : std::string();
    if (index >= 1) {
        if (FromDataFile) {
            const CPlotVar* var = YVar(index - 1);
            return var ? var->Label.Text : std::string();
        }
        const CPlotAxisRgn* axis = YAxisRegion(index);
        return axis ? axis->Label.Text : std::string();
    }
    if (index >= -3) {
        const auto& corner = CornerRgns[static_cast<std::size_t>(-index - 1)];
        return corner ? corner->Label.Text : std::string();
    }
    return {};
}

bool CPlotLook::SetLegend(int index, const std::string& text) {
    const std::string value = text.size() > 3 ? LocaliseDecimalPoints(text) : text;
    if (index > 100) {
        const CPlotObj* object = FindObject(index);
        index = object && object->YVarIndex >= 0 ? object->YVarIndex + 1 : 0;
    }
    if (CPlotVar* var = index >= 1 ? YVar(index - 1) : nullptr) {
        var->Label.Text = value;
        if (LegendRgn) LegendRgn->MarkForLayout();
        if (ShowLegend == 1) LayoutDirty = 1;
    }
    return ShowLegend == 1;
}

std::optional<std::string> CPlotLook::GetLegend(int index) const {
    const CPlotVar* var = index >= 1 ? YVar(index - 1) : nullptr;
    if (!var || var->Label.Text.empty()) return std::nullopt;
    return var->Label.Text;
}

void CPlotLook::SetSubstitutionValue(int index, const std::string& text) {
    if (index == 0) {
        if (XAxisRgn) XAxisRgn->Label.Text2 = text;
    } else if (CPlotVar* var = index >= 1 ? YVar(index - 1) : nullptr) {
        var->SubstValue = text;
        if (CPlotAxisRgn* axis = YAxisRegion(var->AxisMap)) axis->Label.Text2 = text;
        if (LegendRgn) LegendRgn->MarkForLayout();
    } else {
        return;
    }
    LayoutDirty = 1;
}

std::optional<std::string> CPlotLook::GetSubstitutionValue(int index) const {
    if (index == 0) {
        if (!XAxisRgn || XAxisRgn->Label.Text.empty()) return std::nullopt;
        return XAxisRgn->Label.Text2;
    }
    const CPlotVar* var = index >= 1 ? YVar(index - 1) : nullptr;
    if (!var || var->Label.Text.empty()) return std::nullopt;
    return var->SubstValue;
}

void CPlotLook::SetLegendBox(int location, int sampleLength, double itemSpacing, int margin) {
    if (Props().IgnoreSetLegend || !LegendRgn) return;
    LegendRgn->SetProportions(sampleLength, itemSpacing, margin);
    if (location == 1) LegendBoxPlaced = 1;
    LayoutDirty = 1;
}

void CPlotLook::SetCaptionText(int code, const std::string& text) {
    if (code == 255) {
        if (TitleRgn) TitleRgn->Label.Text = text;
    } else if (code == 0) {
        SetLabel(0, text);
    } else if (code == 1) {
        if (CPlotAxisRgn* axis = YAxisRegion(1)) axis->Label.Text = text;
    }
    LayoutDirty = 1;
}

void CPlotLook::SetFont(int which, const std::string& face, int size, int style) {
    // A font of no size would make every text and tick count degenerate.
    const int points = size > 0 ? size : 10;
    const std::string name = face.empty() ? std::string("Tahoma") : face;
    CDrawTool& tool = Env->Tool();
    auto fill = [&](FontSlot slot, int pointSize) {
        CPlotFont& f = Fonts[slot];
        tool.FillPlotFont(f, name, std::max(pointSize, 1), style, f.Kind, f.SubKind);
    };
    switch (which) {
        case 0:
            fill(kTitleFont, points);
            break;
        case 1:
            fill(kLabelFont, points);
            fill(kSmallLabelFont, points * 3 / 4);
            break;
        case 2:
            fill(kAxisFont, points);
            break;
        case 3:
            fill(kLegendFont, points);
            fill(kSmallLegendFont, points * 3 / 4);
            if (LegendRgn) LegendRgn->MarkForLayout();
            break;
        case 4:
            fill(kDrawingFont, points);
            break;
        default:
            return;
    }
    LayoutDirty = 1;
}

void CPlotLook::ToggleLegend(Surface* dc) {
    if (ShowLegend == 1) {
        ShowLegend = 0;
        if (LegendRgn) LegendRgn->Empty();
    } else {
        ShowLegend = 1;
        if (LegendRgn) {
            LegendRgn->MarkForLayout();
            if (dc) LegendRgn->Measure(*dc, *this);
        }
    }
    LabelsDirty = 1;
    LayoutDirty = 1;
}

}  // namespace vtg
