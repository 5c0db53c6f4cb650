#include "platform/ConnectionPoint.h"

#include <algorithm>
#include <limits>

namespace vtg {

std::uint32_t ConnectionPoint::Advise(std::shared_ptr<IEventSink> sink) {
    if (!sink) throw AutomationError::InvalidArg("Advise: no sink");
    // 0 is never a valid cookie, so running out means the counter came back to it.
    if (nextCookie_ == 0) throw AutomationError::Fail("Advise: no connection cookies left");
    const std::uint32_t cookie = nextCookie_;
    nextCookie_ = cookie == std::numeric_limits<std::uint32_t>::max() ? 0 : cookie + 1;
    sinks_.push_back({cookie, std::move(sink)});
    return cookie;
}

bool ConnectionPoint::Unadvise(std::uint32_t cookie) {
    const auto it = std::find_if(sinks_.begin(), sinks_.end(), [cookie](const Connection& c) { return c.cookie == cookie; });
    if (it == sinks_.end()) return false;
    sinks_.erase(it);
    return true;
}

bool ConnectionPoint::IsConnected(std::uint32_t cookie) const {
    return std::any_of(sinks_.begin(), sinks_.end(), [cookie](const Connection& c) { return c.cookie == cookie; });
}

void ConnectionPoint::Fire(DispId id, const std::string& name, const std::vector<Variant>& args) {
    if (frozen_) return;
    // The snapshot keeps each sink alive through its own call even if it disconnects itself.
    const std::vector<Connection> snapshot = sinks_;
    for (const Connection& c : snapshot) {
        if (!IsConnected(c.cookie)) continue;
        try {
            c.sink->OnEvent(id, name, args);
        } catch (...) {
            ++sinkFailures_;
        }
    }
}

void RecordingSink::OnEvent(DispId id, const std::string& name, const std::vector<Variant>& args) {
    Event e{id, name, {}};
    e.args.reserve(args.size());
    for (const Variant& a : args) e.args.push_back(a.Deref());
    events_.push_back(std::move(e));
}

std::size_t RecordingSink::Count(std::string_view name) const {
    return static_cast<std::size_t>(
        std::count_if(events_.begin(), events_.end(), [name](const Event& e) { return e.name == name; }));
}

const RecordingSink::Event* RecordingSink::Last(std::string_view name) const {
    for (auto it = events_.rbegin(); it != events_.rend(); ++it) {
        if (it->name == name) return &*it;
    }
    return nullptr;
}

}  // namespace vtg
