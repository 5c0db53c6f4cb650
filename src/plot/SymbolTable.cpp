#include "plot/SymbolTable.h"

#include <algorithm>

#include "platform/TextCase.h"

namespace vtg {

namespace {

// Folding shrinks a character to no less than a third of its bytes (the Kelvin sign, three
// bytes, folds to "k"): a name longer than this many times the longest folded name is no
// symbol's, and is not folded at all -- a reference may be as long as the whole text.
constexpr std::size_t kMostFoldedShrink = 3;

}  // namespace

SymbolTable::SymbolTable(std::initializer_list<CPlotSymbol> symbols) {
    for (const CPlotSymbol& symbol : symbols) Append(symbol);
}

void SymbolTable::Append(CPlotSymbol symbol) {
    std::string key = FoldCase(symbol.Name);
    longestKey_ = std::max(longestKey_, key.size());
    index_.try_emplace(std::move(key), list_.size());
    list_.push_back(std::move(symbol));
}

void SymbolTable::Set(const std::string& name, const std::string& value) {
    if (CPlotSymbol* symbol = Find(name)) {
        symbol->Value = value;
        return;
    }
    Append(CPlotSymbol(name, value));
}

CPlotSymbol* SymbolTable::Find(std::string_view name) {
    if (name.size() > kMostFoldedShrink * longestKey_) return nullptr;
    const auto it = index_.find(FoldCase(name));
    return it == index_.end() ? nullptr : &list_[it->second];
}

}  // namespace vtg
