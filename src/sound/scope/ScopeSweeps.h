#pragma once

#include <string>

// The oscilloscope's sweep table and trigger level.
namespace scope {
constexpr int kMinSweep = 1, kMaxSweep = 11;
constexpr int kDefaultSweep = 4;
// Each ring block and sound buffer lasts 40 ms.
constexpr int kBlockMilliseconds = 40;

// Frames of sweep `index` (1..11: 1 ms .. 2 s over ten divisions) at `rate`, truncated, and
// limited so that `over` times as many fit the time arrays (96000 samples).
int SweepFrames(int index, int rate, int over);
// The sweep edit's text, milliseconds per division: "0.1" ... "200".
const char* SweepText(int index);
// Frames of one 40 ms buffer at `rate` (1764, 1920, 3840).
int BufferFrames(int rate);
// m_nTrigLevel: trunc(2^16 / 2^r * percent * 0.005f), r the trigger channel's range exponent.
int TriggerLevel(int percent, int rangeExp);
// The rate the scope and the generator run at for a document rate: 44100 and 96000 Hz stay,
// anything else gives 48000 Hz.
int SupportedRate(int rate);
// "Fs=44.1kHz", "Fs=48kHz", "Fs=96kHz".
std::string RateButtonText(int rate);
// The next rate of the "Fs" button: 44100 -> 48000 -> 96000 -> 44100.
int NextRate(int rate);
} // namespace scope
