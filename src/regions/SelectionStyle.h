#pragma once
// How a selected region is marked: its frame is drawn with the selection pen, and a region
// that fills its own background (the legend box) fills it with the selection brush instead.

#include "platform/Surface.h"

namespace vtg {

inline Pen SelectionPen() { return Pen{Rgb(0x00, 0x78, 0xD7), 1, PenStyle::Dot}; }

inline Brush SelectionBrush() { return Brush{BrushKind::Solid, Rgb(0xCC, 0xE4, 0xF7)}; }

// A frame only: the region's text stays visible inside it.
inline Brush SelectionFrameBrush() { return Brush{BrushKind::Null}; }

}  // namespace vtg
