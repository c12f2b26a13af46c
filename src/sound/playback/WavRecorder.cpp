#include "sound/playback/WavRecorder.h"

#include "document/SavePath.h"
#include "document/WaveFileHeader.h"

#include <cstring>

void CWavRecorder::Append(const std::uint8_t* data, std::size_t bytes) {
    m_data.insert(m_data.end(), data, data + bytes);
}

std::size_t CWavRecorder::Frames() const {
    return m_format.blockAlign > 0 ? m_data.size() / static_cast<std::size_t>(m_format.blockAlign)
                                   : 0;
}

std::vector<std::uint8_t> CWavRecorder::FileImage() const {
    constexpr std::size_t kHeader = limits::kWaveHeaderSize;
    const std::size_t data = Frames() * static_cast<std::size_t>(m_format.blockAlign);
    if (data > 0xFFFFFFFFu - kHeader) return {};
    std::vector<std::uint8_t> out(kHeader + data);
    std::uint8_t header[kHeader];
    BuildWaveHeader(header, m_format.samplesPerSec, m_format.bitsPerSample, m_format.channels,
                    static_cast<std::uint32_t>(data));
    std::memcpy(out.data(), header, kHeader);
    if (data) std::memcpy(out.data() + kHeader, m_data.data(), data);
    return out;
}

bool CWavRecorder::Write(const std::string& path) const {
    const std::vector<std::uint8_t> image = FileImage();
    return !image.empty() && WriteFileBytes(path, image.data(), image.size());
}
