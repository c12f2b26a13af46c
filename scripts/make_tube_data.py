#!/usr/bin/env python3
"""Makes the tube data of the virtual tube amplifier: the plate curves of a triode (or of a
junction FET) from a smooth three-halves-power model, each fitted by a degree-7 polynomial
Ip(Ep) in mA against V. Prints the C++ tables of the built-in devices (--cpp) or writes a
tube-data CSV file (--csv NAME PATH)."""
import math
import sys

# name: (mu, k mA/V^1.5, soft V, first grid, step, curves, Ep scale, Ep steps, Ip scale,
#        Ip steps, dissipation W, largest grid shown, supply, load kOhm, Iq mA, bias V)
TRIODES = {
    "2A3": (4.2, 1.087, 3.0, 0.0, -10.0, 11, 500.0, 10, 250.0, 10, 15.0, -100.0,
            400.0, 2.5, 60.0, -45.0),
    "6L6GC(3結)": (8.0, 1.33, 2.0, 0.0, -5.0, 11, 500.0, 10, 150.0, 6, 30.0, -50.0,
                   400.0, 3.0, 50.0, -20.0),
    "300B": (3.85, 0.86, 3.0, 0.0, -10.0, 13, 600.0, 12, 300.0, 6, 36.0, -120.0,
             450.0, 3.0, 60.0, -70.0),
}


def triode_current(mu, k, soft, eg, ep):
    v = eg + ep / mu
    s = soft * math.log1p(math.exp(v / soft)) if v / soft < 50 else v
    return k * s ** 1.5


def fet_current(vg, vds):
    idss, vp, vmax = 10.0, -1.6, 10.0
    isat = idss * (1.0 - vg / vp) ** 2 if vg > vp else 0.0
    u = vds / vmax
    return isat * (2.0 * u - u * u)


def solve(a, b):
    n = len(b)
    m = [row[:] + [b[i]] for i, row in enumerate(a)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(m[r][c]))
        m[c], m[p] = m[p], m[c]
        for r in range(c + 1, n):
            f = m[r][c] / m[c][c]
            for k in range(c, n + 1):
                m[r][k] -= f * m[c][k]
    x = [0.0] * n
    for r in range(n - 1, -1, -1):
        x[r] = (m[r][n] - sum(m[r][k] * x[k] for k in range(r + 1, n))) / m[r][r]
    return x


def fit7(fn, scale):
    """Coefficients of Ep^7 .. Ep^0 of the least-squares fit of fn over 0 .. scale."""
    xs = [scale * i / 400 for i in range(401)]
    terms = 8
    a = [[0.0] * terms for _ in range(terms)]
    b = [0.0] * terms
    for x in xs:
        u = x / scale
        pw = [u ** i for i in range(2 * terms)]
        y = fn(x)
        for r in range(terms):
            for c in range(terms):
                a[r][c] += pw[r + c]
            b[r] += pw[r] * y
    c = solve(a, b)
    raw = [c[i] / scale ** i for i in range(terms)]
    return list(reversed(raw))


def device(name):
    if name == "2SK30A(FET)":
        grids = [-0.1 * i for i in range(11)]
        curves = []
        for g in grids:
            isat = 10.0 * (1.0 - g / -1.6) ** 2
            # Quadratic: isat (2u - u^2), u = Vds / 10: higher coefficients 0.
            curves.append(([0.0] * 5 + [-isat / 100.0, 2.0 * isat / 10.0, 0.0], g))
        com = [10.0, 14, 14.0, 7, 0.1, 11, 0.0, -0.1, 1.0, -1.0, 0, 0, 0, 0]
        both = [(12.0, 12.0), (0, 0), (1.2, 1.2), (4.0, 4.0), (-0.4, -0.4), (-0.4, -0.4),
                (0, 0), (0, 0), (0, 0), (0, 0)]
        return com, both, curves
    mu, k, soft, first, step, n, scale, esteps, iscale, isteps, pd, largest, supply, load, iq, \
        bias = TRIODES[name]
    curves = []
    for i in range(n):
        g = first + i * step
        curves.append((fit7(lambda ep: triode_current(mu, k, soft, g, ep), scale), g))
    com = [scale, esteps, iscale, isteps, pd, n, first, step, 1.0, largest, 0, 0, 0, 0]
    both = [(supply, supply), (0, 0), (load, load), (iq, iq), (bias, bias), (bias, bias),
            (0, 0), (0, 0), (0, 0), (0, 0)]
    return com, both, curves


OPE = [4, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, 0]


def write_csv(name, path):
    com, both, curves = device(name)
    lines = ["%s,%s," % ("真空管名", name)]
    lines += ["%s,%f," % ("set_com", v) for v in com]
    lines.append("%s," % "//独立ﾃﾞｰﾀｰ")
    lines += ["%s,%f,%f," % ("set_both", u, l) for u, l in both]
    lines.append("%s," % "//動作条件等")
    lines += ["%s,%d," % ("set_ope", v) for v in OPE]
    lines.append("%s," % "//Gauss係数")
    for coefs, g in curves:
        lines.append(("%s," % "多項式係数") + ",".join("%e" % c for c in coefs + [g]) + ",")
    lines.append("end,")
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))


def print_cpp():
    for name in ["2A3", "6L6GC(3結)", "2SK30A(FET)"]:
        com, both, curves = device(name)
        print("    // %s" % name)
        print("    {\"%s\"," % name)
        print("     {%s}," % ", ".join("%.9g" % v for v in com))
        print("     {{%s}}," % ", ".join("{%.9g, %.9g}" % p for p in both))
        print("     {")
        for coefs, g in curves:
            print("         {{%s}, %.9g}," % (", ".join("%.9e" % c for c in coefs), g))
        print("     }},")


if __name__ == "__main__":
    if sys.argv[1] == "--cpp":
        print_cpp()
    else:
        write_csv(sys.argv[2], sys.argv[3])
