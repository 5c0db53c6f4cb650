#pragma once
// The plot object: one per control, owning everything a plot consists of -- its independent
// and dependent variables with their data, its regions (title, drawing area, axes, captions,
// corners, legend), annotations, plot objects, symbols and fonts. Structural changes never
// draw: they set dirty flags that the next Draw consumes in a fixed order (axis map, labels,
// range fit, layout, scaling, drawing), so that many host calls in a row cost one redraw.
//
// Numbering: the internal operations count variables from 0; operations that take the
// automation's numbering say so (1-based, 0 naming the independent variable or the X axis).
// Y axes are numbered 1..n in the order of YAxisRgns.
//
// Ownership: the dedicated region pointers and arrays own the regions; Regions only lists
// them in layout and hit-test order. Every deletion path unbinds whatever still points at the
// deleted thing (Selection, ActiveObject, caption regions, TrackedVar, the control's own
// references) before the memory goes.

#include <array>
#include <initializer_list>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "axes/CPlotAxis.h"
#include "objects/PlotObjectList.h"
#include "platform/Geometry.h"
#include "plot/CPlotVar.h"
#include "plot/PlotRecords.h"
#include "plot/SymbolTable.h"
#include "regions/CDrawTool.h"

namespace vtg {

class BinaryReader;
class BinaryWriter;
class CPlotAnnotation;
class CPlotAxisRgn;
class CPlotCornerRgn;
class CPlotDrawingRgn;
class CPlotEnv;
class CPlotLabelRgn;
class CPlotLegendRgn;
class CPlotObj;
class CPlotRegion;
class CPlotTitleRgn;
class IEditBox;
class IPlotHost;
class Menu;
class Surface;
struct ControlProperties;

// A line's width and dash style from the automation's line type code, and back.
struct LineStyle {
    int width = 1;
    int style = 0;      // -1 no line, 0 solid, 1 dash, 2 dot, 3 dash-dot
    friend bool operator==(const LineStyle&, const LineStyle&) = default;
};
LineStyle SplitLineType(int code);
int LineTypeCode(LineStyle s);

// The colour an OLE colour stands for: its RGB value, or a system colour (top bit set).
Color TranslateOleColor(std::int32_t ole);

// What GetAttribute reports for a variable.
struct LineAttributes {
    int color = 0;
    int marker = 0;
    LineStyle line;
    friend bool operator==(const LineAttributes&, const LineAttributes&) = default;
};

// The settings group "Attrib2": marker size, marker interval and two values kept as given.
struct SecondAttributes {
    int markerSize = 0;
    int markerInterval = 0;
    int extra3 = 0;
    int extra4 = 0;
    friend bool operator==(const SecondAttributes&, const SecondAttributes&) = default;
};

// The plot content block parsed from a stream: the values of each independent, then each
// dependent variable, in time order.
struct PlotContent {
    std::vector<std::vector<double>> independent;
    std::vector<std::vector<double>> dependent;
};

// Reads a plot content block written for that many independent and dependent variables.
PlotContent ParsePlotContent(BinaryReader& in, std::size_t independents, std::size_t dependents);

// An annotation's text as the host writes it: a backslash followed by n, and a line feed,
// become a line break (carriage return, line feed); any other backslash is dropped and the
// character after it kept.
std::string ConvertAnnotationText(const std::string& text);
// A coordinate for an annotation anchor: one that is no number, or too large for single
// precision, becomes 0 (the text goes to the corner rather than nowhere).
float ToAnnotationCoordinate(double v);

struct ObjectLineAttributes;

// What opening an object for editing did. InPlaceEditor: the object is edited in an in-place
// editor, which the caller must provide.
enum class ObjectEdit { Unchanged, Changed, InPlaceEditor };

class CPlotLook {
public:
    enum FontSlot { kTitleFont, kLabelFont, kSmallLabelFont, kAxisFont, kLegendFont, kDrawingFont, kSmallLegendFont };
    static constexpr int kFontCount = 7;
    // The plot never holds more value slots than this over all its variables together
    // (256 MB of values): its budget, SlotBudget, which every way of growing a variable keeps.
    static constexpr std::uint64_t kMaxTotalSlots = std::uint64_t{1} << 25;
    // Nor more Y axes than this.
    static constexpr int kMaxYAxes = 1000;

