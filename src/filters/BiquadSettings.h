#pragma once

#include <string>

// Settings of the file-filtering biquad ("IIRﾌｨﾙﾀｰ設定") and their validation.
struct BiquadSettings {
    int type = 0;         // biquadtype code
    float freq = 2000.0f; // Hz
    float gainDb = 20.0f; // dB, used by the shelving and peaking types
};

enum class BiquadField { None, Frequency, Gain };

struct BiquadCheck {
    bool ok = true;
    std::string message; // UTF-8
    BiquadField field = BiquadField::None;
};

// The checks of the settings dialog at sampling frequency fs, in order; the gain range is
// checked for every type.
BiquadCheck ValidateBiquadSettings(const BiquadSettings& s, int fs);
