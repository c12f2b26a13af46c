#include "realtime/qt/RtPictures.h"

#include "filters/CrTable.h"
#include "filters/StageTopology.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string Printf(const char* format, double v) {
    char text[48];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

// A resistor as a small box from a to b (horizontal or vertical) with its label and value.
void Resistor(QPainter& p, QPointF a, QPointF b, const QString& label, const std::string& value) {
    const bool horizontal = std::fabs(b.x() - a.x()) > std::fabs(b.y() - a.y());
    const QPointF mid = (a + b) / 2;
    const QRectF box = horizontal ? QRectF(mid.x() - 11, mid.y() - 4, 22, 8)
                                  : QRectF(mid.x() - 4, mid.y() - 11, 8, 22);
    if (horizontal) {
        p.drawLine(a, QPointF(box.left(), a.y()));
        p.drawLine(QPointF(box.right(), a.y()), b);
    } else {
        p.drawLine(a, QPointF(a.x(), box.top()));
        p.drawLine(QPointF(a.x(), box.bottom()), b);
    }
    p.drawRect(box);
    const QPointF at = horizontal ? QPointF(box.left() - 4, box.top() - 3)
                                  : QPointF(box.right() + 3, box.center().y() - 1);
    p.drawText(at, label);
    p.drawText(at + QPointF(0, horizontal ? 21 : 11), Q(value));
}

// A capacitor as two plates between a and b.
void Capacitor(QPainter& p, QPointF a, QPointF b, const QString& label, const std::string& value) {
    const bool horizontal = std::fabs(b.x() - a.x()) > std::fabs(b.y() - a.y());
    const QPointF mid = (a + b) / 2;
    if (horizontal) {
        p.drawLine(a, mid - QPointF(2, 0));
        p.drawLine(mid + QPointF(2, 0), b);
        p.drawLine(mid + QPointF(-2, -7), mid + QPointF(-2, 7));
        p.drawLine(mid + QPointF(2, -7), mid + QPointF(2, 7));
        p.drawText(mid + QPointF(-12, -10), label);
        p.drawText(mid + QPointF(-12, -22), Q(value));
    } else {
        p.drawLine(a, mid - QPointF(0, 2));
        p.drawLine(mid + QPointF(0, 2), b);
        p.drawLine(mid + QPointF(-7, -2), mid + QPointF(7, -2));
        p.drawLine(mid + QPointF(-7, 2), mid + QPointF(7, 2));
        p.drawText(mid + QPointF(9, -2), label);
        p.drawText(mid + QPointF(9, 9), Q(value));
    }
}

void Ground(QPainter& p, QPointF at) {
    p.drawLine(at + QPointF(-6, 0), at + QPointF(6, 0));
    p.drawLine(at + QPointF(-4, 3), at + QPointF(4, 3));
    p.drawLine(at + QPointF(-2, 6), at + QPointF(2, 6));
}

// An op-amp triangle with its inputs at the left (upper: +) and its output at `out`.
void OpAmp(QPainter& p, QPointF out, QPointF& plus, QPointF& minus) {
    const QPointF tip = out - QPointF(6, 0);
    QPainterPath tri;
    tri.moveTo(tip);
    tri.lineTo(tip + QPointF(-26, -15));
    tri.lineTo(tip + QPointF(-26, 15));
    tri.closeSubpath();
    p.drawPath(tri);
    p.drawLine(tip, out);
    plus = tip + QPointF(-26, -7);
    minus = tip + QPointF(-26, 7);
    p.drawText(plus + QPointF(2, 4), QStringLiteral("+"));
    p.drawText(minus + QPointF(2, 4), QStringLiteral("-"));
}

QString Name(const char* part, int k) {
    return QString::fromUtf8(part) + QString::number(k + 1);
}

