#pragma once
// The plot's symbols in the order they were defined -- the order they are saved and listed
// in -- found by name without regard to case through a hash of the case-folded name, so that
// defining or referring to a symbol costs the same however many there are.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "plot/PlotRecords.h"

namespace vtg {

class SymbolTable {
public:
    SymbolTable() = default;
    // Of two symbols whose names match, lookups find the first, as a search in order would.
    SymbolTable(std::initializer_list<CPlotSymbol> symbols);

    const std::vector<CPlotSymbol>& List() const { return list_; }
    std::size_t size() const { return list_.size(); }
    const CPlotSymbol& operator[](std::size_t i) const { return list_[i]; }
    std::vector<CPlotSymbol>::const_iterator begin() const { return list_.begin(); }
    std::vector<CPlotSymbol>::const_iterator end() const { return list_.end(); }

    // The value of the symbol with that name, or a new symbol at the end.
    void Set(const std::string& name, const std::string& value);
    // The symbol with that name, or null. Its value may be changed, its name not.
    CPlotSymbol* Find(std::string_view name);

private:
    void Append(CPlotSymbol symbol);

    std::vector<CPlotSymbol> list_;
    // Folded name to position in list_.
    std::unordered_map<std::string, std::size_t> index_;
    std::size_t longestKey_ = 0;
};

}  // namespace vtg
