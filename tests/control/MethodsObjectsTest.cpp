// Plot objects through the dispatch interface: creating lines, polygons and texts, their
// points, attributes and flags, deleting them, the hostile arguments a host may send, and
// keeping them across a save and load.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "control/ControlStream.h"
#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "plot/BinaryStream.h"
#include "plot/CPlotLook.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;

constexpr double kMissing = 1e28;

struct MethodsObjectsTest : test::MethodsFixture, testing::Test {
    int NewLine(int color, int linetype, int marker = 0, int size = 0, int direction = 0) {
        return Call("NewLine", {I2(color), I2(linetype), I2(marker), I2(size), I2(direction)}).ToI2();
    }
    int NewText(const std::string& text, double x, double y, int attached) {
        return Call("NewText", {Variant(text), Variant(x), Variant(y), I2(attached)}).ToI2();
    }
    void SetXY(int id, int point, double x, double y) {
        Call("SetXYData", {I2(id), I2(point), Variant(x), Variant(y)});
    }
    // Whether the point exists, and the two values written back (preset to -1).
    std::tuple<bool, double, double> GetXY(int id, int point) {
        Variant x(-1.0);
        Variant y(-1.0);
        const bool ok = Call("GetXYData", {I2(id), I2(point), Variant::Ref(x), Variant::Ref(y)}).ToBool();
        return {ok, x.ToR8(), y.ToR8()};
    }
    int SetObject(int id, int value, int mask) { return Call("SetObject", {I2(id), I2(value), I2(mask)}).ToI2(); }
    CPlotVar& YOf(int id) { return *Plot().YVar(Plot().FindObject(id)->YVarIndex); }
    CPlotAnnotation& AnnotationOf(int id) {
        return *Plot().Annotations[static_cast<std::size_t>(Plot().FindObject(id)->AnnotationIndex)];
    }
};

TEST_F(MethodsObjectsTest, NewLineSplitsTheLineTypeAndSetsEveryAttribute) {
    const int dotted = NewLine(5, 2, 3, 6, 1);
    ASSERT_GT(dotted, 100);
    const CPlotVar& a = YOf(dotted);
    EXPECT_EQ(a.Color, 5);
    EXPECT_EQ(a.PenWidth, 1);
    EXPECT_EQ(a.PenStyle, 2);
    EXPECT_EQ(a.Marker, 3);
    EXPECT_EQ(a.VarMarkerSize, 6);
    EXPECT_EQ(a.Attrib2Extra[0], 1);
    const CPlotVar& wide = YOf(NewLine(1, 6));
    EXPECT_EQ(wide.PenWidth, 4);
    EXPECT_EQ(wide.PenStyle, 0);
    const CPlotVar& none = YOf(NewLine(1, -1));
    EXPECT_EQ(none.PenWidth, 0);
    EXPECT_EQ(none.PenStyle, -1);
    EXPECT_EQ(Ctrl().nvariables, Plot().DependentCount());
    EXPECT_EQ(Invalidations(), 0u) << "creating a line does not redraw";
    EXPECT_TRUE(Ctrl().IsModified());

    Call("SetLineAttribute", {I2(dotted), I2(9), I2(5), I2(7), I2(2), I2(0), I2(1 | 2)});
    EXPECT_EQ(a.Color, 9);
    EXPECT_EQ(a.PenWidth, 3);
    EXPECT_EQ(a.Marker, 3) << "marker not in the mask";
    Call("SetLineAttribute", {I2(4000), I2(9), I2(5), I2(7), I2(2), I2(0), I2(255)});
}

TEST_F(MethodsObjectsTest, NewPolygonTakesColourAndFillMode) {
    const int id = Call("NewPolygon", {I2(6), I2(3)}).ToI2();
    EXPECT_EQ(Plot().FindObject(id)->Kind, PlotObjKind::Polygon);
    EXPECT_EQ(YOf(id).Color, 6);
    EXPECT_EQ(YOf(id).FillStyle, 3);
    EXPECT_EQ(YOf(id).Filled, 1);
}

TEST_F(MethodsObjectsTest, PointsGoInAndComeBack) {
    const int id = NewLine(2, 1);
    SetXY(id, 0, 1.5, 2.5);
    SetXY(id, 1, 3, kMissing);
    EXPECT_EQ(GetXY(id, 0), std::make_tuple(true, 1.5, 2.5));
    // Only x was written at 1: the line has no point there.
    EXPECT_EQ(GetXY(id, 1), std::make_tuple(false, -1.0, -1.0));
    SetXY(id, 1, kMissing, 7);
    EXPECT_EQ(GetXY(id, 1), std::make_tuple(true, 3.0, 7.0));
    EXPECT_EQ(GetXY(id, 2), std::make_tuple(false, -1.0, -1.0));
    // Hostile point numbers and ids are ignored.
    SetXY(id, -5, 1, 1);
    SetXY(-3, 0, 1, 1);
    SetXY(0, 0, 1, 1);
    EXPECT_EQ(GetXY(id, -5), std::make_tuple(false, -1.0, -1.0));
    EXPECT_EQ(GetXY(31999, 0), std::make_tuple(false, -1.0, -1.0));
    SetXY(id, 32767, 4, 5);
    EXPECT_EQ(GetXY(id, 32767), std::make_tuple(true, 4.0, 5.0));
}

