// Persistence: the property bag and the stream image round trip what they hold, and a stream
// that is truncated, damaged or hostile fails with an automation error and changes nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "control/ControlStream.h"
#include "objects/ObjectIdAllocator.h"
#include "control/HostServices.h"
#include "control/PropertyExchange.h"
#include "plot/BinaryStream.h"
#include "platform/RecordingSurface.h"
#include "ControlTestSupport.h"

namespace vtg {
namespace {

using test::Fingerprint;
using test::Get;
using test::Put;

// Every persisted property with a value other than its default.
const std::vector<std::pair<const char*, Variant>> kSavedValues{
    {"Title", Variant("Reactor")},
    {"xlabel", Variant("time [s]")},
    {"ylabel", Variant("T [K]")},
    {"MultiYaxis", Variant(true)},
    {"UseVariable", Variant(true)},
    {"TimeWindow", Variant(30.0f)},
    {"GridType", Variant(std::int16_t{2})},
    {"MarkerSize", Variant(std::int16_t{6})},
    {"ZeroLine", Variant(true)},
    {"SizeToData", Variant(true)},
    {"ReverseXAxis", Variant(true)},
    {"ShowLegend", Variant(true)},
    {"AddTimeStamp", Variant(true)},
    {"BufferSize", Variant(std::int32_t{500})},
    {"VariableDrop", Variant(false)},
    {"IgnoreSetLegend", Variant(true)},
    {"CommunicationIntervals", Variant(std::int16_t{4})},
    {"SquarePlot", Variant(true)},
    {"DiagonalLine", Variant(true)},
    {"Parametric", Variant(true)},
    {"Flipped", Variant(true)},
    {"nxvariables", Variant(std::int16_t{2})},
    {"nvariables", Variant(std::int16_t{3})},
    {"PlotType", Variant(std::int16_t{1})},
    {"RunPlot", Variant(true)},
    // After RunPlot, which sets these three.
    {"TimeScrollUnit", Variant(3.0f)},
    {"MarkerInterval", Variant(std::int16_t{3})},
    {"DisplayType", Variant(std::int16_t{1})},
    {"BackColor", Variant(std::int32_t{0x102030})},
    {"ForeColor", Variant(std::int32_t{0x405060})},
};

struct PersistTest : testing::Test {
    PersistTest() { ResetResourceStringCache(); }
};

TEST_F(PersistTest, APropertyBagRestoresEverySavedProperty) {
    CVortigaCtrl source;
    source.ResetState();
    for (const auto& [name, value] : kSavedValues) Put(source, name, value);
    PropertyBag bag;
    source.SaveProperties(bag);
    ASSERT_NE(bag.Read("_Version"), nullptr);
    EXPECT_EQ(bag.Read("_Version")->ToI4(), static_cast<std::int32_t>(kPropertyVersion));
    EXPECT_EQ(bag.Entries().size(), 32u);

    CVortigaCtrl target;
    target.LoadProperties(bag);
    for (const auto& [name, value] : kSavedValues) {
        EXPECT_EQ(Get(target, name).ToString(), value.ToString()) << name;
    }
    const CPlotLook& p = target.Plot();
    EXPECT_EQ(p.BarGraph, 1);
    EXPECT_EQ(p.RunPlot, 1);
    EXPECT_EQ(p.DependentCount(), 3);
    EXPECT_EQ(p.IndependentCount(), 2);
    EXPECT_EQ(p.MarkerInterval, 3);
    EXPECT_EQ(p.ShowLegend, 1);
    EXPECT_EQ(p.Flipped, 1);
    EXPECT_EQ(p.YVar(2)->Capacity(), 500u);
    EXPECT_EQ(p.TitleRgn->Label.Text, "Reactor");
    EXPECT_FALSE(target.IsModified());
}

TEST_F(PersistTest, PropertiesOfAnotherVersionLeaveTheControlAsItWas) {
    CVortigaCtrl target;
    Put(target, "GridType", Variant(std::int16_t{3}));
    PropertyBag bag;
    bag.Write("_Version", Variant(std::int32_t{0x00010005}));
    bag.Write("GridType", Variant(std::int16_t{1}));
    bag.Write("BackColor", Variant(std::int32_t{0x123456}));
    target.LoadProperties(bag);
    EXPECT_EQ(Get(target, "GridType").ToI2(), 3);
    EXPECT_EQ(Get(target, "BackColor").ToI4(), 0x123456);
}

TEST_F(PersistTest, MissingOrUnreadableValuesTakeTheirDefaults) {
    CVortigaCtrl target;
    Put(target, "MarkerSize", Variant(std::int16_t{9}));
    PropertyBag bag;
    bag.Write("nvariables", Variant("lots"));
    bag.Write("GridType", Variant(std::int16_t{12}));
    bag.Write("bufferSIZE", Variant(std::int32_t{-4}));
    bag.Write("PlotType", Variant(std::int16_t{77}));
    target.LoadProperties(bag);
    EXPECT_EQ(Get(target, "MarkerSize").ToI2(), 4);
    EXPECT_EQ(Get(target, "nvariables").ToI2(), 1);
    EXPECT_EQ(Get(target, "GridType").ToI2(), 0);
    EXPECT_EQ(Get(target, "BufferSize").ToI4(), 2000);
    EXPECT_EQ(Get(target, "PlotType").ToI2(), 0);
}

// A plot with several axes, texts, attributes, symbols and values.
void BuildRichPlot(CVortigaCtrl& c) {
    c.ResetState();
    c.OnSize(500, 350);
    Put(c, "Title", Variant("Column"));
    Put(c, "nvariables", Variant(std::int16_t{3}));
    CPlotLook& p = c.Plot();
    p.SetPointCount(6);
    for (int j = 0; j < 6; ++j) {
        p.SetData(0, j, j * 0.5);
        p.SetData(1, j, j * j);
        p.SetData(3, j, 100 - j);
    }
    p.SetAxisMap(2, 2);
    p.SetLegend(1, "feed");
    p.SetLegend(3, "bottoms");
    p.SetLabel(2, "level");
    p.SetAttribute(1, 5, 7, 11);
    p.SetAttribute2(2, {5, 2, 1, -1});
    p.SetSymbol("UNIT", "kmol/h");
    p.SubstitutionString = "%s";
    p.SetFont(0, "Arial", 14, 2);
    p.SetAxisRange(1, -5, 40);
    p.NameVariable(0, "FIC101.PV");
    p.AddTextObject("feed \\n started", 0.25f, 0.4f, 3, 1, "Arial", 12, 2);
    // A note tied to a data point, a hidden one, and one drawn in no font.
    const int tied = p.AddTextAnnotation("max", 0, 0, 2, 0, "", 0, 0, CPlotAnnotation::kDataPoint, 1);
    p.Annotations[static_cast<std::size_t>(tied)]->SetPosition({2.5f, 6.25f, 0.1f, -0.05f, 1});
    p.AddTextObject("gone", 0.5f, 0.5f, 0, 0, "", 0, 0);
    p.Annotations.back()->Hidden = 1;
    p.AddTextAnnotation("bare", 0.9f, 0.9f, 15, 2, "", 0, 0, CPlotAnnotation::kFree, 2);
    p.Annotations.back()->Font = nullptr;
    // The host's own figures: a line, a polygon that is not pickable, a text and a deleted line.
    const int line = c.NewLine(4, 5, 3, 6, -1);
    for (int j = 0; j < 3; ++j) c.SetXYData(line, static_cast<std::int16_t>(j), j, 2 * j);
    const int polygon = c.NewPolygon(6, 0);
    c.SetXYData(polygon, 0, 0, 0);
    c.SetXYData(polygon, 1, 2, 0);
    c.SetXYData(polygon, 2, 2, 20);
    c.SetObject(polygon, 0, 2);
    const int note = c.NewText("pump\\off", 1, 9, 3);
    c.SetObject(note, 8, 8);
    c.SetObject(c.NewLine(1, 1, 0, 0, 0), -1, 0);
}

TEST_F(PersistTest, AStreamReproducesThePlotInANewControl) {
    CVortigaCtrl source;
    BuildRichPlot(source);
    const std::vector<std::uint8_t> stream = source.SaveStream();

    CVortigaCtrl target;
    target.LoadStream(stream);
    EXPECT_EQ(Fingerprint(target), Fingerprint(source));
    EXPECT_EQ(target.WindowSize(), (Size{500, 350}));
    const CPlotLook& p = target.Plot();
    EXPECT_EQ(p.GetAttribute(1), source.Plot().GetAttribute(1));
    EXPECT_EQ(p.GetAttribute2(2), (SecondAttributes{5, 2, 1, -1}));
    EXPECT_EQ(p.YAxisRgns[1]->Label.Text, "level");
    EXPECT_EQ(p.SubstitutionString, "%s");
    EXPECT_EQ(p.Fonts[CPlotLook::kTitleFont].Horizontal()->Face, "Arial");
    EXPECT_EQ(p.Fonts[CPlotLook::kTitleFont].Horizontal()->Size, 14);
    EXPECT_EQ(p.YVar(0)->Name, "FIC101.PV");
    EXPECT_DOUBLE_EQ(p.AxisByNumber(1)->RangeMin, -5);
    // The image is stable: saving the loaded control gives the same bytes.
    EXPECT_EQ(target.SaveStream(), stream);
}

TEST_F(PersistTest, AnnotationsAndTheirTextObjectsComeBackAsTheyWere) {
    CVortigaCtrl source;
    BuildRichPlot(source);
    CVortigaCtrl target;
    target.LoadStream(source.SaveStream());
    const CPlotLook& p = target.Plot();
    ASSERT_EQ(p.Annotations.size(), 5u);
    EXPECT_EQ(p.Annotations[0]->Text, "feed \r\n started");
    EXPECT_EQ(p.Annotations[4]->Text, "pumpoff");
    EXPECT_EQ(p.Annotations[4]->LeaderLocked, 1);
    EXPECT_EQ(p.Annotations[0]->Font->Face, "Arial");
    EXPECT_EQ(p.Annotations[1]->Attachment, CPlotAnnotation::kDataPoint);
    EXPECT_EQ(p.Annotations[1]->GetPosition(), (CPlotAnnotation::Position{2.5f, 6.25f, 0.1f, -0.05f, 1}));
    EXPECT_EQ(p.Annotations[2]->Hidden, 1);
    EXPECT_EQ(p.Annotations[3]->Font, nullptr);
    for (const auto& a : p.Annotations) EXPECT_EQ(a->NewMark, 0) << "loaded notes are placed";
    // The host's text object ids still name the same annotations.
    std::vector<std::pair<int, int>> texts;
    for (const auto& o : source.Plot().Objects) {
        if (o->Kind == PlotObjKind::Text) texts.emplace_back(o->Id, o->AnnotationIndex);
    }
    std::vector<std::pair<int, int>> loaded;
    for (const auto& o : p.Objects) {
        if (o->Kind == PlotObjKind::Text) loaded.emplace_back(o->Id, o->AnnotationIndex);
    }
    EXPECT_EQ(loaded, texts);
}

TEST_F(PersistTest, StoredAnnotationsTheLoaderCannotTrustAreMadeSafe) {
    CVortigaCtrl source;
    source.ResetState();
    const std::vector<std::uint8_t> plain = source.SaveStream();
    // Rebuild the image with annotation records as an older or damaged writer might leave them.
    ControlImage image = ParseControlImage(plain, source, {});
    AnnotationImage a;
    a.text = "note";
    a.flags = {99, 0, -1, 2, 0, 0, 0, 0, 7, 0};   // colour 99, attachment -1, curve 7 of 1
    image.annotations.push_back(a);
    a.flags[2] = 12;
    image.annotations.push_back(a);
    // An id a line object holds already, an id below the object ids, an annotation not stored.
    const int lineId = source.Plot().Objects.front()->Id;
    image.objects.push_back({2, lineId, 1, -1, -1, 0, 0, 1});
    image.objects.push_back({2, 5, 1, -1, -1, 0, 1, 1});
    image.objects.push_back({2, 600, 1, -1, -1, 0, 9, 1});
    BinaryWriter out;
    WriteControlImage(out, image);

    CVortigaCtrl target;
    target.LoadStream(out.Data());
    const CPlotLook& p = target.Plot();
    ASSERT_EQ(p.Annotations.size(), 2u);
    EXPECT_EQ(p.Annotations[0]->Color, 0);
    EXPECT_EQ(p.Annotations[0]->Attachment, CPlotAnnotation::kFree);
    EXPECT_EQ(p.Annotations[0]->AttachedVariable, 0);
    EXPECT_EQ(p.Annotations[1]->Attachment, CPlotAnnotation::kFree);
    std::vector<int> ids;
    std::vector<int> indexes;
    for (const auto& o : p.Objects) {
        ids.push_back(o->Id);
        if (o->Kind == PlotObjKind::Text) indexes.push_back(o->AnnotationIndex);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, -1}));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "ids stay unique";
    EXPECT_GT(ids.front(), ObjectIdAllocator::kReservedMax);
    RecordingSurface dc;
    target.OnSize(200, 100);
    target.OnDraw(dc, {0, 0, 200, 100}, {0, 0, 200, 100});
}

