#include "Session.h"

#include <ostream>

#include "Render.h"
#include "ValueText.h"

namespace vtg::shell {

namespace {

constexpr int kIdOk = 1;

}  // namespace

Session::Session(Size size, std::ostream& diagnostics)
    : diagnostics_(diagnostics),
      kit_(HostKitOptions{[this](const std::string& text, const std::string& caption, std::int32_t, std::int32_t) {
          return static_cast<std::int32_t>(AnswerMessageBox(text, caption));
      }}),
      site_(size.cx, size.cy),
      ctrl_(std::make_unique<CVortigaCtrl>()) {
    site_.SetMessageBoxAnswer(
        [this](const std::string& text, const std::string& caption, unsigned) { return AnswerMessageBox(text, caption); });
    // What a container does with a control it creates (rather than loads).
    ctrl_->ResetState();
    ctrl_->SetSite(&site_);
}

Session::~Session() {
    ctrl_->SetSite(nullptr);
    ctrl_.reset();
}

int Session::AnswerMessageBox(const std::string& text, const std::string& caption) {
    // One line each, whatever the texts hold: they may repeat what a script gave the control.
    diagnostics_ << "message box: " << PrintableText(caption) << ": " << PrintableText(text) << " [OK]\n";
    diagnostics_.flush();
    return kIdOk;
}

void Session::Resize(int width, int height) { site_.Resize(width, height); }

void Session::Render(const std::string& path, std::optional<Size> size) { RenderControl(*ctrl_, site_, path, size); }

}  // namespace vtg::shell