    CPlotLook(CPlotEnv& env, IPlotHost& host);
    ~CPlotLook();
    CPlotLook(const CPlotLook&) = delete;
    CPlotLook& operator=(const CPlotLook&) = delete;

    IPlotHost& Host() const { return *Control; }
    CPlotEnv& Environment() const { return *Env; }
    ControlProperties& Props() const;

    // ---- structure and kind (CPlotLook.cpp) ----
    // 1 when the plot was rebuilt; 0 when nothing changed or only the triangular variant
    // was switched. Types outside 0..4 build an XY plot.
    int SetPlotType(int type);
    // The plot built anew as kind type (0 XY, 1 bar graph, 2 and 3 triangular) with one
    // variable of each kind: variables, objects and annotations go. Plot flags are cleared.
    void Rebuild(int type);
    void SetRunPlot(bool on);
    void SetPhasePlot(bool on);
    void ResetKindFlags();
    void Cleanup();
    // Every dependent variable's values become missing; the annotations, the text objects that
    // carried them and the display items go. Variables and the other objects stay.
    void ClearContent();
    void SetSize(int width, int height);
    // Re-applies the control's plot kind, counts and buffer size after its properties were
    // loaded or changed together.
    void ApplyControlSettings();
    // Full refit and new layout at the next draw.
    void Recalculate();
    int TriangleKind() const { return Triangular; }
    bool IsTimePlot() const { return RunPlot || PhasePlot; }

    // ---- variables (CPlotLookVars.cpp) ----
    int DependentCount() const { return static_cast<int>(YVars.size()); }
    int IndependentCount() const { return static_cast<int>(XVars.size()); }
    // 0-based; null outside.
    CPlotVar* YVar(int i) const;
    CPlotVar* XVar(int i) const;
    // Throws InvalidArg for a negative n; refuses (InvalidArg, nothing changed) a count whose
    // values would not fit SlotBudget.
    bool SetVariableCount(int n);
    void SetXVariableCount(int n);
    // Negative counts are ignored; sizes beyond SlotBudget are refused as a whole.
    void SetPointCount(int n);
    void ResizeTimeBuffers();
    void RemoveVariable(int i);
    void MoveVariable(int from, int to);
    void SwapVariables(int a, int b);
    void SetHidden(int i, int hidden);
    void SetVariableDisplayMode(int i, int mode);
    // The host's name for variable i; also its map caption while that is empty.
    void NameVariable(int i, const std::string& name);
    // index 0 writes the first independent variable, k >= 1 the k-th dependent one. False
    // when nothing was stored (no such variable, negative or huge point). A point beyond the
    // variable's end grows it; growth that would take the plot past SlotBudget is refused
    // (InvalidArg, nothing stored).
    bool SetData(int index, std::int64_t point, double value);
    // The host changed values (SetData) or loaded a buffer (CopyToBuffer) since it last
    // applied its settings; the host clears both with ApplySettingByUserFlag.
    int HostDataChanged = 0;
    int HostBufferChanged = 0;
    void ClearHostDataChanges() { HostDataChanged = HostBufferChanged = 0; }
    // index k >= 1 writes the k-th independent variable.
    bool SetXData(int index, std::int64_t point, double value);

    // ---- line attributes (CPlotLookData.cpp) ----
    // var is a 0-based variable index, or (negative or beyond the variables) the id of the
    // plot object whose variable is meant.
    void SetAttribute(int var, int lineType, int marker, int color);
    // The same with the line's width and style given apart.
    void SetLineAttributes(int var, LineStyle line, int marker, int color);
    std::optional<LineAttributes> GetAttribute(int var) const;
    void SetAttribute2(int var, const SecondAttributes& a);
    std::optional<SecondAttributes> GetAttribute2(int var) const;

