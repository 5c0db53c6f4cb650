#include "platform/HeadlessSite.h"

#include <algorithm>

#include "platform/EditBuffer.h"

namespace vtg {

namespace {

Size ClampWindow(int width, int height) {
    return {std::clamp(width, 0, HeadlessSite::kMaxWindowExtent), std::clamp(height, 0, HeadlessSite::kMaxWindowExtent)};
}

// Decodes one UTF-8 character at s[i] and advances i; malformed bytes decode to U+FFFD.
int NextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4) return 0xFFFD;
    int code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return code;
}

}  // namespace

// ---- edit boxes ---------------------------------------------------------------------------

class HeadlessSite::EditBox : public IEditBox {
public:
    EditBox(HeadlessSite* site, const Rect& r, const std::string& text, bool multiline, const Font& font)
        : site_(site), buffer_(multiline), rect_(r.Normalized()), font_(font) {
        buffer_.SetText(text);
        site_->boxes_.push_back(this);
    }

    ~EditBox() override {
        *alive_ = false;
        if (site_ == nullptr) return;
        auto& boxes = site_->boxes_;
        boxes.erase(std::remove(boxes.begin(), boxes.end(), this), boxes.end());
        if (site_->focusedBox_ == this) site_->focusedBox_ = nullptr;
    }

    std::string GetText() const override { return buffer_.Text(); }
    void SetText(const std::string& text) override { buffer_.SetText(text); }
    std::pair<int, int> GetSelection() const override { return buffer_.Selection(); }
    void SetSelection(int start, int end) override { buffer_.Select(start, end); }
    void SetMaxLength(int bytes) override { buffer_.SetMaxLength(bytes); }
    Rect GetRect() const override { return rect_; }
    void SetRect(const Rect& r) override { rect_ = r.Normalized(); }
    Font GetFont() const override { return font_; }
    void SetFont(const Font& font) override { font_ = font; }
    bool IsMultiline() const override { return buffer_.IsMultiline(); }
    void Focus() override {
        if (site_) site_->focusedBox_ = this;
    }
    bool HasFocus() const override { return site_ && site_->focusedBox_ == this; }
    void SetKeyFilter(EditKeyFilter filter) override { filter_ = std::move(filter); }

    void SendChar(int code) override {
        if (Filtered(EditInput::Char, code)) return;
        buffer_.TypeChar(code);
    }

    void SendKey(int vk) override {
        if (Filtered(EditInput::KeyDown, vk)) return;
        buffer_.PressKey(vk);
    }

    void Detach() { site_ = nullptr; }

private:
    // True when the key was swallowed or the filter destroyed this box. The filter is called
    // through copies so that nothing of the box is in use should it be destroyed meanwhile.
    bool Filtered(EditInput kind, int code) {
        if (!filter_) return false;
        const auto alive = alive_;
        const auto filter = filter_;
        const bool swallowed = filter(kind, code);
        return swallowed || !*alive;
    }

