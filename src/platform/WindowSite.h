#pragma once
// The window site: everything the control asks of the window that hosts it, and the handler
// interface through which that window's input reaches the control. The control never sees the
// toolkit; a headless site (tests, the command-line tool) and a widget site implement this.
//
// Codes (mouse flags, virtual keys, scroll codes, cursor ids) keep the values the plot logic
// was written against, so that constants in stored settings and host calls mean the same.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/PrintDevice.h"
#include "platform/Surface.h"

namespace vtg {

// Mouse flags passed with every mouse handler call: the buttons and modifier keys held.
inline constexpr unsigned MK_LBUTTON = 0x01;
inline constexpr unsigned MK_RBUTTON = 0x02;
inline constexpr unsigned MK_SHIFT = 0x04;
inline constexpr unsigned MK_CONTROL = 0x08;
inline constexpr unsigned MK_MBUTTON = 0x10;

// One notch of a mouse wheel.
inline constexpr int WHEEL_DELTA = 120;

// Virtual key codes. Letters and digits are their upper-case ASCII codes ('A', '0').
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_BACK = 0x08;
inline constexpr int VK_TAB = 0x09;
inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;  // Alt
inline constexpr int VK_PAUSE = 0x13;
inline constexpr int VK_CAPITAL = 0x14;
inline constexpr int VK_ESCAPE = 0x1B;
inline constexpr int VK_SPACE = 0x20;
inline constexpr int VK_PRIOR = 0x21;  // Page Up
inline constexpr int VK_NEXT = 0x22;   // Page Down
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_SNAPSHOT = 0x2C;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;
inline constexpr int VK_HELP = 0x2F;
inline constexpr int VK_APPS = 0x5D;  // the context-menu key
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_MULTIPLY = 0x6A;
inline constexpr int VK_ADD = 0x6B;
inline constexpr int VK_SUBTRACT = 0x6D;
inline constexpr int VK_DECIMAL = 0x6E;
inline constexpr int VK_DIVIDE = 0x6F;
inline constexpr int VK_F1 = 0x70;
inline constexpr int VK_F24 = 0x87;
inline constexpr int VK_NUMLOCK = 0x90;
inline constexpr int VK_SCROLL = 0x91;
inline constexpr int VK_OEM_1 = 0xBA;  // ;:
inline constexpr int VK_OEM_PLUS = 0xBB;
inline constexpr int VK_OEM_COMMA = 0xBC;
inline constexpr int VK_OEM_MINUS = 0xBD;
inline constexpr int VK_OEM_PERIOD = 0xBE;
inline constexpr int VK_OEM_2 = 0xBF;  // /?
inline constexpr int VK_OEM_3 = 0xC0;  // `~
inline constexpr int VK_OEM_4 = 0xDB;  // [{
inline constexpr int VK_OEM_5 = 0xDC;  // \|
inline constexpr int VK_OEM_6 = 0xDD;  // ]}
inline constexpr int VK_OEM_7 = 0xDE;  // '"

// Key flags passed with OnKeyDown/OnKeyUp/OnSysKeyDown (the high word of a key message). The
// low byte is the scan code, or KF_SCANCODE_UNKNOWN where the platform gives none, so that a key
// from the keyboard never has all flags clear; a key the control synthesises itself has none.
inline constexpr unsigned KF_SCANCODE_UNKNOWN = 0x0001;
inline constexpr unsigned KF_EXTENDED = 0x0100;
inline constexpr unsigned KF_ALTDOWN = 0x2000;
inline constexpr unsigned KF_REPEAT = 0x4000;  // the key was already down
inline constexpr unsigned KF_UP = 0x8000;

// Scroll-bar notification codes.
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGEUP = 2;
inline constexpr int SB_PAGEDOWN = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_TOP = 6;
inline constexpr int SB_BOTTOM = 7;
inline constexpr int SB_ENDSCROLL = 8;

enum class ScrollBar { Horizontal, Vertical };

// System cursor ids. Any other id shows the arrow.
inline constexpr int IDC_ARROW = 32512;
inline constexpr int IDC_IBEAM = 32513;
inline constexpr int IDC_WAIT = 32514;
inline constexpr int IDC_CROSS = 32515;
inline constexpr int IDC_UPARROW = 32516;
inline constexpr int IDC_SIZENWSE = 32642;
inline constexpr int IDC_SIZENESW = 32643;
inline constexpr int IDC_SIZEWE = 32644;
inline constexpr int IDC_SIZENS = 32645;
inline constexpr int IDC_SIZEALL = 32646;
inline constexpr int IDC_NO = 32648;
inline constexpr int IDC_HAND = 32649;
inline constexpr int IDC_APPSTARTING = 32650;
inline constexpr int IDC_HELP = 32651;

// The id the site actually shows for a requested cursor id.
int NormalizeCursorId(int cursorId);

// ---------------------------------------------------------------------------------------------
// Popup menus: a plain tree of items. Submenus are shared so that a menu the control keeps can
// be handed out without copying; Clone() gives an independent copy. Lookups by command search
// the submenus too (depth-first, first match wins), as command lookups of native menus do.

class Menu;

struct MenuItem {
    int command = 0;                // 0 for separators and submenu entries
    std::string text;               // "&" marks the mnemonic, "\t" starts the shortcut text
    bool enabled = true;
    bool checked = false;
    bool separator = false;
    std::shared_ptr<Menu> submenu;  // set for an entry that opens a submenu
    std::string icon;               // icon name, empty for none

