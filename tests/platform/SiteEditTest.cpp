// In-place edit boxes of the headless site: typing, caret keys, limits and the control's key
// filter.
#include <gtest/gtest.h>

#include "platform/EditBuffer.h"
#include "platform/HeadlessSite.h"

namespace vtg {
namespace {

struct Step {
    enum Kind { Char, Key, Select } kind;
    int a;
    int b = 0;
};

Step C(int code) { return {Step::Char, code}; }
Step K(int vk) { return {Step::Key, vk}; }
Step Sel(int start, int end) { return {Step::Select, start, end}; }

struct EditCase {
    const char* name;
    bool multiline;
    const char* initial;
    int maxLength;
    std::vector<Step> steps;
    const char* text;
    std::pair<int, int> selection;
};

class EditBufferTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(EditBufferTest, EditsAsANativeEditControl) {
    const EditCase& c = GetParam();
    EditBuffer buffer(c.multiline);
    buffer.SetText(c.initial);
    buffer.SetMaxLength(c.maxLength);
    for (const Step& s : c.steps) {
        if (s.kind == Step::Char) buffer.TypeChar(s.a);
        if (s.kind == Step::Key) buffer.PressKey(s.a);
        if (s.kind == Step::Select) buffer.Select(s.a, s.b);
    }
    EXPECT_EQ(buffer.Text(), c.text);
    EXPECT_EQ(buffer.Selection(), c.selection);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditBufferTest,
    ::testing::Values(
        EditCase{"TypingReplacesAWholeSelection", false, "old", 0, {Sel(0, -1), C('n'), C('e'), C('w')}, "new", {3, 3}},
        EditCase{"TypingInsertsAtTheCaret", false, "ac", 0, {K(VK_LEFT), C('b')}, "abc", {2, 2}},
        EditCase{"BackspaceAtTheStartDoesNothing", false, "ab", 0, {K(VK_HOME), C(VK_BACK)}, "ab", {0, 0}},
        EditCase{"BackspaceDeletesAWholeCharacter", false, "a\xC3\xA9", 0, {C(VK_BACK)}, "a", {1, 1}},
        EditCase{"BackspaceDeletesTheSelection", false, "abcd", 0, {Sel(1, 3), C(VK_BACK)}, "ad", {1, 1}},
        EditCase{"DeleteRemovesTheNextCharacter", false, "\xC3\xA9x", 0, {K(VK_HOME), K(VK_DELETE)}, "x", {0, 0}},
        EditCase{"DeleteAtTheEndDoesNothing", false, "ab", 0, {K(VK_DELETE)}, "ab", {2, 2}},
        EditCase{"ArrowsStepOverMultiByteCharacters", false, "\xC3\xA9\xC3\xA9", 0, {K(VK_LEFT)}, "\xC3\xA9\xC3\xA9", {2, 2}},
        EditCase{"LeftCollapsesASelectionToItsStart", false, "abcd", 0, {Sel(1, 3), K(VK_LEFT)}, "abcd", {1, 1}},
        EditCase{"RightCollapsesASelectionToItsEnd", false, "abcd", 0, {Sel(3, 1), K(VK_RIGHT)}, "abcd", {3, 3}},
        EditCase{"NonAsciiCharactersAreStoredAsUtf8", false, "", 0, {C(0xE9), C(0x20AC)}, "\xC3\xA9\xE2\x82\xAC", {5, 5}},
        EditCase{"ControlCharactersInsertNothing", false, "a", 0, {C(VK_TAB), C(VK_ESCAPE), C(3), C(0x7F)}, "a", {1, 1}},
        EditCase{"NonCharactersInsertNothing", false, "a", 0, {C(0xD800), C(0x110000), C(-1)}, "a", {1, 1}},
        EditCase{"EnterIsIgnoredOnASingleLine", false, "a", 0, {C(VK_RETURN)}, "a", {1, 1}},
        EditCase{"EnterBreaksTheLineAsCrLf", true, "ab", 0, {K(VK_LEFT), C(VK_RETURN)}, "a\r\nb", {3, 3}},
        EditCase{"BackspaceRemovesALineBreakWhole", true, "a\nb", 0, {K(VK_HOME), C(VK_BACK)}, "ab", {1, 1}},
        EditCase{"SetTextStoresEveryLineBreakAsCrLf", true, "a\rb\nc\r\nd", 0, {}, "a\r\nb\r\nc\r\nd", {10, 10}},
        EditCase{"HomeAndEndStayOnTheCaretLine", true, "ab\ncd", 0, {K(VK_HOME), C('x'), K(VK_END), C('y')}, "ab\r\nxcdy", {8, 8}},
        EditCase{"UpAndDownKeepTheColumnWhereTheLineAllows", true, "abc\ndef\nghi", 0,
                 {K(VK_UP), K(VK_UP), C('|'), K(VK_DOWN), K(VK_DOWN), C('!')}, "abc|\r\ndef\r\nghi!", {15, 15}},
        EditCase{"UpOnTheFirstLineStays", true, "ab", 0, {K(VK_UP)}, "ab", {2, 2}},
        EditCase{"TheLimitRefusesWhatDoesNotFit", false, "ab", 3, {C(0xE9), C('c'), C('d')}, "abc", {3, 3}},
        EditCase{"TheLimitCountsTheSelectionAsFreed", false, "abc", 3, {Sel(1, 2), C('X')}, "aXc", {2, 2}},
        EditCase{"ALineBreakIsNotSplitByTheLimit", true, "ab", 3, {C(VK_RETURN)}, "ab", {2, 2}},
        EditCase{"SelectionOffsetsSnapToCharacterStarts", false, "a\xC3\xA9z", 0, {Sel(2, 3)}, "a\xC3\xA9z", {1, 3}},
        EditCase{"SelectionOffsetsAreClampedToTheText", false, "abc", 0, {Sel(99, 200)}, "abc", {3, 3}},
        EditCase{"ANegativeStartDropsTheSelection", false, "abc", 0, {Sel(0, 2), Sel(-1, 0)}, "abc", {2, 2}},
        EditCase{"SelectionsNeverSplitALineBreak", true, "a\nb", 0, {Sel(2, 2)}, "a\r\nb", {1, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the headless site's boxes ------------------------------------------------------------

struct HeadlessEditBoxTest : ::testing::Test {
    HeadlessSite site{300, 200};
};

TEST_F(HeadlessEditBoxTest, ABoxKeepsItsTextRectFontAndListing) {
    Font font;
    font.face = "Arial";
    font.height = 14;
    auto box = site.CreateEditBox({50, 40, 10, 20}, "Title", true, font);
    EXPECT_EQ(box->GetText(), "Title");
    EXPECT_EQ(box->GetRect(), (Rect{10, 20, 50, 40}));
    EXPECT_EQ(box->GetFont(), font);
    EXPECT_TRUE(box->IsMultiline());
    EXPECT_FALSE(box->HasFocus());
    box->SetRect({10, 20, 90, 40});  // grown while typing
    EXPECT_EQ(box->GetRect().Width(), 80);
    auto second = site.CreateEditBox({}, "", false, font);
    EXPECT_EQ(site.EditBoxes(), (std::vector<IEditBox*>{box.get(), second.get()}));
    box.reset();
    EXPECT_EQ(site.EditBoxes(), (std::vector<IEditBox*>{second.get()}));
}

TEST_F(HeadlessEditBoxTest, TheKeyFilterSeesKeysAndCharactersFirstAndMaySwallowThem) {
    auto box = site.CreateEditBox({}, "abc", false, Font{});
    std::vector<std::pair<EditInput, int>> seen;
    box->SetKeyFilter([&](EditInput kind, int code) {
        seen.emplace_back(kind, code);
        return code == VK_ESCAPE || code == VK_HOME;
    });
    box->SendChar('d');
    box->SendChar(VK_ESCAPE);
    box->SendKey(VK_HOME);  // swallowed: the caret stays at the end
    box->SendChar('e');
    EXPECT_EQ(box->GetText(), "abcde");
    EXPECT_EQ(seen, (std::vector<std::pair<EditInput, int>>{
                        {EditInput::Char, 'd'}, {EditInput::Char, 27}, {EditInput::KeyDown, VK_HOME}, {EditInput::Char, 'e'}}));
}

TEST_F(HeadlessEditBoxTest, AFilterMayDestroyItsBoxFromWithin) {
    // Escape closes the editor: its owner lets go of it inside the filter.
    std::unique_ptr<IEditBox> box = site.CreateEditBox({}, "typed", false, Font{});
    int calls = 0;
    box->SetKeyFilter([&](EditInput, int code) {
        ++calls;
        if (code == VK_ESCAPE) box.reset();
        return false;  // not swallowed: the box would go on to handle the key
    });
    box->Focus();
    site.Char(VK_ESCAPE);
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(site.EditBoxes().empty());
    EXPECT_EQ(site.FocusedEditBox(), nullptr);
}

TEST_F(HeadlessEditBoxTest, SelectAllThenTypeReplacesTheInitialText) {
    auto box = site.CreateEditBox({}, "X axis", false, Font{});
    box->SetSelection(0, -1);
    EXPECT_EQ(box->GetSelection(), (std::pair{0, 6}));
    box->SendChar('T');
    EXPECT_EQ(box->GetText(), "T");
    box->SetMaxLength(2);
    box->SendChar('i');
    box->SendChar('m');
    EXPECT_EQ(box->GetText(), "Ti");
}

TEST(HeadlessEditBoxLifetime, ABoxOutlivingItsSiteStaysUsable) {
    std::unique_ptr<IEditBox> box;
    {
        HeadlessSite site;
        box = site.CreateEditBox({}, "kept", false, Font{});
        box->Focus();
    }
    box->Focus();
    box->SendChar('!');
    EXPECT_EQ(box->GetText(), "kept!");
    EXPECT_FALSE(box->HasFocus());
}

}  // namespace
}  // namespace vtg
