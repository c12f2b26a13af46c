#include "sound/playback/WavRecorder.h"

#include "document/SavePath.h"

#include <cstring>

namespace {
void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
constexpr std::size_t kHeader = 56;
} // namespace

void CWavRecorder::Append(const std::uint8_t* data, std::size_t bytes) {
    m_data.insert(m_data.end(), data, data + bytes);
}

std::size_t CWavRecorder::Frames() const {
    return m_format.blockAlign > 0 ? m_data.size() / static_cast<std::size_t>(m_format.blockAlign)
                                   : 0;
}

std::vector<std::uint8_t> CWavRecorder::FileImage() const {
    const std::size_t data = Frames() * static_cast<std::size_t>(m_format.blockAlign);
    if (data > 0xFFFFFFFFu - kHeader) return {};
    std::vector<std::uint8_t> out(kHeader + data);
    std::uint8_t* h = out.data();
    std::memcpy(h, "RIFF", 4);
    Put32(h + 4, static_cast<std::uint32_t>(kHeader + data - 8));
    std::memcpy(h + 8, "WAVEfmt ", 8);
    Put32(h + 16, 16);
    Put16(h + 20, wavefmt::Pcm);
    Put16(h + 22, static_cast<std::uint32_t>(m_format.channels));
    Put32(h + 24, static_cast<std::uint32_t>(m_format.samplesPerSec));
    Put32(h + 28, static_cast<std::uint32_t>(m_format.avgBytesPerSec));
    Put16(h + 32, static_cast<std::uint32_t>(m_format.blockAlign));
    Put16(h + 34, static_cast<std::uint32_t>(m_format.bitsPerSample));
    std::memcpy(h + 36, "fact", 4);
    Put32(h + 40, 4);
    Put32(h + 44, static_cast<std::uint32_t>(data));
    std::memcpy(h + 48, "data", 4);
    Put32(h + 52, static_cast<std::uint32_t>(data));
    if (data) std::memcpy(h + kHeader, m_data.data(), data);
    return out;
}

bool CWavRecorder::Write(const std::string& path) const {
    const std::vector<std::uint8_t> image = FileImage();
    return !image.empty() && WriteFileBytes(path, image.data(), image.size());
}
