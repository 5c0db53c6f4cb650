#include "plot/CPlotVar.h"

#include <algorithm>
#include <cmath>

#include "platform/Automation.h"
#include "axes/PlotValues.h"

namespace vtg {

namespace {
// Growth beyond the written point, so that a series filled point by point grows in steps.
constexpr std::int64_t kGrowthSlack = 10;
}  // namespace

CPlotVar::~CPlotVar() {
    if (tally_) tally_->used -= Values.size();
}

void CPlotVar::ReportSlotsTo(std::shared_ptr<SlotTally> tally) {
    if (tally_) tally_->used -= Values.size();
    tally_ = std::move(tally);
    if (tally_) tally_->used += Values.size();
}

void CPlotVar::Tally(std::size_t before) {
    if (!tally_) return;
    tally_->used -= before;
    tally_->used += Values.size();
}

void CPlotVar::ResizeValues(std::size_t n) {
    const std::size_t before = Values.size();
    Values.resize(n, kMissingValue);
    Tally(before);
}

void CPlotVar::ReplaceValues(std::vector<double> values) {
    const std::size_t before = Values.size();
    Values = std::move(values);
    Tally(before);
}

std::uint32_t CPlotVar::CapacityAfterWrite(std::int64_t point) const {
    if (point < Capacity()) return Capacity();
    return static_cast<std::uint32_t>(std::min<std::int64_t>(point + kGrowthSlack, kMaxSlots));
}

std::uint32_t CPlotVar::CapacityAfterLoad(std::size_t count) const {
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(count, kMaxSlots));
    const std::uint32_t wanted = IsCircular() ? std::max(TimeBufferSize, n) : n;
    // Resize leaves a variable as it is for no slots.
    return wanted == 0 ? Capacity() : wanted;
}

std::uint32_t CPlotVar::ValidCount() const {
    if (IsCircular() && !Wrapped) return std::min(WritePos, Capacity());
    return Capacity();
}

void CPlotVar::Resize(std::uint32_t n) {
    if (n == 0) return;
    if (n > kMaxSlots) {
        throw AutomationError::InvalidArg("a variable cannot hold " + std::to_string(n) + " values (at most " +
                                          std::to_string(kMaxSlots) + ")");
    }
    ResizeValues(n);
    risingRun_ = 0;
    if (!Independent) {
        Marks.assign(n, {0, 0});
        MarkCount = 0;
    }
    if (WritePos > n) WritePos = 0;
}

void CPlotVar::FillMissing() {
    const std::size_t n = IsCircular() ? std::min<std::size_t>(TimeBufferSize, Values.size()) : Values.size();
    std::fill_n(Values.begin(), n, kMissingValue);
    risingRun_ = 0;
}

void CPlotVar::MakeCircular(std::uint32_t n) {
    TimeBuffer = 1;
    TimeBufferSize = n;
    Resize(n);
    FillMissing();
    WritePos = 0;
    Wrapped = 0;
    risingRun_ = 0;
}

void CPlotVar::Release() {
    Hidden = 1;
    ReplaceValues({});
    Marks = {};
    MaxIndex = 0;
    WritePos = 0;
    Wrapped = 0;
    MarkCount = 0;
}

void CPlotVar::Clear() {
    FillMissing();
    WritePos = 0;
    Name.clear();
    Label.Text.clear();
    MapCaption.clear();
    Wrapped = 0;
    XVarIndex = 0;
}

bool CPlotVar::SetValue(std::int64_t point, double value) {
    if (point < 0 || point >= kMaxSlots) return false;
    if (point >= Capacity()) Resize(CapacityAfterWrite(point));
    const auto p = static_cast<std::uint32_t>(point);
    MaxIndex = std::max(MaxIndex, p);
    ImplicitX = 0;
    Values[p] = SanitizeValue(value);
    risingRun_ = 0;
    if (IsCircular()) {
        // Writing the last slot completes a round even when earlier slots were skipped (a
        // variable without a value for some time steps); otherwise its values would vanish.
        if (Capacity() == WritePos + 1 || p + 1 == Capacity()) Wrapped = 1;
        WritePos = (p + 1) % Capacity();
    }
    return true;
}

ValueRead CPlotVar::GetValue(std::int64_t point) const {
    if (point < 0 || point >= ValidCount()) return {false, kMissingValue};
    if (!IsCircular() && ImplicitX) return {true, static_cast<double>(point + ImplicitXOffset)};
    return {true, Values[static_cast<std::size_t>(point)]};
}

MinMax CPlotVar::GetMinMax() const {
    MinMax r;
    const std::uint32_t n = ValidCount();
    for (std::uint32_t i = 0; i < n; ++i) {
        const double v = GetValue(i).value;
        if (IsMissing(v)) continue;
        if (!r.valid) {
            r = {true, v, v};
        } else {
            r.min = std::min(r.min, v);
            r.max = std::max(r.max, v);
        }
    }
    if (!r.valid) return {false, 0, 1};
    return r;
}

