#pragma once
// A window handler that writes every call it receives as one line of text, so that tests can
// compare what a site delivered with what they expect in a single readable assertion.

#include <functional>
#include <string>
#include <vector>

#include "platform/WindowSite.h"

namespace vtg::test {

inline std::string Str(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
inline std::string Str(const Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

class RecordingHandler : public IWindowHandler {
public:
    std::vector<std::string> events;
    // Optional behaviour the test plugs in.
    std::function<void(Surface&, const Rect&)> paint;
    std::function<void(int)> timer;
    std::function<void(int, int)> size;
    std::function<void(int, int)> hscroll;
    bool acceptEnter = true;
    bool acceptOver = true;
    bool takeData = true;

    void Clear() { events.clear(); }
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& e : events) n += e.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

    void OnPaint(Surface& dc, const Rect& invalid) override {
        Log("paint " + Str(invalid));
        if (paint) paint(dc, invalid);
    }
    void OnSize(int w, int h) override {
        Log("size " + std::to_string(w) + "x" + std::to_string(h));
        if (size) size(w, h);
    }
    void OnMouseMove(unsigned f, Point p) override { Mouse("move", f, p); }
    void OnLButtonDown(unsigned f, Point p) override { Mouse("ldown", f, p); }
    void OnLButtonUp(unsigned f, Point p) override { Mouse("lup", f, p); }
    void OnLButtonDblClk(unsigned f, Point p) override { Mouse("ldbl", f, p); }
    void OnRButtonDown(unsigned f, Point p) override { Mouse("rdown", f, p); }
    void OnRButtonUp(unsigned f, Point p) override { Mouse("rup", f, p); }
    void OnRButtonDblClk(unsigned f, Point p) override { Mouse("rdbl", f, p); }
    void OnMButtonDown(unsigned f, Point p) override { Mouse("mdown", f, p); }
    void OnMButtonUp(unsigned f, Point p) override { Mouse("mup", f, p); }
    void OnMouseWheel(unsigned f, int delta, Point p) override {
        Log("wheel " + std::to_string(f) + " " + std::to_string(delta) + " " + Str(p));
    }
    void OnMouseLeave() override { Log("leave"); }
    void OnKeyDown(int vk, int, unsigned f) override { Key("keydown", vk, f); }
    void OnKeyUp(int vk, int, unsigned f) override { Key("keyup", vk, f); }
    void OnSysKeyDown(int vk, int, unsigned f) override { Key("syskeydown", vk, f); }
    void OnChar(int code) override { Log("char " + std::to_string(code)); }
    void OnTimer(int id) override {
        Log("timer " + std::to_string(id));
        if (timer) timer(id);
    }
    void OnCommand(int id) override { Log("command " + std::to_string(id)); }
    void OnMenuSelect(int id) override { Log("menuselect " + std::to_string(id)); }
    void OnHScroll(int code, int pos) override {
        Log("hscroll " + std::to_string(code) + " " + std::to_string(pos));
        if (hscroll) hscroll(code, pos);
    }
    void OnVScroll(int code, int pos) override { Log("vscroll " + std::to_string(code) + " " + std::to_string(pos)); }
    void OnSetFocus() override { Log("setfocus"); }
    void OnKillFocus() override { Log("killfocus"); }
    bool OnDragEnter(const DataObject& d, Point p) override {
        Log("dragenter " + Formats(d) + " " + Str(p));
        return acceptEnter;
    }
    bool OnDragOver(const DataObject& d, Point p) override {
        Log("dragover " + Formats(d) + " " + Str(p));
        return acceptOver;
    }
    void OnDragLeave() override { Log("dragleave"); }
    void OnDropFiles(std::vector<std::string> paths) override {
        std::string joined;
        for (const auto& p : paths) joined += (joined.empty() ? "" : "|") + p;
        Log("dropfiles " + joined);
    }
    bool OnDropData(const DataObject& d, Point p) override {
        Log("dropdata " + Formats(d) + " " + Str(p));
        return takeData;
    }

private:
    void Log(std::string s) { events.push_back(std::move(s)); }
    void Mouse(const char* name, unsigned f, Point p) { Log(std::string(name) + " " + std::to_string(f) + " " + Str(p)); }
    void Key(const char* name, int vk, unsigned f) {
        Log(std::string(name) + " " + std::to_string(vk) + (f == 0 ? " noflags" : "") + (f & KF_ALTDOWN ? " alt" : ""));
        lastKeyFlags = f;
    }
    static std::string Formats(const DataObject& d) {
        std::string out;
        for (const auto& f : d.Formats()) out += (out.empty() ? "" : "+") + f;
        return out;
    }

public:
    unsigned lastKeyFlags = 0;
};

}  // namespace vtg::test
