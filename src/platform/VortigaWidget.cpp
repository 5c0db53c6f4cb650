#include "platform/VortigaWidget.h"

#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <cmath>

#include "platform/MimeData.h"
#include "platform/QtDialogs.h"
#include "platform/QtKeyMap.h"
#include "platform/WidgetEditBox.h"

namespace vtg {

namespace {

// Menus nest no deeper than this; see Menu.
constexpr int kMaxMenuDepth = 16;

Point ToPoint(const QPointF& p) { return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))}; }
QPoint ToQPoint(Point p) { return {p.x, p.y}; }
QRect ToQRect(const Rect& r) { return {r.left, r.top, r.Width(), r.Height()}; }

unsigned MouseFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    unsigned flags = 0;
    if (buttons & Qt::LeftButton) flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton) flags |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) flags |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) flags |= MK_CONTROL;
    return flags;
}

unsigned KeyFlags(const QKeyEvent* e) {
    const unsigned scan = e->nativeScanCode() & 0xFF;
    return scan != 0 ? scan : KF_SCANCODE_UNKNOWN;
}

// Alt combinations are system keys, unless Ctrl is held too (AltGr).
bool IsSystemKey(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
}

Qt::CursorShape ShapeFor(int cursorId) {
    switch (cursorId) {
        case IDC_IBEAM: return Qt::IBeamCursor;
        case IDC_WAIT: return Qt::WaitCursor;
        case IDC_CROSS: return Qt::CrossCursor;
        case IDC_UPARROW: return Qt::UpArrowCursor;
        case IDC_SIZENWSE: return Qt::SizeFDiagCursor;
        case IDC_SIZENESW: return Qt::SizeBDiagCursor;
        case IDC_SIZEWE: return Qt::SizeHorCursor;
        case IDC_SIZENS: return Qt::SizeVerCursor;
        case IDC_SIZEALL: return Qt::SizeAllCursor;
        case IDC_NO: return Qt::ForbiddenCursor;
        case IDC_HAND: return Qt::PointingHandCursor;
        case IDC_APPSTARTING: return Qt::BusyCursor;
        case IDC_HELP: return Qt::WhatsThisCursor;
        default: return Qt::ArrowCursor;
    }
}

void Populate(QMenu& target, const Menu& menu, int depth) {
    for (const MenuItem& item : menu.Items()) {
        if (item.separator) {
            target.addSeparator();
            continue;
        }
        const QString text = QString::fromStdString(item.text);
        const QIcon icon = item.icon.empty() ? QIcon() : QIcon::fromTheme(QString::fromStdString(item.icon));
        if (item.submenu) {
            if (depth >= kMaxMenuDepth) continue;
            QMenu* sub = target.addMenu(icon, text);  // owned by target
            sub->setEnabled(item.enabled);
            Populate(*sub, *item.submenu, depth + 1);
            continue;
        }
        QAction* action = target.addAction(icon, text);  // owned by target
        action->setData(item.command);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
    }
}

std::vector<std::string> LocalFiles(const QMimeData& mime) {
    std::vector<std::string> files;
    for (const QUrl& url : mime.urls()) {
        if (url.isLocalFile()) files.push_back(url.toLocalFile().toStdString());
    }
    return files;
}

}  // namespace

VortigaWidget::VortigaWidget(QWidget* parent)
    : QWidget(parent),
      backing_(Size{}),
      hbar_(new QScrollBar(Qt::Horizontal, this)),  // owned by this widget
      vbar_(new QScrollBar(Qt::Vertical, this)),    // owned by this widget
      clipboard_(std::make_shared<QtClipboard>()) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (ScrollBar which : {ScrollBar::Horizontal, ScrollBar::Vertical}) {
        QScrollBar* bar = ScrollBarWidget(which);
        bar->hide();
        bar->setRange(0, 100);
        bar->setFocusPolicy(Qt::NoFocus);
        // The thumb reports where it is dragged; the position changes only when the control
        // sets it, as with a native scroll bar.
        bar->setTracking(false);
        ConnectScrollBar(which);
    }
    SyncClientSize();
}

