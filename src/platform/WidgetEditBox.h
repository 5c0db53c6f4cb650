#pragma once
// Platform-internal: the widget site's in-place edit box, a line edit or a plain-text edit laid
// over the site. Only platform sources include it.

#include <QFont>
#include <QPointer>

#include <memory>

#include "platform/WindowSite.h"

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace vtg {

QFont ToQFont(const Font& font);

class WidgetEditBox : public IEditBox {
public:
    WidgetEditBox(QWidget* parent, const Rect& r, const std::string& text, bool multiline, const Font& font);
    // The edit widget is removed later, from the event loop: the box may be destroyed from
    // within one of the widget's own key events.
    ~WidgetEditBox() override;

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    std::pair<int, int> GetSelection() const override;
    void SetSelection(int start, int end) override;
    void SetMaxLength(int bytes) override;
    Rect GetRect() const override;
    void SetRect(const Rect& r) override;
    Font GetFont() const override { return font_; }
    void SetFont(const Font& font) override;
    bool IsMultiline() const override { return multiline_; }
    void Focus() override;
    bool HasFocus() const override;
    void SetKeyFilter(EditKeyFilter filter) override;
    void SendChar(int code) override;
    void SendKey(int vk) override;

    QWidget* Widget() const;

    // State shared with the key event filter, which outlives the box until the widget goes.
    struct Shared {
        EditKeyFilter filter;
        int maxLength = 0;
        bool alive = true;
        bool injecting = false;
    };

private:
    bool Filtered(EditInput kind, int code);
    QString QtText() const;
    int QtCaretStart() const;
    int QtCaretEnd() const;

    QPointer<QLineEdit> line_;
    QPointer<QPlainTextEdit> plain_;
    std::shared_ptr<Shared> shared_;
    Font font_;
    bool multiline_;
};

}  // namespace vtg
