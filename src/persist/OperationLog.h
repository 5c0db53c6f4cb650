#pragma once
// The operation log: a plain-text file with one line per host operation on plot objects and
// annotations and per reset of the plot, for tracing what a host did. Nothing reads it back.
// Each line goes out in one write and is flushed, so that the file is complete up to the last
// operation even when the process ends abruptly.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vtg {

class OperationLog {
public:
    // Lines that carry a host's text are cut to fit this many bytes with their line end.
    static constexpr std::size_t kMaxTextLine = 160;

    // Closes any open log, then creates (or truncates) the file. A file that cannot be created
    // leaves no log open; the caller is not told.
    void Open(const std::string& path);
    void Close() { file_.reset(); }
    bool IsOpen() const { return file_ != nullptr; }
    // Nothing without an open log; a failed write is ignored.
    void Write(std::string_view line);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

// head + text + tail + CR LF within kMaxTextLine bytes: the text is cut on a character
// boundary, and line breaks inside it become blanks so that one operation stays one line.
std::string LogLineWithText(std::string_view head, std::string_view text, std::string_view tail);

}  // namespace vtg
