#pragma once

// Raises the scheduling priority of the calling thread for a real-time run and puts it back.
// Best effort: the settings map to niceness only (never a real-time scheduling class that could
// starve the machine); a raise the system refuses is ignored. The destructor restores, so every
// exit path does.
//
// Settings: process and thread priority 0 high, 1 medium, 2 low. The thread's niceness becomes
// its value at Raise plus the process offset (-10, -5, 0) and the thread offset (-5, -2, 0),
// never below -15.
class CPriorityBoost {
public:
    CPriorityBoost() = default;
    ~CPriorityBoost() { Restore(); }
    CPriorityBoost(const CPriorityBoost&) = delete;
    CPriorityBoost& operator=(const CPriorityBoost&) = delete;

    void Raise(int processSetting, int threadSetting);
    void Restore();
    bool IsRaised() const { return m_bRaised; }
    // The niceness a raise aims at from `base`.
    static int TargetNiceness(int base, int processSetting, int threadSetting);

private:
    bool m_bRaised = false;
    int m_nSavedNice = 0;
    long m_nThreadId = 0;
};
