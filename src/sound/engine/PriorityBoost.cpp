#include "sound/engine/PriorityBoost.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

constexpr int kProcessOffset[3] = {-10, -5, 0};
constexpr int kThreadOffset[3] = {-5, -2, 0};
constexpr int kMostUrgent = -15;

int Offset(const int (&table)[3], int setting) {
    return table[std::clamp(setting, 0, 2)];
}

} // namespace

int CPriorityBoost::TargetNiceness(int base, int processSetting, int threadSetting) {
    const int target =
        base + Offset(kProcessOffset, processSetting) + Offset(kThreadOffset, threadSetting);
    return std::max(target, std::min(base, kMostUrgent));
}

void CPriorityBoost::Raise(int processSetting, int threadSetting) {
    Restore();
    // On Linux the niceness of PRIO_PROCESS with a thread id is that thread's own.
    const long tid = syscall(SYS_gettid);
    errno = 0;
    const int base = getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
    if (errno != 0) return;
    m_nThreadId = tid;
    m_nSavedNice = base;
    m_bRaised = true;
    const int target = TargetNiceness(base, processSetting, threadSetting);
    if (target != base) setpriority(PRIO_PROCESS, static_cast<id_t>(tid), target);
}

void CPriorityBoost::Restore() {
    if (!m_bRaised) return;
    m_bRaised = false;
    setpriority(PRIO_PROCESS, static_cast<id_t>(m_nThreadId), m_nSavedNice);
}
