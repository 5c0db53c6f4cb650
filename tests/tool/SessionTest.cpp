// The control as the tool hosts it: message boxes never wait for a user, whichever way the
// control asks for one, and the default size.
#include <gtest/gtest.h>

#include <sstream>

#include "Session.h"
#include "control/HostServices.h"

namespace vtg::shell {
namespace {

TEST(SessionTest, MessageBoxesAreAnsweredOkAndEchoed) {
    std::ostringstream diag;
    Session session(Session::kDefaultSize, diag);
    EXPECT_EQ(session.Site().ClientSize(), (Size{800, 600}));
    // Through the host's dialog server, then locally through the window site.
    EXPECT_EQ(HostMessageBox("Delete the text?", "Are you sure", 1, 0x20), 1);
    SetProcessClientType(1);
    EXPECT_EQ(HostMessageBox("Local box", "Caption", 0, 0, &session.Site()), 1);
    SetProcessClientType(0);
    EXPECT_EQ(diag.str(), "message box: Are you sure: Delete the text? [OK]\nmessage box: Caption: Local box [OK]\n");
    EXPECT_EQ(session.Site().MessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace vtg::shell
