#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "filters/BiquadDesign.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"
#include "filters/PcmFilters.h"
#include "realtime/CascadeIirTool.h"
#include "realtime/CoefFirTool.h"
#include "realtime/CoefIirTool.h"
#include "realtime/CutSliders.h"
#include "realtime/RtBiquadTool.h"
#include "realtime/RtKaiserTool.h"
#include "realtime/RtMessages.h"
#include "realtime/RtWindowFirTool.h"
#include "sound/RealtimeCodes.h"
#include "sound/devices/VirtualSoundCard.h"
#include "support/RtRecording.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Rig {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    explicit Rig(const std::string& dut = "in1=src;in2=src;src=noise:4000:3;dut2=gain:0.5") {
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
        std::string error;
        card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
    }
};

FirWindowSettings LowPass(int taps) {
    FirWindowSettings s;
    s.shape = 0;
    s.taps = taps;
    s.cutLow = 4000.0f;
    return s;
}

} // namespace

// 15 ms at 44.1 kHz is 661 frames, fewer than the 2048 points of the monitor: the hand-over
// copies the 661 processed frames and zeroes the rest of the record.
TEST(RtFilterTool, ShortBuffersFillPartOfTheMonitorRecord) {
    Rig rig;
    rig.doc.m_nBufferSize = 2;
    rig.doc.m_nDrawSpeed = 0; // every buffer with index 1 mod 8
    ASSERT_EQ(rig.doc.m_nPoints, 2048);
    CRtWindowFirTool tool(rig.doc, *rig.card);
    tool.SetRateIndex(0);
    tool.SetSettings(LowPass(31));
    std::fill(rig.doc.m_fWave1.begin(), rig.doc.m_fWave1.end(), 99.0f);
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 2));
    ASSERT_GE(tool.Engine().HandedOver(), 1);
    EXPECT_EQ(rig.doc.disp_mode1, kind::RtFilterRunning);
    const long long last = (rec.Buffers() - 2) / 8 * 8 + 1; // the last buffer of index 1
    const long long from = rec.bufferEnds[last - 1];
    ASSERT_EQ(rec.bufferEnds[last] - from, 661);
    for (int i = 0; i < 661; ++i) {
        ASSERT_EQ(rig.doc.m_fWave1[i], rec.output[(from + i) * 2]) << i;
        ASSERT_EQ(rig.doc.m_fWave2[i], rec.output[(from + i) * 2 + 1]) << i;
    }
    for (int i = 661; i < 2048; ++i) ASSERT_EQ(rig.doc.m_fWave1[i], 0.0f) << i;
    EXPECT_EQ(rig.doc.m_fWave1[2048], 99.0f);
    for (int i = 0; i < 1024; ++i) ASSERT_TRUE(std::isfinite(rig.doc.m_fRe[i]));
    tool.Close();
    EXPECT_EQ(rig.doc.disp_mode1, kind::RtFilterClosed);
    EXPECT_EQ(rig.doc.disp_mode3, chan::Both);
    EXPECT_EQ(rig.doc.m_nMeasRate, 4);
    EXPECT_FALSE(rig.doc.HasWave());
    EXPECT_TRUE(rig.ui.MessageTexts().empty());
}

// The monitor hand-over runs on the buffers whose index i (0 ... 7) has
// i mod 2^(1 + buffer setting + drawing speed) = 1: every second, fourth or eighth buffer.
TEST(RtFilterTool, HandOverFollowsTheBufferAndDrawingSpeedSettings) {
    struct Case {
        int bufferSize, drawSpeed, every;
    };
    const Case cases[] = {{0, 0, 2}, {1, 0, 4}, {0, 1, 4}, {2, 0, 8},
                          {1, 1, 8}, {0, 2, 8}, {2, 2, 8}};
    for (const Case& c : cases) {
        Rig rig;
        rig.doc.m_nBufferSize = c.bufferSize;
        rig.doc.m_nDrawSpeed = c.drawSpeed;
        CRtWindowFirTool tool(rig.doc, *rig.card);
        tool.SetSettings(LowPass(31));
        RtRecording rec;
        rec.Attach(tool.Engine());
        ASSERT_TRUE(tool.OnStart());
        ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 32));
        tool.Close();
        long long due = 0;
        for (long long b = 0; b < rec.Buffers(); ++b) due += (b % 8) % c.every == 1 ? 1 : 0;
        EXPECT_EQ(tool.Engine().HandedOver(), due)
            << "buffer setting " << c.bufferSize << ", drawing speed " << c.drawSpeed;
        EXPECT_EQ(rig.doc.m_nRealUpdates, due);
    }
}

