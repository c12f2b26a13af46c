#pragma once

#include "filters/CascadeSections.h"

// Low-pass prototypes with the design edge at 1 rad/s, sections in storage order (for an odd
// order the first-order section first). Every section has unit gain at DC; the pass-band level of
// even-order Chebyshev and elliptic designs (10^(-Rp/20) at DC) is applied by the caller.

// Butterworth: -3 dB at 1 rad/s (poles on the circle of radius (10^0.3 - 1)^(-1/2n)).
Prototype ButterworthPrototype(int n);
// Chebyshev: pass-band ripple rippleDb, the ripple level at 1 rad/s.
Prototype ChebyshevPrototype(int n, double rippleDb);
// Inverse Chebyshev: stop band from 1 rad/s on, equiripple at -stopDb.
Prototype InvChebyshevPrototype(int n, double stopDb);

// Elliptic: ripple rippleDb up to 1 rad/s, equiripple stop band at -stopDb from stopEdge on.
// Fails (returns false) when the stop edge cannot be placed beyond the pass band in double
// precision (stopDb not above rippleDb, or an order too high for the given levels).
bool EllipticPrototype(int n, double rippleDb, double stopDb, Prototype& proto,
                       double* stopEdge = nullptr);