TEST_F(MethodsObjectsTest, TextsArePlacedChangedAndStyled) {
    const int id = NewText("a\\nb", 0.3, 0.6, -1);
    ASSERT_GT(id, 100);
    EXPECT_EQ(static_cast<const CPlotTextObj*>(Plot().FindObject(id))->UserText, 0);
    CPlotAnnotation& a = AnnotationOf(id);
    EXPECT_EQ(a.Text, "a\r\nb");
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kFree);
    EXPECT_GT(Invalidations(), 0u);

    Call("ChangeText", {I2(id), Variant(std::string("moved")), Variant(2.0), Variant(3.0), I2(3)});
    EXPECT_EQ(a.Text, "moved");
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kDataPoint);
    EXPECT_EQ(a.PendingAttachment, 3);
    Call("SetTextAttribute", {I2(id), I2(4), I2(2), I2(0), Variant(std::string("Arial")), I2(14), I2(1)});
    EXPECT_EQ(a.Color, 4);
    EXPECT_EQ(a.Alignment, 2);
    EXPECT_EQ(a.Font->Size, 14);
    // Unknown ids change nothing.
    Call("ChangeText", {I2(555), Variant(std::string("x")), Variant(0.0), Variant(0.0), I2(-1)});
    Call("SetTextAttribute", {I2(555), I2(4), I2(2), I2(0), Variant(std::string("Arial")), I2(14), I2(1)});
    EXPECT_EQ(Plot().Annotations.size(), 1u);
}

TEST_F(MethodsObjectsTest, SetObjectSetsFlagsAndDeletes) {
    const int line = NewLine(2, 1);
    const int text = NewText("t", 0.5, 0.5, -1);
    Quiet();
    EXPECT_EQ(SetObject(line, 0, 1), 2);
    EXPECT_EQ(YOf(line).Hidden, 1);
    EXPECT_EQ(Invalidations(), 0u) << "no highlight blinks";
    EXPECT_EQ(SetObject(line, 1 | 4, 1 | 4), 7);
    EXPECT_EQ(Ctrl().Highlighted(), std::vector<int>{line});
    EXPECT_EQ(SetObject(text, 8, 8), 1 | 2 | 8);

    EXPECT_EQ(SetObject(line, -1, 0), -1);
    EXPECT_EQ(Plot().FindObject(line), nullptr);
    EXPECT_TRUE(Ctrl().Highlighted().empty());
    EXPECT_EQ(SetObject(text, -1, 0), -1);
    ASSERT_EQ(Plot().Annotations.size(), 1u);
    EXPECT_EQ(Plot().Annotations[0]->Hidden, 1);
    EXPECT_EQ(SetObject(text, -1, 0), 0);
    EXPECT_EQ(SetObject(-20000, 1, 1), 0);
}

TEST_F(MethodsObjectsTest, TooManyVariablesRefuseANewLineAndChangeNothing) {
    while (Plot().DependentCount() < CPlotLook::kMaxDependentVariables) {
        Plot().YVars.push_back(std::make_unique<CPlotVar>(0));
    }
    Ctrl().nvariables = 32767;
    const std::size_t objects = Plot().Objects.size();
    EXPECT_EQ(ErrorOf("NewLine", {I2(1), I2(1), I2(0), I2(0), I2(0)}).Code(), HResult::InvalidArg);
    EXPECT_EQ(ErrorOf("NewPolygon", {I2(1), I2(0)}).Code(), HResult::InvalidArg);
    EXPECT_EQ(Plot().Objects.size(), objects);
    EXPECT_EQ(Ctrl().nvariables, 32767);
    EXPECT_EQ(Plot().DependentCount(), CPlotLook::kMaxDependentVariables);
}

// ---- keeping objects across a save and load ----

struct ObjectPersistTest : MethodsObjectsTest {
    int line = 0;
    int polygon = 0;
    int text = 0;
    void Build() {
        line = NewLine(3, 5, 2, 4, -1);
        for (int i = 0; i < 3; ++i) SetXY(line, i, i, i * i);
        polygon = Call("NewPolygon", {I2(6), I2(0)}).ToI2();
        SetXY(polygon, 0, 0, 0);
        SetXY(polygon, 1, 1, 0);
        SetXY(polygon, 2, 1, 1);
        text = NewText("label", 0.2, 0.7, -1);
        SetObject(polygon, 0, 2);
        SetObject(text, 8, 8);
    }
};