    // ---- plot content block (CPlotLookData.cpp) ----
    void WriteData(BinaryWriter& out) const;
    // Reads the block for the variables the plot has now without changing anything.
    PlotContent ParseData(BinaryReader& in) const;
    // Applies a block parsed for the current variables. A block whose values would take the
    // plot past SlotBudget is refused (InvalidArg, nothing changed).
    void ApplyData(const PlotContent& content);
    void ReadData(BinaryReader& in);

    // ---- axis map, labels, ranges (CPlotLookAxes.cpp) ----
    // A negative axis, or one beyond kMaxYAxes, is ignored; an axis beyond the existing ones
    // creates the missing ones.
    void SetAxisMap(int i, int axis);
    int GetAxisMap(int i) const;
    void CompactAxisMap();
    // Deletes Y axes from the end until at most count (never fewer than one) remain; nothing
    // on a triangular plot. Variables mapped beyond them are settled by the next compaction.
    void TrimYAxes(int count);
    void RebuildYLabels();
    void FitRangesToData();
    void RefitRanges();
    // Runs a pending full fit or refit now (see SetAxisRange).
    void RunPendingFits();
    void SetAxisRange(int axis, double lo, double hi);
    void SetRange(int axis, double lo, double hi);
    // role 0 the independent axis, 1 the first dependent one, 2 the last Y axis (not flipped).
    CPlotAxisRgn* AxisRegionForRole(int role) const;
    CPlotAxis* AxisForRole(int role) const;
    CPlotLabelRgn* LabelRegionForRole(int role) const;
    // Y axis region 1..n, or null.
    CPlotAxisRgn* YAxisRegion(int axis) const;
    int YAxisCount() const { return static_cast<int>(YAxisRgns.size()); }
    // 0 the X axis, k the k-th Y axis; null outside.
    CPlotAxis* AxisByNumber(int axis) const;
    ScaleContext ScaleContextFor(const CPlotAxisRgn& region) const;
    // Where the visible range of the independent (side true) or first dependent axis lies
    // within its extent, on the 0..1000 scroll scale.
    std::pair<int, int> GetScroll(bool side) const;
    static std::pair<int, int> ScrollOf(const CPlotAxis* axis);
    void ZoomReset();
    // Ignored (false) unless 1 <= z <= 1024.
    bool SetZoomLevel(double z);

    // ---- live data (CPlotLookTime.cpp) ----
    // What a sample did: whether it was stored, whether its axis must be refitted, and whether
    // it lies outside the range its axis shows now (so that it cannot be seen before a refit).
    struct SampleResult {
        bool stored = false;
        bool refit = false;
        bool offScale = false;
    };
    // Run plots: stores value for dependent variable var (1-based) at the time step `time`
    // (negative: the newest step again, as a gap in every other line when it is new). Stores
    // nothing on other plots, for a time that is not finite or a step that cannot be found;
    // InvalidArg for var outside the dependent variables or an axis map beyond the Y axes.
    SampleResult AddTimeData(int var, double time, double value);
    // Tracks a stored sample on its axis; a refit it calls for waits in RefitDirty for the
    // next whole paint.
    SampleResult Tracked(CPlotAxis& axis, double value, bool first);
    // After new data: when the newest stamp passed the window, scrolls the time axis (and
    // repaints its band onto dc from the off-screen surface, when both exist). True when it
    // scrolled.
    bool ScrollToNewest(Surface* dc);
    void ScrollTimeAxis(Surface* dc, double t);
    // Pushes value into variable var (0 the independent one, k the k-th dependent one) of a
    // phase plot; InvalidArg for var outside.
    SampleResult AddPhaseData(int var, double value);
    // Run plots: every value of dependent variable index (0-based) missing; the stamps stay.
    void ClearTimeData(int index);
    // Cuts every buffer after the time step `time`; one that is not stored empties them.
    void RewindTimeData(double time);
    // The time axis zoomed to width: the new scroll unit, 0 when width is not positive.
    float SetTimeWindow(float width);
    // The time axis shows the control's TimeWindow, ending where it ends now.
    void ResetTimeAxis();
    // Bulk load of a run or phase plot: column 0 the time stamps, column c variable c, row j
    // stored at slot j. Columns beyond the variables are ignored. True when the time window
    // had to move on to show the latest time.
    bool LoadTimeColumns(const std::vector<std::vector<double>>& columns);
    // side true the independent axis, false the dependent ones; kind as in ScrollRange.
    void Scroll(bool side, int kind, int position);
    ScrollContext ScrollContextFor() const;

