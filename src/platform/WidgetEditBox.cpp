#include "platform/WidgetEditBox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

#include "platform/QtKeyMap.h"

namespace vtg {

namespace {

bool IsCharacter(int code) { return code >= 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF); }

QString FromCodePoint(int code) {
    const auto c = static_cast<char32_t>(code);
    return QString::fromUcs4(&c, 1);
}

// The length in bytes of text as the box reports it: multi-line boxes report their line breaks
// (the document's paragraph separators) as CR LF.
qsizetype ReportedLength(QString s, bool crlf) {
    if (!crlf) return s.toUtf8().size();
    s.replace(QChar(QChar::ParagraphSeparator), QChar(u'\n'));
    return s.toUtf8().size() + s.count(QChar(u'\n'));
}

int ToBytes(const QString& s, int pos, bool crlf) { return static_cast<int>(ReportedLength(s.left(pos), crlf)); }

// The position of the last character boundary at or before a byte offset.
int FromBytes(const QString& s, int bytes, bool crlf) {
    qsizetype reached = 0;
    int i = 0;
    while (i < s.size()) {
        const int step = s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate() ? 2 : 1;
        const qsizetype length = ReportedLength(s.mid(i, step), crlf);
        if (reached + length > bytes) break;
        reached += length;
        i += step;
    }
    return i;
}

qsizetype AddedBytes(int code, bool multiline) {
    if (code == 13) return multiline ? 2 : 0;
    if (code < 0x20 || code == 0x7F || !IsCharacter(code)) return 0;
    return FromCodePoint(code).toUtf8().size();
}

// True when inserting `added` bytes in place of the selection would pass the limit.
bool Exceeds(QWidget* edit, int maxLength, qsizetype added) {
    if (maxLength <= 0 || added == 0) return false;
    qsizetype kept = 0;
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        kept = ReportedLength(line->text(), false) - ReportedLength(line->selectedText(), false);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
        kept = ReportedLength(plain->toPlainText(), true) - ReportedLength(plain->textCursor().selectedText(), true);
    }
    return kept + added > maxLength;
}

// Offers every key press of the edit widget to the control's filter, and holds typing at the
// length limit. It belongs to the widget, so it is still there when the filter has destroyed
// the box from inside a key event.
class KeyEventFilter : public QObject {
public:
    KeyEventFilter(QWidget* edit, std::shared_ptr<WidgetEditBox::Shared> shared, bool multiline)
        : QObject(edit), shared_(std::move(shared)), multiline_(multiline) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const auto shared = shared_;
        if (!shared->alive || shared->injecting) return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        const auto codes = CodePoints(key->text());
        if (const auto filter = shared->filter) {
            const int vk = VirtualKeyFromQt(key->key(), key->modifiers());
            if (vk != 0 && filter(EditInput::KeyDown, vk)) return true;
            for (int code : codes) {
                if (!shared->alive || filter(EditInput::Char, code)) return true;
            }
            if (!shared->alive) return true;
        }
        qsizetype added = 0;
        for (int code : codes) added += AddedBytes(code, multiline_);
        return Exceeds(static_cast<QWidget*>(watched), shared->maxLength, added);
    }

private:
    std::shared_ptr<WidgetEditBox::Shared> shared_;
    bool multiline_;
};

}  // namespace

