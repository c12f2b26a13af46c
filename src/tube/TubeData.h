#pragma once

#include <array>
#include <string>
#include <vector>

// The data of a tube (or field-effect transistor) of the virtual tube amplifier, as held in a
// tube-data file: the name, 14 common values, 10 pairs of per-tube values (upper, lower), the 18
// operating settings and up to 20 plate curves Ip(Ep) (mA against V), each a degree-7 polynomial
// with its grid voltage.
struct TubeData {
    static constexpr int kComValues = 14;
    static constexpr int kBothValues = 10;
    static constexpr int kOpeValues = 18;
    static constexpr int kMaxCurves = 20;
    static constexpr int kMinCurvesRead = 4; // the reader needs more than 3 curve lines
    static constexpr int kCoefs = 8;

    // set_com indexes.
    enum Com {
        PlateScale = 0,   // V, plate-voltage range of the curves
        PlateSteps = 1,   // Ep steps of the plate diagram
        CurrentScale = 2, // mA, maximum plate current
        CurrentSteps = 3,
        MaxDissipation = 4, // W
        CurveCount = 5,     // curves declared
        FirstGrid = 6,      // V, grid voltage of the first curve
        GridStep = 7,       // V between curves (negative)
        Positive = 8,
        LargestGrid = 9, // V, largest grid voltage shown (negative)
    };
    // set_both indexes ([i][0] upper tube, [i][1] lower tube).
    enum Both {
        Supply = 0,       // V
        Load = 2,         // kOhm per tube
        ConstCurrent = 3, // mA
        GridBias = 4,     // V (negative)
        CathodeBias = 5,  // V (negative)
    };
    // set_ope indexes.
    enum Ope {
        RateCode = 0,
        WidthCode = 1,
        RangeL = 2,
        RangeR = 3,
        PositionL = 4,
        PositionR = 5,
        FixedPositions = 6,
        Through = 7,
        Circuit = 8,
        Bias = 9,
        EpErrorUpper = 10,
        EpErrorLower = 11,
        IpErrorUpper = 12,
        IpErrorLower = 13,
        Sweep = 14,
        Trigger = 15,
        Reserved1 = 16,
        Reserved2 = 17,
    };

    struct Curve {
        std::array<double, kCoefs> coef{}; // Ep^7, Ep^6, ..., Ep^0
        double grid = 0.0;                 // V
    };

    std::string name;
    std::array<float, kComValues> com{};
    std::array<std::array<float, 2>, kBothValues> both{};
    std::array<int, kOpeValues> ope{};
    std::vector<Curve> curves;

    // Ip of curve i at plate voltage ep, mA (the polynomial as written, not limited).
    double Current(int i, double ep) const;
    int CurvesDeclared() const { return static_cast<int>(com[CurveCount]); }
};

// Circuits and bias methods of the amplifier.
namespace tube {
constexpr int kSingle = 0;
constexpr int kPushPull = 1;
constexpr int kDifferential = 2;
constexpr int kBiasConstCurrent = 0; // "定電流ﾊﾞｲｱｽ+C"
constexpr int kBiasGrid = 1;         // "ｸﾞﾘｯﾄﾞﾊﾞｲｱｽ"
constexpr int kBiasCathode = 2; // "ｶｿｰﾄﾞﾊﾞｲｱｽ" (no bypass capacitor: local feedback)
constexpr int kBiasCathodeC = 3; // "ｶｿｰﾄﾞﾊﾞｲｱｽ+C"
constexpr int kUpper = 0;
constexpr int kLower = 1;
} // namespace tube
