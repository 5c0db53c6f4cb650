// The clients of the host's resource-string and dialog servers: caching, the retry rule, and
// failures that only ever give empty texts and cancelled dialogs.
#include <gtest/gtest.h>

#include "control/HostServices.h"
#include "platform/HeadlessSite.h"
#include "platform/ProgIdRegistry.h"

namespace vtg {
namespace {

struct ServerLog {
    int created = 0;
    int calls = 0;
};

// A resource server answering "<key>!" (or failing) and counting what happens to it.
ProgIdRegistry::Factory ResourceServer(ServerLog& log, bool withMethod = true, bool failCalls = false) {
    return [&log, withMethod, failCalls] {
        ++log.created;
        auto server = std::make_shared<DispatchObject>();
        if (withMethod) {
            server->AddMethod(std::string(kResourceMethod), {"key", "text"}, [&log, failCalls](std::vector<Variant>& args) {
                ++log.calls;
                if (failCalls) throw AutomationError::Fail("server broke");
                SetOutArg(args[1], Variant(args[0].ToString() + "!"));
                return Variant(static_cast<std::int32_t>(1));
            });
        } else {
            server->AddMethod("SomethingElse", [](std::vector<Variant>&) { return Variant(); });
        }
        return std::shared_ptr<IDispatch>(server);
    };
}

struct HostServicesTest : testing::Test {
    HostServicesTest() { ResetResourceStringCache(); }
    ~HostServicesTest() override {
        ResetResourceStringCache();
        SetProcessClientType(0);
    }
};

TEST_F(HostServicesTest, WithoutAServerEveryTextIsEmpty) {
    EXPECT_EQ(GetResourceString("IDS_PLOTCTRL_TITLE"), "");
    // Nothing was kept: a server registered now is found at the next request.
    ServerLog log;
    ScopedProgId server(std::string(kResourceServerProgId), ResourceServer(log));
    EXPECT_EQ(GetResourceString("IDS_PLOTCTRL_TITLE"), "IDS_PLOTCTRL_TITLE!");
}

TEST_F(HostServicesTest, TheServerAndItsMethodAreKeptOnceFound) {
    ServerLog log;
    ScopedProgId server(std::string(kResourceServerProgId), ResourceServer(log));
    EXPECT_EQ(GetResourceString("A"), "A!");
    EXPECT_EQ(GetResourceString("B"), "B!");
    EXPECT_EQ(log.created, 1);
    EXPECT_EQ(log.calls, 2);
    ResetResourceStringCache();
    EXPECT_EQ(GetResourceString("C"), "C!");
    EXPECT_EQ(log.created, 2);
}

TEST_F(HostServicesTest, AServerWithoutTheMethodIsDroppedAndAskedForAgain) {
    ServerLog log;
    ScopedProgId server(std::string(kResourceServerProgId), ResourceServer(log, false));
    EXPECT_EQ(GetResourceString("A"), "");
    EXPECT_EQ(GetResourceString("A"), "");
    EXPECT_EQ(log.created, 2);
}

TEST_F(HostServicesTest, AFailingCallGivesAnEmptyTextButKeepsTheServer) {
    ServerLog log;
    ScopedProgId server(std::string(kResourceServerProgId), ResourceServer(log, true, true));
    EXPECT_EQ(GetResourceString("A"), "");
    EXPECT_EQ(GetResourceString("A"), "");
    EXPECT_EQ(log.created, 1);
    EXPECT_EQ(log.calls, 2);
}

TEST_F(HostServicesTest, AFactoryThatFailsKeepsNothing) {
    int attempts = 0;
    ScopedProgId server(std::string(kResourceServerProgId), [&attempts]() -> std::shared_ptr<IDispatch> {
        ++attempts;
        throw std::runtime_error("cannot start");
    });
    EXPECT_EQ(GetResourceString("A"), "");
    EXPECT_EQ(GetResourceString("A"), "");
    EXPECT_EQ(attempts, 2);
}

TEST_F(HostServicesTest, DialogsAreCancelledWhenTheServerOrMethodIsMissing) {
    std::vector<Variant> args{Variant("t")};
    EXPECT_FALSE(CallDialog("MessageBox", args));
    EXPECT_EQ(HostMessageBox("text", "caption", 1, 0x30), 0);

    int created = 0;
    ScopedProgId server(std::string(kDialogServerProgId), [&created] {
        ++created;
        auto dialogs = std::make_shared<DispatchObject>();
        dialogs->AddMethod("MessageBox", {"text", "caption", "buttons", "icon"}, [](std::vector<Variant>& a) {
            return Variant(a[2].ToI4() + a[3].ToI4());
        });
        return std::shared_ptr<IDispatch>(dialogs);
    });
    EXPECT_FALSE(CallDialog("ShowMenu", args));
    EXPECT_EQ(HostMessageBox("text", "caption", 1, 0x30), 0x31);
    EXPECT_EQ(HostMessageBox("text", "caption", 0, 0), 0);
    // A new server object for every dialog.
    EXPECT_EQ(created, 3);
}

TEST_F(HostServicesTest, ADialogSessionUsesOneServerForAllItsCalls) {
    int created = 0;
    int items = 0;
    ScopedProgId server(std::string(kDialogServerProgId), [&] {
        ++created;
        auto dialogs = std::make_shared<DispatchObject>();
        dialogs->AddMethod("AddItem", [&items](std::vector<Variant>&) { return Variant(++items); });
        return std::shared_ptr<IDispatch>(dialogs);
    });
    std::optional<DialogServer> session = DialogServer::Open();
    ASSERT_TRUE(session);
    std::vector<Variant> none;
    EXPECT_EQ(session->Call("AddItem", none)->ToI4(), 1);
    EXPECT_EQ(session->Call("AddItem", none)->ToI4(), 2);
    EXPECT_EQ(created, 1);
}

TEST_F(HostServicesTest, ClientTypeOneShowsTheMessageBoxLocally) {
    bool serverAsked = false;
    ScopedProgId server(std::string(kDialogServerProgId), [&serverAsked] {
        serverAsked = true;
        return std::shared_ptr<IDispatch>(std::make_shared<DispatchObject>());
    });
    HeadlessSite site(200, 100);
    site.SetMessageBoxAnswer([](const std::string&, const std::string&, unsigned) { return IDYES; });
    SetProcessClientType(1);
    EXPECT_EQ(HostMessageBox("Delete?", "Sure", static_cast<std::int32_t>(MB_YESNO),
                             static_cast<std::int32_t>(MB_ICONQUESTION), &site),
              IDYES);
    ASSERT_EQ(site.MessageBoxes().size(), 1u);
    EXPECT_EQ(site.MessageBoxes()[0].flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(site.MessageBoxes()[0].caption, "Sure");
    EXPECT_FALSE(serverAsked);
    // Without a window the desktop box is used, and headless it answers nothing.
    EXPECT_EQ(HostMessageBox("x", "y", 0, 0), 0);
}

}  // namespace
}  // namespace vtg
