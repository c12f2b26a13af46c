#pragma once

// Request codes of CKymoDoc::ProcessRealtime.
namespace realtime {
constexpr int kSpectrum = 1;             // spectrum analyzer, correlation meter
constexpr int kFilterSpectrum = 2;       // real-time filter tools, software radio
constexpr int kSpectrum3d = 3;           // 3D spectrum
constexpr int kDesignResponse = 4;       // FIR, LMS and free-form tools
constexpr int kServo = 5;                // servo analyzer
constexpr int kAudioSpectrum = 6;        // audio measurement
constexpr int kAudioGraph = 7;           // audio measurement result buttons
constexpr int kTubeCurves = 8;           // virtual tube amplifier
constexpr int kTubeScope = 9;            // virtual tube amplifier
constexpr int kIirImpulse = 10;          // IIR tools, software radio
constexpr int kIirStages = 11;           // cascade and coefficient-file IIR tools, software radio
constexpr int kLinearMonitor = 21;       // IIR tools' linear monitor, software radio (kind 192)
constexpr int kRadioWaterfall = 22;      // software radio (kind 194)
constexpr int kRadioWaterfallReset = 23; // software radio (kind 196)
constexpr int kRadioLinearStored = 24;   // software radio (kind 195)
} // namespace realtime
