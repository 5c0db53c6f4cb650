#pragma once
// The control a host embeds: one plot, driven through the dispatch interface, reporting
// through its events. It owns the drawing environment and (created when first needed) the
// plot object, keeps the automation properties, persists them, paints the plot into whatever
// surface and rectangle it is handed, and receives its window's input through the site.
//
// The control works with a window site (SetSite) or without one; without a site nothing is
// invalidated and dialogs are answered by the host services alone.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "control/Events.h"
#include "control/UnbuiltMethod.h"
#include "objects/ObjectIdAllocator.h"
#include "persist/OperationLog.h"
#include "platform/Automation.h"
#include "platform/ConnectionPoint.h"
#include "platform/WindowSite.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotMenu.h"
#include "plot/IPlotHost.h"

namespace vtg {

// Title and caption texts are applied without leading and trailing blanks.
std::string TrimBlanks(const std::string& text);


class CPlotLook;
class CPlotVar;
class ControlReference;
class PropExchange;
class PropertyBag;
struct ControlImage;
struct PrintInfo;
struct PlotDataFile;

class CVortigaCtrl : public ControlProperties,
                     public DispatchImpl<CVortigaCtrl>,
                     public IWindowHandler,
                     private IPlotHost {
public:
    // Bits of changedProperties: which properties the host has set.
    enum PropertyBit : std::uint32_t {
        kTitleBit = 0x2,
        kXLabelBit = 0x4,
        kYLabelBit = 0x8,
        kRunPlotBit = 0x20,
        kPlotTypeBit = 0x40,
        kTimeWindowBit = 0x80,
        kUseVariableBit = 0x100,
        kInputFileBit = 0x200,
        kNpointsBit = 0x400,
        kNvariablesBit = 0x800,
        kTimeScrollUnitBit = 0x1000,
        kGridTypeBit = 0x2000,
        kMarkerSizeBit = 0x4000,
        kMarkerIntervalBit = 0x8000,
        kFlippedBit = 0x10000,
        kSquarePlotBit = 0x20000,
        kDiagonalLineBit = 0x40000,
        kZeroLineBit = 0x80000,
        kDisplayTypeBit = 0x100000,
        kBufferSizeBit = 0x200000,
        kSizeToDataBit = 0x400000,
        kParametricBit = 0x800000,
        kNxvariablesBit = 0x1000000,
        kReverseXAxisBit = 0x2000000,
        kAddTimeStampBit = 0x4000000,
        kShowLegendBit = 0x8000000,
        kCommunicationIntervalsBit = 0x10000000,
    };

    // Timer identifiers.
    static constexpr int kCursorTimer = 1;
    static constexpr int kTextDisplayTimer = 2;
    static constexpr int kBlinkTimer = 3;
    static constexpr int kBlinkOffTimer = 4;

    // pendingSelectedId values.
    static constexpr int kNothingPending = -1111;
    static constexpr int kPendingZero = -1000;

    CVortigaCtrl();
    ~CVortigaCtrl() override;
    CVortigaCtrl(const CVortigaCtrl&) = delete;
    CVortigaCtrl& operator=(const CVortigaCtrl&) = delete;

    // The dispatch interface: the 44 properties and the 146 methods.
    static const MemberTable<CVortigaCtrl>& Members();

    // ---- window ----
    // The site's input comes to this control; null detaches it. A site must outlive the
    // control or be detached first.
    void SetSite(IWindowSite* site);
    IWindowSite* GetSite() const { return site_; }
    void OnPaint(Surface& dc, const Rect& invalid) override;
    void OnSize(int width, int height) override;
    void OnTimer(int id) override;
    // Paints the plot into dc's rectangle bounds, scaled (aspect kept, centred) when bounds
    // differs from the size the plot is laid out for.
    void OnDraw(Surface& dc, const Rect& bounds, const Rect& invalid);
    void OnDrawMetafile(Surface& dc, const Rect& bounds);

    // ---- events ----
    ConnectionPoint& Events() { return events_; }
    // Fires with the parameters converted to the event's declared types. A host handler may
    // call back into the control, Clear and SetSettings included: a caller holds no plot,
    // region or object across a fire and re-reads what it needs afterwards.
    void FireEvent(EventId id, std::vector<Variant> args = {});
    // The OnOff and Default bits SetEvent keeps for an event id (EventGate in Events.h).
    bool EventOn(int eventId) const;
    bool EventDefault(int eventId) const;
    // The modifier keys held now (kModifierShift, kModifierCtrl, kModifierAlt).
    std::int16_t ModifierKeys() const;

    // ---- events of the input handlers (CVortigaCtrlEvents.cpp) ----
    // Each fires only through its gate and answers whether it fired. Points are device points.
    // A mouse move outside a drag: PointerLocation with the plot's read-out while p lies in
    // the drawing area, PointerExit once when the pointer has left it.
    bool FirePointerLocation(Point p);
    // After the plot processed the click at p: the plot coordinates of p and the id of the
    // object now selected (0 for none).
    bool FireClick(Point p);
    // After the plot processed the double click; objectId is the object it reports.
    bool FireDoubleClick(Point p, int objectId);
    bool FireRBClick(Point p);
    bool FireKeyPress(std::int32_t keyAscii);
    bool FireKeyDown(std::int32_t keyCode);
    bool FireKeyUp(std::int32_t keyCode);
    // Shows the cursor, or with manageCursor fires CursorSet instead.
    void ShowCursor(int cursorId);
    // At the end of a drag: RegionDefined when the plot now reports a defined region.
    bool FireRegionDefined();
    // Drops: a text and the object it names, the file names, a variable path dropped on the
    // X axis or the single Y label of a phase or run plot.
    void FireDropText(const std::string& text, int objectId);
    void FireDropFiles(const std::vector<std::string>& paths);
    void FirePhaseVariableDropped(const std::string& variablePath);
    // The title text the plot shows has been applied.
    void FireSetCaption(const std::string& title);
    // The window's scroll bars and menu highlight.
    void OnHScroll(int code, int pos) override;
    void OnVScroll(int code, int pos) override;
    void OnMenuSelect(int command) override;
    bool PointerInside() const { return pointerInside_; }

    // ---- persistence ----
    // A new control: every persisted property takes its default and the plot is built.
    void ResetState();
    void SaveProperties(PropertyBag& bag);
    // Properties of another version leave the control as it is.
    void LoadProperties(const PropertyBag& bag);
    // The control's stream image: the property exchange followed by the plot's content.
    std::vector<std::uint8_t> SaveStream();
    // Loads a stream image. A stream that is truncated, corrupt or hostile raises an automation
    // error and leaves the control exactly as it was.
    void LoadStream(std::span<const std::uint8_t> data);
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified) { modified_ = modified; }

