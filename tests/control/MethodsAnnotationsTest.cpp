// Annotations through the dispatch interface: adding, renaming, counting and reading back.
#include <gtest/gtest.h>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "plot/CPlotLook.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

struct MethodsAnnotationsTest : test::MethodsFixture, testing::Test {
    Variant AddText(const std::string& text, int color = 0, const std::string& font = "") {
        return Call("AddText", {Variant(text), Variant(0.5f), Variant(0.25f), I2(color), I2(1), Variant(font),
                                I2(12), I2(2)});
    }
    int Count() {
        Variant n(I2(-1));
        Call("GetAnnotationCount", {Variant::Ref(n)});
        return n.ToI2();
    }
    // The text and the seven outputs, preset to -9 so that untouched ones show.
    std::pair<std::string, std::vector<int>> Attributes(int index) {
        std::vector<Variant> out(7, I2(-9));
        std::vector<Variant> args{I2(index)};
        for (Variant& v : out) args.push_back(Variant::Ref(v));
        const std::string text = Call("GetAnnoAttributes", args).ToString();
        std::vector<int> values;
        for (const Variant& v : out) values.push_back(v.ToI2());
        return {text, values};
    }
};

TEST_F(MethodsAnnotationsTest, AddTextMakesAUserTextObjectWithItsAnnotation) {
    const int id = AddText("first", 3).ToI2();
    EXPECT_GT(id, 0);
    EXPECT_GT(Invalidations(), 0u);
    const CPlotObj* object = Plot().FindObject(id);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Kind, PlotObjKind::Text);
    EXPECT_EQ(static_cast<const CPlotTextObj*>(object)->UserText, 1);
    ASSERT_EQ(object->AnnotationIndex, 0);
    const CPlotAnnotation& a = *Plot().Annotations[0];
    EXPECT_EQ(a.GetPosition(), (CPlotAnnotation::Position{0.5f, 0.25f, 0, 0, 0}));
    EXPECT_EQ(a.Alignment, 1);
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kFree);
    EXPECT_EQ(a.NewMark, 0);
    EXPECT_NE(AddText("second").ToI2(), id);
    EXPECT_EQ(Count(), 2);
}

TEST_F(MethodsAnnotationsTest, AttributesAreReadBackByOneBasedIndex) {
    AddText("plain");
    AddText("styled", 40, "Arial");
    const auto [text, values] = Attributes(Count());
    EXPECT_EQ(text, "styled:Arial");
    // Size 12, bold, colour 40 outside the palette stored as 0, direction 0, centred, free, arrow 2.
    EXPECT_EQ(values, (std::vector<int>{12, 2, 0, 0, 1, 0, 2}));
    EXPECT_EQ(Attributes(1).first.substr(0, 6), "plain:");
    for (int bad : {0, 3, -1}) {
        const auto [none, untouched] = Attributes(bad);
        EXPECT_EQ(none, "") << bad;
        EXPECT_EQ(untouched, std::vector<int>(7, -9)) << bad;
    }
}

TEST_F(MethodsAnnotationsTest, ModifyTextRenamesEveryMatchAndRepaintsOnlyThen) {
    AddText("old");
    AddText("other");
    AddText("old");
    Quiet();
    Call("ModifyText", {Variant(std::string("missing")), Variant(std::string("x"))});
    EXPECT_EQ(Invalidations(), 0u);
    Call("ModifyText", {Variant(std::string("old")), Variant(std::string("new"))});
    EXPECT_GT(Invalidations(), 0u);
    EXPECT_EQ(Plot().Annotations[0]->Text, "new");
    EXPECT_EQ(Plot().Annotations[1]->Text, "other");
    EXPECT_EQ(Plot().Annotations[2]->Text, "new");
}

TEST_F(MethodsAnnotationsTest, DeletedTextsKeepTheIndexesOfTheOthers) {
    const int first = AddText("first").ToI2();
    AddText("second");
    Plot().FindObject(first)->Release(Plot());
    EXPECT_EQ(Count(), 2);
    EXPECT_TRUE(Plot().Annotations[0]->Hidden);
    EXPECT_EQ(Attributes(2).first.substr(0, 7), "second:");
}

}  // namespace
}  // namespace vtg
