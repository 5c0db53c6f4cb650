#include "Shell.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <system_error>

#include "Csv.h"
#include "ValueText.h"
#include "plot/CPlotLook.h"

namespace vtg::shell {

namespace {

constexpr std::string_view kHelp =
    R"TEXT(The vortiga shell runs one plot control and drives it through its automation interface,
one line at a time:

  # text                 a comment (only at the start of a line); blank lines are ignored
  Name = value           puts a property                   Title = "Start-up"
  Name                   gets a property and prints it     nvariables
  Name(arg, ...)         calls a method                    SetRange(1, 0, 450)

Names are not case-sensitive. A method's by-reference outputs are left out of the call; the
shell supplies them and prints the result (if any) followed by each output as " name=value",
all on one line: GetRange(1) prints " LowValue=0 HighValue=1".

Values: numbers as in C (42, -3.5, 1e28); TRUE and FALSE; strings in double quotes with the
escapes \" \\ \n \r \t and \xHH; inf, -inf and nan. Doubles and floats print in the shortest
form that reads back to the same value of their type.

Commands:
  :size W H              sizes the control as its window would (default 800 x 600)
  :render FILE [W H]     paints the control into FILE, a .png or .pdf; with W and H the
                         control draws a scaled, centred copy of that size
  :events on|off         prints every event the control fires as "event Name(arg, ...)"
  :data VAR v0 v1 ...    SetData(VAR, i, v_i) for each value; VAR must be 0..nvariables
  :csv FILE              loads a table with a header row: the first column is the independent
                         variable, the others variables 1..n (nvariables, npoints, SetData,
                         SetLegend); empty cells and non-numbers are missing values. A table
                         the plot cannot hold is refused before anything changes
  :stream FILE           plays the same kind of table into a live run plot, row by row as a
                         simulation would: AddTimeData(v, time, value) for each variable
                         (nvariables and SetLegend as :csv); the plot must be a run plot
                         (RunPlot = TRUE) already
  :echo TEXT             prints TEXT
  :help                  prints this text
  :quit                  ends the shell

Relative file names in :csv, :stream and :render are taken from the script's folder; a name
with a NUL byte (\x00) is refused. A line that fails prints "error: line N: message" to
standard error and the shell goes on. A line longer than 1 MiB (1048576 bytes) is not read:
the shell reports it and stops, as it does when the script cannot be read on. The exit status
is 1 if any line failed, the script could not be read to its end or the output could not be
written, else 0. Results go to standard output and diagnostics to standard error; control
characters and bytes that are not printable UTF-8 print as the string escapes (\n, \xHH), in
messages and in :echo as in strings.
)TEXT";

// Each point index of SetData is a short.
constexpr std::size_t kMaxPoints = std::numeric_limits<std::int16_t>::max() + std::size_t{1};
// A table larger than this cannot fit the plot's short counts anyway; refusing it early keeps
// a wrong file name (a disk image, say) from being read into memory.
constexpr std::uintmax_t kMaxCsvBytes = std::uintmax_t{64} << 20;

class ShellError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class LineRead { Line, End, TooLong };

// The next line, without its line feed. The stream buffer is read directly so that a failed
// read, which a stream buffer reports by throwing, reaches the caller rather than passing for
// the end of the input as it would through the stream.
LineRead ReadLine(std::streambuf* in, std::string& line, std::size_t limit) {
    line.clear();
    if (!in) return LineRead::End;
    bool any = false;
    for (;;) {
        const int c = in->sbumpc();
        if (c == std::streambuf::traits_type::eof()) return any ? LineRead::Line : LineRead::End;
        any = true;
        if (c == '\n') return LineRead::Line;
        if (line.size() == limit) return LineRead::TooLong;
        line += static_cast<char>(c);
    }
}

// What went wrong in a read: a system error by its code's text (a file stream's message
// names its own internals).
std::string ReadFailure(const std::exception& e) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&e)) return system->code().message();
    return e.what();
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimEnd(s);
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::int32_t ReadInteger(TextCursor& c, std::string_view what) {
    const Variant v = c.ReadNumber();
    if (v.Type() != VarType::I4) c.Fail(std::string(what) + " must be a whole number");
    return v.ToI4();
}

int ReadExtent(TextCursor& c, std::string_view what) {
    const std::int32_t v = ReadInteger(c, what);
    if (v < 1 || v > Shell::kMaxExtent) {
        throw ShellError(std::string(what) + " " + std::to_string(v) + " is outside 1.." +
                         std::to_string(Shell::kMaxExtent));
    }
    return v;
}

