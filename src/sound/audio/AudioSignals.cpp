#include "sound/audio/AudioSignals.h"

#include "dsp/FloatToInt.h"

#include <cmath>

namespace audio {

double FullScale(int widthCode) {
    return widthCode == 1 ? 32767.0 : 2147483647.0;
}

double TspLevelA(int widthCode) {
    return widthCode == 1 ? 62.5 : 32768000.0 / 8.0;
}

double TspLevelB(int widthCode) {
    return widthCode == 1 ? 150.0 : 78643200.0 / 8.0;
}

int ContainerFrameBytes(int widthCode) {
    return widthCode == 1 ? 4 : 8;
}

int FileFrameBytes(int widthCode) {
    return widthCode == 1 ? 4 : widthCode == 2 ? 6 : 8;
}

int FileBits(int widthCode) {
    return widthCode == 1 ? 16 : widthCode == 2 ? 24 : 32;
}

void StoreSample(std::uint8_t* p, double v, int widthCode, bool packed) {
    if (widthCode == 1) {
        const auto s = static_cast<std::uint16_t>(SaturateToRange(v, -32768, 32767));
        p[0] = static_cast<std::uint8_t>(s & 0xFF);
        p[1] = static_cast<std::uint8_t>(s >> 8);
        return;
    }
    const auto s = static_cast<std::uint32_t>(SaturateToInt32(v));
    if (packed && widthCode == 2) {
        p[0] = static_cast<std::uint8_t>(s >> 8);
        p[1] = static_cast<std::uint8_t>(s >> 16);
        p[2] = static_cast<std::uint8_t>(s >> 24);
        return;
    }
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(s >> (8 * i));
}

} // namespace audio
