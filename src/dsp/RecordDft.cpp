#include "dsp/RecordDft.h"

#include "document/AnalysisMessages.h"
#include "document/DocumentUi.h"

bool InitRecordDft(Dft& dft, DftPlan& plan, int n, IDocumentUi& ui) {
    if (dft.Init(plan, n, n) == 0) return true;
    dft.Free(plan);
    ui.ShowMessage(msg::kDftInitFailed);
    return false;
}

bool ImpulseResponseOf(const float* re, const float* im, int n, IDocumentUi& ui,
                       std::vector<float>& h) {
    std::vector<float> workRe(re, re + n), workIm(im, im + n);
    Dft dft;
    DftPlan plan;
    if (!InitRecordDft(dft, plan, n, ui)) return false;
    dft.Transform(plan, 1, workRe.data(), workIm.data());
    dft.Free(plan);
    const float fn = static_cast<float>(n);
    h.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        h[static_cast<std::size_t>(i)] = workRe[static_cast<std::size_t>(i)] / fn;
    return true;
}
