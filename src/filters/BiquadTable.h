#pragma once

#include "filters/FilterLimits.h"

// Second-order sections k = 0 ... kMaxSections-1, each
//   (b0[k] + b1[k] z^-1 + b2[k] z^-2) / (a0[k] + a1[k] z^-1 + a2[k] z^-2)
// (or the same with s and s^2 for analog prototypes). The a arrays are the feedback side.
struct BiquadTable {
    double a0[filt::kMaxSections] = {};
    double a1[filt::kMaxSections] = {};
    double a2[filt::kMaxSections] = {};
    double b0[filt::kMaxSections] = {};
    double b1[filt::kMaxSections] = {};
    double b2[filt::kMaxSections] = {};
};
