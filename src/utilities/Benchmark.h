#pragma once

#include "sound/engine/PriorityBoost.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CKymoDoc;
class Dft;
struct DftPlan;

// The last times of the four kernels, ms. The fast convolution is never measured.
struct BenchTimes {
    static constexpr double kNotMeasured = 999.999;
    double dft = kNotMeasured;
    double fft = kNotMeasured;
    double conv = kNotMeasured;
    double fastConv = kNotMeasured;
};

enum class BenchVerdict { Welcome, Excellent, Good, PcShop };

// "ベンチマークテスト" without its widgets: every 150 ms tick times the document FFT and the
// chirp DFT of 8192 points and the direct-form FIR filter (1024 taps over 3424 stereo frames),
// and keeps a running score x = 1000 / (sum of the measured times) + 0.9 x whose tenth drives
// the needle. The unmeasured fast convolution shows 999.999 ms and is left out of the score, so
// the verdict rates the machine: t = v / 100 above 0.5 "Excellent!!", above 0.25 "Good!!",
// otherwise "Let's go to PC Shop! ASAP!".
//
// While running the thread's priority is raised with the engine's best-effort rule and put back
// by Stop() and on destruction. Runs on the user-interface thread.
class CBenchmark {
public:
    static constexpr int kTimerMs = 150;
    static constexpr int kLog2 = 13;
    static constexpr int kPoints = 1 << kLog2;
    static constexpr int kTaps = 1024;
    static constexpr int kFrames = 3424; // 13696 bytes of 16-bit stereo
    static constexpr int kOutputs = kFrames - kTaps;

    explicit CBenchmark(CKymoDoc& doc);
    virtual ~CBenchmark();
    CBenchmark(const CBenchmark&) = delete;
    CBenchmark& operator=(const CBenchmark&) = delete;

    // "開始": raises the priority, fills the twiddle tables for 8192 points and the buffers.
    void Start();
    // One timer tick while running: times the kernels and scores them. False when the DFT could
    // not be set up: the run stops first and "DFTのInitで失敗" is shown once.
    bool Tick();
    // The scoring step of a tick with the given times.
    void Score(const BenchTimes& times);
    // Called when a tick stops the run, before its message (the dialog stops its timer).
    std::function<void()> onStopped;
    // "終了": priority back, the document's twiddle tables back for its N, buffers released.
    void Stop();

    bool IsRunning() const { return m_bRunning; }
    bool HasStarted() const { return m_bStarted; }
    const BenchTimes& Times() const { return m_times; }
    double ScoreValue() const { return m_fScore; }
    double Needle() const { return 0.1 * m_fScore; }
    // Angle of the needle in degrees (mathematical sense): -30 - 3 v, the needle stopping at
    // the end of its scale (v = 100).
    double NeedleAngle() const;
    BenchVerdict Verdict() const;
    static const char* VerdictText(BenchVerdict v);

    // The panel's lines: label and time of each kernel, as shown.
    std::vector<std::pair<std::string, std::string>> TimeLines() const;
    static const char* const kLegend[4];

protected:
    // Sets up the DFT plan of a tick: 0 on success (Dft::Init's codes).
    virtual int InitDft(Dft& dft, DftPlan& plan);

private:
    CKymoDoc& m_doc;
    CPriorityBoost m_boost;
    BenchTimes m_times;
    double m_fScore = 0.0;
    bool m_bRunning = false;
    bool m_bStarted = false;
    std::vector<float> m_re, m_im;
    std::vector<std::uint8_t> m_samples, m_filtered;
    std::vector<double> m_coef;
};
