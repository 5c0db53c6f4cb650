#include "platform/BackingStore.h"

#include <algorithm>

#include "platform/WindowSite.h"

namespace vtg {

namespace {

// A bitmap cannot be empty; a window of no size keeps a single pixel nobody sees.
std::unique_ptr<ImageSurface> MakeImage(Size client) {
    return std::make_unique<ImageSurface>(std::max(client.cx, 1), std::max(client.cy, 1), SurfaceKind::Window);
}

constexpr Color kWindowBackground = Rgb(255, 255, 255);

}  // namespace

BackingStore::BackingStore(Size client)
    : client_{std::max(client.cx, 0), std::max(client.cy, 0)}, image_(MakeImage(client_)) {
    pending_ = ClientRect();
    pendingErase_ = true;
}

bool BackingStore::Resize(Size client) {
    client = {std::max(client.cx, 0), std::max(client.cy, 0)};
    if (client == client_) return false;
    client_ = client;
    if (depth_ > 0) retired_.push_back(std::move(image_));
    image_ = MakeImage(client_);
    pending_ = ClientRect();
    pendingErase_ = true;
    return true;
}

Rect BackingStore::Invalidate(const Rect* r, bool erase) {
    const Rect area = r ? Rect::Intersect(*r, ClientRect()) : ClientRect();
    if (!area.IsEmpty()) {
        pending_ = Rect::Union(pending_, area);
        pendingErase_ = pendingErase_ || erase;
    }
    return area;
}

Rect BackingStore::Paint(IWindowHandler* handler) {
    const Rect area = pending_;
    if (area.IsEmpty()) return area;
    const bool erase = pendingErase_;
    pending_ = Rect{};
    pendingErase_ = false;
    Surface& dc = Begin();
    dc.SelectClipRect(area);
    if (erase) dc.FillRect(area, Brush{BrushKind::Solid, kWindowBackground});
    if (handler) handler->OnPaint(dc, area);
    End();
    return area;
}

Surface& BackingStore::Begin() {
    if (depth_++ == 0) stateLevel_ = image_->SaveState();
    return *image_;
}

bool BackingStore::End() {
    if (depth_ == 0 || --depth_ > 0) return false;
    // The state is restored only on the bitmap it was saved on; a replaced one is dropped.
    if (retired_.empty()) image_->RestoreState(stateLevel_);
    retired_.clear();
    return true;
}

}  // namespace vtg
