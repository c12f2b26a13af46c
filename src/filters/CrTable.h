#pragma once

#include "filters/FilterLimits.h"

// Component values of up to kMaxSections operational-amplifier stages (farads and ohms);
// a value 0 means the component is not needed.
struct CrTable {
    double C0[filt::kMaxSections] = {};
    double C1[filt::kMaxSections] = {};
    double R0[filt::kMaxSections] = {};
    double R1[filt::kMaxSections] = {};
    double R2[filt::kMaxSections] = {};
    double R3[filt::kMaxSections] = {};
    double R4[filt::kMaxSections] = {};
    double R5[filt::kMaxSections] = {};
    double R6[filt::kMaxSections] = {};
    double R7[filt::kMaxSections] = {};
};
