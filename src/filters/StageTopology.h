#pragma once

// Op-amp circuits (unity-gain amplifiers) that realise one analog stage of a cascade.
enum class StageTopology {
    SallenKeyLowPass,      // (1/(R0 R1 C0 C1)) / (s^2 + s (R0 + R1)/(R0 R1 C0) + 1/(R0 R1 C0 C1))
    SallenKeyHighPass,     // s^2 / (s^2 + s (C0 + C1)/(R1 C0 C1) + 1/(R0 R1 C0 C1))
    FirstOrderLowPass,     // (1/(R0 C0)) / (s + 1/(R0 C0))
    FirstOrderHighPass,    // s / (s + 1/(R0 C0))
    StateVariableBandPass, // (s/(R0 C0)) / (s^2 + s/(R1 C0) + 1/(R2 R3 C0^2))
    StateVariableNotch,    // (R4/R0)(s^2 + wz^2) / (s^2 + s/(R1 C0) + 1/(R2 R3 C0^2)),
                           // wz^2 = (1/(R2 C0^2))(1/R3 + 1/Rp), Rp = R5 || R6 || R7
};

// The circuit of stage k of a design of the shape (shape::LowPass ... BandStop) and kind
// (CascadeKind) with the effective order m (2n for band shapes).
StageTopology ChooseStageTopology(int shape, int kind, int order, int k);