    // ---- the plot ----
    // The plot object, built on first use.
    CPlotLook& Plot();
    CPlotLook* PlotIfCreated() const { return plotLook.get(); }
    CPlotEnv& Environment() { return plotEnv; }
    // The host's name for each plot variable.
    const std::vector<std::string>& VariableNames() const { return variableNames; }

    // ---- common steps, shared with the methods ----
    void CancelEditing();
    void SetModified() { modified_ = true; }
    void ModifiedTail() override;
    void InvalidateControl() override;
    void LookDirty();
    // Mode 1 zooms in, 2 out, 3 back to the full ranges, 4 to the dragged rubber band; the
    // level is then reported through ZoomLevel, the scroll bars and ZoomDone (for any mode).
    void Zoom(std::int16_t mode);
    // Shows the zoom scroll bars while the view is zoomed, hides them otherwise.
    void UpdateScrollBars(bool show, bool verticalOnlyCheck = false);
    // Moves the shown scroll bars' thumbs to where the view is.
    void SetScrollThumbs();
    // 0 nothing, a region's kind, 7 a text object, 13 a variable line.
    int CurrentSelectionCode() const;

    // ---- automation methods (CVortigaCtrlMethods*.cpp) ----
    // Numbering as the host passes it: variable 0 is the independent variable and 1..n the
    // dependent ones (SetData, GetData, SetLegend); axis 0 is the X axis and 1..GetNYaxes() the
    // Y axes. SetVariable, SetAxisMap, SetAttribute and the per-variable line methods take
    // 0-based variable positions. Silent range checks ignore the call; where an index is an
    // error, an invalid-argument automation error reaches the host and nothing changes.

    // Drawing and view.
    void Redraw();
    void GetScroll(bool Horizontal, std::int16_t& MinValue, std::int16_t& MaxValue);
    void UpdateAxis();
    void Clear();
    void Scroll(bool Horizontal, std::int16_t Type, std::int16_t Value);

    // Live data (run and phase plots).
    void AddTimeData(std::int16_t VarNo, double Time, double Value);
    void RewindTimeData(double starttime);
    void ClearTimeData(std::int16_t VarNo);
    // A two-dimensional array of numbers: rows are samples, the first column the time.
    void CopyToBuffer(const Variant& Data);
    // py_data: an array with a value per dependent variable, or one number for the first.
    std::int32_t AddPhaseData(float x_data, const Variant& py_data);

