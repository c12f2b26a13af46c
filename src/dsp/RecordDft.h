#pragma once

#include "dsp/Dft.h"

#include <vector>

class IDocumentUi;

// Sets up `plan` for an n-point transform of the document's records. On failure the plan is
// released, "DFTのInitで失敗" is shown and false is returned.
bool InitRecordDft(Dft& dft, DftPlan& plan, int n, IDocumentUi& ui);

// The impulse response of the n-point spectrum re + j·im: the real part of its unscaled inverse
// transform divided by n, into h[0..n-1]. False (reported as InitRecordDft does) when the
// transform cannot be set up.
bool ImpulseResponseOf(const float* re, const float* im, int n, IDocumentUi& ui,
                       std::vector<float>& h);
