#include "dsp/Tsp.h"

#include "dsp/DftPlan.h"
#include "dsp/Fft.h"

#include <cmath>

std::vector<float> MakeTsp(int points, int stretch) {
    constexpr double kFourPi = 12.566370614359172;
    std::vector<float> tsp(points > 0 ? points : 0, 0.0f);
    if (points < 4) return tsp;
    std::vector<float> re(points), im(points);
    const double n2 = static_cast<double>(points) * points;
    for (int k = 0; k <= points / 2; ++k) {
        const double phase = kFourPi * stretch * static_cast<double>(k) * k / n2;
        re[k] = static_cast<float>(std::cos(phase));
        im[k] = static_cast<float>(std::sin(phase));
    }
    for (int k = points / 2 + 1; k < points; ++k) {
        re[k] = re[points - k];
        im[k] = -im[points - k];
    }
    Fft fft;
    DftPlan plan;
    if (fft.Init(plan, points) != 0) return tsp;
    fft.Transform(plan, 1, re.data(), im.data());
    fft.Free(plan);
    const int shift = points / 2 - stretch;
    for (int i = 0; i < points; ++i) tsp[i] = re[((i + shift) % points + points) % points];
    return tsp;
}
