#pragma once

#include "dsp/Dft.h"

class IDocumentUi;

// Sets up `plan` for an n-point transform of the document's records. On failure the plan is
// released, "DFTのInitで失敗" is shown and false is returned.
bool InitRecordDft(Dft& dft, DftPlan& plan, int n, IDocumentUi& ui);
