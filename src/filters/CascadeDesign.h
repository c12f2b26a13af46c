#pragma once

#include "filters/BiquadTable.h"
#include "filters/FilterLimits.h"

// Cascade kinds as the design parameters number them (shapes: namespace shape).
enum CascadeKind {
    kCascadeButterworth = 0,
    kCascadeChebyshev = 1,
    kCascadeInvChebyshev = 2,
    kCascadeElliptic = 3
};

// Why an elliptic design failed.
enum class EllipticFailure { None, StopEdgeInPassBand, FactoringFailed, StorageTooSmall };

// Effective order m (n for low/high-pass, 2n for band shapes) and section count S.
int CascadeEffectiveOrder(int shape, int n);
int CascadeSectionCount(int shape, int n);

// Cascade designs of prototype order n for the shape (shape::LowPass ... shape::BandStop) at the
// sampling rate fs (Hz) with the edges f1 (cut-off, or lower band edge) and f2 (upper band edge,
// band shapes only). Each fills the analog sections (ana, s-domain, quadratic sections with a2 = 1,
// first-order sections with a2 = b2 = 0, a1 = 1) and the digital sections (iir, a0 = 1) of the same
// design, sections 0 .. S-1, entries from S on cleared. Low- and high-pass digital sections use the
// pre-warped cut-off 2 fs tan(pi f1 / fs), the analog ones 2 pi f1; band shapes use the unwarped
// centre 2 pi sqrt(f1 f2) and bandwidth 2 pi (f2 - f1) in both tables.
// Return 1; 0 only when the parameters are outside the table's capacity (nothing changed then).
int CascadeButterworth(int shape, int n, double fs, double f1, double f2, BiquadTable& ana,
                       BiquadTable& iir);
// Pass band between -rippleDb and 0 dB, -rippleDb at the edges.
int CascadeChebyshev(int shape, int n, double fs, double f1, double f2, double rippleDb,
                     BiquadTable& ana, BiquadTable& iir);
// Stop band equiripple at -stopDb, starting at the edges.
int CascadeInvChebyshev(int shape, int n, double fs, double f1, double f2, double stopDb,
                        BiquadTable& ana, BiquadTable& iir);
// Elliptic: the digital sections meet the edges f1, f2 exactly (pre-warped); the analog table is
// the inverse bilinear image of the digital one, pre-warped at f1 (low/high-pass) or sqrt(f1 f2).
// Returns 0 and leaves both tables unchanged when the design cannot be reached; `why` tells the
// reason.
int CascadeElliptic(int shape, int n, double fs, double f1, double f2, double rippleDb,
                    double stopDb, BiquadTable& ana, BiquadTable& iir,
                    EllipticFailure* why = nullptr);

// Most poles (and zeros) an elliptic design handles: effective orders above it fail with
// EllipticFailure::StorageTooSmall.
constexpr int kEllipticMaxRoots = 50;
