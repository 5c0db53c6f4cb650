#include "plot/CPlotVar.h"

#include <algorithm>

#include "platform/Automation.h"
#include "plot/PlotValues.h"

namespace vtg {

namespace {
// Growth beyond the written point, so that a series filled point by point grows in steps.
constexpr std::int64_t kGrowthSlack = 10;
}  // namespace

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
    Values.resize(n, kMissingValue);
    if (!Independent) {
        Marks.assign(n, {0, 0});
        MarkCount = 0;
    }
    if (WritePos > n) WritePos = 0;
}

void CPlotVar::FillMissing() {
    const std::size_t n = IsCircular() ? std::min<std::size_t>(TimeBufferSize, Values.size()) : Values.size();
    std::fill_n(Values.begin(), n, kMissingValue);
}

void CPlotVar::MakeCircular(std::uint32_t n) {
    TimeBuffer = 1;
    TimeBufferSize = n;
    Resize(n);
    FillMissing();
    WritePos = 0;
}

void CPlotVar::Release() {
    Hidden = 1;
    Values = {};
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
    if (point >= Capacity()) {
        Resize(static_cast<std::uint32_t>(std::min<std::int64_t>(point + kGrowthSlack, kMaxSlots)));
    }
    const auto p = static_cast<std::uint32_t>(point);
    MaxIndex = std::max(MaxIndex, p);
    ImplicitX = 0;
    Values[p] = SanitizeValue(value);
    if (IsCircular()) {
        if (Capacity() == WritePos + 1) Wrapped = 1;
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
}

}  // namespace vtg
