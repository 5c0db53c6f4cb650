#pragma once
// The control as an object reference handed to a host server (page setup gets one). A server
// may keep the reference longer than the control lives; once the control has detached it,
// every call through it fails with an automation error instead of reaching a freed control.

#include <string_view>
#include <vector>

#include "platform/Automation.h"

namespace vtg {

class ControlReference final : public IDispatch {
public:
    explicit ControlReference(IDispatch& control) : control_(&control) {}

    void Detach() { control_ = nullptr; }
    bool Attached() const { return control_ != nullptr; }

    DispId GetIDsOfNames(std::string_view name) const override { return Control().GetIDsOfNames(name); }
    Variant Invoke(DispId id, InvokeKind kind, std::vector<Variant>& args) override {
        return Control().Invoke(id, kind, args);
    }
    const MemberTableCore* GetTypeInfo() const override { return control_ ? control_->GetTypeInfo() : nullptr; }

private:
    IDispatch& Control() const {
        if (!control_) throw AutomationError(HResult::Fail, "the plot control no longer exists");
        return *control_;
    }

    IDispatch* control_;
};

}  // namespace vtg
