// The desktop printer device writing into files, and the headless site's print dialog.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/HeadlessSite.h"
#include "platform/PrintDevice.h"

namespace vtg {
namespace {

QByteArray ReadFile(const std::string& path) {
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void DrawBox(Surface& page) {
    page.FillRect({100, 100, 900, 700}, Brush{BrushKind::Solid, 0x0000FF});
}

TEST(PrintDevice, StepsOnlyWorkInOrder) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("job.pdf").toStdString();
    auto device = CreatePrinterDevice({});
    EXPECT_FALSE(device->StartPage());
    EXPECT_FALSE(device->EndPage());
    EXPECT_FALSE(device->EndDoc());
    ASSERT_TRUE(device->StartDoc({"VortigaPlot", path}));
    EXPECT_TRUE(device->InDocument());
    EXPECT_FALSE(device->StartDoc({"VortigaPlot", path}));
    EXPECT_FALSE(device->EndPage());
    ASSERT_TRUE(device->StartPage());
    EXPECT_FALSE(device->StartPage());
    EXPECT_EQ(device->Page().Kind(), SurfaceKind::Printer);
    EXPECT_EQ(device->Page().PixelSize(), device->PageSize());
    DrawBox(device->Page());
    EXPECT_TRUE(device->EndPage());
    EXPECT_TRUE(device->EndDoc());
    EXPECT_FALSE(device->InDocument());
    EXPECT_FALSE(device->EndDoc());
    EXPECT_TRUE(ReadFile(path).startsWith("%PDF"));
}

TEST(PrintDevice, PagesFollowTheOrientationBeforeAnyDocument) {
    PrinterSetup setup;
    setup.landscape = false;
    const Size portrait = CreatePrinterDevice(setup)->PageSize();
    setup.landscape = true;
    const Size landscape = CreatePrinterDevice(setup)->PageSize();
    EXPECT_GT(portrait.cy, portrait.cx);
    EXPECT_GT(landscape.cx, landscape.cy);
}

TEST(PrintDevice, AbortedOrUnstartedFilesAreNotLeftBehind) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("aborted.pdf").toStdString();
    {
        auto device = CreatePrinterDevice({});
        ASSERT_TRUE(device->StartDoc({"VortigaPlot", path}));
        ASSERT_TRUE(device->StartPage());
        DrawBox(device->Page());
        device->AbortDoc();
        EXPECT_FALSE(device->InDocument());
        EXPECT_FALSE(device->EndDoc());
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    {
        // A device dropped in the middle of a document aborts it.
        auto device = CreatePrinterDevice({});
        ASSERT_TRUE(device->StartDoc({"VortigaPlot", path}));
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    auto device = CreatePrinterDevice({});
    EXPECT_FALSE(device->StartDoc({"VortigaPlot", dir.filePath("missing/x.pdf").toStdString()}));
    EXPECT_FALSE(device->InDocument());
}

TEST(PrintDevice, HeadlessDialogsCancelUnlessTheSiteAnswers) {
    EXPECT_FALSE(ShowPrintDialog({}).has_value());
    HeadlessSite site(100, 100);
    PrinterSetup offered;
    offered.landscape = true;
    EXPECT_FALSE(site.PrintDialog(offered).has_value());
    site.SetPrintDialogAnswer([](const PrinterSetup& s) {
        PrintDialogResult r;
        r.setup = s;
        r.printToFile = true;
        return std::optional<PrintDialogResult>(std::move(r));
    });
    std::optional<PrintDialogResult> chosen = site.PrintDialog(offered);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(chosen->printToFile);
    ASSERT_TRUE(chosen->device);   // the desktop device for the choice
    EXPECT_GT(chosen->device->PageSize().cx, chosen->device->PageSize().cy);
    ASSERT_EQ(site.PrintDialogs().size(), 2u);
    EXPECT_TRUE(site.PrintDialogs()[1].landscape);
}

}  // namespace
}  // namespace vtg
