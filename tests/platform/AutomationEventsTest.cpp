// Event delivery through a connection point, including sinks that change the connections
// while an event is being delivered.
#include <gtest/gtest.h>

#include <functional>

#include "platform/ConnectionPoint.h"

namespace vtg {
namespace {

// Appends its tag to a shared log and runs an optional action on each event.
class TaggedSink : public IEventSink {
public:
    TaggedSink(std::vector<std::string>& log, std::string tag) : log_(log), tag_(std::move(tag)) {}
    void OnEvent(DispId, const std::string& name, const std::vector<Variant>&) override {
        log_.push_back(tag_ + ":" + name);
        if (action) action();
    }
    std::function<void()> action;

private:
    std::vector<std::string>& log_;
    std::string tag_;
};

using Log = std::vector<std::string>;

TEST(ConnectionPointTest, DeliversToEverySinkInAdviseOrder) {
    ConnectionPoint cp;
    Log log;
    for (const char* tag : {"a", "b", "c"}) cp.Advise(std::make_shared<TaggedSink>(log, tag));
    cp.Fire(2, "Zoomed", {true});
    cp.Fire(30, "Modified");
    EXPECT_EQ(log, (Log{"a:Zoomed", "b:Zoomed", "c:Zoomed", "a:Modified", "b:Modified", "c:Modified"}));
}

TEST(ConnectionPointTest, CookiesStartAtOneAndAreNeverReused) {
    ConnectionPoint cp;
    Log log;
    const auto first = cp.Advise(std::make_shared<TaggedSink>(log, "a"));
    const auto second = cp.Advise(std::make_shared<TaggedSink>(log, "b"));
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 2u);
    EXPECT_TRUE(cp.Unadvise(second));
    EXPECT_FALSE(cp.Unadvise(second));
    EXPECT_FALSE(cp.Unadvise(0));
    EXPECT_EQ(cp.Advise(std::make_shared<TaggedSink>(log, "c")), 3u);
    cp.Fire(6, "ReloadNow");
    EXPECT_EQ(log, (Log{"a:ReloadNow", "c:ReloadNow"}));
    EXPECT_THROW(cp.Advise(nullptr), AutomationError);
}

TEST(ConnectionPointTest, FrozenEventsAreDroppedNotQueued) {
    ConnectionPoint cp;
    auto sink = std::make_shared<RecordingSink>();
    cp.Advise(sink);
    cp.Freeze(true);
    EXPECT_TRUE(cp.IsFrozen());
    cp.Fire(1, "Selected", {std::int16_t{7}});
    cp.Freeze(false);
    EXPECT_TRUE(sink->Events().empty());
    cp.Fire(1, "Selected", {std::int16_t{8}});
    ASSERT_EQ(sink->Count("Selected"), 1u);
    EXPECT_EQ(sink->Last("Selected")->args, (std::vector<Variant>{std::int16_t{8}}));
}

TEST(ConnectionPointTest, SinksMayChangeTheConnectionsDuringDelivery) {
    ConnectionPoint cp;
    Log log;
    auto a = std::make_shared<TaggedSink>(log, "a");
    auto b = std::make_shared<TaggedSink>(log, "b");
    auto c = std::make_shared<TaggedSink>(log, "c");
    const auto cookieA = cp.Advise(a);
    const auto cookieB = cp.Advise(b);
    cp.Advise(c);
    auto late = std::make_shared<TaggedSink>(log, "late");
    a->action = [&] {
        cp.Unadvise(cookieA);   // itself
        cp.Unadvise(cookieB);   // a sink that has not had its turn yet
        cp.Advise(late);        // joins for the next event only
        a->action = nullptr;
    };
    cp.Fire(3, "ApplyVariableChanges");
    EXPECT_EQ(log, (Log{"a:ApplyVariableChanges", "c:ApplyVariableChanges"}));
    log.clear();
    cp.Fire(6, "ReloadNow");
    EXPECT_EQ(log, (Log{"c:ReloadNow", "late:ReloadNow"}));
}

TEST(ConnectionPointTest, ASinkThatDisconnectsItselfStaysAliveThroughItsCall) {
    ConnectionPoint cp;
    Log log;
    auto sink = std::make_shared<TaggedSink>(log, "self");
    std::weak_ptr<TaggedSink> watch = sink;
    const auto cookie = cp.Advise(sink);
    TaggedSink* raw = sink.get();
    sink->action = [&cp, cookie, raw] {
        cp.Unadvise(cookie);   // drops the connection's reference: only the snapshot keeps it alive
        raw->action = nullptr;
    };
    sink.reset();
    cp.Fire(30, "Modified");
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(log, (Log{"self:Modified"}));
}

TEST(ConnectionPointTest, ReentrantFiringAndFailingSinksDoNotDisturbDelivery) {
    ConnectionPoint cp;
    Log log;
    auto first = std::make_shared<TaggedSink>(log, "first");
    auto thrower = std::make_shared<TaggedSink>(log, "thrower");
    auto last = std::make_shared<TaggedSink>(log, "last");
    first->action = [&] {
        first->action = nullptr;
        cp.Fire(31, "PlotDrawn", {true});
    };
    thrower->action = [] { throw std::runtime_error("host handler failed"); };
    cp.Advise(first);
    cp.Advise(thrower);
    cp.Advise(last);
    cp.Fire(1, "Selected");
    EXPECT_EQ(log, (Log{"first:Selected", "first:PlotDrawn", "thrower:PlotDrawn", "last:PlotDrawn",
                        "thrower:Selected", "last:Selected"}));
    EXPECT_EQ(cp.SinkFailures(), 2u);
}

TEST(RecordingSinkTest, KeepsValuesNotReferences) {
    ConnectionPoint cp;
    auto sink = std::make_shared<RecordingSink>();
    cp.Advise(sink);
    Variant text("drop");
    cp.Fire(5, "OnDropText", {Variant::Ref(text), std::int16_t{-1}});
    text = Variant("changed");
    ASSERT_EQ(sink->Events().size(), 1u);
    const auto& e = sink->Events()[0];
    EXPECT_EQ(e.id, 5);
    EXPECT_EQ(e.args, (std::vector<Variant>{"drop", std::int16_t{-1}}));
    EXPECT_EQ(sink->Last("Zoomed"), nullptr);
}

}  // namespace
}  // namespace vtg
