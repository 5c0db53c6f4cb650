// Paged output: PDF documents and print jobs written to a file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <array>

#include "platform/ImageSurface.h"
#include "platform/PdfDocument.h"
#include "SurfaceTestSupport.h"

namespace vtg {
namespace {

using namespace surface_test;

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void DrawSomething(Surface& page) {
    page.SelectPen(MakePen(kBlue, 3));
    page.MoveTo({100, 100});
    page.LineTo({2000, 1500});
    page.SelectClipRect({0, 0, 3000, 3000});
    page.SetBkMode(BkMode::Transparent);
    page.TextOut({200, 200}, "Temperature");
    page.Rectangle({50, 50, 400, 300});
}

TEST(SurfacePdf, WritesATwoPageDocument) {
    QTemporaryDir dir;
    const QString path = dir.filePath("plot.pdf");
    {
        PdfDocument doc(path.toStdString(), {4960, 7016}, 600);
        ASSERT_TRUE(doc.IsOpen());
        Surface& page = doc.Page();
        EXPECT_EQ(page.Kind(), SurfaceKind::Printer);
        EXPECT_TRUE(page.IsPrintingDevice());
        EXPECT_EQ(page.PixelSize(), (Size{4960, 7016}));
        EXPECT_EQ(page.DpiX(), 600);
        DrawSomething(page);
        ASSERT_TRUE(doc.NewPage());
        DrawSomething(page);
        EXPECT_TRUE(doc.Finish());
        EXPECT_FALSE(doc.Finish()) << "a finished document reports no second success";
        EXPECT_FALSE(doc.NewPage());
        page.LineTo({10, 10});  // ignored after Finish
    }
    const QByteArray pdf = ReadAll(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n"), 2);
}

TEST(SurfacePdf, ImagesBlitOntoThePage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("image.pdf");
    PdfDocument doc(path.toStdString(), {800, 600}, 96, SurfaceKind::Preview);
    EXPECT_EQ(doc.Page().Kind(), SurfaceKind::Preview);
    auto bitmap = doc.Page().CreateCompatible(50, 40);
    EXPECT_NE(dynamic_cast<ImageSurface*>(bitmap.get()), nullptr) << "a page's bitmaps are images";
    bitmap->FillRect({0, 0, 50, 40}, SolidBrush(kRed));
    doc.Page().BitBlt({10, 10}, {50, 40}, *bitmap, {0, 0});
    doc.Page().StretchBlt({100, 100, 300, 260}, *bitmap, {0, 0, 50, 40});
    ASSERT_TRUE(doc.Finish());
    EXPECT_TRUE(ReadAll(path).contains("/Subtype /Image"));
}

TEST(SurfacePdf, UnusableTargetsLeaveTheDocumentClosed) {
    QTemporaryDir dir;
    const std::array<std::pair<std::string, Size>, 4> cases{
        std::pair{dir.filePath("no/such/folder/x.pdf").toStdString(), Size{100, 100}},
        std::pair{dir.filePath("zero.pdf").toStdString(), Size{0, 100}},
        std::pair{dir.filePath("negative.pdf").toStdString(), Size{100, -5}},
        std::pair{std::string(), Size{100, 100}}};
    for (const auto& [path, size] : cases) {
        PdfDocument doc(path, size, 96);
        EXPECT_FALSE(doc.IsOpen()) << path;
        DrawSomething(doc.Page());
        EXPECT_FALSE(doc.NewPage());
        EXPECT_FALSE(doc.Finish());
    }
    PdfDocument noDpi(dir.filePath("dpi.pdf").toStdString(), {100, 100}, 0);
    EXPECT_FALSE(noDpi.IsOpen());
}

TEST(SurfacePdf, PrintJobIntoAFileUsesThePrintableArea) {
    QTemporaryDir dir;
    PrinterSetup setup;
    setup.outputFile = dir.filePath("job.pdf").toStdString();
    PrinterDocument job(setup);
    ASSERT_TRUE(job.IsOpen());
    Surface& page = job.Page();
    EXPECT_EQ(page.Kind(), SurfaceKind::Printer);
    EXPECT_GE(page.DpiX(), 300);
    // Portrait: taller than wide, and at least a few inches of paper.
    EXPECT_GT(page.PixelSize().cy, page.PixelSize().cx);
    EXPECT_GT(page.PixelSize().cx, 4 * page.DpiX());
    DrawSomething(page);
    EXPECT_TRUE(job.Finish());
    EXPECT_TRUE(ReadAll(QString::fromStdString(setup.outputFile)).startsWith("%PDF"));

    setup.landscape = true;
    setup.outputFile = dir.filePath("wide.pdf").toStdString();
    PrinterDocument wide(setup);
    EXPECT_GT(wide.Page().PixelSize().cx, wide.Page().PixelSize().cy);
    wide.Abort();
    EXPECT_FALSE(wide.Finish());
}

TEST(SurfacePdf, PagesMeasureTextLikeImagesAtTheSameDpi) {
    QTemporaryDir dir;
    PdfDocument doc(dir.filePath("m.pdf").toStdString(), {4960, 7016}, 600);
    ImageSurface image(10, 10, SurfaceKind::Memory, 600);
    Font f;
    f.height = 83;
    doc.Page().SelectFont(f);
    image.SelectFont(f);
    EXPECT_EQ(doc.Page().GetTextExtent("Flow rate"), image.GetTextExtent("Flow rate"));
    EXPECT_EQ(doc.Page().GetTextMetrics(), image.GetTextMetrics());
}

}  // namespace
}  // namespace vtg
