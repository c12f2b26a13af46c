#include "sound/engine/PriorityBoost.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int ThreadNice() {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}

TEST(PriorityBoost, SettingsMapToNicenessNeverBelowMinus15) {
    EXPECT_EQ(CPriorityBoost::TargetNiceness(0, 0, 0), -15);
    EXPECT_EQ(CPriorityBoost::TargetNiceness(0, 1, 1), -7);
    EXPECT_EQ(CPriorityBoost::TargetNiceness(0, 2, 2), 0);
    EXPECT_EQ(CPriorityBoost::TargetNiceness(5, 1, 2), 0);
    EXPECT_EQ(CPriorityBoost::TargetNiceness(-12, 0, 0), -15);
    EXPECT_EQ(CPriorityBoost::TargetNiceness(0, 9, -3), -5); // out-of-range settings clamp
}

TEST(PriorityBoost, EveryExitRestoresTheThreadsNiceness) {
    const int before = ThreadNice();
    {
        CPriorityBoost boost;
        boost.Raise(2, 2); // low/low: nothing to raise, still restorable
        EXPECT_EQ(ThreadNice(), before);
        boost.Raise(1, 1); // may be refused without privileges: best effort
        EXPECT_LE(ThreadNice(), before);
        boost.Restore();
        EXPECT_EQ(ThreadNice(), before);
        boost.Raise(0, 0);
    } // the destructor restores
    EXPECT_EQ(ThreadNice(), before);
}

} // namespace
