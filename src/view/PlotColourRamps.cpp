#include "view/PlotRoutines.h"

#include <QColor>

#include <cstdlib>

namespace {

int RampSegment(int b) {
    return static_cast<int>(b * 0.02343748168946743);
}

} // namespace

QColor WaterfallColour(int i) {
    const int b = std::abs(i) % 256;
    const int c = (18 * b) % 256;
    switch (RampSegment(b)) {
    case 0:
        return QColor(0, 0, c);
    case 1:
        return QColor(0, c, 255);
    case 2:
        return QColor(0, 255, ((255 - 18 * b) % 256 + 256) % 256);
    case 3:
        return QColor(255, 255, 0);
    case 4:
        return QColor(255, 0, c);
    default:
        return QColor(255, c, 255);
    }
}

QColor HueColour(int i) {
    const int b = std::abs(i) % 256;
    auto m = [](int v) { return ((v % 256) + 256) % 256; };
    switch (RampSegment(b)) {
    case 0:
        return QColor(0, m(6 * b), 255);
    case 1:
        return QColor(0, 255, m(513 - 6 * b));
    case 2:
        return QColor(m(6 * b - 516), 255, 0);
    case 3:
        return QColor(255, m(1023 - 6 * b), 0);
    case 4:
        return QColor(255, 0, m(6 * b - 1026));
    default:
        return QColor(m(1539 - 6 * b), 0, 255);
    }
}