    // The operation log: one line per host operation on objects and annotations. A name with a
    // NUL byte is refused (InvalidArg) before anything changes, an open log included: the
    // system would create the file named by the part before the NUL.
    void OpenLog(const std::string& filename);
    void CloseLog() { operationLog_.Close(); }
    bool LogOpen() const { return operationLog_.IsOpen(); }

    // Annotations. GetAnnoAttributes counts from 1; outside the annotations it answers ""
    // and leaves the outputs alone.
    std::int16_t AddText(const std::string& text, float x, float y, std::int16_t color, std::int16_t alignment,
                         const std::string& fontname, std::int16_t size, std::int16_t style);
    void ModifyText(const std::string& oldText, const std::string& newText);
    void GetAnnotationCount(std::int16_t& nAnno);
    std::string GetAnnoAttributes(std::int16_t iIndex, std::int16_t& ifontsize, std::int16_t& ifontattrib,
                                  std::int16_t& ifontcolor, std::int16_t& idirecton, std::int16_t& ialignment,
                                  std::int16_t& iattachment, std::int16_t& iarrow);

    // Plot objects: lines, polygons and texts the host draws by id. The creating methods return
    // the new id, or 0 when no id is free; one that needs variables the plot cannot take raises
    // invalid-argument and creates nothing. Ids no object has are ignored (SetObject, GetXYData:
    // 0). SetObject with Value -1 deletes the object and returns -1.
    std::int16_t NewLine(std::int16_t color, std::int16_t linetype, std::int16_t marker, std::int16_t MarkerSize,
                         std::int16_t direction);
    std::int16_t NewPolygon(std::int16_t color, std::int16_t fillmode);
    std::int16_t NewText(const std::string& text, double x, double y, std::int16_t attached);
    void ChangeText(std::int16_t ObjectID, const std::string& text, double x, double y, std::int16_t attached);
    void SetTextAttribute(std::int16_t ObjectID, std::int16_t color, std::int16_t alignment, std::int16_t angle,
                          const std::string& fontname, std::int16_t size, std::int16_t style);
    std::int16_t SetObject(std::int16_t ObjectID, std::int16_t Value, std::int16_t mask);
    void SetLineAttribute(std::int16_t ObjectID, std::int16_t color, std::int16_t linetype, std::int16_t marker,
                          std::int16_t MarkerSize, std::int16_t direction, std::int16_t mask);
    void SetXYData(std::int16_t ObjectID, std::int16_t DataNo, double x, double y);
    bool GetXYData(std::int16_t ObjectID, std::int16_t DataNo, double& x, double& y);

    // Variables and data.
    void SetVariable(std::int16_t index, const std::string& VariableName);
    std::string GetVariable(std::int16_t index);
    void DeleteVariable(std::int16_t VarNo);
    void MoveVariable(std::int16_t SourceVarNo, std::int16_t TargetVarNo);
    void SetData(std::int16_t VarNo, std::int16_t DataNo, double Value);
    bool GetData(std::int16_t VarNo, std::int16_t DataNo, double& Value);
    void SetXData(std::int16_t VarNo, std::int16_t DataNo, double Value);
    bool GetXData(std::int16_t VarNo, std::int16_t DataNo, double& Value);
    void SetXVariable(std::int16_t Yvarno, std::int16_t Xvarno);
    std::int16_t GetXVariable(std::int16_t Yvarno);
    void SetInteger(std::int16_t VarNo);
    void SetSubstitutionString(const std::string& String);
    void SetSubstitutionValue(std::int16_t VarNo, const std::string& String);
    void SetSymbol(const std::string& SymbolName, const std::string& Value);
    void SetPhasePlot(bool bSet);
    bool GetPhasePlot();
    std::string GetPhaseXVariable();
    void SetPhaseXVariable(const std::string& sVarName);
    void FirePhasePlot(const std::string& sVarName);

    // Axes and scales.
    void SetScale(std::int16_t VarNo, std::int16_t Scale);
    std::int16_t GetScale(std::int16_t VarNo);
    void SetAxisScale(std::int16_t VarNo, std::int16_t Scale);
    void SetRange(std::int16_t VarNo, double LowValue, double HighValue);
    void GetRange(std::int16_t VarNo, double& LowValue, double& HighValue);
    void SetAxisRange(std::int16_t AxisNo, double LowValue, double HighValue);
    void GetAxisRange(std::int16_t AxisNo, double& LowValue, double& HighValue);
    void SetAxisRangeR(std::int16_t AxisNo, double LowValue, double HighValue, std::int16_t iRibon);
    bool GetAxisHighLows(std::int16_t iAxis, double& dVarLow, double& dVarHigh, double& dAxisLow,
                         double& dAxisHigh, double& dLow, double& dHigh);
    void GetSetAxisRefit(std::int16_t iAxis);
    void SetAxisMap(std::int16_t VarNo, std::int16_t AxisNo);
    std::int16_t GetAxisMap(std::int16_t VarNo);
    std::int16_t GetNYaxes();
    void SetMultiplier(std::int16_t AxisNo, std::int16_t Multiplier);
    std::int16_t GetMultiplier(std::int16_t AxisNo);
    void SetMultiplierType(std::int16_t AxisNo, std::int16_t MultiplierType);
    std::int16_t GetMultiplierType(std::int16_t AxisNo);
    void SetAxisMode(std::int16_t AxisNo, std::int16_t index, std::int16_t mode);
    void GetAxisMode(std::int16_t AxisNo, std::int16_t index, std::int16_t& mode);
    void SetTieLine(std::int16_t Type, std::int16_t VarNo);