// A plain value of the parameter's type, for the shell to pass by reference.
Variant OutputSlot(VarType type) {
    switch (type) {
        case VarType::I2: return Variant(std::int16_t{0});
        case VarType::I4: return Variant(std::int32_t{0});
        case VarType::R4: return Variant(0.0f);
        case VarType::R8: return Variant(0.0);
        case VarType::Bool: return Variant(false);
        case VarType::Bstr: return Variant(std::string());
        default: return Variant();
    }
}

std::string InputList(const MemberInfo& info) {
    std::string names;
    for (const ParamInfo& p : info.params) {
        if (p.out) continue;
        names += names.empty() ? "" : ", ";
        names += p.name;
    }
    return names;
}

std::string ReadTextFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        throw ShellError("cannot read " + path.string() + ": " +
                         (std::filesystem::exists(path, ec) ? "not a regular file" : "no such file"));
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxCsvBytes) {
        throw ShellError("cannot read " + path.string() + ": larger than 64 MiB");
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) throw ShellError("cannot read " + path.string() + ": " + std::strerror(errno));
    return text.str();
}

}  // namespace

std::string_view ShellHelpText() { return kHelp; }

// Prints events as they arrive, on the shell's output so that they fall between the lines
// that caused them.
class Shell::EventPrinter : public IEventSink {
public:
    explicit EventPrinter(std::ostream& out) : out_(out) {}
    void OnEvent(DispId, const std::string& name, const std::vector<Variant>& args) override {
        if (!on) return;
        std::string text = "event " + name + "(";
        for (std::size_t i = 0; i < args.size(); ++i) text += (i ? ", " : "") + FormatValue(args[i]);
        out_ << text << ")\n";
    }
    bool on = false;

private:
    std::ostream& out_;
};

std::shared_ptr<IEventSink> Shell::EventSink() const { return events_; }

Shell::Shell(IDispatch& target, std::ostream& out, std::ostream& err, ShellHost* host)
    : target_(target), out_(out), err_(err), host_(host), events_(std::make_shared<EventPrinter>(out)) {}

bool Shell::Execute(std::string_view line) {
    ++lineNo_;
    // Only the end is trimmed (a CR of a CRLF script among it), so that columns in messages
    // count from the start of the line as written.
    const std::string_view text = TrimEnd(line);
    const std::string_view start = Trim(text);
    if (start.empty() || start.front() == '#') return true;
    try {
        if (start.front() == ':') {
            Command(text);
        } else {
            Statement(text);
        }
        return true;
    } catch (const std::exception& e) {
        Report(lineNo_, e.what());
        return false;
    }
}

int Shell::Run(std::istream& in) {
    std::string line;
    while (!quit_ && NextLine(in, line)) {
        Execute(line);
        CheckOutput();
    }
    out_.flush();
    CheckOutput();
    return AnyFailed() ? 1 : 0;
}

bool Shell::NextLine(std::istream& in, std::string& line) {
    LineRead read = LineRead::End;
    try {
        read = ReadLine(in.rdbuf(), line, kMaxLineBytes);
    } catch (const std::exception& e) {
        Report(lineNo_ + 1, "cannot read the script: " + ReadFailure(e));
        return false;
    }
    if (read == LineRead::TooLong) {
        Report(lineNo_ + 1,
               "longer than " + std::to_string(kMaxLineBytes) + " bytes, so not a script line; the shell stops here");
    }
    return read == LineRead::Line;
}

void Shell::Report(int line, std::string_view message) {
    ++failures_;
    // Whatever the lines before printed comes first.
    out_.flush();
    err_ << "error: line " << line << ": " << PrintableText(message) << '\n';
    err_.flush();
}

void Shell::CheckOutput() {
    if (out_ || outputLost_) return;
    outputLost_ = true;
    Report(lineNo_, "the output could not be written");
}

const MemberInfo* Shell::Info(DispId id) const {
    const MemberTableCore* table = target_.GetTypeInfo();
    return table ? table->Find(id) : nullptr;
}

