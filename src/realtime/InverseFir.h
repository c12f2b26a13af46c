#pragma once

#include <vector>

class IDocumentUi;

// The tap processing of the coefficient-file FIR tool, with the single-precision chirp DFT of
// the taps' length (forward scaled by 1/N, inverse unscaled).

// Inverse filter: every bin X of the taps' spectrum becomes 1/X = conj(X) / |X|^2 ("0で除算？"
// and failure when a bin is 0), optionally limited (LimitDynamicRange), transformed back; the
// taps become the real part / N^2, so that the taps convolved circularly with the result give a
// unit impulse. 1 on success; 0 with the message of the failing step, then
// "逆ﾌｨﾙﾀｰ計算でｴﾗｰ発生", the taps unchanged.
int InverseFir(IDocumentUi& ui, std::vector<double>& taps, bool limit, double limitDb);

// The forward path: the taps through the forward DFT, the optional dynamic-range limit and the
// inverse DFT (the real part). 1 on success; 0 with "順ﾌｨﾙﾀｰ計算でｴﾗｰ発生", the taps unchanged.
int ForwardFir(IDocumentUi& ui, std::vector<double>& taps, bool limit, double limitDb);

// Raises the floor of a spectrum of n bins: with P = sqrt(max |Y|^2) and U the (unit-magnitude)
// spectrum of a unit impulse at n/2, every bin becomes Y + U P / 10^(0.05 limitDb). 0 with
// "min,max検出で異常発生" when the smallest or largest |Y|^2 is not positive.
int LimitDynamicRange(IDocumentUi& ui, std::vector<float>& re, std::vector<float>& im,
                      double limitDb);
