#include "filters/CascadeRealization.h"

#include "document/DocumentUi.h"
#include "filters/CascadeMessages.h"
#include "filters/FilterLimits.h"
#include "filters/StageTopology.h"

int CascadeAnaResp(IDocumentUi& ui, int kind, int shape, int order, const CrTable& cr,
                   BiquadTable& anacr) {
    if (shape == shape::BandPass && order % 2 == 1) {
        ui.ShowMessage(cmsg::kAnaRespError);
        return 0;
    }
    const int sections = (order + 1) / 2;
    if (sections < 1 || sections > filt::kMaxSections) return 0;
    BiquadTable out;
    for (int k = 0; k < sections; ++k) {
        const double c0 = cr.C0[k], c1 = cr.C1[k];
        const double r0 = cr.R0[k], r1 = cr.R1[k], r2 = cr.R2[k], r3 = cr.R3[k], r4 = cr.R4[k];
        switch (ChooseStageTopology(shape, kind, order, k)) {
        case StageTopology::SallenKeyLowPass:
            out.a2[k] = 1.0;
            out.a0[k] = 1.0 / (r0 * r1 * c0 * c1);
            out.a1[k] = (r0 + r1) / (r0 * r1 * c0);
            out.b0[k] = out.a0[k];
            break;
        case StageTopology::SallenKeyHighPass:
            out.a2[k] = 1.0;
            out.a0[k] = 1.0 / (r0 * r1 * c0 * c1);
            out.a1[k] = (c0 + c1) / (r1 * c0 * c1);
            out.b2[k] = 1.0;
            break;
        case StageTopology::FirstOrderLowPass:
            out.a1[k] = 1.0;
            out.a0[k] = 1.0 / (r0 * c0);
            out.b0[k] = out.a0[k];
            break;
        case StageTopology::FirstOrderHighPass:
            out.a1[k] = 1.0;
            out.a0[k] = 1.0 / (r0 * c0);
            out.b1[k] = 1.0;
            break;
        case StageTopology::StateVariableBandPass:
            out.a2[k] = 1.0;
            out.a0[k] = 1.0 / (r2 * r3 * c0 * c0);
            out.a1[k] = 1.0 / (r1 * c0);
            out.b1[k] = 1.0 / (r0 * c0);
            break;
        case StageTopology::StateVariableNotch: {
            const double parallel = 1.0 / (1.0 / cr.R5[k] + 1.0 / cr.R6[k] + 1.0 / cr.R7[k]);
            out.a2[k] = 1.0;
            out.a0[k] = 1.0 / (r2 * r3 * c0 * c0);
            out.a1[k] = 1.0 / (r1 * c0);
            out.b2[k] = r4 / r0;
            out.b1[k] = 0.0;
            out.b0[k] = (r4 / (r0 * r2 * c0 * c0)) * (1.0 / parallel + 1.0 / r3);
            break;
        }
        }
    }
    anacr = out;
    return 1;
}
