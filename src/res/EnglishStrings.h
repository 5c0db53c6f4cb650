#pragma once
// The built-in English texts behind the resource-string keys the control and its menus ask
// the host for. The default host kit serves them; a host may serve its own translations.

#include <string_view>
#include <utility>
#include <vector>

namespace vtg {

struct ResourceText {
    std::string_view key;
    std::string_view text;
};

// Every key with its text, sorted by key.
const std::vector<ResourceText>& EnglishStringTable();
// The text of a key, "" for a key the table does not have.
std::string_view EnglishString(std::string_view key);

}  // namespace vtg