    // ---- texts (CPlotLookTexts.cpp) ----
    // index 0 the X caption; k >= 1 variable k's legend on run, phase and data-file plots,
    // else Y caption k; -1..-3 corner label 1..3 (an empty text removes it).
    void SetLabel(int index, const std::string& text);
    std::string GetLabel(int index) const;
    // Points between digits in texts over three bytes become the user's decimal separator.
    // index > 100 names a plot object whose variable is meant. True when the legend box is shown.
    bool SetLegend(int index, const std::string& text);
    std::optional<std::string> GetLegend(int index) const;
    // index 0 the X caption; k variable k (and the caption of its Y axis). Indexes outside
    // 0..number of variables are ignored.
    void SetSubstitutionValue(int index, const std::string& text);
    // Nothing when the X caption (index 0) or the variable's legend text is empty.
    std::optional<std::string> GetSubstitutionValue(int index) const;
    // The host's legend proportions (ignored while the control's IgnoreSetLegend is set);
    // location 1 asks the next layout to put the legend at the window's right edge.
    void SetLegendBox(int location, int sampleLength, double itemSpacing, int margin);
    // The control's title (code 255), x label (0) and y label (1) texts.
    void SetCaptionText(int code, const std::string& text);
    // Slot 0 title, 1 label (and small label at 3/4 size), 2 axis, 3 legend (and small
    // legend), 4 drawing area; other slots are ignored. Sizes of 0 or less mean 10 points.
    void SetFont(int which, const std::string& face, int size, int style);
    // Shows or hides the legend box; dc (may be null) is what the legend measures itself on.
    void ToggleLegend(Surface* dc);
    // Appends an annotation at the relative position (x, y) and returns its index. Without a
    // face name it uses the drawing font. A backslash followed by n, and a line feed, become a
    // line break; any other backslash is dropped and the character after it kept.
    int AddTextAnnotation(const std::string& text, float x, float y, int color, int alignment,
                          const std::string& face, int size, int style, int attachment, int arrow);
    // A user text object carrying a new free annotation; its id, or 0 (nothing created) when
    // no id is free.
    int AddTextObject(const std::string& text, float x, float y, int color, int alignment, const std::string& face,
                      int size, int style);
    // Every annotation showing oldText shows newText, measured anew on dc when there is one.
    // The number of annotations changed.
    int ReplaceAnnotationText(const std::string& oldText, const std::string& newText, Surface* dc);

    // ---- symbols and displayed texts (CPlotLookSymbols.cpp) ----
    struct SymbolLookup {
        int result = 0;             // 0 no such symbol, 1 a symbol, 2 DATE or TIME
        std::string value;
    };
    struct ExpandedText {
        std::string text;
        bool usedDateTime = false;  // the text shows the live date or time
    };
    // Symbol names compare without regard to case. SetSymbol appends a symbol when no symbol
    // has the name.
    void SetSymbol(const std::string& name, const std::string& value);
    // DATE and TIME with an empty value take the current date (time) in the user's format and
    // keep it until RefreshDateTime.
    SymbolLookup LookupSymbol(std::string_view name);
    void RefreshDateTime();
    // A shown text never grows beyond this (64 KiB): one symbol referred to over and over, or
    // a long value put in place of every placeholder, would otherwise multiply a short text
    // into hundreds of megabytes. No region can show that much of one text anyway.
    static constexpr std::size_t kMaxExpandedBytes = std::size_t{64} * 1024;
    // Replaces every "&[name]" whose name is a symbol by its value; unknown names and a "&["
    // without a closing "]" stay as written. The result stops at kMaxExpandedBytes, cut
    // between characters.
    ExpandedText ExpandSymbols(std::string_view text);
    // What a caption or legend shows: its text with the plot's SubstitutionString replaced by
    // the substitution value (when both are set), then with its symbols expanded; no longer
    // than kMaxExpandedBytes.
    std::string DisplayText(std::string_view text, std::string_view substitutionValue = {});