TEST_F(PersistTest, AWrappedRingReloadsInTimeOrder) {
    CVortigaCtrl source;
    source.ResetState();
    Put(source, "BufferSize", Variant(std::int32_t{5}));
    Put(source, "RunPlot", Variant(true));
    CPlotLook& p = source.Plot();
    for (int t = 0; t < 8; ++t) {
        p.XVar(0)->SetValue(p.XVar(0)->WritePos, t);
        p.YVar(0)->SetValue(p.YVar(0)->WritePos, 10.0 * t);
    }
    CVortigaCtrl target;
    target.LoadStream(source.SaveStream());
    const CPlotVar& x = *target.Plot().XVar(0);
    EXPECT_EQ(x.Capacity(), 5u);
    EXPECT_EQ(x.OrderedValues(), (std::vector<double>{3, 4, 5, 6, 7}));
    EXPECT_EQ(target.Plot().YVar(0)->OrderedValues(), (std::vector<double>{30, 40, 50, 60, 70}));
    for (std::uint32_t i = 0; i + 1 < x.Capacity(); ++i) EXPECT_LT(x.Values[i], x.Values[i + 1]);
}

struct BadStreamTest : PersistTest {
    CVortigaCtrl target;
    std::vector<std::uint8_t> valid;
    std::string before;

