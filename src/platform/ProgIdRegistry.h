#pragma once
// The process-wide table of creatable automation classes, keyed by ProgID: what the control
// uses to find host servers (resource strings, dialogs) by name. A ProgID with no entry, or a
// factory that fails, simply yields no object; callers treat that as "service absent".

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Automation.h"

namespace vtg {

class ProgIdRegistry {
public:
    using Factory = std::function<std::shared_ptr<IDispatch>()>;

    struct CreateResult {
        std::shared_ptr<IDispatch> object;   // null on failure
        HResult hr = HResult::Ok;
        std::string message;                 // why it failed; empty on success
    };

    static ProgIdRegistry& Instance();

    // Replaces an existing registration of the same ProgID (compared ignoring case). Throws
    // InvalidArg for an empty ProgID or an empty factory.
    void Register(std::string_view progId, Factory factory);
    bool Unregister(std::string_view progId);
    bool IsRegistered(std::string_view progId) const;
    // The factory currently registered, for callers that want to put it back later.
    std::optional<Factory> FactoryOf(std::string_view progId) const;

    // Never throws: an unknown ProgID gives InvalidClassString; a factory that throws or
    // returns nothing gives that error's code (OutOfMemory, Fail, ...).
    CreateResult TryCreate(std::string_view progId) const;
    std::shared_ptr<IDispatch> Create(std::string_view progId) const { return TryCreate(progId).object; }

private:
    ProgIdRegistry() = default;
    std::map<std::string, Factory> factories_;   // lower-case ProgIDs
};

// Registers a factory for the lifetime of the object, then restores whatever was registered
// for that ProgID before (or removes it).
class ScopedProgId {
public:
    ScopedProgId(std::string progId, ProgIdRegistry::Factory factory);
    ~ScopedProgId();
    ScopedProgId(const ScopedProgId&) = delete;
    ScopedProgId& operator=(const ScopedProgId&) = delete;

private:
    std::string progId_;
    std::optional<ProgIdRegistry::Factory> previous_;
};

}  // namespace vtg
