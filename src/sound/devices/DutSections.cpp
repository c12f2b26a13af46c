#include "sound/devices/DutSections.h"

CDutSections::CDutSections(std::vector<Section> sections)
    : m_sections(std::move(sections)), m_state(m_sections.size()) {}

double CDutSections::Process(double v) {
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const Section& c = m_sections[i];
        State& s = m_state[i];
        const double y = (c.b0 * v + c.b1 * s.x1 + c.b2 * s.x2 - c.a1 * s.y1 - c.a2 * s.y2) / c.a0;
        s.x2 = s.x1;
        s.x1 = v;
        s.y2 = s.y1;
        s.y1 = y;
        v = y;
    }
    return v;
}
