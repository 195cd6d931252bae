#include <gtest/gtest.h>

#include <thread>

#include "core/events.h"

namespace {
t_Event event(int64_t kind, int64_t value) {
    t_Event e;
    e.Kind = kind, e.Value = value;
    return e;
}
}  // namespace

TEST(Events, KeysArriveInOrderAcrossThreads) {
    constexpr int64_t count = 5000;
    std::thread producer([] {
        for (int64_t v = 0; v < count; ++v)
            while (appendkeyevent(event(1, v)) != t_KeyQueued::Queued) std::this_thread::yield();  // full
    });
    for (int64_t expected = 0; expected < count;)
        if (auto key = takekeyevent()) {
            ASSERT_EQ(key->Value, expected++);
        }
    producer.join();
    // An empty take leaves the last key in currentevent.
    EXPECT_FALSE(takekeyevent().has_value());
    EXPECT_EQ(currentkeyevent().Value, count - 1);
}

// A full key queue keeps its first keys; each burst of refusals is reported once: its first key
// says so, the rest are quiet.
TEST(Events, FullKeyQueueRefusesNewKeysAndKeepsTheFirst) {
    for (size_t i = 0; i < keyqueuebound; ++i) ASSERT_EQ(appendkeyevent(event(1, 7)), t_KeyQueued::Queued);
    const t_Event refused = event(1, -1);
    EXPECT_EQ(appendkeyevent(refused), t_KeyQueued::RefusedFirst);
    EXPECT_EQ(appendkeyevent(refused), t_KeyQueued::Refused);
    EXPECT_EQ(lastkeyevent()->Value, 7);
    takekeyevent();
    EXPECT_EQ(appendkeyevent(event(1, -2)), t_KeyQueued::Queued);
    EXPECT_EQ(appendkeyevent(refused), t_KeyQueued::RefusedFirst);
}

// Mouse and menu queues lose their oldest records instead; the menu total keeps growing past
// the bound, so a waiter can always see a new choice.
TEST(Events, MouseAndMenuQueuesDropTheOldestBeyondTheirBound) {
    t_MenuEvent choice;
    for (int64_t i = 0; i < static_cast<int64_t>(eventqueuebound) + 5; ++i) {
        appendmouseevent(event(2, i));
        choice.ItemAction = i;
        appendmenuevent(choice);
    }
    EXPECT_EQ(t_MouseEventCount(), static_cast<int64_t>(eventqueuebound));
    EXPECT_EQ(t_NextMouseEvent().Value, 5);
    EXPECT_EQ(t_NextMenuEvent().ItemAction, 5);
    EXPECT_EQ(menueventtotal(), static_cast<int64_t>(eventqueuebound) + 5);
}

TEST(Events, HandlersCanReplaceThemselvesWhileRunning) {
    int calls = 0;
    setprogrammenuhandler([&calls] {
        ++calls;
        setprogrammenuhandler(nullptr);  // back to doing nothing, from inside the handler
        appendmenuevent(t_MenuEvent{});
    });
    runprogrammenuhandler();
    runprogrammenuhandler();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t_MenuEventCount(), 1);
}
