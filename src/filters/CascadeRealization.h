#pragma once

#include "filters/BiquadTable.h"
#include "filters/CrTable.h"

class IDocumentUi;

// Component series of the realization, as the series list numbers them.
enum ComponentSeries {
    kSeriesE12 = 0,
    kSeriesE24 = 1,
    kSeriesExact = 2,     // "実値"
    kSeriesSFunction = 3, // "s関数": no realization
};

// Reference values of a stage when none were set: 10 kOhm and 1 nF.
constexpr double kDefaultRefResistor = 10000.0;
constexpr double kDefaultRefCapacitor = 1e-9;

// Chooses for each of the S = (order + 1) / 2 stages of the analog table `ana` (ANA sections of a
// cascade design of the shape and kind, effective order `order`) the op-amp circuit of
// ChooseStageTopology and its component values, exactly (kSeriesExact) or from the E12/E24 series,
// starting from the stage's reference resistor rRef[k] (ohms) and capacitor cRef[k] (farads).
// Returns 1 with the values in `cr`; 0 for any other series or when a value cannot be placed in
// the series (message shown through `ui`, `cr` unchanged). Report-only messages (negative
// coefficients of a notch stage, an unusable candidate) leave the computation running.
int RealizeCascade(IDocumentUi& ui, int shape, int kind, int order, int series, const double* rRef,
                   const double* cRef, const BiquadTable& ana, CrTable& cr);

// Analog sections (ANACR) that the component values of `cr` produce with the circuits of the
// design's stages. Returns 1; 0 with a message for an odd order with the band-pass shape, which
// no design produces (`anacr` unchanged).
int CascadeAnaResp(IDocumentUi& ui, int kind, int shape, int order, const CrTable& cr,
                   BiquadTable& anacr);
