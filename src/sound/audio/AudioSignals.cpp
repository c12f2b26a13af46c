#include "sound/audio/AudioSignals.h"

#include "dsp/DftPlan.h"
#include "dsp/Fft.h"
#include "dsp/FloatToInt.h"

#include <cmath>

namespace audio {

std::vector<float> MakeTsp(int points) {
    const int m = points / 4;
    std::vector<float> re(points), im(points);
    const double n2 = static_cast<double>(points) * points;
    for (int k = 0; k <= points / 2; ++k) {
        const double ph = 12.566370614359172 * m * static_cast<double>(k) * k / n2;
        re[k] = static_cast<float>(std::cos(ph));
        im[k] = static_cast<float>(std::sin(ph));
    }
    for (int k = points / 2 + 1; k < points; ++k) {
        re[k] = re[points - k];
        im[k] = -im[points - k];
    }
    Fft fft;
    DftPlan plan;
    std::vector<float> tsp(points, 0.0f);
    if (fft.Init(plan, points) != 0) return tsp;
    fft.Transform(plan, 1, re.data(), im.data());
    fft.Free(plan);
    for (int k = 0; k < points; ++k) tsp[k] = re[(k + points / 2 - m) % points];
    return tsp;
}

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
