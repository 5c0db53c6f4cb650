// Late-bound calls through a typed member table: lookup, argument conversion, outputs, errors.
#include <gtest/gtest.h>

#include <cctype>
#include <new>
#include <stdexcept>

#include "platform/Automation.h"

namespace vtg {
namespace {

using I16 = std::int16_t;

// A small stand-in for a control: one member of each binding style.
class FakePlot : public DispatchImpl<FakePlot> {
public:
    static const MemberTable<FakePlot>& Members() {
        static const MemberTable<FakePlot> table = [] {
            MemberTable<FakePlot> m;
            m.Method("Redraw", 100, &FakePlot::Redraw);
            m.Method("SetData", 110, &FakePlot::SetData, {"VarNo", "DataNo", "Value"});
            m.Method("GetRange", 114, &FakePlot::GetRange, {"VarNo", "LowValue", "HighValue"});
            m.Method("SetLabel", 105, &FakePlot::SetLabel, {"AxisNo", "Label"});
            m.Method("GetLabel", 115, &FakePlot::GetLabel, {"AxisNo"});
            m.Method("GetData", 144, &FakePlot::GetData, {"VarNo", "DataNo", "Value"});
            m.Method("CopyToBuffer", 127, &FakePlot::CopyToBuffer, {"Data"});
            m.Method("Describe", 300, &FakePlot::Describe, {"Any"});
            m.Method("Attach", 301, &FakePlot::Attach, {"Object"});
            m.Method("Fail", 302, &FakePlot::Fail, {"How"});
            m.Property("nvariables", 11, &FakePlot::m_nvariables, &FakePlot::OnNvariablesChanged);
            m.Property("Title", 1, &FakePlot::m_title);
            m.Property("ZoomLevel", 42, &FakePlot::GetZoomLevel, &FakePlot::SetZoomLevel);
            m.ReadOnlyProperty("Version", 43, &FakePlot::GetVersion);
            return m;
        }();
        return table;
    }

    void Redraw() noexcept { ++redraws; }
    void SetData(I16 varNo, I16 dataNo, double value) {
        ++calls;
        lastVarNo = varNo;
        lastDataNo = dataNo;
        lastValue = value;
    }
    void GetRange(I16 varNo, double& low, double& high) {
        low = 99.0;   // must not reach the caller when the call fails
        if (varNo < 0) throw AutomationError::InvalidArg("GetRange: VarNo must not be negative");
        low = varNo * 1.5;
        high += 10.0;   // in/out: sees what the caller passed
    }
    void SetLabel(I16, const std::string& label) { m_title = label; }
    std::string GetLabel(I16 axisNo) const { return "axis " + std::to_string(axisNo); }
    bool GetData(I16 varNo, I16, double& value) const {
        if (varNo > 2) return false;
        value = 0.25;
        return true;
    }
    void CopyToBuffer(Variant& data) { data = Variant(static_cast<std::int32_t>(data.Type())); }
    std::int32_t Describe(const Variant& any) { return static_cast<std::int32_t>(any.Type()); }
    bool Attach(std::shared_ptr<IDispatch> object) { return object != nullptr; }
    void Fail(I16 how) {
        if (how == 0) throw std::runtime_error("disk on fire");
        if (how == 1) throw std::bad_alloc();
        throw 42;
    }
    void OnNvariablesChanged() { ++notified; }
    float GetZoomLevel() const { return zoom; }
    void SetZoomLevel(float z) { zoom = z * 2.0f; }
    std::string GetVersion() const { return "3.80"; }

