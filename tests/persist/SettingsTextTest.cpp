// The settings text's format on its own: the forms numbers are written in, how each layout
// reads a value (leniently, saturating, keeping texts whole), and the texts refused as a whole.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "persist/SettingsText.h"

namespace vtg {
namespace {

TEST(SettingsTextTest, NumbersUseTheLayoutsFormUnlessItLosesTheValue) {
    struct Row {
        std::string written;
        std::string expected;
    };
    const Row rows[] = {
        {SettingsDouble(1), "1"},
        {SettingsDouble(-0.25), "-0.25"},
        {SettingsDouble(123456), "123456"},
        {SettingsDouble(1e-7), "1e-07"},
        {SettingsDouble(1e28), "1e+28"},
        // "%g" would write 1e+06 for both ends of an epoch-second range.
        {SettingsDouble(1000000.5), "1000000.5"},
        {SettingsDouble(1234567), "1234567"},
        {SettingsDouble(0.1 + 0.2), "0.30000000000000004"},
        {SettingsDouble(3.4028234663852886e38), "3.4028234663852886e+38"},
        // Single-precision fields compare as what they are.
        {SettingsFloatG(0.2f), "0.2"},
        {SettingsFloatG(1.0f), "1"},
        {SettingsFloatG(1234567.0f), "1234567"},
        {SettingsFloatF(0.3f), "0.300000"},
        {SettingsFloatF(0.03f), "0.030000"},
        {SettingsFloatF(-1.5f), "-1.500000"},
        // "%f" keeps six decimals: a tiny data anchor would become 0.
        {SettingsFloatF(1e-7f), "1e-07"},
        {SettingsFloatF(0.1234567f), "0.1234567"},
        {SettingsInt(-32768), "-32768"},
    };
    for (const Row& r : rows) EXPECT_EQ(r.written, r.expected);
}

SettingsLine OnlyLine(const std::string& text) {
    const SettingsParse p = ParseSettings(text);
    EXPECT_FALSE(p.error) << text;
    EXPECT_EQ(p.lines.size(), 1u) << text;
    return p.lines.empty() ? SettingsLine{} : p.lines.front();
}

TEST(SettingsTextTest, EachLayoutReadsItsFieldsLeniently) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    struct Row {
        const char* text;
        SettingsKey key;
        int count;
        std::int64_t int0;
        std::int64_t int1;
    };
    const Row rows[] = {
        {"Var:12abc\n", SettingsKey::Var, 1, 12, 0},
        {"Var:  -7\r\n", SettingsKey::Var, 1, -7, 0},
        // A plain integer that does not parse reads 0; a scanned one leaves its target alone.
        {"Nvars:xyz\n", SettingsKey::Nvars, 1, 0, 0},
        {"ShowTitle:xyz\n", SettingsKey::ShowTitle, 0, 0, 0},
        {"Multiplier:99999999999999999999999\n", SettingsKey::Multiplier, 1, kMax, 0},
        {"Multiplier:-99999999999999999999999\n", SettingsKey::Multiplier, 1, kMin, 0},
        {"AxisScale:1 x\n", SettingsKey::AxisScale, 1, 1, 0},
        {"Square:1 0 1\n", SettingsKey::Square, 3, 1, 0},
        {"Attrib:0 4 1 2\n", SettingsKey::Attrib, 4, 0, 4},
        {"AnnoAttrib2:3 2 1 0 1 1 9 9\n", SettingsKey::AnnoAttrib2, 6, 3, 2},
    };
    for (const Row& r : rows) {
        const SettingsLine line = OnlyLine(r.text);
        EXPECT_EQ(line.key, r.key) << r.text;
        EXPECT_EQ(line.count, r.count) << r.text;
        EXPECT_EQ(line.ints[0], r.int0) << r.text;
        EXPECT_EQ(line.ints[1], r.int1) << r.text;
    }
}

TEST(SettingsTextTest, RealsAndTextsKeepWhatTheLineSays) {
    SettingsLine range = OnlyLine("Range:1e3 -2.5\n");
    EXPECT_EQ(range.count, 2);
    EXPECT_EQ(range.reals[0], 1000.0);
    EXPECT_EQ(range.reals[1], -2.5);
    EXPECT_TRUE(range.Finite());

    for (const char* text : {"Range:nan 1\n", "Range:1 inf\n", "Range:1e999 0\n", "ARange3:0 1 2 3 -inf 1 0\n"}) {
        EXPECT_FALSE(OnlyLine(text).Finite()) << text;
    }
    EXPECT_EQ(OnlyLine("Range:1e-999 2\n").reals[0], 0.0);
    EXPECT_EQ(OnlyLine("Range:+-1 2\n").count, 0);
    EXPECT_EQ(OnlyLine("TimeWin:garbage\n").reals[0], 0.0);

    // Only the first colon ends the key; a carriage return stays part of a text.
    EXPECT_EQ(OnlyLine("Title: a:b\r\n").text, " a:b\r");
    const SettingsLine font = OnlyLine("Font:2 12 1:Arial: Bold\n");
    EXPECT_TRUE(font.hasFace);
    EXPECT_EQ(font.text, "Arial: Bold");
    EXPECT_EQ(font.ints[1], 12);
    EXPECT_FALSE(OnlyLine("Font:2 12 1\n").hasFace);
    EXPECT_EQ(OnlyLine("AnnoPosX:+++\n").bound, SettingsLine::Bound::Plus);
    EXPECT_EQ(OnlyLine("AnnoPosY:---\n").bound, SettingsLine::Bound::Minus);
    EXPECT_EQ(OnlyLine("AnnoPosY:-0.5\n").bound, SettingsLine::Bound::None);
}

TEST(SettingsTextTest, LinesThatNameNothingAndAnUnendedLastLineAreSkipped) {
    const SettingsParse p = ParseSettings("no colon here\nUnknown:1\ntitle:lower case\nVar:1\r\n:\nVar:2");
    ASSERT_FALSE(p.error);
    ASSERT_EQ(p.lines.size(), 1u);
    EXPECT_EQ(p.lines[0].lineNumber, 4);
    EXPECT_EQ(p.lines[0].ints[0], 1);
    EXPECT_TRUE(ParseSettings("").lines.empty());
}

TEST(SettingsTextTest, DamagedTextsAreRefusedNamingTheLineAndKey) {
    struct Row {
        std::string text;
        int line;
        std::string key;
        std::string message;
    };
    const std::string tooLong = "Title:" + std::string(10u << 20, 'x') + "\n";
    std::string annotations;
    for (std::size_t i = 0; i <= SettingsLimits::kMaxAnnotations; ++i) annotations += "Annotation:a\n";
    const Row rows[] = {
        {std::string("Type:0\nTitle:a\0b\n", 17), 2, "Title", "NUL byte at column 8"},
        {"Type:0\nXlab:caf\xC3\n", 2, "Xlab", "not UTF-8 at column 9"},
        {"Legend:\xC3\x28\n", 1, "Legend", "not UTF-8"},
        {"Legend:\xC0\x80\n", 1, "Legend", "not UTF-8"},          // overlong NUL
        {"Legend:\xED\xA0\x80\n", 1, "Legend", "not UTF-8"},      // a surrogate
        {"Legend:\xF4\x90\x80\x80\n", 1, "Legend", "not UTF-8"},  // beyond U+10FFFF
        {"\xFF\xFE:1\n", 1, "??", "not UTF-8 at column 1"},
        {tooLong, 1, "Title", "longer than 1024 KiB"},
        {annotations, static_cast<int>(SettingsLimits::kMaxAnnotations) + 1, "Annotation", "more than 32767"},
    };
    for (const Row& r : rows) {
        const SettingsParse p = ParseSettings(r.text);
        ASSERT_TRUE(p.error) << r.key;
        EXPECT_TRUE(p.lines.empty());
        EXPECT_EQ(p.error->lineNumber, r.line) << r.key;
        EXPECT_EQ(p.error->key, r.key);
        EXPECT_NE(p.error->What().find(r.message), std::string::npos) << p.error->What();
        EXPECT_EQ(p.error->What().rfind("line " + std::to_string(r.line) + " (" + r.key + "): ", 0), 0u)
            << p.error->What();
    }
    // Valid characters of every length pass.
    EXPECT_FALSE(ParseSettings("Legend:a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\n").error);
}

}  // namespace
}  // namespace vtg
