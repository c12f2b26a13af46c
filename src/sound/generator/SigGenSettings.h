#pragma once

// The signal generator's settings, kept in the document between runs: five sources (three
// sines, the square wave "Rect", the noise "Rand"), each with an on switch and two setting pairs
// of frequency and level; the channel button chooses which pair drives ch1 (the other drives
// ch2). In mono every ch2 value is a copy of ch1's.
namespace siggen {
constexpr int kSine1 = 0, kSine2 = 1, kSine3 = 2;
constexpr int kSquare = 3;
constexpr int kNoise = 4;
constexpr int kSources = 5;
constexpr int kSines = 3;

constexpr int kMinLevel = -96;       // dB
constexpr int kMaxSquareFreq = 2000; // Hz
constexpr int kMinSeconds = 1, kMaxSeconds = 1000;
} // namespace siggen

struct SigGenSource {
    int on = 0;
    int swapped = 0;            // 1: the second pair drives ch1
    int freq[2] = {1000, 1000}; // Hz, integer (not used by the noise)
    int level[2] = {-20, -20};  // dB, 0 .. -96

    // The pair that drives channel 0 (ch1) or 1 (ch2).
    int Pair(int channel) const { return swapped ? 1 - channel : channel; }
    int Freq(int channel) const { return freq[Pair(channel)]; }
    int Level(int channel) const { return level[Pair(channel)]; }
};

struct SigGenSettings {
    SigGenSource source[siggen::kSources] = {
        {1, 0, {1000, 1000}, {-20, -20}}, {0, 0, {2000, 2000}, {-20, -20}},
        {0, 0, {3000, 3000}, {-20, -20}}, {0, 0, {500, 500}, {-20, -20}},
        {0, 0, {0, 0}, {-40, -40}},
    };
    int stereo = 1;    // 0: mono, ch2 copies ch1
    int widthCode = 1; // 1 16-bit, 2 24 valid bits in 32-bit containers, 3 32-bit
    int rate = 48000;  // 44100, 48000 or 96000 Hz
    int recordSeconds = 10;

    // Mono: every ch2 value becomes ch1's.
    void CopyCh1ToCh2();
};
