#pragma once

#include "sound/engine/WaveTypes.h"

#include <cstdint>
#include <string>
#include <vector>

// Collects the bytes an engine plays and writes them as a WAV file with the program's 56-byte
// header (PCM 8 or 16 bits; the extensible widths as 32-bit PCM words). Used by the command
// line's --record and by tests that compare what was played with an offline computation.
class CWavRecorder {
public:
    void SetFormat(const WaveFormat& format) { m_format = format; }
    const WaveFormat& Format() const { return m_format; }
    void Append(const std::uint8_t* data, std::size_t bytes);
    const std::vector<std::uint8_t>& Bytes() const { return m_data; }
    std::size_t Frames() const;
    // The file image; empty when the data would not fit a RIFF file.
    std::vector<std::uint8_t> FileImage() const;
    // Writes the file; false when it cannot be written.
    bool Write(const std::string& path) const;

private:
    WaveFormat m_format;
    std::vector<std::uint8_t> m_data;
};