    BadStreamTest() {
        CVortigaCtrl source;
        BuildRichPlot(source);
        valid = source.SaveStream();
        Restart();
        before = Fingerprint(target);
    }

    void Restart() {
        target.phasePlot = false;
        target.zoomed = false;
        target.ResetState();
        target.OnSize(300, 200);
        Put(target, "nvariables", Variant(std::int16_t{2}));
        target.Plot().SetData(2, 1, 42.0);
    }

    // Loads data; a failure must be an automation error that leaves the control unchanged.
    bool LoadOrKeep(std::span<const std::uint8_t> data) {
        try {
            target.LoadStream(data);
            return true;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.Code(), HResult::Fail);
            EXPECT_FALSE(e.Message().empty());
            EXPECT_EQ(Fingerprint(target), before);
            return false;
        }
    }
};

TEST_F(BadStreamTest, EveryTruncationFails) {
    for (std::size_t n = 0; n < valid.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(LoadOrKeep(std::span(valid).first(n)));
    }
    // And the control still works.
    RecordingSurface dc;
    target.OnSize(200, 100);
    target.OnDraw(dc, {0, 0, 200, 100}, {0, 0, 200, 100});
}

TEST_F(BadStreamTest, FlippedBytesAreFound) {
    for (std::size_t k = 0; k < valid.size(); ++k) {
        std::vector<std::uint8_t> damaged = valid;
        damaged[k] ^= 0x5A;
        EXPECT_FALSE(LoadOrKeep(damaged)) << k;
    }
    std::vector<std::uint8_t> longer = valid;
    longer.insert(longer.end() - 4, 0);
    EXPECT_FALSE(LoadOrKeep(longer));
}

