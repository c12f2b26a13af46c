#pragma once

#include <cstdint>
#include <fstream>
#include <string>

// Writes a WAV file with the system's 56-byte header piece by piece, so that long files are
// never held in memory: Open writes the header for the data byte count announced, Append the
// samples (already packed: 1, 2, 3 or 4 bytes per sample, channels interleaved), Close checks
// that exactly the announced bytes arrived and that the file was written. Any failure makes
// Close return false (an unfinished file may stay on disk).
class CWaveFileWriter {
public:
    // False when the file cannot be created or the header not written.
    bool Open(const std::string& path, int rate, int bits, int channels, std::uint32_t dataBytes);
    bool Append(const std::uint8_t* data, std::size_t bytes);
    bool Close();

private:
    std::ofstream m_out;
    std::uint64_t m_nAnnounced = 0;
    std::uint64_t m_nWritten = 0;
    bool m_bFailed = false;
};
