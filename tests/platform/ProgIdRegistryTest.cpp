// Creating host servers by ProgID, and every way creation can fail.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "platform/ProgIdRegistry.h"

namespace vtg {
namespace {

constexpr const char* kServer = "Test.Registry.Server.380";

std::shared_ptr<IDispatch> MakeServer(const char* name) {
    auto obj = std::make_shared<DispatchObject>();
    obj->AddProperty("Name", [name] { return Variant(name); });
    return obj;
}

TEST(ProgIdRegistryTest, CreatesRegisteredClassesIgnoringCase) {
    ScopedProgId scope(kServer, [] { return MakeServer("one"); });
    auto& registry = ProgIdRegistry::Instance();
    EXPECT_TRUE(registry.IsRegistered("TEST.REGISTRY.SERVER.380"));
    auto obj = registry.Create("test.registry.server.380");
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(GetProperty(*obj, "Name"), Variant("one"));

    // Registering under another spelling replaces the same entry.
    registry.Register("test.REGISTRY.server.380", [] { return MakeServer("two"); });
    EXPECT_EQ(GetProperty(*registry.Create(kServer), "Name"), Variant("two"));
    EXPECT_NE(registry.Create(kServer), registry.Create(kServer));   // a new object per request
}

TEST(ProgIdRegistryTest, FailuresGiveNoObjectAndACode) {
    struct Row {
        const char* label;
        ProgIdRegistry::Factory factory;
        HResult hr;
    };
    const Row rows[] = {
        {"returns null", [] { return std::shared_ptr<IDispatch>(); }, HResult::Fail},
        {"throws std", []() -> std::shared_ptr<IDispatch> { throw std::runtime_error("no licence"); }, HResult::Fail},
        {"throws automation", []() -> std::shared_ptr<IDispatch> { throw AutomationError::NotImpl("later"); },
         HResult::NotImpl},
        {"out of memory", []() -> std::shared_ptr<IDispatch> { throw std::bad_alloc(); }, HResult::OutOfMemory},
        {"throws other", []() -> std::shared_ptr<IDispatch> { throw 7; }, HResult::Fail},
    };
    for (const Row& row : rows) {
        ScopedProgId scope(kServer, row.factory);
        ProgIdRegistry::CreateResult r;
        EXPECT_NO_THROW(r = ProgIdRegistry::Instance().TryCreate(kServer)) << row.label;
        EXPECT_EQ(r.object, nullptr) << row.label;
        EXPECT_EQ(r.hr, row.hr) << row.label;
        EXPECT_FALSE(r.message.empty()) << row.label;
        EXPECT_EQ(ProgIdRegistry::Instance().Create(kServer), nullptr) << row.label;
    }
    const auto unknown = ProgIdRegistry::Instance().TryCreate("No.Such.Server");
    EXPECT_EQ(unknown.object, nullptr);
    EXPECT_EQ(unknown.hr, HResult::InvalidClassString);
    EXPECT_NE(unknown.message.find("No.Such.Server"), std::string::npos);
}

TEST(ProgIdRegistryTest, ScopedRegistrationRestoresWhatWasThere) {
    auto& registry = ProgIdRegistry::Instance();
    {
        ScopedProgId outer(kServer, [] { return MakeServer("outer"); });
        {
            ScopedProgId inner(kServer, [] { return MakeServer("inner"); });
            EXPECT_EQ(GetProperty(*registry.Create(kServer), "Name"), Variant("inner"));
        }
        EXPECT_EQ(GetProperty(*registry.Create(kServer), "Name"), Variant("outer"));
    }
    EXPECT_FALSE(registry.IsRegistered(kServer));
    EXPECT_FALSE(registry.Unregister(kServer));
}

TEST(ProgIdRegistryTest, AFactoryMayChangeTheRegistryWhileItRuns) {
    auto& registry = ProgIdRegistry::Instance();
    registry.Register(kServer, [&registry] {
        registry.Unregister(kServer);   // destroys the stored factory while it is running
        return MakeServer("once");
    });
    auto obj = registry.Create(kServer);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(GetProperty(*obj, "Name"), Variant("once"));
    EXPECT_FALSE(registry.IsRegistered(kServer));
}

TEST(ProgIdRegistryTest, RejectsEmptyRegistrations) {
    auto& registry = ProgIdRegistry::Instance();
    EXPECT_THROW(registry.Register("", [] { return MakeServer("x"); }), AutomationError);
    EXPECT_THROW(registry.Register(kServer, nullptr), AutomationError);
    EXPECT_FALSE(registry.IsRegistered(kServer));
}

}  // namespace
}  // namespace vtg
