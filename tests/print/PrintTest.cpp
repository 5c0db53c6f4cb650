// Printing the control's plot headless: the print dialog and the file dialog answered by the
// site, the printer a recording fake (or the desktop device writing a PDF file).
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "control/CVortigaCtrl.h"
#include "control/HostServices.h"
#include "hostkit/DefaultHostKit.h"
#include "platform/HeadlessSite.h"
#include "platform/ProgIdRegistry.h"
#include "plot/CPlotLook.h"
#include "print/PrintJob.h"
#include "print/PrinterDefaults.h"
#include "FakePrinter.h"

namespace vtg::test {
namespace {

Variant I2(int v) { return Variant(static_cast<std::int16_t>(v)); }

struct Box {
    std::string text;
    std::string caption;
    std::int32_t buttons = -1;
    std::int32_t icon = -1;
};

// The bounding box of everything drawn after the page's background.
Rect DrawnExtent(const std::vector<DrawCall>& calls) {
    Rect box{std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
             std::numeric_limits<int>::min()};
    auto add = [&box](Point p) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    };
    for (std::size_t i = 1; i < calls.size(); ++i) {
        const DrawCall& c = calls[i];
        if (c.op == DrawOp::Polyline || c.op == DrawOp::Polygon) {
            for (Point p : c.points) add(p);
        } else if (c.op != DrawOp::SetPixel) {
            add({c.rect.left, c.rect.top});
            add({c.rect.right, c.rect.bottom});
        }
    }
    return box;
}

struct PrintFixture : testing::Test {
    HeadlessSite site{800, 400};
    std::unique_ptr<CVortigaCtrl> ctrl = std::make_unique<CVortigaCtrl>();
    std::shared_ptr<PrinterLog> log = std::make_shared<PrinterLog>();
    std::shared_ptr<ObservedPage> page = std::make_shared<ObservedPage>(Size{4800, 6000});
    std::vector<Box> boxes;
    ScopedHostKit kit{HostKitOptions{[this](const std::string& text, const std::string& caption, std::int32_t buttons,
                                            std::int32_t icon) {
        boxes.push_back({text, caption, buttons, icon});
        return std::int32_t{1};
    }}};

    PrintFixture() {
        ResetDefaultPrinterSetup();
        ctrl->SetSite(&site);
        PutProperty(*ctrl, "nvariables", I2(2));
        for (int i = 0; i < 5; ++i) {
            Call("SetData", {I2(0), I2(i), Variant(double(i))});
            Call("SetData", {I2(1), I2(i), Variant(double(i * i))});
            Call("SetData", {I2(2), I2(i), Variant(double(10 - i))});
        }
    }
    ~PrintFixture() override {
        ctrl.reset();
        ResetDefaultPrinterSetup();
    }

