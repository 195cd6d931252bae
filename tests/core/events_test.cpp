#include <gtest/gtest.h>

#include "core/events.h"

namespace {
t_Event event(int64_t kind, int64_t value) {
    t_Event e;
    e.Kind = kind, e.Value = value;
    return e;
}
}  // namespace

// A full key queue keeps its first keys in order; each burst of refusals is reported once (its
// first key says so); an empty take leaves the last key read in currentevent.
TEST(Events, FullKeyQueueKeepsItsFirstKeysInOrder) {
    const auto bound = static_cast<int64_t>(keyqueuebound);
    for (int64_t v = 0; v < bound; ++v) ASSERT_EQ(appendkeyevent(event(1, v)), t_KeyQueued::Queued);
    const t_Event refused = event(1, -1);
    EXPECT_EQ(appendkeyevent(refused), t_KeyQueued::RefusedFirst);
    EXPECT_EQ(appendkeyevent(refused), t_KeyQueued::Refused);
    EXPECT_EQ(takekeyevent()->Value, 0);
    EXPECT_EQ(appendkeyevent(event(1, -2)), t_KeyQueued::Queued);
    EXPECT_EQ(appendkeyevent(refused), t_KeyQueued::RefusedFirst);
    for (int64_t v = 1; v < bound; ++v) ASSERT_EQ(takekeyevent()->Value, v);
    EXPECT_EQ(takekeyevent()->Value, -2);
    EXPECT_FALSE(takekeyevent().has_value());
    EXPECT_EQ(currentkeyevent().Value, -2);
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