// Code 2 (and 21 for the linear monitor) transforms the windowed records of both channels and
// smooths the magnitudes with the weight b of the smoothing setting: after k equal records the
// display is |X| (1 - b^k), X the forward transform scaled by 1/N (here a direct DFT).
TEST(RtFilterTool, MonitorSpectrumIsSmoothedWithTheSettingsWeight) {
    const struct {
        int smoothing;
        double b;
    } cases[] = {{0, 0.97}, {1, 0.92}, {2, 0.9}};
    for (const auto& c : cases) {
        CScriptedUi ui;
        CKymoDoc doc(ui);
        doc.SetPow(0);
        const int n = doc.m_nPoints;
        ASSERT_EQ(n, 128);
        doc.MakeWindow(0, 0, wnd::Kaiser, n);
        doc.RebuildTwiddleTables();
        doc.ClearAccumulators();
        doc.m_nSmoothing = c.smoothing;
        const double pi = std::acos(-1.0);
        for (int i = 0; i < n; ++i) {
            doc.m_fWave1[i] = static_cast<float>(300.0 + 1000.0 * std::cos(2.0 * pi * 5 * i / n));
            doc.m_fWave2[i] = static_cast<float>(500.0 * std::sin(2.0 * pi * 12 * i / n));
        }
        const int steps = 3;
        for (int s = 0; s < steps; ++s) {
            doc.m_bRealBusy = 1;
            doc.ProcessRealtime(s == steps - 1 ? realtime::kLinearMonitor
                                               : realtime::kFilterSpectrum);
        }
        EXPECT_EQ(doc.disp_mode1, kind::RadioRunning);
        const double scale = 1.0 - std::pow(c.b, steps);
        for (int k = 0; k < n; ++k) {
            std::complex<double> x1, x2;
            for (int i = 0; i < n; ++i) {
                const std::complex<double> e = std::polar(1.0 / n, -2.0 * pi * i * k / n);
                x1 += e * static_cast<double>(doc.m_fWave1[i] * doc.m_fWindow[i]);
                x2 += e * static_cast<double>(doc.m_fWave2[i] * doc.m_fWindow[i]);
            }
            ASSERT_NEAR(doc.m_fRe[k], std::abs(x1) * scale, 0.02) << c.smoothing << " bin " << k;
            ASSERT_NEAR(doc.m_fOpRe[k], std::abs(x2) * scale, 0.02) << c.smoothing << " bin " << k;
            ASSERT_EQ(doc.m_fIm[k], 0.0f);
        }
        doc.ProcessRealtime(realtime::kFilterSpectrum);
        EXPECT_EQ(doc.disp_mode1, kind::RtFilterRunning);
    }
}

TEST(RtFilterTool, ClosingWithoutSoundSaysSoAndClearsTheDisplay) {
    Rig rig;
    rig.doc.disp_mode1 = kind::Wave;
    CRtWindowFirTool tool(rig.doc, *rig.card);
    EXPECT_FALSE(tool.OnDisplay(rtdisplay::Design));
    EXPECT_EQ(tool.Display(), rtdisplay::Monitor);
    EXPECT_EQ(tool.OnSave(), 0);
    tool.Close();
    tool.Close();
    EXPECT_EQ(
        rig.ui.MessageTexts(),
        (std::vector<std::string>{rtmsg::kStartFirst, rtmsg::kNoCoefficients, rtmsg::kNoDsp}));
    EXPECT_EQ(rig.doc.disp_mode1, kind::None);
}