VortigaWidget::~VortigaWidget() { ReleaseCapture(); }

// ---- size and painting --------------------------------------------------------------------

Size VortigaWidget::ClientSize() const {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {std::max(0, width() - (vbar_->isHidden() ? 0 : extent)),
            std::max(0, height() - (hbar_->isHidden() ? 0 : extent))};
}

void VortigaWidget::SyncClientSize() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const Size client = ClientSize();
    if (!hbar_->isHidden()) hbar_->setGeometry(0, client.cy, client.cx, extent);
    if (!vbar_->isHidden()) vbar_->setGeometry(client.cx, 0, extent, client.cy);
    if (!backing_.Resize(client)) return;
    update();
    if (handler_) handler_->OnSize(client.cx, client.cy);
}

void VortigaWidget::Invalidate(const Rect* r, bool erase) {
    SyncClientSize();
    const Rect area = backing_.Invalidate(r, erase);
    if (!area.IsEmpty()) update(ToQRect(area));
}

void VortigaWidget::UpdateWindow() {
    SyncClientSize();
    const Rect pending = backing_.Pending();
    if (pending.IsEmpty()) return;
    // A hidden widget gets no paint events; its bitmap is brought up to date all the same.
    if (isVisible()) {
        repaint(ToQRect(pending));
    } else {
        PaintPending();
    }
}

void VortigaWidget::PaintPending() { backing_.Paint(handler_); }

void VortigaWidget::paintEvent(QPaintEvent* e) {
    SyncClientSize();
    PaintPending();
    QPainter painter(this);
    const Size client = backing_.ClientSize();
    const QRect area = e->rect() & QRect(0, 0, client.cx, client.cy);
    const auto* image = static_cast<const QImage*>(backing_.Image().NativeImage());
    if (image && !area.isEmpty()) painter.drawImage(area.topLeft(), *image, area);
    if (!hbar_->isHidden() && !vbar_->isHidden()) {
        painter.fillRect(QRect(client.cx, client.cy, width() - client.cx, height() - client.cy), palette().window());
    }
}

void VortigaWidget::resizeEvent(QResizeEvent*) { SyncClientSize(); }

Surface& VortigaWidget::BeginWindowDraw() {
    if (!backing_.IsDrawing()) SyncClientSize();
    return backing_.Begin();
}

void VortigaWidget::EndWindowDraw() {
    if (backing_.End()) update();
}

ImageSurface& VortigaWidget::BackingImage() {
    SyncClientSize();
    return backing_.Image();
}

// ---- timers, capture, cursor --------------------------------------------------------------

void VortigaWidget::SetTimer(int id, int ms) {
    KillTimer(id);
    if (const int qtId = startTimer(std::max(ms, USER_TIMER_MINIMUM))) timers_[id] = qtId;
}

void VortigaWidget::KillTimer(int id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return;
    killTimer(it->second);
    timers_.erase(it);
}

void VortigaWidget::timerEvent(QTimerEvent* e) {
    for (const auto& [id, qtId] : timers_) {
        if (qtId != e->timerId()) continue;
        const int ours = id;
        if (handler_) handler_->OnTimer(ours);
        return;
    }
    QWidget::timerEvent(e);
}

void VortigaWidget::SetCapture() {
    captured_ = true;
    if (isVisible()) grabMouse();
}

void VortigaWidget::ReleaseCapture() {
    if (!captured_) return;
    captured_ = false;
    if (QWidget::mouseGrabber() == this) releaseMouse();
}

int VortigaWidget::SetCursor(int cursorId) {
    const int previous = cursor_;
    cursor_ = NormalizeCursorId(cursorId);
    setCursor(QCursor(ShapeFor(cursor_)));
    return previous;
}

Point VortigaWidget::CursorPos() const {
    // The offscreen platform has no pointer of its own; the last mouse event stands for it.
    if (IsHeadless()) return lastMouse_;
    const QPoint p = mapFromGlobal(QCursor::pos());
    return {p.x(), p.y()};
}

// ---- scroll bars --------------------------------------------------------------------------

