// The main window's close while a modal window it owns is up: kept until the window is enabled
// again, then asked once; a close of an enabled window goes ahead at once.
#include "player/core/DeferredClose.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum class Event { kCloseEnabled, kCloseDisabled, kEnabled, kDisabled };

struct Step {
    Event event;
    bool answer;  // Request: close now; OnEnabled: ask again now
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    bool pendingAtEnd;
};

TEST(DeferredClose, SequencesOfRequestsAndEnabling)
{
    const Case cases[] = {
        {"enabled window closes at once", {{Event::kCloseEnabled, true}}, false},
        {"nothing kept: enabling asks nothing",
         {{Event::kDisabled, false}, {Event::kEnabled, false}},
         false},
        {"close under a modal box waits for the box",
         {{Event::kDisabled, false}, {Event::kCloseDisabled, false}, {Event::kEnabled, true}},
         false},
        {"asked again only once",
         {{Event::kCloseDisabled, false}, {Event::kEnabled, true}, {Event::kEnabled, false}},
         false},
        {"two closes under one box give one close",
         {{Event::kCloseDisabled, false}, {Event::kCloseDisabled, false}, {Event::kEnabled, true},
          {Event::kEnabled, false}},
         false},
        {"a second box right after the first keeps it again",
         {{Event::kCloseDisabled, false}, {Event::kEnabled, true}, {Event::kCloseDisabled, false},
          {Event::kDisabled, false}, {Event::kEnabled, true}},
         false},
        {"still disabled: kept", {{Event::kCloseDisabled, false}, {Event::kDisabled, false}}, true},
        {"a close that went ahead clears the kept one",
         {{Event::kCloseDisabled, false}, {Event::kCloseEnabled, true}, {Event::kEnabled, false}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeferredClose close;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            bool got = false;
            switch (s.event) {
            case Event::kCloseEnabled: got = close.Request(true); break;
            case Event::kCloseDisabled: got = close.Request(false); break;
            case Event::kEnabled: got = close.OnEnabled(true); break;
            case Event::kDisabled: got = close.OnEnabled(false); break;
            }
            EXPECT_EQ(got, s.answer) << "step " << i;
        }
        EXPECT_EQ(close.Pending(), c.pendingAtEnd);
    }
}

}  // namespace