TEST(RtFilterTool, DesignDisplayShowsTheMagnitudeAndKeepsItsOwnLevels) {
    Rig rig;
    CRtWindowFirTool tool(rig.doc, *rig.card);
    tool.SetSettings(LowPass(101));
    ASSERT_TRUE(tool.OnStart());
    rig.doc.m_nTopLevel = 60;
    ASSERT_TRUE(tool.OnDisplay(rtdisplay::Design));
    EXPECT_EQ(rig.doc.disp_mode1, kind::RtFirDisplay);
    EXPECT_EQ(rig.doc.disp_mode2, present::FilterResponse);
    EXPECT_EQ(rig.doc.m_nTopLevel, 20); // the design pair
    EXPECT_NEAR(rig.doc.m_fRe[0], 1.0, 0.01);
    EXPECT_LT(rig.doc.m_fRe[1000], 0.01); // 1000/1024 of 24 kHz: stop band
    EXPECT_EQ(rig.doc.m_fRe[10], rig.doc.m_fOpRe[10]);
    // A redesign while the response is shown updates it.
    FirWindowSettings s = LowPass(101);
    s.cutLow = 12000.0f;
    tool.SetSettings(s);
    ASSERT_TRUE(tool.OnDesignChanged());
    EXPECT_NEAR(rig.doc.m_fRe[400], 1.0, 0.01);
    ASSERT_TRUE(tool.OnDisplay(rtdisplay::Monitor));
    EXPECT_EQ(rig.doc.m_nTopLevel, 60);
    tool.Close();
    EXPECT_EQ(rig.doc.m_RtPanel.designTop, 20);
    EXPECT_EQ(rig.doc.m_RtPanel.monitorTop, 60);
    EXPECT_EQ(rig.doc.m_fCutLow, 12000.0f);
}

// "Non" plays the input as it came, less the offsets; the generator replaces the input by the
// same noise on both channels.
TEST(RtFilterTool, ChannelModeNonAndTheSources) {
    Rig rig;
    rig.doc.m_fOffset16L = 1.0f;  // 327.68 counts
    rig.doc.m_fOffset16R = -0.5f; // -163.84 counts
    CRtWindowFirTool tool(rig.doc, *rig.card);
    tool.SetSettings(LowPass(41));
    tool.SetChannel(3);
    std::vector<std::int16_t> raw;
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 10));
    EXPECT_EQ(rec.output, rec.input);
    tool.SetSource(true);
    tool.SetLevel(6);
    const long long from = rec.Frames();
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 20));
    tool.Close();
    int largest = 0;
    for (long long f = from; f < rec.Frames(); ++f) {
        ASSERT_EQ(rec.input[f * 2], rec.input[f * 2 + 1]);
        largest = std::max(largest, std::abs(static_cast<int>(rec.input[f * 2])));
    }
    EXPECT_LE(largest, 16422); // 32768 * 10^(-0.3)
    EXPECT_GT(largest, 15000);
}

TEST(RtFilterTool, OffsetsAreSubtractedFromTheInput) {
    Rig rig("in1=src;in2=src;src=tone:100:0");
    rig.doc.m_fOffset16L = 1.0f;
    rig.doc.m_fOffset16R = -0.5f;
    CRtWindowFirTool tool(rig.doc, *rig.card);
    tool.SetSettings(LowPass(41));
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 2));
    tool.Close();
    EXPECT_EQ(rec.input[0], -327);
    EXPECT_EQ(rec.input[1], 163);
}

TEST(RtKaiserTool, MoreThan4096TapsDoNotStart) {
    Rig rig;
    CRtKaiserTool tool(rig.doc, *rig.card);
    KaiserSettings s = tool.Settings();
    s.shape = 0;
    s.cutLow = 2000.0f;
    s.transition = 20.0f;
    s.atten = 80.0f;
    tool.SetSettings(s);
    EXPECT_FALSE(tool.OnStart());
    ASSERT_EQ(rig.ui.MessageTexts().size(), 1u);
    EXPECT_EQ(rig.ui.MessageTexts()[0].rfind(
                  "最大ﾀｯﾌﾟ数は4096ですので遷移周波数を広くするか減衰量を小さくしてから", 0),
              0u);
    EXPECT_FALSE(tool.IsRunning());
    rig.ui.Clear();
    s.transition = 500.0f;
    s.atten = 40.0f;
    tool.SetSettings(s);
    ASSERT_TRUE(tool.OnStart());
    EXPECT_EQ(tool.Taps().size(), 215u);
    s.atten = 95.0f;
    tool.SetSettings(s);
    EXPECT_FALSE(tool.OnDesignChanged());
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kKaiserAtten});
    EXPECT_EQ(tool.Taps().size(), 215u); // the running design stays
    EXPECT_TRUE(tool.IsRunning());
    tool.Close();
}

