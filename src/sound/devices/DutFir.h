#pragma once

#include "sound/devices/DutElement.h"

#include <cstddef>
#include <vector>

// FIR filter y[n] = sum h[k] x[n - k] in double, zero history.
class CDutFir : public IDutElement {
public:
    explicit CDutFir(std::vector<double> taps);
    double Process(double v) override;

private:
    std::vector<double> m_taps;
    std::vector<double> m_history; // twice the tap count, so that one window is contiguous
    std::size_t m_at = 0;
};
