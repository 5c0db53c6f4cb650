#pragma once
// A window site without a window, for tests and the command-line tool. It keeps a backing
// bitmap of its client size and records what the control asks of it; the caller drives it:
// resizes it, paints it, fires its timers, answers its menus and dialogs through callbacks and
// injects input the way the widget site would deliver it.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/BackingStore.h"
#include "platform/ImageSurface.h"
#include "platform/WindowSite.h"

namespace vtg {

class HeadlessSite : public IWindowSite {
public:
    // The width of a shown scroll bar, taken from the client area (the desktop default).
    static constexpr int kScrollBarExtent = 17;
    // Window sizes are clamped to this: larger than any screen, small enough to allocate.
    static constexpr int kMaxWindowExtent = 8192;

    explicit HeadlessSite(int width = 0, int height = 0);
    ~HeadlessSite() override;

    // ---- the site ----
    Size ClientSize() const override;
    bool IsActive() const override { return active_; }
    void Invalidate(const Rect* r = nullptr, bool erase = true) override;
    void UpdateWindow() override { Paint(); }
    Surface& BeginWindowDraw() override;
    void EndWindowDraw() override;
    void SetTimer(int id, int ms) override;
    void KillTimer(int id) override;
    void SetCapture() override { capture_ = true; }
    void ReleaseCapture() override { capture_ = false; }
    bool HasCapture() const override { return capture_; }
    int SetCursor(int cursorId) override;
    int GetCursor() const override { return cursor_; }
    Point CursorPos() const override { return cursorPos_; }
    void ShowScrollBar(ScrollBar bar, bool show) override;
    bool IsScrollBarShown(ScrollBar bar) const override { return Bar(bar).shown; }
    void SetScrollRange(ScrollBar bar, int min, int max) override;
    std::pair<int, int> GetScrollRange(ScrollBar bar) const override { return {Bar(bar).min, Bar(bar).max}; }
    int SetScrollPos(ScrollBar bar, int pos) override;
    int GetScrollPos(ScrollBar bar) const override { return Bar(bar).pos; }
    int TrackPopupMenu(const Menu& menu, Point p) override;
    std::unique_ptr<IEditBox> CreateEditBox(const Rect& r, const std::string& text, bool multiline,
                                            const Font& font) override;
    void ShowToolTip(const std::string& text, Point p) override;
    void HideToolTip() override;
    void AddTool(int id, const Rect& r, const std::string& text) override;
    void RemoveTool(int id) override;
    void ClearTools() override;
    int MessageBox(const std::string& text, const std::string& caption, unsigned flags) override;
    std::optional<std::string> GetOpenFileName(const std::string& title, const std::string& filter) override;
    std::optional<std::string> GetSaveFileName(const std::string& title, const std::string& filter,
                                               const std::string& name) override;
    std::optional<PrintDialogResult> PrintDialog(const PrinterSetup& setup) override;
    bool IsKeyDown(int vk) const override { return keysDown_.count(vk) != 0; }
    IClipboard& Clipboard() override { return *clipboard_; }

    // ---- window and painting ----
    // Sets the window size (client area plus shown scroll bars) and sends OnSize with the client
    // size, also when it did not change (so that a handler set after construction learns the
    // size). A changed size leaves the whole client area invalid.
    void Resize(int width, int height);
    Size WindowSize() const { return window_; }
    void SetActive(bool active) { active_ = active; }
    // The pixels on screen.
    ImageSurface& BackingImage() { return backing_.Image(); }

    struct InvalidateRecord {
        Rect rect;      // clipped to the client area
        bool erase = true;
    };
    // Every Invalidate since the last ClearInvalidations (also those that were painted).
    const std::vector<InvalidateRecord>& Invalidations() const { return invalidations_; }
    void ClearInvalidations() { invalidations_.clear(); }
    // The area waiting for the next paint.
    Rect PendingInvalid() const { return backing_.Pending(); }
    // Paints the pending area (OnPaint with the backing store clipped to it) and clears it.
    // Returns false when nothing was pending.
    bool Paint();
    int PaintCount() const { return paintCount_; }
    // Completed outermost window draws: each would have been shown on screen.
    int WindowDrawCount() const { return windowDrawCount_; }

    // ---- timers ----
    // Active timers: id -> interval in ms.
    std::map<int, int> ActiveTimers() const;
    bool IsTimerActive(int id) const { return timers_.count(id) != 0; }
    // Calls OnTimer for an active timer now; false (and no call) when it is not active.
    bool FireTimer(int id);
    // Lets ms of simulated time pass, firing every timer as often as it falls due, in time order.
    void AdvanceTime(int ms);
    long long Now() const { return now_; }

    // ---- menus and dialogs ----
    using MenuAnswer = std::function<int(const Menu& menu, Point p)>;
    using MessageBoxAnswer = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;
    struct FileDialogRequest {
        bool save = false;
        std::string title;
        std::string filter;
        std::string name;
    };
    using FileDialogAnswer = std::function<std::optional<std::string>(const FileDialogRequest&)>;
    // Answers the print dialog offered a setup: the choice, or nothing to cancel. A choice
    // without a device gets the desktop device for its setup.
    using PrintDialogAnswer = std::function<std::optional<PrintDialogResult>(const PrinterSetup& offered)>;
    struct MessageBoxRecord {
        std::string text;
        std::string caption;
        unsigned flags = 0;
        int result = 0;
    };

