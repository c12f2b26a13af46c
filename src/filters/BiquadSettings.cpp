#include "filters/BiquadSettings.h"

namespace {
BiquadCheck Fail(const char* message, BiquadField field) {
    BiquadCheck c;
    c.ok = false;
    c.message = message;
    c.field = field;
    return c;
}
} // namespace

BiquadCheck ValidateBiquadSettings(const BiquadSettings& s, int fs) {
    // Negated comparisons, so that a value that is no number fails as well.
    if (!(s.freq > 0.0f)) return Fail("0Hz以上の周波数にして下さい。", BiquadField::Frequency);
    if (!(s.gainDb <= 20.0f)) return Fail("20dB以下のレベルにして下さい。", BiquadField::Gain);
    if (!(s.freq <= fs / 2.0f))
        return Fail("ｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません",
                    BiquadField::Frequency);
    if (!(s.gainDb >= -20.0f)) return Fail("-20dB以上のレベルにして下さい。", BiquadField::Gain);
    return {};
}
