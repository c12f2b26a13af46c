#include "support/RtRecording.h"

#include "realtime/RtFilterEngine.h"

#include <chrono>

namespace {
void Append(std::vector<std::int16_t>& to, const std::uint8_t* data, std::size_t bytes) {
    for (std::size_t i = 0; i + 1 < bytes; i += 2)
        to.push_back(
            static_cast<std::int16_t>(static_cast<std::uint16_t>(data[i] | (data[i + 1] << 8))));
}
} // namespace

void RtRecording::Attach(CRtFilterEngine& engine) {
    engine.SetFilterInputTap([this](const std::uint8_t* data, std::size_t bytes) {
        Append(input, data, bytes);
        bufferEnds.push_back(static_cast<long long>(input.size() / 2));
    });
    engine.SetPlayTap(
        [this](const std::uint8_t* data, std::size_t bytes) { Append(output, data, bytes); });
}

bool DriveBuffers(CRtFilterEngine& engine, RtRecording& rec, long long buffers) {
    while (rec.Buffers() < buffers) {
        if (!engine.IsRunning()) return false;
        if (!engine.RunOnce(std::chrono::seconds(5))) return false;
    }
    return true;
}

std::vector<std::uint8_t> StereoBytes(const std::int16_t* samples, long long frames) {
    std::vector<std::uint8_t> b(static_cast<std::size_t>(frames) * 4);
    for (std::size_t i = 0; i < b.size() / 2; ++i) {
        const auto u = static_cast<std::uint16_t>(samples[i]);
        b[2 * i] = static_cast<std::uint8_t>(u & 0xFF);
        b[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
    }
    return b;
}

std::vector<std::int16_t> StereoSamples(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::int16_t> s;
    Append(s, bytes.data(), bytes.size());
    return s;
}
