#include "support/WavBuilder.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {
void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutTag(std::vector<std::uint8_t>& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}
} // namespace

std::vector<std::uint8_t> PcmBytes(const std::vector<int>& samples, int bits) {
    const int bytesPerSample = (bits + 7) / 8;
    std::vector<std::uint8_t> data;
    for (int v : samples) {
        if (bits == 8) {
            data.push_back(static_cast<std::uint8_t>(v + 128));
        } else {
            for (int i = 0; i < bytesPerSample; ++i)
                data.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
        }
    }
    return data;
}

std::vector<std::uint8_t> BuildWav(const WavFormat& s, const std::vector<int>& samples) {
    const int bytesPerSample = (s.bits + 7) / 8;
    const int blockAlign =
        s.blockAlignOverride >= 0 ? s.blockAlignOverride : s.channels * bytesPerSample;
    const std::vector<std::uint8_t> data = PcmBytes(samples, s.bits);
    std::vector<std::uint8_t> b;
    PutTag(b, "RIFF");
    Put32(b, 0); // patched below
    PutTag(b, "WAVE");
    PutTag(b, "fmt ");
    Put32(b, static_cast<std::uint32_t>(s.fmtSize));
    std::vector<std::uint8_t> fmt;
    Put16(fmt, 1);
    Put16(fmt, static_cast<std::uint16_t>(s.channels));
    Put32(fmt, static_cast<std::uint32_t>(s.rate));
    Put32(fmt, static_cast<std::uint32_t>(s.rate * blockAlign));
    Put16(fmt, static_cast<std::uint16_t>(blockAlign));
    Put16(fmt, static_cast<std::uint16_t>(s.bits));
    fmt.resize(static_cast<std::size_t>(s.fmtSize), 0);
    b.insert(b.end(), fmt.begin(), fmt.end());
    if (s.factChunk) {
        PutTag(b, "fact");
        Put32(b, 4);
        Put32(b, static_cast<std::uint32_t>(data.size()));
    }
    if (s.listChunkSize >= 0) {
        PutTag(b, "LIST");
        Put32(b, static_cast<std::uint32_t>(s.listChunkSize));
        for (int i = 0; i < s.listChunkSize; ++i)
            b.push_back(static_cast<std::uint8_t>('a' + i % 26));
        if (s.listChunkSize & 1) b.push_back(0);
    }
    PutTag(b, "data");
    Put32(b, static_cast<std::uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(b.size() - 8);
    for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<std::uint8_t>(riff >> (8 * i));
    return b;
}

std::vector<int> SineSamples(int frames, int channels, double amplitude, double cyclesPerFrame) {
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(frames * channels));
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            out.push_back(static_cast<int>(
                std::lround(amplitude * std::sin(2 * M_PI * cyclesPerFrame * f + c * M_PI / 2))));
    return out;
}

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "sonalyx-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    m_dir = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

std::string TempDir::Path(const std::string& name) const {
    return m_dir + "/" + name;
}

std::vector<std::uint8_t> TempDir::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void TempDir::WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}
