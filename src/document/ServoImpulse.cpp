// Impulse response of the servo calculator's current result.
#include "document/CKymoDoc.h"
#include "dsp/RecordDft.h"

#include <algorithm>
#include <vector>

void CKymoDoc::MakeImpulseResponse() {
    const int n = m_nPoints;
    std::vector<float> h;
    if (!ImpulseResponseOf(m_fRe.data(), m_fIm.data(), n, m_ui, h)) return;
    std::copy_n(h.begin(), n, m_fWave1.begin());
    std::copy_n(h.begin(), n, m_fWork1.begin());
}