    // Labels, legends, fonts and line attributes.
    void SetLabel(std::int16_t AxisNo, const std::string& Label);
    std::string GetLabel(std::int16_t AxisNo);
    void SetLegend(std::int16_t VarNo, const std::string& Legend);
    std::string GetLegend(std::int16_t VarNo);
    std::string GetCurrentValue(std::int16_t ObjID);
    void SetFont(std::int16_t FontID, const std::string& fontname, std::int16_t size, std::int16_t attrib);
    std::string GetFont(std::int16_t FontID, std::int16_t& size, std::int16_t& attrib);
    void SetAttribute(std::int16_t lineno, std::int16_t Type, std::int16_t marker, std::int16_t color);
    void GetAttribute(std::int16_t lineno, std::int16_t& Type, std::int16_t& marker, std::int16_t& color);
    void SetLegendBox(std::int16_t location, std::int16_t width, float itemheight, std::int16_t margin);
    void GetVarLocalAttribute(std::int16_t lineno, std::int16_t& ilocal);
    void SetVarLocalAttribute(std::int16_t lineno, std::int16_t ilocal);
    void GetVarLineAttributes(std::int16_t iVar, std::int16_t& iColor, std::int16_t& iLineWidth,
                              std::int16_t& iLineStyle, std::int16_t& iMarker, std::int16_t& iSize,
                              std::int16_t& iInterval);
    void SetVarLineAttributes(std::int16_t iVar, std::int16_t iColor, std::int16_t iLineWidth,
                              std::int16_t iLineStyle, std::int16_t iMarker, std::int16_t iSize,
                              std::int16_t iInterval);
    std::int16_t GetLabelColor(std::int16_t AxisNo);
    std::int16_t GetAxisColor(std::int16_t AxisNo);

    // Selection-based attributes (CVortigaCtrlMethodsSelection.cpp): the selected text's
    // annotation, variable line, caption region or axis region, read and changed. Without such
    // a selection the getters answer 0 (or "", outputs 0) and the setters change nothing, yet
    // still end with their redraw steps. Variables are 0-based positions; captions are 0 for X
    // and 1..n for the Y captions (HideShowLabel), or a 0-based list position
    // (GetYaxisLabelsState). Where an index is an error it is an invalid-argument error.
    std::string GetSelAnnoAttributes(std::int16_t& ifontsize, std::int16_t& ifontattrib, std::int16_t& ifontcolor,
                                     std::int16_t& idirecton, std::int16_t& ialignment, std::int16_t& iattachment,
                                     std::int16_t& iarrow);
    void SetSelAnnoAttributes(const std::string& sfontname, std::int16_t ifontsize, std::int16_t ifontattrib,
                              std::int16_t ifontcolor, std::int16_t idirecton, std::int16_t ialignment,
                              std::int16_t iattachment, std::int16_t iarrow);
    void GetVarLineInfo(std::int16_t& iColor, std::int16_t& iLineWidth, std::int16_t& iLineStyle,
                        std::int16_t& iMarker, std::int16_t& iSize, std::int16_t& iInterval);
    // A colour other than the line's changes only the colour; the same colour applies the rest.
    void SetVarLineInfo(std::int16_t iColor, std::int16_t iLineWidth, std::int16_t iLineStyle, std::int16_t iMarker,
                        std::int16_t iSize, std::int16_t iInterval);
    void GetIndexSelVarLine(std::int16_t& iIndex);
    void HideShowVariable(std::int16_t iIndex, std::int16_t iHide1Show0);
    void GetIndexSelLabel(std::int16_t& iIndex);
    void HideShowLabel(std::int16_t iIndex, std::int16_t iHide1Show0);
    std::int16_t GetSelAxisScaleReverse();
    void SetSelAxisScaleReverse(std::int16_t iReverse);
    std::int16_t GetSelAxisScaleResetRange();
    void SetSelAxisScaleResetRange(std::int16_t iResetRange);
    std::int16_t GetSelAxisScaleLockGrid();
    void SetSelAxisScaleLockGrid(std::int16_t iLockGrid);
    double GetSelAxisScaleInterval();
    // On a triangular plot the interval is also the plot's GridInterval and locks the grid of
    // the selected axis and the X axis; there it must be finite and positive, or nothing changes.
    void SetSelAxisScaleInterval(double dInterval);
    void GetIndexSelAxisScaleRgn(std::int16_t& iIndex);
    std::string GetVariableLineState(std::int16_t iIndex, std::int16_t& iVisibility);
    std::string GetYaxisLabelsState(std::int16_t iIndex, std::int16_t& iVisibility);
    // Palette indexes 0..15; any other is stored as 0. The setters do not redraw.
    std::int16_t GetLabelColorIndex();
    void SetLabelColorIndex(std::int16_t iColIndex);
    std::int16_t GetAxisColorIndex();
    void SetAxisColorIndex(std::int16_t iColIndex);

