#include "objects/ObjectIdAllocator.h"

#include <algorithm>

namespace vtg {

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

bool ObjectIdAllocator::Keeps(int given, const InUse& inUse) {
    return given > kReservedMax && given <= kMaxGivenId && !(inUse && inUse(given));
}

int ObjectIdAllocator::Claim(int given, const InUse& inUse) {
    if (!Keeps(given, inUse)) return Allocate(inUse);
    // Before the first wrap new ids are not checked against those in use: the counter moves
    // past a kept id so that it is never handed out a second time.
    if (!Wrapped && given <= kLastId) Counter = std::max(Counter, given - kReservedMax);
    return given;
}

}  // namespace vtg