TEST_F(ObjectPersistTest, EveryObjectComesBackWithItsIdFlagsAndPoints) {
    Build();
    const std::vector<std::uint8_t> stream = Ctrl().SaveStream();
    CVortigaCtrl target;
    target.LoadStream(stream);
    CPlotLook& p = target.Plot();
    ASSERT_EQ(p.Objects.size(), Plot().Objects.size());
    for (std::size_t k = 0; k < p.Objects.size(); ++k) {
        const CPlotObj& a = *Plot().Objects[k];
        const CPlotObj& b = *p.Objects[k];
        EXPECT_EQ(b.Id, a.Id);
        EXPECT_EQ(b.Kind, a.Kind);
        EXPECT_EQ(b.Flags(p), a.Flags(Plot())) << a.Id;
        EXPECT_EQ(b.XVarIndex, a.XVarIndex);
        EXPECT_EQ(b.YVarIndex, a.YVarIndex);
        EXPECT_EQ(b.AnnotationIndex, a.AnnotationIndex);
    }
    EXPECT_EQ(p.GetObjectPoint(line, 2).y, 4);
    EXPECT_EQ(p.GetObjectPoint(polygon, 1).x, 1);
    EXPECT_EQ(p.YVar(p.FindObject(polygon)->YVarIndex)->Filled, 1);
    EXPECT_EQ(p.YVar(p.FindObject(line)->YVarIndex)->ObjectOwned, 1);
    EXPECT_EQ(target.SaveStream(), stream) << "saving again gives the same image";
    // New ids continue after the loaded ones.
    const int next = target.NewLine(1, 1, 0, 0, 0);
    EXPECT_GT(next, text);
}

TEST_F(ObjectPersistTest, StoredObjectsTheLoaderCannotTrustAreMadeSafe) {
    Build();
    ControlImage image = ParseControlImage(Ctrl().SaveStream(), Ctrl(), {});
    // Two records with one id, a kind no object has, indexes the plot does not have.
    image.objects.push_back({0, line, 1, 900, -4, 3, 0, 0});
    image.objects.push_back({77, 30000, 1, 0, 0, 3, 0, 0});
    image.objects.push_back({2, 30001, 1, -1, -1, 0, 1 << 30, 1});
    image.objects.push_back({1, 12, 1, 0, 99999, -1, 0, 0});
    BinaryWriter out;
    WriteControlImage(out, image);

    CVortigaCtrl target;
    target.LoadStream(out.Data());
    const CPlotLook& p = target.Plot();
    std::vector<int> ids;
    for (const auto& o : p.Objects) {
        ids.push_back(o->Id);
        EXPECT_TRUE(o->YVarIndex == -1 || p.YVar(o->YVarIndex) != nullptr);
        EXPECT_TRUE(o->XVarIndex == -1 || p.XVar(o->XVarIndex) != nullptr);
        EXPECT_LT(o->AnnotationIndex, static_cast<int>(p.Annotations.size()));
    }
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "ids stay unique";
    EXPECT_GT(ids.front(), 100);
    EXPECT_EQ(p.FindObject(30000)->Kind, PlotObjKind::Plain);
    EXPECT_EQ(p.FindObject(30001)->AnnotationIndex, -1);
}

// An image without objects, with its layout number set to format and the checksum renewed.
std::vector<std::uint8_t> WithoutObjects(CVortigaCtrl& c, std::uint32_t format) {
    ControlImage image = ParseControlImage(c.SaveStream(), c, {});
    image.objects.clear();
    BinaryWriter out;
    WriteControlImage(out, image);
    std::vector<std::uint8_t> bytes = out.Take();
    bytes.resize(bytes.size() - 4);
    const std::array<std::uint8_t, 4> magic{'V', 'T', 'G', 'S'};
    const auto at = std::search(bytes.begin(), bytes.end(), magic.begin(), magic.end());
    EXPECT_NE(at, bytes.end());
    at[4] = static_cast<std::uint8_t>(format);
    const std::uint32_t crc = Crc32(bytes);
    for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(crc >> (8 * k)));
    return bytes;
}

TEST_F(ObjectPersistTest, AStreamOfTheFirstLayoutKeepsThePlotsOwnLineObjects) {
    test::Put(Ctrl(), "nvariables", Variant(std::int16_t{3}));
    CVortigaCtrl current;
    current.LoadStream(WithoutObjects(Ctrl(), kStreamFormat));
    EXPECT_TRUE(current.Plot().Objects.empty()) << "the current layout stores the whole list";
    CVortigaCtrl first;
    first.LoadStream(WithoutObjects(Ctrl(), kStreamFormatTextObjects));
    EXPECT_EQ(first.Plot().Objects.size(), 3u);
    EXPECT_THROW(first.LoadStream(WithoutObjects(Ctrl(), 3)), AutomationError);
}

}  // namespace
}  // namespace vtg
