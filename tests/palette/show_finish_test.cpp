#include "palette/show_finish.h"

#include <gtest/gtest.h>

namespace lumetra::palette {
namespace {

TEST(ShowFinish, ASecondShowBeforeTheViewWorkJoinsTheFirst) {
    const ShowFinish fresh = QueueShowFinish({}, false, false);
    EXPECT_TRUE(fresh.armed);
    EXPECT_FALSE(fresh.wasVisible);

    // The second show finds the palette on screen, but the first show's view
    // work (monitor view, reveal) has not run yet: it must still run.
    const ShowFinish joined = QueueShowFinish(fresh, true, false);
    EXPECT_TRUE(joined.armed);
    EXPECT_FALSE(joined.wasVisible);

    // A refresh due at either show survives the join.
    EXPECT_TRUE(QueueShowFinish(QueueShowFinish({}, false, true), true, false).runPending);
    EXPECT_TRUE(QueueShowFinish(QueueShowFinish({}, false, false), true, true).runPending);

    // A show of a palette already on screen with nothing queued stays one.
    EXPECT_TRUE(QueueShowFinish({}, true, false).wasVisible);
}

}  // namespace
}  // namespace lumetra::palette
