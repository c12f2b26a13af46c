#pragma once

#include "sound/engine/CompletionQueue.h"
#include "sound/engine/SoundCard.h"

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A scripted sound card for engine tests. Results of the device calls can be set per call kind
// (and per call number), input buffers are filled only when the test says so, and everything
// the engine did is recorded: the calls in order, the bytes of every output write, how many
// devices are open.
class CFakeSoundCard : public ISoundCard {
public:
    struct Script {
        int openIn = 0;
        int openOut = 0;
        int start = 0;
        // Result of the n-th call (0-based) of a kind; calls not listed succeed.
        std::map<int, int> inPrepare, inAdd, outPrepare;
        bool hasInput = true;
    };
    Script script;

    std::string Name() const override { return "fake"; }
    int GetInDevCaps(WaveInCaps& caps) override;
    bool IsFormatSupported(const WaveFormat&) override { return true; }
    int OpenIn(std::unique_ptr<IWaveIn>& in, const WaveFormat& format,
               CompletionQueue& queue) override;
    int OpenOut(std::unique_ptr<IWaveOut>& out, const WaveFormat& format,
                CompletionQueue* queue) override;
    void Pause(int milliseconds) override { pausedMs += milliseconds; }

    // Fills the oldest queued input header with `bytes` (repeated/truncated to its length) and
    // posts it. False when the input is not started or nothing is queued.
    bool FillNext(const std::vector<std::uint8_t>& bytes);
    // Fills the oldest queued header with a running byte counter so that every buffer differs.
    bool FillNextCounting();
    // Posts a DeviceLost for the open input.
    void LoseDevice(const std::string& why);

    // Recorded.
    std::vector<std::string> calls;
    std::vector<std::vector<std::uint8_t>> written; // every output write, in order
    std::vector<int> writtenIndex;                  // dwUser of each write
    int openDevices = 0;
    int pausedMs = 0;
    WaveFormat lastFormat;
    std::uint8_t counter = 0;

    struct InState;
    struct OutState;
    InState* in = nullptr; // the open input, if any

private:
    friend class CFakeWaveIn;
    friend class CFakeWaveOut;
    int m_nInPrepareCalls = 0, m_nInAddCalls = 0, m_nOutPrepareCalls = 0;
};
