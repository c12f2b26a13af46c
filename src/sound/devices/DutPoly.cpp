#include "sound/devices/DutPoly.h"

double CDutPoly::Process(double v) {
    constexpr double kFullScale = 32768.0;
    const double u = v / kFullScale;
    double sum = 0.0;
    for (auto it = m_coefs.rbegin(); it != m_coefs.rend(); ++it) sum = (sum + *it) * u;
    return sum * kFullScale;
}
