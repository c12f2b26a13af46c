#pragma once

#include "sound/devices/DutElement.h"

#include <vector>

// A memoryless nonlinearity: y = 32768 (A1 u + A2 u^2 + ...) with u = x / 32768.
class CDutPoly : public IDutElement {
public:
    explicit CDutPoly(std::vector<double> coefs) : m_coefs(std::move(coefs)) {}
    double Process(double v) override;

private:
    std::vector<double> m_coefs;
};
