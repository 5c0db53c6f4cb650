#include "platform/Application.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>

#include <cstdlib>

namespace vtg {

struct PlatformApp::Impl {
    std::unique_ptr<QApplication> app;
};

PlatformApp::PlatformApp(int& argc, char** argv, AppMode mode) : impl_(std::make_unique<Impl>()) {
    if (mode == AppMode::Headless) {
        // Forced, not defaulted: a stray DISPLAY must not make a CI run depend on an X server.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
    for (const char* path : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
        if (QFile::exists(QString::fromLatin1(path))) QFontDatabase::addApplicationFont(QString::fromLatin1(path));
    }
}

}  // namespace vtg
