#include "filters/RemezDesign.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kStopRatio = 0.0001;
constexpr double kMinDenominator = 0.00001;
constexpr double kSameFrequency = 1.0e-7;

// Dense frequency grid with the desired response and weight at every point.
struct DenseGrid {
    std::vector<double> freq;   // fraction of fs, 0 ... 0.5
    std::vector<double> cosine; // cos(2 pi freq)
    std::vector<double> desired;
    std::vector<double> weight;
};

// The Lagrange interpolation of the current extremal set in barycentric form.
struct Interpolation {
    std::vector<double> f;  // extremal frequencies
    std::vector<double> x;  // cos(2 pi f) of the extremal frequencies
    std::vector<double> ad; // barycentric weights
    std::vector<double> y;  // values of the approximation at the extremal frequencies
    double delta = 0.0;     // deviation of the alternation condition
};

bool BuildGrid(int r, int nBands, const std::vector<double>& edges, const double* desired,
               const double* weights, DenseGrid& grid) {
    const double delf = 0.5 / (kRemezGridDensity * r);
    std::vector<int> counts(nBands);
    int total = 0;
    for (int b = 0; b < nBands; ++b) {
        const double width = edges[2 * b + 1] - edges[2 * b];
        // A band of (nearly) zero width still gets a point, so that its upper edge never lands
        // on a point of the band before it.
        counts[b] = std::max(1, static_cast<int>(2.0 * r * kRemezGridDensity * width + 0.5));
        total += counts[b];
    }
    grid.freq.resize(total + 1);
    grid.desired.resize(total + 1);
    grid.weight.resize(total + 1);
    int j = 0;
    for (int b = 0; b < nBands; ++b) {
        double f = edges[2 * b];
        for (int i = 0; i < counts[b]; ++i) {
            grid.freq[j] = f;
            grid.desired[j] = desired[b];
            grid.weight[j] = weights[b];
            f += delf;
            ++j;
        }
        grid.freq[j - 1] = edges[2 * b + 1];
    }
    grid.freq.resize(total);
    grid.desired.resize(total);
    grid.weight.resize(total);
    grid.cosine.resize(total);
    for (int i = 0; i < total; ++i) grid.cosine[i] = std::cos(kTwoPi * grid.freq[i]);
    return total >= r + 1;
}

void CalcParms(int r, const std::vector<int>& ext, const DenseGrid& grid, Interpolation& p) {
    for (int i = 0; i <= r; ++i) {
        p.f[i] = grid.freq[ext[i]];
        p.x[i] = grid.cosine[ext[i]];
    }
    // Products taken in interleaved groups keep the partial products in range.
    const int ld = (r - 1) / 15 + 1;
    for (int i = 0; i <= r; ++i) {
        double denom = 1.0;
        const double xi = p.x[i];
        for (int j = 0; j < ld; ++j)
            for (int k = j; k <= r; k += ld)
                if (k != i) denom *= 2.0 * (xi - p.x[k]);
        if (std::fabs(denom) < kMinDenominator) denom = std::copysign(kMinDenominator, denom);
        p.ad[i] = 1.0 / denom;
    }
    double numer = 0.0, denom = 0.0, sign = 1.0;
    for (int i = 0; i <= r; ++i) {
        numer += p.ad[i] * grid.desired[ext[i]];
        denom += sign * p.ad[i] / grid.weight[ext[i]];
        sign = -sign;
    }
    p.delta = numer / denom;
    sign = 1.0;
    for (int i = 0; i <= r; ++i) {
        p.y[i] = grid.desired[ext[i]] - sign * p.delta / grid.weight[ext[i]];
        sign = -sign;
    }
}

// The approximation at frequency f, whose cos(2 pi f) is xc.
double ComputeA(double f, double xc, int r, const Interpolation& p) {
    double numer = 0.0, denom = 0.0;
    for (int i = 0; i <= r; ++i) {
        if (std::fabs(f - p.f[i]) < kSameFrequency) return p.y[i];
        double c = xc - p.x[i];
        if (c == 0.0) return p.y[i];
        c = p.ad[i] / c;
        denom += c;
        numer += c * p.y[i];
    }
    return numer / denom;
}

