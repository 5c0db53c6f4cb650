// Automation methods: lines, polygons and texts the host draws and later changes or deletes
// by object id.
#include <cstdio>

#include "control/CVortigaCtrl.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"

namespace vtg {

namespace {

ObjectLineAttributes LineAttributesOf(int color, int linetype, int marker, int markerSize, int direction, int mask) {
    const LineStyle line = SplitLineType(linetype);
    return {color, line.width, line.style, marker, markerSize, direction, mask};
}

std::string IdLine(const char* format, int id) {
    char line[64];
    std::snprintf(line, sizeof line, format, id);
    return line;
}

// Four characters for the flag bits 8, 4, 2 and 1: blank when not in mask, "o" set, "x" clear.
std::string FlagPicture(int value, int mask) {
    std::string picture;
    for (int bit : {8, 4, 2, 1}) picture += (mask & bit) == 0 ? ' ' : ((value & bit) != 0 ? 'o' : 'x');
    return picture;
}

}  // namespace

std::int16_t CVortigaCtrl::NewLine(std::int16_t color, std::int16_t linetype, std::int16_t marker,
                                   std::int16_t MarkerSize, std::int16_t direction) {
    CPlotLook& plot = Plot();
    const int id = plot.CreateObject(static_cast<int>(PlotObjKind::Line), 0);
    if (id == 0) return 0;
    plot.FindObject(id)->SetLineAttributes(plot, LineAttributesOf(color, linetype, marker, MarkerSize, direction, 255));
    WriteLog(IdLine("NEWLINE ID:%d\r\n", id));
    SetModified();
    return static_cast<std::int16_t>(id);
}

std::int16_t CVortigaCtrl::NewPolygon(std::int16_t color, std::int16_t fillmode) {
    CPlotLook& plot = Plot();
    const int id = plot.CreateObject(static_cast<int>(PlotObjKind::Polygon), 0);
    if (id == 0) return 0;
    plot.FindObject(id)->SetLineAttributes(plot, {color, fillmode, 0, 0, 0, 0, 255});
    WriteLog(IdLine("NEWPOLYGON ID:%d\r\n", id));
    SetModified();
    return static_cast<std::int16_t>(id);
}

std::int16_t CVortigaCtrl::NewText(const std::string& text, double x, double y, std::int16_t attached) {
    CPlotLook& plot = Plot();
    const int id = plot.CreateObject(static_cast<int>(PlotObjKind::Text), 0);
    if (id == 0) return 0;
    WriteLog(LogLineWithText(IdLine("NEWTEXT ID:%d (", id), text, ")"));
    plot.PlaceTextObject(id, x, y, text, attached);
    SetModified();
    InvalidateControl();
    return static_cast<std::int16_t>(id);
}

void CVortigaCtrl::ChangeText(std::int16_t ObjectID, const std::string& text, double x, double y,
                              std::int16_t attached) {
    WriteLog(LogLineWithText(IdLine("CHANGETEXT ID:%d (", ObjectID), text, ")"));
    if (!Plot().FindObject(ObjectID)) return;
    Plot().PlaceTextObject(ObjectID, x, y, text, attached);
    SetModified();
    InvalidateControl();
}

void CVortigaCtrl::SetTextAttribute(std::int16_t ObjectID, std::int16_t color, std::int16_t alignment,
                                    std::int16_t angle, const std::string& fontname, std::int16_t size,
                                    std::int16_t style) {
    if (!Plot().FindObject(ObjectID)) return;
    Plot().SetTextObjectAttributes(ObjectID, color, alignment, angle, fontname, size, style);
    SetModified();
}

std::int16_t CVortigaCtrl::SetObject(std::int16_t ObjectID, std::int16_t Value, std::int16_t mask) {
    if (Value == -1) {
        WriteLog(IdLine("SETOBJECT (DELETE) ID:%d\r\n", ObjectID));
    } else {
        WriteLog("SETOBJECT (" + FlagPicture(Value, mask) + IdLine(") ID:%d\r\n", ObjectID));
    }
    const int result = Plot().SetObjectFlags(ObjectID, Value, mask);
    if (result != 0) SetModified();
    // A highlight only shows through the blinking that repaints the control.
    if (!Highlighted().empty()) InvalidateControl();
    return static_cast<std::int16_t>(result);
}

void CVortigaCtrl::SetLineAttribute(std::int16_t ObjectID, std::int16_t color, std::int16_t linetype,
                                    std::int16_t marker, std::int16_t MarkerSize, std::int16_t direction,
                                    std::int16_t mask) {
    if (!Plot().FindObject(ObjectID)) return;
    Plot().SetLineObjectAttributes(ObjectID, LineAttributesOf(color, linetype, marker, MarkerSize, direction, mask));
    SetModified();
}

void CVortigaCtrl::SetXYData(std::int16_t ObjectID, std::int16_t DataNo, double x, double y) {
    if (Plot().SetObjectPoint(ObjectID, DataNo, x, y) != 0) SetModified();
}

bool CVortigaCtrl::GetXYData(std::int16_t ObjectID, std::int16_t DataNo, double& x, double& y) {
    const CPlotLook::ObjectPoint point = Plot().GetObjectPoint(ObjectID, DataNo);
    if (!point.found) return false;
    x = point.x;
    y = point.y;
    return true;
}

void CVortigaCtrl::OpenLog(const std::string& filename) {
    if (filename.find('\0') != std::string::npos) {
        throw AutomationError::InvalidArg("OpenLog: the file name has a NUL byte in it", 0);
    }
    operationLog_.Open(filename);
}

}  // namespace vtg
