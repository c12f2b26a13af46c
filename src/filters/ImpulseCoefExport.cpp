// "*.csvｲﾝﾊﾟﾙｽ係数保存(&I)": the current result as FIR taps of its impulse response.
#include "document/CKymoDoc.h"
#include "dsp/RecordDft.h"
#include "filters/CoefFile.h"
#include "filters/FileFilterCommands.h"
#include "filters/FilterMessages.h"

#include <vector>

int OnSaveImpulseCoef(CKymoDoc& doc) {
    const int n = doc.m_nPoints;
    std::copy_n(doc.m_fRe.begin(), n, doc.m_fOpRe.begin());
    std::copy_n(doc.m_fIm.begin(), n, doc.m_fOpIm.begin());
    // e^(j pi k): a circular delay of N/2 samples that centres the response.
    for (int k = 1; k < n; k += 2) {
        doc.m_fOpRe[static_cast<std::size_t>(k)] = -doc.m_fOpRe[static_cast<std::size_t>(k)];
        doc.m_fOpIm[static_cast<std::size_t>(k)] = -doc.m_fOpIm[static_cast<std::size_t>(k)];
    }
    Dft dft;
    DftPlan plan;
    if (!InitRecordDft(dft, plan, n, doc.Ui())) return 0;
    dft.Transform(plan, 1, doc.m_fOpRe.data(), doc.m_fOpIm.data());
    dft.Free(plan);
    std::vector<double> h(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        h[static_cast<std::size_t>(i)] =
            static_cast<double>(doc.m_fOpRe[static_cast<std::size_t>(i)]) / n;
    return CoefFile(doc.Ui()).WriteFir("Empty", "Inp_Resp", "Unknown", 0.0, 0.0, n, h.data());
}
