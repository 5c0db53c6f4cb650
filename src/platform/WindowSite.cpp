#include "platform/WindowSite.h"

#include <algorithm>
#include <array>

namespace vtg {

namespace {

// Menus are built by the program, but a submenu that contains itself (directly or through
// another) would make every lookup recurse without end; no real menu nests this deep.
constexpr int kMaxMenuDepth = 16;

struct Found {
    Menu* menu = nullptr;
    int position = -1;
};

Found FindIn(const Menu& menu, int command, int depth) {
    if (depth > kMaxMenuDepth || command == 0) return {};
    for (int i = 0; i < menu.Count(); ++i) {
        const MenuItem& item = *menu.ItemAt(i);
        if (item.IsCommand() && item.command == command) return {const_cast<Menu*>(&menu), i};
        if (item.submenu) {
            const Found inner = FindIn(*item.submenu, command, depth + 1);
            if (inner.menu) return inner;
        }
    }
    return {};
}

bool ChoosableIn(const Menu& menu, int command, int depth) {
    if (depth > kMaxMenuDepth) return false;
    for (const MenuItem& item : menu.Items()) {
        if (!item.enabled || item.separator) continue;
        if (item.submenu) {
            if (ChoosableIn(*item.submenu, command, depth + 1)) return true;
        } else if (item.command == command && command != 0) {
            return true;
        }
    }
    return false;
}

Menu CloneDepth(const Menu& menu, int depth) {
    Menu copy;
    for (MenuItem item : menu.Items()) {
        if (item.submenu) {
            item.submenu = depth < kMaxMenuDepth ? std::make_shared<Menu>(CloneDepth(*item.submenu, depth + 1))
                                                 : std::make_shared<Menu>();
        }
        copy.Append(std::move(item));
    }
    return copy;
}

}  // namespace

int NormalizeCursorId(int cursorId) {
    static constexpr std::array kKnown{IDC_ARROW,    IDC_IBEAM,    IDC_WAIT,   IDC_CROSS, IDC_UPARROW,
                                       IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL,
                                       IDC_NO,       IDC_HAND,     IDC_APPSTARTING, IDC_HELP};
    return std::find(kKnown.begin(), kKnown.end(), cursorId) != kKnown.end() ? cursorId : IDC_ARROW;
}

MenuItem MenuItem::Command(int command, std::string text, bool enabled, bool checked) {
    MenuItem item;
    item.command = command;
    item.text = std::move(text);
    item.enabled = enabled;
    item.checked = checked;
    return item;
}

MenuItem MenuItem::Separator() {
    MenuItem item;
    item.separator = true;
    return item;
}

MenuItem MenuItem::Popup(std::string text, std::shared_ptr<Menu> submenu) {
    MenuItem item;
    item.text = std::move(text);
    item.submenu = submenu ? std::move(submenu) : std::make_shared<Menu>();
    return item;
}

MenuItem* Menu::ItemAt(int position) {
    return position >= 0 && position < Count() ? &items_[static_cast<std::size_t>(position)] : nullptr;
}

const MenuItem* Menu::ItemAt(int position) const {
    return position >= 0 && position < Count() ? &items_[static_cast<std::size_t>(position)] : nullptr;
}

Menu* Menu::SubMenu(int position) const {
    const MenuItem* item = ItemAt(position);
    return item ? item->submenu.get() : nullptr;
}

void Menu::Append(MenuItem item) { items_.push_back(std::move(item)); }

void Menu::InsertAt(int position, MenuItem item) {
    const int at = std::clamp(position, 0, Count());
    items_.insert(items_.begin() + at, std::move(item));
}

bool Menu::InsertBefore(int beforeCommand, MenuItem item) {
    const Found f = FindIn(*this, beforeCommand, 0);
    if (!f.menu) return false;
    f.menu->InsertAt(f.position, std::move(item));
    return true;
}

bool Menu::Remove(int command) {
    const Found f = FindIn(*this, command, 0);
    return f.menu && f.menu->RemoveAt(f.position);
}

bool Menu::RemoveAt(int position) {
    if (!ItemAt(position)) return false;
    items_.erase(items_.begin() + position);
    return true;
}

MenuItem* Menu::Find(int command) {
    const Found f = FindIn(*this, command, 0);
    return f.menu ? f.menu->ItemAt(f.position) : nullptr;
}

const MenuItem* Menu::Find(int command) const { return const_cast<Menu*>(this)->Find(command); }

bool Menu::Enable(int command, bool enabled) {
    MenuItem* item = Find(command);
    if (item) item->enabled = enabled;
    return item != nullptr;
}

bool Menu::Check(int command, bool checked) {
    MenuItem* item = Find(command);
    if (item) item->checked = checked;
    return item != nullptr;
}

bool Menu::IsChoosable(int command) const { return ChoosableIn(*this, command, 0); }

Menu Menu::Clone() const { return CloneDepth(*this, 0); }

void ToolSet::Add(int id, const Rect& r, const std::string& text) {
    Remove(id);
    tools_.push_back({id, r.Normalized(), text});
}

bool ToolSet::Remove(int id) {
    const auto it = std::find_if(tools_.begin(), tools_.end(), [id](const Tool& t) { return t.id == id; });
    if (it == tools_.end()) return false;
    tools_.erase(it);
    return true;
}

const ToolSet::Tool* ToolSet::At(Point p) const {
    for (auto it = tools_.rbegin(); it != tools_.rend(); ++it) {
        if (it->rect.Contains(p)) return &*it;
    }
    return nullptr;
}

}  // namespace vtg