    Variant Call(std::string_view name, std::vector<Variant> args = {}) {
        return InvokeByName(*ctrl, name, InvokeKind::Method, args);
    }
    // The print dialog picks the fake printer (failing as told); the file dialog answers file.
    void ChooseFake(FakePrinter::Fail fail = FakePrinter::Fail::Nothing, bool toFile = false,
                    std::optional<std::string> file = std::nullopt) {
        site.SetPrintDialogAnswer([this, fail, toFile](const PrinterSetup& offered) {
            PrintDialogResult r;
            r.setup = offered;
            r.setup.printerName = "Fake";
            r.printToFile = toFile;
            r.device = std::make_unique<FakePrinter>(log, page, fail);
            return std::optional<PrintDialogResult>(std::move(r));
        });
        site.SetFileDialogAnswer([file](const HeadlessSite::FileDialogRequest&) { return file; });
    }
    void ExpectPrintingFlagsClear() {
        EXPECT_FALSE(ctrl->printingPage);
        EXPECT_EQ(ctrl->Plot().Printing, 0);
        EXPECT_EQ(ctrl->LayoutSize(), (Size{800, 400}));
    }
};

TEST_F(PrintFixture, PrintDrawsThePlotScaledOntoOnePage) {
    ChooseFake();
    bool flagged = true;
    page->onFill = [&] { flagged = flagged && ctrl->printingPage && ctrl->Plot().Printing == 1; };
    Call("Print2", {Variant(false)});

    EXPECT_EQ(log->Joined(), "StartDoc StartPage EndPage EndDoc Delete");
    ASSERT_EQ(log->docs.size(), 1u);
    EXPECT_EQ(log->docs[0].name, "VortigaPlot");
    EXPECT_EQ(log->docs[0].output, "");
    EXPECT_TRUE(flagged);
    EXPECT_TRUE(boxes.empty());
    // 800 x 400 on 4800 x 6000: six times as large, 4800 x 2400, 1800 pixels from the top.
    const std::vector<DrawCall>& calls = page->Calls();
    ASSERT_GT(calls.size(), 10u);
    const Rect drawn = DrawnExtent(calls);
    EXPECT_GE(drawn.top, 1800);
    EXPECT_LE(drawn.bottom, 4200);
    EXPECT_LT(drawn.top, 1800 + 300);
    EXPECT_GT(drawn.bottom, 4200 - 300);
    EXPECT_GE(drawn.left, 0);
    EXPECT_LE(drawn.right, 4800);
    EXPECT_GT(drawn.right - drawn.left, 4000);
    ExpectPrintingFlagsClear();
    // The printer chosen is the application's printer from now on.
    EXPECT_EQ(DefaultPrinterSetup().printerName, "Fake");
}

TEST_F(PrintFixture, PrintOffersLandscapeWhateverTheSetting) {
    Call("SetPrintSettings", {I2(0), Variant(1.0), Variant(1.0), Variant(1.0), Variant(1.0)});
    Call("Print2", {Variant(false)});
    ASSERT_EQ(site.PrintDialogs().size(), 1u);
    EXPECT_TRUE(site.PrintDialogs()[0].landscape);
    // Cancelled: nothing was started, nothing became the default.
    EXPECT_TRUE(log->steps.empty());
    EXPECT_FALSE(DefaultPrinterSetup().landscape);
    EXPECT_TRUE(site.FileDialogs().empty());
}

TEST_F(PrintFixture, CancelInTheFileDialogStartsNoDocument) {
    ChooseFake(FakePrinter::Fail::Nothing, true, std::nullopt);
    Call("Print2", {Variant(false)});
    EXPECT_EQ(site.FileDialogs().size(), 1u);
    EXPECT_EQ(log->Joined(), "Delete");
    EXPECT_TRUE(page->Calls().empty());
    EXPECT_TRUE(boxes.empty());
    ExpectPrintingFlagsClear();
}

TEST_F(PrintFixture, FailedStepsEndTheJobAndOnlyAFailedStartDocIsSilent) {
    ChooseFake(FakePrinter::Fail::StartDoc);
    Call("Print2", {Variant(false)});
    EXPECT_EQ(log->Joined(), "StartDoc Delete");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(page->Calls().empty());

    log->steps.clear();
    ChooseFake(FakePrinter::Fail::StartPage);
    Call("Print2", {Variant(false)});
    EXPECT_EQ(log->Joined(), "StartDoc StartPage AbortDoc Delete");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The printer could not start a new page.");
    EXPECT_EQ(boxes[0].caption, "Print");
    EXPECT_EQ(static_cast<unsigned>(boxes[0].buttons) | static_cast<unsigned>(boxes[0].icon),
              MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(page->Calls().empty());

    // A page or document the printer refused is reported, not passed off as printed.
    for (FakePrinter::Fail fail : {FakePrinter::Fail::EndPage, FakePrinter::Fail::EndDoc}) {
        log->steps.clear();
        boxes.clear();
        ChooseFake(fail);
        Call("Print2", {Variant(false)});
        EXPECT_EQ(log->Joined(), "StartDoc StartPage EndPage EndDoc Delete");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "The plot could not be printed.");
    }
    ExpectPrintingFlagsClear();
}

TEST_F(PrintFixture, DrawingThatFailsAbortsTheDocumentAndClearsTheFlags) {
    ChooseFake();
    page->onFill = [] { throw std::runtime_error("out of toner"); };
    EXPECT_ANY_THROW(Call("Print2", {Variant(false)}));
    EXPECT_EQ(log->Joined(), "StartDoc StartPage EndPage AbortDoc Delete");
    ExpectPrintingFlagsClear();
    // The control still draws on screen afterwards.
    page->onFill = nullptr;
    site.Invalidate();
    EXPECT_TRUE(site.Paint());
}

TEST_F(PrintFixture, PrintToAFileWritesAOnePagePdfWithThePlot) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("plot.prn").toStdString();
    site.SetPrintDialogAnswer([](const PrinterSetup& offered) {
        PrintDialogResult r;
        r.setup = offered;
        r.printToFile = true;
        return std::optional<PrintDialogResult>(std::move(r));
    });
    site.SetFileDialogAnswer([path](const HeadlessSite::FileDialogRequest&) { return std::optional(path); });
    Call("Print2", {Variant(false)});
    ASSERT_EQ(site.FileDialogs().size(), 1u);
    EXPECT_TRUE(site.FileDialogs()[0].save);
    EXPECT_EQ(site.FileDialogs()[0].filter, "Print file (*.prn)|*.prn");
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
    // The plot's texts made it onto the page as fonts.
    EXPECT_TRUE(pdf.contains("/Font"));
    EXPECT_TRUE(boxes.empty());
    ExpectPrintingFlagsClear();

    // Into a folder that does not exist nothing starts, and nothing is claimed.
    const std::string missing = dir.filePath("no/such/plot.prn").toStdString();
    site.SetFileDialogAnswer([missing](const HeadlessSite::FileDialogRequest&) { return std::optional(missing); });
    Call("Print2", {Variant(false)});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
}

