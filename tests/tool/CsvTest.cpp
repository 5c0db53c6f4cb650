// Reading exported tables: quoting, line ends, gaps and the malformed files that must be
// refused rather than loaded shifted.
#include <gtest/gtest.h>

#include "Csv.h"

namespace vtg::shell {
namespace {

constexpr double M = kMissingValue;

TEST(CsvTest, CellsBecomeNumbersOrMissingValues) {
    const struct {
        const char* cell;
        double value;
    } rows[] = {
        {"1", 1},         {" -2.5 ", -2.5}, {"+3e2", 300},   {".5", 0.5},  {"7.", 7},
        {"", M},          {"  ", M},        {"n/a", M},      {"nan", M},   {"inf", M},
        {"-inf", M},      {"1,5", M},       {"0x10", M},     {"1e400", M}, {"12 kg", M},
        {"1e", M},        {"--1", M},
    };
    for (const auto& row : rows) EXPECT_EQ(CsvNumber(row.cell), row.value) << '"' << row.cell << '"';
}

TEST(CsvTest, HeaderQuotesLineEndsAndGaps) {
    const CsvTable t = ParseCsv(
        "\xEF\xBB\xBFtime, \"T, reactor\" ,\"say \"\"p\"\"\"\r\n"
        "0,20,1.0\r\n"
        "\r\n"
        "1,,\"2.5\"\n"
        "2,x\n"
        "3,\"multi\nline\",4");
    ASSERT_EQ(t.header, (std::vector<std::string>{"time", "T, reactor", "say \"p\""}));
    ASSERT_EQ(t.rows.size(), 4u);
    EXPECT_EQ(t.rows[0], (std::vector<double>{0, 20, 1}));
    EXPECT_EQ(t.rows[1], (std::vector<double>{1, M, 2.5}));
    // A short row is padded with gaps, not shifted.
    EXPECT_EQ(t.rows[2], (std::vector<double>{2, M, M}));
    EXPECT_EQ(t.rows[3], (std::vector<double>{3, M, 4}));
}

TEST(CsvTest, AHeaderWithoutRowsIsAnEmptyTable) {
    const CsvTable t = ParseCsv("\n\nx,y\n\n");
    EXPECT_EQ(t.header, (std::vector<std::string>{"x", "y"}));
    EXPECT_TRUE(t.rows.empty());
}

TEST(CsvTest, MalformedFilesAreRefusedWithTheirLine) {
    const struct {
        const char* text;
        const char* message;
    } rows[] = {
        {"", "no header row"},
        {"\n  \n", "no header row"},
        {"x\n1\n", "line 1: the header needs at least two columns"},
        {"x,y\n1,2\n1,2,3\n", "line 3: 3 fields, but the header has 2"},
        {"x,y\n1,\"2\n3,4\n", "line 2: a quoted field is not closed"},
        {"x,y\n1,\"2\"3\n", "line 2: text after a closing quote"},
    };
    for (const auto& row : rows) {
        try {
            ParseCsv(row.text);
            ADD_FAILURE() << "accepted: " << row.text;
        } catch (const CsvError& e) {
            EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace vtg::shell
