#pragma once
// The text and caret of an edit box kept in memory: what a native edit control does with typed
// characters and caret keys, for the headless site. UTF-8 text, byte offsets that never split a
// character (nor a CR LF line break of a multi-line box).

#include <string>
#include <string_view>
#include <utility>

namespace vtg {

class EditBuffer {
public:
    explicit EditBuffer(bool multiline = false) : multiline_(multiline) {}

    bool IsMultiline() const { return multiline_; }
    const std::string& Text() const { return text_; }
    // Multi-line text has its line breaks (CR, LF or CR LF) stored as CR LF. The caret goes to
    // the end; the limit does not apply to text set this way, as with a native edit control.
    void SetText(std::string_view text);

    // (start, end), start <= end.
    std::pair<int, int> Selection() const;
    int Caret() const { return caret_; }
    // See IEditBox::SetSelection.
    void Select(int start, int end);
    // Limit for typed text in bytes; 0 = none. Negative values count as none.
    void SetMaxLength(int bytes) { maxLength_ = bytes > 0 ? bytes : 0; }

    // Returns true when the text or the caret changed.
    bool TypeChar(int code);
    bool PressKey(int vk);

private:
    int Snap(int pos) const;
    int Prev(int pos) const;
    int Next(int pos) const;
    int LineStart(int pos) const;
    int LineEnd(int pos) const;
    int Column(int pos) const;
    int AtColumn(int lineStart, int column) const;
    bool EraseSelection();
    bool Insert(std::string s);
    bool MoveVertically(bool down);

    std::string text_;
    int anchor_ = 0;
    int caret_ = 0;
    int maxLength_ = 0;
    bool multiline_ = false;
};

}  // namespace vtg
