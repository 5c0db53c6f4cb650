#pragma once
// The control's stream image, used by the container's stream persistence and by Copy and
// Paste: the property exchange, then the plot's texts, axes, variables, fonts, legend,
// symbols and data, then a CRC-32 of everything before it. Reading parses the whole image
// into a ControlImage first; the control applies it only when that succeeded.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "control/PropertyExchange.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "plot/PlotRecords.h"

namespace vtg {

class BinaryWriter;

// Marks the plot content after the property exchange ("VTGS") and its layout version.
inline constexpr std::uint32_t kStreamMagic = 0x53475456;
inline constexpr std::uint32_t kStreamFormat = 2;
// The first layout stored only text objects; it is still read.
inline constexpr std::uint32_t kStreamFormatTextObjects = 1;

// Sane bounds for counts read from a stream.
inline constexpr std::size_t kMaxStreamVariables = 32767;
inline constexpr std::size_t kMaxStreamSymbols = 65535;
inline constexpr std::size_t kMaxStreamAnnotations = 32767;
// Object ids run from 101 to 32767.
inline constexpr std::size_t kMaxStreamObjects = 32667;
inline constexpr int kMaxStreamWindowExtent = 8192;

struct AxisImage {
    std::string caption;
    std::string caption2;
    // DataMin, DataMax, ExtentMin, ExtentMax, RangeMin, RangeMax, UserInterval, Interval.
    std::array<double, 8> values{};
    // Scale, Reverse, LockGrid, Multiplier, MultiplierType, ResetRange, Integer, TimeAxis,
    // DataSeen, the region's ColorIndex and Hidden flag.
    std::array<std::int32_t, 11> flags{};
};

struct VariableImage {
    std::int32_t axisMap = 1;
    std::string legend;
    std::string substitution;
    std::string name;
    std::string mapCaption;
    std::int32_t xVarIndex = 0;
    std::int32_t hidden = 0;
    std::int32_t displayMode = -1;
    // Color, PenWidth, PenStyle, Marker, VarMarkerSize, VarMarkerInterval, FillStyle, Filled,
    // the two further Attrib2 values, LabelIndex, ImplicitXOffset.
    std::array<std::int32_t, 12> line{};
};

struct FontImage {
    std::string face;
    std::int16_t size = 10;
    std::int16_t style = 0;
};

// An annotation as stored. A font with an empty face means none: the annotation is kept but
// not drawn, as it was.
struct AnnotationImage {
    std::string text;
    FontImage font{std::string(), 0, 0};
    // Color, Direction, Attachment (0 free .. 3), Arrow, Alignment, TransparentBackground,
    // LeaderLocked, TimeStamp, AttachedVariable, Hidden.
    std::array<std::int32_t, 10> flags{};
    // AnchorX, AnchorY, OffsetX, OffsetY.
    std::array<float, 4> position{};
};

// A plot object: its kind (0 line, 1 polygon, 2 text, -1 plain), id and pickable flag, the
// variables a line or polygon draws with (0-based, -1 for none; their points are the
// variables' values in the content block, their attributes and visibility the variables'),
// whether it created them for itself (kOwnsVariables) and the annotation a text object
// carries (-1 for none) with its user-text flag.
struct ObjectImage {
    std::int32_t kind = -1;
    std::int32_t id = 0;
    std::int32_t pickable = 1;
    std::int32_t xVar = -1;
    std::int32_t yVar = -1;
    static constexpr std::int32_t kOwnsVariables = 1;
    std::int32_t variables = 0;
    std::int32_t annotation = -1;
    std::int32_t userText = 0;
};

struct ControlImage {
    ControlProperties props;
    bool propertiesLoaded = false;
    std::int32_t phasePlot = 0;
    std::int32_t windowWidth = 0;
    std::int32_t windowHeight = 0;
    std::string substitution;
    std::vector<AxisImage> axes;        // the X axis first, then the Y axes
    std::int32_t independents = 1;
    std::vector<VariableImage> variables;
    std::array<FontImage, 4> fonts;     // title, label, axis, legend
    std::int32_t legendShown = 0;
    float legendX = 1.0f;
    float legendY = 0.03f;
    std::vector<AnnotationImage> annotations;
    std::vector<ObjectImage> objects;
    // False for the first layout, which stored text objects only: the plot keeps the line
    // objects it makes for its variables.
    bool objectsComplete = true;
    std::vector<CPlotSymbol> symbols;
    PlotContent content;
    std::int32_t zoomed = 0;
};

// Writes everything after the property exchange, then the checksum over the whole image.
void WriteControlImage(BinaryWriter& out, const ControlImage& image);
// The image a control in this state would load. Throws StreamError with a clear message for
// data that is truncated, damaged (checksum), of an unknown layout, or holds counts, lengths
// or values that cannot be right. current supplies the properties an older property set
// leaves as they are.
ControlImage ParseControlImage(std::span<const std::uint8_t> data, const ControlProperties& current,
                               const TextDefaults& defaults);

}  // namespace vtg