    // The popup-menu bridge (CVortigaCtrlCommands.cpp): a host walks the plot menu with
    // GetMenuItem (ID 0 starts a new walk; ID then carries the sequence number of the entry
    // given) and names an entry it chose to InvokeMenuItem by that number, or a command by id
    // while no walk was started. A GetMenuItem with a non-zero ID before any walk answers the
    // end of the menu.
    std::string GetMenuItem(std::int16_t& code, std::int16_t& ID);
    void InvokeMenuItem(std::int32_t ID);
    void UpdateMenu();
    bool IsMenuItemEnabled(std::int16_t ID);
    bool CheckMenuItem(std::int32_t Command, std::int16_t& Check);
    // Runs a menu command: true when the id is a command of the control. A command whose part
    // of the control is not built yet raises the not-implemented error naming it.
    bool OnMenuCommand(int id);
    std::unique_ptr<CPlotMenu> plotMenu;

    // Dialogs of the host's dialog server.
    void AddLegendEditDialog();
    void AddYAxisMapDialog();
    // Printing. Print2 runs page setup (TRUE) or prints the plot on one page (FALSE). Margins
    // are stored only; one that is not a finite number is stored as 0.
    void Print2(bool SetupOnly);
    void SetPrintSettings(std::int16_t bLandscape, double LeftMargin, double TopMargin, double RightMargin,
                          double BottomMargin);
    // The page-printing entry: the plot scaled (aspect kept, centred) onto the printer
    // surface's whole printable area.
    void OnPrintPage(Surface& printer);
    // For the print preview: the plot drawn as OnPrintPage draws it on printer's page, onto the
    // preview surface that shows that page whole.
    void OnPreviewPage(Surface& preview, const Surface& printer);
    // For the print preview: one page, the application's printer with the landscape setting.
    void OnPreparePreview(PrintInfo& info);
    // The control as an object reference for host servers; it fails calls once the control
    // is gone.
    std::shared_ptr<IDispatch> AutomationReference();

    // The settings text (CVortigaCtrlSettings.cpp): the plot's presentation as "Key:value"
    // lines (persist/SettingsText.h). GetSettings changes nothing. SetSettings clears the
    // plot's data and annotations, then applies the text line by line, skipping lines it does
    // not know or whose values are unsound; a text that is damaged as a whole raises
    // InvalidArg naming the line and key, and one that fails while applied is rolled back
    // before its error is raised: either way the control is left as it was.
    std::string GetSettings();
    void SetSettings(const std::string& Settings);

    // Plot scripts and plot data files (CVortigaCtrlInputFile.cpp; formats in
    // persist/PlotScript.h and persist/PlotDataFile.h). A file that cannot be read or is not of
    // the expected kind raises InvalidArg naming the file, the line and the reason and changes
    // nothing. A script replays its lines as calls on this control; a call that fails is
    // skipped and the script goes on. A data file rebuilds the plot; should the plot refuse it
    // (its value budget), the control goes back to what it was before the error is raised.
    void ReadScriptFile(const std::string& path);
    void ReadDataFile(const std::string& path);
    void RunPlotScript(std::string_view text, const std::string& name);
    void LoadPlotDataFile(std::string_view text, const std::string& name);

    // Dialogs that have nothing to do.
    void HideVariableDialog() {}
    void PageLayout() {}

