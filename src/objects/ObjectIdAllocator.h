#pragma once
// Object ids for plot objects: 101..32100 in creation order until the counter first wraps;
// after that, ids still in use are skipped.

#include <functional>

namespace vtg {

class ObjectIdAllocator {
public:
    static constexpr int kFirstId = 101;
    static constexpr int kLastId = 32100;
    // Ids up to this are not object ids (region groups and the like).
    static constexpr int kReservedMax = 100;
    // How many ids Allocate can hand out.
    static constexpr int kIdCount = kLastId - kReservedMax;
    // Ids travel as 16-bit values at the automation interface.
    static constexpr int kMaxGivenId = 32767;

    using InUse = std::function<bool(int id)>;

    // A new id, or 0 when every id is in use: the search stops after one full cycle instead
    // of looping for ever.
    int Allocate(const InUse& inUse);
    // The given id when it is a free object id, otherwise a newly allocated one (0 when none
    // is left). A given id of 0 asks for a new one. A kept id is never allocated later.
    int Claim(int given, const InUse& inUse);
    // Whether Claim keeps given: an object id no object uses.
    static bool Keeps(int given, const InUse& inUse);

    int Counter = 0;
    int Wrapped = 0;
};

}  // namespace vtg
