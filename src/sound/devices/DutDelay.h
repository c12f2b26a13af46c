#pragma once

#include "sound/devices/DutElement.h"

#include <cstddef>
#include <vector>

// y[n] = x[n - D]; silence before the first input.
class CDutDelay : public IDutElement {
public:
    explicit CDutDelay(std::size_t frames) : m_line(frames, 0.0) {}
    double Process(double v) override {
        if (m_line.empty()) return v;
        const double out = m_line[m_at];
        m_line[m_at] = v;
        if (++m_at == m_line.size()) m_at = 0;
        return out;
    }

private:
    std::vector<double> m_line;
    std::size_t m_at = 0;
};