    // ---- drawing (CPlotLookDraw.cpp) ----
    // Paints the plot onto dc: rect is the area to paint (device pixels), axesOnly repaints
    // only the drawing area and the axes that scroll, fullRedraw is passed to every region.
    // The dirty flags are consumed even when rect is empty.
    void Draw(Surface& dc, const Rect& rect, int axesOnly, int fullRedraw);
    // The off-screen surface of Width x Height, made compatible with dc when it is missing or
    // of another size. When it cannot be made the old one (or none) stays, and the next call
    // tries again.
    Surface* EnsureMemoryBitmap(Surface& dc);
    // Draws the whole plot into the off-screen surface and copies it to dc; nothing without
    // an off-screen surface.
    void DrawFromMemory(Surface& dc);

    // ---- tracker (CPlotLookTracker.cpp) ----
    // Moves the tracker to the curve point nearest to p (device pixels): TrackedVar's curve,
    // or every visible curve while it is -1.
    void UpdateTracker(Point p);
    // Erases the tracker on dc, updates it for p and draws it again.
    void MoveTracker(Surface& dc, Point p);

    // ---- popup menus (CPlotLookMenus.cpp) ----
    // Menus holds eight menus, each one popup: slot 0 the plot menu, the others those of
    // objects, regions and display items (res/PlotMenus.h). Built once, at construction.
    void BuildMenus();
    // The items of a slot's popup; null outside the slots.
    Menu* MenuPopup(std::size_t slot) const;
    // Switching a run (phase) plot on gives the plot menu that kind's items, each only once;
    // switching it off takes them out again.
    void FollowRunPlotInMenus(bool on);
    void FollowPhasePlotInMenus(bool on);

    // ---- regions and layout (CPlotLookLayout.cpp) ----
    // Measures the regions on dc and gives each its rectangle for a window of Width x Height
    // at the environment's output scale. True when the drawing area's rectangle changed.
    bool Layout(Surface& dc);
    // The region under p: the first in Regions whose HitTest succeeds, or null.
    CPlotRegion* RegionAt(Point p) const;

    // ---- pointer, coordinates and drawn feedback (CPlotLookPointer.cpp) ----
    // Plot values to a device pixel and back, over the X axis and the first Y axis as the
    // drawing area shows them; nullopt while the plot cannot convert (not laid out, or an axis
    // without a usable range). Values stay doubles: a time axis in epoch seconds converts
    // as exactly as a small range.
    std::optional<Point> PlotToDevice(double x, double y);
    std::optional<std::pair<double, double>> DeviceToPlot(Point p);
    bool InDrawingArea(Point p) const;
    // The user has dragged a rubber band in the drawing area.
    bool IsRegionDefined() const;
    // A rubber-band line in not-XOR, so that drawing it again removes it. A negative colour
    // moves the line: the last one is wiped out and the new one drawn in its colour.
    void DragLine(Surface& dc, int x1, int y1, int x2, int y2, int color);
    // The double-click action at p: the topmost plot object there is opened for editing,
    // else the topmost region there that takes a double click edits its properties. Returns
    // the object's id (0 for none) and what the edit did.
    struct DoubleClickResult {
        int objectId = 0;
        ObjectEdit edit = ObjectEdit::Unchanged;
    };
    DoubleClickResult DoubleClick(Surface& dc, Point p);
    // Opens object id for editing. Texts are edited in place unless the host's client type
    // asks for the properties dialog.
    ObjectEdit EditObject(Surface& dc, int id);
    // Rotates every object's points on the triangle (direction 0 one way, else the other).
    void RotateObjects(int direction);
    // A tip with text (symbols expanded; a line feed or a backslash and "n" break lines)
    // near device point p, above it when there is room.
    void ShowDisplayText(std::string_view text, Point p);
    void HideDisplayText();
    // The region of a kind. number picks the Y axis (kind 3), the Y axis whose first caption
    // is meant (kind 5) or the corner (kind 7); the other kinds have one region. Null when
    // there is none.
    CPlotRegion* FindRegion(int kind, int number = 1) const;
    // The first caption region showing axis 0 (X) or k (Y axis k), or null.
    CPlotLabelRgn* CaptionOfAxis(int axis) const;

