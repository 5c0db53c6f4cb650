// The operation log as a host uses it: the lines each object and annotation operation writes,
// in order and byte for byte, long texts kept to one line, and logs that are replaced, closed
// or cannot be created.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct OperationLogTest : test::MethodsFixture, testing::Test {
    QTemporaryDir dir;
    std::string Path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    int NewLine() { return Call("NewLine", {I2(1), I2(0), I2(1), I2(4), I2(0)}).ToI2(); }
};

TEST_F(OperationLogTest, EachOperationWritesItsLineInOrder) {
    Call("OpenLog", {Variant(Path("ops.log"))});
    const int line = NewLine();
    const int polygon = Call("NewPolygon", {I2(2), I2(1)}).ToI2();
    const int text = Call("NewText", {Variant("T = 20"), Variant(0.5), Variant(0.5), I2(0)}).ToI2();
    Call("ChangeText", {I2(text), Variant("T = 21"), Variant(0.5), Variant(0.5), I2(0)});
    Call("SetObject", {I2(polygon), I2(4), I2(12)});
    Call("SetObject", {I2(line), I2(-1), I2(0)});
    Call("SetObject", {I2(999), I2(-1), I2(0)});
    Call("AddText", {Variant("note"), Variant(0.1f), Variant(0.1f), I2(0), I2(0), Variant(""), I2(0), I2(0)});
    test::Put(Ctrl(), "PlotType", I2(1));
    Call("Clear");
    const std::string id = std::to_string(line);
    const std::string expected = "NEWLINE ID:" + id + "\r\n" +
                                 "NEWPOLYGON ID:" + std::to_string(polygon) + "\r\n" +
                                 "NEWTEXT ID:" + std::to_string(text) + " (T = 20)\r\n" +
                                 " AddText (0)\r\n" +
                                 "CHANGETEXT ID:" + std::to_string(text) + " (T = 21)\r\n" +
                                 "SETOBJECT (xo  ) ID:" + std::to_string(polygon) + "\r\n" +
                                 "SETOBJECT (DELETE) ID:" + id + "\r\n" +
                                 " Delete ID:" + id + "\r\n" +
                                 "SETOBJECT (DELETE) ID:999\r\n" +
                                 " AddText (1)\r\n" +
                                 "CLEANUP\r\n" +
                                 "CLEANUP\r\n";
    EXPECT_EQ(Read(Path("ops.log")), expected);
}

TEST_F(OperationLogTest, LongAndMultiLineTextsStayOneWholeLine) {
    Call("OpenLog", {Variant(Path("texts.log"))});
    std::string text = "first\r\nsecond";
    for (int i = 0; i < 100; ++i) text += "\xC3\xA9";   // two-byte characters up to the cut
    Call("NewText", {Variant(text), Variant(0.5), Variant(0.5), I2(0)});
    const std::string log = Read(Path("texts.log"));
    const std::string first = log.substr(0, log.find("\r\n") + 2);
    EXPECT_LE(first.size(), 160u);
    EXPECT_EQ(first.find("first  second"), first.find("(") + 1) << first;
    // The cut falls between characters: what precedes ")" is a whole two-byte character.
    const std::size_t close = first.rfind(')');
    ASSERT_NE(close, std::string::npos);
    EXPECT_EQ(first.substr(close - 2, 2), "\xC3\xA9");
    EXPECT_EQ(first.substr(close), ")\r\n");
}

TEST_F(OperationLogTest, ASecondLogTakesOverAndClosingStopsTheLines) {
    Call("OpenLog", {Variant(Path("one.log"))});
    NewLine();
    Call("OpenLog", {Variant(Path("two.log"))});
    NewLine();
    Call("CloseLog");
    NewLine();
    Call("CloseLog");
    const std::string one = Read(Path("one.log"));
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 1);
    const std::string two = Read(Path("two.log"));
    EXPECT_EQ(std::count(two.begin(), two.end(), '\n'), 1);
    EXPECT_EQ(two.rfind("NEWLINE ID:", 0), 0u);
}

TEST_F(OperationLogTest, ALogThatCannotBeCreatedWritesNothingAndFailsNothing) {
    Call("OpenLog", {Variant(Path("no/such/folder/ops.log"))});
    EXPECT_FALSE(Ctrl().LogOpen());
    EXPECT_GT(NewLine(), 0);
    // A log that was open is closed by a failed open as well.
    Call("OpenLog", {Variant(Path("ops.log"))});
    Call("OpenLog", {Variant(std::string())});
    EXPECT_FALSE(Ctrl().LogOpen());
    NewLine();
    EXPECT_EQ(Read(Path("ops.log")), "");
}

TEST_F(OperationLogTest, ANameWithANulByteIsRefusedAndChangesNothing) {
    Call("OpenLog", {Variant(Path("open.log"))});
    const std::string cut = Path("cut");
    const AutomationError e = ErrorOf("OpenLog", {Variant(cut + std::string(1, '\0') + ".log")});
    EXPECT_EQ(e.Code(), HResult::InvalidArg);
    EXPECT_NE(e.Message().find("NUL byte"), std::string::npos) << e.Message();
    EXPECT_FALSE(std::ifstream(cut).is_open());
    // The log that was open still takes the lines.
    NewLine();
    EXPECT_EQ(Read(Path("open.log")).rfind("NEWLINE ID:", 0), 0u);
}

TEST_F(OperationLogTest, DestroyingTheControlLogsNoCleanup) {
    Call("OpenLog", {Variant(Path("end.log"))});
    NewLine();
    ctrl.reset();
    const std::string log = Read(Path("end.log"));
    EXPECT_EQ(log.find("CLEANUP"), std::string::npos) << log;
    EXPECT_EQ(log.rfind("NEWLINE", 0), 0u);
}

}  // namespace
}  // namespace vtg
