#include "sound/devices/DutFir.h"

CDutFir::CDutFir(std::vector<double> taps)
    : m_taps(std::move(taps)), m_history(2 * m_taps.size(), 0.0) {}

double CDutFir::Process(double v) {
    const std::size_t n = m_taps.size();
    if (n == 0) return 0.0;
    m_at = m_at == 0 ? n - 1 : m_at - 1;
    m_history[m_at] = v;
    m_history[m_at + n] = v;
    // m_history[m_at + k] is x[n - k].
    double sum = 0.0;
    for (std::size_t k = 0; k < n; ++k) sum += m_taps[k] * m_history[m_at + k];
    return sum;
}
