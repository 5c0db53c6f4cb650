#include "platform/ProgIdRegistry.h"

#include <new>

namespace vtg {

namespace {

// ProgIDs are ASCII identifiers; COM matches them without regard to case.
std::string Key(std::string_view progId) {
    std::string key(progId);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

}  // namespace

ProgIdRegistry& ProgIdRegistry::Instance() {
    static ProgIdRegistry registry;
    return registry;
}

void ProgIdRegistry::Register(std::string_view progId, Factory factory) {
    if (progId.empty()) throw AutomationError::InvalidArg("Register: empty ProgID");
    if (!factory) throw AutomationError::InvalidArg("Register: no factory for " + std::string(progId));
    factories_[Key(progId)] = std::move(factory);
}

bool ProgIdRegistry::Unregister(std::string_view progId) { return factories_.erase(Key(progId)) != 0; }

bool ProgIdRegistry::IsRegistered(std::string_view progId) const { return factories_.count(Key(progId)) != 0; }

std::optional<ProgIdRegistry::Factory> ProgIdRegistry::FactoryOf(std::string_view progId) const {
    const auto it = factories_.find(Key(progId));
    if (it == factories_.end()) return std::nullopt;
    return it->second;
}

ProgIdRegistry::CreateResult ProgIdRegistry::TryCreate(std::string_view progId) const {
    const auto it = factories_.find(Key(progId));
    if (it == factories_.end()) {
        return {nullptr, HResult::InvalidClassString, "no class is registered as '" + std::string(progId) + "'"};
    }
    // A copy: the factory may register or unregister classes while it runs.
    const Factory factory = it->second;
    try {
        std::shared_ptr<IDispatch> object = factory();
        if (!object) return {nullptr, HResult::Fail, "the factory of '" + std::string(progId) + "' made no object"};
        return {std::move(object), HResult::Ok, {}};
    } catch (const AutomationError& e) {
        return {nullptr, Failed(e.Code()) ? e.Code() : HResult::Fail, e.Message()};
    } catch (const std::bad_alloc&) {
        return {nullptr, HResult::OutOfMemory, "out of memory creating '" + std::string(progId) + "'"};
    } catch (const std::exception& e) {
        return {nullptr, HResult::Fail, e.what()};
    } catch (...) {
        return {nullptr, HResult::Fail, "the factory of '" + std::string(progId) + "' failed"};
    }
}

ScopedProgId::ScopedProgId(std::string progId, ProgIdRegistry::Factory factory)
    : progId_(std::move(progId)), previous_(ProgIdRegistry::Instance().FactoryOf(progId_)) {
    ProgIdRegistry::Instance().Register(progId_, std::move(factory));
}

ScopedProgId::~ScopedProgId() {
    if (previous_) {
        ProgIdRegistry::Instance().Register(progId_, std::move(*previous_));
    } else {
        ProgIdRegistry::Instance().Unregister(progId_);
    }
}

}  // namespace vtg