// A peaking section with 0 dB is the identity: the tool plays its input unchanged.
TEST(RtBiquadTool, PeakingWithZeroGainPassesTheInput) {
    Rig rig;
    rig.doc.m_nRtBiquadType = biquadtype::Peaking;
    rig.doc.m_fIirGain = 0.0f;
    CRtBiquadTool tool(rig.doc, *rig.card);
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 10));
    tool.Close();
    EXPECT_EQ(rec.output, rec.input);
}

TEST(RtBiquadTool, ChecksAndTheDesignDisplay) {
    Rig rig;
    CRtBiquadTool tool(rig.doc, *rig.card);
    tool.SetGainDb(21.0f);
    EXPECT_FALSE(tool.OnStart());
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kBiquadGainRange});
    EXPECT_EQ(tool.FailedField(), CRtBiquadTool::Field::Gain);
    rig.ui.Clear();
    tool.SetGainDb(6.0f);
    tool.SetFrequency(25000.0f);
    EXPECT_FALSE(tool.OnStart());
    EXPECT_EQ(
        rig.ui.MessageTexts(),
        std::vector<std::string>{"ｶｯﾄｵﾌ周波数を低くして下さい。...標本化定理を満たしていません"});
    tool.SetFrequency(1000.0f);
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(tool.OnDisplay(rtdisplay::Design));
    EXPECT_EQ(rig.doc.disp_mode1, kind::FilterDesign);
    tool.OnGainSlider(40);
    EXPECT_EQ(tool.GainDb(), 20.0f);
    EXPECT_EQ(tool.GainSliderPosition(), 40);
    tool.Close();
    EXPECT_EQ(rig.doc.disp_mode1, kind::Transfer);
    EXPECT_EQ(rig.doc.m_fIirGain, 20.0f);
}

// Slider positions of typed-in values that are off the scale, NaN or infinite stay on the scale
// (the biquad gain slider 0 ... 40, the log-frequency sliders 0 ... 60), and a frequency of a
// position far beyond the scale saturates instead of overflowing the integer.
TEST(RtSliders, PositionsOfValuesOffTheScaleStayOnIt) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        int gainPosition, cutPosition;
    };
    const Case cases[] = {{6.0, 26, 0},  {-25.0, 0, 0}, {1.0e30, 40, 60}, {-1.0e30, 0, 0},
                          {inf, 40, 60}, {-inf, 0, 0},  {nan, 0, 0},      {1000.0, 40, 34}};
    Rig rig;
    CRtBiquadTool tool(rig.doc, *rig.card);
    for (const Case& c : cases) {
        tool.SetGainDb(static_cast<float>(c.value));
        EXPECT_EQ(tool.GainSliderPosition(), c.gainPosition) << c.value;
        EXPECT_EQ(CutSliderPosition(c.value), c.cutPosition) << c.value;
    }
    EXPECT_EQ(CutSliderFrequency(60), 20469);
    EXPECT_EQ(CutSliderFrequency(1000), std::numeric_limits<std::int32_t>::max());
}

