#pragma once
// The plot's objects in creation order, with an index by id: finding an object, or learning
// that an id is free, costs the same however many objects there are, and so does learning
// that every id the allocator hands out is taken. Every change goes through the list so that
// the index always agrees with it; an object's Id never changes while it is listed.
//
// It reads like a vector of owning pointers (size, [], iteration in order, push_back, clear),
// but hands out only const pointers to the entries: the objects themselves can be changed,
// the entries cannot be moved out or replaced behind the index's back.

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vtg {

class CPlotObj;

class PlotObjectList {
public:
    using Owned = std::unique_ptr<CPlotObj>;
    using const_iterator = std::vector<Owned>::const_iterator;

    PlotObjectList();
    ~PlotObjectList();
    PlotObjectList(const PlotObjectList&) = delete;
    PlotObjectList& operator=(const PlotObjectList&) = delete;

    const_iterator begin() const { return list_.begin(); }
    const_iterator end() const { return list_.end(); }
    std::size_t size() const { return list_.size(); }
    bool empty() const { return list_.empty(); }
    const Owned& operator[](std::size_t i) const { return list_[i]; }
    const Owned& front() const { return list_.front(); }
    const Owned& back() const { return list_.back(); }

    // Appends object (a null one is ignored).
    void push_back(Owned object);
    void clear();
    // Removes the first object with id and hands it over; null when there is none.
    Owned Take(int id);
    // Removes the objects picked, keeping the order of the others; the number removed.
    std::size_t EraseIf(const std::function<bool(const Owned&)>& picked);

    // The first object with id, or null.
    CPlotObj* Find(int id) const;
    // Every id the object-id allocator hands out (ObjectIdAllocator::kFirstId..kLastId) is
    // in use.
    bool AllocatableIdsTaken() const;

private:
    struct IdEntry {
        CPlotObj* first = nullptr;
        int count = 0;
    };
    void Index(CPlotObj& object);
    // Called once object is no longer listed.
    void Unindex(const CPlotObj& object);

    std::vector<Owned> list_;
    std::unordered_map<int, IdEntry> ids_;
    // Distinct ids in use within the allocator's range.
    int allocatableInUse_ = 0;
};

}  // namespace vtg
