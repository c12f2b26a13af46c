#include "filters/CascadeResponse.h"

using cplx = std::complex<double>;

cplx AnalogSectionResponse(const BiquadTable& t, int k, double omega) {
    const cplx s(0.0, omega);
    return (t.b0[k] + s * (t.b1[k] + s * t.b2[k])) / (t.a0[k] + s * (t.a1[k] + s * t.a2[k]));
}

cplx AnalogCascadeResponse(const BiquadTable& table, int sections, double omega) {
    cplx h = 1.0;
    for (int k = 0; k < sections; ++k) h *= AnalogSectionResponse(table, k, omega);
    return h;
}

cplx DigitalSectionResponse(const BiquadTable& t, int k, double w) {
    const cplx z1 = std::polar(1.0, -w);
    return (t.b0[k] + z1 * (t.b1[k] + z1 * t.b2[k])) / (t.a0[k] + z1 * (t.a1[k] + z1 * t.a2[k]));
}

cplx DigitalCascadeResponse(const BiquadTable& table, int sections, double w) {
    cplx h = 1.0;
    for (int k = 0; k < sections; ++k) h *= DigitalSectionResponse(table, k, w);
    return h;
}

std::complex<double> StageBinResponse(const BiquadTable& table, int k, bool analog, double fs,
                                      int n, int j) {
    const double fraction = static_cast<double>(j) / n;
    constexpr double kTwoPi = 6.283185307179586;
    return analog ? AnalogSectionResponse(table, k, kTwoPi * fs * fraction)
                  : DigitalSectionResponse(table, k, kTwoPi * fraction);
}
