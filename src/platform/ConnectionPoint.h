#pragma once
// Outgoing events: the control fires, every connected sink hears it, in the order the sinks
// connected. Delivery is synchronous on the caller's thread, so a sink may call back into the
// control, connect or disconnect sinks, or fire again while an event is being delivered.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Automation.h"

namespace vtg {

class IEventSink {
public:
    virtual ~IEventSink() = default;
    virtual void OnEvent(DispId id, const std::string& name, const std::vector<Variant>& args) = 0;

protected:
    IEventSink() = default;
    IEventSink(const IEventSink&) = default;
    IEventSink& operator=(const IEventSink&) = default;
};

class ConnectionPoint {
public:
    // Returns the connection's cookie: from 1 upward, never handed out twice. Throws
    // InvalidArg for a null sink.
    std::uint32_t Advise(std::shared_ptr<IEventSink> sink);
    // False when the cookie is not (or no longer) connected.
    bool Unadvise(std::uint32_t cookie);
    std::size_t SinkCount() const { return sinks_.size(); }

    // Delivers to the sinks connected when the event starts, skipping any that disconnect
    // before their turn. A sink that throws does not stop delivery to the others: the firing
    // code is in the middle of its own work and must not be unwound by a host's handler.
    void Fire(DispId id, const std::string& name, const std::vector<Variant>& args = {});

    // While frozen, events are dropped, not queued.
    void Freeze(bool frozen) { frozen_ = frozen; }
    bool IsFrozen() const { return frozen_; }

    // How many sink handlers have thrown since the connection point was created.
    std::size_t SinkFailures() const { return sinkFailures_; }

    // The outgoing interface's description (events as members, by name and DISPID); the
    // owner sets it, null until then.
    void SetTypeInfo(const MemberTableCore* info) { typeInfo_ = info; }
    const MemberTableCore* GetTypeInfo() const { return typeInfo_; }

private:
    struct Connection {
        std::uint32_t cookie;
        std::shared_ptr<IEventSink> sink;
    };
    bool IsConnected(std::uint32_t cookie) const;

    std::vector<Connection> sinks_;
    std::uint32_t nextCookie_ = 1;
    bool frozen_ = false;
    std::size_t sinkFailures_ = 0;
    const MemberTableCore* typeInfo_ = nullptr;
};

// A sink that keeps every event it receives, for tests of the layers that fire them.
class RecordingSink : public IEventSink {
public:
    struct Event {
        DispId id;
        std::string name;
        std::vector<Variant> args;   // values, never by-reference
    };

    void OnEvent(DispId id, const std::string& name, const std::vector<Variant>& args) override;

    const std::vector<Event>& Events() const { return events_; }
    std::size_t Count(std::string_view name) const;
    // The most recent event of that name, or null.
    const Event* Last(std::string_view name) const;
    void Clear() { events_.clear(); }

private:
    std::vector<Event> events_;
};

}  // namespace vtg
