#include "tube/TransferCurve.h"

#include <algorithm>
#include <cmath>

double TransferCurve::operator()(double eg) const {
    const double x = (eg - centre) / scale;
    double v = 0.0;
    for (int i = 7; i >= 0; --i) v = v * x + c[static_cast<std::size_t>(i)];
    return v;
}

double TransferCurve::Slope(double eg) const {
    const double x = (eg - centre) / scale;
    double v = 0.0;
    for (int i = 7; i >= 1; --i) v = v * x + i * c[static_cast<std::size_t>(i)];
    return v / scale;
}

bool FitTransferCurve(const std::vector<std::pair<double, double>>& points, int terms,
                      TransferCurve& out) {
    const int n = static_cast<int>(points.size());
    if (terms < 1 || terms > 8 || n < terms) return false;
    double lo = points[0].first, hi = points[0].first;
    for (const auto& p : points) {
        lo = std::min(lo, p.first);
        hi = std::max(hi, p.first);
    }
    TransferCurve fit;
    fit.centre = 0.5 * (lo + hi);
    fit.scale = hi > lo ? 0.5 * (hi - lo) : 1.0;
    double a[8][9] = {};
    for (const auto& p : points) {
        const double x = (p.first - fit.centre) / fit.scale;
        double pw[16];
        pw[0] = 1.0;
        for (int i = 1; i < 2 * terms; ++i) pw[i] = pw[i - 1] * x;
        for (int r = 0; r < terms; ++r) {
            for (int col = 0; col < terms; ++col) a[r][col] += pw[r + col];
            a[r][terms] += pw[r] * p.second;
        }
    }
    double largest = 0.0;
    for (int r = 0; r < terms; ++r) largest = std::max(largest, std::fabs(a[r][r]));
    for (int col = 0; col < terms; ++col) {
        int pivot = col;
        for (int r = col + 1; r < terms; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
        if (!(std::fabs(a[pivot][col]) > 1.0e-12 * largest)) return false;
        for (int k = 0; k <= terms; ++k) std::swap(a[col][k], a[pivot][k]);
        for (int r = col + 1; r < terms; ++r) {
            const double f = a[r][col] / a[col][col];
            for (int k = col; k <= terms; ++k) a[r][k] -= f * a[col][k];
        }
    }
    for (int r = terms - 1; r >= 0; --r) {
        double v = a[r][terms];
        for (int k = r + 1; k < terms; ++k) v -= a[r][k] * fit.c[static_cast<std::size_t>(k)];
        fit.c[static_cast<std::size_t>(r)] = v / a[r][r];
    }
    for (double v : fit.c)
        if (!std::isfinite(v)) return false;
    out = fit;
    return true;
}
