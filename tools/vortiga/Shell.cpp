#include "Shell.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <limits>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "Csv.h"
#include "ValueText.h"

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
  :data VAR v0 v1 ...    SetData(VAR, i, v_i) for each value
  :csv FILE              loads a table with a header row: the first column is the independent
                         variable, the others variables 1..n (nvariables, npoints, SetData,
                         SetLegend); empty cells and non-numbers are missing values
  :stream FILE           plays the same kind of table into a live run plot, row by row as a
                         simulation would: AddTimeData(v, time, value) for each variable
                         (nvariables and SetLegend as :csv; set RunPlot first)
  :echo TEXT             prints TEXT
  :help                  prints this text
  :quit                  ends the shell

Relative file names in :csv, :stream and :render are taken from the script's folder. A line that fails
prints "error: line N: message" to standard error and the shell goes on; the exit status is 1
if any line failed, else 0.
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
        ++failures_;
        out_.flush();
        err_ << "error: line " << lineNo_ << ": " << e.what() << '\n';
        err_.flush();
        return false;
    }
}

int Shell::Run(std::istream& in) {
    std::string line;
    while (!quit_ && std::getline(in, line)) Execute(line);
    out_.flush();
    return AnyFailed() ? 1 : 0;
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
        out_ << rest << '\n';
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
    const std::string file = c.ReadWord();
    std::optional<Size> size;
    c.SkipSpace();
    if (!c.AtEnd()) {
        const int w = ReadExtent(c, "the width");
        const int h = ReadExtent(c, "the height");
        size = Size{w, h};
    }
    c.ExpectEnd();
    Host("render").Render(Resolve(file).string(), size);
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
    for (std::size_t i = 0; i < values.size(); ++i) {
        Call("SetData", {Variant(var), Variant(static_cast<std::int32_t>(i)), values[i]});
    }
}

CsvTable Shell::ReadTable(TextCursor& c) {
    const std::filesystem::path path = Resolve(c.ReadWord());
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
    Put("nvariables", Variant(static_cast<std::int32_t>(variables)));
    return table;
}

void Shell::NameVariables(const CsvTable& table) {
    for (std::size_t v = 1; v < table.header.size(); ++v) {
        Call("SetLegend", {Variant(static_cast<std::int32_t>(v)), Variant(table.header[v])});
    }
}

void Shell::CsvCommand(TextCursor& c) {
    const CsvTable table = ReadTable(c);
    Put("npoints", Variant(static_cast<std::int32_t>(table.rows.size())));
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        for (std::size_t v = 0; v < table.header.size(); ++v) {
            Call("SetData", {Variant(static_cast<std::int32_t>(v)), Variant(static_cast<std::int32_t>(r)),
                             Variant(table.rows[r][v])});
        }
    }
    NameVariables(table);
}

void Shell::StreamCommand(TextCursor& c) {
    const CsvTable table = ReadTable(c);
    NameVariables(table);
    for (const std::vector<double>& row : table.rows) {
        for (std::size_t v = 1; v < row.size(); ++v) {
            Call("AddTimeData", {Variant(static_cast<std::int32_t>(v)), Variant(row[0]), Variant(row[v])});
        }
    }
}

}  // namespace vtg::shell
