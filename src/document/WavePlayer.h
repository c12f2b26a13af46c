#pragma once

#include <cstddef>
#include <cstdint>

// Plays a complete WAV file image asynchronously (the simple sound-playing service).
class IWavePlayer {
public:
    virtual ~IWavePlayer() = default;
    // Starts playing `size` bytes of a WAV image; the bytes must stay valid until Stop().
    // Returns false when no output is available or the image cannot be played.
    virtual bool Play(const std::uint8_t* image, std::size_t size, bool loop) = 0;
    // Stops any playback; harmless when nothing plays.
    virtual void Stop() = 0;
};

// A player with no output device: every Play fails.
class CNullWavePlayer final : public IWavePlayer {
public:
    bool Play(const std::uint8_t*, std::size_t, bool) override { return false; }
    void Stop() override {}
};