// Design responses of N = 4096 points: every entry is written, the upper half the conjugate
// mirror of the lower.
TEST(CascadeIirTool, ResponsesFillTheWholeDisplayLength) {
    Rig rig;
    rig.doc.SetPow(5);
    ASSERT_EQ(rig.doc.m_nPoints, 4096);
    CCascadeIirTool tool(rig.doc, *rig.card);
    std::fill(rig.doc.m_fRe.begin(), rig.doc.m_fRe.end(), 7.0f);
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(tool.OnDisplay(stagedisplay::Cumulative));
    EXPECT_EQ(rig.doc.disp_mode1, kind::FilterStages);
    EXPECT_EQ(rig.doc.m_nStageCount, 4);
    EXPECT_EQ(rig.doc.m_bStageCumulative, 1);
    for (int j = 0; j < 2048; ++j) {
        ASSERT_EQ(rig.doc.m_fRe[4095 - j], rig.doc.m_fRe[j]) << j;
        ASSERT_EQ(rig.doc.m_fIm[4095 - j], -rig.doc.m_fIm[j]) << j;
    }
    EXPECT_EQ(rig.doc.m_fRe[4096], 7.0f);
    EXPECT_NEAR(std::hypot(rig.doc.m_fRe[0], rig.doc.m_fIm[0]), std::pow(10.0, -0.05), 1e-4);
    tool.Close();
    EXPECT_EQ(rig.doc.disp_mode1, kind::Transfer);
}

TEST(CascadeIirTool, SlowMachineRuleStopsTheSoundOnTheStageSpin) {
    Rig rig;
    rig.doc.m_nFilterShape = 2;
    rig.doc.m_nIirOrder = 10;
    rig.doc.m_fCutLow = 500.0f;
    rig.doc.m_fCutHigh = 5000.0f;
    CCascadeIirTool tool(rig.doc, *rig.card);
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(tool.OnDisplay(stagedisplay::Single));
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(tool.OnStageSpin(1));
    ASSERT_EQ(tool.Stage(), 9);
    ASSERT_TRUE(tool.OnDisplay(stagedisplay::Cumulative));
    ASSERT_TRUE(tool.IsRunning());
    rig.ui.Clear();
    tool.OnStageSpin(1);
    EXPECT_FALSE(tool.IsRunning());
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kSlowStopSpin});
    EXPECT_EQ(tool.Stage(), 10);
    EXPECT_EQ(rig.doc.m_nStageShown, 10);
    // Back to a pass shape: stage 1 again.
    tool.SetShape(0);
    EXPECT_EQ(tool.Stage(), 1);
    tool.Close();
}

// The IIR file's sections run as read; the property text shows an unknown cut-off.
TEST(CoefIirTool, RunsTheFileAndDescribesIt) {
    Rig rig;
    TempDir dir;
    BiquadTable iir, none;
    float den[3], num[3];
    BiquadDesign(biquadtype::Peaking, 48000, 1000.0f, 0.0f, den, num);
    StoreBiquadSection(den, num, iir);
    rig.ui.fileAnswers.push_back(dir.Path("peak.csv"));
    ASSERT_EQ(CoefFile(rig.ui).WriteIir(0, 0, biquadtype::Peaking, 2, 0.0, 0.0, iir, none, none,
                                        CrTable{}),
              1);
    rig.ui.Clear();
    CCoefIirTool tool(rig.doc, *rig.card);
    EXPECT_EQ(tool.PropertyText(), "\r\nPlease Read your favorite File!\r\n");
    EXPECT_FALSE(tool.OnStart());
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kNoFileRead});
    ASSERT_EQ(tool.OnRead(dir.Path("peak.csv")), 1);
    EXPECT_EQ(tool.PropertyText(),
              "File name:       " + tool.Header().fileName +
                  "\r\nFilter type:      Easy_IIR\r\nFilter shape:    Peaking\r\nOrder of "
                  "Filter: 2\r\nCutOff(1):        Unknown\r\nCutOff(2):        ---\r\n");
    RtRecording rec;
    rec.Attach(tool.Engine());
    ASSERT_TRUE(tool.OnStart());
    ASSERT_TRUE(DriveBuffers(tool.Engine(), rec, 100));
    tool.Close();
    // What was played is the cascade of the sections as read, over the whole input.
    CoefFileHeader header;
    BiquadTable read;
    ASSERT_EQ(CoefFile(rig.ui).ReadIirFile(dir.Path("peak.csv"), header, read), 1);
    const auto in = StereoBytes(rec.input.data(), rec.Frames());
    std::vector<std::uint8_t> out(in.size());
    CascadeState s1, s2;
    CascadeFilterPcm(chmode::Both, 1.0, static_cast<int>(in.size()), 4, pcm::Stereo16, header.count,
                     read, s1, s2, 0, in.data(), out.data());
    EXPECT_EQ(rec.output, StereoSamples(out));
}