TEST_F(BadStreamTest, HostileValuesWithAValidChecksumFailCleanlyOrLoadSafely) {
    const std::uint32_t patterns[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x0000FFFFu};
    const std::size_t body = valid.size() - 4;
    int loaded = 0;
    for (std::size_t k = 0; k + 4 <= body; ++k) {
        for (std::uint32_t pattern : patterns) {
            std::vector<std::uint8_t> hostile = valid;
            for (int b = 0; b < 4; ++b) hostile[k + b] = static_cast<std::uint8_t>(pattern >> (8 * b));
            const std::uint32_t crc = Crc32(std::span(hostile).first(body));
            for (int b = 0; b < 4; ++b) hostile[body + b] = static_cast<std::uint8_t>(crc >> (8 * b));
            if (LoadOrKeep(hostile)) {
                ++loaded;
                // Whatever loaded must be usable; then start over from the known state.
                RecordingSurface dc;
                CPlotLook& p = target.Plot();
                p.Draw(dc, {0, 0, 100, 100}, 0, 1);
                for (const auto& o : p.Objects) {
                    o->HitTest(p, {50, 50});
                    o->SetFlags(p, 5, 7);
                    p.GetObjectPoint(o->Id, 1);
                }
                Restart();
                ASSERT_EQ(Fingerprint(target), before);
            }
        }
    }
    // Texts and values may take any bytes; counts and lengths may not.
    EXPECT_GT(loaded, 0);
}

TEST_F(BadStreamTest, DataThatIsNotAPlotImageIsRefused) {
    EXPECT_FALSE(LoadOrKeep({}));
    EXPECT_FALSE(LoadOrKeep(std::vector<std::uint8_t>(64, 0xAB)));
    // Properties alone, sealed correctly, but no plot after them.
    BinaryWriter out;
    ControlProperties props;
    ArchiveExchange px(out);
    ExchangeControlProperties(px, props, {});
    out.U32(Crc32(out.Data()));
    EXPECT_FALSE(LoadOrKeep(out.Data()));
}

}  // namespace
}  // namespace vtg