QScrollBar* VortigaWidget::ScrollBarWidget(ScrollBar bar) const { return bar == ScrollBar::Horizontal ? hbar_ : vbar_; }

void VortigaWidget::ShowScrollBar(ScrollBar bar, bool show) {
    QScrollBar* b = ScrollBarWidget(bar);
    if (b->isHidden() != show) return;
    b->setVisible(show);
    SyncClientSize();
}

bool VortigaWidget::IsScrollBarShown(ScrollBar bar) const { return !ScrollBarWidget(bar)->isHidden(); }

void VortigaWidget::SetScrollRange(ScrollBar bar, int min, int max) {
    QScrollBar* b = ScrollBarWidget(bar);
    const int lo = std::min(min, max);
    const int hi = std::max(min, max);
    b->setRange(lo, hi);
    // Only the thumb's size depends on it: a tenth of the range reads well.
    b->setPageStep(std::max(1, static_cast<int>((static_cast<long long>(hi) - lo) / 10)));
}

std::pair<int, int> VortigaWidget::GetScrollRange(ScrollBar bar) const {
    const QScrollBar* b = ScrollBarWidget(bar);
    return {b->minimum(), b->maximum()};
}

int VortigaWidget::SetScrollPos(ScrollBar bar, int pos) {
    QScrollBar* b = ScrollBarWidget(bar);
    const int previous = b->value();
    b->setValue(pos);
    return previous;
}

int VortigaWidget::GetScrollPos(ScrollBar bar) const { return ScrollBarWidget(bar)->value(); }

void VortigaWidget::ConnectScrollBar(ScrollBar which) {
    QScrollBar* bar = ScrollBarWidget(which);
    connect(bar, &QAbstractSlider::actionTriggered, this, [this, which](int action) { ScrollAction(which, action); });
    connect(bar, &QAbstractSlider::sliderMoved, this, [this, which](int pos) { SendScroll(which, SB_THUMBTRACK, pos); });
    connect(bar, &QAbstractSlider::sliderReleased, this, [this, which, bar] {
        SendScroll(which, SB_THUMBPOSITION, bar->sliderPosition());
        SendScroll(which, SB_ENDSCROLL, bar->value());
    });
}

void VortigaWidget::ScrollAction(ScrollBar which, int action) {
    QScrollBar* bar = ScrollBarWidget(which);
    int code = -1;
    switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        default: break;
    }
    // The bar has moved its thumb already; put it back where the control last set it. The
    // control answers the code by setting a new position (or not).
    bar->setSliderPosition(bar->value());
    if (code < 0) return;
    SendScroll(which, code, bar->value());
    SendScroll(which, SB_ENDSCROLL, bar->value());
    bar->setSliderPosition(bar->value());
}

void VortigaWidget::SendScroll(ScrollBar which, int code, int pos) {
    if (!handler_) return;
    if (which == ScrollBar::Horizontal) {
        handler_->OnHScroll(code, pos);
    } else {
        handler_->OnVScroll(code, pos);
    }
}

// ---- menus, edit boxes, tips, dialogs -----------------------------------------------------

int VortigaWidget::TrackPopupMenu(const Menu& menu, Point p) {
    QMenu popup(this);
    Populate(popup, menu, 0);
    int chosen = 0;
    QList<QMenu*> menus = popup.findChildren<QMenu*>();
    menus.prepend(&popup);
    for (QMenu* m : menus) {
        connect(m, &QMenu::hovered, &popup, [this](QAction* a) {
            if (handler_) handler_->OnMenuSelect(a->data().toInt());
        });
    }
    // Triggered reaches the top menu from every submenu, whether the action was chosen with
    // the mouse, the keyboard or triggered directly; close the whole cascade then.
    connect(&popup, &QMenu::triggered, &popup, [&chosen, menus](QAction* a) {
        chosen = a->data().toInt();
        for (QMenu* m : menus) m->hide();
    });
    popup.exec(mapToGlobal(ToQPoint(p)));
    return menu.IsChoosable(chosen) ? chosen : 0;
}

std::unique_ptr<IEditBox> VortigaWidget::CreateEditBox(const Rect& r, const std::string& text, bool multiline,
                                                       const Font& font) {
    return std::make_unique<WidgetEditBox>(this, r, text, multiline, font);
}

