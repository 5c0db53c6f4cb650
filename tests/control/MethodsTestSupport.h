#pragma once
// Driving the control's methods as a host does: by name through the dispatch interface, with
// a headless window site that records invalidations and a sink that records events.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "platform/HeadlessSite.h"
#include "ControlTestSupport.h"

namespace vtg::test {

inline Variant I2(int v) { return Variant(static_cast<std::int16_t>(v)); }

struct MethodsFixture : ControlFixture {
    HeadlessSite site{400, 300};

    MethodsFixture() {
        Ctrl().SetSite(&site);
        Quiet();
    }
    // The control goes before the site it is attached to.
    ~MethodsFixture() { ctrl.reset(); }
    MethodsFixture(const MethodsFixture&) = delete;
    MethodsFixture& operator=(const MethodsFixture&) = delete;

    Variant Call(std::string_view name, std::vector<Variant> args = {}) {
        return InvokeByName(Ctrl(), name, InvokeKind::Method, args);
    }
    // The automation error a call raises; a test failure when it raises none.
    AutomationError ErrorOf(std::string_view name, std::vector<Variant> args) {
        try {
            InvokeByName(Ctrl(), name, InvokeKind::Method, args);
        } catch (const AutomationError& e) {
            return e;
        }
        ADD_FAILURE() << name << " raised no error";
        return AutomationError(HResult::Ok, "");
    }
    // Forgets the events and invalidations so far.
    void Quiet() {
        sink->Clear();
        site.ClearInvalidations();
    }
    std::size_t Invalidations() const { return site.Invalidations().size(); }
};

}  // namespace vtg::test