void CalcError(int r, const Interpolation& p, const DenseGrid& grid, std::vector<double>& e) {
    const int n = static_cast<int>(grid.freq.size());
    for (int i = 0; i < n; ++i)
        e[i] = grid.weight[i] * (grid.desired[i] - ComputeA(grid.freq[i], grid.cosine[i], r, p));
}

// Finds the r + 1 alternating extrema of the error for the next exchange. `found` is scratch
// space of at least gridsize entries. Returns false when no set of r + 1 distinct points results.
bool Search(int r, std::vector<int>& ext, const std::vector<double>& e, std::vector<int>& found) {
    const int n = static_cast<int>(e.size());
    int k = 0;
    if ((e[0] > 0.0 && e[0] > e[1]) || (e[0] < 0.0 && e[0] < e[1])) found[k++] = 0;
    for (int i = 1; i < n - 1; ++i) {
        if ((e[i] >= e[i - 1] && e[i] > e[i + 1] && e[i] > 0.0) ||
            (e[i] <= e[i - 1] && e[i] < e[i + 1] && e[i] < 0.0))
            found[k++] = i;
    }
    const int last = n - 1;
    if ((e[last] > 0.0 && e[last] > e[last - 1]) || (e[last] < 0.0 && e[last] < e[last - 1]))
        found[k++] = last;

    // Neighbours of equal sign: keep the larger one, so that the set alternates.
    int m = 0;
    for (int i = 0; i < k; ++i) {
        if (m > 0 && (e[found[i]] > 0.0) == (e[found[m - 1]] > 0.0)) {
            if (std::fabs(e[found[i]]) > std::fabs(e[found[m - 1]])) found[m - 1] = found[i];
        } else {
            found[m++] = found[i];
        }
    }
    k = m;

    // Surplus extrema: drop the smallest. An end one goes alone; an inner one goes together with
    // the smaller of its neighbours, which keeps the signs alternating. With one surplus only
    // the smaller end can go.
    while (k > r + 1) {
        int drop = 0;
        if (k - (r + 1) == 1) {
            drop = std::fabs(e[found[k - 1]]) < std::fabs(e[found[0]]) ? k - 1 : 0;
        } else {
            for (int i = 1; i < k; ++i)
                if (std::fabs(e[found[i]]) < std::fabs(e[found[drop]])) drop = i;
        }
        if (drop == 0 || drop == k - 1) {
            std::copy(found.begin() + drop + 1, found.begin() + k, found.begin() + drop);
            --k;
        } else {
            const int neighbour =
                std::fabs(e[found[drop - 1]]) < std::fabs(e[found[drop + 1]]) ? drop - 1 : drop + 1;
            const int first = std::min(drop, neighbour);
            std::copy(found.begin() + first + 2, found.begin() + k, found.begin() + first);
            k -= 2;
        }
    }
    if (k >= r + 1) {
        std::copy(found.begin(), found.begin() + r + 1, ext.begin());
        return true;
    }
    // Too few extrema (an error that vanishes on the whole set, as when no point of a band has
    // been chosen yet): each extremum found replaces the nearest point of the current set.
    for (int i = 0; i < k; ++i) {
        int nearest = 0;
        for (int j = 1; j <= r; ++j)
            if (std::abs(ext[j] - found[i]) < std::abs(ext[nearest] - found[i])) nearest = j;
        ext[nearest] = found[i];
    }
    std::sort(ext.begin(), ext.end());
    return std::adjacent_find(ext.begin(), ext.end()) == ext.end();
}

