#pragma once
// Platform-internal: the toolkit font that FontEngine realises for a Font, for the painter
// backends that draw text with it.

#include <QFont>

#include "platform/Surface.h"

namespace vtg {

QFont QtFontFor(const Font& font);

}  // namespace vtg
