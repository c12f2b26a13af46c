#include "realtime/CoefProperty.h"

#include "filters/CoefFile.h"

#include <cstdio>

namespace {

std::string CutOffText(double f, const char* zero) {
    if (f == 0.0) return zero;
    char text[64];
    std::snprintf(text, sizeof text, "%5.2fHz", f);
    return text;
}

} // namespace

std::string FirPropertyText(const CoefFileHeader& h, int taps) {
    return "File name:       " + h.fileName + "\r\nNum. of Taps:  " + std::to_string(taps) +
           "\r\nFilter type:      " + h.kind + "\r\nFilter shape:    " + h.shape +
           "\r\nCutOff(1):        " + CutOffText(h.cutLow, "Unknown") +
           "\r\nCutOff(2):        " + CutOffText(h.cutHigh, "---") + "\r\n";
}

std::string IirPropertyText(const CoefFileHeader& h) {
    return "File name:       " + h.fileName + "\r\nFilter type:      " + h.kind +
           "\r\nFilter shape:    " + h.shape + "\r\nOrder of Filter: " + std::to_string(h.count) +
           "\r\nCutOff(1):        " + CutOffText(h.cutLow, "Unknown") +
           "\r\nCutOff(2):        " + CutOffText(h.cutLow == 0.0 ? 0.0 : h.cutHigh, "---") + "\r\n";
}