void VortigaWidget::ShowToolTip(const std::string& text, Point p) {
    QToolTip::showText(mapToGlobal(ToQPoint(p)), QString::fromStdString(text), this);
}

void VortigaWidget::HideToolTip() { QToolTip::hideText(); }

void VortigaWidget::AddTool(int id, const Rect& r, const std::string& text) { tools_.Add(id, r, text); }

void VortigaWidget::RemoveTool(int id) { tools_.Remove(id); }

void VortigaWidget::ClearTools() { tools_.Clear(); }

bool VortigaWidget::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return QWidget::event(e);
    const auto* help = static_cast<QHelpEvent*>(e);
    if (const ToolSet::Tool* tool = tools_.At({help->pos().x(), help->pos().y()})) {
        QToolTip::showText(help->globalPos(), QString::fromStdString(tool->text), this, ToQRect(tool->rect));
    } else {
        QToolTip::hideText();
        e->ignore();
    }
    return true;
}

int VortigaWidget::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    return qtdialogs::MessageBox(this, text, caption, flags);
}

std::optional<std::string> VortigaWidget::GetOpenFileName(const std::string& title, const std::string& filter) {
    return qtdialogs::OpenFile(this, title, filter);
}

std::optional<std::string> VortigaWidget::GetSaveFileName(const std::string& title, const std::string& filter,
                                                          const std::string& name) {
    return qtdialogs::SaveFile(this, title, filter, name);
}

std::optional<PrintDialogResult> VortigaWidget::PrintDialog(const PrinterSetup& setup) {
    return qtdialogs::Print(this, setup);
}

bool VortigaWidget::IsKeyDown(int vk) const {
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    const Qt::MouseButtons buttons = QGuiApplication::mouseButtons();
    switch (vk) {
        case VK_SHIFT: return (modifiers & Qt::ShiftModifier) || keysDown_.count(vk);
        case VK_CONTROL: return (modifiers & Qt::ControlModifier) || keysDown_.count(vk);
        case VK_MENU: return (modifiers & Qt::AltModifier) || keysDown_.count(vk);
        case VK_LBUTTON: return buttons & Qt::LeftButton;
        case VK_RBUTTON: return buttons & Qt::RightButton;
        case VK_MBUTTON: return buttons & Qt::MiddleButton;
        default: return keysDown_.count(vk) != 0;
    }
}

void VortigaWidget::SetClipboard(std::shared_ptr<IClipboard> clipboard) {
    clipboard_ = clipboard ? std::move(clipboard) : std::make_shared<QtClipboard>();
}

// ---- input --------------------------------------------------------------------------------

void VortigaWidget::mousePressEvent(QMouseEvent* e) {
    lastMouse_ = ToPoint(e->position());
    if (!handler_) return;
    const unsigned flags = MouseFlags(e->buttons(), e->modifiers());
    switch (e->button()) {
        case Qt::LeftButton: handler_->OnLButtonDown(flags, lastMouse_); break;
        case Qt::RightButton: handler_->OnRButtonDown(flags, lastMouse_); break;
        case Qt::MiddleButton: handler_->OnMButtonDown(flags, lastMouse_); break;
        default: break;
    }
}

void VortigaWidget::mouseReleaseEvent(QMouseEvent* e) {
    lastMouse_ = ToPoint(e->position());
    if (!handler_) return;
    const unsigned flags = MouseFlags(e->buttons(), e->modifiers());
    switch (e->button()) {
        case Qt::LeftButton: handler_->OnLButtonUp(flags, lastMouse_); break;
        case Qt::RightButton: handler_->OnRButtonUp(flags, lastMouse_); break;
        case Qt::MiddleButton: handler_->OnMButtonUp(flags, lastMouse_); break;
        default: break;
    }
}

