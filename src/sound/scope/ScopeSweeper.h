#pragma once

#include <cstdint>
#include <vector>

// Trigger settings of one oscilloscope run.
struct ScopeTrigger {
    int level = 0;        // raw sample counts (m_nTrigLevel)
    int channel = 0;      // 0 ch1, 1 ch2
    int slope = 0;        // 0 rising "ﾄﾘｶﾞ(+)", 1 falling "ﾄﾘｶﾞ(-)"
    int mode = 0;         // 0 auto "ｵｰﾄ", 1 normal "ﾉｰﾏﾙ"
    int delayPercent = 0; // pre-trigger delay, 0..100
};

// The storage scope's ring and trigger machine, shared by the oscilloscope and the signal
// generator. The ring holds the last blocks of E frames (16-bit stereo, after the fourfold
// interpolation when D = 4); after each block is written into CurrentSlot(), Step runs the
// machine once:
//   free run (X-Y, nothing shown yet, or the auto mode fired): every F + 1 blocks the N D frames
//     from the start of slot s - F, F = N D div E;
//   trigger path: hold-off of H blocks after a sweep; a scan for the crossing of the level with
//     the last sample p carried across blocks (rising p <= level < x, falling p >= level > x),
//     whose fraction (x - level) / (x - p) goes to the trigger fraction; W + 1 blocks of
//     post-trigger capture; then the N D frames from the crossing + P. In auto mode A blocks
//     without a crossing fire one free-run sweep.
// with g = trunc((1 - delay / 100) N D), P = g - N D, W = g div E, H = -(P / E), A = N D div E.
//
// The ring has at least 50 blocks and always room for the sweep with its trigger block and the
// post-trigger blocks, so that the longest sweep never overlaps itself.
class CScopeSweeper {
public:
    static constexpr int kMinSlots = 50;

    // Sets up a run: N frames of the sweep at the capture rate (N D <= the time arrays), D,
    // E frames of a ring block. Allocates the ring; false when it cannot be.
    bool Begin(int sweepFrames, int over, int blockFrames, const ScopeTrigger& trigger);
    // Releases the ring.
    void End();
    // Level, channel, slope and mode for the next scans (the delay stays that of Begin).
    void SetTrigger(const ScopeTrigger& trigger);
    bool IsReady() const { return !m_ring.empty(); }

    // The block the next buffer goes to: E interleaved stereo frames.
    std::int16_t* CurrentSlot() {
        return m_ring.data() + 2 * static_cast<std::size_t>(m_nSlot) * m_nE;
    }

    // One step after the current slot was written. `freeRun` asks for the free-run path.
    // Returns true when a sweep of N D frames was copied into `wave1`/`wave2`, each sample
    // minus its channel's offset. A crossing found in this block sets `trigFrac`.
    bool Step(bool freeRun, float* wave1, float* wave2, float offset1, float offset2,
              float& trigFrac);

    int Slots() const { return m_nSlots; }
    int SweepLength() const { return m_nLength; }
    int BlockFrames() const { return m_nE; }
    bool TriggerPending() const { return m_bTrigFound; }

private:
    void Advance() { m_nSlot = (m_nSlot + 1) % m_nSlots; }
    // Copies the sweep that starts at ring frame `start` (taken modulo the ring).
    void CopySweep(long long start, float* wave1, float* wave2, float offset1, float offset2);
    // Scans the current slot for a crossing; true when found (position and fraction kept).
    bool Scan(float& trigFrac);

    std::vector<std::int16_t> m_ring;
    ScopeTrigger m_trig;
    int m_nSlots = 0;
    int m_nSlot = 0;
    int m_nE = 0;
    int m_nLength = 0; // N D
    int m_nF = 0;
    int m_nFreeCount = 0;
    int m_nG = 0, m_nP = 0;
    int m_nWait = 0, m_nHold = 0, m_nAuto = 0;
    bool m_bTrigFound = false;
    bool m_bAutoFire = false;
    long long m_nTrigPos = 0; // ring frame of the crossing
    int m_nLast = 0;          // p
};
