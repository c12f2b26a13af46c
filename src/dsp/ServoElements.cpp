#include "dsp/ServoElements.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kPiSquared = 9.869604401089358;

// Angular frequency of bin k for n points of period dt.
double AngularFrequency(int k, int n, float dt) {
    return kTwoPi * static_cast<double>(k) / (static_cast<double>(n) * static_cast<double>(dt));
}

void StoreQuotient(double nr, double ni, double dr, double di, float& outRe, float& outIm) {
    const double den = dr * dr + di * di;
    outRe = static_cast<float>((nr * dr + ni * di) / den);
    outIm = static_cast<float>((ni * dr - nr * di) / den);
}

} // namespace

const char* ServoOperationLabel(int op) {
    switch (op) {
    case servo_op::Add:
        return "+:加算";
    case servo_op::Subtract:
        return "-:減算";
    case servo_op::Multiply:
        return "x:乗算";
    case servo_op::Divide:
        return "/:除算";
    default:
        return "--";
    }
}

void CombineResponses(float* hRe, float* hIm, const float* eRe, const float* eIm, int n, int op) {
    for (int k = 0; k < n; ++k) {
        const double hr = hRe[k], hi = hIm[k], er = eRe[k], ei = eIm[k];
        switch (op) {
        case servo_op::Add:
            hRe[k] = static_cast<float>(hr + er);
            hIm[k] = static_cast<float>(hi + ei);
            break;
        case servo_op::Subtract:
            hRe[k] = static_cast<float>(hr - er);
            hIm[k] = static_cast<float>(hi - ei);
            break;
        case servo_op::Multiply:
            hRe[k] = static_cast<float>(hr * er - hi * ei);
            hIm[k] = static_cast<float>(hr * ei + hi * er);
            break;
        case servo_op::Divide:
            StoreQuotient(hr, hi, er, ei, hRe[k], hIm[k]);
            break;
        default:
            return;
        }
    }
}

void FillNegativeFrequencies(float* re, float* im, int n) {
    for (int k = 0; k < n / 2; ++k) {
        re[n - 1 - k] = re[k];
        im[n - 1 - k] = -im[k];
    }
}

void MakeTenthBinLag(float* re, float* im, int n, double numerator) {
    for (int k = 0; k < n / 2; ++k) {
        const double x = 10.0 * k;
        const double den = 1.0 + x * x;
        re[k] = static_cast<float>(numerator / den);
        im[k] = static_cast<float>(-numerator * x / den);
    }
    FillNegativeFrequencies(re, im, n);
}

void MakeDerivativeLine(float* re, float* im, int n, float dt, double gain, double f0kHz) {
    const double scale = gain * 0.001 / (static_cast<double>(n) * static_cast<double>(dt) * f0kHz);
    for (int k = 0; k < n / 2; ++k) {
        re[k] = 0.0f;
        im[k] = static_cast<float>(k * scale);
    }
    FillNegativeFrequencies(re, im, n);
}

void MakeLagLead(float* re, float* im, int n, float dt, double a, double b, double c, double d) {
    for (int k = 0; k < n / 2; ++k) {
        const double w = AngularFrequency(k, n, dt);
        StoreQuotient(a, b * w, c, d * w, re[k], im[k]);
    }
    FillNegativeFrequencies(re, im, n);
}

double ResonanceDamping(double qLin) {
    for (int j = 1; j <= 999; ++j) {
        const double zeta = j * 0.001;
        if (qLin > 1.0 / (2.0 * zeta * std::sqrt(1.0 - zeta * zeta))) return zeta;
    }
    return 0.999;
}

namespace {
ResonanceModel CompleteModel(double M, double K, double q0dB) {
    ResonanceModel model;
    model.K = K;
    model.M = M;
    model.zeta = ResonanceDamping(std::pow(10.0, q0dB * 0.05));
    model.C = 2.0 * model.zeta * std::sqrt(M / K);
    return model;
}
} // namespace

ResonanceModel ResonanceByFrequency(double f0, double K, double q0dB) {
    return CompleteModel(1.0 / (4.0 * kPiSquared * f0 * f0 * K), K, q0dB);
}

ResonanceModel ResonanceByAcceleration(double A, double fa, double K, double q0dB) {
    const double wa = 2.0 * kPi * fa;
    return CompleteModel(1.0 / (wa * wa * A), K, q0dB);
}

ResonanceModel MakeResonanceModel(const ResonanceSettings& s) {
    return s.byAcceleration ? ResonanceByAcceleration(s.A, s.fa, s.K, s.q0dB)
                            : ResonanceByFrequency(s.f0, s.K, s.q0dB);
}

void MakeResonance(float* re, float* im, int n, float dt, const ResonanceModel& model) {
    const double K = model.K;
    for (int k = 0; k < n / 2; ++k) {
        const double w = AngularFrequency(k, n, dt);
        StoreQuotient(K, 0.0, 1.0 - w * w * K * model.M, w * K * model.C, re[k], im[k]);
    }
    FillNegativeFrequencies(re, im, n);
}

void OpenLoop(float* hRe, float* hIm, float* eRe, float* eIm, int n) {
    for (int k = 0; k < n; ++k) {
        if (hRe[k] == 1.0f) hRe[k] *= 0.99999988f;
        eRe[k] = 1.0f - hRe[k];
        eIm[k] = -hIm[k];
    }
    CombineResponses(hRe, hIm, eRe, eIm, n, servo_op::Divide);
}

void ClosedLoop(float* hRe, float* hIm, float* eRe, float* eIm, int n) {
    for (int k = 0; k < n; ++k) {
        eRe[k] = 1.0f + hRe[k];
        eIm[k] = hIm[k];
    }
    CombineResponses(hRe, hIm, eRe, eIm, n, servo_op::Divide);
}

void InverseResponse(float* hRe, float* hIm, float* eRe, float* eIm, int n) {
    for (int k = 0; k < n; ++k) {
        StoreQuotient(1.0, 0.0, hRe[k], hIm[k], eRe[k], eIm[k]);
        hRe[k] = eRe[k];
        hIm[k] = eIm[k];
    }
}
