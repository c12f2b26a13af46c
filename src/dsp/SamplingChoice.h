#pragma once

#include <optional>

// The sampling-frequency drop-down of the impulse and initial-value dialogs:
// "44.1kHz", "48kHz", "96kHz", "176.4kHz", "自分で設定".
namespace fs_choice {
constexpr int k44100 = 0;
constexpr int k48000 = 1;
constexpr int k96000 = 2;
constexpr int k176400 = 3;
constexpr int kCustom = 4;
constexpr int kDefault = k48000;
} // namespace fs_choice

// Sampling frequency [Hz] of entries 0 .. 3; nothing for "自分で設定" (and unknown entries),
// whose value comes from the custom dialog.
std::optional<double> SamplingFrequencyOfEntry(int entry);

// The custom dialog's answer in kHz: the new frequency in Hz, or nothing (keep the old one)
// for a value of 0 or below or not finite.
std::optional<double> CustomSamplingFrequency(double kHz);
