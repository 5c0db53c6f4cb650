// Symbols in displayed texts: "&[name]" expansion with its rules for unknown names and a
// missing "]", names in any letter case, the live DATE and TIME, and substitution values.
#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/Locale.h"
#include "plot/PlotTestSupport.h"

namespace vtg {
namespace {

// Every UTF-8 sequence in text is complete.
bool WholeCharacters(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += n;
    }
    return true;
}

struct SymbolsTest : test::PlotFixture, testing::Test {
    LocaleOverride locale{{".", "yyyy-MM-dd", "HH:mm:ss"}};
    SymbolsTest() {
        Plot().SetSymbol("UNIT", "kg");
        Plot().SetSymbol("Ölstand", "hoch");
    }
};

TEST_F(SymbolsTest, ReferencesExpandAndEverythingElseIsCopied) {
    struct Row {
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"Mass [kg]", "Mass [kg]"},
        {"Mass [&[UNIT]]", "Mass [kg]"},
        {"&[UNIT] per &[unit]", "kg per kg"},
        {"&[NOPE] stays", "&[NOPE] stays"},
        {"open &[UNIT", "open &[UNIT"},
        {"&[UNIT] then &[UNIT", "kg then &[UNIT"},
        {"&[x&[UNIT]]", "&[xkg]"},                 // an unknown name is scanned again after "&["
        {"&[]", "&[]"},
        {"&[ölSTAND]", "hoch"},                    // case is ignored beyond ASCII
        {"&[\xFF]", "&[\xFF]"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const CPlotLook::ExpandedText out = Plot().ExpandSymbols(row.text);
        EXPECT_EQ(out.text, row.expected);
        EXPECT_FALSE(out.usedDateTime);
    }
    // A value is inserted as it is, never expanded again.
    Plot().SetSymbol("REF", "&[UNIT]");
    EXPECT_EQ(Plot().ExpandSymbols("&[REF]").text, "&[UNIT]");
}

TEST_F(SymbolsTest, NamesMatchWithoutRegardToCaseBeyondAscii) {
    CPlotLook& p = Plot();
    const std::size_t count = p.Symbols.size();
    p.SetSymbol("ÖLSTAND", "tief");
    EXPECT_EQ(p.Symbols.size(), count);
    EXPECT_EQ(p.LookupSymbol("ölstand").value, "tief");
    EXPECT_EQ(p.LookupSymbol("Unit").result, 1);
    EXPECT_EQ(p.LookupSymbol("UNITS").result, 0);
    EXPECT_EQ(p.LookupSymbol("\xC3").result, 0);
}

TEST_F(SymbolsTest, NamesMatchAsCaseFoldingMatchesThem) {
    struct Row {
        const char* defined;
        const char* asked;
        bool found;
    };
    const Row rows[] = {
        {"Pressure", "PRESSURE", true},
        {"k_max", "\xE2\x84\xAA_MAX", true},            // the Kelvin sign folds to "k"
        {"\xC7\x85x", "\xC7\x86X", true},                // title case and lower case
        {"stra\xC3\x9F" "e", "STRASSE", false},          // no expansion to two letters
        {"\xFF" "a", "\xFF" "A", false},                   // not UTF-8: compared as written
        {"\xFF" "b", "\xFF" "b", true},
        {"x", "xx", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.asked);
        test::PlotFixture fresh;
        fresh.Plot().SetSymbol(row.defined, "v");
        EXPECT_EQ(fresh.Plot().LookupSymbol(row.asked).result, row.found ? 1 : 0);
        // Setting it under the other spelling changes the one symbol or adds another.
        const std::size_t before = fresh.Plot().Symbols.size();
        fresh.Plot().SetSymbol(row.asked, "w");
        EXPECT_EQ(fresh.Plot().Symbols.size(), before + (row.found ? 0 : 1));
        EXPECT_EQ(fresh.Plot().LookupSymbol(row.defined).value, row.found ? "w" : "v");
    }
}

TEST_F(SymbolsTest, SymbolsKeepTheOrderTheyWereDefinedIn) {
    CPlotLook& p = Plot();
    p.SetSymbol("unit", "g");
    p.SetSymbol("Zone", "A");
    p.SetSymbol("date", "1 May");
    std::vector<std::string> names;
    for (const CPlotSymbol& s : p.Symbols) names.push_back(s.Name + "=" + s.Value);
    EXPECT_EQ(names, (std::vector<std::string>{"DATE=1 May", "TIME=", "UNIT=g", "\xC3\x96lstand=hoch", "Zone=A"}));
}

TEST_F(SymbolsTest, ShownTextsStopAtTheCapBetweenCharacters) {
    CPlotLook& p = Plot();
    constexpr std::size_t kCap = CPlotLook::kMaxExpandedBytes;
    // 25 KB of two-byte characters after one odd byte, so that the cap falls inside one.
    std::string big = "x";
    for (int i = 0; i < 12'500; ++i) big += "\xC3\xA9";
    p.SetSymbol("BIG", big);
    std::string manyRefs;
    for (int i = 0; i < 6000; ++i) manyRefs += "&[BIG]";
    std::string opens;
    for (int i = 0; i < 50'000; ++i) opens += "&[";
    opens += "]";
    struct Row {
        const char* what;
        std::string text;
        std::string substitution;
        std::size_t size;
    };
    const Row rows[] = {
        {"one symbol referred to over and over", manyRefs, "", kCap - 1},
        {"a long value for every placeholder", std::string(6000, '%'), big, kCap - 1},
        {"openings all closed by one far bracket", opens, "", kCap},
        {"short texts are untouched", "&[BIG]", "", big.size()},
    };
    p.SubstitutionString = "%";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string shown = p.DisplayText(row.text, row.substitution);
        EXPECT_EQ(shown.size(), row.size);
        EXPECT_TRUE(WholeCharacters(shown));
    }
    // The stored texts are not touched.
    EXPECT_EQ(p.LookupSymbol("BIG").value, big);
}

TEST_F(SymbolsTest, DateAndTimeAreTakenWhenFirstShownAndKeptUntilRefreshed) {
    CPlotLook& p = Plot();
    const std::time_t before = std::time(nullptr);
    const CPlotLook::SymbolLookup date = p.LookupSymbol("date");
    const CPlotLook::SymbolLookup time = p.LookupSymbol("TIME");
    const std::time_t after = std::time(nullptr);
    EXPECT_EQ(date.result, 2);
    EXPECT_EQ(time.result, 2);
    EXPECT_TRUE(date.value == Locale::FormatShortDate(before) || date.value == Locale::FormatShortDate(after));
    EXPECT_EQ(date.value.size(), 10u);
    EXPECT_EQ(time.value.size(), 8u);

    const CPlotLook::ExpandedText stamped = p.ExpandSymbols("Printed &[DATE] &[TIME]");
    EXPECT_TRUE(stamped.usedDateTime);
    EXPECT_EQ(stamped.text, "Printed " + date.value + " " + time.value);

    // Another format shows only after a refresh.
    LocaleOverride other({".", "dd/MM/yy", "HH:mm"});
    EXPECT_EQ(p.LookupSymbol("DATE").value, date.value);
    p.RefreshDateTime();
    EXPECT_EQ(p.LookupSymbol("DATE").value.size(), 8u);
    EXPECT_EQ(p.LookupSymbol("TIME").value.size(), 5u);
    EXPECT_EQ(p.LookupSymbol("UNIT").value, "kg");
}

TEST_F(SymbolsTest, LongDatesAreCutAtACharacterBoundary) {
    // "x" and 100 two-byte characters: byte 120 falls inside a character.
    std::string format = "'x";
    for (int i = 0; i < 100; ++i) format += "\xC3\xA9";
    format += "'";
    LocaleOverride wordy({".", format, "HH"});
    Plot().RefreshDateTime();
    const std::string value = Plot().LookupSymbol("DATE").value;
    EXPECT_EQ(value.size(), 119u);
    EXPECT_EQ(value.substr(117), "\xC3\xA9");
}

TEST_F(SymbolsTest, SubstitutionValueTakesThePlaceholdersPlace) {
    CPlotLook& p = Plot();
    struct Row {
        const char* placeholder;
        const char* value;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {"%s", "kg/h", "Flow [%s]", "Flow [kg/h]"},
        {"%s", "kg", "%s and %s", "kg and kg"},
        {"%s", "%s%s", "a %s b", "a %s%s b"},       // an inserted value is not searched again
        {"%s", "", "Flow [%s]", "Flow [%s]"},       // no value: shown as written
        {"", "kg", "Flow [%s]", "Flow [%s]"},       // no placeholder
        {"<u>", "&[UNIT]/h", "Flow [<u>]", "Flow [kg/h]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        p.SubstitutionString = row.placeholder;
        EXPECT_EQ(p.DisplayText(row.text, row.value), row.expected);
    }
}

}  // namespace
}  // namespace vtg