void Shell::Statement(std::string_view line) {
    TextCursor c(line);
    const std::string name = c.ReadIdentifier();
    const DispId id = target_.GetIDsOfNames(name);
    if (c.Accept('=')) {
        std::vector<Variant> args{c.ReadValue()};
        c.ExpectEnd();
        target_.Invoke(id, InvokeKind::PropertyPut, args);
        return;
    }
    if (c.Accept('(')) {
        std::vector<Variant> inputs;
        if (!c.Accept(')')) {
            do {
                inputs.push_back(c.ReadValue());
            } while (c.Accept(','));
            c.Expect(')');
        }
        c.ExpectEnd();
        CallMethod(id, std::move(inputs));
        return;
    }
    c.ExpectEnd();
    const MemberInfo* info = Info(id);
    if (info && info->kind == MemberKind::Method) {
        throw ShellError(info->name + " is a method: call it as " + info->name + "(" + InputList(*info) + ")");
    }
    std::vector<Variant> none;
    out_ << FormatValue(target_.Invoke(id, InvokeKind::PropertyGet, none)) << '\n';
}

void Shell::CallMethod(DispId id, std::vector<Variant> inputs) {
    const MemberInfo* info = Info(id);
    if (!info || info->anyArgCount || info->kind != MemberKind::Method) {
        const Variant result = target_.Invoke(id, InvokeKind::Method, inputs);
        if (!result.IsEmpty()) out_ << FormatValue(result) << '\n';
        return;
    }
    std::size_t expected = 0;
    for (const ParamInfo& p : info->params) expected += p.out ? 0 : 1;
    if (inputs.size() != expected) {
        throw ShellError(info->name + "(" + InputList(*info) + ") takes " + std::to_string(expected) +
                         (expected == 1 ? " argument" : " arguments") + ", got " + std::to_string(inputs.size()));
    }
    // Sized once, before any reference into it is taken.
    std::vector<Variant> outputs(info->params.size());
    std::vector<Variant> args;
    args.reserve(info->params.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < info->params.size(); ++i) {
        if (info->params[i].out) {
            outputs[i] = OutputSlot(info->params[i].type);
            args.push_back(Variant::Ref(outputs[i]));
        } else {
            args.push_back(std::move(inputs[next++]));
        }
    }
    const Variant result = target_.Invoke(id, InvokeKind::Method, args);
    std::string text = result.IsEmpty() ? std::string() : FormatValue(result);
    for (std::size_t i = 0; i < info->params.size(); ++i) {
        if (info->params[i].out) text += " " + info->params[i].name + "=" + FormatValue(outputs[i]);
    }
    if (!text.empty()) out_ << text << '\n';
}

void Shell::Call(std::string_view name, std::vector<Variant> args) {
    InvokeByName(target_, name, InvokeKind::Method, args);
}

void Shell::Put(std::string_view name, Variant value) { PutProperty(target_, name, std::move(value)); }

void Shell::Command(std::string_view line) {
    TextCursor c(line);
    c.Expect(':');
    const std::string name = c.ReadIdentifier();
    if (name == "echo") {
        std::string_view rest = c.Rest();
        if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
        out_ << PrintableText(rest) << '\n';
    } else if (name == "quit") {
        c.ExpectEnd();
        quit_ = true;
    } else if (name == "help") {
        c.ExpectEnd();
        out_ << kHelp;
    } else if (name == "size") {
        SizeCommand(c);
    } else if (name == "render") {
        RenderCommand(c);
    } else if (name == "events") {
        EventsCommand(c);
    } else if (name == "data") {
        DataCommand(c);
    } else if (name == "csv") {
        CsvCommand(c);
    } else if (name == "stream") {
        StreamCommand(c);
    } else {
        throw ShellError("unknown command :" + name + " (:help lists them)");
    }
}

ShellHost& Shell::Host(std::string_view command) const {
    if (!host_) throw ShellError(":" + std::string(command) + " needs a control window, and this shell has none");
    return *host_;
}

std::filesystem::path Shell::ReadPath(TextCursor& c) const {
    const std::string name = c.ReadWord();
    if (name.find('\0') != std::string::npos) {
        throw ShellError("the file name " + QuoteString(name) + " has a NUL byte in it");
    }
    return Resolve(name);
}

std::filesystem::path Shell::Resolve(const std::string& path) const {
    const std::filesystem::path p(path);
    return p.is_relative() && !baseDir_.empty() ? baseDir_ / p : p;
}

void Shell::SizeCommand(TextCursor& c) {
    const int w = ReadExtent(c, "the width");
    const int h = ReadExtent(c, "the height");
    c.ExpectEnd();
    Host("size").Resize(w, h);
}

