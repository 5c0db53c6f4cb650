// vortiga: the command-line tool. Runs headless on the offscreen platform.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Application.h"
#include "res/Version.h"

namespace {

const char* kUsage =
    "usage: vortiga <command> [options]\n"
    "\n"
    "commands:\n"
    "  --help       show this text\n"
    "  --version    show the version\n";

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
    std::fprintf(stderr, "vortiga: unknown command '%s'\n", argv[1]);
    return 1;
}
