#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeResponse.h"
#include "filters/FilterLimits.h"
#include "filters/FilterMessages.h"
#include "realtime/RadioMessages.h"
#include "realtime/RadioSettingsFile.h"
#include "realtime/RadioTool.h"
#include "sound/devices/VirtualSoundCard.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <fstream>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct Rig {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    std::unique_ptr<CVirtualSoundCard> card;
    explicit Rig(const std::string& dut = "in1=src;in2=src;src=tone:700:3000") {
        doc.SetUpdateListener([this] { doc.m_bRealBusy = 0; });
        std::string error;
        card = CVirtualSoundCard::Create(dut, VirtualClock::Fast, error);
        EXPECT_TRUE(card) << error;
    }
    bool Saw(const std::string& text) const {
        for (const auto& m : ui.messages)
            if (m.text == text) return true;
        return false;
    }
};

// Plays `seconds` through the radio and returns the left channel of what it played.
std::vector<double> PlayLeft(CRadioTool& tool, double seconds) {
    std::vector<double> left;
    bool odd = false;
    tool.Engine().SetPlayTap([&](const std::uint8_t* data, std::size_t bytes) {
        for (std::size_t i = 0; i + 1 < bytes; i += 2, odd = !odd)
            if (!odd) left.push_back(static_cast<std::int16_t>(data[i] | (data[i + 1] << 8)));
    });
    EXPECT_TRUE(tool.OnStart());
    while (left.size() < seconds * tool.Rate() && tool.IsRunning())
        if (!tool.Engine().RunOnce(std::chrono::seconds(5))) break;
    return left;
}

// Amplitude of the component at f over the last `n` samples (n f / fs whole periods).
double Amplitude(const std::vector<double>& x, double f, double fs, std::size_t n) {
    std::complex<double> sum = 0.0;
    const std::size_t from = x.size() - n;
    for (std::size_t i = 0; i < n; ++i)
        sum += x[from + i] * std::polar(1.0, -2.0 * std::numbers::pi * f * i / fs);
    return 2.0 * std::abs(sum) / n;
}

double Rms(const std::vector<double>& x, std::size_t n) {
    double s = 0.0;
    for (std::size_t i = x.size() - n; i < x.size(); ++i) s += x[i] * x[i];
    return std::sqrt(s / n);
}

RadioPanel Tone(double f, int db) {
    RadioPanel p;
    p.generator = true;
    p.sineOn = true;
    p.noiseOn = false;
    p.sineFreq = f;
    p.sineDb = db;
    p.display = radiodisplay::LogAf;
    return p;
}

} // namespace

// AM of a 1 kHz tone on a 12 kHz carrier: the carrier at G1 * 32767 and each sideband at
// G1 * Go * A / 2 (A the tone's amplitude), each times the designed filters' gains there.
TEST(Radio, AmOfAToneGivesTheCarrierAndTwoSidebands) {
    Rig rig;
    CRadioTool tool(rig.doc, *rig.card);
    tool.SetFlags(true, false);
    tool.SetMode(0);
    ASSERT_EQ(tool.ModeNames()[0], "AM変調");
    RadioSettings s = tool.Settings();
    s.m_filter = shape::LowPass;
    s.m_filter2 = kCascadeButterworth;
    s.m_cutlow = 8000.0f;
    s.m_tapbuf = 8;
    s.m_cfilter = shape::BandPass;
    s.m_cfilter2 = kCascadeButterworth;
    s.m_ccutlow = 2000.0f;
    s.m_ccuthigh = 22000.0f;
    s.m_ctapbuf = 2;
    s.m_iffreq = 12000;
    tool.SetSettings(s);
    tool.SetPanel(Tone(1000.0, -6));
    const auto y = PlayLeft(tool, 1.0);
    const CRadioModem& modem = tool.Engine().Modem();
    // |H| of filter `f` at a multiple of 1 kHz (bin j of a 48-point grid at 48 kHz).
    const auto gain = [&](int f, int kHz) {
        std::complex<double> h = 1.0;
        for (int k = 0; k < (modem.Order(f) + 1) / 2; ++k)
            h *= StageBinResponse(modem.Table(f), k, false, 48000.0, 48, kHz);
        return std::abs(h);
    };
    const double a = std::pow(10.0, -6.0 / 20.0) * 32768.0 * gain(0, 1);
    const double carrier = 0.5 * 32767.0 * gain(1, 12);
    const double lower = 0.5 * a / 2.0 * gain(1, 11), upper = 0.5 * a / 2.0 * gain(1, 13);
    EXPECT_GT(gain(1, 12), 0.8);
    const std::size_t n = 4800;
    EXPECT_NEAR(Amplitude(y, 12000.0, 48000.0, n), carrier, 0.005 * carrier);
    EXPECT_NEAR(Amplitude(y, 11000.0, 48000.0, n), lower, 0.01 * lower);
    EXPECT_NEAR(Amplitude(y, 13000.0, 48000.0, n), upper, 0.01 * upper);
    EXPECT_LT(Amplitude(y, 1000.0, 48000.0, n), 50.0);
    tool.Close();
}

