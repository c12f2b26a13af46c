#pragma once

#include <optional>
#include <string>

class KaiserFir;

// Fields of the FIR settings dialogs, named so that a failed check can select the right one.
enum class FirField { Taps, CutLow, CutHigh, Atten, Transition };

// A failed check: the message to show and the field to select.
struct FirFieldError {
    FirField field;
    std::string message;
};

// Values of the window-method dialog. Frequencies in Hz.
struct FirWindowSettings {
    int shape = 0; // shape:: code
    int taps = 163;
    float cutLow = 2000.0f;
    float cutHigh = 4500.0f; // used by band-pass and band-stop
};

// Values of the Kaiser dialog. Frequencies in Hz, attenuation in dB.
struct KaiserSettings {
    int shape = 0;
    float cutLow = 2000.0f;
    float cutHigh = 4500.0f;
    float atten = 40.0f;
    float transition = 500.0f;
};

// The checks of the window-method dialog in their order, for sampling frequency fs.
std::optional<FirFieldError> CheckFirWindowSettings(const FirWindowSettings& s, int fs);

// Low-pass and high-pass use no second cut-off: it becomes 0.
void NormaliseKaiserSettings(KaiserSettings& s);
// The checks of the Kaiser dialog in their order, then the size of the design: a transition
// too narrow for filt::kMaxDesignTaps taps fails on the transition field. On success `taps`
// receives the tap count of the design.
std::optional<FirFieldError> CheckKaiserSettings(const KaiserSettings& s, int fs, int& taps);
// Tap count the Kaiser design of the settings would have (computed without designing; 0 when
// the transition is not positive).
double KaiserDesignTaps(const KaiserSettings& s, int fs);
// A design above this many taps needs the user's confirmation (KaiserNoticeText).
constexpr int kKaiserNoticeTaps = 4096;
std::string KaiserNoticeText(int taps);
// Runs the KaiserFir design of the shape; returns its tap count (0 when refused).
int DesignKaiser(KaiserFir& fir, const KaiserSettings& s, int fs);
