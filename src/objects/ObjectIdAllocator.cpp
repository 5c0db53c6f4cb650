#include "objects/ObjectIdAllocator.h"

#include <algorithm>

namespace vtg {

namespace {
constexpr int kIdCount = ObjectIdAllocator::kLastId - ObjectIdAllocator::kReservedMax;   // 32000
// Ids travel as 16-bit values at the automation interface.
constexpr int kMaxGivenId = 32767;
}

int ObjectIdAllocator::Allocate(const InUse& inUse) {
    if (Counter > kIdCount - 1) {
        Wrapped = 1;
        Counter = 0;
    }
    for (int tries = 0; tries < kIdCount; ++tries) {
        Counter = Counter >= kIdCount ? 1 : Counter + 1;
        const int id = Counter + kReservedMax;
        if (!Wrapped || !inUse || !inUse(id)) return id;
    }
    return 0;
}

int ObjectIdAllocator::Claim(int given, const InUse& inUse) {
    const bool free = given > kReservedMax && given <= kMaxGivenId && !(inUse && inUse(given));
    if (!free) return Allocate(inUse);
    // Before the first wrap new ids are not checked against those in use: the counter moves
    // past a kept id so that it is never handed out a second time.
    if (!Wrapped && given <= kLastId) Counter = std::max(Counter, given - kReservedMax);
    return given;
}

}  // namespace vtg