// Single sideband: the phasing transmitter puts a 1 kHz tone only on its side of the
// suppressed carrier (upper: 13500 - 1500 Hz, lower: 13500 + 1500 Hz); the loop modes bring the
// tone back.
TEST(Radio, SingleSidebandAndItsRoundTrip) {
    struct Case {
        bool trm, rcv;
        int mode;
        double want, image;
    };
    const Case cases[] = {
        {true, false, 5, 13000.0, 11000.0}, // "IF_USB変調"
        {true, false, 4, 14000.0, 16000.0}, // "IF_LSB変調": below 13500 + 1500 Hz
        {true, true, 2, 1000.0, 2000.0},    // "USB変復調"
        {true, true, 1, 1000.0, 2000.0},    // "LSB変復調"
    };
    for (const Case& c : cases) {
        Rig rig;
        CRadioTool tool(rig.doc, *rig.card);
        tool.SetFlags(c.trm, c.rcv);
        tool.SetMode(c.mode);
        tool.OnDefault();
        tool.SetPanel(Tone(1000.0, -6));
        const auto y = PlayLeft(tool, 1.5);
        const std::size_t n = 9600;
        const double rms = Rms(y, n);
        const double tone = Amplitude(y, c.want, 48000.0, n);
        SCOPED_TRACE(tool.ModeNames()[c.mode]);
        EXPECT_GT(rms, 100.0);
        // Nearly all of the output is the one tone.
        EXPECT_GT(tone / std::sqrt(2.0), 0.95 * rms);
        EXPECT_LT(Amplitude(y, c.image, 48000.0, n), 0.03 * tone);
        tool.Close();
    }
}

// With both flags off the list holds only "ｽﾙｰﾓｰﾄﾞ", the source is the input, and the input is
// played unchanged.
TEST(Radio, ThroughModePlaysTheInput) {
    Rig rig("in1=src;in2=src;src=tone:700:3000;latency=0");
    CRadioTool tool(rig.doc, *rig.card);
    tool.SetFlags(false, false);
    EXPECT_EQ(tool.ModeNames(), std::vector<std::string>{"ｽﾙｰﾓｰﾄﾞ"});
    EXPECT_FALSE(tool.Panel().generator);
    RadioPanel p = tool.Panel();
    p.display = radiodisplay::LogAf;
    tool.SetPanel(p);
    const auto y = PlayLeft(tool, 0.5);
    EXPECT_NEAR(Amplitude(y, 700.0, 48000.0, 4800), 3000.0, 2.0);
    tool.Close();
}