    static MenuItem Command(int command, std::string text, bool enabled = true, bool checked = false);
    static MenuItem Separator();
    static MenuItem Popup(std::string text, std::shared_ptr<Menu> submenu);
    bool IsCommand() const { return !separator && !submenu && command != 0; }
};

class Menu {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const std::vector<MenuItem>& Items() const { return items_; }
    MenuItem* ItemAt(int position);
    const MenuItem* ItemAt(int position) const;
    // The submenu opened by the entry at position, or null.
    Menu* SubMenu(int position) const;

    void Append(MenuItem item);
    // Inserts at position; positions past the end append, negative ones insert at the front.
    void InsertAt(int position, MenuItem item);
    // Inserts before the item carrying beforeCommand, wherever it is in the tree. Returns false
    // (and inserts nothing) when no item carries it.
    bool InsertBefore(int beforeCommand, MenuItem item);
    // Removes the first item carrying command. Returns false when there is none.
    bool Remove(int command);
    bool RemoveAt(int position);

    MenuItem* Find(int command);
    const MenuItem* Find(int command) const;
    bool Enable(int command, bool enabled);
    bool Check(int command, bool checked);
    // True when an enabled command item with this id can be chosen (all its parents enabled).
    bool IsChoosable(int command) const;

    Menu Clone() const;

private:
    std::vector<MenuItem> items_;
};

// ---------------------------------------------------------------------------------------------
// In-place edit boxes. Text is UTF-8; multi-line boxes report their line breaks as CR LF (as the
// native edit control does) and accept CR, LF or CR LF in SetText. Selection and caret offsets
// are byte offsets into GetText(), always on character boundaries.

enum class EditInput { KeyDown, Char };

// Called for every key press and every character before the box handles it; returning true
// swallows it. The filter may destroy the box (Escape closes an editor): the box then touches
// nothing of itself after the call.
using EditKeyFilter = std::function<bool(EditInput kind, int code)>;

class IEditBox {
public:
    virtual ~IEditBox() = default;

    virtual std::string GetText() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // (start, end) with start <= end; equal when nothing is selected (the caret's offset).
    virtual std::pair<int, int> GetSelection() const = 0;
    // Selects from start to end and puts the caret at end. Offsets are clamped to the text and
    // moved back onto a character boundary; end < 0 means the end of the text; start < 0 removes
    // the selection and leaves the caret where it is.
    virtual void SetSelection(int start, int end) = 0;
    // Limit in bytes for typed text; 0 = no limit.
    virtual void SetMaxLength(int bytes) = 0;

    virtual Rect GetRect() const = 0;
    virtual void SetRect(const Rect& r) = 0;
    virtual Font GetFont() const = 0;
    virtual void SetFont(const Font& font) = 0;
    virtual bool IsMultiline() const = 0;
    virtual void Focus() = 0;
    virtual bool HasFocus() const = 0;

