// Annotations the host adds to the plot.
#include <cmath>
#include <cstdio>
#include <limits>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CDrawTool.h"

namespace vtg {

namespace {

constexpr int kDefaultPoints = 10;
constexpr int kDefaultArrow = 2;

}  // namespace

std::string ConvertAnnotationText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            // A line feed that already follows a carriage return is a line break as it is.
            out += (!out.empty() && out.back() == '\r') ? "\n" : "\r\n";
        } else if (c != '\\') {
            out.push_back(c);
        } else if (i + 1 < text.size()) {
            const char next = text[++i];
            if (next == 'n') {
                out += "\r\n";
            } else {
                out.push_back(next);
            }
        }
    }
    return out;
}

float ToAnnotationCoordinate(double v) {
    if (!(std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max()))) return 0.0f;
    return static_cast<float>(v);
}

int CPlotLook::AddTextAnnotation(const std::string& text, float x, float y, int color, int alignment,
                                 const std::string& face, int size, int style, int attachment, int arrow) {
    CVTGFont* font = Fonts[kDrawingFont].Horizontal();
    if (!face.empty()) font = Env->Tool().GetFont(face, size > 0 ? size : kDefaultPoints, 0, style);
    auto annotation = std::make_unique<CPlotAnnotation>(ConvertAnnotationText(text), font, color, 0, attachment,
                                                        arrow, alignment);
    // A position that is no number would place the text nowhere: it goes to the corner.
    annotation->SetPosition({std::isfinite(x) ? x : 0.0f, std::isfinite(y) ? y : 0.0f, 0, 0, 0});
    // The host's text is placed at once: nothing is left for the user to drop.
    annotation->NewMark = 0;
    Annotations.push_back(std::move(annotation));
    const int index = static_cast<int>(Annotations.size()) - 1;
    char line[48];
    std::snprintf(line, sizeof line, " AddText (%d)\r\n", index);
    Control->WriteLog(line);
    return index;
}

int CPlotLook::AddTextObject(const std::string& text, float x, float y, int color, int alignment,
                             const std::string& face, int size, int style) {
    const int id = NewObjectId();
    if (id == 0) return 0;
    auto object = std::make_unique<CPlotTextObj>(id);
    object->UserText = 1;
    object->AnnotationIndex =
        AddTextAnnotation(text, x, y, color, alignment, face, size, style, CPlotAnnotation::kFree, kDefaultArrow);
    Objects.push_back(std::move(object));
    return id;
}

int CPlotLook::ReplaceAnnotationText(const std::string& oldText, const std::string& newText, Surface* dc) {
    int changed = 0;
    for (auto& annotation : Annotations) {
        if (annotation->Text != oldText) continue;
        annotation->Text = newText;
        annotation->NeedsMeasure = 1;
        if (dc) annotation->Layout(*dc, *this);
        ++changed;
    }
    return changed;
}

}  // namespace vtg
