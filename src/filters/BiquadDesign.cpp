#include "filters/BiquadDesign.h"

#include "filters/BiquadTable.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

void Store(float den[3], float num[3], double a0, double a1, double a2, double b0, double b1,
           double b2) {
    den[0] = static_cast<float>(a0);
    den[1] = static_cast<float>(a1);
    den[2] = static_cast<float>(a2);
    num[0] = static_cast<float>(b0);
    num[1] = static_cast<float>(b1);
    num[2] = static_cast<float>(b2);
}

void DesignLowPass(double w0, float den[3], float num[3]) {
    const double alpha = std::sin(w0) * 0.5;
    const double c = std::cos(w0);
    Store(den, num, 1.0 + alpha, -2.0 * c, 1.0 - alpha, (1.0 - c) * 0.5, 1.0 - c, (1.0 - c) * 0.5);
}

void DesignHighPass(double w0, float den[3], float num[3]) {
    const double alpha = std::sin(w0) * 0.5;
    const double c = std::cos(w0);
    Store(den, num, 1.0 + alpha, -2.0 * c, 1.0 - alpha, (1.0 + c) * 0.5, -(1.0 + c),
          (1.0 + c) * 0.5);
}

void DesignLowShelving(double w0, float a, float den[3], float num[3]) {
    const float w0f = static_cast<float>(w0);
    const double s = std::sin(static_cast<double>(w0f));
    const double c = std::cos(static_cast<double>(w0f));
    const double A = a;
    const double e = s * std::sqrt(A * A + 1.0 - (A - 1.0) * (A - 1.0));
    Store(den, num, (A + 1.0) + (A - 1.0) * c + e, -2.0 * ((A - 1.0) + (A + 1.0) * c),
          (A + 1.0) + (A - 1.0) * c - e, A * ((A + 1.0) - (A - 1.0) * c + e),
          2.0 * A * ((A - 1.0) - (A + 1.0) * c), A * ((A + 1.0) - (A - 1.0) * c - e));
}

void DesignPeaking(double w0, float a, float den[3], float num[3]) {
    const double alpha = std::sin(w0) * 0.16666667;
    const double c = std::cos(w0);
    const double A = a;
    Store(den, num, 1.0 + alpha / A, -2.0 * c, 1.0 - alpha / A, 1.0 + alpha * A, -2.0 * c,
          1.0 - alpha * A);
}

} // namespace

bool BiquadUsesGain(int type) {
    return type == biquadtype::LowShelving || type == biquadtype::Peaking;
}

int BiquadDesign(int type, int fs, float f, float gainDb, float den[3], float num[3]) {
    const double w0 = static_cast<double>(f) / fs * 2.0 * kPi;
    const float a = static_cast<float>(std::pow(10.0, gainDb * 0.025));
    switch (type) {
    case biquadtype::LowPass:
        DesignLowPass(w0, den, num);
        break;
    case biquadtype::HighPass:
        DesignHighPass(w0, den, num);
        break;
    case biquadtype::LowShelving:
        DesignLowShelving(w0, a, den, num);
        break;
    case biquadtype::Peaking:
        DesignPeaking(w0, a, den, num);
        break;
    default:
        return 0;
    }
    NormaliseBiquad(den, num);
    return 1;
}

void NormaliseBiquad(float den[3], float num[3]) {
    const float a0 = den[0];
    den[1] /= a0;
    den[2] /= a0;
    num[0] /= a0;
    num[1] /= a0;
    num[2] /= a0;
    den[0] = 1.0f;
}

void BiquadResponse(int fs, int n, const float den[3], const float num[3], float* re, float* im) {
    for (int i = 0; i < n / 2; ++i) {
        const double w = 2.0 * kPi * i / n;
        const double c1 = std::cos(w), s1 = std::sin(w);
        const double c2 = std::cos(2.0 * w), s2 = std::sin(2.0 * w);
        const double reA = den[0] + den[1] * c1 + den[2] * c2;
        const double imA = -(den[1] * s1 + den[2] * s2);
        const double reB = num[0] + num[1] * c1 + num[2] * c2;
        const double imB = -(num[1] * s1 + num[2] * s2);
        const double mag2 = reA * reA + imA * imA;
        re[i] = static_cast<float>((reB * reA + imB * imA) / mag2);
        im[i] = static_cast<float>((imB * reA - reB * imA) / mag2);
        re[n - 1 - i] = re[i];
        im[n - 1 - i] = -im[i];
    }
}

void StoreBiquadSection(const float den[3], const float num[3], BiquadTable& table, int k) {
    table.a0[k] = den[0];
    table.a1[k] = den[1];
    table.a2[k] = den[2];
    table.b0[k] = num[0];
    table.b1[k] = num[1];
    table.b2[k] = num[2];
}
