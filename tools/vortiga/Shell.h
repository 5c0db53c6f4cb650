#pragma once
// The automation shell: a line-oriented language over any dispatch object. A line puts or gets
// a property, calls a method (by-reference outputs are supplied by the shell and printed after
// the result), or runs a ':' command. Each line either works or prints one error and the shell
// goes on; the exit status tells whether any line failed. A script that cannot be read to its
// end, a line longer than kMaxLineBytes and output that cannot be written fail the run too.
// Results go to the output stream, diagnostics to the error stream, and any text a message
// repeats is escaped so that it can neither start a line nor drive the terminal.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Csv.h"
#include "platform/Automation.h"
#include "platform/ConnectionPoint.h"
#include "platform/Geometry.h"

namespace vtg::shell {

class TextCursor;

// What the ':size' and ':render' commands need from the program hosting the control. Failures
// are thrown as std::runtime_error (or AutomationError) with a message for the user.
class ShellHost {
public:
    virtual ~ShellHost() = default;
    virtual void Resize(int width, int height) = 0;
    // Paints the control into a PNG or PDF file; with a size, through its scaled drawing.
    virtual void Render(const std::string& path, std::optional<Size> size) = 0;

protected:
    ShellHost() = default;
    ShellHost(const ShellHost&) = default;
    ShellHost& operator=(const ShellHost&) = default;
};

// The language, for `vortiga shell --help` and ':help'.
std::string_view ShellHelpText();

class Shell {
public:
    // Sizes and pictures are bounded so that a script cannot ask for gigabytes of bitmap.
    static constexpr int kMaxExtent = 8192;
    // A script line is never this long; input without line breaks (a binary file, a device)
    // is refused at this length instead of being buffered whole.
    static constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;

    // host may be null: the window commands then fail with a message.
    Shell(IDispatch& target, std::ostream& out, std::ostream& err, ShellHost* host = nullptr);

    // Relative paths in ':csv' and ':render' resolve against this folder (empty: the current one).
    void SetBaseDir(std::filesystem::path dir) { baseDir_ = std::move(dir); }

    // Runs the next line. False when it failed; the error has then been printed.
    bool Execute(std::string_view line);
    // Runs lines until the input ends or ':quit'; returns 1 if any line failed, the input
    // could not be read (an exception from its stream buffer is a read error), a line was too
    // long (the run stops there) or the output could not be written; else 0.
    int Run(std::istream& in);

    bool QuitRequested() const { return quit_; }
    bool AnyFailed() const { return failures_ > 0; }
    int LineNumber() const { return lineNo_; }

    // Connect this to the target's events; it prints them while ':events on' is in force.
    std::shared_ptr<IEventSink> EventSink() const;

private:
    class EventPrinter;

    void Statement(std::string_view line);
    void Command(std::string_view line);
    void CallMethod(DispId id, std::vector<Variant> inputs);
    // Invokes a method by name with plain arguments (the data-loading commands).
    void Call(std::string_view name, std::vector<Variant> args);
    void Put(std::string_view name, Variant value);

    void SizeCommand(TextCursor& c);
    void RenderCommand(TextCursor& c);
    void EventsCommand(TextCursor& c);
    void DataCommand(TextCursor& c);
    // Reads the table a command names and checks that a plot can hold it.
    CsvTable ReadTable(TextCursor& c);
    // Sets nvariables for the table, and npoints when given; a refused npoints puts nvariables
    // back, so that a failed load leaves the counts as they were.
    void SetCounts(const CsvTable& table, std::optional<std::int32_t> points);
    void NameVariables(const CsvTable& table);
    void CsvCommand(TextCursor& c);
    void StreamCommand(TextCursor& c);

    // The next line into line; false at the end of the input and, reported, when the input
    // cannot be read or the line is longer than kMaxLineBytes.
    bool NextLine(std::istream& in, std::string& line);
    // Prints "error: line N: message" and counts the failure.
    void Report(int line, std::string_view message);
    // Reports, once, that the output stream has failed.
    void CheckOutput();

    ShellHost& Host(std::string_view command) const;
    // The next word as a file name, resolved; a name with a NUL byte is refused, since the
    // system would take only the part before it.
    std::filesystem::path ReadPath(TextCursor& c) const;
    std::filesystem::path Resolve(const std::string& path) const;
    const MemberInfo* Info(DispId id) const;

    IDispatch& target_;
    std::ostream& out_;
    std::ostream& err_;
    ShellHost* host_;
    std::shared_ptr<EventPrinter> events_;
    std::filesystem::path baseDir_;
    int lineNo_ = 0;
    int failures_ = 0;
    bool quit_ = false;
    bool outputLost_ = false;
};

}  // namespace vtg::shell
