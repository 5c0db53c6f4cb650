#pragma once
// The toolkit application object for a program or a test run. Headless mode runs on the
// offscreen platform, so painting, fonts, menus, message boxes and printing to PDF all work
// without a display. The bundled metric-compatible fonts are registered on start.

#include <memory>

namespace vtg {

enum class AppMode {
    Headless,   // offscreen platform: tools, tests, CI
    Gui,        // the user's display
};

class PlatformApp {
public:
    PlatformApp(int& argc, char** argv, AppMode mode);
    ~PlatformApp();
    PlatformApp(const PlatformApp&) = delete;
    PlatformApp& operator=(const PlatformApp&) = delete;

    int Exec();             // runs the event loop until the last window closes
    void ProcessEvents();   // handles pending toolkit events once

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Registers the free Tahoma-metric regular and bold faces (fonts-wine) when they are installed,
// so that the plot's default face measures as it was designed and its bold draws bold
// (BundledFonts.h). Safe to call more than once.
void RegisterBundledFonts();

}  // namespace vtg