    // Event and mode switches (CVortigaCtrlMethodsModes.cpp). SetEvent takes any id: its bit
    // positions wrap modulo 32. SetMousePointer takes the types 1..15 and ignores others.
    void SetEvent(std::int16_t EventID, bool OnOff, bool Default);
    void EnableFireEvent(bool Enable) { fireModifiedEnabled = Enable; }
    void FireReloadEvent();
    void ManageCursor(bool OnOff) { manageCursor = OnOff; }
    void SetMousePointer(std::int16_t Type);
    void SetCopyMode(std::int16_t mode) { copyMode = mode; }
    void SetTextMode(std::int16_t mode) { textMode = mode; }
    // The blink period of highlighted objects in milliseconds; below 100 they do not blink.
    void SetHighlightMode(std::int16_t mode);
    void EnableResetFromDefinition(bool Enable) { resetFromDefinitionEnabled = Enable; }
    void ApplySettingByUserFlag();
    void SetFlippedFlag(bool bFlipped);
    bool GetPlotIsLive() { return LivePlot; }
    void SetPlotIsLive(bool bIsLive);
    // A key for the in-place editor that has the focus, else for the control's own handling.
    void KeyDown(std::int32_t nChar, std::int32_t nRepCnt, std::int32_t nFlags);
    IEditBox* FocusedEditor();

    // Coordinates, the pointer and the drawn objects (CVortigaCtrlMethodsPointer.cpp). The
    // conversions use the X axis and the first Y axis; each returns whether the device point
    // lies in the drawing area, and leaves its outputs alone when the plot cannot convert yet
    // (not laid out, no usable ranges). Device outputs beyond the 16-bit range are clamped.
    bool ConvertToDevice(double x, double y, std::int16_t& ix, std::int16_t& iy);
    bool ConvertToPlot(std::int16_t ix, std::int16_t iy, double& x, double& y);
    bool GetPointerLocation(std::int16_t& ix, std::int16_t& iy);
    bool IsRegionDefined();
    void DragLine(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, std::int16_t color);
    void DoDoubleClick(std::int16_t x, std::int16_t y);
    void EditObject(std::int16_t ObjectID);
    void Rotate(std::int16_t direction);
    // Shows szText as a tip at the device point until millisecs have passed or the mouse moves
    // away; symbols are expanded, and a line feed or a backslash and "n" break the lines.
    void DisplayText(const std::string& szText, std::int16_t x, std::int16_t y, std::int32_t millisecs);

    // The body of every method whose part of the control is not built yet.
    template <MethodName Name, Pending Why, class R, class... A>
    R NotBuilt(A...) {
        ThrowNotBuilt(Name.text, Why);
    }

    // ---- timers and highlighting ----
    void StartCursorTimer();
    void StartTextDisplayTimer(int ms);
    // Registers an object (by id) whose highlight blinks; the blink timer runs while any is.
    void RegisterHighlight(int objectId) override;
    // The blink timer runs while objects are highlighted and highlightMode is a period.
    void StartBlinking();
    void StopBlinking();
    // Hides the text DisplayText shows.
    void HideDisplayedText();
    void UnregisterHighlight(int objectId) override;
    const std::vector<int>& Highlighted() const { return highlighted_; }
    int BlinkPhase() const { return blinkPhase_; }

    // ---- state read by tests and later parts ----
    std::uint32_t ChangedProperties() const { return changedProperties; }
    bool FireModifiedEnabled() const { return fireModifiedEnabled; }
    void EnableFireModified(bool on) { fireModifiedEnabled = on; }
    int PendingSelectedId() const { return pendingSelectedId; }
    void SetPendingSelectedId(int id) { pendingSelectedId = id; }
    bool Zoomed() const { return zoomed; }
    Size WindowSize() const { return {windowWidth, windowHeight}; }
    Size LayoutSize() const { return {layoutWidth, layoutHeight}; }
    bool PhasePlotMode() const { return phasePlot; }
    ObjectIdAllocator& ObjectIds() { return objectIds; }

