#pragma once

#include <cstdint>
#include <vector>

class CRtFilterEngine;

// What a real-time tool's engine filtered (the work blocks) and played, 16-bit stereo
// interleaved, and the frame count after each buffer.
struct RtRecording {
    std::vector<std::int16_t> input;
    std::vector<std::int16_t> output;
    std::vector<long long> bufferEnds;

    // Installs the engine's taps (they stay installed across restarts of the engine).
    void Attach(CRtFilterEngine& engine);
    long long Buffers() const { return static_cast<long long>(bufferEnds.size()); }
    long long Frames() const { return static_cast<long long>(input.size() / 2); }
};

// Drives the engine (its card's clock) until `buffers` buffers in all were recorded. False when
// the engine stopped or the card gave nothing.
bool DriveBuffers(CRtFilterEngine& engine, RtRecording& rec, long long buffers);

// Interleaved stereo samples as 16-bit little-endian bytes and back.
std::vector<std::uint8_t> StereoBytes(const std::int16_t* samples, long long frames);
std::vector<std::int16_t> StereoSamples(const std::vector<std::uint8_t>& bytes);