void Shell::RenderCommand(TextCursor& c) {
    const std::filesystem::path file = ReadPath(c);
    std::optional<Size> size;
    c.SkipSpace();
    if (!c.AtEnd()) {
        const int w = ReadExtent(c, "the width");
        const int h = ReadExtent(c, "the height");
        size = Size{w, h};
    }
    c.ExpectEnd();
    Host("render").Render(file.string(), size);
}

void Shell::EventsCommand(TextCursor& c) {
    const std::string word = c.ReadIdentifier();
    c.ExpectEnd();
    if (word != "on" && word != "off") throw ShellError(":events takes on or off, not " + word);
    events_->on = word == "on";
}

void Shell::DataCommand(TextCursor& c) {
    const std::int32_t var = ReadInteger(c, "the variable number");
    std::vector<Variant> values;
    for (;;) {
        c.Accept(',');
        c.SkipSpace();
        if (c.AtEnd()) break;
        values.push_back(c.ReadNumber());
    }
    if (values.size() > kMaxPoints) {
        throw ShellError(":data takes at most " + std::to_string(kMaxPoints) + " values (point numbers are shorts)");
    }
    // SetData leaves a variable the plot does not have alone without a word; the shell says so.
    const std::int32_t count = std::max(GetProperty(target_, "nvariables").ToI4(), 1);
    if (var < 0 || var > count) {
        throw ShellError(":data: there is no variable " + std::to_string(var) + " (nvariables is " +
                         std::to_string(count) + ")");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        Call("SetData", {Variant(var), Variant(static_cast<std::int32_t>(i)), values[i]});
    }
}

CsvTable Shell::ReadTable(TextCursor& c) {
    const std::filesystem::path path = ReadPath(c);
    c.ExpectEnd();
    CsvTable table;
    try {
        table = ParseCsv(ReadTextFile(path));
    } catch (const CsvError& e) {
        throw ShellError(path.string() + ": " + e.what());
    }
    const std::size_t variables = table.header.size() - 1;
    if (table.rows.size() > kMaxPoints - 1 || variables > kMaxPoints - 1) {
        throw ShellError(path.string() + ": " + std::to_string(table.rows.size()) + " rows of " +
                         std::to_string(variables) + " variables is more than a plot holds (32767 each)");
    }
    return table;
}

void Shell::SetCounts(const CsvTable& table, std::optional<std::int32_t> points) {
    const Variant before = GetProperty(target_, "nvariables");
    Put("nvariables", Variant(static_cast<std::int32_t>(table.header.size() - 1)));
    if (!points) return;
    try {
        Put("npoints", Variant(*points));
    } catch (const std::exception&) {
        Put("nvariables", before);
        throw;
    }
}

void Shell::NameVariables(const CsvTable& table) {
    for (std::size_t v = 1; v < table.header.size(); ++v) {
        Call("SetLegend", {Variant(static_cast<std::int32_t>(v)), Variant(table.header[v])});
    }
}

void Shell::CsvCommand(TextCursor& c) {
    const CsvTable table = ReadTable(c);
    // Every variable of a plain plot, the independent one among them, has a value per row.
    const std::uint64_t values = std::uint64_t{table.header.size()} * table.rows.size();
    if (values > CPlotLook::kMaxTotalSlots) {
        throw ShellError(std::to_string(table.rows.size()) + " rows of " + std::to_string(table.header.size()) +
                         " columns are " + std::to_string(values) + " values; a plot holds at most " +
                         std::to_string(CPlotLook::kMaxTotalSlots));
    }
    SetCounts(table, static_cast<std::int32_t>(table.rows.size()));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t v = 0; v < table.header.size(); ++v) {
            Call("SetData", {Variant(static_cast<std::int32_t>(v)), Variant(static_cast<std::int32_t>(r)),
                             Variant(table.rows[r][v])});
        }
    }
    NameVariables(table);
}

void Shell::StreamCommand(TextCursor& c) {
    // Any other plot drops every sample without a word.
    if (!GetProperty(target_, "RunPlot").ToBool()) {
        throw ShellError(":stream plays into a live run plot, and this is none: set RunPlot = TRUE first");
    }
    const CsvTable table = ReadTable(c);
    SetCounts(table, std::nullopt);
    NameVariables(table);
    for (const std::vector<double>& row : table.rows) {
        for (std::size_t v = 1; v < row.size(); ++v) {
            Call("AddTimeData", {Variant(static_cast<std::int32_t>(v)), Variant(row[0]), Variant(row[v])});
        }
    }
}

}  // namespace vtg::shell
