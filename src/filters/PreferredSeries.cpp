#include "filters/PreferredSeries.h"

#include <cmath>
#include <iterator>

namespace {
constexpr int kE12[] = {10,  12,  15,  18,  22,  27,  33,  39,  47,  56,  68,  82,
                        100, 120, 150, 180, 220, 270, 330, 390, 470, 560, 680, 820};
constexpr int kE24[] = {10,  11,  12,  13,  15,  16,  18,  20,  22,  24,  27,  30,
                        33,  36,  39,  43,  47,  51,  56,  62,  68,  75,  82,  91,
                        100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
                        330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910};
constexpr int kHighestExponent = 15;
constexpr int kLowestExponent = -14;

double PowerOfTen(int e) {
    return std::pow(10.0, std::abs(e));
}
} // namespace

PreferredSeries::PreferredSeries(Kind kind)
    : m_table(kind == E12 ? kE12 : kE24),
      m_count(kind == E12 ? static_cast<int>(std::size(kE12)) : static_cast<int>(std::size(kE24))) {
}

double PreferredSeries::Scaled(int index, int e) const {
    // Division by an exact power of ten keeps small values correctly rounded.
    return e >= 0 ? m_table[index] * PowerOfTen(e) : m_table[index] / PowerOfTen(e);
}

bool PreferredSeries::Decade(double x, double f, int& e, double& mantissa) const {
    if (!(x > 0.0) || !std::isfinite(x)) return false;
    for (int k = kHighestExponent; k >= kLowestExponent; --k) {
        const double scale = k >= 0 ? f * PowerOfTen(k) : f / PowerOfTen(k);
        if (x / scale >= 10.0) {
            e = k;
            mantissa = x / scale;
            return mantissa < 100.0;
        }
    }
    return false;
}

bool PreferredSeries::Window(double x, double f, std::vector<double>& candidates) const {
    candidates.clear();
    int e = 0;
    double l = 0.0;
    if (!Decade(x, f, e, l)) return false;
    int first = 0;
    while (first < m_count && m_table[first] < l) ++first;
    int last = first;
    while (last < m_count && m_table[last] < l * f * f) ++last;
    if (last >= m_count) return false;
    for (int i = first; i <= last; ++i) candidates.push_back(Scaled(i, e));
    return true;
}

bool PreferredSeries::Nearest(double x, double& value) const {
    int e = 0;
    double l = 0.0;
    if (!Decade(x, 1.0, e, l)) return false;
    double best = 0.0;
    double bestError = 0.0;
    for (int i = 0; i < m_count; ++i) {
        const double v = Scaled(i, e);
        const double err = std::fabs(v / x - 1.0);
        if (i == 0 || err < bestError) {
            best = v;
            bestError = err;
        }
    }
    value = best;
    return true;
}

bool PreferredSeries::FirstNotBelow(double x, double& value) const {
    int e = 0;
    double l = 0.0;
    if (!Decade(x, 1.0, e, l)) return false;
    for (int i = 0; i < m_count; ++i) {
        const double v = Scaled(i, e);
        if (v >= x) {
            value = v;
            return true;
        }
    }
    return false;
}