    // An answer that is not an enabled command of the menu counts as no choice (0); likewise a
    // message-box answer that is not one of the box's buttons.
    void SetMenuAnswer(MenuAnswer answer) { menuAnswer_ = std::move(answer); }
    void SetMessageBoxAnswer(MessageBoxAnswer answer) { messageBoxAnswer_ = std::move(answer); }
    void SetFileDialogAnswer(FileDialogAnswer answer) { fileDialogAnswer_ = std::move(answer); }
    void SetPrintDialogAnswer(PrintDialogAnswer answer) { printDialogAnswer_ = std::move(answer); }
    // The menus shown (copies) with their points, the message boxes and file dialogs asked.
    const std::vector<std::pair<Menu, Point>>& MenusShown() const { return menus_; }
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<FileDialogRequest>& FileDialogs() const { return fileDialogs_; }
    // The setups the print dialogs were offered.
    const std::vector<PrinterSetup>& PrintDialogs() const { return printDialogs_; }

    // ---- edit boxes, tool tips, keys, clipboard ----
    // The open boxes, oldest first, and the one with the keyboard focus.
    std::vector<IEditBox*> EditBoxes() const;
    IEditBox* FocusedEditBox() const;

    struct ToolTipState {
        bool visible = false;
        std::string text;
        Point at;
    };
    const ToolTipState& ToolTip() const { return tip_; }
    const ToolSet& Tools() const { return tools_; }

    void SetKeyDown(int vk, bool down);
    void SetClipboard(std::shared_ptr<IClipboard> clipboard);
    void SetCursorPos(Point p) { cursorPos_ = p; }

    // ---- input, delivered as the widget site delivers it ----
    // Mouse flags carry the buttons held and the Shift and Ctrl key state.
    void MouseMove(int x, int y);
    void LButtonDown(int x, int y);
    void LButtonUp(int x, int y);
    void Click(int x, int y);
    // Down, up, double click, up: the sequence a double click produces.
    void DoubleClick(int x, int y);
    void RButtonDown(int x, int y);
    void RButtonUp(int x, int y);
    void RightClick(int x, int y);
    void MButtonDown(int x, int y);
    void MButtonUp(int x, int y);
    void Wheel(int x, int y, int delta);
    void MouseLeave();
    // Keys and characters go to the focused edit box when there is one. With Alt (VK_MENU)
    // held a key arrives as OnSysKeyDown.
    void KeyDown(int vk);
    void KeyUp(int vk);
    void Char(int code);
    // OnChar for each character of a UTF-8 text.
    void TypeText(std::string_view utf8);
    void Command(int id);
    void Scroll(ScrollBar bar, int code, int pos);
    void FocusIn();
    void FocusOut();
    // Drops as a drag would end: enter, over, then the drop when accepted. Returns whether the
    // drop was taken.
    bool DropFiles(const std::vector<std::string>& paths, Point p);
    bool DropData(const DataObject& data, Point p);

private:
    class EditBox;
    friend class EditBox;

    struct BarState {
        bool shown = false;
        int min = 0;
        int max = 100;
        int pos = 0;
    };
    struct TimerState {
        int interval = 0;
        long long due = 0;
    };

    const BarState& Bar(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? hbar_ : vbar_; }
    BarState& Bar(ScrollBar bar) { return bar == ScrollBar::Horizontal ? hbar_ : vbar_; }
    // Renews the bitmap and sends OnSize when the client size changed.
    void ClientSizeChanged();
    unsigned MouseFlags() const;
    void Mouse(void (IWindowHandler::*call)(unsigned, Point), int x, int y);
    void Button(int vkButton, bool down, void (IWindowHandler::*call)(unsigned, Point), int x, int y);
    void UpdateHoverTip(Point p);
    bool Drop(const DataObject& data, Point p, const std::vector<std::string>* files);

    Size window_;
    bool active_ = true;
    BackingStore backing_;
    int windowDrawCount_ = 0;
    std::vector<InvalidateRecord> invalidations_;
    int paintCount_ = 0;

    std::map<int, TimerState> timers_;
    long long now_ = 0;
    bool capture_ = false;
    int cursor_ = IDC_ARROW;
    Point cursorPos_;
    BarState hbar_;
    BarState vbar_;

    MenuAnswer menuAnswer_;
    MessageBoxAnswer messageBoxAnswer_;
    FileDialogAnswer fileDialogAnswer_;
    PrintDialogAnswer printDialogAnswer_;
    std::vector<std::pair<Menu, Point>> menus_;
    std::vector<MessageBoxRecord> messageBoxes_;
    std::vector<FileDialogRequest> fileDialogs_;
    std::vector<PrinterSetup> printDialogs_;

    std::vector<EditBox*> boxes_;
    EditBox* focusedBox_ = nullptr;
    ToolTipState tip_;
    ToolSet tools_;
    int hoverTool_ = 0;
    bool hovering_ = false;
    std::set<int> keysDown_;
    std::shared_ptr<IClipboard> clipboard_;
};

}  // namespace vtg
