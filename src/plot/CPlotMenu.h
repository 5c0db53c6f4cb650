#pragma once
// CPlotMenu walks one of the plot's menus entry by entry, for hosts that show the menu in their
// own user interface: each Next yields one entry's text and a code, and every command entry is
// recorded with its sequence number, so that the host can later name the entry it chose by
// that number (CommandOf) and read or keep a state for it.
//
// The walker shares the menus it walks: a menu changed or dropped by the plot in the middle of
// a walk is still safe to walk (the walk goes on at the positions it had).

#include <memory>
#include <string>
#include <vector>

namespace vtg {

class Menu;

struct CPlotMenuItem {
    int Sequence = 0;
    int State = 1;
    int Command = 0;
};

class CPlotMenu {
public:
    // What Next yields.
    static constexpr int kCommand = 1;
    static constexpr int kSeparator = -1;
    static constexpr int kSubmenuStart = -2;
    static constexpr int kSubmenuEnd = -3;
    static constexpr int kEnd = 0;
    // Longest text Next hands out, in bytes.
    static constexpr std::size_t kMaxText = 1024;

    // A walk over the popup of menu (its first entry's submenu); a menu without one is empty.
    explicit CPlotMenu(const Menu& menu);

    // The next entry: its text (cut to kMaxText bytes on a character boundary) and code. For a
    // command, a separator and the start of a submenu, count goes up by one and a command is
    // recorded with sequence number count (after the increment); the end of a submenu and the
    // end of the menu leave count alone and give an empty text.
    int Next(std::string& text, int& count);
    // The command recorded with that sequence number, 0 when none was.
    int CommandOf(int sequence) const;
    // Its state (1 unless set), 0 when no command has that sequence number.
    int StateOf(int sequence) const;
    // Sets the state of the first recorded item carrying command.
    void SetState(int command, int state);

    const std::vector<CPlotMenuItem>& Items() const { return items_; }
    int Depth() const { return static_cast<int>(levels_.size()) - 1; }

private:
    struct Level {
        std::shared_ptr<const Menu> menu;
        int position = 0;
    };
    const CPlotMenuItem* Find(int sequence) const;

    std::vector<CPlotMenuItem> items_;
    std::vector<Level> levels_;
};

// text cut to at most max bytes, never inside a UTF-8 character.
std::string CutUtf8(const std::string& text, std::size_t max);

}  // namespace vtg
