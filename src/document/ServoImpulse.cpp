// Impulse response of the servo calculator's current result.
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "dsp/RecordDft.h"

#include <algorithm>
#include <vector>

void CKymoDoc::MakeImpulseResponse() {
    const int n = m_nPoints;
    std::vector<float> re(m_fRe.begin(), m_fRe.begin() + n);
    std::vector<float> im(m_fIm.begin(), m_fIm.begin() + n);
    Dft dft;
    DftPlan plan;
    if (!InitRecordDft(dft, plan, n, m_ui)) return;
    dft.Transform(plan, 1, re.data(), im.data());
    dft.Free(plan);
    const float fn = static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        m_fWave1[i] = re[i] / fn;
        m_fWork1[i] = m_fWave1[i];
    }
}