// The checks before "開始", each with its message; a local oscillator of -rate/2 is accepted.
TEST(Radio, StartChecks) {
    struct Case {
        const char* what;
        void (*change)(RadioSettings&);
        std::string message;
    };
    const Case cases[] = {
        {"ok", [](RadioSettings&) {}, ""},
        {"cut 0", [](RadioSettings& s) { s.m_cutlow = 0.0f; }, fmsg::kAboveZero},
        {"cut above", [](RadioSettings& s) { s.m_cuthigh = 24001.0f; }, fmsg::kCutTooHigh},
        {"band order",
         [](RadioSettings& s) {
             s.m_cutlow = 3000.0f;
             s.m_cuthigh = 2000.0f;
         },
         fmsg::kLowBelowHigh},
        {"order 31 band", [](RadioSettings& s) { s.m_tapbuf = 31; },
         "IIR次数は2～30までとして下さい。"},
        {"order 30 band", [](RadioSettings& s) { s.m_tapbuf = 30; }, ""},
        {"order 61", [](RadioSettings& s) { s.m_ctapbuf = 61; },
         "搬送波用IIR次数は2～60までとして下さい。"},
        {"order 1", [](RadioSettings& s) { s.m_ctapbuf = 1; },
         "搬送波用IIR次数は2～60までとして下さい。"},
        {"ripple", [](RadioSettings& s) { s.m_creject = 0.05f; }, radiomsg::kRippleLevel},
        {"lo1 low ok", [](RadioSettings& s) { s.m_iffreq = -24000; }, ""},
        {"lo1 low", [](RadioSettings& s) { s.m_iffreq = -24001; },
         "局発①は-24000Hz以上～24000Hz以下として下さい。"},
        {"lo2 high", [](RadioSettings& s) { s.m_iffreq2 = 24001; },
         "局発②は0Hz以上～24000Hz以下として下さい。"},
    };
    for (const Case& c : cases) {
        RadioSettings s; // receive "DSB復調" with its defaults
        s.TrmFlg = 0;
        s.RcvFlg = 1;
        s.m_mod = 1;
        LoadRadioDefaults(s);
        c.change(s);
        EXPECT_EQ(CheckRadioSettings(s, 48000), c.message) << c.what;
    }
}