    int calls = 0;
    int redraws = 0;
    I16 lastVarNo = 0;
    I16 lastDataNo = 0;
    double lastValue = 0.0;
    I16 m_nvariables = 1;
    std::string m_title;
    int notified = 0;
    float zoom = 1.0f;
};

Variant Call(IDispatch& obj, std::string_view name, std::vector<Variant>& args) {
    return InvokeByName(obj, name, InvokeKind::Method, args);
}

HResult ErrorOf(const std::function<void()>& f, std::string* message = nullptr, int* argIndex = nullptr) {
    try {
        f();
    } catch (const AutomationError& e) {
        if (message) *message = e.what();
        if (argIndex) *argIndex = e.ArgIndex();
        return e.Code();
    }
    return HResult::Ok;
}

TEST(Dispatch, FindsMembersByNameIgnoringCase) {
    FakePlot plot;
    EXPECT_EQ(plot.GetIDsOfNames("SetData"), 110);
    EXPECT_EQ(plot.GetIDsOfNames("setdata"), 110);
    EXPECT_EQ(plot.GetIDsOfNames("NVARIABLES"), 11);
    std::string message;
    EXPECT_EQ(ErrorOf([&] { plot.GetIDsOfNames("SetDatum"); }, &message), HResult::UnknownName);
    EXPECT_NE(message.find("SetDatum"), std::string::npos) << message;
}

TEST(Dispatch, ConvertsArgumentsToTheDeclaredTypes) {
    FakePlot plot;
    std::vector<Variant> none;
    EXPECT_TRUE(plot.Invoke(100, InvokeKind::Method, none).IsEmpty());
    EXPECT_EQ(plot.redraws, 1);

    std::vector<Variant> args{2.5, "12", "4.25"};
    EXPECT_TRUE(plot.Invoke(110, InvokeKind::Method, args).IsEmpty());
    EXPECT_EQ(plot.calls, 1);
    EXPECT_EQ(plot.lastVarNo, 2);   // half to even
    EXPECT_EQ(plot.lastDataNo, 12);
    EXPECT_EQ(plot.lastValue, 4.25);

    Variant byRefInput(I16{3});
    args = {Variant::Ref(byRefInput), true, Variant()};
    plot.Invoke(110, InvokeKind::Method, args);
    EXPECT_EQ(plot.lastVarNo, 3);
    EXPECT_EQ(plot.lastDataNo, -1);
    EXPECT_EQ(plot.lastValue, 0.0);

    args = {I16{1}, 0.1};   // numbers reach a text parameter in their shortest form
    Call(plot, "SetLabel", args);
    EXPECT_EQ(plot.m_title, "0.1");
}

TEST(Dispatch, WritesOutputsInPlaceOrThroughReferences) {
    FakePlot plot;
    std::vector<Variant> args{I16{2}, Variant(), Variant()};
    Call(plot, "GetRange", args);
    EXPECT_EQ(args[1], Variant(3.0));
    EXPECT_EQ(args[2], Variant(10.0));

    Variant low;
    Variant high("5");   // in/out: converted on the way in, declared type on the way out
    args = {I16{4}, Variant::Ref(low), Variant::Ref(high)};
    Call(plot, "GetRange", args);
    EXPECT_EQ(low, Variant(6.0));
    EXPECT_EQ(high, Variant(15.0));
    EXPECT_EQ(high.Type(), VarType::R8);
}

TEST(Dispatch, LeavesOutputsAloneWhenTheCallFails) {
    FakePlot plot;
    Variant low;
    std::vector<Variant> args{I16{-1}, Variant::Ref(low), Variant()};
    std::string message;
    EXPECT_EQ(ErrorOf([&] { Call(plot, "GetRange", args); }, &message), HResult::InvalidArg);
    EXPECT_EQ(message, "GetRange: VarNo must not be negative");
    EXPECT_TRUE(low.IsEmpty());
    EXPECT_TRUE(args[2].IsEmpty());
}

TEST(Dispatch, ReturnsResultsWithTheirTypes) {
    FakePlot plot;
    std::vector<Variant> args{I16{2}};
    EXPECT_EQ(Call(plot, "GetLabel", args), Variant("axis 2"));

    args = {I16{1}, I16{0}, Variant()};
    EXPECT_EQ(Call(plot, "GetData", args), Variant(true));
    EXPECT_EQ(args[2], Variant(0.25));
    args = {I16{9}, I16{0}, Variant()};
    EXPECT_EQ(Call(plot, "GetData", args), Variant(false));
}

TEST(Dispatch, PassesVariantsAndObjectsThrough) {
    FakePlot plot;
    Variant s("text");
    std::vector<Variant> args{Variant::Ref(s)};
    EXPECT_EQ(Call(plot, "Describe", args).ToI4(), static_cast<int>(VarType::Bstr));   // any: not converted

    Variant data(SafeArray2D(VarType::R4, 0, 2, 0, 2));
    args = {Variant::Ref(data)};
    Call(plot, "CopyToBuffer", args);
    EXPECT_EQ(data, Variant(static_cast<std::int32_t>(VarType::Array | VarType::R4)));

    args = {std::make_shared<DispatchObject>()};
    EXPECT_EQ(Call(plot, "Attach", args), Variant(true));
    args = {Variant()};
    EXPECT_EQ(Call(plot, "Attach", args), Variant(false));
    args = {"object"};
    EXPECT_EQ(ErrorOf([&] { Call(plot, "Attach", args); }), HResult::TypeMismatch);
}

TEST(Dispatch, PropertiesGetAndPut) {
    FakePlot plot;
    PutProperty(plot, "nvariables", "3");
    EXPECT_EQ(plot.m_nvariables, 3);
    EXPECT_EQ(plot.notified, 1);
    PutProperty(plot, "nvariables", I16{3});   // notify runs on every put, as for a changed value
    EXPECT_EQ(plot.notified, 2);
    EXPECT_EQ(GetProperty(plot, "nvariables"), Variant(I16{3}));

    PutProperty(plot, "Title", 1.5);
    EXPECT_EQ(plot.m_title, "1.5");

    PutProperty(plot, "ZoomLevel", 2.5);
    EXPECT_EQ(plot.zoom, 5.0f);
    EXPECT_EQ(GetProperty(plot, "zoomlevel"), Variant(5.0f));
    EXPECT_EQ(GetProperty(plot, "Version"), Variant("3.80"));
}

struct BadCall {
    const char* label;
    DispId id;
    InvokeKind kind;
    std::size_t argCount;
    HResult error;
    const char* mentions;   // the message must name this
};

class DispatchErrors : public ::testing::TestWithParam<BadCall> {};

TEST_P(DispatchErrors, AreReportedWithACodeAndAMessageNamingTheMember) {
    const BadCall& c = GetParam();
    FakePlot plot;
    std::vector<Variant> args(c.argCount, Variant(I16{1}));
    std::string message;
    EXPECT_EQ(ErrorOf([&] { plot.Invoke(c.id, c.kind, args); }, &message), c.error);
    EXPECT_NE(message.find(c.mentions), std::string::npos) << message;
    EXPECT_EQ(plot.calls, 0);
    EXPECT_EQ(plot.notified, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DispatchErrors,
    ::testing::Values(
        BadCall{"unknown dispid", 999, InvokeKind::Method, 0, HResult::MemberNotFound, "999"},
        BadCall{"method as get", 110, InvokeKind::PropertyGet, 0, HResult::MemberNotFound, "SetData"},
        BadCall{"method as put", 110, InvokeKind::PropertyPut, 1, HResult::MemberNotFound, "SetData"},
        BadCall{"property as method", 11, InvokeKind::Method, 0, HResult::MemberNotFound, "nvariables"},
        BadCall{"put read-only", 43, InvokeKind::PropertyPut, 1, HResult::MemberNotFound, "Version"},
        BadCall{"argument to none", 100, InvokeKind::Method, 1, HResult::BadParamCount, "Redraw expects 0"},
        BadCall{"too few", 110, InvokeKind::Method, 2, HResult::BadParamCount, "SetData expects 3"},
        BadCall{"too many", 110, InvokeKind::Method, 4, HResult::BadParamCount, "SetData expects 3"},
        BadCall{"get with args", 11, InvokeKind::PropertyGet, 1, HResult::BadParamCount, "nvariables"},
        BadCall{"put without value", 11, InvokeKind::PropertyPut, 0, HResult::BadParamCount, "nvariables"},
        BadCall{"put two values", 42, InvokeKind::PropertyPut, 2, HResult::BadParamCount, "ZoomLevel"}),
    [](const auto& info) {
        std::string name = info.param.label;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        }
        return name;
    });

TEST(Dispatch, ConversionFailuresNameTheParameter) {
    FakePlot plot;
    struct Row {
        std::vector<Variant> args;
        int argIndex;
        const char* param;
    };
    const Row rows[] = {
        {{"x", I16{1}, 1.0}, 0, "VarNo"},
        {{I16{1}, 40000.0, 1.0}, 1, "DataNo"},   // out of range for a short
        {{I16{1}, I16{1}, std::make_shared<DispatchObject>()}, 2, "Value"},
    };
    for (Row row : rows) {
        std::string message;
        int argIndex = -1;
        EXPECT_EQ(ErrorOf([&] { Call(plot, "SetData", row.args); }, &message, &argIndex), HResult::TypeMismatch);
        EXPECT_EQ(argIndex, row.argIndex);
        EXPECT_NE(message.find("SetData"), std::string::npos) << message;
        EXPECT_NE(message.find(row.param), std::string::npos) << message;
    }
    std::string message;
    EXPECT_EQ(ErrorOf([&] { PutProperty(plot, "nvariables", "many"); }, &message), HResult::TypeMismatch);
    EXPECT_NE(message.find("nvariables"), std::string::npos) << message;
    EXPECT_EQ(plot.calls, 0);
    EXPECT_EQ(plot.notified, 0);
}

TEST(Dispatch, HandlerExceptionsBecomeAutomationErrors) {
    FakePlot plot;
    const std::pair<I16, HResult> rows[] = {{0, HResult::Fail}, {1, HResult::OutOfMemory}, {2, HResult::Fail}};
    for (auto [how, code] : rows) {
        std::vector<Variant> args{how};
        std::string message;
        EXPECT_EQ(ErrorOf([&] { Call(plot, "Fail", args); }, &message), code) << how;
        EXPECT_NE(message.find("Fail"), std::string::npos) << message;
    }
    std::vector<Variant> args{I16{0}};
    std::string message;
    ErrorOf([&] { Call(plot, "Fail", args); }, &message);
    EXPECT_NE(message.find("disk on fire"), std::string::npos) << message;
}

TEST(MemberTableInfo, DescribesParametersOutputsAndResults) {
    FakePlot plot;
    const MemberTableCore* info = plot.GetTypeInfo();
    ASSERT_EQ(info, &FakePlot::Members());
    EXPECT_EQ(info->Size(), 14u);

    const MemberInfo* range = info->Find("getrange");
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->params, (std::vector<ParamInfo>{{"VarNo", VarType::I2, false},
                                                     {"LowValue", VarType::R8, true},
                                                     {"HighValue", VarType::R8, true}}));
    EXPECT_EQ(range->result, VarType::Empty);
    EXPECT_EQ(info->Find(144)->result, VarType::Bool);
    EXPECT_EQ(info->Find("CopyToBuffer")->params[0].type, VarType::Variant);
    EXPECT_TRUE(info->Find("CopyToBuffer")->params[0].out);
    EXPECT_EQ(info->Find("Attach")->params[0].type, VarType::Dispatch);

