#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds WAV file bytes for tests: a RIFF header, an optional "fact" or "LIST" chunk, a "fmt "
// chunk of a chosen size and a data chunk of the given samples.
struct WavFormat {
    int channels = 2;
    int rate = 48000;
    int bits = 16;
    int fmtSize = 16;       // 16, 18 (with cbSize) or anything else the test wants
    bool factChunk = false; // a 4-byte "fact" chunk before "data" (the program's own header)
    int listChunkSize = -1; // >= 0: a "LIST" chunk of that size (odd sizes get a pad byte)
    int blockAlignOverride = -1;
};

// Samples interleaved by frame, channel 1 first; 8-bit values are given signed (-128..127).
std::vector<std::uint8_t> BuildWav(const WavFormat& format, const std::vector<int>& samples);
// The little-endian PCM bytes of such samples (8-bit ones with their 128 bias).
std::vector<std::uint8_t> PcmBytes(const std::vector<int>& samples, int bits);

// A sine of `frames` frames in every channel, channel c shifted by c * 90 degrees.
std::vector<int> SineSamples(int frames, int channels, double amplitude, double cyclesPerFrame);

// Temporary files that are removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    std::string Path(const std::string& name) const;
    static std::vector<std::uint8_t> ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

private:
    std::string m_dir;
};
