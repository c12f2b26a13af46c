#pragma once

#include <array>
#include <utility>
#include <vector>

// A transfer polynomial P(Eg) of up to 8 terms, held in a centred and scaled variable
// x = (Eg - centre) / scale so that the least-squares fit stays well conditioned:
// P(Eg) = c0 + c1 x + ... + c7 x^7.
struct TransferCurve {
    std::array<double, 8> c{};
    double centre = 0.0;
    double scale = 1.0;

    double operator()(double eg) const;
    // dP/dEg.
    double Slope(double eg) const;
};

// Least-squares fit of `terms` (1..8) terms through the points (Eg, P), by the normal equations
// and Gauss elimination with partial pivoting. False when the system is singular (a pivot
// vanishes against the largest diagonal element) or the points are fewer than the terms.
bool FitTransferCurve(const std::vector<std::pair<double, double>>& points, int terms,
                      TransferCurve& out);
