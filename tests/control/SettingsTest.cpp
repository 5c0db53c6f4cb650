// GetSettings and SetSettings through the dispatch interface: the text a plot of each kind
// writes reads back into a new control that writes the same text; a hand-written text sets
// what it says; hostile and damaged texts are refused whole or skipped line by line, and a
// text refused or failing leaves the control as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/RecordingSurface.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotLegendRgn.h"
#include "MethodsTestSupport.h"

namespace vtg {
namespace {

using test::I2;
using test::Put;

struct SettingsHost : test::MethodsFixture {
    std::string Settings() { return Call("GetSettings").ToString(); }
    void Apply(const std::string& text) { Call("SetSettings", {Variant(text)}); }
    void Text(const std::string& text, double x, double y) {
        Call("AddText", {Variant(text), Variant(static_cast<float>(x)), Variant(static_cast<float>(y)), I2(3), I2(1),
                         Variant("Arial"), I2(12), I2(1)});
    }
    void Data(int var, std::initializer_list<double> values) {
        int i = 0;
        for (double v : values) Call("SetData", {I2(var), I2(i++), Variant(v)});
    }
    // Draws the plot once, so that whatever a text left in it is also laid out and drawn.
    void Draw() {
        RecordingSurface dc;
        Plot().Draw(dc, {0, 0, 400, 300}, 0, 1);
    }
    // The text a new control writes after reading text.
    static std::string Reread(const std::string& text) {
        test::MethodsFixture other;
        std::vector<Variant> args{Variant(text)};
        InvokeByName(other.Ctrl(), "SetSettings", InvokeKind::Method, args);
        std::vector<Variant> none;
        return InvokeByName(other.Ctrl(), "GetSettings", InvokeKind::Method, none).ToString();
    }
};

struct SettingsTest : SettingsHost, testing::Test {};

// ---- round trips ----

TEST_F(SettingsTest, EveryPlotKindReadsBackIntoTheSameText) {
    using Build = std::function<void(SettingsHost&)>;
    const std::vector<std::pair<const char*, Build>> kinds{
        {"xy with three Y axes, objects and symbols",
         [](SettingsHost& t) {
             Put(t.Ctrl(), "nvariables", I2(3));
             Put(t.Ctrl(), "npoints", I2(4));
             t.Data(0, {0, 1, 2, 3});
             t.Data(1, {1, 2, 3, 4});
             t.Data(2, {1e6, 1.5e6, 2e6, 1.2e6});
             t.Data(3, {-1, 0, 1, 0.5});
             for (int v = 0; v < 3; ++v) t.Call("SetAxisMap", {I2(v), I2(v + 1)});
             t.Call("SetAxisMap", {I2(-1), I2(0)});
             t.Call("SetLabel", {I2(2), Variant("Pressure [bar]")});
             t.Call("SetLegend", {I2(1), Variant("Flow")});
             t.Call("SetSubstitutionValue", {I2(1), Variant("F-101")});
             t.Call("SetAxisRange", {I2(1), Variant(1000000.5), Variant(1000001.5)});
             t.Call("SetAttribute", {I2(2), I2(5), I2(3), I2(9)});
             t.Call("SetVarLineAttributes", {I2(1), I2(4), I2(2), I2(1), I2(6), I2(7), I2(2)});
             t.Call("SetFont", {I2(2), Variant("Arial"), I2(14), I2(2)});
             t.Call("SetSymbol", {Variant("Unit"), Variant("bar")});
             t.Call("SetSymbol", {Variant("date"), Variant("lower case is a symbol of its own")});
             t.Text("Two\nlines: &[Unit]", 0.25, 0.75);
             t.Call("NewText", {Variant("object text"), Variant(0.5), Variant(0.5), I2(-1)});
             t.Call("NewLine", {I2(3), I2(1), I2(0), I2(0), I2(0)});
             Put(t.Ctrl(), "ShowLegend", Variant(true));
         }},
        {"bar graph",
         [](SettingsHost& t) {
             Put(t.Ctrl(), "PlotType", I2(1));
             Put(t.Ctrl(), "nvariables", I2(2));
             t.Call("SetAttribute", {I2(1), I2(3), I2(2), I2(5)});
         }},
        {"log axes, flipped, square with diagonal",
         [](SettingsHost& t) {
             t.Call("SetAxisScale", {I2(0), I2(1)});
             t.Call("SetAxisScale", {I2(1), I2(1)});
             t.Call("SetAxisRange", {I2(0), Variant(1e-3), Variant(1e5)});
             Put(t.Ctrl(), "SquarePlot", Variant(true));
             Put(t.Ctrl(), "DiagonalLine", Variant(true));
             Put(t.Ctrl(), "Flipped", Variant(true));
             Put(t.Ctrl(), "MarkerSize", I2(7));
         }},
        {"run plot with data and a tied annotation",
         [](SettingsHost& t) {
             Put(t.Ctrl(), "nvariables", I2(2));
             Put(t.Ctrl(), "BufferSize", Variant(std::int32_t{50}));
             Put(t.Ctrl(), "RunPlot", Variant(true));
             Put(t.Ctrl(), "TimeWindow", Variant(10.0f));
             for (int k = 0; k < 5; ++k) t.Call("AddTimeData", {I2(1), Variant(1.7e9 + k), Variant(k * 2.0)});
             t.Call("SetLegend", {I2(1), Variant("T-1")});
             t.Call("SetLegend", {I2(2), Variant("T-2")});
             t.Text("free", 0.1, 0.1);
         }},
        {"phase plot", [](SettingsHost& t) { t.Call("SetPhasePlot", {Variant(true)}); }},
        {"parametric", [](SettingsHost& t) { Put(t.Ctrl(), "Parametric", Variant(true)); }},
        {"triangular", [](SettingsHost& t) { Put(t.Ctrl(), "PlotType", I2(2)); }},
        {"weibull", [](SettingsHost& t) { Put(t.Ctrl(), "PlotType", I2(4)); }},
        {"no variables", [](SettingsHost& t) { Put(t.Ctrl(), "nvariables", I2(0)); }},
    };
    // Texts that change once when read: a log axis built with the range 0..1 is read back
    // into the log domain (0.001..1), and a run plot starts again at time 0.
    const std::set<std::string> settle{"log axes, flipped, square with diagonal", "weibull",
                                       "run plot with data and a tied annotation"};
    for (const auto& [name, build] : kinds) {
        SettingsHost t;
        build(t);
        t.Draw();
        if (settle.count(name)) {
            const std::string first = t.Settings();
            t.Apply(first);
            EXPECT_NE(t.Settings(), first) << name;
        }
        const std::string text = t.Settings();
        EXPECT_EQ(Reread(text), text) << name;
        // Reading its own text again changes nothing either.
        t.Apply(text);
        EXPECT_EQ(t.Settings(), text) << name;
    }
}

TEST_F(SettingsTest, TextObjectsAreMadeOncePerAnnotationWhateverTheTextRepeats) {
    Text("a", 0.1, 0.1);
    Text("b", 0.2, 0.2);
    const std::string text = Settings();
    for (int i = 0; i < 3; ++i) Apply(text);
    ASSERT_EQ(Plot().Annotations.size(), 2u);
    std::vector<int> indexes;
    for (const auto& o : Plot().Objects) {
        if (o->Kind == PlotObjKind::Text) indexes.push_back(o->AnnotationIndex);
    }
    EXPECT_EQ(indexes, (std::vector<int>{0, 1}));

    // A second AnnoFont changes the font only; a block without AnnoFont never joins the plot;
    // an AnnoAttrib2 repeated or after the commit makes no second object.
    Apply("Annotation:one\nAnnoAttrib2:0 1 0 2 0 0\nAnnoAttrib2:0 2 0 2 0 0\nAnnoFont:10 0 0:Arial\n"
          "AnnoFont:20 0 0:Arial\nAnnoAttrib2:0 3 0 2 0 0\n"
          "Annotation:dropped\nAnnoAttrib2:0 1 0 2 0 0\n"
          "Annotation:two\nAnnoPosX:0.5\nAnnoPos2:0 0 99\nAnnoFont:10 0 0\n");
    ASSERT_EQ(Plot().Annotations.size(), 2u);
    EXPECT_EQ(Plot().Annotations[0]->Text, "one");
    EXPECT_EQ(Plot().Annotations[0]->Font->Size, 20);
    EXPECT_EQ(Plot().Annotations[0]->Color, 3);
    EXPECT_EQ(Plot().Annotations[1]->Text, "two");
    EXPECT_EQ(Plot().Annotations[1]->Font, nullptr);
    EXPECT_EQ(Plot().Annotations[1]->AnchorX, 0.5f);
    EXPECT_EQ(Plot().Annotations[1]->AttachedVariable, 0);
    int texts = 0;
    for (const auto& o : Plot().Objects) texts += o->Kind == PlotObjKind::Text ? 1 : 0;
    EXPECT_EQ(texts, 1);
    Draw();
}

TEST_F(SettingsTest, RunPlotCaptionsAndLegendsStayApart) {
    Put(Ctrl(), "nvariables", I2(2));
    Put(Ctrl(), "RunPlot", Variant(true));
    Call("SetLegend", {I2(1), Variant("first")});
    Call("SetLegend", {I2(2), Variant("second")});
    Plot().YAxisRegion(1)->Label.Text = "Temperature";
    const std::string text = Settings();
    test::MethodsFixture other;
    std::vector<Variant> args{Variant(text)};
    InvokeByName(other.Ctrl(), "SetSettings", InvokeKind::Method, args);
    EXPECT_EQ(other.Plot().YVar(0)->Label.Text, "first");
    EXPECT_EQ(other.Plot().YAxisRegion(1)->Label.Text, "Temperature");
}

// ---- a text written by hand ----

TEST_F(SettingsTest, AHandWrittenTextSetsWhatItSays) {
    std::ifstream in(std::string(std::getenv("VORTIGA_TEST_DATA")) + "/settings/handmade.vts", std::ios::binary);
    ASSERT_TRUE(in);
    std::ostringstream text;
    text << in.rdbuf();
    Apply(text.str());
    CPlotLook& p = Plot();
    EXPECT_EQ(Ctrl().Title, "Separator V-12");
    EXPECT_FALSE(Ctrl().ShowTitle);
    EXPECT_EQ(Ctrl().nvariables, 2);
    EXPECT_EQ(Ctrl().TimeWindow, 60.0f);
    EXPECT_EQ(Ctrl().TimeScrollUnit, 12.0f);  // 0 is clamped to a fifth of the window
    EXPECT_EQ(Ctrl().CommunicationIntervals, 3);
    EXPECT_EQ(p.SubstitutionString, "%");
    EXPECT_EQ(p.GetLabel(0), "Time\r");
    EXPECT_EQ(p.XLabelRgn->ColorIndex, 4);
    ASSERT_EQ(p.YAxisCount(), 2);
    EXPECT_EQ(p.YVar(1)->AxisMap, 2);
    EXPECT_EQ(p.YAxisRegion(2)->Label.Text, "Level [%]");
    EXPECT_EQ(p.YAxisRegion(2)->ColorIndex, 0);  // 17 is no palette colour
    EXPECT_EQ(p.YVar(0)->Label.Text, "Pressure");
    EXPECT_EQ(p.YVar(0)->SubstValue, "PI-3");
    EXPECT_EQ(p.YVar(1)->Hidden, 1);
    const CPlotAxis& x = *p.AxisByNumber(0);
    EXPECT_EQ(x.RangeMin, 1000000.5);
    EXPECT_EQ(x.RangeMax, 1000060.5);
    EXPECT_EQ(x.Scale, 0);
    EXPECT_EQ(x.Multiplier, 3);
    const CPlotAxis& y2 = *p.AxisByNumber(2);
    EXPECT_EQ(y2.Scale, 1);
    EXPECT_EQ(y2.Reverse, 1);
    EXPECT_EQ(y2.UserInterval, 0.5);
    EXPECT_EQ(y2.RangeMax, 100);  // the nan line was skipped
    EXPECT_EQ(p.YVar(0)->PenWidth, 3);  // four-number form: code 5 is width 3
    EXPECT_EQ(p.YVar(0)->PenStyle, 0);
    EXPECT_EQ(p.YVar(0)->Marker, 2);
    EXPECT_EQ(p.YVar(0)->Color, 6);
    EXPECT_EQ(p.YVar(1)->PenStyle, 2);
    EXPECT_EQ(p.YVar(1)->VarMarkerSize, 8);
    const CVTGFont* axisFont = p.Fonts[CPlotLook::kAxisFont].Horizontal();
    EXPECT_EQ(axisFont->Face, "DejaVu Sans");
    EXPECT_EQ(axisFont->Size, 11);
    EXPECT_EQ(p.GridType, 2);
    EXPECT_EQ(p.DisplayType, 1);
    EXPECT_EQ(p.ZeroLine, 1);
    EXPECT_EQ(p.MarkerInterval, 3);
    EXPECT_EQ(p.ShowLegend, 1);
    EXPECT_EQ(p.LegendX, 0.5f);
    EXPECT_EQ(p.LegendRgn->Margin, 6);  // the absurd LegendBox2 line was skipped
    ASSERT_EQ(p.Annotations.size(), 1u);
    const CPlotAnnotation& a = *p.Annotations[0];
    EXPECT_EQ(a.Text, "High level");
    EXPECT_EQ(a.AnchorX, std::numeric_limits<float>::max());
    EXPECT_EQ(a.AnchorY, 80.0f);
    EXPECT_EQ(a.Attachment, CPlotAnnotation::kAxis);
    EXPECT_EQ(a.Color, 12);
    EXPECT_EQ(a.Font->Face, "Arial");
    EXPECT_EQ(p.LookupSymbol("Site").value, "North");
}

// ---- hostile and damaged texts ----

TEST_F(SettingsTest, UnsoundValuesAreSkippedLineByLine) {
    Put(Ctrl(), "nvariables", I2(2));
    struct Row {
        const char* text;
        std::function<bool(CVortigaCtrl&, CPlotLook&)> holds;
    };
    const Row rows[] = {
        {"NYaxes:0\n", [](CVortigaCtrl&, CPlotLook& p) { return p.YAxisCount() == 1; }},
        {"NYaxes:garbage\n", [](CVortigaCtrl&, CPlotLook& p) { return p.YAxisCount() == 1; }},
        {"AxisMap:3\nVar:9\nAxisMap:2\nVar:1\nAxisMap:-5\nLabel:x\n",
         [](CVortigaCtrl&, CPlotLook& p) { return p.YAxisCount() == 1 && p.GetLabel(-1).empty(); }},
        {"Var:1\nAxisMap:2147483648\nLabel:y\n", [](CVortigaCtrl&, CPlotLook& p) { return p.GetLabel(1) == "y"; }},
        {"Axis:-1\nRange:5 6\nAxisRange:5 6\n", [](CVortigaCtrl&, CPlotLook& p) { return p.AxisByNumber(0)->RangeMax == 1; }},
        {"Axis:7\nAxisRange:5 6\n", [](CVortigaCtrl&, CPlotLook& p) { return p.AxisByNumber(1)->RangeMax == 1; }},
        {"Axis:1\nAxisRange:nan 6\nAxisInterval:-1 0\nARange:0 1 2 1 0 1\nARange3:0 1 0 1 inf 1 0\n",
         [](CVortigaCtrl&, CPlotLook& p) {
             const CPlotAxis& a = *p.AxisByNumber(1);
             return a.RangeMax == 1 && a.UserInterval == 0 && a.ExtentMin == 0 && std::isfinite(a.Interval);
         }},
        {"XLabelColor:-3\nXAxisColor:99999999999\n",
         [](CVortigaCtrl&, CPlotLook& p) { return p.XLabelRgn->ColorIndex == 0 && p.XAxisRgn->ColorIndex == 0; }},
        {"Type:99\nNvars:-1\n", [](CVortigaCtrl& c, CPlotLook&) { return c.PlotType == 0 && c.nvariables == 2; }},
        {"TimeWin:-5\nTimeScroll:nan\n",
         [](CVortigaCtrl& c, CPlotLook&) { return c.TimeWindow == 1.0f && c.TimeScrollUnit == 0.2f; }},
        {"TimeScroll:1e30\n", [](CVortigaCtrl& c, CPlotLook&) { return c.TimeScrollUnit == 0.2f; }},
        {"LegendBox2:-5 1 6\nLegendBox2:20 nan 6\nLegendBox2:20 1 99999\n",
         [](CVortigaCtrl&, CPlotLook& p) { return p.LegendRgn->SampleLength == 20 && p.LegendRgn->Margin == 6; }},
        {"LegendBox:0 inf -1e30\n", [](CVortigaCtrl&, CPlotLook& p) { return p.LegendX == 1.0f && p.LegendY == -1.0f; }},
        {"Attrib:0 1 0 0 99999\nAttrib:-4 1 0 0 3\nAttrib2:5000 1 1 1 1\nHidden:1\n",
         [](CVortigaCtrl&, CPlotLook& p) { return p.YVar(0)->Color != 99999 && p.YVar(0)->Hidden == 0; }},
        {"Font:2 0 0:Arial\nFont:9 10 0:Arial\nFont:1 70000 0:Arial\n",
         [](CVortigaCtrl&, CPlotLook& p) { return p.Fonts[CPlotLook::kAxisFont].Horizontal()->Size == 10; }},
        {"Marker:0 0\nAttrib2:0 1 -5 0 0\n", [](CVortigaCtrl&, CPlotLook& p) { return p.MarkerInterval == 0; }},
        {"AnnoPosX:1\nAnnoFont:10 0 0:Arial\nSymbolValue:orphan\n",
         [](CVortigaCtrl&, CPlotLook& p) { return p.Annotations.empty() && p.LookupSymbol("").value == "orphan"; }},
    };
    const std::string fresh = Settings();
    for (const Row& r : rows) {
        Apply(fresh);
        Apply(r.text);
        EXPECT_TRUE(r.holds(Ctrl(), Plot())) << r.text;
        Draw();
    }
}

TEST_F(SettingsTest, ARefusedTextChangesNothing) {
    Put(Ctrl(), "nvariables", I2(3));
    Text("keep me", 0.5, 0.5);
    Data(1, {1, 2, 3});
    const std::string before = test::Fingerprint(Ctrl());
    const std::string bigLine = "Title:" + std::string(10u << 20, 'x') + "\n";
    const std::vector<std::string> refused{
        std::string("Type:1\nTitle:a\0\n", 16),
        "Type:1\nTitle:\xC3(\n",
        bigLine,
    };
    for (const std::string& text : refused) {
        const AutomationError e = ErrorOf("SetSettings", {Variant(text)});
        EXPECT_EQ(e.Code(), HResult::InvalidArg);
        EXPECT_NE(e.Message().find("SetSettings: line "), std::string::npos) << e.Message();
        EXPECT_EQ(test::Fingerprint(Ctrl()), before);
    }
    // One that fails half-way, on a variable count the plot's budget refuses, is rolled back.
    Plot().SlotBudget = 64;
    Put(Ctrl(), "npoints", I2(10));
    const std::string sized = test::Fingerprint(Ctrl());
    const AutomationError e = ErrorOf("SetSettings", {Variant(std::string("Type:1\nTitle:new\nNvars:50\n"))});
    EXPECT_NE(e.Message().find("line 3 (Nvars)"), std::string::npos) << e.Message();
    EXPECT_EQ(test::Fingerprint(Ctrl()), sized);
}

TEST_F(SettingsTest, DamagedCopiesOfARealTextNeverBreakTheControl) {
    Put(Ctrl(), "nvariables", I2(2));
    Call("SetAxisMap", {I2(1), I2(2)});
    Text("note", 0.3, 0.3);
    Call("SetSymbol", {Variant("S"), Variant("v")});
    const std::string text = Settings();
    // Cut at every byte.
    for (std::size_t n = 0; n <= text.size(); ++n) Apply(text.substr(0, n));
    Draw();
    // Every number replaced by hostile ones.
    const char* hostile[] = {"-1", "0", "2147483648", "nan", "inf", "-inf", "1e308", "#?"};
    for (std::size_t at = text.find(':'); at != std::string::npos; at = text.find(':', at + 1)) {
        const std::size_t end = text.find_first_of(" \n", at + 1);
        if (end == at + 1 || text.find_first_not_of("-.0123456789e+", at + 1) < end) continue;
        for (const char* h : hostile) {
            Apply(text.substr(0, at + 1) + h + text.substr(end));
            Draw();
        }
    }
    // Still a control that writes a text it can read.
    Apply(text);
    const std::string after = Settings();
    Apply(after);
    EXPECT_EQ(Settings(), after);
}

TEST_F(SettingsTest, AMillionVariableLinesAreReadAndTheTextIsKept) {
    std::string text = "Nvars:2\n";
    for (int i = 0; i < 1000000; ++i) text += "Var:1\n";
    text += "Legend:last\n";
    Apply(text);
    EXPECT_EQ(Plot().YVar(0)->Label.Text, "last");
}

TEST_F(SettingsTest, ReadingEndsWithOneRepaintAndReportsTheScrollBarsHidden) {
    const std::string text = Settings();
    Quiet();
    Apply(text);
    EXPECT_GE(Invalidations(), 1u);
    bool zoomedFalse = false;
    for (const auto& e : sink->Events()) zoomedFalse = zoomedFalse || (e.name == "Zoomed" && !e.args[0].ToBool());
    EXPECT_TRUE(zoomedFalse);
}

}  // namespace
}  // namespace vtg
