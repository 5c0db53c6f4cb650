#pragma once
// A printer device that records the job's steps and the page's drawing, and fails the step it
// is told to fail.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/PrintDevice.h"
#include "platform/RecordingSurface.h"

namespace vtg::test {

// A page surface that lets a test look at the world each time something is filled.
class ObservedPage final : public RecordingSurface {
public:
    explicit ObservedPage(Size size) : RecordingSurface(SurfaceKind::Printer, size, 600) {}
    void FillRect(const Rect& r, const Brush& brush) override {
        if (onFill) onFill();
        RecordingSurface::FillRect(r, brush);
    }
    std::function<void()> onFill;
};

struct PrinterLog {
    std::vector<std::string> steps;
    std::vector<DocInfo> docs;
    std::string Joined() const {
        std::string out;
        for (const std::string& s : steps) out += (out.empty() ? "" : " ") + s;
        return out;
    }
};

class FakePrinter final : public IPrinterDevice {
public:
    enum class Fail { Nothing, StartDoc, StartPage, EndPage, EndDoc };

    // The page is shared so that the test can look at it after the job dropped the device.
    FakePrinter(std::shared_ptr<PrinterLog> log, std::shared_ptr<ObservedPage> page, Fail fail = Fail::Nothing)
        : log_(std::move(log)), page_(std::move(page)), fail_(fail) {}
    ~FakePrinter() override { log_->steps.push_back("Delete"); }

    Size PageSize() const override { return page_->PixelSize(); }
    bool StartDoc(const DocInfo& info) override {
        log_->steps.push_back("StartDoc");
        log_->docs.push_back(info);
        inDoc_ = fail_ != Fail::StartDoc;
        return inDoc_;
    }
    bool StartPage() override { return Step("StartPage", Fail::StartPage); }
    Surface& Page() override { return *page_; }
    bool EndPage() override { return Step("EndPage", Fail::EndPage); }
    bool EndDoc() override {
        inDoc_ = false;
        return Step("EndDoc", Fail::EndDoc);
    }
    void AbortDoc() override {
        inDoc_ = false;
        log_->steps.push_back("AbortDoc");
    }
    bool InDocument() const override { return inDoc_; }

private:
    bool Step(const char* name, Fail failing) {
        log_->steps.push_back(name);
        return fail_ != failing;
    }

    std::shared_ptr<PrinterLog> log_;
    std::shared_ptr<ObservedPage> page_;
    Fail fail_;
    bool inDoc_ = false;
};

}  // namespace vtg::test