    // ---- plot objects (CPlotLookObjects.cpp) ----
    // The plot never holds more dependent variables than the host can count in 16 bits.
    static constexpr int kMaxDependentVariables = 32767;
    CPlotObj* FindObject(int id) const;
    bool IsObjectIdUsed(int id) const { return FindObject(id) != nullptr; }
    // A line (kind 0), polygon (1), text (2) or plain object (any other kind), appended to
    // Objects. id 0 asks for a new id, and the object then creates its variables; a given id
    // that is in use or no object id is replaced by a new one. Returns the id used, or 0
    // (nothing created) when no id is free. Throws InvalidArg, nothing changed, when the
    // plot cannot take the object's variables.
    int CreateObject(int kind, int id);
    // An object for variables that exist already (0-based indexes).
    int CreateBoundObject(int kind, int id, int xIndex, int yIndex);
    // attached >= 0 anchors the text at the data point (x, y) and asks for that attachment at
    // the next layout; otherwise (x, y) is relative to the drawing area. 3 or 0; 0 for an
    // unknown id.
    int PlaceTextObject(int id, double x, double y, const std::string& text, int attached);
    // style: 1 italic, 2 bold, 4 underline, 8 transparent background.
    void SetTextObjectAttributes(int id, int color, int alignment, int angle, const std::string& face, int size,
                                 int style);
    void SetLineObjectAttributes(int id, const ObjectLineAttributes& a);
    // ids above 9 name objects: value -1 (or 0xFFFF) deletes the object and returns 0xFFFF,
    // otherwise the object's flags after the change; 0 for an unknown id. ids 1, 2 and 3 set
    // the state of the title, the caption and the axis regions.
    int SetObjectFlags(int id, int value, int mask);
    // 1 when the point was stored. x and y of 9e27 and above are missing: only the present
    // one is written, and both missing clear the point. Annotations tied to a curve are tied
    // to the changed data again later, once (see SettleCurveTies).
    int SetObjectPoint(int id, int index, double x, double y);
    // Ties the curve-tied annotations to the data as they are now, when object points changed
    // since they were last tied. Every annotation's layout does this first; so must any
    // caller that reads their positions or attachments before the next layout.
    void SettleCurveTies();
    struct ObjectPoint {
        bool found = false;
        double x = 0;
        double y = 0;
    };
    ObjectPoint GetObjectPoint(int id, int index) const;
    // A dependent and an independent variable for a new line or polygon object: the single
    // empty one when nothing else is defined, else new ones. Owned by the object from now on.
    // Returns (x index, y index); throws InvalidArg, nothing changed, when they would not fit.
    std::pair<int, int> AcquireObjectVariables();
    // Whether writing slot point of each of vars (null ones are skipped) keeps every variable
    // within its limit and the plot within SlotBudget.
    bool CanStoreAt(std::initializer_list<const CPlotVar*> vars, std::int64_t point) const;

    // ---- selection (CPlotLookSelection.cpp) ----
    // What a click does once it knows what it hit, so that hosts and tests can select without
    // a mouse: the old selection loses its highlight and the selection handles go, the new one
    // is highlighted and repainted. A region (Selection) and an object (ActiveObject, whose
    // highlight the control blinks) are never selected together. A region or object the plot
    // does not hold, or one a click could not hit (hidden, not selectable or pickable), is
    // refused (false) and nothing changes; null clears the selection.
    bool SelectRegion(CPlotRegion* region);
    bool SelectObject(CPlotObj* object);
    bool SelectObject(int id);
    void ClearSelection();
    // The selection as the automation reads it; null (-1) when something else is selected.
    CPlotAxisRgn* SelectedAxisRegion() const;
    // An X or Y caption region; the title and the corner labels are not captions.
    CPlotLabelRgn* SelectedCaptionRegion() const;
    // The annotation of a selected text object.
    CPlotAnnotation* SelectedAnnotation() const;
    // The 0-based dependent variable of a selected line object.
    int SelectedVariableLine() const;

