#include "realtime/RtNoise.h"

#include "dsp/FloatToInt.h"

int CRtNoise::Next(double level) {
    return WrapToInt16((2.0 * Rand() - 32768.0) * level);
}