void VortigaWidget::mouseDoubleClickEvent(QMouseEvent* e) {
    lastMouse_ = ToPoint(e->position());
    if (!handler_) return;
    const unsigned flags = MouseFlags(e->buttons(), e->modifiers());
    switch (e->button()) {
        case Qt::LeftButton: handler_->OnLButtonDblClk(flags, lastMouse_); break;
        case Qt::RightButton: handler_->OnRButtonDblClk(flags, lastMouse_); break;
        // The control takes no middle double click; the second press stays a press.
        case Qt::MiddleButton: handler_->OnMButtonDown(flags, lastMouse_); break;
        default: break;
    }
}

void VortigaWidget::mouseMoveEvent(QMouseEvent* e) {
    lastMouse_ = ToPoint(e->position());
    if (handler_) handler_->OnMouseMove(MouseFlags(e->buttons(), e->modifiers()), lastMouse_);
}

void VortigaWidget::wheelEvent(QWheelEvent* e) {
    const int delta = e->angleDelta().y();
    if (delta == 0 || !handler_) {
        e->ignore();
        return;
    }
    const Point p = ToPoint(e->position());
    handler_->OnMouseWheel(MouseFlags(e->buttons(), e->modifiers()), delta, p);
}

void VortigaWidget::leaveEvent(QEvent*) {
    if (handler_) handler_->OnMouseLeave();
}

bool VortigaWidget::KeyFromChild() const {
    // Keys an edit box leaves unhandled travel on to its parent; they were the box's keys.
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus != this && isAncestorOf(focus);
}

void VortigaWidget::keyPressEvent(QKeyEvent* e) {
    if (KeyFromChild()) return;
    const int vk = VirtualKeyFromQt(e->key(), e->modifiers());
    const bool system = IsSystemKey(e->modifiers());
    if (vk != 0) {
        keysDown_.insert(vk);
        const unsigned flags = KeyFlags(e) | (e->isAutoRepeat() ? KF_REPEAT : 0u);
        if (handler_ && system) {
            handler_->OnSysKeyDown(vk, 1, flags | KF_ALTDOWN);
        } else if (handler_) {
            handler_->OnKeyDown(vk, 1, flags);
        }
    }
    if (system) return;
    for (int code : CodePoints(e->text())) {
        if (handler_) handler_->OnChar(code);
    }
}

void VortigaWidget::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat() || KeyFromChild()) return;
    const int vk = VirtualKeyFromQt(e->key(), e->modifiers());
    if (vk == 0) return;
    keysDown_.erase(vk);
    const unsigned alt = IsSystemKey(e->modifiers()) ? KF_ALTDOWN : 0u;
    if (handler_) handler_->OnKeyUp(vk, 1, KeyFlags(e) | KF_REPEAT | KF_UP | alt);
}

void VortigaWidget::focusInEvent(QFocusEvent*) {
    if (handler_) handler_->OnSetFocus();
}

void VortigaWidget::focusOutEvent(QFocusEvent*) {
    // Keys released while another window has the focus are never seen here.
    keysDown_.clear();
    if (handler_) handler_->OnKillFocus();
}

bool VortigaWidget::focusNextPrevChild(bool) { return false; }

// ---- drag and drop ------------------------------------------------------------------------

void VortigaWidget::dragEnterEvent(QDragEnterEvent* e) {
    if (handler_ && handler_->OnDragEnter(ToDataObject(*e->mimeData()), ToPoint(e->position()))) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void VortigaWidget::dragMoveEvent(QDragMoveEvent* e) {
    if (handler_ && handler_->OnDragOver(ToDataObject(*e->mimeData()), ToPoint(e->position()))) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

void VortigaWidget::dragLeaveEvent(QDragLeaveEvent*) {
    if (handler_) handler_->OnDragLeave();
}

void VortigaWidget::dropEvent(QDropEvent* e) {
    if (!handler_) {
        e->ignore();
        return;
    }
    const QMimeData& mime = *e->mimeData();
    const auto files = LocalFiles(mime);
    bool taken = true;
    if (!files.empty()) {
        handler_->OnDropFiles(files);
    } else {
        taken = handler_->OnDropData(ToDataObject(mime), ToPoint(e->position()));
    }
    if (taken) {
        e->setDropAction(Qt::CopyAction);
        e->accept();
    } else {
        e->ignore();
    }
}

}  // namespace vtg
