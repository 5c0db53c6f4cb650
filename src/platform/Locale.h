#pragma once
// The user's number and date conventions that plot texts follow: the decimal separator and the
// short date and time formats. They come from the user's locale, and tests fix them with an
// override so that results do not depend on the machine.
//
// Formats use the toolkit's date/time pattern letters ("dd.MM.yyyy", "HH:mm:ss", "h:mm:ss AP");
// text in single quotes is literal.

#include <ctime>
#include <optional>
#include <string>

namespace vtg {

struct LocaleSettings {
    std::string decimalSeparator;   // UTF-8; may be several bytes
    std::string shortDateFormat;
    std::string timeFormat;
    friend bool operator==(const LocaleSettings&, const LocaleSettings&) = default;
};

class Locale {
public:
    // The override when one is set, otherwise the user's locale.
    static LocaleSettings Current();
    static LocaleSettings System();
    static void Override(LocaleSettings settings);
    static void ResetToSystem();
    static bool IsOverridden();

    // Never empty: "." when the locale gives nothing.
    static std::string DecimalSeparator();
    // The local date and time of t in the current formats; "" for a time that cannot be shown.
    static std::string FormatShortDate(std::time_t t);
    static std::string FormatTime(std::time_t t);
};

// Sets an override for its lifetime, then restores the previous state (nesting works).
class LocaleOverride {
public:
    explicit LocaleOverride(LocaleSettings settings);
    ~LocaleOverride();
    LocaleOverride(const LocaleOverride&) = delete;
    LocaleOverride& operator=(const LocaleOverride&) = delete;

private:
    std::optional<LocaleSettings> previous_;
};

}  // namespace vtg
