#include "platform/Application.h"

#include <QApplication>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/BundledFonts.h"

namespace vtg {
namespace {

// Qt warns on every start when XDG_RUNTIME_DIR is missing (CI, root shells); give it a private
// folder of its own, as a login session would.
void EnsureRuntimeDir() {
    if (std::getenv("XDG_RUNTIME_DIR") != nullptr) return;
    const std::string dir = "/tmp/vortiga-runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    chmod(dir.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
}

}  // namespace

struct PlatformApp::Impl {
    std::unique_ptr<QApplication> app;
};

PlatformApp::PlatformApp(int& argc, char** argv, AppMode mode) : impl_(std::make_unique<Impl>()) {
    if (mode == AppMode::Headless) {
        // Forced, not defaulted: a stray DISPLAY must not make a CI run depend on an X server.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        EnsureRuntimeDir();
    }
    if (QCoreApplication::instance() == nullptr) {
        impl_->app = std::make_unique<QApplication>(argc, argv);
    }
    RegisterBundledFonts();
}

PlatformApp::~PlatformApp() = default;

int PlatformApp::Exec() { return QApplication::exec(); }

void PlatformApp::ProcessEvents() { QCoreApplication::processEvents(); }

void RegisterBundledFonts() {
    static bool done = false;
    if (done) return;
    done = true;
    bundled_fonts::RegisterFacePair(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                    QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf"));
}

}  // namespace vtg
