#pragma once

#include "sound/devices/DutElement.h"

#include <vector>

// A cascade of second-order sections in double, each
//   (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2),
// run in direct form I with zero history.
class CDutSections : public IDutElement {
public:
    struct Section {
        double a0 = 1.0, a1 = 0.0, a2 = 0.0, b0 = 1.0, b1 = 0.0, b2 = 0.0;
    };
    explicit CDutSections(std::vector<Section> sections);
    double Process(double v) override;

private:
    struct State {
        double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    };
    std::vector<Section> m_sections;
    std::vector<State> m_state;
};