    // ---- fields ----
    IPlotHost* Control;
    CPlotEnv* Env;
    // The value slots the plot may hold over all its variables: kMaxTotalSlots. Tests lower
    // it to reach the limit without allocating hundreds of megabytes.
    std::uint64_t SlotBudget = kMaxTotalSlots;
    int Width = 0;
    int Height = 0;
    int Printing = 0;
    // An in-place edit or drag was committed; the control reports it (Modified) after its
    // next paint, never from inside the plot's own drawing.
    int EditPending = 0;
    int LayoutDirty = 0;
    int RefitDirty = 0;
    int AxesDirty = 0;
    int FitAllPending = 0;
    int LabelsDirty = 0;
    int PlacingText = 0;
    int AxisMapDirty = 0;
    int KeepXScale = 0;
    std::string PendingLabelText;
    int RunPlot = 0;
    int PhasePlot = 0;
    int Parametric = 0;
    int FromDataFile = 0;
    int Triangular = 0;
    int BarGraph = 0;
    int Flipped = 0;
    int Square = 0;
    int Diagonal = 0;
    int ZeroLine = 0;
    int AxisRegionsHidden = 0;
    int LabelRegionsHidden = 0;
    int PressX = 0;
    int PressY = 0;
    std::vector<std::unique_ptr<CPlotVar>> XVars;
    std::vector<std::unique_ptr<CPlotVar>> YVars;
    std::unique_ptr<CPlotDrawingRgn> DrawingRgn;
    std::unique_ptr<CPlotTitleRgn> TitleRgn;
    std::unique_ptr<CPlotAxisRgn> XAxisRgn;
    std::vector<std::unique_ptr<CPlotAxisRgn>> YAxisRgns;
    std::unique_ptr<CPlotLabelRgn> XLabelRgn;
    std::vector<std::unique_ptr<CPlotLabelRgn>> YLabelRgns;
    std::array<std::unique_ptr<CPlotCornerRgn>, 3> CornerRgns;
    std::unique_ptr<CPlotLegendRgn> LegendRgn;
    std::vector<CPlotRegion*> Regions;
    std::vector<std::unique_ptr<CPlotAnnotation>> Annotations;
    std::vector<std::unique_ptr<CPlotDisplay>> Displays;
    PlotObjectList Objects;
    SymbolTable Symbols;
    std::vector<CPlotDisplay*> PickedDisplays;
    CPlotRegion* Selection = nullptr;
    CPlotDisplay* ActiveDisplay = nullptr;
    CPlotObj* ActiveObject = nullptr;
    std::array<CPlotFont, kFontCount> Fonts{};
    std::unique_ptr<IEditBox> EditWindow;
    int ShowTracker = 0;
    int TrackedVar = -1;
    double TrackX = 0;
    double TrackY = 0;
    int TrackPixelX = 0;
    int TrackPixelY = 0;
    Color TrackColor = 0;
    double ZoomLevel = 1.0;
    int AddingText = 0;
    std::unique_ptr<Surface> MemorySurface;
    int MemoryWidth = 0;
    int MemoryHeight = 0;
    std::int16_t RubberX1 = 0;
    std::int16_t RubberY1 = 0;
    std::int16_t RubberX2 = 0;
    std::int16_t RubberY2 = 0;
    std::int16_t RubberColor = 0;
    int GridType = 0;
    int DisplayType = 2;
    int ShowLegend = 0;
    int LegendBoxPlaced = 0;
    float LegendX = 1.0f;
    float LegendY = 0.03f;
    int MarkerSize = 4;
    int MarkerInterval = 1;
    float LabelSpacingFactor = 1500.0f;
    int AnnoAttachment = 0;
    int AnnoArrow = 2;
    int AnnoAlignment = 0;
    int AnnoColor = 0;
    int AnnoDirection = 0;
    std::string SubstitutionString;
    std::array<std::shared_ptr<Menu>, 8> Menus{};
    int MetafileTriangle = 0;

private:
    // Set once the constructor has built the plot of the control's kind.
    bool built_ = false;
    // A variable ready to be drawn: its independent variable and the two axes.
    struct VariableDrawing {
        CPlotVar* x = nullptr;
        CPlotVar* y = nullptr;
        const CPlotAxis* xAxis = nullptr;
        const CPlotAxis* yAxis = nullptr;
    };

