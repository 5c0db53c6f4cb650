#pragma once
// Comparing UTF-8 texts without regard to case, for names the user types in any script
// (symbol names): "Ä" matches "ä" and "ǅ" matches "ǆ", not only the ASCII letters.

#include <string>
#include <string_view>

namespace vtg {

// Case-folded comparison. Bytes that are not valid UTF-8 compare as themselves.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// A key for hashing names compared that way: FoldCase(a) == FoldCase(b) exactly when
// EqualsIgnoringCase(a, b).
std::string FoldCase(std::string_view text);

}  // namespace vtg
