#pragma once
// One variable of the plot: its values (1e28 marks a missing value), optionally kept as a
// circular buffer for live data, its line attributes, the Y axis it is drawn against and its
// legend text.
//
// Invariants: Values has Capacity() slots, dependent variables' Marks (the point buffer the
// drawing region fills) at least that many, and every value stored is finite or 1e28.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Geometry.h"
#include "regions/CPlotLabel.h"

namespace vtg {

struct ValueRead {
    bool valid = false;
    double value = 0;
};

// Where FindOrAppendTime found or put a time stamp.
struct TimeSlot {
    bool found = false;
    std::uint32_t slot = 0;
    bool appended = false;
};

// The value slots held together by the variables that report to it (those of one plot), kept
// as they grow and shrink, so that checking a write against the plot's budget costs the same
// however many variables there are.
struct SlotTally {
    std::uint64_t used = 0;
};

struct MinMax {
    bool valid = false;
    double min = 0;
    double max = 1;
};

class CPlotVar {
public:
    // One variable never holds more value slots than this (128 MB of doubles); larger sizes
    // are refused rather than attempted.
    static constexpr std::uint32_t kMaxSlots = 1u << 24;

    explicit CPlotVar(int independent) : Independent(independent) {}
    ~CPlotVar();
    CPlotVar(const CPlotVar&) = delete;
    CPlotVar& operator=(const CPlotVar&) = delete;

    // From now on the variable's slots count in tally (and no longer in the one before).
    void ReportSlotsTo(std::shared_ptr<SlotTally> tally);
    bool ReportsTo(const SlotTally* tally) const { return tally_.get() == tally; }
    // The slots the variable holds after a write at point (0 <= point < kMaxSlots).
    std::uint32_t CapacityAfterWrite(std::int64_t point) const;
    // The slots it holds after LoadValues of count values.
    std::uint32_t CapacityAfterLoad(std::size_t count) const;

    std::uint32_t Capacity() const { return static_cast<std::uint32_t>(Values.size()); }
    // Capacity, or for a circular buffer that has not wrapped yet the values pushed so far.
    std::uint32_t ValidCount() const;
    bool IsCircular() const { return TimeBuffer != 0; }

    // Sizes the arrays to n slots keeping the values that fit; new slots are missing. n = 0
    // does nothing. Throws AutomationError (InvalidArg) above kMaxSlots.
    void Resize(std::uint32_t n);
    // A circular buffer marks its first TimeBufferSize slots missing (never more than it
    // has), any other variable all slots.
    void FillMissing();
    void MakeCircular(std::uint32_t n);
    // The variable's object gives it up: hidden, no storage; it keeps its place in its array.
    void Release();
    void Clear();

    // Stores value at point, growing the arrays by ten slots beyond point when needed. Values
    // that are not finite are stored as missing. False (nothing stored) for a negative point
    // or one at or beyond kMaxSlots.
    bool SetValue(std::int64_t point, double value);
    // False and 1e28 at or beyond the valid values; the computed abscissa for ImplicitX.
    ValueRead GetValue(std::int64_t point) const;
    // Over the valid values that are not missing; false with 0..1 when there are none.
    MinMax GetMinMax() const;

    // ---- circular buffers (live data) ----
    // Two time stamps closer than this are the same time step.
    static constexpr double kTimeTolerance = 1e-20;
    // Appends to a circular buffer, overwriting the oldest value once it is full. False (and
    // nothing stored) when the variable has no slots.
    bool Push(double value);
    // The slot holding time (time >= 0), or for a negative time the newest slot when the last
    // two stamps are the same; otherwise, with append set on a circular buffer, the time (for
    // a negative time the newest stamp again) is pushed. Not found on an empty buffer.
    TimeSlot FindOrAppendTime(double time, bool append);
    // The slot written last, when anything was.
    std::optional<std::uint32_t> NewestSlot() const;
    // Every slot missing; the write position stays.
    void ClearValues();
    // Cuts a circular buffer after slot (clearAll: empties it). The slots are laid out as
    // `layout` says (the time stamps' variable), so that every variable of a plot is cut at
    // the same time step whatever its own write position; after the cut the buffer is linear
    // and the slots beyond the kept values are missing. Cut the stamps' variable last: the
    // others read its layout.
    void Truncate(std::int64_t slot, bool clearAll, const CPlotVar& layout);
    void Truncate(std::int64_t slot, bool clearAll) { Truncate(slot, clearAll, *this); }

    // The valid values in time order: a wrapped circular buffer starts at its oldest value.
    std::vector<double> OrderedValues() const;
    // Replaces the content with values in time order (as OrderedValues gives them). A
    // circular buffer keeps at least TimeBufferSize slots; an empty list leaves a plain
    // variable's values as they are.
    void LoadValues(const std::vector<double>& values);

    std::uint32_t TimeBufferSize = 0;
    std::string Name;
    CPlotLabel Label;
    std::string SubstValue;
    std::string MapCaption;
    int Hidden = 0;
    int TimeBuffer = 0;
    int Filled = 0;
    int Independent = 0;
    int ObjectOwned = 0;
    std::uint32_t MaxIndex = 0;
    std::vector<double> Values;
    // The pixel points of the last drawing: MarkCount of them, each point once.
    std::vector<Point> Marks;
    int MarkCount = 0;
    std::uint32_t WritePos = 0;
    std::uint32_t Wrapped = 0;
    int Color = 0;
    int PenWidth = 1;
    int PenStyle = 0;
    int Marker = 0;
    int VarMarkerSize = 0;
    int VarMarkerInterval = 0;
    int FillStyle = 0;
    // The last two values of the settings group "Attrib2": kept and written back only.
    std::array<int, 2> Attrib2Extra{};
    int LabelIndex = 0;
    int AxisMap = 0;
    int ImplicitX = 0;
    int ImplicitXOffset = 0;
    int XVarIndex = 0;
    std::int16_t DisplayMode = -1;
    // The variable is shown selected (its plot object is highlighted).
    int Highlight = 0;

private:
    // Whether the stored stamps rise by more than twice the tolerance from the oldest to the
    // newest: then a stamp at or past the newest is found (or known absent) without a scan.
    // Known from the run of rising pushes that ends at the newest value: once the ring has
    // turned over a stamp that came late, it covers the ring again.
    bool StampsAscending() const { return IsCircular() && risingRun_ >= ValidCount(); }
    // The number of newest values (in time order) that rise, counted over the whole ring.
    std::uint32_t RisingSuffix() const;
    std::optional<std::uint32_t> ScanForTime(double time) const;
    // Every change of the number of slots goes through here, so that the tally follows.
    void ResizeValues(std::size_t n);
    void ReplaceValues(std::vector<double> values);
    void Tally(std::size_t before);
    std::uint32_t risingRun_ = 0;
    std::shared_ptr<SlotTally> tally_;
};

}  // namespace vtg
