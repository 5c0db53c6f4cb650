#pragma once
// The bitmap behind a window site: the pixels on screen, the area waiting to be painted, and
// the bookkeeping that lets the control draw into it either through a paint or immediately.
// Both sites keep one.

#include <memory>
#include <vector>

#include "platform/ImageSurface.h"

namespace vtg {

class IWindowHandler;

class BackingStore {
public:
    explicit BackingStore(Size client);

    Size ClientSize() const { return client_; }
    Rect ClientRect() const { return {0, 0, client_.cx, client_.cy}; }
    ImageSurface& Image() { return *image_; }
    const ImageSurface& Image() const { return *image_; }

    // A new client size gives a new (white) bitmap, all of it waiting for a paint. Returns
    // false when the size did not change.
    bool Resize(Size client);

    // Adds an area (null = all) to the pending one; returns the area clipped to the client.
    Rect Invalidate(const Rect* r, bool erase);
    Rect Pending() const { return pending_; }

    // Takes the pending area and lets the handler paint it, clipped to it and erased first
    // when asked. Areas invalidated meanwhile wait for the next paint, as a paint validates
    // its area before it starts. Returns the painted area (empty when nothing was pending).
    Rect Paint(IWindowHandler* handler);

    // Drawing outside a paint. The bitmap's drawing state is saved at the outermost Begin and
    // restored at the matching End, so every draw starts from the default state. A resize while
    // drawing keeps the old bitmap alive until the draw ends. End returns true when it closed
    // the outermost draw (and false for an End without a Begin).
    Surface& Begin();
    bool End();
    bool IsDrawing() const { return depth_ > 0; }

private:
    Size client_;
    std::unique_ptr<ImageSurface> image_;
    std::vector<std::unique_ptr<ImageSurface>> retired_;
    int depth_ = 0;
    int stateLevel_ = 0;
    Rect pending_;
    bool pendingErase_ = false;
};

}  // namespace vtg
