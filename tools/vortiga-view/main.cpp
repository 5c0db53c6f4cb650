// vortiga-view: the plot control in a real window. With a shell script (.vtg, the language of
// `vortiga shell`) it runs the script on the control first, then shows the window; the user can
// resize it, and the control's own input handling takes the mouse and keyboard.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Render.h"
#include "Shell.h"
#include "ValueText.h"
#include "control/CVortigaCtrl.h"
#include "hostkit/DefaultHostKit.h"
#include "platform/Application.h"
#include "platform/ImageSurface.h"
#include "platform/PdfDocument.h"
#include "platform/VortigaWidget.h"

namespace {

constexpr std::string_view kUsage =
    "usage: vortiga-view [SCRIPT.vtg]\n"
    "\n"
    "Shows one plot control in a window. SCRIPT, when given, is run on the control first\n"
    "(see `vortiga shell --help` for the language); `:size W H` sizes the window and\n"
    "`:render FILE [W H]` paints the control into a PNG or PDF file.\n";

// What the shell's window commands do on a real window.
class ViewHost : public vtg::shell::ShellHost {
public:
    ViewHost(vtg::VortigaWidget& widget, vtg::CVortigaCtrl& ctrl) : widget_(widget), ctrl_(ctrl) {}

    void Resize(int width, int height) override { widget_.resize(width, height); }

    void Render(const std::string& path, std::optional<vtg::Size> size) override {
        const vtg::Size picture = size.value_or(widget_.ClientSize());
        const vtg::Rect bounds{0, 0, picture.cx, picture.cy};
        const auto format = vtg::shell::PictureFormatOf(path);
        if (!format) throw std::runtime_error("cannot tell the picture format of " + path);
        if (*format == vtg::shell::PictureFormat::Pdf) {
            vtg::PdfDocument doc(path, picture, 96);
            if (!doc.IsOpen()) throw std::runtime_error("cannot write " + path);
            ctrl_.OnDrawMetafile(doc.Page(), bounds);
            if (!doc.Finish()) throw std::runtime_error("cannot write " + path);
            return;
        }
        vtg::ImageSurface image(picture.cx, picture.cy);
        ctrl_.OnDraw(image, bounds, bounds);
        if (!image.SavePng(path)) throw std::runtime_error("cannot write " + path);
    }

private:
    vtg::VortigaWidget& widget_;
    vtg::CVortigaCtrl& ctrl_;
};

int RunScript(const std::string& file, vtg::CVortigaCtrl& ctrl, ViewHost& host) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file);
    vtg::shell::Shell shell(ctrl, std::cout, std::cerr, &host);
    shell.SetBaseDir(std::filesystem::absolute(file).parent_path());
    return shell.Run(in);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h"))) {
        std::cout << kUsage;
        return argc > 2 ? 2 : 0;
    }
    try {
        vtg::PlatformApp app(argc, argv, vtg::AppMode::Gui);
        vtg::ScopedHostKit kit;
        vtg::VortigaWidget widget;
        widget.setWindowTitle(argc == 2 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Vortiga"));
        widget.resize(800, 600);
        vtg::CVortigaCtrl ctrl;
        ctrl.ResetState();
        ctrl.SetSite(&widget);
        ViewHost host(widget, ctrl);
        const int status = argc == 2 ? RunScript(argv[1], ctrl, host) : 0;
        widget.show();
        const int rc = app.Exec();
        ctrl.SetSite(nullptr);
        return status != 0 ? status : rc;
    } catch (const std::exception& e) {
        std::cerr << "vortiga-view: " << vtg::shell::PrintableText(e.what()) << '\n';
        return 1;
    }
}
