#pragma once
// Painting a control into picture files: PNG through an off-screen bitmap (or the window's own
// pixels), PDF as vector pages.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace vtg {
class CVortigaCtrl;
class HeadlessSite;
}  // namespace vtg

namespace vtg::shell {

enum class PictureFormat { Png, Pdf };

// By the file name's extension, in any letter case; nothing for other names.
std::optional<PictureFormat> PictureFormatOf(std::string_view path);

// Without a size the picture is what the window shows, at its size. With a size the control
// paints a scaled copy (aspect kept, centred) of that size, as into a container's rectangle;
// the window is repainted afterwards, as the control asks. Throws std::runtime_error with a
// message on failure, before anything is written for a name with a NUL byte.
void RenderControl(CVortigaCtrl& ctrl, HeadlessSite& site, const std::string& path, std::optional<Size> size);

}  // namespace vtg::shell