    // The fields below keep the names the control's state is documented with.
    CPlotEnv plotEnv;
    std::unique_ptr<CPlotLook> plotLook;
    std::uint32_t changedProperties = 0;
    bool fireModifiedEnabled = true;
    // A paint was asked for because a live sample lay outside its axis's range (one request
    // until that paint comes).
    bool refitPaintRequested = false;
    int pendingSelectedId = kPendingZero;
    bool zoomed = false;
    int windowWidth = 0;
    int windowHeight = 0;
    int layoutWidth = 0;
    int layoutHeight = 0;
    Rect clientRect;
    bool copyWithSize = false;
    int copyWidth = 0;
    int copyHeight = 0;
    bool foreignSurface = false;
    bool reinvalidateLatch = false;
    bool plotDrawnFired = false;
    bool firstPaintDone = false;
    bool scrollBarH = false;
    bool scrollBarV = false;
    std::array<IEditBox*, 3> inPlaceEditors{};
    bool inputFileLoaded = false;
    bool phasePlot = false;
    std::string phaseXVariable;
    std::vector<std::string> variableNames;
    std::uint32_t eventMask = 0x00F70000;
    std::int16_t copyMode = 0;
    int cursorId = IDC_ARROW;
    int currentCursorId = IDC_ARROW;
    bool manageCursor = false;
    bool resetFromDefinitionEnabled = false;
    int displayTextState = 0;
    ObjectIdAllocator objectIds;
    std::int32_t printLandscape = 1;
    std::array<double, 4> printMargins{};   // left, top, right, bottom

private:
    OperationLog operationLog_;
    // The graphic settings the control keeps for its plot (grid, markers, square, diagonal,
    // zero line, parametric, display type), copied into a plot it has just built.
    void CopyGraphicSettings(CPlotLook& plot) const;

    // ---- IPlotHost ----
    ControlProperties& Properties() override { return *this; }
    const ControlProperties& Properties() const override { return *this; }
    void InvalidateRect(const Rect& r, bool erase) override;
    void FireEvent(std::string_view name, std::vector<Variant> args) override;
    std::string ResourceString(std::string_view key) override;
    IWindowSite* Site() override { return site_; }
    int AllocateObjectId(const std::function<bool(int)>& inUse) override;
    int ClaimObjectId(int given, const std::function<bool(int)>& inUse) override;
    // The plot changed its menu with its kind: the control's own items follow.
    void RefreshMenus() override;
    struct MenuItemState {
        bool enabled = true;
        bool checked = false;
    };
    // As CheckMenuItem answers for a command, and as the menu shows it after UpdateMenu.
    MenuItemState CheckState(int command);
    MenuItemState ShownState(int command);
    bool SelectedTextCarriesAnnotation();
    // The selected text object, after the user confirmed (the Delete key's handling).
    void DeleteSelectedObject();
    // The AddTimeStamp item is in the plot menu exactly while the property is set.
    void FollowTimeStampInMenu();
    void ContentDeleted() override;
    void WriteLog(std::string_view line) override;
    std::unique_ptr<IDialogSession> OpenDialog() override;

    static void AddProperties(MemberTable<CVortigaCtrl>& m);
    static void AddMethods(MemberTable<CVortigaCtrl>& m);

    // ---- the settings text (CVortigaCtrlSettings.cpp) ----
    // Applies a checked text's lines in order, with the reading context they share.
    class SettingsReader;
    void ApplySettings(std::string_view text);

    // ---- shared by the methods ----
    // Runs draw with the window's surface, or with null when the control has no window.
    template <class F>
    decltype(auto) WithWindowSurface(F&& draw) {
        if (!site_) return draw(static_cast<Surface*>(nullptr));
        WindowDraw window(*site_);
        return draw(&window.dc());
    }
    // The dependent variables the host may address: nvariables, taken from the plot first
    // when it is 0.
    int AddressableVariables();
    // A variable's line attributes as the automation reports them (the plot's marker size and
    // interval where the variable follows them); all zeros for no variable.
    void ReadLineAttributes(const CPlotVar* var, std::int16_t& iColor, std::int16_t& iLineWidth,
                            std::int16_t& iLineStyle, std::int16_t& iMarker, std::int16_t& iSize,
                            std::int16_t& iInterval);
    // Runs apply; when it throws, the control goes back to the stream image it had before and
    // the error is raised again with what in front of its message.
    void ApplyOrRestore(const std::string& what, const std::function<void()>& apply);
    // A live sample was stored: asks for a paint when the refit it calls for must be seen.
    void NoteSample(bool refit, bool offScale);
    void InvalidateUnlessLoading();
    // Compacts the axis map, then the plot refits and lays itself out anew.
    void ApplyAxisMap();
    // The legend, when shown, and the plot are laid out anew.
    void RelayoutLegend();

