#include "sound/devices/DutText.h"
#include "filters/BiquadDesign.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(DutText, EmptyTextIsEveryDefault) {
    for (const std::string text : {"", "  ", " ; ;"}) {
        DutText dut;
        std::string error = "stale";
        ASSERT_TRUE(ParseDutText(text, dut, error)) << text;
        EXPECT_TRUE(error.empty());
        EXPECT_EQ(dut.in[0], DutRoute::Out1);
        EXPECT_EQ(dut.in[1], DutRoute::Out2);
        EXPECT_TRUE(dut.src.terms.empty());
        EXPECT_TRUE(dut.src.wavPath.empty());
        EXPECT_TRUE(dut.dut[0].empty() && dut.dut[1].empty());
        EXPECT_EQ(dut.leak, 0.0);
        EXPECT_EQ(dut.latency, 1999);
        EXPECT_EQ(dut.fault, DutFault::None);
    }
}

TEST(DutText, FullTextIsReadItemByItem) {
    DutText dut;
    std::string error;
    ASSERT_TRUE(ParseDutText(" in1=src ; in2=0;src=tone:1000:8000:90 + noise:3.5:42 + "
                             "tone:50.5:-1e2;dut1=gain:0.5, delay:7,biquad:peaking:2000:-6;"
                             "dut2=poly:1:0.1:-0.01,noise:2:7,biquad:lpf:3000,coef:/a b/c.csv;"
                             "leak=-0.25;latency=0;fault=lose:1.5 ",
                             dut, error))
        << error;
    EXPECT_EQ(dut.in[0], DutRoute::Src);
    EXPECT_EQ(dut.in[1], DutRoute::Zero);
    ASSERT_EQ(dut.src.terms.size(), 3u);
    EXPECT_EQ(dut.src.terms[0].kind, DutSourceTerm::Kind::Tone);
    EXPECT_EQ(dut.src.terms[0].freq, 1000.0);
    EXPECT_EQ(dut.src.terms[0].amp, 8000.0);
    EXPECT_EQ(dut.src.terms[0].phaseDeg, 90.0);
    EXPECT_EQ(dut.src.terms[1].kind, DutSourceTerm::Kind::Noise);
    EXPECT_EQ(dut.src.terms[1].amp, 3.5);
    EXPECT_EQ(dut.src.terms[1].seed, 42u);
    EXPECT_EQ(dut.src.terms[2].freq, 50.5);
    EXPECT_EQ(dut.src.terms[2].amp, -100.0);
    EXPECT_EQ(dut.src.terms[2].phaseDeg, 0.0);

    ASSERT_EQ(dut.dut[0].size(), 3u);
    EXPECT_EQ(dut.dut[0][0].kind, DutElementDef::Kind::Gain);
    EXPECT_EQ(dut.dut[0][0].value, 0.5);
    EXPECT_EQ(dut.dut[0][1].kind, DutElementDef::Kind::Delay);
    EXPECT_EQ(dut.dut[0][1].value, 7.0);
    EXPECT_EQ(dut.dut[0][1].item, "dut1=delay:7");
    EXPECT_EQ(dut.dut[0][2].biquadType, biquadtype::Peaking);
    EXPECT_EQ(dut.dut[0][2].value, 2000.0);
    EXPECT_EQ(dut.dut[0][2].gainDb, -6.0);

    ASSERT_EQ(dut.dut[1].size(), 4u);
    EXPECT_EQ(dut.dut[1][0].poly, (std::vector<double>{1.0, 0.1, -0.01}));
    EXPECT_EQ(dut.dut[1][1].kind, DutElementDef::Kind::Noise);
    EXPECT_EQ(dut.dut[1][1].seed, 7u);
    EXPECT_EQ(dut.dut[1][2].biquadType, biquadtype::LowPass);
    EXPECT_EQ(dut.dut[1][3].kind, DutElementDef::Kind::Coef);
    EXPECT_EQ(dut.dut[1][3].path, "/a b/c.csv");

    EXPECT_EQ(dut.leak, -0.25);
    EXPECT_EQ(dut.latency, 0);
    EXPECT_EQ(dut.fault, DutFault::Lose);
    EXPECT_EQ(dut.loseSeconds, 1.5);
}

