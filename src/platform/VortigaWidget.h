#pragma once
// The widget site: a QWidget that hosts the control in a real window. Only tools and tests
// include this header (it includes Qt); the control sees the IWindowSite interface alone.
//
// The widget paints from a backing bitmap of its client size. A paint event first lets the
// control paint the areas it invalidated into that bitmap, then shows the bitmap; immediate
// drawing (WindowDraw) goes straight into the bitmap and only asks for it to be shown again.
// Scroll bars are child widgets docked right and bottom; the client area is what they leave.

#include <QWidget>

#include <map>
#include <memory>
#include <set>

#include "platform/BackingStore.h"
#include "platform/WindowSite.h"

class QScrollBar;

namespace vtg {

class VortigaWidget : public QWidget, public IWindowSite {
public:
    explicit VortigaWidget(QWidget* parent = nullptr);
    ~VortigaWidget() override;

    // ---- the site ----
    Size ClientSize() const override;
    bool IsActive() const override { return true; }
    void Invalidate(const Rect* r = nullptr, bool erase = true) override;
    void UpdateWindow() override;
    Surface& BeginWindowDraw() override;
    void EndWindowDraw() override;
    void SetTimer(int id, int ms) override;
    void KillTimer(int id) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return captured_; }
    int SetCursor(int cursorId) override;
    int GetCursor() const override { return cursor_; }
    Point CursorPos() const override;
    void ShowScrollBar(ScrollBar bar, bool show) override;
    bool IsScrollBarShown(ScrollBar bar) const override;
    void SetScrollRange(ScrollBar bar, int min, int max) override;
    std::pair<int, int> GetScrollRange(ScrollBar bar) const override;
    int SetScrollPos(ScrollBar bar, int pos) override;
    int GetScrollPos(ScrollBar bar) const override;
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
    bool IsKeyDown(int vk) const override;
    IClipboard& Clipboard() override { return *clipboard_; }

    // ---- for tools and tests ----
    QScrollBar* ScrollBarWidget(ScrollBar bar) const;
    ImageSurface& BackingImage();
    void SetClipboard(std::shared_ptr<IClipboard> clipboard);
    const ToolSet& Tools() const { return tools_; }

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    // Tab is a key for the control, not a focus move.
    bool focusNextPrevChild(bool next) override;

private:
    // Lays the scroll bars out and, when the client size changed, renews the bitmap and sends
    // OnSize. Run on every resize and whenever the client size may have changed.
    void SyncClientSize();
    void PaintPending();
    void ConnectScrollBar(ScrollBar which);
    void ScrollAction(ScrollBar which, int action);
    void SendScroll(ScrollBar which, int code, int pos);
    bool KeyFromChild() const;

    BackingStore backing_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    std::map<int, int> timers_;  // our id -> toolkit timer id
    bool captured_ = false;
    int cursor_ = IDC_ARROW;
    Point lastMouse_;
    ToolSet tools_;
    std::set<int> keysDown_;
    std::shared_ptr<IClipboard> clipboard_;
};

}  // namespace vtg
