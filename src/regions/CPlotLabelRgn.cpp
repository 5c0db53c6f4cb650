#include "regions/CPlotLabelRgn.h"

namespace vtg {

namespace {
const std::string kNoText;
}

bool CPlotLabelRgn::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

const std::string& CPlotLabelRgn::Text() const { return Caption ? Caption->Text : kNoText; }

CPlotTitleRgn::CPlotTitleRgn() : CPlotTitleRgn(RegionKind::Title) {}

CPlotTitleRgn::CPlotTitleRgn(int kind) : CPlotLabelRgn(kind) {
    AxisNumber = -1;
    Caption = &Label;
}

CPlotCornerRgn::CPlotCornerRgn(int number) : CPlotTitleRgn(RegionKind::Corner), Number(number) { CornerFlag = 1; }

}  // namespace vtg