    // ---- property handlers (CVortigaCtrlProperties.cpp) ----
    void MarkChanged(std::uint32_t bit) { changedProperties |= bit; }
    void OnTitleChanged();
    void OnXLabelChanged();
    void OnYLabelChanged();
    void OnMultiYaxisChanged() {}
    void OnUseVariableChanged();
    void OnTimeScrollUnitChanged();
    void OnGridTypeChanged();
    void OnMarkerSizeChanged();
    void OnMarkerIntervalChanged();
    void OnFlippedChanged();
    void OnSquarePlotChanged();
    void OnDiagonalLineChanged();
    void OnSquareOrDiagonalChanged();
    void ToggleLegendWithWindowDC();
    void OnZeroLineChanged();
    void OnDisplayTypeChanged();
    void OnSizeToDataChanged();
    void OnParametricChanged();
    void OnReverseXAxisChanged();
    void OnAddTimeStampChanged();
    void OnShowLegendChanged();
    void OnCommunicationIntervalsChanged();
    void OnSetModifiedOnly() { SetModified(); }
    void OnShowTitleChanged();
    void OnShowXaxisLabelChanged();
    void OnShowTrackerChanged();
    void OnColorChanged();
    bool GetRunPlot() const { return RunPlot; }
    void SetRunPlot(bool value);
    std::int16_t GetPlotType() const { return PlotType; }
    void SetPlotType(std::int16_t value);
    float GetTimeWindow() const { return TimeWindow; }
    void SetTimeWindow(float value);
    std::int16_t GetNpoints() const { return npoints; }
    void SetNpoints(std::int16_t value);
    std::int16_t GetNvariables() const { return nvariables; }
    void SetNvariables(std::int16_t value);
    std::int16_t GetNxvariables() const { return nxvariables; }
    void SetNxvariables(std::int16_t value);
    std::int32_t GetBufferSize() const { return BufferSize; }
    void SetBufferSize(std::int32_t value);
    float GetGridInterval() const { return GridInterval; }
    void SetGridInterval(float value);
    double GetZoomLevel() const { return ZoomLevel; }
    void SetZoomLevel(double value);
    std::shared_ptr<IDispatch> GetPlotVals() const { return nullptr; }
    void SetPlotVals(std::shared_ptr<IDispatch> values);
    bool GetEditProfileVariables() const { return EditProfileVariables; }
    void SetEditProfileVariables(bool value);
    bool GetEditProfileTable() const { return EditProfileTable; }
    void SetEditProfileTable(bool value);
    bool GetAlwaysShowFull() const { return AlwaysShowFull; }
    void SetAlwaysShowFull(bool value);
    std::int16_t GetClientType() const { return ClientType; }
    void SetClientType(std::int16_t value);
    // Reads InputFile once, as setting it does; for the first size, where nothing can be told.
    void ReadInputFile();
    const std::string& GetInputFile() const { return InputFile; }
    void SetInputFile(const std::string& value);
    // The script or the data file reader, as the name chooses.
    void LoadPlotFile(const std::string& path);
    void BuildFromDataFile(const PlotDataFile& file);
    void BuildDataFileVariables(const PlotDataFile& file);
    void ApplyDataFileAxes(const PlotDataFile& file);
    void NameNewVariables(int from);

    // ---- persistence (CVortigaCtrlPersist.cpp) ----
    // Builds a plot for the current properties, as loading does, without installing it.
    std::unique_ptr<CPlotLook> BuildLoadedPlot();
    // Installs loaded properties (and a stream image) with a new plot; on failure the control
    // keeps its properties and plot and the error is raised.
    void InstallProperties(const ControlProperties& loaded, const ControlImage* image);
    void ApplyImage(const ControlImage& image, CPlotLook& plot);
    // Objects keep their ids where they are free; the variables and annotations they name must
    // exist.
    void RestoreObjects(const ControlImage& image, CPlotLook& plot);

    // ---- painting (CVortigaCtrlPaint.cpp) ----
    bool ScaleForTarget(const Rect& bounds, Size target);
    void EndScaledDraw();
    // OnDraw without the events that end a paint; false when nothing was drawn.
    bool DrawPlotInto(Surface& dc, const Rect& bounds, const Rect& invalid);
    // Draws the plot for invalid onto dc, through the off-screen bitmap when dc is the window.
    void PaintPlot(Surface& dc, const Rect& invalid, bool full, bool window);
    void FireAfterPaint();
    // An in-place edit or drag the plot committed while drawing is reported once the paint
    // is over, when nothing of the paint is held any longer.
    void ReportCommittedEdit();
    void DrawHighlights();

    // ---- printing (CVortigaCtrlPrint.cpp) ----
    void PrintPlot();
    // One page on the device: the document is ended, or aborted when a step fails.
    void PrintOnDevice(IPrinterDevice& device, const DocInfo& doc);
    void PageSetup();
    // The host's message box with the printing caption and an exclamation icon.
    void PrintMessage(std::string_view textKey);

    IWindowSite* site_ = nullptr;
    ConnectionPoint events_;
    bool modified_ = false;
    bool cursorTimerRunning_ = false;
    bool pointerInside_ = false;
    int blinkPhase_ = 0;
    bool removeTextAfterBlink_ = false;
    std::vector<int> highlighted_;
    std::shared_ptr<ControlReference> reference_;
};

}  // namespace vtg