bool IsDone(int r, const std::vector<int>& ext, const std::vector<double>& e) {
    double lo = std::fabs(e[ext[0]]);
    double hi = lo;
    for (int i = 1; i <= r; ++i) {
        const double v = std::fabs(e[ext[i]]);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (hi == 0.0) return true; // the desired response is met exactly
    return (hi - lo) / hi < kStopRatio;
}

// h[n] from the amplitude samples a[k] at frequencies k/N, k = 0 ... N/2 (inverse cosine series);
// the second half mirrors the first exactly.
void FrequencySample(int n, const std::vector<double>& a, double* h) {
    // cos(pi m / N) for m = 0 ... 2N-1; every angle of the series is a multiple of pi / N.
    std::vector<double> table(2 * n);
    for (int m = 0; m < 2 * n; ++m) table[m] = std::cos(kPi * m / n);
    const int terms = (n - 1) / 2;
    for (int i = 0; i < (n + 1) / 2; ++i) {
        // 2 pi (i - (N-1)/2) k / N = pi (2i - N + 1) k / N
        const long long step = 2LL * i - n + 1;
        double val = a[0];
        for (int k = 1; k <= terms; ++k) {
            long long m = (step * k) % (2LL * n);
            if (m < 0) m += 2LL * n;
            val += 2.0 * a[k] * table[m];
        }
        h[i] = val / n;
        h[n - 1 - i] = h[i];
    }
}

} // namespace

int RemezDesign(int nTaps, int nBands, const double* bands, const double* desired,
                const double* weights, int type, double scale, double* taps) {
    if (type != kRemezMultiBand || nTaps < 3 || nBands < 1 || nBands > kRemezMaxBands ||
        bands == nullptr || desired == nullptr || weights == nullptr || taps == nullptr ||
        !(scale > 0.0))
        return 0;
    std::vector<double> edges(bands, bands + 2 * nBands);
    if (scale != 1.0)
        for (double& v : edges) v /= scale;
    for (int i = 0; i < 2 * nBands; ++i) {
        if (!(edges[i] >= 0.0 && edges[i] <= 0.5)) return 0;
        if (i > 0 && edges[i] < edges[i - 1]) return 0;
    }
    for (int b = 0; b < nBands; ++b)
        if (!(weights[b] > 0.0) || !std::isfinite(desired[b])) return 0;

    const bool odd = (nTaps % 2) != 0;
    const int r = nTaps / 2 + (odd ? 1 : 0);

    DenseGrid grid;
    if (!BuildGrid(r, nBands, edges, desired, weights, grid)) return 0;
    const int gridSize = static_cast<int>(grid.freq.size());
    if (!odd) {
        for (int i = 0; i < gridSize; ++i) {
            const double c = std::cos(kPi * grid.freq[i]);
            grid.desired[i] /= c;
            grid.weight[i] *= c;
        }
    }

    std::vector<int> ext(r + 1);
    for (int i = 0; i <= r; ++i)
        ext[i] = static_cast<int>(static_cast<long long>(i) * (gridSize - 1) / r);

    Interpolation p;
    p.f.resize(r + 1);
    p.x.resize(r + 1);
    p.ad.resize(r + 1);
    p.y.resize(r + 1);
    std::vector<double> error(gridSize);
    std::vector<int> found(gridSize);

    bool converged = false;
    for (int iter = 0; iter < kRemezMaxIterations; ++iter) {
        CalcParms(r, ext, grid, p);
        CalcError(r, p, grid, error);
        if (!Search(r, ext, error, found)) return 0;
        if (IsDone(r, ext, error)) {
            converged = true;
            break;
        }
    }
    if (!converged) return 0;

    CalcParms(r, ext, grid, p);
    std::vector<double> a(nTaps / 2 + 1);
    for (int i = 0; i <= nTaps / 2; ++i) {
        const double f = static_cast<double>(i) / nTaps;
        const double c = odd ? 1.0 : std::cos(kPi * f);
        a[i] = ComputeA(f, std::cos(kTwoPi * f), r, p) * c;
    }
    FrequencySample(nTaps, a, taps);
    for (int i = 0; i < nTaps; ++i)
        if (!std::isfinite(taps[i])) return 0;
    return 1;
}
