#pragma once

#include <QColor>

// Pens and brushes shared by the plots.
namespace plotcolour {
inline QColor PanelFill() {
    return QColor(240, 240, 240);
}
inline QColor Grid() {
    return QColor(150, 150, 150);
}
inline QColor First() {
    return QColor(255, 80, 0);
} // ch1, real part, magnitude
inline QColor Second() {
    return QColor(0, 80, 255);
} // ch2, imaginary part, phase
inline QColor Coherence() {
    return QColor(0, 150, 60);
} // coherence of a transfer function
inline QColor WaveCh1() {
    return QColor(40, 180, 40);
}
inline QColor WaveCh2() {
    return QColor(180, 40, 40);
} // drawn with dest AND NOT pen
inline QColor Cursor() {
    return QColor(255, 98, 77);
}
inline QColor RubberBand() {
    return QColor(85, 98, 77);
}
} // namespace plotcolour
