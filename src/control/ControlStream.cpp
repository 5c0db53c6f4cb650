#include "control/ControlStream.h"

#include <algorithm>
#include <cmath>

#include "objects/CPlotObj.h"
#include "plot/BinaryStream.h"

namespace vtg {

namespace {

// The fewest bytes a record can take: counts read from the stream are checked against them.
constexpr std::size_t kMinAxisBytes = 2 + 8 * 8 + 11 * 4;
constexpr std::size_t kMinVariableBytes = 4 + 4 + 3 * 4 + 12 * 4;
constexpr std::size_t kMinSymbolBytes = 2;
constexpr std::size_t kMinAnnotationBytes = 2 + 1 + 2 * 2 + 10 * 4 + 4 * 4;
constexpr std::size_t kMinTextObjectBytes = 3 * 4;
constexpr std::size_t kMinObjectBytes = 8 * 4;
constexpr std::size_t kChecksumBytes = 4;

void Require(bool ok, const std::string& what) {
    if (!ok) throw StreamError(what);
}

double FiniteValue(BinaryReader& in, const char* what) {
    const double v = in.F64();
    Require(std::isfinite(v), std::string(what) + " is not a finite number");
    return v;
}

void WriteAxis(BinaryWriter& out, const AxisImage& a) {
    out.String(a.caption);
    out.String(a.caption2);
    for (double v : a.values) out.F64(v);
    for (std::int32_t f : a.flags) out.I32(f);
}

AxisImage ReadAxis(BinaryReader& in) {
    AxisImage a;
    a.caption = in.String();
    a.caption2 = in.String();
    for (double& v : a.values) v = FiniteValue(in, "an axis value");
    for (std::int32_t& f : a.flags) f = in.I32();
    return a;
}

void WriteAnnotation(BinaryWriter& out, const AnnotationImage& a) {
    out.String(a.text);
    out.String(a.font.face);
    out.I16(a.font.size);
    out.I16(a.font.style);
    for (std::int32_t f : a.flags) out.I32(f);
    for (float v : a.position) out.F32(v);
}

AnnotationImage ReadAnnotation(BinaryReader& in) {
    AnnotationImage a;
    a.text = in.String();
    a.font.face = in.String();
    a.font.size = in.I16();
    a.font.style = in.I16();
    for (std::int32_t& f : a.flags) f = in.I32();
    for (float& v : a.position) {
        v = in.F32();
        Require(std::isfinite(v), "an annotation position is not a finite number");
    }
    return a;
}

void WriteVariable(BinaryWriter& out, const VariableImage& v) {
    out.I32(v.axisMap);
    out.String(v.legend);
    out.String(v.substitution);
    out.String(v.name);
    out.String(v.mapCaption);
    out.I32(v.xVarIndex);
    out.I32(v.hidden);
    out.I32(v.displayMode);
    for (std::int32_t x : v.line) out.I32(x);
}

VariableImage ReadVariable(BinaryReader& in) {
    VariableImage v;
    v.axisMap = in.I32();
    v.legend = in.String();
    v.substitution = in.String();
    v.name = in.String();
    v.mapCaption = in.String();
    v.xVarIndex = in.I32();
    v.hidden = in.I32();
    v.displayMode = in.I32();
    for (std::int32_t& x : v.line) x = in.I32();
    return v;
}

void WriteObject(BinaryWriter& out, const ObjectImage& o) {
    for (std::int32_t v : {o.kind, o.id, o.pickable, o.xVar, o.yVar, o.variables, o.annotation, o.userText}) out.I32(v);
}

ObjectImage ReadObject(BinaryReader& in) {
    ObjectImage o;
    for (std::int32_t* v : {&o.kind, &o.id, &o.pickable, &o.xVar, &o.yVar, &o.variables, &o.annotation, &o.userText}) *v = in.I32();
    return o;
}

void ReadObjects(BinaryReader& in, std::uint32_t format, ControlImage& image) {
    if (format == kStreamFormatTextObjects) {
        const std::size_t n = in.Count(in.I64(), kMinTextObjectBytes, kMaxStreamObjects, "the number of text objects");
        image.objectsComplete = false;
        for (std::size_t k = 0; k < n; ++k) {
            ObjectImage o;
            o.kind = static_cast<std::int32_t>(PlotObjKind::Text);
            o.id = in.I32();
            o.annotation = in.I32();
            o.userText = in.I32();
            image.objects.push_back(o);
        }
        return;
    }
    const std::size_t n = in.Count(in.I64(), kMinObjectBytes, kMaxStreamObjects, "the number of plot objects");
    for (std::size_t k = 0; k < n; ++k) image.objects.push_back(ReadObject(in));
}

}  // namespace

void WriteControlImage(BinaryWriter& out, const ControlImage& image) {
    ControlProperties props = image.props;
    ArchiveExchange px(out);
    ExchangeControlProperties(px, props, {props.Title, props.xlabel, props.ylabel});
    out.U32(kStreamMagic);
    out.U32(kStreamFormat);
    out.I32(image.phasePlot);
    out.I32(image.windowWidth);
    out.I32(image.windowHeight);
    out.String(image.substitution);

    out.I64(static_cast<std::int64_t>(image.axes.empty() ? 0 : image.axes.size() - 1));
    for (const AxisImage& a : image.axes) WriteAxis(out, a);
    out.I32(image.independents);
    out.I32(static_cast<std::int32_t>(image.variables.size()));
    for (const VariableImage& v : image.variables) WriteVariable(out, v);
    for (const FontImage& f : image.fonts) {
        out.String(f.face);
        out.I16(f.size);
        out.I16(f.style);
    }
    out.I32(image.legendShown);
    out.F32(image.legendX);
    out.F32(image.legendY);
    out.I64(static_cast<std::int64_t>(image.annotations.size()));
    for (const AnnotationImage& a : image.annotations) WriteAnnotation(out, a);
    out.I64(static_cast<std::int64_t>(image.objects.size()));
    for (const ObjectImage& o : image.objects) WriteObject(out, o);
    out.I64(static_cast<std::int64_t>(image.symbols.size()));
    for (const CPlotSymbol& s : image.symbols) {
        out.String(s.Name);
        out.String(s.Value);
    }
    for (const auto& values : image.content.independent) {
        out.I32(static_cast<std::int32_t>(values.size()));
        for (double x : values) out.F64(x);
    }
    for (const auto& values : image.content.dependent) {
        out.I32(static_cast<std::int32_t>(values.size()));
        for (double x : values) out.F64(x);
    }
    out.I32(image.zoomed);
    out.U32(Crc32(out.Data()));
}

ControlImage ParseControlImage(std::span<const std::uint8_t> data, const ControlProperties& current,
                               const TextDefaults& defaults) {
    Require(data.size() >= kChecksumBytes, "the stream is too short to hold a plot");
    const auto body = data.first(data.size() - kChecksumBytes);
    const auto tail = data.last(kChecksumBytes);
    const std::uint32_t stored = static_cast<std::uint32_t>(tail[0]) | (static_cast<std::uint32_t>(tail[1]) << 8) |
                                 (static_cast<std::uint32_t>(tail[2]) << 16) |
                                 (static_cast<std::uint32_t>(tail[3]) << 24);
    Require(Crc32(body) == stored, "the stream is damaged: its checksum does not match its content");

    BinaryReader in(body);
    ControlImage image;
    image.props = current;
    ArchiveExchange px(in);
    image.propertiesLoaded = ExchangeControlProperties(px, image.props, defaults);
    if (image.propertiesLoaded) SanitizeLoadedProperties(image.props, current);
    Require(in.U32() == kStreamMagic, "the stream holds no plot after its properties");
    const std::uint32_t format = in.U32();
    Require(format == kStreamFormat || format == kStreamFormatTextObjects, "the plot in the stream has layout " + std::to_string(format) +
                                         ", which this version cannot read");

    image.phasePlot = in.I32();
    image.windowWidth = std::clamp(in.I32(), 0, kMaxStreamWindowExtent);
    image.windowHeight = std::clamp(in.I32(), 0, kMaxStreamWindowExtent);
    image.substitution = in.String();

    const std::size_t yAxes = in.Count(in.I64(), kMinAxisBytes, CPlotLook::kMaxYAxes, "the number of Y axes");
    for (std::size_t k = 0; k <= yAxes; ++k) image.axes.push_back(ReadAxis(in));
    image.independents = in.I32();
    Require(image.independents >= 0 && static_cast<std::size_t>(image.independents) <= kMaxStreamVariables,
            "the number of independent variables " + std::to_string(image.independents) + " cannot be right");
    const std::size_t n = in.Count(in.I32(), kMinVariableBytes, kMaxStreamVariables, "the number of variables");
    for (std::size_t i = 0; i < n; ++i) image.variables.push_back(ReadVariable(in));
    for (FontImage& f : image.fonts) {
        f.face = in.String();
        f.size = in.I16();
        f.style = in.I16();
    }
    image.legendShown = in.I32();
    image.legendX = in.F32();
    image.legendY = in.F32();
    Require(std::isfinite(image.legendX) && std::isfinite(image.legendY), "the legend position is not finite");
    const std::size_t annotations =
        in.Count(in.I64(), kMinAnnotationBytes, kMaxStreamAnnotations, "the number of annotations");
    for (std::size_t k = 0; k < annotations; ++k) image.annotations.push_back(ReadAnnotation(in));
    ReadObjects(in, format, image);
    const std::size_t symbols = in.Count(in.I64(), kMinSymbolBytes, kMaxStreamSymbols, "the number of symbols");
    for (std::size_t k = 0; k < symbols; ++k) {
        std::string name = in.String();
        std::string value = in.String();
        image.symbols.emplace_back(std::move(name), std::move(value));
    }
    image.content = ParsePlotContent(in, static_cast<std::size_t>(image.independents), n);
    image.zoomed = in.I32();
    Require(in.AtEnd(), "the stream goes on after the end of the plot");
    return image;
}

}  // namespace vtg
