#pragma once

// Fixed capacities of the document's buffers: the limits of the whole system.
namespace limits {
constexpr int kMinPow = 0;
constexpr int kMaxPow = 8;
constexpr int kComplexCapacity = 32768; // N at most: 2^(kMaxPow + 7)
constexpr int kWaveCapacity = 96000;    // time signals: 2 s at 48 kHz
constexpr int kTwiddleCapacity = 16384; // N/2
constexpr int kCoefCapacity = 32768;    // filter coefficient buffer
constexpr int kHistoryLines = 100;
constexpr int kHistoryLineBytes = 256;
constexpr int kWaveHeaderSize = 56; // header of every image the system builds
constexpr int kHistoryRows3D = 400; // rows of the 3D spectrum's histories
} // namespace limits

// N for a sample-count index 0..8.
constexpr int PointsForPow(int pow) {
    return 1 << (pow + 7);
}