QFont ToQFont(const Font& font) {
    QFont f(QString::fromStdString(font.face));
    f.setPixelSize(std::max(font.height, 1));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

WidgetEditBox::WidgetEditBox(QWidget* parent, const Rect& r, const std::string& text, bool multiline,
                             const Font& font)
    : shared_(std::make_shared<Shared>()), font_(font), multiline_(multiline) {
    QWidget* edit = nullptr;
    if (multiline) {
        plain_ = new QPlainTextEdit(parent);  // owned by the parent widget
        plain_->setLineWrapMode(QPlainTextEdit::NoWrap);
        plain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        plain_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit = plain_;
    } else {
        line_ = new QLineEdit(parent);  // owned by the parent widget
        edit = line_;
    }
    edit->setFont(ToQFont(font));
    edit->installEventFilter(new KeyEventFilter(edit, shared_, multiline));  // owned by the edit
    SetRect(r);
    SetText(text);
    edit->show();
}

WidgetEditBox::~WidgetEditBox() {
    shared_->alive = false;
    if (QWidget* edit = Widget()) {
        edit->hide();
        edit->deleteLater();
    }
}

QWidget* WidgetEditBox::Widget() const {
    if (line_) return line_.data();
    return plain_.data();
}

QString WidgetEditBox::QtText() const {
    if (line_) return line_->text();
    if (plain_) return plain_->toPlainText();
    return {};
}

int WidgetEditBox::QtCaretStart() const {
    if (line_) return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    if (plain_) return plain_->textCursor().selectionStart();
    return 0;
}

int WidgetEditBox::QtCaretEnd() const {
    if (line_) return line_->hasSelectedText() ? line_->selectionEnd() : line_->cursorPosition();
    if (plain_) return plain_->textCursor().selectionEnd();
    return 0;
}

std::string WidgetEditBox::GetText() const {
    QString text = QtText();
    if (plain_) text.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

void WidgetEditBox::SetText(const std::string& text) {
    QString t = QString::fromStdString(text);
    if (line_) {
        line_->setText(t);
    } else if (plain_) {
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QChar(u'\r'), QChar(u'\n'));
        plain_->setPlainText(t);
        plain_->moveCursor(QTextCursor::End);
    }
}

std::pair<int, int> WidgetEditBox::GetSelection() const {
    const QString text = QtText();
    return {ToBytes(text, QtCaretStart(), multiline_), ToBytes(text, QtCaretEnd(), multiline_)};
}

void WidgetEditBox::SetSelection(int start, int end) {
    const QString text = QtText();
    const int a = start < 0 ? 0 : FromBytes(text, start, multiline_);
    const int b = end < 0 ? static_cast<int>(text.size()) : FromBytes(text, end, multiline_);
    if (line_) {
        if (start < 0) {
            line_->deselect();
        } else if (a == b) {
            line_->setCursorPosition(a);
        } else {
            line_->setSelection(a, b - a);
        }
    } else if (plain_) {
        QTextCursor c = plain_->textCursor();
        if (start < 0) {
            c.clearSelection();
        } else {
            c.setPosition(a);
            c.setPosition(b, QTextCursor::KeepAnchor);
        }
        plain_->setTextCursor(c);
    }
}

void WidgetEditBox::SetMaxLength(int bytes) { shared_->maxLength = std::max(bytes, 0); }

Rect WidgetEditBox::GetRect() const {
    const QWidget* edit = Widget();
    if (!edit) return {};
    const QRect g = edit->geometry();
    return {g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void WidgetEditBox::SetRect(const Rect& r) {
    const Rect n = r.Normalized();
    if (QWidget* edit = Widget()) edit->setGeometry(n.left, n.top, n.Width(), n.Height());
}

void WidgetEditBox::SetFont(const Font& font) {
    font_ = font;
    if (QWidget* edit = Widget()) edit->setFont(ToQFont(font));
}

void WidgetEditBox::Focus() {
    if (QWidget* edit = Widget()) edit->setFocus(Qt::OtherFocusReason);
}

bool WidgetEditBox::HasFocus() const {
    const QWidget* edit = Widget();
    return edit && edit->hasFocus();
}

void WidgetEditBox::SetKeyFilter(EditKeyFilter filter) { shared_->filter = std::move(filter); }

bool WidgetEditBox::Filtered(EditInput kind, int code) {
    const auto shared = shared_;
    const auto filter = shared->filter;
    if (!filter) return false;
    return filter(kind, code) || !shared->alive;
}

void WidgetEditBox::SendChar(int code) {
    if (Filtered(EditInput::Char, code) || !Widget()) return;
    if (code == 8) {
        if (line_) {
            line_->backspace();
        } else {
            QTextCursor c = plain_->textCursor();
            c.deletePreviousChar();
            plain_->setTextCursor(c);
        }
        return;
    }
    const qsizetype added = AddedBytes(code, multiline_);
    if (added == 0 || Exceeds(Widget(), shared_->maxLength, added)) return;
    const QString text = code == 13 ? QStringLiteral("\n") : FromCodePoint(code);
    if (line_) {
        line_->insert(text);
    } else {
        plain_->insertPlainText(text);
    }
}

void WidgetEditBox::SendKey(int vk) {
    if (Filtered(EditInput::KeyDown, vk)) return;
    QWidget* edit = Widget();
    const int key = QtKeyFromVirtualKey(vk);
    if (!edit || key == 0) return;
    // The widget's own key handling moves the caret; the filter has had its turn already.
    shared_->injecting = true;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &release);
    shared_->injecting = false;
}

}  // namespace vtg