std::vector<double> CPlotVar::OrderedValues() const {
    const std::uint32_t n = ValidCount();
    std::vector<double> out;
    out.reserve(n);
    const std::uint32_t start = IsCircular() && Wrapped && WritePos < n ? WritePos : 0;
    for (std::uint32_t k = 0; k < n; ++k) out.push_back(GetValue((start + k) % n).value);
    return out;
}

void CPlotVar::LoadValues(const std::vector<double>& values) {
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(values.size(), kMaxSlots));
    if (IsCircular()) {
        Resize(std::max(TimeBufferSize, n));
        FillMissing();
        WritePos = 0;
        Wrapped = 0;
    } else {
        Resize(n);
    }
    for (std::uint32_t j = 0; j < n; ++j) SetValue(j, values[j]);
    risingRun_ = RisingSuffix();
}

// ---- circular buffers ----

bool CPlotVar::Push(double value) {
    if (Values.empty()) return false;
    const double v = SanitizeValue(value);
    const std::optional<std::uint32_t> newest = NewestSlot();
    const bool rising = newest && !IsMissing(v) && v - Values[*newest] > 2 * kTimeTolerance;
    risingRun_ = rising ? risingRun_ + 1 : 1;
    if (WritePos >= Capacity()) {
        Wrapped = 1;
        WritePos = 0;
    }
    Values[WritePos++] = v;
    return true;
}

std::optional<std::uint32_t> CPlotVar::NewestSlot() const {
    if (Values.empty() || ValidCount() == 0) return std::nullopt;
    return (WritePos == 0 ? Capacity() : std::min(WritePos, Capacity())) - 1;
}

std::uint32_t CPlotVar::RisingSuffix() const {
    const std::vector<double> stamps = OrderedValues();
    std::uint32_t run = stamps.empty() ? 0 : 1;
    for (std::size_t k = stamps.size(); k-- > 1 && run == stamps.size() - k;) {
        if (!IsMissing(stamps[k]) && stamps[k] - stamps[k - 1] > 2 * kTimeTolerance) ++run;
    }
    return run;
}

std::optional<std::uint32_t> CPlotVar::ScanForTime(double time) const {
    const std::uint32_t n = ValidCount();
    for (std::uint32_t i = 0; i < n; ++i) {
        if (std::fabs(Values[i] - time) < kTimeTolerance) return i;
    }
    return std::nullopt;
}

TimeSlot CPlotVar::FindOrAppendTime(double time, bool append) {
    const std::optional<std::uint32_t> newest = NewestSlot();
    if (time >= 0) {
        std::optional<std::uint32_t> hit;
        const double d = newest ? time - Values[*newest] : 0;
        // Live data arrive in time order: the stamp of a new step lies past every stored one,
        // and the other variables of that step name the newest. Anything else is searched.
        if (newest && StampsAscending() && d >= kTimeTolerance) {
            hit = std::nullopt;
        } else if (newest && StampsAscending() && std::fabs(d) < kTimeTolerance) {
            hit = newest;
        } else {
            hit = ScanForTime(time);
        }
        if (hit) return {true, *hit, false};
    } else {
        // A negative time repeats the newest stamp; an empty buffer has none to repeat.
        if (!newest) return {};
        const std::uint32_t before = (*newest == 0 ? Capacity() : *newest) - 1;
        if (ValidCount() >= 2 && std::fabs(Values[*newest] - Values[before]) < kTimeTolerance) {
            return {true, *newest, false};
        }
        time = Values[*newest];
    }
    if (!append || !IsCircular() || !Push(time)) return {};
    return {true, *NewestSlot(), true};
}

void CPlotVar::ClearValues() {
    std::fill(Values.begin(), Values.end(), kMissingValue);
    risingRun_ = 0;
}

void CPlotVar::Truncate(std::int64_t slot, bool clearAll, const CPlotVar& layout) {
    if (!IsCircular()) return;
    if (clearAll) {
        ClearValues();
        WritePos = 0;
        Wrapped = 0;
        risingRun_ = 0;
        return;
    }
    // A buffer grown past the stamps' own has no common slot layout with them.
    const CPlotVar& g = layout.Capacity() == Capacity() ? layout : *this;
    const std::uint32_t capacity = Capacity();
    const std::uint32_t oldest = g.Wrapped && g.WritePos < capacity ? g.WritePos : 0;
    const std::uint32_t valid = g.Wrapped ? capacity : std::min(g.WritePos, capacity);
    if (slot < 0 || slot >= valid) return;
    const auto cut = static_cast<std::uint32_t>(slot);
    // Oldest first: the kept time steps from the oldest through the cut.
    std::vector<double> kept(capacity, kMissingValue);
    std::uint32_t count = 0;
    for (std::uint32_t i = oldest;; i = (i + 1) % capacity) {
        kept[count++] = Values[i];
        if (i == cut) break;
    }
    ReplaceValues(std::move(kept));
    WritePos = count;
    Wrapped = 0;
    // Another variable's values are not stamps.
    risingRun_ = &layout == this ? RisingSuffix() : 0;
}

}  // namespace vtg
