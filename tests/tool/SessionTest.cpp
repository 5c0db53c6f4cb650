// The control as the tool hosts it: message boxes never wait for a user, whichever way the
// control asks for one, the default size, and file names the tool must not write to.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <sstream>

#include "Session.h"
#include "control/HostServices.h"

namespace vtg::shell {
namespace {

TEST(SessionTest, MessageBoxesAreAnsweredOkAndEchoedOnOneLine) {
    std::ostringstream diag;
    Session session(Session::kDefaultSize, diag);
    EXPECT_EQ(session.Site().ClientSize(), (Size{800, 600}));
    // Through the host's dialog server, then locally through the window site.
    EXPECT_EQ(HostMessageBox("Delete the text?", "Are you sure", 1, 0x20), 1);
    SetProcessClientType(1);
    EXPECT_EQ(HostMessageBox("Local box\nline two \x1b[2J", "Caption", 0, 0, &session.Site()), 1);
    SetProcessClientType(0);
    EXPECT_EQ(diag.str(),
              "message box: Are you sure: Delete the text? [OK]\n"
              "message box: Caption: Local box\\nline two \\x1B[2J [OK]\n");
    EXPECT_EQ(session.Site().MessageBoxes().size(), 1u);
}

TEST(SessionTest, APictureNameWithANulByteIsRefusedBeforeAnythingIsWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string base = dir.path().toStdString() + "/cut";
    std::ostringstream diag;
    Session session(Session::kDefaultSize, diag);
    EXPECT_THROW(session.Render(base + std::string(1, '\0') + ".png", std::nullopt), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(base));
}

}  // namespace
}  // namespace vtg::shell
