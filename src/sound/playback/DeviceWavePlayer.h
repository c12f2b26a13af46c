#pragma once

#include "document/WavePlayer.h"
#include "sound/engine/CompletionQueue.h"
#include "sound/engine/SoundCard.h"

#include <chrono>
#include <functional>
#include <memory>

// Plays a WAV image (8 or 16 bits, one or two channels) on a sound card's output device: eight
// buffers of about 100 ms are queued and refilled as the device returns them, looping back to
// the start when asked to. The device's completions come through the player's queue; the owner
// calls Dispatch on its own thread whenever the queue's notifier fires (or drives RunOnce in a
// loop without an event system). The image must stay valid until Stop.
class CDeviceWavePlayer final : public IWavePlayer {
public:
    // `card` gives the card to play on at each Play (the device choice may change between).
    explicit CDeviceWavePlayer(std::function<ISoundCard*()> card);
    ~CDeviceWavePlayer() override;

    bool Play(const std::uint8_t* image, std::size_t size, bool loop) override;
    void Stop() override;

    void Dispatch();
    bool RunOnce(std::chrono::milliseconds timeout);
    bool IsPlaying() const { return m_out != nullptr; }
    CompletionQueue& Queue() { return m_queue; }
    const WaveFormat& Format() const { return m_format; }
    // Receives every buffer as it is written to the device.
    void SetPlayTap(std::function<void(const std::uint8_t*, std::size_t)> tap) {
        m_tap = std::move(tap);
    }

private:
    static constexpr int kBuffers = 8;
    // Fills header i from the current position and writes it; false at the end of a single play.
    bool Refill(int i);
    void Finish();

    std::function<ISoundCard*()> m_cardSource;
    ISoundCard* m_card = nullptr;
    CompletionQueue m_queue;
    std::unique_ptr<IWaveOut> m_out;
    std::uint64_t m_session = 0;
    WaveFormat m_format;
    const std::uint8_t* m_data = nullptr;
    std::size_t m_dataBytes = 0;
    std::size_t m_position = 0;
    bool m_loop = false;
    int m_nQueued = 0;
    std::uint32_t m_chunk = 0;
    WaveHeader m_hdr[kBuffers];
    std::unique_ptr<std::uint8_t[]> m_buf[kBuffers];
    std::function<void(const std::uint8_t*, std::size_t)> m_tap;
};
