#include "platform/Locale.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace vtg {

namespace {

std::optional<LocaleSettings>& OverrideSlot() {
    static std::optional<LocaleSettings> slot;
    return slot;
}

// The toolkit's long time format carries a time-zone field ("t"), which the time shown in
// plot texts never had: drop it with any separator or bracket left around it.
std::string WithoutTimeZone(const QString& pattern) {
    QString out;
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        out += c;
    }
    out.replace(QLatin1String("()"), QString());
    return out.trimmed().toStdString();
}

std::string Format(std::time_t t, const std::string& pattern) {
    const QDateTime when = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t), Qt::LocalTime);
    if (!when.isValid()) return {};
    return QLocale::system().toString(when, QString::fromStdString(pattern)).toStdString();
}

}  // namespace

LocaleSettings Locale::System() {
    // Read once: the user's locale does not change under a running process.
    static const LocaleSettings system = [] {
        const QLocale l = QLocale::system();
        return LocaleSettings{l.decimalPoint().toStdString(), l.dateFormat(QLocale::ShortFormat).toStdString(),
                              WithoutTimeZone(l.timeFormat(QLocale::LongFormat))};
    }();
    return system;
}

LocaleSettings Locale::Current() { return OverrideSlot() ? *OverrideSlot() : System(); }

void Locale::Override(LocaleSettings settings) { OverrideSlot() = std::move(settings); }

void Locale::ResetToSystem() { OverrideSlot().reset(); }

bool Locale::IsOverridden() { return OverrideSlot().has_value(); }

std::string Locale::DecimalSeparator() {
    std::string sep = Current().decimalSeparator;
    return sep.empty() ? std::string(".") : sep;
}

std::string Locale::FormatShortDate(std::time_t t) { return Format(t, Current().shortDateFormat); }

std::string Locale::FormatTime(std::time_t t) { return Format(t, Current().timeFormat); }

LocaleOverride::LocaleOverride(LocaleSettings settings) : previous_(OverrideSlot()) {
    Locale::Override(std::move(settings));
}

LocaleOverride::~LocaleOverride() { OverrideSlot() = std::move(previous_); }

}  // namespace vtg
