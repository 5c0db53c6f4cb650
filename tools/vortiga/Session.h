#pragma once
// One control as the command-line tool runs it: a new control (as a container creates one) on
// the headless window site, with the default host kit registered and every message box
// answered "OK" and echoed to the diagnostics stream.

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "Shell.h"
#include "control/CVortigaCtrl.h"
#include "hostkit/DefaultHostKit.h"
#include "platform/HeadlessSite.h"

namespace vtg::shell {

class Session : public ShellHost {
public:
    static constexpr Size kDefaultSize{800, 600};

    Session(Size size, std::ostream& diagnostics);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    CVortigaCtrl& Control() { return *ctrl_; }
    HeadlessSite& Site() { return site_; }

    void Resize(int width, int height) override;
    // Throws std::runtime_error for an unknown extension or a file that cannot be written.
    void Render(const std::string& path, std::optional<Size> size) override;

private:
    int AnswerMessageBox(const std::string& text, const std::string& caption);

    std::ostream& diagnostics_;
    ScopedHostKit kit_;
    HeadlessSite site_;
    std::unique_ptr<CVortigaCtrl> ctrl_;
};

}  // namespace vtg::shell