TEST_F(PrintFixture, WithoutASiteTheDesktopDialogIsCancelledHeadless) {
    ctrl->SetSite(nullptr);
    Call("Print2", {Variant(false)});
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(ctrl->printingPage);
}

// ---- page setup ----

struct PageSetupServer {
    std::vector<std::vector<Variant>> calls;
    bool hasMethod = true;
    ScopedProgId server{std::string(kDialogServerProgId), [this] {
                            auto d = std::make_shared<DispatchObject>();
                            if (hasMethod) {
                                d->AddMethod("DoPageSetup", [this](std::vector<Variant>& a) {
                                    calls.push_back(a);
                                    return Variant(std::int32_t{1});
                                });
                            }
                            return std::shared_ptr<IDispatch>(d);
                        }};
};

TEST_F(PrintFixture, PageSetupHandsTheControlToTheServerWithTheOrientationSet) {
    PageSetupServer dialog;
    Call("Print2", {Variant(true)});
    ASSERT_EQ(dialog.calls.size(), 1u);
    ASSERT_EQ(dialog.calls[0].size(), 1u);
    std::shared_ptr<IDispatch> control = dialog.calls[0][0].ToDispatch();
    ASSERT_TRUE(control);
    // The reference is the control itself: what the server sets there, the control has.
    PutProperty(*control, "Title", Variant("Set up"));
    EXPECT_EQ(GetProperty(*ctrl, "Title").ToString(), "Set up");
    EXPECT_TRUE(DefaultPrinterSetup().landscape);
    EXPECT_TRUE(site.PrintDialogs().empty());

    Call("SetPrintSettings", {I2(0), Variant(0.0), Variant(0.0), Variant(0.0), Variant(0.0)});
    Call("Print2", {Variant(true)});
    EXPECT_EQ(dialog.calls.size(), 2u);
    EXPECT_FALSE(DefaultPrinterSetup().landscape);

    // A server that keeps the reference cannot reach a control that is gone.
    ctrl.reset();
    EXPECT_THROW(GetProperty(*control, "Title"), AutomationError);
}

TEST_F(PrintFixture, PageSetupWithoutServerOrMethodDoesNothing) {
    Call("Print2", {Variant(true)});
    PageSetupServer dialog;
    dialog.hasMethod = false;
    Call("Print2", {Variant(true)});
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(boxes.empty());
}

// ---- settings and the preview's entries ----

TEST_F(PrintFixture, SettingsStoreMarginsAndMakeBadOnesZero) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Call("SetPrintSettings", {I2(-3), Variant(0.5), Variant(nan), Variant(-inf), Variant(2.25)});
    EXPECT_EQ(ctrl->printLandscape, -3);
    EXPECT_EQ(ctrl->printMargins, (std::array<double, 4>{0.5, 0.0, 0.0, 2.25}));
    PrintInfo info;
    ctrl->OnPreparePreview(info);
    EXPECT_TRUE(info.setup.landscape);
}

TEST_F(PrintFixture, PreviewPreparationIsOnePageInTheSetOrientation) {
    SetDefaultPrinterSetup({"Office", "", "VortigaPlot", true});
    Call("SetPrintSettings", {I2(0), Variant(0.0), Variant(0.0), Variant(0.0), Variant(0.0)});
    PrintInfo info;
    ctrl->OnPreparePreview(info);
    EXPECT_EQ(info.minPage, 1);
    EXPECT_EQ(info.maxPage, 1);
    EXPECT_EQ(info.setup.printerName, "Office");
    EXPECT_FALSE(info.setup.landscape);
}

TEST_F(PrintFixture, PreviewPageDrawsThePageScaledIntoThePreview) {
    RecordingSurface printer(SurfaceKind::Printer, {4800, 6000}, 600);
    RecordingSurface preview(SurfaceKind::Preview, {480, 800}, 96);
    ctrl->OnPreviewPage(preview, printer);
    // The page becomes 480 x 600 on the preview; the plot in it 480 x 240, 180 from the top.
    const Rect drawn = DrawnExtent(preview.Calls());
    EXPECT_GE(drawn.top, 180);
    EXPECT_LE(drawn.bottom, 420);
    EXPECT_GT(drawn.right - drawn.left, 400);
    EXPECT_TRUE(printer.Calls().empty());
    ExpectPrintingFlagsClear();
}

TEST(PreviewPageRect, KeepsThePageProportionsInsideThePreview) {
    EXPECT_EQ(PreviewPageRect({4800, 6000}, {480, 800}), (Rect{0, 0, 480, 600}));
    EXPECT_EQ(PreviewPageRect({6000, 4800}, {480, 800}), (Rect{0, 0, 480, 384}));
    EXPECT_EQ(PreviewPageRect({100, 100}, {300, 200}), (Rect{0, 0, 200, 200}));
    EXPECT_TRUE(PreviewPageRect({0, 6000}, {480, 800}).IsEmpty());
    EXPECT_TRUE(PreviewPageRect({4800, 6000}, {0, 800}).IsEmpty());
}

}  // namespace
}  // namespace vtg::test
