#pragma once

#include "filters/BiquadTable.h"

#include <vector>

// One section of a cascade: (b0 + b1 x + b2 x^2) / (a0 + a1 x + a2 x^2) with x = s (analog) or
// x = z^-1 (digital). Analog quadratic sections are normalised to a2 = 1, analog first-order
// sections to a2 = b2 = 0 and a1 = 1; digital sections to a0 = 1.
struct CascadeSection {
    double a0 = 1.0, a1 = 0.0, a2 = 0.0;
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
    bool IsFirstOrder() const { return a2 == 0.0 && b2 == 0.0; }
};
using SectionList = std::vector<CascadeSection>;

// A low-pass prototype section with its cut-off at 1 rad/s:
// (n2 s^2 + n0) / (s^2 + d1 s + d0), or n0 / (s + d0) when firstOrder.
struct PrototypeSection {
    bool firstOrder = false;
    double d1 = 0.0, d0 = 1.0;
    double n2 = 0.0, n0 = 1.0;
};
using Prototype = std::vector<PrototypeSection>;

// Analog sections of the prototype as low-pass or high-pass with the cut-off at omega (rad/s).
SectionList MapLowPass(const Prototype& proto, double omega);
SectionList MapHighPass(const Prototype& proto, double omega);
// Band sections by s -> (s^2 + w0^2) / (B s) (band-pass) or s -> B s / (s^2 + w0^2) (band-stop),
// w0 and B in rad/s. A first-order prototype section gives one band section, a quadratic one two
// (the higher resonance first). The pass-band gain of the prototype is kept.
SectionList MapBandPass(const Prototype& proto, double w0, double bandwidth);
SectionList MapBandStop(const Prototype& proto, double w0, double bandwidth);

// Bilinear transform s = K (1 - z^-1) / (1 + z^-1), K = 2 fs, of an analog section (quadratic
// normalised to a2 = 1, or first-order with a2 = b2 = 0). Result normalised to a0 = 1.
void BilinearBiquad(double fs, double a1, double a0, double b2, double b1, double b0, double& da1,
                    double& da2, double& db0, double& db1, double& db2);
CascadeSection BilinearSection(double fs, const CascadeSection& analog);
// The inverse mapping with the constant k: z^-1 = (k - s) / (k + s).
CascadeSection InverseBilinearSection(double k, const CascadeSection& digital);

// Stores sections 0 .. size-1 into entries 0 .. size-1 of the table (size <= filt::kMaxSections).
void StoreSections(const SectionList& sections, BiquadTable& table);
CascadeSection LoadSection(const BiquadTable& table, int k);