// Sallen-Key (low-pass: resistors in series, capacitors to the output and to ground; high-pass:
// the other way round) and the first-order sections.
void SallenKey(QPainter& p, const QRect& r, bool lowPass, bool firstOrder, const CrTable& cr,
               int k) {
    const double y = r.top() + 50;
    const double x0 = r.left() + 10;
    p.drawText(QPointF(x0 - 4, y - 4), QStringLiteral("in"));
    const QPointF n1(x0 + 70, y), n2(x0 + 140, y);
    const auto series = [&](QPointF a, QPointF b, const char* name, int part) {
        if (lowPass)
            Resistor(p, a, b, Name(name, k), ResistorText(part == 0 ? cr.R0[k] : cr.R1[k]));
        else
            Capacitor(p, a, b, Name(name, k), CapacitorText(part == 0 ? cr.C0[k] : cr.C1[k]));
    };
    const QPointF out(r.right() - 20, y - 7);
    QPointF plus, minus;
    OpAmp(p, out, plus, minus);
    p.drawText(out + QPointF(-2, -6), QStringLiteral("out"));
    if (firstOrder) {
        series(QPointF(x0 + 10, y), n2, lowPass ? "R0_" : "C0_", 0);
        if (lowPass)
            Capacitor(p, n2, n2 + QPointF(0, 34), Name("C0_", k), CapacitorText(cr.C0[k]));
        else
            Resistor(p, n2, n2 + QPointF(0, 34), Name("R0_", k), ResistorText(cr.R0[k]));
        Ground(p, n2 + QPointF(0, 34));
    } else {
        series(QPointF(x0 + 10, y), n1, lowPass ? "R0_" : "C0_", 0);
        series(n1, n2, lowPass ? "R1_" : "C1_", 1);
        // The feedback part from n1 to the output.
        const QPointF top(n1.x(), r.top() + 14);
        p.drawLine(n1, top + QPointF(0, 8));
        if (lowPass)
            Capacitor(p, top + QPointF(0, 8), QPointF(out.x(), top.y() + 8), Name("C0_", k),
                      CapacitorText(cr.C0[k]));
        else
            Resistor(p, top + QPointF(0, 8), QPointF(out.x(), top.y() + 8), Name("R1_", k),
                     ResistorText(cr.R1[k]));
        p.drawLine(QPointF(out.x(), top.y() + 8), out);
        if (lowPass)
            Capacitor(p, n2, n2 + QPointF(0, 34), Name("C1_", k), CapacitorText(cr.C1[k]));
        else
            Resistor(p, n2, n2 + QPointF(0, 34), Name("R0_", k), ResistorText(cr.R0[k]));
        Ground(p, n2 + QPointF(0, 34));
    }
    p.drawLine(n2, QPointF(plus.x(), n2.y()));
    p.drawLine(QPointF(plus.x(), n2.y()), plus);
    // Unity gain: the output back to the inverting input.
    const QPointF fb(out.x(), minus.y() + 14);
    p.drawLine(out, fb);
    p.drawLine(fb, QPointF(minus.x() - 6, fb.y()));
    p.drawLine(QPointF(minus.x() - 6, fb.y()), QPointF(minus.x() - 6, minus.y()));
    p.drawLine(QPointF(minus.x() - 6, minus.y()), minus);
}

