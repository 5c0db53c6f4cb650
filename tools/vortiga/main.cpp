// vortiga: the command-line tool. Runs one plot control headless on the offscreen platform:
// an automation shell over it, and rendering of shell scripts into pictures.
#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "FileDescriptorBuf.h"
#include "PlotFile.h"
#include "Render.h"
#include "Session.h"
#include "Shell.h"
#include "TestPicture.h"
#include "ValueText.h"
#include "platform/Application.h"
#include "platform/ImageSurface.h"
#include "platform/PdfDocument.h"
#include "res/Version.h"

namespace {

using vtg::Size;
namespace shell = vtg::shell;

constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    R"TEXT(usage: vortiga <command> [options]

commands:
  shell [--size WxH] [FILE]        runs the automation shell on FILE, or on standard input
                                   when FILE is missing or "-"; the control is 800 x 600
                                   unless --size says otherwise
  render FILE -o OUT [--size WxH]  runs the shell script FILE (.vtg), or reads the plot
                                   definition script or plot data file FILE, and paints the
                                   control into OUT (.png or .pdf); --size gives the picture's
                                   size, which is also the control's size unless a shell script
                                   sets one
  demo -o OUT                      draws the drawing surface's test picture (800 x 600) into
                                   OUT (.png or .pdf): a check that the platform draws
  --help                           shows this text ("vortiga shell --help" describes the
                                   shell's language)
  --version                        shows the version

Exit status: 0 on success, 1 when a script line, reading the script, writing the output or
the rendering failed, 2 for a wrong command line. Every failure prints a message to standard
error.
)TEXT";

constexpr std::string_view kShellUsage =
    R"TEXT(usage: vortiga shell [--size WxH] [FILE]

)TEXT";

constexpr std::string_view kRenderUsage =
    R"TEXT(usage: vortiga render FILE -o OUT [--size WxH]

Runs the shell script FILE (a .vtg file; "vortiga shell --help" describes the language) on a
new control and paints the control into OUT, a .png or .pdf file. With --size the picture is
W x H pixels: the control starts at that size, and if the script sizes the control itself,
the picture is a scaled, centred copy. Without it the control starts at 800 x 600 and the
picture has the control's final size. Relative file names inside the script are taken from
the script's folder. When a script line fails the picture is still written, and the exit
status is 1.

Any FILE that is not a .vtg file is read as the control's InputFile property reads it: a
name holding ".ply" is a plot definition script; any other file is a plot script when its
lines are script commands, else a plot data file. A file that cannot be read or is of
neither kind is an error (status 1) that names the file, the line and the reason.
)TEXT";

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

int ParseExtent(std::string_view text) {
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < 1 || v > shell::Shell::kMaxExtent) return 0;
    return v;
}

Size ParseSize(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    const int w = x == std::string_view::npos ? 0 : ParseExtent(text.substr(0, x));
    const int h = x == std::string_view::npos ? 0 : ParseExtent(text.substr(x + 1));
    if (w == 0 || h == 0) {
        throw UsageError("--size takes WxH with W and H from 1 to " + std::to_string(shell::Shell::kMaxExtent) +
                         ", not '" + std::string(text) + "'");
    }
    return {w, h};
}

// The options of a command: --size, -o, and positional arguments.
struct Options {
    std::optional<Size> size;
    std::optional<std::string> output;
    std::vector<std::string> files;
    bool help = false;
};

Options ParseOptions(const std::vector<std::string_view>& args, bool takesOutput) {
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view a = args[i];
        auto value = [&]() -> std::string_view {
            if (i + 1 >= args.size()) throw UsageError(std::string(a) + " needs a value");
            return args[++i];
        };
        if (IsHelp(a)) {
            o.help = true;
        } else if (a == "--size") {
            o.size = ParseSize(value());
        } else if (a.starts_with("--size=")) {
            o.size = ParseSize(a.substr(7));
        } else if (takesOutput && (a == "-o" || a == "--output")) {
            o.output = std::string(value());
        } else if (a.size() > 1 && a.front() == '-') {
            throw UsageError("unknown option " + std::string(a));
        } else {
            o.files.emplace_back(a);
        }
    }
    return o;
}

// Runs a script file (or standard input) through a shell over the session's control.
int RunScript(shell::Session& session, std::istream& in, const std::filesystem::path& baseDir) {
    shell::Shell sh(session.Control(), std::cout, std::cerr, &session);
    sh.SetBaseDir(baseDir);
    session.Control().Events().Advise(sh.EventSink());
    return sh.Run(in);
}

std::ifstream OpenScript(const std::string& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw std::runtime_error("cannot read " + file + ": " +
                                 (std::filesystem::exists(file, ec) ? "not a regular file" : "no such file"));
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file);
    return in;
}