TEST(DutText, SmallItemsAndTheirDefaults) {
    struct Case {
        const char* text;
        void (*check)(const DutText&);
    };
    const Case cases[] = {
        {"src=wav:/tmp/x:y.wav",
         [](const DutText& d) { EXPECT_EQ(d.src.wavPath, "/tmp/x:y.wav"); }},
        {"dut1=biquad:lowshelf:100",
         [](const DutText& d) {
             EXPECT_EQ(d.dut[0][0].biquadType, biquadtype::LowShelving);
             EXPECT_EQ(d.dut[0][0].gainDb, 20.0) << "the biquad tool's gain";
         }},
        {"dut2=biquad:hpf:20",
         [](const DutText& d) { EXPECT_EQ(d.dut[1][0].biquadType, biquadtype::HighPass); }},
        {"fault=open", [](const DutText& d) { EXPECT_EQ(d.fault, DutFault::Open); }},
        {"fault=start", [](const DutText& d) { EXPECT_EQ(d.fault, DutFault::Start); }},
        {"in2=out1;in1=out2",
         [](const DutText& d) {
             EXPECT_EQ(d.in[0], DutRoute::Out2);
             EXPECT_EQ(d.in[1], DutRoute::Out1);
         }},
        {"latency=1000000", [](const DutText& d) { EXPECT_EQ(d.latency, 1000000); }},
        {"leak=1", [](const DutText& d) { EXPECT_EQ(d.leak, 1.0); }},
        {"src=noise:0:18446744073709551615",
         [](const DutText& d) { EXPECT_EQ(d.src.terms[0].seed, 18446744073709551615ull); }},
    };
    for (const auto& c : cases) {
        DutText dut;
        std::string error;
        ASSERT_TRUE(ParseDutText(c.text, dut, error)) << c.text << ": " << error;
        c.check(dut);
    }
}

TEST(DutText, RefusalsNameTheItem) {
    struct Case {
        const char* text;
        const char* item;
    };
    const Case cases[] = {
        {"dut1=gain:x", "dut1=gain:x"},
        {"latency=1999;dut1=gain:2, gain:x ,delay:3", "dut1=gain:x"},
        {"volume=3", "volume=3"},
        {"in1", "in1"},
        {"in1=out3", "in1=out3"},
        {"in2=", "in2="},
        {"src=tone:1000", "src=tone:1000"},
        {"src=tone:1000:100+sine:5:5", "src=sine:5:5"},
        {"src=tone:-1:100", "src=tone:-1:100"},
        {"src=tone:1000:100:0:0", "src=tone:1000:100:0:0"},
        {"src=noise:-1:3", "src=noise:-1:3"},
        {"src=noise:1:-3", "src=noise:1:-3"},
        {"src=noise:1:3.5", "src=noise:1:3.5"},
        {"src=wav:", "src=wav:"},
        {"src=", "src="},
        {"dut1=", "dut1="},
        {"dut1=gain:1,", "dut1="},
        {"dut1=gain", "dut1=gain"},
        {"dut1=gain:1:2", "dut1=gain:1:2"},
        {"dut1=gain:inf", "dut1=gain:inf"},
        {"dut1=gain:nan", "dut1=gain:nan"},
        {"dut1=gain: 2", "dut1=gain: 2"},
        {"dut1=delay:-1", "dut1=delay:-1"},
        {"dut1=delay:2.5", "dut1=delay:2.5"},
        {"dut1=delay:1000001", "dut1=delay:1000001"},
        {"dut2=biquad:bpf:1000", "dut2=biquad:bpf:1000"},
        {"dut2=biquad:lpf:0", "dut2=biquad:lpf:0"},
        {"dut2=biquad:lpf:1000:0.7", "dut2=biquad:lpf:1000:0.7"},
        {"dut2=biquad:peaking:1000:20.5", "dut2=biquad:peaking:1000:20.5"},
        {"dut2=biquad:peaking", "dut2=biquad:peaking"},
        {"dut2=coef", "dut2=coef"},
        {"dut2=coef:", "dut2=coef:"},
        {"dut2=poly", "dut2=poly"},
        {"dut2=poly:1:b", "dut2=poly:1:b"},
        {"dut2=noise:1", "dut2=noise:1"},
        {"dut2=reverb:3", "dut2=reverb:3"},
        {"leak=1.5", "leak=1.5"},
        {"leak=", "leak="},
        {"latency=-1", "latency=-1"},
        {"latency=1e3", "latency=1e3"},
        {"latency=1000001", "latency=1000001"},
        {"fault=crash", "fault=crash"},
        {"fault=lose", "fault=lose"},
        {"fault=lose:-1", "fault=lose:-1"},
        {"latency=10;latency=20", "latency=20"},
    };
    for (const auto& c : cases) {
        DutText dut;
        std::string error;
        EXPECT_FALSE(ParseDutText(c.text, dut, error)) << c.text;
        EXPECT_EQ(error.rfind(DutItemError(c.item), 0), 0u) << c.text << " gave: " << error;
    }
}

TEST(DutText, OneMessageFormat) {
    EXPECT_EQ(DutItemError("dut1=gain:x"), "DUTの項目 \"dut1=gain:x\" が正しくありません");
    EXPECT_EQ(DutItemError("src=wav:a.wav", "理由"),
              "DUTの項目 \"src=wav:a.wav\" が正しくありません（理由）");
}

} // namespace
