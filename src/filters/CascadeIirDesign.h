#pragma once

#include "filters/BiquadTable.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeRealization.h"
#include "filters/CrTable.h"
#include "filters/FilterLimits.h"

class IDocumentUi;

// Parameters of a cascade design: the document's design fields (m_nFilterShape, m_nCascadeKind,
// m_nIirOrder, m_fCutLow, m_fCutHigh, m_fRipple, m_fStopLevel) and the tool's own values.
struct CascadeParams {
    int shape = shape::LowPass;
    int kind = kCascadeChebyshev;
    int order = 8;                                      // prototype order n ("次数")
    double cutLow = 2000.0;                             // f1, Hz
    double cutHigh = 4500.0;                            // f2, Hz (band shapes)
    double ripple = 1.0;                                // Rp, dB
    double stopLevel = 50.0;                            // As, dB
    int rateChoice = 1;                                 // 0: 44100, 1: 48000, 2: 96000 Hz
    double refResistorK = kDefaultRefResistor / 1000.0; // reference R of the stage, kOhm
    double refCapacitorU = kDefaultRefCapacitor * 1e6;  // reference C of the stage, uF
};

// The field a failed validation selects.
enum class CascadeField { None, CutLow, CutHigh, Resistor, Capacitor, Order, Ripple, StopLevel };

// Sampling rate of a rate choice (0, 1, 2); 48000 for any other value.
int CascadeSampleRate(int rateChoice);
// Position 0 ... 60 of a frequency slider for f (Hz): ceil(ln(0.05 f) / ln 1.1224526...).
int CascadeSliderPosition(double f);

// The design operation of the cascade tool and the command line: validation, the coefficient
// step (design and optional op-amp realization) and the coefficient file. It holds the current
// design; a failed step shows its message and leaves the previous design in force.
// Runs on the caller's thread; not shared between threads.
class CascadeIirDesign {
public:
    CascadeIirDesign();

    // Checks the parameters in the tool's order (first failure wins, message shown, `failed`
    // names the field). On success stores R and C as the reference of stage `stage` (0-based).
    int Validate(const CascadeParams& p, int stage, IDocumentUi& ui,
                 CascadeField* failed = nullptr);

    // Validation after the kind changed: as Validate, with "逆ﾁｪﾋﾞのCHECKMON()で失敗" after the
    // failure's own message.
    int ValidateKindChange(const CascadeParams& p, int stage, IDocumentUi& ui,
                           CascadeField* failed = nullptr);
    // Fields a kind uses: the ripple (Chebyshev, elliptic), the stop level (inverse Chebyshev,
    // elliptic).
    static bool UsesRipple(int kind) {
        return kind == kCascadeChebyshev || kind == kCascadeElliptic;
    }
    static bool UsesStopLevel(int kind) {
        return kind == kCascadeInvChebyshev || kind == kCascadeElliptic;
    }

    // Coefficient step: designs with the routine of p.kind (parameters validated before), then,
    // when `realize` is set, no realization failure is pending and the series is not
    // kSeriesSFunction, runs the realization (Realize). Returns 1 when the design succeeded
    // (a realization failure only reports and marks itself pending); 0 with
    // "係数算出に失敗しました！！..." when the design failed, keeping the previous design.
    int ComputeCoefficients(const CascadeParams& p, bool realize, int series, IDocumentUi& ui);

    // Component values of the current design in the series (RealizeCascade) and the sections
    // they produce (CascadeAnaResp). 1 on success (table set 3); 0 with
    // "OPｱﾝﾌﾟ用定数設定に失敗しました。", realization marked pending, digital design kept.
    int Realize(int series, IDocumentUi& ui);
    void ClearRealizeFailure() { m_bRealizeFailed = false; }

    // Writes the current design with its table set through CoefFile::WriteIir (path asked).
    int Save(IDocumentUi& ui) const;

    bool HasDesign() const { return m_nTableSet > 0; }
    int TableSet() const { return m_nTableSet; } // 0 none, 1 design, 2/3 with realization
    int Order() const { return m_nOrder; }       // effective order m
    int Sections() const { return (m_nOrder + 1) / 2; }
    int Shape() const { return m_nShape; }
    int Kind() const { return m_nKind; }
    double SampleRate() const { return m_fFs; }
    bool RealizeFailed() const { return m_bRealizeFailed; }
    const BiquadTable& Iir() const { return m_iir; }
    const BiquadTable& Ana() const { return m_ana; }
    const BiquadTable& AnaCr() const { return m_anacr; }
    const CrTable& Components() const { return m_cr; }
    // Reference values per stage, ohms and farads (stored unchecked; Validate checks the tool's
    // range).
    void SetReference(int stage, double ohms, double farads);
    double RefResistor(int stage) const { return m_fRefR[stage]; }
    double RefCapacitor(int stage) const { return m_fRefC[stage]; }

private:
    BiquadTable m_iir, m_ana, m_anacr;
    CrTable m_cr;
    double m_fRefR[filt::kMaxSections];
    double m_fRefC[filt::kMaxSections];
    int m_nTableSet = 0;
    int m_nOrder = 0;
    int m_nShape = shape::LowPass;
    int m_nKind = kCascadeChebyshev;
    double m_fFs = 48000.0;
    double m_fCutLow = 0.0;
    double m_fCutHigh = 0.0;
    bool m_bRealizeFailed = false;
};