    const MemberInfo* version = info->Find(43);
    EXPECT_EQ(version->kind, MemberKind::Property);
    EXPECT_EQ(version->result, VarType::Bstr);
    EXPECT_TRUE(version->canGet);
    EXPECT_FALSE(version->canPut);
    EXPECT_EQ(info->Find("nvariables")->result, VarType::I2);
    EXPECT_EQ(info->Find(12345), nullptr);
}

TEST(MemberTableInfo, RejectsInconsistentDeclarations) {
    MemberTable<FakePlot> m;
    m.Method("SetData", 110, &FakePlot::SetData, {"VarNo", "DataNo", "Value"});
    EXPECT_THROW(m.Method("SETDATA", 111, &FakePlot::SetData, {"a", "b", "c"}), std::logic_error);
    EXPECT_THROW(m.Method("Other", 110, &FakePlot::SetData, {"a", "b", "c"}), std::logic_error);
    EXPECT_THROW(m.Method("Short", 112, &FakePlot::SetData, {"VarNo"}), std::logic_error);
    EXPECT_EQ(m.Size(), 1u);
}

// A hand-written server of the kind the control calls for its texts.
TEST(DispatchObjectTest, ServesMethodsAndPropertiesRegisteredAtRunTime) {
    auto server = std::make_shared<DispatchObject>();
    server->AddMethod("GetVortigaPlotResourceString", {"key", "text"}, [](std::vector<Variant>& args) {
        SetOutArg(args[1], Variant("text of " + args[0].ToString()));
        return Variant(std::int32_t{1});
    });
    double level = 1.0;
    server->AddProperty("Level", [&] { return Variant(level); }, [&](const Variant& v) { level = v.ToR8(); });
    server->AddProperty("Name", [] { return Variant("srv"); });
    server->AddMethod("Boom", [](std::vector<Variant>&) -> Variant { throw std::runtime_error("no dialog"); });

    Variant text("");
    std::vector<Variant> args{"IDS_PLOTCTRL_TITLE", Variant::Ref(text)};
    EXPECT_EQ(Call(*server, "getvortigaplotresourcestring", args), Variant(std::int32_t{1}));
    EXPECT_EQ(text, Variant("text of IDS_PLOTCTRL_TITLE"));

    args = {"IDS_X"};
    EXPECT_EQ(ErrorOf([&] { Call(*server, "GetVortigaPlotResourceString", args); }), HResult::BadParamCount);

    PutProperty(*server, "level", "2.5");
    EXPECT_EQ(level, 2.5);
    EXPECT_EQ(GetProperty(*server, "Level"), Variant(2.5));
    EXPECT_EQ(ErrorOf([&] { PutProperty(*server, "Name", "x"); }), HResult::MemberNotFound);

    args = {1, 2, 3};
    std::string message;
    EXPECT_EQ(ErrorOf([&] { Call(*server, "Boom", args); }, &message), HResult::Fail);
    EXPECT_NE(message.find("no dialog"), std::string::npos);
}

TEST(DispatchObjectTest, AssignsDistinctIdsAndRefusesClashes) {
    DispatchObject obj;
    const DispId fixed = obj.AddMethod("Fixed", [](std::vector<Variant>&) { return Variant(); }, 2);
    const DispId a = obj.AddMethod("A", [](std::vector<Variant>&) { return Variant(); });
    const DispId b = obj.AddMethod("B", [](std::vector<Variant>&) { return Variant(); });
    EXPECT_EQ(fixed, 2);
    EXPECT_NE(a, b);
    EXPECT_NE(a, fixed);
    EXPECT_NE(b, fixed);
    EXPECT_THROW(obj.AddMethod("C", [](std::vector<Variant>&) { return Variant(); }, a), std::logic_error);
    EXPECT_THROW(obj.AddMethod("fixed", [](std::vector<Variant>&) { return Variant(); }), std::logic_error);
}

}  // namespace
}  // namespace vtg
