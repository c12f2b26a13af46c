#include "sound/engine/WaveTypes.h"

WaveFormat MakePcmFormat(int rate, int bits, int channels) {
    WaveFormat f;
    f.formatTag = wavefmt::Pcm;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.bitsPerSample = bits;
    f.validBitsPerSample = bits;
    f.blockAlign = channels * bits / 8;
    f.avgBytesPerSec = rate * f.blockAlign;
    f.channelMask = 0;
    return f;
}

std::optional<WaveFormat> MakeExtensibleFormat(int rate, int widthCode, int channels) {
    int container = 0;
    int valid = 0;
    switch (widthCode) {
    case widthcode::Bits16:
        container = 16, valid = 16;
        break;
    case widthcode::Bits24:
        container = 32, valid = 24;
        break;
    case widthcode::Bits32:
        container = 32, valid = 32;
        break;
    default:
        return std::nullopt;
    }
    WaveFormat f = MakePcmFormat(rate, container, channels);
    f.formatTag = wavefmt::Extensible;
    f.validBitsPerSample = valid;
    f.channelMask = wavefmt::FrontLeftRight;
    return f;
}

std::uint32_t wavecaps::FormatBit(int rate, int bits, int channels) {
    if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2)) return 0;
    const int group = rate <= 11025 ? 0 : rate <= 22050 ? 1 : 2;
    const int within = (bits == 16 ? 2 : 0) + (channels == 2 ? 1 : 0);
    return 1u << (group * 4 + within);
}
