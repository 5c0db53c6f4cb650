#pragma once
// A fixed picture drawn through the drawing surface: lines, dashes, pattern fills, rotated and
// aligned text. It shows at a glance that a surface backend works.

#include "platform/Surface.h"

namespace vtg::tool {

void DrawTestPicture(Surface& dc, Size size);

}  // namespace vtg::tool
