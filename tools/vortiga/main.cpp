// vortiga: the command-line tool. Runs headless on the offscreen platform.
#include <cstdio>
#include <cstring>
#include <string>

#include "TestPicture.h"
#include "platform/Application.h"
#include "platform/ImageSurface.h"
#include "platform/PdfDocument.h"
#include "res/Version.h"

namespace {

const char* kUsage =
    "usage: vortiga <command> [options]\n"
    "\n"
    "commands:\n"
    "  demo -o OUT   draw the surface test picture into OUT (.png or .pdf)\n"
    "  --help        show this text\n"
    "  --version     show the version\n";

bool EndsWith(const std::string& s, const char* suffix) {
    const std::size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

int RunDemo(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[2], "-o") != 0) {
        std::fputs("usage: vortiga demo -o OUT.png|OUT.pdf\n", stderr);
        return 2;
    }
    const std::string out = argv[3];
    const vtg::Size size{800, 600};
    if (EndsWith(out, ".pdf")) {
        vtg::PdfDocument doc(out, size, 96);
        if (!doc.IsOpen()) {
            std::fprintf(stderr, "vortiga: cannot write %s\n", out.c_str());
            return 1;
        }
        vtg::tool::DrawTestPicture(doc.Page(), size);
        return doc.Finish() ? 0 : 1;
    }
    vtg::ImageSurface image(size.cx, size.cy);
    vtg::tool::DrawTestPicture(image, size);
    if (!image.SavePng(out)) {
        std::fprintf(stderr, "vortiga: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return argc < 2 ? 1 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("vortiga %s\n", vtg::VortigaVersion());
        return 0;
    }
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    if (std::strcmp(argv[1], "demo") == 0) return RunDemo(argc, argv);
    std::fprintf(stderr, "vortiga: unknown command '%s'\n", argv[1]);
    return 1;
}