    // Drawing (CPlotLookDraw.cpp).
    void ConsumeDirtyFlags();
    // Scales the role axes and sets the views; true when a new layout moved the drawing area.
    bool ScaleAxes(Surface& dc, int axesOnly);
    void DrawRegions(Surface& dc, int axesOnly, int fullRedraw);
    // Variable i's pair and axes, the vertical view set to its axis; nullopt when it is not
    // drawn.
    std::optional<VariableDrawing> PrepareVariable(int i);
    void DrawVariables(Surface& dc, bool direct);
    void DrawOverlays(Surface& dc, int fullRedraw);
    void DrawInteraction(Surface& dc);

    // Construction and rebuilding (CPlotLook.cpp).
    void CreateFonts();
    void BuildRegions(const std::string& xCaption, const std::string& yCaption);
    void CreateInitialVariables();
    void SwitchTriangleVariant(int triangular);
    void MakeVariablesCircular();

    // Live data (CPlotLookTime.cpp).
    // The stamps' min and max over the first independent variable (0 and 0 when none).
    std::pair<double, double> StampRange() const;
    void RemoveDataAnnotations();

    // Plot objects (CPlotLookObjects.cpp).
    // A new object id, or 0 when none is free: when every id is taken that is known at once.
    int NewObjectId();
    // given when it is a free object id, else a new one (0 when none is free).
    int ClaimObjectId(int given);
    int DeleteObject(int id);
    int SetRegionGroupState(int group, int value, int mask);
    // Object points changed since the curve-tied annotations were last tied.
    bool curveTiesStale_ = false;

    // Variables (CPlotLookVars.cpp).
    static int DefaultMarker(int position, bool barGraph);
    // A variable whose slots count in the plot's tally.
    std::unique_ptr<CPlotVar> NewVariable(int independent) const;
    std::unique_ptr<CPlotVar> NewDependentVariable(int position) const;
    std::unique_ptr<CPlotVar> NewIndependentVariable() const;
    void AssignIndependentVariables(int lastIndex);
    void EnsureLineObjects();
    // What removing the variables first..last-1 one at a time would do, in one pass: their
    // captions, the axes no other variable uses, their objects.
    void RemoveVariables(int first, int last);
    // Those axes, in the order that would delete them.
    std::vector<CPlotAxisRgn*> AxesLeftUnused(int first, int last) const;
    void DeleteAxes(const std::vector<CPlotAxisRgn*>& axes);
    void DeleteObjectsOf(int first, int last);
    std::uint64_t SlotsPerNewVariable() const;
    std::uint64_t TotalSlots() const;
    void CheckSlots(std::uint64_t total, const char* what) const;
    bool StoreValue(CPlotVar* var, std::int64_t point, double value);
    // The value slots of every variable the plot made, kept as they change size.
    std::shared_ptr<SlotTally> slotTally_ = std::make_shared<SlotTally>();

    // Regions (CPlotLookAxes.cpp).
    std::unique_ptr<CPlotAxisRgn> MakeYAxisRegion(int number);
    std::unique_ptr<CPlotLabelRgn> MakeYLabelRegion(CPlotLabel* caption, int number, int second);
    void InsertBeforeLegend(CPlotRegion* region);
    void DeleteYAxisRegion(int position);
    void DeleteYLabelRegions();
    // Removes a region from Regions and from Selection.
    void ForgetRegion(CPlotRegion* region);
    // Caption regions showing label stop showing it.
    void UnbindCaption(const CPlotLabel* label);
    // Drops every plain pointer into content that is about to be deleted.
    void ForgetReferences();
    MinMax IndependentRange() const;
    MinMax AxisDataRange(int axis, bool visibleOnly) const;
};

}  // namespace vtg
