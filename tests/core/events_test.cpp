#include <gtest/gtest.h>

#include <thread>

#include "core/events.h"

namespace {
t_Event key(int64_t value) {
    t_Event e;
    e.Kind = 1;
    e.Value = value;
    return e;
}
t_MenuAction action(int64_t tag, int64_t command, std::string title = "") {
    return {tag, command, std::move(title), "", "", "", ""};
}
t_Event click(int64_t x) {
    t_Event e = key(0);
    e.Kind = 2;
    e.ClickX = x;
    return e;
}
}  // namespace

TEST(Events, KeysLeaveOldestFirstIntoCurrentEvent) {
    EXPECT_FALSE(takekeyevent().has_value());
    EXPECT_EQ(currentkeyevent().Kind, 0);

    for (int64_t v : {65, 66, 67}) appendkeyevent(key(v));
    EXPECT_TRUE(eventstate.keyavailable);
    EXPECT_EQ(takekeyevent()->Value, 65);
    EXPECT_EQ(currentkeyevent().Value, 65);
    EXPECT_EQ(takekeyevent()->Value, 66);
    EXPECT_EQ(takekeyevent()->Value, 67);
    EXPECT_FALSE(eventstate.keyavailable);
    // An empty take leaves the last key in currentevent.
    EXPECT_FALSE(takekeyevent().has_value());
    EXPECT_EQ(currentkeyevent().Value, 67);
    EXPECT_EQ(keyeventtotal(), 3);
}

TEST(Events, KeysArriveInOrderAcrossThreads) {
    constexpr int64_t count = 5000;
    std::thread producer([] {
        for (int64_t v = 0; v < count; ++v)
            while (appendkeyevent(key(v)) != t_KeyQueued::Queued) std::this_thread::yield();  // full: wait
    });
    int64_t expected = 0;
    while (expected < count) {
        if (auto event = takekeyevent()) {
            ASSERT_EQ(event->Value, expected);
            ++expected;
        }
    }
    producer.join();
    EXPECT_FALSE(eventstate.keyavailable);
}

TEST(Events, FullKeyQueueRefusesNewKeysAndKeepsTheFirst) {
    for (size_t i = 0; i < keyqueuebound; ++i) ASSERT_EQ(appendkeyevent(key(static_cast<int64_t>(i))), t_KeyQueued::Queued);
    // Each burst of refusals is reported once: its first key says so, the rest are quiet.
    EXPECT_EQ(appendkeyevent(key(-1)), t_KeyQueued::RefusedFirst);
    EXPECT_EQ(appendkeyevent(key(-1)), t_KeyQueued::Refused);
    EXPECT_EQ(keyeventcount(), static_cast<int64_t>(keyqueuebound));
    EXPECT_EQ(peekkeyevent()->Value, 0);
    EXPECT_EQ(lastkeyevent()->Value, static_cast<int64_t>(keyqueuebound) - 1);
    takekeyevent();
    EXPECT_EQ(appendkeyevent(key(-2)), t_KeyQueued::Queued);
    EXPECT_EQ(appendkeyevent(key(-1)), t_KeyQueued::RefusedFirst);
    clearkeyevents();
    EXPECT_FALSE(eventstate.keyavailable);
    EXPECT_EQ(keyeventcount(), 0);
}

TEST(Events, MouseAndMenuQueuesAreReadByTheProgramAndBounded) {
    EXPECT_EQ(t_NextMouseEvent().Kind, 0);
    for (size_t i = 0; i < eventqueuebound + 5; ++i) appendmouseevent(click(static_cast<int64_t>(i)));
    EXPECT_EQ(t_MouseEventCount(), static_cast<int64_t>(eventqueuebound));
    EXPECT_TRUE(eventstate.mouseavailable);
    EXPECT_EQ(t_NextMouseEvent().ClickX, 5);  // the five oldest went
    t_ClearMouseEvents();
    EXPECT_FALSE(eventstate.mouseavailable);
    EXPECT_EQ(t_NextMouseEvent().Kind, 0);

    t_MenuEvent choice;
    choice.Kind = 3;
    for (int64_t tag : {201, 202}) {
        choice.ItemAction = tag;
        appendmenuevent(choice);
    }
    EXPECT_TRUE(eventstate.menuavailable);
    EXPECT_EQ(t_MenuEventCount(), 2);
    EXPECT_EQ(t_NextMenuEvent().ItemAction, 201);
    EXPECT_EQ(t_NextMenuEvent().ItemAction, 202);
    EXPECT_FALSE(eventstate.menuavailable);
    // The total keeps growing past the bound, so a waiter can always see a new choice.
    for (size_t i = 0; i < eventqueuebound + 1; ++i) appendmenuevent(choice);
    EXPECT_EQ(menueventtotal(), static_cast<int64_t>(eventqueuebound) + 3);
    t_ClearMenuEvents();
}

TEST(Events, MenuActionsAreFoundByTheirFirstTag) {
    EXPECT_FALSE(findmenuaction(200).has_value());
    appendmenuaction(action(200, 200));
    appendmenuaction(action(110, 111, "first"));
    appendmenuaction(action(110, 112, "second"));
    EXPECT_EQ(findmenuaction(110)->Title, "first");
    t_MenuAction chosen = action(110, 100, "t");
    chosen.FilePath = "/tmp/pic.gr";
    EXPECT_TRUE(updatemenuaction(chosen));
    EXPECT_FALSE(updatemenuaction(action(999, 1)));
    const auto table = menuactionlist();
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[1].FilePath, "/tmp/pic.gr");
    EXPECT_EQ(table[2].Title, "second");
}

TEST(Events, HandlersCanReplaceThemselvesWhileRunning) {
    runprogrammousehandler();  // the initial handler does nothing
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
