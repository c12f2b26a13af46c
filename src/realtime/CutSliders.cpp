#include "realtime/CutSliders.h"

#include "dsp/FloatToInt.h"

#include <algorithm>
#include <cmath>

int CutSliderFrequency(int position) {
    return SaturateToInt32(std::floor(20.0 * std::pow(cutslider::kStep, position)));
}

int CutSliderPosition(double f) {
    if (!(f > 0.0)) return 0;
    const double p = std::ceil(std::log(0.05 * f) / std::log(cutslider::kStep));
    return SaturateToRange(p, 0, cutslider::kMax);
}

void CutSliderPair::Move(int which, int position, double& fLow, double& fHigh) {
    if (which == 1) {
        low = std::clamp(position, 0, cutslider::kMax - 1);
        fLow = CutSliderFrequency(low);
        if (high <= low) {
            high = low + 1;
            fHigh = CutSliderFrequency(high);
        }
    } else {
        high = std::clamp(position, 1, cutslider::kMax);
        fHigh = CutSliderFrequency(high);
        if (low >= high) {
            low = high - 1;
            fLow = CutSliderFrequency(low);
        }
    }
}
