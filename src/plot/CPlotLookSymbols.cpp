// Named symbols and the texts the plot shows: "&[name]" references, the live DATE and TIME,
// and the substitution value that takes the place of the plot's substitution string.
#include <ctime>

#include "platform/Locale.h"
#include "platform/TextCase.h"
#include "plot/CPlotLook.h"

namespace vtg {

namespace {

constexpr std::string_view kOpen = "&[";
constexpr char kClose = ']';
constexpr std::string_view kDate = "DATE";
constexpr std::string_view kTime = "TIME";
// Longest date or time text a symbol takes, in bytes; cut at a character boundary.
constexpr std::size_t kMaxDateTimeBytes = 120;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// How much of text fits into maxBytes without splitting a character.
std::size_t FittingBytes(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text.size();
    std::size_t end = maxBytes;
    while (end > 0 && IsContinuationByte(text[end])) --end;
    return end;
}

std::string CutAtCharacter(std::string text, std::size_t maxBytes) {
    text.resize(FittingBytes(text, maxBytes));
    return text;
}

// A text built piece by piece that stops growing at a cap, cut between characters.
class CappedText {
public:
    explicit CappedText(std::size_t cap) : cap_(cap) {}
    void Append(std::string_view piece) {
        if (full_) return;
        const std::size_t fits = FittingBytes(piece, cap_ - text_.size());
        text_.append(piece.substr(0, fits));
        full_ = fits < piece.size();
    }
    bool Full() const { return full_; }
    std::string Take() { return std::move(text_); }

private:
    std::size_t cap_;
    std::string text_;
    bool full_ = false;
};

bool IsDateOrTime(std::string_view name) { return EqualsIgnoringCase(name, kDate) || EqualsIgnoringCase(name, kTime); }

std::string CurrentValueOf(std::string_view name) {
    const std::time_t now = std::time(nullptr);
    const std::string text = EqualsIgnoringCase(name, kDate) ? Locale::FormatShortDate(now) : Locale::FormatTime(now);
    return CutAtCharacter(text, kMaxDateTimeBytes);
}

// Every occurrence of placeholder, left to right; an inserted value is not searched again.
// Stops at the cap of shown text.
std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
    CappedText out(CPlotLook::kMaxExpandedBytes);
    std::size_t from = 0;
    for (std::size_t at = text.find(placeholder); at != std::string_view::npos && !out.Full();
         at = text.find(placeholder, from)) {
        out.Append(text.substr(from, at - from));
        out.Append(value);
        from = at + placeholder.size();
    }
    out.Append(text.substr(from));
    return out.Take();
}

}  // namespace

void CPlotLook::SetSymbol(const std::string& name, const std::string& value) { Symbols.Set(name, value); }

CPlotLook::SymbolLookup CPlotLook::LookupSymbol(std::string_view name) {
    CPlotSymbol* symbol = Symbols.Find(name);
    if (!symbol) return {};
    if (!IsDateOrTime(symbol->Name)) return {1, symbol->Value};
    if (symbol->Value.empty()) symbol->Value = CurrentValueOf(symbol->Name);
    return {2, symbol->Value};
}

void CPlotLook::RefreshDateTime() {
    for (std::string_view name : {kDate, kTime}) {
        if (CPlotSymbol* symbol = Symbols.Find(name)) symbol->Value.clear();
    }
}

CPlotLook::ExpandedText CPlotLook::ExpandSymbols(std::string_view text) {
    ExpandedText out;
    CappedText shown(kMaxExpandedBytes);
    std::string_view rest = text;
    // The "]" found last: it also closes every "&[" that opens before it.
    std::size_t close = std::string_view::npos;
    for (std::size_t a = rest.find(kOpen); a != std::string_view::npos && !shown.Full(); a = rest.find(kOpen)) {
        const std::size_t from = a + kOpen.size();
        close = close != std::string_view::npos && close >= from ? close : rest.find(kClose, from);
        if (close == std::string_view::npos) break;
        shown.Append(rest.substr(0, a));
        const SymbolLookup found = LookupSymbol(rest.substr(from, close - from));
        if (found.result == 0) {
            // The name and its "]" are then copied as ordinary text.
            shown.Append(kOpen);
            rest.remove_prefix(from);
            close -= from;
            continue;
        }
        shown.Append(found.value);
        out.usedDateTime = out.usedDateTime || found.result == 2;
        rest.remove_prefix(close + 1);
        close = std::string_view::npos;
    }
    shown.Append(rest);
    out.text = shown.Take();
    return out;
}

std::string CPlotLook::DisplayText(std::string_view text, std::string_view substitutionValue) {
    if (SubstitutionString.empty() || substitutionValue.empty()) return ExpandSymbols(text).text;
    return ExpandSymbols(ReplaceAll(text, SubstitutionString, substitutionValue)).text;
}

}  // namespace vtg