    virtual void SetKeyFilter(EditKeyFilter filter) = 0;
    // Simulated typing, through the key filter. SendChar: printable characters insert at the
    // caret replacing the selection, backspace (8) deletes backwards, Enter (13) breaks the
    // line in a multi-line box; other control characters are ignored. SendKey: arrows, Home,
    // End and Delete move the caret or delete forwards; other keys change nothing.
    virtual void SendChar(int code) = 0;
    virtual void SendKey(int vk) = 0;
};

// ---------------------------------------------------------------------------------------------
// The control side: the site calls these for the window's input. Every handler has an empty
// default. Points are in client coordinates.

class IWindowHandler {
public:
    virtual ~IWindowHandler() = default;

    // dc is the window's backing store with its clip set to invalid.
    virtual void OnPaint(Surface& dc, const Rect& invalid) { (void)dc; (void)invalid; }
    virtual void OnSize(int width, int height) { (void)width; (void)height; }

    virtual void OnMouseMove(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnLButtonDown(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnLButtonUp(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnLButtonDblClk(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnRButtonDown(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnRButtonUp(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnRButtonDblClk(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnMButtonDown(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnMButtonUp(unsigned flags, Point p) { (void)flags; (void)p; }
    // delta: multiples of WHEEL_DELTA, positive away from the user.
    virtual void OnMouseWheel(unsigned flags, int delta, Point p) { (void)flags; (void)delta; (void)p; }
    virtual void OnMouseLeave() {}

    virtual void OnKeyDown(int vk, int repeat, unsigned flags) { (void)vk; (void)repeat; (void)flags; }
    virtual void OnKeyUp(int vk, int repeat, unsigned flags) { (void)vk; (void)repeat; (void)flags; }
    // Keys pressed with Alt held; they produce no OnChar.
    virtual void OnSysKeyDown(int vk, int repeat, unsigned flags) { (void)vk; (void)repeat; (void)flags; }
    // A typed character as a Unicode code point; control characters keep their codes (8, 9,
    // 13, 27).
    virtual void OnChar(int code) { (void)code; }

    virtual void OnTimer(int id) { (void)id; }
    virtual void OnCommand(int id) { (void)id; }
    // A popup-menu item is highlighted (0 when the highlight leaves the items).
    virtual void OnMenuSelect(int command) { (void)command; }
    virtual void OnHScroll(int code, int pos) { (void)code; (void)pos; }
    virtual void OnVScroll(int code, int pos) { (void)code; (void)pos; }
    virtual void OnSetFocus() {}
    virtual void OnKillFocus() {}

    // Drag and drop. Enter/over decide whether a drop is accepted at that point (and may draw
    // feedback); a refused enter gets no over or drop calls. Files arrive through OnDropFiles
    // (absolute paths), everything else through OnDropData, which reports whether it was used.
    virtual bool OnDragEnter(const DataObject& data, Point p) { (void)data; (void)p; return true; }
    virtual bool OnDragOver(const DataObject& data, Point p) { (void)data; (void)p; return true; }
    virtual void OnDragLeave() {}
    virtual void OnDropFiles(std::vector<std::string> paths) { (void)paths; }
    virtual bool OnDropData(const DataObject& data, Point p) { (void)data; (void)p; return false; }
};

// ---------------------------------------------------------------------------------------------
// The site itself.

class IWindowSite {
public:
    virtual ~IWindowSite() = default;

    // The handler is not owned; it must outlive the site or be reset with SetHandler(nullptr).
    void SetHandler(IWindowHandler* handler) { handler_ = handler; }
    IWindowHandler* Handler() const { return handler_; }

    // The client area: the window less the scroll bars shown.
    virtual Size ClientSize() const = 0;
    // True when the control has a real window of its own (in-place active).
    virtual bool IsActive() const = 0;

    // Marks an area (null = the whole client area) for the next paint; erase fills it with the
    // window background first. UpdateWindow paints pending areas now.
    virtual void Invalidate(const Rect* r = nullptr, bool erase = true) = 0;
    virtual void UpdateWindow() = 0;

    // Immediate drawing on the pixels currently shown (tracker, rubber bands). The surface
    // starts in its default state each time; what is drawn is shown after EndWindowDraw without
    // a paint of the control. Calls nest; prefer the WindowDraw guard below.
    virtual Surface& BeginWindowDraw() = 0;
    virtual void EndWindowDraw() = 0;

    // Periodic timers; setting an active id again restarts it with the new interval. Intervals
    // are clamped to at least USER_TIMER_MINIMUM.
    static constexpr int USER_TIMER_MINIMUM = 10;
    virtual void SetTimer(int id, int ms) = 0;
    virtual void KillTimer(int id) = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;

    // Returns the previous cursor id.
    virtual int SetCursor(int cursorId) = 0;
    virtual int GetCursor() const = 0;
    virtual Point CursorPos() const = 0;

    // Scroll bars take their extent from the client area when shown (and send OnSize).
    virtual void ShowScrollBar(ScrollBar bar, bool show) = 0;
    virtual bool IsScrollBarShown(ScrollBar bar) const = 0;
    virtual void SetScrollRange(ScrollBar bar, int min, int max) = 0;
    virtual std::pair<int, int> GetScrollRange(ScrollBar bar) const = 0;
    // The position is clamped to the range; returns the previous position.
    virtual int SetScrollPos(ScrollBar bar, int pos) = 0;
    virtual int GetScrollPos(ScrollBar bar) const = 0;

    // Shows the menu at a client point and waits for the user: the chosen command, or 0. Only
    // enabled command items can be chosen. The site does not call OnCommand.
    virtual int TrackPopupMenu(const Menu& menu, Point p) = 0;

    // The box lives until the returned pointer is destroyed.
    virtual std::unique_ptr<IEditBox> CreateEditBox(const Rect& r, const std::string& text, bool multiline,
                                                    const Font& font) = 0;

    // A free tip window; text lines are separated by '\n'.
    virtual void ShowToolTip(const std::string& text, Point p) = 0;
    virtual void HideToolTip() = 0;
    // Point tips: hovering a tool's rectangle shows its text. Adding an existing id replaces it.
    virtual void AddTool(int id, const Rect& r, const std::string& text) = 0;
    virtual void RemoveTool(int id) = 0;
    virtual void ClearTools() = 0;

    // MB_ flags in, ID results out; 0 when nothing was chosen.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned flags) = 0;
    // Filters in the "Description (*.ext)|*.ext|..." form.
    virtual std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter) = 0;
    virtual std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                                       const std::string& name) = 0;
    // The print dialog on a setup: the printer chosen, or nothing when cancelled.
    virtual std::optional<PrintDialogResult> PrintDialog(const PrinterSetup& setup) = 0;

    virtual bool IsKeyDown(int vk) const = 0;
    virtual IClipboard& Clipboard() = 0;

protected:
    IWindowSite() = default;
    IWindowSite(const IWindowSite&) = delete;
    IWindowSite& operator=(const IWindowSite&) = delete;

    IWindowHandler* handler_ = nullptr;
};

// The point tips of a site: rectangles with texts, found by the point they hold.
class ToolSet {
public:
    struct Tool {
        int id = 0;
        Rect rect;
        std::string text;
    };
    // Adding an existing id replaces that tool and puts it on top.
    void Add(int id, const Rect& r, const std::string& text);
    bool Remove(int id);
    void Clear() { tools_.clear(); }
    // The topmost (last added) tool holding p, or null.
    const Tool* At(Point p) const;
    const std::vector<Tool>& Tools() const { return tools_; }

private:
    std::vector<Tool> tools_;
};

// Scoped window drawing: BeginWindowDraw on construction, EndWindowDraw on destruction.
class WindowDraw {
public:
    explicit WindowDraw(IWindowSite& site) : site_(site), dc_(site.BeginWindowDraw()) {}
    ~WindowDraw() { site_.EndWindowDraw(); }
    WindowDraw(const WindowDraw&) = delete;
    WindowDraw& operator=(const WindowDraw&) = delete;

    Surface& dc() { return dc_; }
    Surface* operator->() { return &dc_; }

private:
    IWindowSite& site_;
    Surface& dc_;
};

}  // namespace vtg