// The state-variable circuits: the input resistor R0 into the summer, two integrators (R2 and
// R3 with C0 each), the damping feedback R1 and the loop feedback R4 from the outputs back to
// the summer; the notch adds R5 // R6 // R7 (Rx when positive, Ry when negative).
void StateVariable(QPainter& p, const QRect& r, bool notch, const CrTable& cr, int k) {
    const double y = r.top() + 78;
    const double left = r.left();
    const double outs[3] = {left + 100, left + 200, left + 300};
    const char* const names[3] = {"Σ", "∫", "∫"};
    QPointF plus, minus, summerIn;
    for (int i = 0; i < 3; ++i) {
        OpAmp(p, QPointF(outs[i], y), plus, minus);
        p.drawText(QPointF(outs[i] - 28, y - 18), QString::fromUtf8(names[i]));
        if (i == 0) summerIn = minus;
        // The non-inverting input to ground.
        p.drawLine(plus, plus - QPointF(6, 0));
        Ground(p, plus - QPointF(6, -14));
        p.drawLine(plus - QPointF(6, 0), plus - QPointF(6, -14));
        if (i == 0) continue;
        const QPointF node(minus.x() - 8, minus.y());
        Resistor(p, QPointF(outs[i - 1], y), QPointF(node.x(), y), Name(i == 1 ? "R2_" : "R3_", k),
                 ResistorText(i == 1 ? cr.R2[k] : cr.R3[k]));
        p.drawLine(QPointF(node.x(), y), node);
        p.drawLine(node, minus);
        // The integrating capacitor from the input node over the op-amp to its output.
        const double top = y - 36;
        p.drawLine(node, QPointF(node.x(), top));
        Capacitor(p, QPointF(node.x(), top), QPointF(outs[i], top), Name("C0_", k),
                  CapacitorText(cr.C0[k]));
        p.drawLine(QPointF(outs[i], top), QPointF(outs[i], y));
    }
    p.drawText(QPointF(left + 2, y - 4), QStringLiteral("in"));
    const QPointF sumNode(summerIn.x() - 8, summerIn.y());
    Resistor(p, QPointF(left + 4, sumNode.y()), sumNode, Name("R0_", k), ResistorText(cr.R0[k]));
    p.drawLine(sumNode, summerIn);
    // Feedback from the two integrator outputs back to the summer's input node.
    const double rows[2] = {y + 38, y + 70};
    const char* const fbNames[2] = {"R1_", "R4_"};
    const double fbValues[2] = {cr.R1[k], cr.R4[k]};
    for (int f = 0; f < 2; ++f) {
        const double x = outs[f + 1];
        p.drawLine(QPointF(x, y), QPointF(x, rows[f]));
        Resistor(p, QPointF(x, rows[f]), QPointF(sumNode.x(), rows[f]), Name(fbNames[f], k),
                 ResistorText(fbValues[f]));
        p.drawLine(QPointF(sumNode.x(), rows[f]), sumNode);
    }
    p.drawText(QPointF(outs[2] + 2, y - 6), QStringLiteral("out"));
    if (notch) {
        const double inv = (cr.R5[k] != 0.0 ? 1.0 / cr.R5[k] : 0.0) +
                           (cr.R6[k] != 0.0 ? 1.0 / cr.R6[k] : 0.0) +
                           (cr.R7[k] != 0.0 ? 1.0 / cr.R7[k] : 0.0);
        const double rp = inv != 0.0 ? 1.0 / inv : 0.0;
        const QString name = rp >= 0.0 ? QStringLiteral("Rx=") : QStringLiteral("Ry=");
        p.drawText(QPointF(left + 150, r.bottom() - 3),
                   QStringLiteral("R5//R6//R7: ") + name + Q(ResistorText(std::fabs(rp))));
    }
}

} // namespace

std::string ResistorText(double ohms) {
    const double a = std::fabs(ohms);
    if (a < 1000.0) return Printf("%3.0fΩ/", ohms);
    if (a < 100000.0) return Printf("%4.2fk", ohms * 0.001);
    if (a < 1.0e6) return Printf("%4.1fk/", ohms * 0.001);
    return Printf("%3.1fM/", ohms * 1.0e-6);
}

std::string CapacitorText(double farads) {
    if (std::fabs(farads) >= 1.0e-9) return Printf("%2.3fμ", farads * 1.0e6);
    return Printf("%4.1fp", farads * 1.0e12);
}

void PaintTaps(QPainter& p, const QRect& r, const std::vector<double>& taps) {
    if (taps.empty()) {
        p.drawText(r, Qt::AlignCenter, QStringLiteral("---"));
        return;
    }
    double peak = 0.0;
    for (double h : taps) peak = std::max(peak, std::fabs(h));
    const double mid = r.center().y();
    const double half = r.height() * 0.4;
    QPolygonF curve;
    const int n = static_cast<int>(taps.size());
    for (int i = 0; i < n; ++i) {
        const double x = r.left() + 4 + (r.width() - 8) * (n > 1 ? i / (n - 1.0) : 0.5);
        curve.append(QPointF(x, mid - (peak > 0.0 ? taps[i] / peak : 0.0) * half));
    }
    p.setPen(QPen(Qt::lightGray, 1));
    p.drawLine(QPointF(r.left(), mid), QPointF(r.right(), mid));
    p.setPen(QPen(Qt::red, 1));
    p.drawPolyline(curve);
    p.setPen(Qt::black);
    char text[64];
    std::snprintf(text, sizeof text, "Taps=%d", n);
    p.drawText(QPointF(r.left() + 4, r.top() + 12), QString::fromUtf8(text));
    std::snprintf(text, sizeof text, "|h|max=%2.2e", peak);
    p.drawText(QPointF(r.left() + 4, r.bottom() - 4), QString::fromUtf8(text));
}

