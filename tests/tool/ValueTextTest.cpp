// How the shell reads and prints values: the literal forms, the exact number forms and the
// messages for text that is not a value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ValueText.h"

namespace vtg::shell {
namespace {

struct ParseRow {
    const char* text;
    Variant expected;
};

TEST(ValueTextTest, LiteralsReadAsTheirAutomationTypes) {
    const ParseRow rows[] = {
        {"0", Variant(std::int32_t{0})},
        {"-17", Variant(std::int32_t{-17})},
        {"+4", Variant(std::int32_t{4})},
        {"2147483647", Variant(std::int32_t{2147483647})},
        {"-2147483648", Variant(std::int32_t{-2147483647 - 1})},
        // Beyond a long an integer is still a number, as a double.
        {"2147483648", Variant(2147483648.0)},
        {"99999999999999999999", Variant(1e20)},
        {"0.5", Variant(0.5)},
        {"-.25", Variant(-0.25)},
        {"3.", Variant(3.0)},
        {"1e28", Variant(1e28)},
        {"-2.5E-3", Variant(-2.5e-3)},
        {"1e+2", Variant(100.0)},
        {"TRUE", Variant(true)},
        {"false", Variant(false)},
        {"\"\"", Variant(std::string())},
        {"\"a \\\"b\\\" c\"", Variant(std::string("a \"b\" c"))},
        {"\"back\\\\slash\"", Variant(std::string("back\\slash"))},
        {"\"two\\nlines\"", Variant(std::string("two\nlines"))},
        {"\"\\t\\r\\x01\\x7f\"", Variant(std::string("\t\r\x01\x7f"))},
        {"\"Grad \xC2\xB0" "C\"", Variant(std::string("Grad \xC2\xB0" "C"))},
        {"  42  ", Variant(std::int32_t{42})},
        {"inf", Variant(std::numeric_limits<double>::infinity())},
        {"-INF", Variant(-std::numeric_limits<double>::infinity())},
    };
    for (const ParseRow& row : rows) {
        EXPECT_EQ(ParseValue(row.text), row.expected) << row.text;
    }
    const Variant nan = ParseValue("nan");
    ASSERT_EQ(nan.Type(), VarType::R8);
    EXPECT_TRUE(std::isnan(nan.ToR8()));
}

TEST(ValueTextTest, ValuesPrintExactlyAndShortest) {
    const struct {
        Variant value;
        const char* text;
    } rows[] = {
        {Variant(std::int16_t{-32768}), "-32768"},
        {Variant(std::int32_t{2000}), "2000"},
        {Variant(true), "TRUE"},
        {Variant(false), "FALSE"},
        {Variant(0.1), "0.1"},
        // A float prints as the float it is, not as the double it widens to (0.20000000298...).
        {Variant(0.2f), "0.2"},
        {Variant(1.0f / 3.0f), "0.33333334"},
        {Variant(1.0 / 3.0), "0.3333333333333333"},
        {Variant(-0.0), "-0"},
        {Variant(1e28), "1e+28"},
        {Variant(5e-324), "5e-324"},
        {Variant(std::string("say \"hi\"\\\n")), "\"say \\\"hi\\\"\\\\\\n\""},
        {Variant(std::string("\x1b[0m")), "\"\\x1B[0m\""},
        {Variant(), "EMPTY"},
        {Variant(std::shared_ptr<IDispatch>()), "NOTHING"},
    };
    for (const auto& row : rows) EXPECT_EQ(FormatValue(row.value), row.text) << row.text;
}

TEST(ValueTextTest, WhatPrintsReadsBackToTheSameValue) {
    const Variant values[] = {
        Variant(0.1 + 0.2),  Variant(6.02214076e23), Variant(-1.7976931348623157e308), Variant(2.2250738585072014e-308),
        Variant(1e-5f),      Variant(16777217.0f),   Variant(std::numeric_limits<float>::max()),
        Variant(std::string("quote \" slash \\ tab \t bell \a")),
    };
    for (const Variant& v : values) {
        const Variant back = ParseValue(FormatValue(v));
        if (v.Type() == VarType::R4) {
            EXPECT_EQ(back.ToR4(), v.ToR4()) << FormatValue(v);
        } else {
            EXPECT_EQ(back, v) << FormatValue(v);
        }
    }
}

TEST(ValueTextTest, TextThatIsNotPrintableUtf8PrintsEscapedAndReadsBack) {
    const struct {
        std::string text;
        const char* quoted;
        const char* printable;
    } rows[] = {
        {"plain \"q\" \\ \xC2\xB0" "C \xE2\x82\xAC \xF0\x9F\x98\x80",
         "\"plain \\\"q\\\" \\\\ \xC2\xB0" "C \xE2\x82\xAC \xF0\x9F\x98\x80\"",
         "plain \"q\" \\ \xC2\xB0" "C \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {std::string("nul\0\n\r\t\x1B\x7F", 9), "\"nul\\x00\\n\\r\\t\\x1B\\x7F\"", "nul\\x00\\n\\r\\t\\x1B\\x7F"},
        // C1 controls: NEL and the one-byte CSI.
        {"\xC2\x85\xC2\x9B", "\"\\xC2\\x85\\xC2\\x9B\"", "\\xC2\\x85\\xC2\\x9B"},
        // Line separator, right-to-left override, first-strong isolate.
        {"\xE2\x80\xA8\xE2\x80\xAE\xE2\x81\xA8", "\"\\xE2\\x80\\xA8\\xE2\\x80\\xAE\\xE2\\x81\\xA8\"",
         "\\xE2\\x80\\xA8\\xE2\\x80\\xAE\\xE2\\x81\\xA8"},
        // Not UTF-8: a stray continuation, a cut sequence, an overlong '/', a surrogate, past U+10FFFF.
        {"\x80|\xC3|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80",
         "\"\\x80|\\xC3|\\xC0\\xAF|\\xED\\xA0\\x80|\\xF4\\x90\\x80\\x80\"",
         "\\x80|\\xC3|\\xC0\\xAF|\\xED\\xA0\\x80|\\xF4\\x90\\x80\\x80"},
        // A sequence cut by the end of the text.
        {"end\xE2\x82", "\"end\\xE2\\x82\"", "end\\xE2\\x82"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(QuoteString(row.text), row.quoted) << row.quoted;
        EXPECT_EQ(PrintableText(row.text), row.printable) << row.quoted;
        EXPECT_EQ(ParseValue(QuoteString(row.text)), Variant(row.text)) << row.quoted;
    }
}

TEST(ValueTextTest, BadValuesSayWhatIsWrongAndWhere) {
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"", "column 1: expected a value"},
        {"12abc", "not '12abc'"},
        {"0x1F", "not '0x1F'"},
        {"1e", "not '1e'"},
        {"--1", "not '--1'"},
        {"yes", "not 'yes'"},
        {"\"open", "column 1: the string has no closing quote"},
        {"\"bad \\q\"", "column 6: unknown escape \\q"},
        {"\"\\x4\"", "\\x needs two hexadecimal digits"},
        {"\"trailing\\", "no closing quote"},
        {"1e999", "out of range"},
        {"1 2", "column 3: unexpected '2'"},
        {"\"a\" x", "unexpected 'x'"},
    };
    for (const auto& row : rows) {
        try {
            ParseValue(row.text);
            ADD_FAILURE() << "parsed: " << row.text;
        } catch (const SyntaxError& e) {
            EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos)
                << row.text << " -> " << e.what();
        }
    }
}

}  // namespace
}  // namespace vtg::shell