    HeadlessSite* site_;
    EditBuffer buffer_;
    Rect rect_;
    Font font_;
    EditKeyFilter filter_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// ---- the site -----------------------------------------------------------------------------

HeadlessSite::HeadlessSite(int width, int height)
    : window_(ClampWindow(width, height)), backing_(window_), clipboard_(std::make_shared<InProcessClipboard>()) {}

HeadlessSite::~HeadlessSite() {
    for (EditBox* box : boxes_) box->Detach();
}

Size HeadlessSite::ClientSize() const {
    return {std::max(0, window_.cx - (vbar_.shown ? kScrollBarExtent : 0)),
            std::max(0, window_.cy - (hbar_.shown ? kScrollBarExtent : 0))};
}

void HeadlessSite::Resize(int width, int height) {
    window_ = ClampWindow(width, height);
    const Size client = ClientSize();
    backing_.Resize(client);
    if (handler_) handler_->OnSize(client.cx, client.cy);
}

void HeadlessSite::ClientSizeChanged() {
    const Size client = ClientSize();
    if (backing_.Resize(client) && handler_) handler_->OnSize(client.cx, client.cy);
}

void HeadlessSite::Invalidate(const Rect* r, bool erase) {
    invalidations_.push_back({backing_.Invalidate(r, erase), erase});
}

bool HeadlessSite::Paint() {
    if (backing_.Paint(handler_).IsEmpty()) return false;
    ++paintCount_;
    return true;
}

Surface& HeadlessSite::BeginWindowDraw() { return backing_.Begin(); }

void HeadlessSite::EndWindowDraw() {
    if (backing_.End()) ++windowDrawCount_;
}

void HeadlessSite::SetTimer(int id, int ms) {
    const int interval = std::max(ms, USER_TIMER_MINIMUM);
    timers_[id] = {interval, now_ + interval};
}

void HeadlessSite::KillTimer(int id) { timers_.erase(id); }

std::map<int, int> HeadlessSite::ActiveTimers() const {
    std::map<int, int> out;
    for (const auto& [id, t] : timers_) out[id] = t.interval;
    return out;
}

bool HeadlessSite::FireTimer(int id) {
    if (!IsTimerActive(id)) return false;
    if (handler_) handler_->OnTimer(id);
    return true;
}

void HeadlessSite::AdvanceTime(int ms) {
    if (ms <= 0) return;
    const long long target = now_ + ms;
    while (true) {
        // The handler may set and kill timers, so the next one is looked up afresh each time.
        auto next = std::min_element(timers_.begin(), timers_.end(),
                                     [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == timers_.end() || next->second.due > target) break;
        now_ = next->second.due;
        next->second.due += next->second.interval;
        const int id = next->first;
        if (handler_) handler_->OnTimer(id);
    }
    now_ = target;
}

int HeadlessSite::SetCursor(int cursorId) {
    const int previous = cursor_;
    cursor_ = NormalizeCursorId(cursorId);
    return previous;
}

void HeadlessSite::ShowScrollBar(ScrollBar bar, bool show) {
    if (Bar(bar).shown == show) return;
    Bar(bar).shown = show;
    ClientSizeChanged();
}

void HeadlessSite::SetScrollRange(ScrollBar bar, int min, int max) {
    BarState& b = Bar(bar);
    b.min = std::min(min, max);
    b.max = std::max(min, max);
    b.pos = std::clamp(b.pos, b.min, b.max);
}

int HeadlessSite::SetScrollPos(ScrollBar bar, int pos) {
    BarState& b = Bar(bar);
    const int previous = b.pos;
    b.pos = std::clamp(pos, b.min, b.max);
    return previous;
}

int HeadlessSite::TrackPopupMenu(const Menu& menu, Point p) {
    menus_.emplace_back(menu.Clone(), p);
    if (!menuAnswer_) return 0;
    const int chosen = menuAnswer_(menu, p);
    return menu.IsChoosable(chosen) ? chosen : 0;
}

std::unique_ptr<IEditBox> HeadlessSite::CreateEditBox(const Rect& r, const std::string& text, bool multiline,
                                                      const Font& font) {
    return std::make_unique<EditBox>(this, r, text, multiline, font);
}

std::vector<IEditBox*> HeadlessSite::EditBoxes() const { return {boxes_.begin(), boxes_.end()}; }

IEditBox* HeadlessSite::FocusedEditBox() const { return focusedBox_; }

void HeadlessSite::ShowToolTip(const std::string& text, Point p) {
    tip_ = {true, text, p};
    hovering_ = false;
}

void HeadlessSite::HideToolTip() {
    tip_.visible = false;
    hovering_ = false;
}

void HeadlessSite::AddTool(int id, const Rect& r, const std::string& text) { tools_.Add(id, r, text); }

void HeadlessSite::RemoveTool(int id) {
    if (tools_.Remove(id) && hovering_ && hoverTool_ == id) HideToolTip();
}

void HeadlessSite::ClearTools() {
    tools_.Clear();
    if (hovering_) HideToolTip();
}

void HeadlessSite::UpdateHoverTip(Point p) {
    if (const ToolSet::Tool* tool = tools_.At(p)) {
        if (!hovering_ || hoverTool_ != tool->id || !tip_.visible) {
            tip_ = {true, tool->text, p};
            hovering_ = true;
            hoverTool_ = tool->id;
        }
    } else if (hovering_) {
        HideToolTip();
    }
}

int HeadlessSite::MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    int result = messageBoxAnswer_ ? messageBoxAnswer_(text, caption, flags) : 0;
    const auto buttons = MessageBoxResults(flags);
    if (std::find(buttons.begin(), buttons.end(), result) == buttons.end()) result = 0;
    messageBoxes_.push_back({text, caption, flags, result});
    return result;
}

std::optional<std::string> HeadlessSite::GetOpenFileName(const std::string& title, const std::string& filter) {
    fileDialogs_.push_back({false, title, filter, {}});
    auto chosen = fileDialogAnswer_ ? fileDialogAnswer_(fileDialogs_.back()) : std::nullopt;
    if (chosen && chosen->empty()) chosen.reset();
    return chosen;
}

std::optional<std::string> HeadlessSite::GetSaveFileName(const std::string& title, const std::string& filter,
                                                         const std::string& name) {
    fileDialogs_.push_back({true, title, filter, name});
    auto chosen = fileDialogAnswer_ ? fileDialogAnswer_(fileDialogs_.back()) : std::nullopt;
    if (chosen && chosen->empty()) chosen.reset();
    return chosen;
}

std::optional<PrintDialogResult> HeadlessSite::PrintDialog(const PrinterSetup& setup) {
    printDialogs_.push_back(setup);
    std::optional<PrintDialogResult> chosen = printDialogAnswer_ ? printDialogAnswer_(setup) : std::nullopt;
    if (chosen && !chosen->device) chosen->device = CreatePrinterDevice(chosen->setup);
    return chosen;
}

void HeadlessSite::SetKeyDown(int vk, bool down) {
    if (down) {
        keysDown_.insert(vk);
    } else {
        keysDown_.erase(vk);
    }
}

void HeadlessSite::SetClipboard(std::shared_ptr<IClipboard> clipboard) {
    clipboard_ = clipboard ? std::move(clipboard) : std::make_shared<InProcessClipboard>();
}

// ---- input --------------------------------------------------------------------------------

unsigned HeadlessSite::MouseFlags() const {
    unsigned flags = 0;
    if (IsKeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (IsKeyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (IsKeyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (IsKeyDown(VK_SHIFT)) flags |= MK_SHIFT;
    if (IsKeyDown(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

void HeadlessSite::Mouse(void (IWindowHandler::*call)(unsigned, Point), int x, int y) {
    cursorPos_ = {x, y};
    if (handler_) (handler_->*call)(MouseFlags(), cursorPos_);
}

void HeadlessSite::Button(int vkButton, bool down, void (IWindowHandler::*call)(unsigned, Point), int x, int y) {
    // A press reports the button among the flags, a release no longer does.
    SetKeyDown(vkButton, down);
    Mouse(call, x, y);
}

void HeadlessSite::MouseMove(int x, int y) {
    UpdateHoverTip({x, y});
    Mouse(&IWindowHandler::OnMouseMove, x, y);
}

void HeadlessSite::LButtonDown(int x, int y) { Button(VK_LBUTTON, true, &IWindowHandler::OnLButtonDown, x, y); }
void HeadlessSite::LButtonUp(int x, int y) { Button(VK_LBUTTON, false, &IWindowHandler::OnLButtonUp, x, y); }

void HeadlessSite::Click(int x, int y) {
    LButtonDown(x, y);
    LButtonUp(x, y);
}

void HeadlessSite::DoubleClick(int x, int y) {
    Click(x, y);
    Button(VK_LBUTTON, true, &IWindowHandler::OnLButtonDblClk, x, y);
    LButtonUp(x, y);
}

void HeadlessSite::RButtonDown(int x, int y) { Button(VK_RBUTTON, true, &IWindowHandler::OnRButtonDown, x, y); }
void HeadlessSite::RButtonUp(int x, int y) { Button(VK_RBUTTON, false, &IWindowHandler::OnRButtonUp, x, y); }

void HeadlessSite::RightClick(int x, int y) {
    RButtonDown(x, y);
    RButtonUp(x, y);
}

void HeadlessSite::MButtonDown(int x, int y) { Button(VK_MBUTTON, true, &IWindowHandler::OnMButtonDown, x, y); }
void HeadlessSite::MButtonUp(int x, int y) { Button(VK_MBUTTON, false, &IWindowHandler::OnMButtonUp, x, y); }

void HeadlessSite::Wheel(int x, int y, int delta) {
    cursorPos_ = {x, y};
    if (handler_) handler_->OnMouseWheel(MouseFlags(), delta, cursorPos_);
}

void HeadlessSite::MouseLeave() {
    if (hovering_) HideToolTip();
    if (handler_) handler_->OnMouseLeave();
}

void HeadlessSite::KeyDown(int vk) {
    const bool wasDown = IsKeyDown(vk);
    SetKeyDown(vk, true);
    if (focusedBox_) {
        focusedBox_->SendKey(vk);
        return;
    }
    if (!handler_) return;
    const unsigned flags = KF_SCANCODE_UNKNOWN | (wasDown ? KF_REPEAT : 0u);
    // Alt combinations are system keys, unless Ctrl is held too (AltGr).
    if (IsKeyDown(VK_MENU) && !IsKeyDown(VK_CONTROL)) {
        handler_->OnSysKeyDown(vk, 1, flags | KF_ALTDOWN);
    } else {
        handler_->OnKeyDown(vk, 1, flags);
    }
}

void HeadlessSite::KeyUp(int vk) {
    SetKeyDown(vk, false);
    if (focusedBox_ || !handler_) return;
    const unsigned alt = IsKeyDown(VK_MENU) && !IsKeyDown(VK_CONTROL) ? KF_ALTDOWN : 0u;
    handler_->OnKeyUp(vk, 1, KF_SCANCODE_UNKNOWN | KF_REPEAT | KF_UP | alt);
}

void HeadlessSite::Char(int code) {
    if (focusedBox_) {
        focusedBox_->SendChar(code);
    } else if (handler_) {
        handler_->OnChar(code);
    }
}

void HeadlessSite::TypeText(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) Char(NextCodePoint(utf8, i));
}

void HeadlessSite::Command(int id) {
    if (handler_) handler_->OnCommand(id);
}

void HeadlessSite::Scroll(ScrollBar bar, int code, int pos) {
    if (!handler_) return;
    if (bar == ScrollBar::Horizontal) {
        handler_->OnHScroll(code, pos);
    } else {
        handler_->OnVScroll(code, pos);
    }
}

void HeadlessSite::FocusIn() {
    if (handler_) handler_->OnSetFocus();
}

void HeadlessSite::FocusOut() {
    if (handler_) handler_->OnKillFocus();
}

bool HeadlessSite::Drop(const DataObject& data, Point p, const std::vector<std::string>* files) {
    if (!handler_ || !handler_->OnDragEnter(data, p)) return false;
    if (!handler_->OnDragOver(data, p)) {
        handler_->OnDragLeave();
        return false;
    }
    if (files) {
        handler_->OnDropFiles(*files);
        return true;
    }
    return handler_->OnDropData(data, p);
}

bool HeadlessSite::DropFiles(const std::vector<std::string>& paths, Point p) {
    DataObject data;
    data.SetFiles(paths);
    const auto files = data.GetFiles();
    return Drop(data, p, &files);
}

bool HeadlessSite::DropData(const DataObject& data, Point p) { return Drop(data, p, nullptr); }

}  // namespace vtg