void PaintLines(QPainter& p, const QRect& r, const std::vector<std::string>& lines) {
    double y = r.top() + 14;
    for (const std::string& line : lines) {
        p.drawText(QPointF(r.left() + 6, y), Q(line));
        y += 15;
    }
}

void PaintSection(QPainter& p, const QRect& r, const float den[3], const float num[3]) {
    // x[n] -> b0 -> sum -> y[n], delays down the left and the right, b1 b2 and -a1 -a2.
    const double top = r.top() + 18, row = (r.height() - 26) / 2.0;
    const double xIn = r.left() + 10, xSum = r.center().x(), xOut = r.right() - 10;
    const double xL = xIn + 26, xR = xOut - 26;
    p.drawLine(QPointF(xIn, top), QPointF(xOut, top));
    p.drawEllipse(QPointF(xSum, top), 6, 6);
    p.drawText(QPointF(xSum - 4, top + 4), QStringLiteral("+"));
    const auto coef = [&](double v, const char* name, QPointF at) {
        char text[40];
        std::snprintf(text, sizeof text, "%s=%2.2e", name, v);
        p.drawText(at, QString::fromUtf8(text));
    };
    coef(num[0], "b0", QPointF(xIn + 2, top - 5));
    for (int d = 1; d <= 2; ++d) {
        const double y = top + row * d;
        p.drawRect(QRectF(xL - 12, y - 8 - row / 2 + 4, 24, 12));
        p.drawText(QPointF(xL - 10, y - row / 2 + 6), QStringLiteral("z⁻¹"));
        p.drawRect(QRectF(xR - 12, y - 8 - row / 2 + 4, 24, 12));
        p.drawText(QPointF(xR - 10, y - row / 2 + 6), QStringLiteral("z⁻¹"));
        p.drawLine(QPointF(xL, y), QPointF(xSum, y));
        p.drawLine(QPointF(xR, y), QPointF(xSum, y));
        coef(num[d], d == 1 ? "b1" : "b2", QPointF(xL + 14, y - 2));
        coef(-den[d], d == 1 ? "-a1" : "-a2", QPointF(xSum + 8, y - 2));
    }
    p.drawLine(QPointF(xL, top), QPointF(xL, top + 2 * row));
    p.drawLine(QPointF(xR, top), QPointF(xR, top + 2 * row));
    p.drawLine(QPointF(xSum, top + 6), QPointF(xSum, top + 2 * row));
    p.drawText(QPointF(xIn - 6, top + 14), QStringLiteral("x"));
    p.drawText(QPointF(xOut - 2, top + 14), QStringLiteral("y"));
}

void PaintStageSchematic(QPainter& p, const QRect& r, int topology, const CrTable& cr, int k) {
    p.setPen(Qt::black);
    p.drawText(QPointF(r.left() + 4, r.top() + 12), QStringLiteral("Cascade No.=%1").arg(k + 1));
    switch (static_cast<StageTopology>(topology)) {
    case StageTopology::SallenKeyLowPass:
        SallenKey(p, r, true, false, cr, k);
        break;
    case StageTopology::SallenKeyHighPass:
        SallenKey(p, r, false, false, cr, k);
        break;
    case StageTopology::FirstOrderLowPass:
        SallenKey(p, r, true, true, cr, k);
        break;
    case StageTopology::FirstOrderHighPass:
        SallenKey(p, r, false, true, cr, k);
        break;
    case StageTopology::StateVariableBandPass:
        StateVariable(p, r, false, cr, k);
        break;
    case StageTopology::StateVariableNotch:
        StateVariable(p, r, true, cr, k);
        break;
    }
}