// An IIR file given to the FIR tool gives no taps; an FIR file is formed into working taps.
TEST(CoefFirTool, ReadsFirFilesOnly) {
    Rig rig;
    TempDir dir;
    BiquadTable iir, none;
    iir.a0[0] = iir.b0[0] = 1.0;
    rig.ui.fileAnswers.push_back(dir.Path("iir.csv"));
    ASSERT_EQ(CoefFile(rig.ui).WriteIir(0, 0, 0, 2, 0.0, 0.0, iir, none, none, CrTable{}), 1);
    const std::vector<double> taps = {0.1, 0.2, 0.4, 0.2, 0.1};
    rig.ui.fileAnswers.push_back(dir.Path("fir.csv"));
    ASSERT_EQ(CoefFile(rig.ui).WriteFir("Empty", "Win_Hann", "LPF", 1000.0, 0.0, 5, taps.data()),
              1);
    rig.ui.Clear();
    CCoefFirTool tool(rig.doc, *rig.card);
    EXPECT_EQ(tool.OnRead(dir.Path("iir.csv")), 0);
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kIirFileGiven});
    EXPECT_FALSE(tool.FileRead());
    ASSERT_EQ(tool.OnRead(dir.Path("fir.csv")), 1);
    ASSERT_EQ(tool.Taps().size(), 5u);
    for (int k = 0; k < 5; ++k) EXPECT_NEAR(tool.Taps()[k], taps[k], 1e-6) << k;
    EXPECT_EQ(tool.PropertyText().find("Num. of Taps:  5\r\nFilter type:      Win_Hann"),
              tool.PropertyText().find("Num. of Taps:"));
    EXPECT_NE(tool.PropertyText().find("CutOff(1):        1000.00Hz\r\nCutOff(2):        ---"),
              std::string::npos);
    // The inverse of a filter whose spectrum has no zero, times the filter, is an impulse.
    CCoefFirTool::Options o;
    o.inverse = true;
    tool.SetOptions(o);
    ASSERT_TRUE(tool.OnStart());
    const std::vector<double>& inv = tool.Taps();
    ASSERT_EQ(inv.size(), 5u);
    for (int n = 0; n < 5; ++n) {
        double circular = 0.0;
        for (int k = 0; k < 5; ++k) circular += taps[k] * inv[(n - k + 5) % 5];
        EXPECT_NEAR(circular, n == 0 ? 1.0 : 0.0, 1e-4) << n;
    }
    tool.Close();
}

// A band design that no lower cut-off reaches (an elliptic band-pass up to half the rate): the
// slider's retries stop at position 0 with one message, and the running design and cut-offs stay.
TEST(CascadeIirTool, SliderRetriesStopAtTheBottom) {
    Rig rig;
    rig.doc.m_nFilterShape = 2;
    rig.doc.m_nCascadeKind = 3;
    rig.doc.m_nIirOrder = 3;
    rig.doc.m_fCutLow = 1000.0f;
    rig.doc.m_fCutHigh = 23000.0f;
    CCascadeIirTool tool(rig.doc, *rig.card);
    ASSERT_TRUE(tool.OnStart()) << ::testing::PrintToString(rig.ui.MessageTexts());
    const BiquadTable running = tool.Design().Iir();
    CascadeParams p = tool.Params();
    p.cutHigh = 24000.0; // at fs/2 the poles would sit on z = -1: refused as too high
    tool.SetParams(p);
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{fmsg::kCutTooHigh});
    rig.ui.Clear();
    tool.OnCutSlider(1, 30);
    EXPECT_EQ(rig.ui.MessageTexts(), std::vector<std::string>{rtmsg::kSliderNoDesign});
    EXPECT_EQ(tool.Params().cutLow, 1000.0);
    EXPECT_EQ(tool.Params().cutHigh, 24000.0);
    EXPECT_EQ(tool.Design().Iir().b0[0], running.b0[0]);
    EXPECT_EQ(tool.Design().Iir().a1[2], running.a1[2]);
    EXPECT_TRUE(tool.IsRunning());
    tool.Close();
}
