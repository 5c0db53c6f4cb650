// The locale conventions plot texts use, fixed by overrides so results are machine-independent.
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

#include "platform/Locale.h"

namespace vtg {
namespace {

const LocaleSettings kGerman{",", "dd.MM.yyyy", "HH:mm:ss"};

std::tm LocalParts(std::time_t t) {
    std::tm parts{};
    localtime_r(&t, &parts);
    return parts;
}

TEST(LocaleTest, OverrideAndResetToSystem) {
    const LocaleSettings system = Locale::System();
    Locale::Override(kGerman);
    EXPECT_TRUE(Locale::IsOverridden());
    EXPECT_EQ(Locale::Current(), kGerman);
    EXPECT_EQ(Locale::DecimalSeparator(), ",");
    Locale::ResetToSystem();
    EXPECT_FALSE(Locale::IsOverridden());
    EXPECT_EQ(Locale::Current(), system);
}

TEST(LocaleTest, ScopedOverridesNestAndRestore) {
    {
        LocaleOverride outer(kGerman);
        {
            LocaleOverride inner({"\xD9\xAB", "yyyy/M/d", "H:mm"});   // Arabic decimal separator, two bytes
            EXPECT_EQ(Locale::DecimalSeparator(), "\xD9\xAB");
        }
        EXPECT_EQ(Locale::DecimalSeparator(), ",");
    }
    EXPECT_FALSE(Locale::IsOverridden());
}

TEST(LocaleTest, SeparatorFallsBackToPoint) {
    LocaleOverride none({"", "dd.MM.yyyy", "HH:mm"});
    EXPECT_EQ(Locale::DecimalSeparator(), ".");
    EXPECT_FALSE(Locale::System().decimalSeparator.empty());
}

TEST(LocaleTest, FormatsLocalDateAndTimeWithTheCurrentPatterns) {
    const std::time_t t = 1700000000 + 7 * 3600 + 5 * 60 + 9;   // mid-November 2023
    const std::tm p = LocalParts(t);
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%02d.%02d.%04d", p.tm_mday, p.tm_mon + 1, p.tm_year + 1900);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", p.tm_hour, p.tm_min, p.tm_sec);
    {
        LocaleOverride german(kGerman);
        EXPECT_EQ(Locale::FormatShortDate(t), date);
        EXPECT_EQ(Locale::FormatTime(t), time);
    }
    LocaleOverride literal({".", "yyyy'-W'", "h' h'"});
    std::snprintf(date, sizeof date, "%04d-W", p.tm_year + 1900);
    EXPECT_EQ(Locale::FormatShortDate(t), date);
    const int hour12 = p.tm_hour % 12 == 0 ? 12 : p.tm_hour % 12;
    EXPECT_EQ(Locale::FormatTime(t), std::to_string(hour12) + " h");
}

TEST(LocaleTest, TimesThatCannotBeShownGiveEmptyText) {
    LocaleOverride german(kGerman);
    for (std::time_t t : {std::time_t{1} << 60, -(std::time_t{1} << 60)}) {
        EXPECT_EQ(Locale::FormatShortDate(t), "");
        EXPECT_EQ(Locale::FormatTime(t), "");
    }
}

TEST(LocaleTest, SystemTimeFormatHasNoTimeZoneField) {
    // Plot texts show a wall-clock time; the toolkit's long format would append a zone name.
    bool quoted = false;
    for (char c : Locale::System().timeFormat) {
        if (c == '\'') quoted = !quoted;
        EXPECT_FALSE(!quoted && c == 't') << Locale::System().timeFormat;
    }
    EXPECT_FALSE(Locale::System().timeFormat.empty());
}

}  // namespace
}  // namespace vtg