// The settings file: what is written reads back; every refusal has its message and leaves the
// settings as they were.
TEST(Radio, SettingsFileAndItsRefusals) {
    TempDir dir;
    CScriptedUi ui;
    RadioSettings s;
    s.TrmFlg = 1;
    s.RcvFlg = 0;
    s.m_mod = 6;
    LoadRadioDefaults(s);
    s.IQ_BalSpin = -7;
    s.m_iffreq = -3000;
    ASSERT_EQ(WriteRadioSettings(dir.Path("r.csv"), s, ui), 1);
    const std::string text = RadioSettingsText(s);
    EXPECT_NE(text.find("TrmFlg:,1,RcvFlg:,0,m_mod:,6,\r\n"), std::string::npos);
    EXPECT_NE(text.find("m_VolLevel:,-6,m_VolGain:,0.500000,\r\n"), std::string::npos);
    RadioSettings r;
    ASSERT_EQ(ReadRadioSettings(dir.Path("r.csv"), r, ui), 1);
    EXPECT_EQ(RadioSettingsText(r), text);

    const std::string head = "BEGIN_ALL,\r\nコメント,\r\nBEGIN_RADIO,\r\n";
    const std::string tail = "END_RADIO,\r\nEND_ALL,\r\n";
    struct Case {
        const char* what;
        std::string body;
        std::string message;
    };
    std::string many;
    for (int i = 0; i < 21; ++i) many += "IQ_BalSpin:,1,\r\n";
    const Case cases[] = {
        {"good",
         head + "TrmFlg:,0,RcvFlg:,1,m_mod:,3,\r\nm_iffreq:,-100,m_iffreq2:,200,\r\n" + tail, ""},
        {"first line", "BEGIN_RADIO,\r\n" + tail, radiomsg::kBadFormat},
        {"21 lines", head + many, radiomsg::kTooManyLines},
        {"no end", head + "IQ_BalSpin:,1,\r\n", radiomsg::kBadFormat},
        {"unknown key", head + "m_volume:,3,\r\n" + tail, radiomsg::kBadFormat},
        {"key position", head + "m_mod:,1,TrmFlg:,0,\r\n" + tail, radiomsg::kBadFormat},
        {"missing value", head + "TrmFlg:,\r\n" + tail, radiomsg::kBadFormat},
        {"not a number", head + "m_cutlow:,low,\r\n" + tail, radiomsg::kBadFormat},
        {"fraction", head + "m_tapbuf:,8.5,\r\n" + tail, radiomsg::kBadFormat},
        {"flag 2", head + "TrmFlg:,2,RcvFlg:,0,m_mod:,0,\r\n" + tail, radiomsg::kBadFormat},
        {"mode beyond list", head + "TrmFlg:,1,RcvFlg:,1,m_mod:,3,\r\n" + tail,
         radiomsg::kBadFormat},
        {"shape 7", head + "m_filter:,7,m_filter2:,0,\r\n" + tail, radiomsg::kBadFormat},
        {"kind -1", head + "m_cfilter:,0,m_cfilter2:,-1,\r\n" + tail, radiomsg::kBadFormat},
        {"order 100",
         head + "m_cutlow:,100,m_cuthigh:,200,m_ripple:,1,m_reject:,60,m_tapbuf:,100,\r\n" + tail,
         radiomsg::kBadFormat},
        {"negative cut", head + "m_ccutlow:,-5,\r\n" + tail, radiomsg::kBadFormat},
        {"gain nan", head + "m_VolLevel:,0,m_VolGain:,nan,\r\n" + tail, radiomsg::kBadFormat},
        {"level 99", head + "m_VolLevel2:,99,m_VolGain2:,1,\r\n" + tail, radiomsg::kBadFormat},
        {"lo far", head + "m_iffreq:,90000,m_iffreq2:,0,\r\n" + tail, radiomsg::kBadFormat},
        {"balance 30", head + "IQ_BalSpin:,30,\r\n" + tail, radiomsg::kBadFormat},
    };
    for (const Case& c : cases) {
        CScriptedUi caseUi;
        std::ofstream(dir.Path("c.csv"), std::ios::binary) << c.body;
        RadioSettings before;
        RadioSettings got = before;
        const int ok = ReadRadioSettings(dir.Path("c.csv"), got, caseUi);
        EXPECT_EQ(ok, c.message.empty() ? 1 : 0) << c.what;
        if (c.message.empty()) {
            EXPECT_TRUE(caseUi.messages.empty()) << c.what;
            EXPECT_EQ(got.m_mod, 3);
            EXPECT_EQ(got.m_iffreq, -100);
        } else {
            ASSERT_EQ(caseUi.messages.size(), 1u) << c.what;
            EXPECT_EQ(caseUi.messages[0].text, c.message) << c.what;
            EXPECT_EQ(RadioSettingsText(got), RadioSettingsText(before)) << c.what;
        }
    }
    CScriptedUi missing;
    RadioSettings got;
    EXPECT_EQ(ReadRadioSettings(dir.Path("none.csv"), got, missing), 0);
    ASSERT_EQ(missing.messages.size(), 1u);
    EXPECT_EQ(missing.messages[0].text, radiomsg::kCannotOpen);
}

// "保存" needs a running radio; "読出" stops it first and reports a failed read.
TEST(Radio, SaveAndLoadThroughTheTool) {
    TempDir dir;
    Rig rig;
    CRadioTool tool(rig.doc, *rig.card);
    EXPECT_EQ(tool.OnSave(dir.Path("s.csv")), 0);
    tool.SetPanel(Tone(1000.0, -6));
    PlayLeft(tool, 0.2);
    ASSERT_TRUE(tool.IsRunning());
    EXPECT_EQ(tool.OnSave(dir.Path("s.csv")), 1);
    EXPECT_EQ(tool.OnLoad(dir.Path("none.csv")), 0);
    EXPECT_FALSE(tool.IsRunning());
    EXPECT_TRUE(rig.Saw(radiomsg::kReadStops));
    EXPECT_TRUE(rig.Saw(radiomsg::kReadFailed));
    EXPECT_EQ(tool.OnLoad(dir.Path("s.csv")), 1);
    tool.Close(false);
}
