#include "plot/CPlotMenu.h"

#include <algorithm>

#include "platform/WindowSite.h"

namespace vtg {

std::string CutUtf8(const std::string& text, std::size_t max) {
    if (text.size() <= max) return text;
    std::size_t end = max;
    // Continuation bytes (10xxxxxx) belong to the character that starts before them.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

CPlotMenu::CPlotMenu(const Menu& menu) {
    std::shared_ptr<const Menu> popup;
    if (menu.Count() > 0) popup = menu.Items().front().submenu;
    levels_.push_back({popup ? popup : std::make_shared<const Menu>(), 0});
}

int CPlotMenu::Next(std::string& text, int& count) {
    text.clear();
    Level& level = levels_.back();
    if (level.position >= level.menu->Count()) {
        if (levels_.size() == 1) return kEnd;
        // The parent's position already stands after the submenu's entry.
        levels_.pop_back();
        return kSubmenuEnd;
    }
    const MenuItem& item = level.menu->Items()[static_cast<std::size_t>(level.position)];
    text = CutUtf8(item.text, kMaxText);
    ++level.position;
    ++count;
    if (item.separator || (!item.submenu && item.command == 0)) return kSeparator;
    if (item.submenu) {
        // level is not used after this: the push may move it.
        levels_.push_back({item.submenu, 0});
        return kSubmenuStart;
    }
    items_.push_back({count, 1, item.command});
    return kCommand;
}

const CPlotMenuItem* CPlotMenu::Find(int sequence) const {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [sequence](const CPlotMenuItem& i) { return i.Sequence == sequence; });
    return it == items_.end() ? nullptr : &*it;
}

int CPlotMenu::CommandOf(int sequence) const {
    const CPlotMenuItem* item = Find(sequence);
    return item ? item->Command : 0;
}

int CPlotMenu::StateOf(int sequence) const {
    const CPlotMenuItem* item = Find(sequence);
    return item ? item->State : 0;
}

void CPlotMenu::SetState(int command, int state) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [command](const CPlotMenuItem& i) { return i.Command == command; });
    if (it != items_.end()) it->State = state;
}

}  // namespace vtg