std::filesystem::path FolderOf(const std::string& file) {
    return std::filesystem::absolute(std::filesystem::path(file)).parent_path();
}

int ShellCommand(int argc, char** argv, const std::vector<std::string_view>& args) {
    const Options o = ParseOptions(args, false);
    if (o.help) {
        std::cout << kShellUsage << shell::ShellHelpText();
        return 0;
    }
    if (o.files.size() > 1) throw UsageError("shell takes one script file");
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    shell::Session session(o.size.value_or(shell::Session::kDefaultSize), std::cerr);
    if (o.files.empty() || o.files[0] == "-") {
        vtg::shell::FileDescriptorBuf stdinBuffer(0);
        std::istream in(&stdinBuffer);
        return RunScript(session, in, {});
    }
    std::ifstream in = OpenScript(o.files[0]);
    return RunScript(session, in, FolderOf(o.files[0]));
}

// A plot definition script or plot data file, read as the InputFile property reads it.
int RenderPlotFile(int argc, char** argv, const Options& o, const std::string& file) {
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    shell::Session session(o.size.value_or(shell::Session::kDefaultSize), std::cerr);
    shell::LoadPlotFile(session.Control(), file);
    session.Render(*o.output, std::nullopt);
    return 0;
}

int RenderCommand(int argc, char** argv, const std::vector<std::string_view>& args) {
    const Options o = ParseOptions(args, true);
    if (o.help) {
        std::cout << kRenderUsage;
        return 0;
    }
    if (o.files.size() != 1) throw UsageError("render takes one script file");
    if (!o.output) throw UsageError("render needs -o OUT");
    const std::string& file = o.files[0];
    std::string extension = std::filesystem::path(file).extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!shell::PictureFormatOf(*o.output)) {
        throw std::runtime_error("cannot tell the picture format of " + *o.output + ": name it .png or .pdf");
    }
    if (extension != ".vtg") return RenderPlotFile(argc, argv, o, file);
    std::ifstream in = OpenScript(file);
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    shell::Session session(o.size.value_or(shell::Session::kDefaultSize), std::cerr);
    const int status = RunScript(session, in, FolderOf(file));
    const Size client = session.Site().ClientSize();
    const bool scaled = o.size && !(*o.size == client);
    session.Render(*o.output, scaled ? o.size : std::nullopt);
    return status;
}

int DemoCommand(int argc, char** argv, const std::vector<std::string_view>& args) {
    const Options o = ParseOptions(args, true);
    if (!o.output || !o.files.empty()) throw UsageError("demo takes -o OUT");
    const auto format = shell::PictureFormatOf(*o.output);
    if (!format) throw std::runtime_error("cannot tell the picture format of " + *o.output + ": name it .png or .pdf");
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    const Size size{800, 600};
    if (*format == shell::PictureFormat::Pdf) {
        vtg::PdfDocument doc(*o.output, size, 96);
        if (!doc.IsOpen()) throw std::runtime_error("cannot write " + *o.output);
        vtg::tool::DrawTestPicture(doc.Page(), size);
        if (!doc.Finish()) throw std::runtime_error("cannot write " + *o.output);
        return 0;
    }
    vtg::ImageSurface image(size.cx, size.cy);
    vtg::tool::DrawTestPicture(image, size);
    if (!image.SavePng(*o.output)) throw std::runtime_error("cannot write " + *o.output);
    return 0;
}

// The command's status, with standard output that could not be written (a full disk, say)
// turned into a failure: a command must not claim success for results nobody received. A
// command that failed has said why already; the shell reports lost output itself.
int Finish(int status) {
    if (std::cout.flush()) return status;
    if (status == 0) std::cerr << "vortiga: cannot write standard output\n";
    return status == 0 ? 1 : status;
}

int Dispatch(int argc, char** argv, std::string_view command, const std::vector<std::string_view>& rest) {
    if (IsHelp(command)) {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "vortiga " << vtg::VortigaVersion() << '\n';
        return 0;
    }
    if (command == "shell") return ShellCommand(argc, argv, rest);
    if (command == "render") return RenderCommand(argc, argv, rest);
    if (command == "demo") return DemoCommand(argc, argv, rest);
    throw UsageError("unknown command '" + std::string(command) + "'");
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> all(argv + 1, argv + argc);
    if (all.empty()) {
        std::cerr << kUsage;
        return kUsageError;
    }
    const std::vector<std::string_view> rest(all.begin() + 1, all.end());
    try {
        return Finish(Dispatch(argc, argv, all[0], rest));
    } catch (const UsageError& e) {
        std::cerr << "vortiga: " << shell::PrintableText(e.what()) << "\n(vortiga --help lists the commands)\n";
        return kUsageError;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "vortiga: " << shell::PrintableText(e.what()) << '\n';
        return 1;
    }
}
