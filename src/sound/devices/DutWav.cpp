#include "sound/devices/DutWav.h"

#include "document/ByteOrder.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

std::vector<std::uint8_t> ReadAll(const std::string& path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = static_cast<bool>(in);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

bool ReadDutWav(const std::string& path, DutWav& wav, std::string& reason) {
    wav = DutWav();
    bool opened = false;
    const std::vector<std::uint8_t> bytes = ReadAll(path, opened);
    if (!opened) {
        reason = "ファイルを開けません";
        return false;
    }
    reason = "8/16ビットPCMのWAVファイルではありません";
    if (bytes.size() < 12 || !HasTag(bytes.data(), "RIFF") || !HasTag(bytes.data() + 8, "WAVE"))
        return false;
    int tag = 0, channels = 0, rate = 0, block = 0, bits = 0;
    const std::uint8_t* data = nullptr;
    std::size_t dataBytes = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::uint8_t* chunk = bytes.data() + at;
        const std::size_t size = ReadLe32(chunk + 4);
        const std::size_t present = std::min(size, bytes.size() - at - 8);
        if (HasTag(chunk, "fmt ") && present >= 16) {
            tag = ReadLe16(chunk + 8);
            channels = ReadLe16(chunk + 10);
            rate = static_cast<int>(std::min<std::uint32_t>(ReadLe32(chunk + 12), 1u << 30));
            block = ReadLe16(chunk + 20);
            bits = ReadLe16(chunk + 22);
        } else if (HasTag(chunk, "data")) {
            data = chunk + 8;
            dataBytes = present;
            break;
        }
        at += 8 + size + (size & 1u);
    }
    const int width = bits / 8;
    if (tag != 1 || (bits != 8 && bits != 16) || channels < 1 || channels > 2 || rate <= 0 ||
        block < channels * width || !data || dataBytes < static_cast<std::size_t>(block))
        return false;

    wav.rate = rate;
    wav.channels = channels;
    const std::size_t frames = dataBytes / static_cast<std::size_t>(block);
    for (int c = 0; c < channels; ++c) {
        wav.samples[c].resize(frames);
        for (std::size_t i = 0; i < frames; ++i) {
            const std::uint8_t* p = data + i * block + c * width;
            wav.samples[c][i] =
                bits == 8 ? (p[0] - 128) * 256.0 : static_cast<std::int16_t>(ReadLe16(p));
        }
    }
    if (channels == 1) wav.samples[1] = wav.samples[0];
    reason.clear();
    return true;
}
