// Data objects, the format-to-MIME mapping, and the in-process and desktop clipboards.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/Clipboard.h"
#include "platform/ImageSurface.h"

namespace vtg {
namespace {

std::string AsString(const std::optional<Bytes>& b) { return b ? std::string(b->begin(), b->end()) : "<none>"; }

TEST(ClipboardFormats, ApplicationNamesMapToTheirOwnMimeTypesAndBack) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {kFormatVortigaControl, "application/x-vortiga-control"},
        {kFormatKsx, "application/x-vortiga-ksx"},
        {kFormatVariablePath, "application/x-vortiga-variable-path"},
        {kFormatObjectDescriptor, "application/x-vortiga-object-descriptor"},
    };
    for (const auto& [name, mime] : cases) {
        EXPECT_EQ(MimeTypeForFormat(name), mime);
        EXPECT_EQ(FormatForMimeType(mime), name);
    }
    // Registered format names are matched without regard to case, as the desktop does.
    EXPECT_EQ(MimeTypeForFormat("vortiga CONTROL"), "application/x-vortiga-control");
    EXPECT_EQ(MimeTypeForFormat("CF_TEXT"), "text/plain");
    EXPECT_EQ(MimeTypeForFormat("CF_HDROP"), "text/uri-list");
    EXPECT_EQ(MimeTypeForFormat("Image/PNG"), "image/png");
    EXPECT_EQ(FormatForMimeType("text/plain"), "text/plain");
}

TEST(DataObjects, NamesAndMimeTypesReachTheSameDataAndOrderIsKept) {
    DataObject d;
    d.SetData(kFormatKsx, std::string_view("a\0<Selection>b\0", 15));
    d.SetText("x");
    d.SetData("application/x-vortiga-ksx", "replaced");
    EXPECT_EQ(d.Formats(), (std::vector<std::string>{"application/x-vortiga-ksx", "text/plain"}));
    EXPECT_EQ(AsString(d.GetData(kFormatKsx)), "replaced");
    EXPECT_TRUE(d.HasFormat("CF_TEXT"));
    EXPECT_FALSE(d.HasFormat(kFormatVortigaControl));
    EXPECT_EQ(d.GetData(kFormatVortigaControl), std::nullopt);
    EXPECT_EQ(DataObject{}.GetText(), std::nullopt);
}

TEST(DataObjects, BinaryDataKeepsEveryByte) {
    DataObject d;
    const Bytes stream{0x00, 0xFF, 0x0D, 0x0A, 0x1A, 0x00, 0x80};
    d.SetData(kFormatVortigaControl, stream);
    EXPECT_EQ(d.GetData(kFormatVortigaControl), stream);
}

TEST(DataObjects, FileListsRoundTripAwkwardNames) {
    const std::vector<std::string> files{"/tmp/a.txt", "/tmp/with space/b#1%.plx", "/data/\xC3\xA9t\xC3\xA9.ply"};
    DataObject d;
    d.SetFiles(files);
    EXPECT_EQ(d.GetFiles(), files);
    const auto list = AsString(d.GetData(kMimeUriList));
    EXPECT_EQ(list.find(' '), std::string::npos);  // encoded, one URI per CR LF line
    EXPECT_NE(list.find("file:///tmp/a.txt\r\n"), std::string::npos);
}

TEST(DataObjects, FileListsFromOtherProgramsYieldOnlyLocalFiles) {
    DataObject d;
    d.SetData(kMimeUriList, "# comment\nfile:///tmp/x.txt\nhttps://example.org/y\n\n  file:///tmp/z%20z  \r\nnot a uri");
    EXPECT_EQ(d.GetFiles(), (std::vector<std::string>{"/tmp/x.txt", "/tmp/z z"}));
}

TEST(DataObjects, PicturesAreStoredAsPng) {
    ImageSurface image(8, 4);
    DataObject d;
    ASSERT_TRUE(d.SetPicture(image));
    const auto png = d.GetData(kMimePng);
    ASSERT_TRUE(png && png->size() > 8);
    EXPECT_EQ(std::string(png->begin() + 1, png->begin() + 4), "PNG");
    EXPECT_FALSE(d.SetPicture(ImageSurface(0, 0)));  // nothing to encode
}

TEST(InProcessClipboards, HoldACopyUntilReplacedOrCleared) {
    InProcessClipboard clipboard;
    EXPECT_TRUE(clipboard.GetDataObject().IsEmpty());
    DataObject d;
    d.SetData(kFormatVortigaControl, "v1");
    clipboard.SetDataObject(d);
    d.SetData(kFormatVortigaControl, "v2");  // the clipboard keeps what it was given
    EXPECT_EQ(AsString(clipboard.GetDataObject().GetData(kFormatVortigaControl)), "v1");
    EXPECT_TRUE(clipboard.HasFormat("vortiga control"));
    clipboard.Clear();
    EXPECT_FALSE(clipboard.HasFormat(kFormatVortigaControl));
}

struct QtClipboardTest : ::testing::Test {
    QtClipboard clipboard;
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
};

TEST_F(QtClipboardTest, TextAndApplicationFormatsRoundTrip) {
    DataObject d;
    d.SetText("x=1.5 \xC3\xA9");
    d.SetData(kFormatVortigaControl, Bytes{0, 1, 2, 0xFF});
    clipboard.SetDataObject(d);
    const DataObject back = clipboard.GetDataObject();
    EXPECT_EQ(back.GetText(), "x=1.5 \xC3\xA9");
    EXPECT_EQ(back.GetData(kFormatVortigaControl), (Bytes{0, 1, 2, 0xFF}));
    EXPECT_TRUE(clipboard.HasFormat(kFormatVortigaControl));
    EXPECT_FALSE(clipboard.HasFormat(kFormatKsx));
}

TEST_F(QtClipboardTest, OtherProgramsSeeTheMimeTypesAndTheirTextIsRead) {
    DataObject d;
    d.SetData(kFormatVariablePath, "Flowsheet.S1.T");
    d.SetText("plain");
    clipboard.SetDataObject(d);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data("application/x-vortiga-variable-path"), QByteArray("Flowsheet.S1.T"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString("plain"));

    QGuiApplication::clipboard()->setText(QString::fromUtf8("from elsewhere \xE2\x82\xAC"));
    EXPECT_EQ(clipboard.GetDataObject().GetText(), "from elsewhere \xE2\x82\xAC");
    EXPECT_TRUE(clipboard.HasFormat("CF_TEXT"));
    EXPECT_FALSE(clipboard.HasFormat(kFormatVortigaControl));
}

TEST_F(QtClipboardTest, ClearingEmptiesIt) {
    DataObject d;
    d.SetData(kFormatVortigaControl, "stream");
    clipboard.SetDataObject(d);
    clipboard.Clear();
    EXPECT_FALSE(clipboard.HasFormat(kFormatVortigaControl));
    EXPECT_TRUE(clipboard.GetDataObject().IsEmpty());
}

}  // namespace
}  // namespace vtg
