#pragma once
// Values as the shell writes and reads them: C-style numbers, TRUE/FALSE, and double-quoted
// strings with backslash escapes. Printing is exact: every number prints in the shortest form
// that reads back to the same value of its own type, so what the shell shows can be pasted
// back into a script without drift.

#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Variant.h"

namespace vtg::shell {

// A line or a value that does not parse. The message names what was expected and where.
class SyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Walks one line of text. Positions are byte offsets; messages count columns from 1.
class TextCursor {
public:
    explicit TextCursor(std::string_view text) : text_(text) {}

    void SkipSpace();
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    // Consumes c (after blanks) when it is next; returns whether it did.
    bool Accept(char c);
    // Consumes c (after blanks) or throws naming it.
    void Expect(char c);
    // A name: a letter or '_' followed by letters, digits and '_'. Throws when none is next.
    std::string ReadIdentifier();
    // A number, TRUE/FALSE or a quoted string, after blanks.
    Variant ReadValue();
    // A number only (see ParseNumber).
    Variant ReadNumber();
    // A quoted string, or else a run of non-blank characters (file names).
    std::string ReadWord();
    // Everything not consumed yet.
    std::string_view Rest() const { return text_.substr(pos_); }
    // Throws unless only blanks remain.
    void ExpectEnd();

    [[noreturn]] void Fail(const std::string& what) const;

private:
    std::string ReadQuoted();
    // The run of characters up to the next blank, comma or parenthesis.
    std::string_view Token() const;
    Variant NumberToken(std::string_view token, const char* expected);

    std::string_view text_;
    std::size_t pos_ = 0;
};

// One value filling the whole text (blanks around it allowed). Integers that fit a long become
// I4, other numbers R8; "inf", "-inf" and "nan" are accepted so that scripts can probe how
// the control treats them.
Variant ParseValue(std::string_view text);

// The text of a value as the shell prints it.
std::string FormatValue(const Variant& value);

// A string in double quotes with \" \\ \n \r \t escaped, and as \xHH every byte of the other
// control characters (C0, DEL, C1), of the characters that break or reorder lines (U+2028,
// U+2029, the bidirectional marks and overrides) and of anything that is not well-formed
// UTF-8. What it prints reads back as the same bytes.
std::string QuoteString(std::string_view text);

// Text for a line of a message, escaped as QuoteString escapes it but without quotes (and with
// quotes and backslashes as they are): a value a message repeats can neither start a line of
// its own nor reach the terminal as a control sequence.
std::string PrintableText(std::string_view text);

}  // namespace vtg::shell
