#include "axes/TickLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vtg {

namespace {

bool Positive(double v) { return std::isfinite(v) && v > 0; }

// Centres at least half the two sizes apart: the labels do not overlap.
bool ClearOf(int centreA, int sizeA, int centreB, int sizeB) {
    const long long distance = std::llabs(static_cast<long long>(centreB) - centreA);
    return 2 * distance >= static_cast<long long>(sizeA) + sizeB;
}

}  // namespace

std::optional<double> UsableInterval(double c, double span, double maxIntervals) {
    if (!Positive(span)) return std::nullopt;
    if (!Positive(c)) c = span / 10;
    if (!Positive(c)) return std::nullopt;
    // Ends: every doubling shrinks span / c, and c reaches infinity after at most ~2100.
    while (span / c > maxIntervals) c *= 2;
    return Positive(c) ? std::optional<double>(c) : std::nullopt;
}

std::vector<double> SteppedTicks(TickStepping stepping, double e, double g, double c) {
    std::vector<double> ticks;
    if (!std::isfinite(e) || !std::isfinite(g) || !Positive(c) || e > g) return ticks;
    // Values are computed from e and the tick number rather than by adding c again and
    // again, so a long axis does not drift and a step too small to change e cannot stall.
    switch (stepping) {
        case TickStepping::Linear:
            for (int i = 0; i < kMaxTicks && e + i * c <= g + c / 2; ++i) ticks.push_back(e + i * c);
            break;
        case TickStepping::Triangular:
            for (int i = 1; i <= kMaxTicks && e + i * c <= g - c / 2; ++i) ticks.push_back(e + i * c);
            break;
        case TickStepping::Inverse: {
            ticks.push_back(e);
            // The multiple of c nearest to e, rounded with floor so that negative values
            // (a reciprocal axis of negative data) step to the very next multiple as well.
            const double base = std::floor(e / c + 0.5);
            for (int i = 1; i < kMaxTicks && (base + i) * c <= g + c / 2; ++i) ticks.push_back((base + i) * c);
            break;
        }
    }
    return ticks;
}

std::vector<std::size_t> KeepApart(std::span<const int> positions, int minGap) {
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (kept.empty() || std::llabs(static_cast<long long>(positions[i]) - positions[kept.back()]) > minGap) {
            kept.push_back(i);
        }
    }
    return kept;
}

int LongestOverlapRun(std::span<const int> centres, std::span<const int> sizes) {
    const std::size_t n = std::min(centres.size(), sizes.size());
    std::size_t anchor = 0;
    int run = 0;
    int longest = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (ClearOf(centres[anchor], sizes[anchor], centres[i], sizes[i])) {
            anchor = i;
            run = 0;
        } else {
            longest = std::max(longest, ++run);
        }
    }
    return longest;
}

int FirstLabelIndex(double v0, double c, int t, bool triangular) {
    if (t <= 0 || !Positive(c) || !std::isfinite(v0)) return 0;
    // The number of whole intervals from zero to v0, rounded to nearest.
    const double k = std::trunc(std::fabs((v0 >= 0 ? v0 + c / 2 : v0 - c / 2) / c));
    const int p = static_cast<int>(std::fmod(k, t + 1.0));
    return triangular ? p + t - 1 : p;
}

std::vector<bool> ListLabelsShown(std::span<const int> centres, std::span<const int> sizes) {
    const std::size_t n = std::min(centres.size(), sizes.size());
    std::vector<bool> shown(n, false);
    std::optional<std::size_t> last;
    for (std::size_t i = 0; i < n; ++i) {
        if (!last || ClearOf(centres[*last], sizes[*last], centres[i], sizes[i])) {
            shown[i] = true;
            last = i;
        }
    }
    return shown;
}

}  // namespace vtg
