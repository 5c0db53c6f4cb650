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

std::string CutAtCharacter(std::string text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && IsContinuationByte(text[end])) --end;
    text.resize(end);
    return text;
}

bool IsDateOrTime(std::string_view name) { return EqualsIgnoringCase(name, kDate) || EqualsIgnoringCase(name, kTime); }

std::string CurrentValueOf(std::string_view name) {
    const std::time_t now = std::time(nullptr);
    const std::string text = EqualsIgnoringCase(name, kDate) ? Locale::FormatShortDate(now) : Locale::FormatTime(now);
    return CutAtCharacter(text, kMaxDateTimeBytes);
}

// Every occurrence of placeholder, left to right; an inserted value is not searched again.
std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(placeholder); at != std::string_view::npos; at = text.find(placeholder, from)) {
        out.append(text.substr(from, at - from));
        out.append(value);
        from = at + placeholder.size();
    }
    out.append(text.substr(from));
    return out;
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
    std::string_view rest = text;
    for (std::size_t a = rest.find(kOpen); a != std::string_view::npos; a = rest.find(kOpen)) {
        const std::size_t close = rest.find(kClose, a + kOpen.size());
        if (close == std::string_view::npos) break;
        out.text.append(rest.substr(0, a));
        const SymbolLookup found = LookupSymbol(rest.substr(a + kOpen.size(), close - a - kOpen.size()));
        if (found.result == 0) {
            // The name and its "]" are then copied as ordinary text.
            out.text.append(kOpen);
            rest.remove_prefix(a + kOpen.size());
            continue;
        }
        out.text.append(found.value);
        out.usedDateTime = out.usedDateTime || found.result == 2;
        rest.remove_prefix(close + 1);
    }
    out.text.append(rest);
    return out;
}

std::string CPlotLook::DisplayText(std::string_view text, std::string_view substitutionValue) {
    if (SubstitutionString.empty() || substitutionValue.empty()) return ExpandSymbols(text).text;
    return ExpandSymbols(ReplaceAll(text, SubstitutionString, substitutionValue)).text;
}

}  // namespace vtg
