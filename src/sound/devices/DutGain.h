#pragma once

#include "sound/devices/DutElement.h"

// y = G x.
class CDutGain : public IDutElement {
public:
    explicit CDutGain(double gain) : m_gain(gain) {}
    double Process(double v) override { return m_gain * v; }

private:
    double m_gain;
};
