// The methods of the dispatch interface, in DISPID order, with the parameter names hosts see.
// The C++ signatures give the automation types: short -> int16_t, long -> int32_t, BOOL ->
// bool, a non-const reference -> a by-reference output.
#include "control/CVortigaCtrl.h"

namespace vtg {

namespace {

using C = CVortigaCtrl;
using S = const std::string&;
using I2 = std::int16_t;
using I4 = std::int32_t;
using R4 = float;
using R8 = double;
using B = bool;
using V = const Variant&;
using Params = std::vector<std::string>;

template <MethodName Name, Pending Why, class R, class... A>
void Unbuilt(MemberTable<C>& m, DispId id, Params params) {
    R (C::*fn)(A...) = &C::NotBuilt<Name, Why, R, A...>;
    m.Method(Name.text, id, fn, std::move(params));
}

}  // namespace

void CVortigaCtrl::AddMethods(MemberTable<CVortigaCtrl>& m) {
    using P = Pending;
    m.Method("Redraw", 100, &C::Redraw, {});
    m.Method("Scroll", 101, &C::Scroll, {"Horizontal", "Type", "Value"});
    m.Method("GetScroll", 102, &C::GetScroll, {"Horizontal", "MinValue", "MaxValue"});
    m.Method("GetCurrentValue", 103, &C::GetCurrentValue, {"ObjID"});
    m.Method("AddTimeData", 104, &C::AddTimeData, {"VarNo", "Time", "Value"});
    m.Method("SetLabel", 105, &C::SetLabel, {"AxisNo", "Label"});
    m.Method("SetLegend", 106, &C::SetLegend, {"VarNo", "Legend"});
    m.Method("SetScale", 107, &C::SetScale, {"VarNo", "Scale"});
    m.Method("SetInteger", 108, &C::SetInteger, {"VarNo"});
    m.Method("SetRange", 109, &C::SetRange, {"VarNo", "LowValue", "HighValue"});
    m.Method("SetData", 110, &C::SetData, {"VarNo", "DataNo", "Value"});
    m.Method("SetFont", 111, &C::SetFont, {"FontID", "fontname", "size", "attrib"});
    m.Method("SetVariable", 112, &C::SetVariable, {"index", "VariableName"});
    m.Method("GetVariable", 113, &C::GetVariable, {"index"});
    m.Method("GetRange", 114, &C::GetRange, {"VarNo", "LowValue", "HighValue"});
    m.Method("GetLabel", 115, &C::GetLabel, {"AxisNo"});
    m.Method("RewindTimeData", 116, &C::RewindTimeData, {"starttime"});
    m.Method("GetFont", 117, &C::GetFont, {"FontID", "size", "attrib"});
    m.Method("SetAttribute", 118, &C::SetAttribute, {"lineno", "Type", "marker", "color"});
    m.Method("GetAttribute", 119, &C::GetAttribute, {"lineno", "Type", "marker", "color"});
    m.Method("ClearTimeData", 120, &C::ClearTimeData, {"VarNo"});
    m.Method("GetSettings", 121, &C::GetSettings, {});
    m.Method("SetSettings", 122, &C::SetSettings, {"Settings"});
    m.Method("EditObject", 123, &C::EditObject, {"ObjectID"});
    m.Method("GetAxisMap", 124, &C::GetAxisMap, {"VarNo"});
    m.Method("SetAxisMap", 125, &C::SetAxisMap, {"VarNo", "AxisNo"});
    m.Method("FireReloadEvent", 126, &C::FireReloadEvent, {});
    m.Method("CopyToBuffer", 127, &C::CopyToBuffer, {"Data"});
    m.Method("SetAxisRange", 128, &C::SetAxisRange, {"AxisNo", "LowValue", "HighValue"});
    m.Method("GetAxisRange", 129, &C::GetAxisRange, {"AxisNo", "LowValue", "HighValue"});
    m.Method("SetXData", 130, &C::SetXData, {"VarNo", "DataNo", "Value"});
    m.Method("SetTieLine", 131, &C::SetTieLine, {"Type", "VarNo"});
    m.Method("AddText", 132, &C::AddText, {"text", "x", "y", "color", "alignment", "fontname", "size", "style"});
    m.Method("SetXVariable", 133, &C::SetXVariable, {"Yvarno", "Xvarno"});
    m.Method("GetXVariable", 134, &C::GetXVariable, {"Yvarno"});
    m.Method("GetLegend", 135, &C::GetLegend, {"VarNo"});
    m.Method("GetNYaxes", 136, &C::GetNYaxes, {});
    Unbuilt<"AddTextDialog", P::InPlaceEditing, void>(m, 137, {});
    m.Method("HideVariableDialog", 138, &C::HideVariableDialog, {});
    Unbuilt<"Copy", P::Clipboard, void>(m, 139, {});
    Unbuilt<"Paste", P::Clipboard, void>(m, 140, {});
    m.Method("SetMultiplier", 141, &C::SetMultiplier, {"AxisNo", "Multiplier"});
    m.Method("GetMultiplier", 142, &C::GetMultiplier, {"AxisNo"});
    m.Method("ModifyText", 143, &C::ModifyText, {"oldText", "newText"});
    m.Method("GetData", 144, &C::GetData, {"VarNo", "DataNo", "Value"});
    m.Method("GetXData", 145, &C::GetXData, {"VarNo", "DataNo", "Value"});
    m.Method("SetLegendBox", 146, &C::SetLegendBox, {"location", "width", "itemheight", "margin"});
    m.Method("SetSubstitutionString", 147, &C::SetSubstitutionString, {"String"});
    m.Method("SetSubstitutionValue", 148, &C::SetSubstitutionValue, {"VarNo", "String"});
    m.Method("GetMultiplierType", 149, &C::GetMultiplierType, {"AxisNo"});
    m.Method("SetMultiplierType", 150, &C::SetMultiplierType, {"AxisNo", "MultiplierType"});
    m.Method("DeleteVariable", 151, &C::DeleteVariable, {"VarNo"});
    m.Method("MoveVariable", 152, &C::MoveVariable, {"SourceVarNo", "TargetVarNo"});
    m.Method("SetAxisMode", 153, &C::SetAxisMode, {"AxisNo", "index", "mode"});
    m.Method("GetAxisMode", 154, &C::GetAxisMode, {"AxisNo", "index", "mode"});
    m.Method("EnableResetFromDefinition", 155, &C::EnableResetFromDefinition, {"Enable"});
    m.Method("SetXYData", 156, &C::SetXYData, {"ObjectID", "DataNo", "x", "y"});
    m.Method("NewLine", 157, &C::NewLine, {"color", "linetype", "marker", "MarkerSize", "direction"});
    m.Method("NewPolygon", 158, &C::NewPolygon, {"color", "fillmode"});
    m.Method("NewText", 159, &C::NewText, {"text", "x", "y", "attached"});
    m.Method("SetTextAttribute", 160, &C::SetTextAttribute,
             {"ObjectID", "color", "alignment", "angle", "fontname", "size", "style"});
    m.Method("SetObject", 161, &C::SetObject, {"ObjectID", "Value", "mask"});
    m.Method("SetLineAttribute", 162, &C::SetLineAttribute,
             {"ObjectID", "color", "linetype", "marker", "MarkerSize", "direction", "mask"});
    m.Method("DoDoubleClick", 163, &C::DoDoubleClick, {"x", "y"});
    m.Method("DisplayText", 164, &C::DisplayText, {"szText", "x", "y", "millisecs"});
    m.Method("SetEvent", 165, &C::SetEvent, {"EventID", "OnOff", "Default"});
    m.Method("ManageCursor", 166, &C::ManageCursor, {"OnOff"});
    m.Method("InvokeMenuItem", 167, &C::InvokeMenuItem, {"ID"});
    m.Method("GetMenuItem", 168, &C::GetMenuItem, {"code", "ID"});
    m.Method("UpdateMenu", 169, &C::UpdateMenu, {});
    m.Method("IsMenuItemEnabled", 170, &C::IsMenuItemEnabled, {"ID"});
    m.Method("DragLine", 171, &C::DragLine, {"x1", "y1", "x2", "y2", "color"});
    m.Method("UpdateAxis", 172, &C::UpdateAxis, {});
    m.Method("Clear", 173, &C::Clear, {});
    m.Method("Zoom", 174, &C::Zoom, {"mode"});
    m.Method("IsRegionDefined", 175, &C::IsRegionDefined, {});
    m.Method("GetPointerLocation", 176, &C::GetPointerLocation, {"ix", "iy"});
    m.Method("SetSymbol", 177, &C::SetSymbol, {"SymbolName", "Value"});
    m.Method("ConvertToDevice", 178, &C::ConvertToDevice, {"x", "y", "ix", "iy"});
    m.Method("ConvertToPlot", 179, &C::ConvertToPlot, {"ix", "iy", "x", "y"});
    m.Method("SetCopyMode", 180, &C::SetCopyMode, {"mode"});
    m.Method("SetTextMode", 181, &C::SetTextMode, {"mode"});
    m.Method("SetHighlightMode", 182, &C::SetHighlightMode, {"mode"});
    m.Method("SetMousePointer", 183, &C::SetMousePointer, {"Type"});
    Unbuilt<"CopyWithSize", P::Clipboard, void, I2, I2>(m, 184, {"width", "height"});
    m.Method("GetXYData", 185, &C::GetXYData, {"ObjectID", "DataNo", "x", "y"});
    m.Method("ChangeText", 186, &C::ChangeText, {"ObjectID", "text", "x", "y", "attached"});
    m.Method("Print2", 187, &C::Print2, {"SetupOnly"});
    Unbuilt<"PrintPreview", P::Preview, void, B>(m, 188, {"ON"});
    m.Method("OpenLog", 189, &C::OpenLog, {"filename"});
    m.Method("CloseLog", 190, &C::CloseLog, {});
    m.Method("PageLayout", 191, &C::PageLayout, {});
    m.Method("Rotate", 192, &C::Rotate, {"direction"});
    m.Method("SetPhasePlot", 193, &C::SetPhasePlot, {"bSet"});
    m.Method("GetPhasePlot", 194, &C::GetPhasePlot, {});
    // The result is an SCODE, declared as a long; the values arrive as an array or one number.
    m.Method("AddPhaseData", 195, &C::AddPhaseData, {"x_data", "py_data"});
    m.Method("GetPhaseXVariable", 196, &C::GetPhaseXVariable, {});
    m.Method("SetPhaseXVariable", 197, &C::SetPhaseXVariable, {"sVarName"});
    m.Method("FirePhasePlot", 198, &C::FirePhasePlot, {"sVarName"});
    m.Method("GetScale", 199, &C::GetScale, {"VarNo"});
    m.Method("GetAxisHighLows", 200, &C::GetAxisHighLows,
             {"iAxis", "dVarLow", "dVarHigh", "dAxisLow", "dAxisHigh", "dLow", "dHigh"});
    m.Method("EnableFireEvent", 201, &C::EnableFireEvent, {"Enable"});
    m.Method("AddLegendEditDialog", 202, &C::AddLegendEditDialog, {});
    m.Method("SetAxisScale", 203, &C::SetAxisScale, {"VarNo", "Scale"});
    m.Method("GetSelAnnoAttributes", 204, &C::GetSelAnnoAttributes,
             {"ifontsize", "ifontattrib", "ifontcolor", "idirecton", "ialignment", "iattachment", "iarrow"});
    m.Method("SetSelAnnoAttributes", 205, &C::SetSelAnnoAttributes,
             {"sfontname", "ifontsize", "ifontattrib", "ifontcolor", "idirecton", "ialignment", "iattachment", "iarrow"});
    m.Method("GetVarLineInfo", 206, &C::GetVarLineInfo,
             {"iColor", "iLineWidth", "iLineStyle", "iMarker", "iSize", "iInterval"});
    m.Method("SetVarLineInfo", 207, &C::SetVarLineInfo,
             {"iColor", "iLineWidth", "iLineStyle", "iMarker", "iSize", "iInterval"});
    m.Method("GetIndexSelVarLine", 208, &C::GetIndexSelVarLine, {"iIndex"});
    m.Method("HideShowVariable", 209, &C::HideShowVariable, {"iIndex", "iHide1Show0"});
    m.Method("GetIndexSelLabel", 210, &C::GetIndexSelLabel, {"iIndex"});
    m.Method("HideShowLabel", 211, &C::HideShowLabel, {"iIndex", "iHide1Show0"});
    m.Method("GetSelAxisScaleReverse", 212, &C::GetSelAxisScaleReverse, {});
    m.Method("SetSelAxisScaleReverse", 213, &C::SetSelAxisScaleReverse, {"iReverse"});
    m.Method("GetSelAxisScaleResetRange", 214, &C::GetSelAxisScaleResetRange, {});
    m.Method("SetSelAxisScaleResetRange", 215, &C::SetSelAxisScaleResetRange, {"iResetRange"});
    m.Method("GetSelAxisScaleLockGrid", 216, &C::GetSelAxisScaleLockGrid, {});
    m.Method("SetSelAxisScaleLockGrid", 217, &C::SetSelAxisScaleLockGrid, {"iLockGrid"});
    m.Method("GetSelAxisScaleInterval", 218, &C::GetSelAxisScaleInterval, {});
    m.Method("SetSelAxisScaleInterval", 219, &C::SetSelAxisScaleInterval, {"dInterval"});
    m.Method("GetIndexSelAxisScaleRgn", 220, &C::GetIndexSelAxisScaleRgn, {"iIndex"});
    m.Method("GetVariableLineState", 221, &C::GetVariableLineState, {"iIndex", "iVisibility"});
    m.Method("GetYaxisLabelsState", 222, &C::GetYaxisLabelsState, {"iIndex", "iVisibility"});
    m.Method("AddYAxisMapDialog", 223, &C::AddYAxisMapDialog, {});
    m.Method("SetAxisRangeR", 224, &C::SetAxisRangeR, {"AxisNo", "LowValue", "HighValue", "iRibon"});
    m.Method("CheckMenuItem", 225, &C::CheckMenuItem, {"Command", "Check"});
    m.Method("GetLabelColorIndex", 226, &C::GetLabelColorIndex, {});
    m.Method("SetLabelColorIndex", 227, &C::SetLabelColorIndex, {"iColIndex"});
    m.Method("GetAxisColorIndex", 228, &C::GetAxisColorIndex, {});
    m.Method("SetAxisColorIndex", 229, &C::SetAxisColorIndex, {"iColIndex"});
    m.Method("SetPrintSettings", 230, &C::SetPrintSettings,
             {"bLandscape", "LeftMargin", "TopMargin", "RightMargin", "BottomMargin"});
    m.Method("GetVarLocalAttribute", 231, &C::GetVarLocalAttribute, {"lineno", "ilocal"});
    m.Method("SetVarLocalAttribute", 232, &C::SetVarLocalAttribute, {"lineno", "ilocal"});
    m.Method("GetPlotIsLive", 233, &C::GetPlotIsLive, {});
    m.Method("SetPlotIsLive", 234, &C::SetPlotIsLive, {"bIsLive"});
    m.Method("KeyDown", 235, &C::KeyDown, {"nChar", "nRepCnt", "nFlags"});
    m.Method("GetVarLineAttributes", 236, &C::GetVarLineAttributes,
             {"iVar", "iColor", "iLineWidth", "iLineStyle", "iMarker", "iSize", "iInterval"});
    m.Method("SetVarLineAttributes", 237, &C::SetVarLineAttributes,
             {"iVar", "iColor", "iLineWidth", "iLineStyle", "iMarker", "iSize", "iInterval"});
    m.Method("GetAnnotationCount", 241, &C::GetAnnotationCount, {"nAnno"});
    m.Method("GetAnnoAttributes", 242, &C::GetAnnoAttributes,
             {"iIndex", "ifontsize", "ifontattrib", "ifontcolor", "idirecton", "ialignment", "iattachment", "iarrow"});
    m.Method("SetFlippedFlag", 243, &C::SetFlippedFlag, {"bFlipped"});
    m.Method("ApplySettingByUserFlag", 244, &C::ApplySettingByUserFlag, {});
    // Both answer a short palette index.
    m.Method("GetLabelColor", 245, &C::GetLabelColor, {"AxisNo"});
    m.Method("GetAxisColor", 246, &C::GetAxisColor, {"AxisNo"});
    m.Method("GetSetAxisRefit", 247, &C::GetSetAxisRefit, {"iAxis"});
    Unbuilt<"AboutBox", P::Registration, void>(m, -552, {});
}

}  // namespace vtg
