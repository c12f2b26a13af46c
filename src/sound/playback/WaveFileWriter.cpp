#include "sound/playback/WaveFileWriter.h"

#include "document/WaveFileHeader.h"

bool CWaveFileWriter::Open(const std::string& path, int rate, int bits, int channels,
                           std::uint32_t dataBytes) {
    m_nAnnounced = dataBytes;
    m_nWritten = 0;
    m_bFailed = false;
    if (dataBytes > 0xFFFFFFFFu - limits::kWaveHeaderSize) {
        m_bFailed = true;
        return false;
    }
    m_out.open(path, std::ios::binary | std::ios::trunc);
    if (!m_out) {
        m_bFailed = true;
        return false;
    }
    std::uint8_t header[limits::kWaveHeaderSize];
    BuildWaveHeader(header, rate, bits, channels, dataBytes);
    m_out.write(reinterpret_cast<const char*>(header), sizeof header);
    m_bFailed = !m_out;
    return !m_bFailed;
}

bool CWaveFileWriter::Append(const std::uint8_t* data, std::size_t bytes) {
    if (m_bFailed || !m_out.is_open()) return false;
    if (m_nWritten + bytes > m_nAnnounced) {
        m_bFailed = true;
        return false;
    }
    m_out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(bytes));
    m_nWritten += bytes;
    if (!m_out) m_bFailed = true;
    return !m_bFailed;
}

bool CWaveFileWriter::Close() {
    if (!m_out.is_open()) return false;
    m_out.close();
    const bool ok = !m_bFailed && m_out && m_nWritten == m_nAnnounced;
    m_bFailed = false;
    return ok;
}
