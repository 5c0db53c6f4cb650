#include "objects/PlotObjectList.h"

#include <algorithm>

#include "objects/CPlotObj.h"
#include "objects/ObjectIdAllocator.h"

namespace vtg {

namespace {

bool Allocatable(int id) { return id >= ObjectIdAllocator::kFirstId && id <= ObjectIdAllocator::kLastId; }

}  // namespace

PlotObjectList::PlotObjectList() = default;

PlotObjectList::~PlotObjectList() = default;

void PlotObjectList::push_back(Owned object) {
    if (!object) return;
    Index(*object);
    list_.push_back(std::move(object));
}

void PlotObjectList::clear() {
    ids_.clear();
    allocatableInUse_ = 0;
    list_.clear();
}

PlotObjectList::Owned PlotObjectList::Take(int id) {
    CPlotObj* object = Find(id);
    if (!object) return nullptr;
    const auto it = std::find_if(list_.begin(), list_.end(), [object](const Owned& o) { return o.get() == object; });
    Owned taken = std::move(*it);
    list_.erase(it);
    Unindex(*taken);
    return taken;
}

std::size_t PlotObjectList::EraseIf(const std::function<bool(const Owned&)>& picked) {
    // Decided for every object before any moves, so that nothing is lost should a test throw.
    std::vector<char> gone(list_.size());
    for (std::size_t k = 0; k < list_.size(); ++k) gone[k] = picked(list_[k]) ? 1 : 0;
    std::vector<Owned> kept;
    std::vector<Owned> removed;
    kept.reserve(list_.size());
    for (std::size_t k = 0; k < list_.size(); ++k) (gone[k] ? removed : kept).push_back(std::move(list_[k]));
    list_ = std::move(kept);
    for (const Owned& object : removed) Unindex(*object);
    return removed.size();
}

CPlotObj* PlotObjectList::Find(int id) const {
    const auto it = ids_.find(id);
    return it == ids_.end() ? nullptr : it->second.first;
}

bool PlotObjectList::AllocatableIdsTaken() const { return allocatableInUse_ >= ObjectIdAllocator::kIdCount; }

void PlotObjectList::Index(CPlotObj& object) {
    const auto [it, fresh] = ids_.try_emplace(object.Id, IdEntry{&object, 0});
    ++it->second.count;
    if (fresh && Allocatable(object.Id)) ++allocatableInUse_;
}

void PlotObjectList::Unindex(const CPlotObj& object) {
    const auto it = ids_.find(object.Id);
    if (it == ids_.end()) return;
    IdEntry& entry = it->second;
    if (--entry.count == 0) {
        ids_.erase(it);
        if (Allocatable(object.Id)) --allocatableInUse_;
        return;
    }
    if (entry.first != &object) return;
    // Only an id listed twice gets here: the next object with it in list order takes over.
    entry.first = nullptr;
    for (const Owned& o : list_) {
        if (o->Id == object.Id) {
            entry.first = o.get();
            break;
        }
    }
}

}  // namespace vtg
