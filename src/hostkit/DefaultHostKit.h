#pragma once
// The default host kit: the two host services a plot host normally supplies -- English
// resource strings and a message box -- registered under the ProgIDs the control looks for.
// The command-line tools and the tests register it; a host may register its own servers
// instead. The control itself never assumes it.

#include <cstdint>
#include <functional>
#include <string>

namespace vtg {

struct HostKitOptions {
    // Answers every message box (text, caption, buttons, icon) -> result, instead of showing a
    // desktop message box. Headless tools and tests pass one.
    std::function<std::int32_t(const std::string& text, const std::string& caption, std::int32_t buttons,
                               std::int32_t icon)>
        messageBox;
};

// Registers (or replaces) both servers.
void RegisterDefaultHostKit(HostKitOptions options = {});
// Removes both servers and drops the control's cached resource server, so that texts are
// empty again from the next request on.
void UnregisterDefaultHostKit();

// Registers the kit for its lifetime.
class ScopedHostKit {
public:
    explicit ScopedHostKit(HostKitOptions options = {}) { RegisterDefaultHostKit(std::move(options)); }
    ~ScopedHostKit() { UnregisterDefaultHostKit(); }
    ScopedHostKit(const ScopedHostKit&) = delete;
    ScopedHostKit& operator=(const ScopedHostKit&) = delete;
};

}  // namespace vtg
