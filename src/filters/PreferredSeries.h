#pragma once

#include <vector>

// Preferred-number series of component values ("E12", "E24") held as two decades of integers
// (10 ... 820 or 10 ... 910), scaled by powers of ten from 10^-14 to 10^15.
class PreferredSeries {
public:
    enum Kind { E12 = 0, E24 = 1 };
    explicit PreferredSeries(Kind kind);

    // Exponent e and mantissa L = x / (f 10^e) in [10, 100) of a positive x with the factor f;
    // false when x is not positive or outside the exponent range.
    bool Decade(double x, double f, int& e, double& mantissa) const;
    // Candidates from about x / f to about x f: the table entries (times 10^e) from the first one
    // not below L to the first one not below L f^2. False when that upper end is not in the table.
    bool Window(double x, double f, std::vector<double>& candidates) const;
    // The table value closest to x in relative terms (the first of equals); false as Decade.
    bool Nearest(double x, double& value) const;
    // The smallest table value not below x; false as Decade.
    bool FirstNotBelow(double x, double& value) const;

private:
    double Scaled(int index, int e) const;
    const int* m_table;
    int m_count;
};
