#include "document/WaveFileHeader.h"

#include "document/ByteOrder.h"

#include <cstring>

int WaveBytesPerSample(int bits) {
    switch (bits) {
    case 32:
        return 4;
    case 24:
        return 3;
    case 16:
        return 2;
    default:
        return 1;
    }
}

void BuildWaveHeader(std::uint8_t (&h)[limits::kWaveHeaderSize], int rate, int bits, int channels,
                     std::uint32_t dataBytes, std::uint32_t headLen) {
    const int bytes = WaveBytesPerSample(bits);
    std::memcpy(h, "RIFF", 4);
    WriteLe32(h + 4, headLen + dataBytes - 8);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    WriteLe32(h + 16, 16);
    WriteLe16(h + 20, wavefmt::Pcm);
    WriteLe16(h + 22, static_cast<std::uint16_t>(channels));
    WriteLe32(h + 24, static_cast<std::uint32_t>(rate));
    WriteLe32(h + 28, static_cast<std::uint32_t>(rate * channels * bytes));
    WriteLe16(h + 32, static_cast<std::uint16_t>(channels * bytes));
    WriteLe16(h + 34, static_cast<std::uint16_t>(bits));
    std::memcpy(h + 36, "fact", 4);
    WriteLe32(h + 40, 4);
    WriteLe32(h + 44, dataBytes);
    std::memcpy(h + 48, "data", 4);
    WriteLe32(h + 52, dataBytes);
}

void BuildFloatWaveHeader(std::uint8_t (&h)[limits::kWaveHeaderSize], int rate, int channels,
                          std::uint32_t frames) {
    const std::uint32_t dataBytes = frames * static_cast<std::uint32_t>(channels) * 4u;
    BuildWaveHeader(h, rate, 32, channels, dataBytes);
    WriteLe16(h + 20, wavefmt::IeeeFloat);
    WriteLe32(h + 44, frames);
}
