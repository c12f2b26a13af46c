#include "realtime/LineOutMode.h"

#include "dsp/FloatToInt.h"
#include "filters/PcmSample.h"

#include <cmath>

const char* LineOutName(int mode) {
    switch (mode) {
    case lineout::SumDiff:
        return "L±R(Shift_1bit)";
    case lineout::Product:
        return "LxR(Shift_16bit)";
    default:
        return "Normal";
    }
}

double LineOutGain(double gainDb) {
    return std::pow(10.0, 0.05 * gainDb);
}

void LineOutMode(int mode, double g, std::uint8_t* p, int frames) {
    for (int i = 0; i < frames; ++i, p += 4) {
        const double l = pcmio::Read16(p);
        const double r = pcmio::Read16(p + 2);
        double outL, outR;
        switch (mode) {
        case lineout::SumDiff:
            outL = g * (l + r) * 0.5;
            outR = g * (l - r) * 0.5;
            break;
        case lineout::Product:
            outL = outR = g * l * r / 32768.0;
            break;
        default:
            outL = g * l;
            outR = g * r;
            break;
        }
        pcmio::Write16(p, WrapToInt16(outL));
        pcmio::Write16(p + 2, WrapToInt16(outR));
    }
}
