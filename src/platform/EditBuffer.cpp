#include "platform/EditBuffer.h"

#include <algorithm>

#include "platform/WindowSite.h"

namespace vtg {

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The UTF-8 form of a code point; empty for values that are not characters (surrogates,
// beyond U+10FFFF, negative).
std::string Utf8(int code) {
    std::string out;
    if (code < 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return out;
    const auto c = static_cast<unsigned>(code);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::string NormalizeBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

// The longest prefix of s of at most n bytes that ends on a character (and line break) boundary.
std::size_t FittingPrefix(const std::string& s, std::size_t n) {
    if (n >= s.size()) return s.size();
    while (n > 0 && (IsContinuation(s[n]) || (s[n] == '\n' && s[n - 1] == '\r'))) --n;
    return n;
}

}  // namespace

void EditBuffer::SetText(std::string_view text) {
    text_ = multiline_ ? NormalizeBreaks(text) : std::string(text);
    anchor_ = caret_ = static_cast<int>(text_.size());
}

std::pair<int, int> EditBuffer::Selection() const { return {std::min(anchor_, caret_), std::max(anchor_, caret_)}; }

void EditBuffer::Select(int start, int end) {
    if (start < 0) {
        anchor_ = caret_;
        return;
    }
    const int size = static_cast<int>(text_.size());
    anchor_ = Snap(std::min(start, size));
    caret_ = Snap(end < 0 ? size : std::min(end, size));
}

bool EditBuffer::TypeChar(int code) {
    if (code == VK_BACK) {
        if (anchor_ != caret_) return EraseSelection();
        if (caret_ == 0) return false;
        const int from = Prev(caret_);
        text_.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(caret_ - from));
        anchor_ = caret_ = from;
        return true;
    }
    if (code == VK_RETURN) return multiline_ && Insert("\r\n");
    // Other control characters (Tab, Escape, Ctrl combinations) insert nothing.
    if (code < 0x20 || code == 0x7F) return false;
    return Insert(Utf8(code));
}

bool EditBuffer::PressKey(int vk) {
    const int before = caret_;
    const auto [start, end] = Selection();
    switch (vk) {
        case VK_LEFT: caret_ = start != end ? start : Prev(caret_); break;
        case VK_RIGHT: caret_ = start != end ? end : Next(caret_); break;
        case VK_HOME: caret_ = LineStart(caret_); break;
        case VK_END: caret_ = LineEnd(caret_); break;
        case VK_UP:
        case VK_DOWN: return MoveVertically(vk == VK_DOWN);
        case VK_DELETE:
            if (start != end) return EraseSelection();
            if (caret_ >= static_cast<int>(text_.size())) return false;
            text_.erase(static_cast<std::size_t>(caret_), static_cast<std::size_t>(Next(caret_) - caret_));
            anchor_ = caret_;
            return true;
        default: return false;
    }
    const bool hadSelection = anchor_ != before;
    anchor_ = caret_;
    return hadSelection || caret_ != before;
}

int EditBuffer::Snap(int pos) const {
    const int size = static_cast<int>(text_.size());
    pos = std::clamp(pos, 0, size);
    while (pos > 0 && pos < size && IsContinuation(text_[static_cast<std::size_t>(pos)])) --pos;
    if (pos > 0 && pos < size && text_[static_cast<std::size_t>(pos)] == '\n' &&
        text_[static_cast<std::size_t>(pos - 1)] == '\r') {
        --pos;
    }
    return pos;
}

int EditBuffer::Prev(int pos) const { return pos <= 0 ? 0 : Snap(pos - 1); }

int EditBuffer::Next(int pos) const {
    const int size = static_cast<int>(text_.size());
    if (pos >= size) return size;
    if (text_.compare(static_cast<std::size_t>(pos), 2, "\r\n") == 0) return pos + 2;
    ++pos;
    while (pos < size && IsContinuation(text_[static_cast<std::size_t>(pos)])) ++pos;
    return pos;
}

int EditBuffer::LineStart(int pos) const {
    if (!multiline_) return 0;
    const auto nl = pos > 0 ? text_.rfind('\n', static_cast<std::size_t>(pos - 1)) : std::string::npos;
    return nl == std::string::npos ? 0 : static_cast<int>(nl) + 1;
}

int EditBuffer::LineEnd(int pos) const {
    if (!multiline_) return static_cast<int>(text_.size());
    const auto cr = text_.find("\r\n", static_cast<std::size_t>(pos));
    return cr == std::string::npos ? static_cast<int>(text_.size()) : static_cast<int>(cr);
}

int EditBuffer::Column(int pos) const {
    int column = 0;
    for (int p = LineStart(pos); p < pos; p = Next(p)) ++column;
    return column;
}

int EditBuffer::AtColumn(int lineStart, int column) const {
    const int end = LineEnd(lineStart);
    int p = lineStart;
    for (int c = 0; c < column && p < end; ++c) p = Next(p);
    return p;
}

bool EditBuffer::EraseSelection() {
    const auto [start, end] = Selection();
    if (start == end) return false;
    text_.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    anchor_ = caret_ = start;
    return true;
}

bool EditBuffer::Insert(std::string s) {
    if (s.empty()) return false;
    const bool erased = EraseSelection();
    if (maxLength_ > 0) {
        const std::size_t room = text_.size() < static_cast<std::size_t>(maxLength_)
                                     ? static_cast<std::size_t>(maxLength_) - text_.size()
                                     : 0;
        s.resize(FittingPrefix(s, room));
        if (s.empty()) return erased;
    }
    text_.insert(static_cast<std::size_t>(caret_), s);
    caret_ += static_cast<int>(s.size());
    anchor_ = caret_;
    return true;
}

bool EditBuffer::MoveVertically(bool down) {
    if (!multiline_) return false;
    const int start = LineStart(caret_);
    int target = 0;
    if (down) {
        const int end = LineEnd(caret_);
        if (end >= static_cast<int>(text_.size())) return false;
        target = AtColumn(end + 2, Column(caret_));
    } else {
        if (start == 0) return false;
        target = AtColumn(LineStart(start - 2), Column(caret_));
    }
    anchor_ = caret_ = target;
    return true;
}

}  // namespace vtg
