#include "dsp/RecordDft.h"

#include "document/AnalysisMessages.h"
#include "document/DocumentUi.h"

bool InitRecordDft(Dft& dft, DftPlan& plan, int n, IDocumentUi& ui) {
    if (dft.Init(plan, n, n) == 0) return true;
    dft.Free(plan);
    ui.ShowMessage(msg::kDftInitFailed);
    return false;
}
