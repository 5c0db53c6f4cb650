#pragma once
// Platform-internal: data objects to and from the toolkit's MIME data, shared by the desktop
// clipboard and the widget site's drag and drop. Only platform sources include it.

#include <memory>

#include "platform/Clipboard.h"

class QMimeData;

namespace vtg {

// The formats this application knows (its own, text, file lists, PNG pictures).
DataObject ToDataObject(const QMimeData& mime);
std::unique_ptr<QMimeData> ToMimeData(const DataObject& data);

}  // namespace vtg
