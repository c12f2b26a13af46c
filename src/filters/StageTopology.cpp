#include "filters/StageTopology.h"

#include "filters/CascadeDesign.h"

StageTopology ChooseStageTopology(int shape, int kind, int order, int k) {
    const bool band = shape == shape::BandPass || shape == shape::BandStop;
    const int n = band ? order / 2 : order;
    const bool firstOrderStage = (k == 0 && n % 2 == 1);
    const bool withZeros = kind == kCascadeInvChebyshev || kind == kCascadeElliptic;
    switch (shape) {
    case shape::LowPass:
        if (firstOrderStage) return StageTopology::FirstOrderLowPass;
        return withZeros ? StageTopology::StateVariableNotch : StageTopology::SallenKeyLowPass;
    case shape::HighPass:
        if (firstOrderStage) return StageTopology::FirstOrderHighPass;
        return withZeros ? StageTopology::StateVariableNotch : StageTopology::SallenKeyHighPass;
    case shape::BandPass:
        if (!withZeros || firstOrderStage) return StageTopology::StateVariableBandPass;
        return StageTopology::StateVariableNotch;
    default:
        return StageTopology::StateVariableNotch;
    }
}
