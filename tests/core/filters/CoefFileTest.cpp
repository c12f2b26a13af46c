#include "filters/CoefFile.h"
#include "document/ScriptedUi.h"
#include "document/TextCodec.h"
#include "filters/FilterMessages.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ReadText(const std::string& path) {
    const auto bytes = TempDir::ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text) {
    TempDir::WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

bool HasMessage(const CScriptedUi& ui, const std::string& text) {
    for (const auto& m : ui.messages)
        if (m.text == text) return true;
    return false;
}

std::string FirFile(int declared, int taps, const std::string& eol = "\r\n") {
    std::string s = "BEGIN_ALL," + eol + "Filter_Kind:,Free_Coef,Filter_Shape:,Unknown,Order:," +
                    std::to_string(declared) + "," + eol +
                    "CutOff(L):,100.000000,CutOff(H):,0.000000," + eol + "BEGIN_FIR," + eol;
    for (int i = 0; i < taps; ++i) s += std::to_string(i + 1) + ".5e-03," + eol;
    return s + "END_FIR," + eol + "END_ALL," + eol;
}

std::string IirFile(int declared, int sections) {
    std::string s = "BEGIN_ALL,\r\nFilter_Kind:,Butterworth,Filter_Shape:,LPF,Order:," +
                    std::to_string(declared) + ",\r\nCutOff(L):,1.0,CutOff(H):,0.0,\r\n" +
                    "BEGIN_IIR,\r\na0,a1,a2,b0,b1,b2,\r\n";
    for (int k = 0; k < sections; ++k) s += "1.0," + std::to_string(k) + ",0.25,0.5,0.5,0.125,\r\n";
    return s + "END_IIR,comment\r\nEND_ALL,\r\n";
}

TEST(CoefFile, FirWrittenInFileBytesAndReadBack) {
    TempDir dir;
    CScriptedUi ui;
    CoefFile file(ui);
    const std::vector<double> taps = {1.0, -0.123456789, 3.5e-7, 0.0, 12345.678};
    const std::string path = dir.Path("fir.csv");
    ASSERT_EQ(file.WriteFir(path, "Win_Hamming", "LPF", 2000.0, 0.0, 5, taps.data()), 1);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{path});

    const std::string expected =
        "BEGIN_ALL,\r\nFilter_Kind:,Win_Hamming,Filter_Shape:,LPF,Order:,5,\r\n"
        "CutOff(L):,2000.000000,CutOff(H):,0.000000,\r\nBEGIN_FIR,\r\n"
        "1.000000e+00,\r\n-1.234568e-01,\r\n3.500000e-07,\r\n0.000000e+00,\r\n1.234568e+04,\r\n"
        "END_FIR,\r\n" +
        Utf8ToCp932(fmsg::kFirRemark) + "\r\nEND_ALL,\r\n";
    EXPECT_EQ(ReadText(path), expected);

    CoefFileHeader h;
    std::vector<double> values;
    ui.fileAnswers.push_back(path);
    ASSERT_EQ(file.ReadFir(h, values), 1);
    EXPECT_EQ(h.sectionType, 1);
    EXPECT_EQ(h.count, 5);
    EXPECT_EQ(h.kind, "Win_Hamming");
    EXPECT_EQ(h.shape, "LPF");
    EXPECT_EQ(h.fileName, path);
    EXPECT_DOUBLE_EQ(h.cutLow, 2000.0);
    ASSERT_EQ(values.size(), taps.size());
    for (std::size_t i = 0; i < taps.size(); ++i)
        EXPECT_NEAR(values[i], taps[i], std::abs(taps[i]) * 1e-6) << i;
}

TEST(CoefFile, WritePathRuleAsksAgainForOtherExtensions) {
    TempDir dir;
    CScriptedUi ui;
    CoefFile file(ui);
    const double h[1] = {1.0};
    ui.fileAnswers = {dir.Path("a.txt"), dir.Path("plain")};
    ASSERT_EQ(file.WriteFir("Empty", "Inp_Resp", "Unknown", 0, 0, 1, h), 1);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{dir.Path("a.txt"), fmsg::kCsvExtension,
                                                           dir.Path("plain.csv")}));
    EXPECT_FALSE(ReadText(dir.Path("plain.csv")).empty());
    ui.Clear();
    EXPECT_EQ(file.WriteFir("Empty", "Inp_Resp", "Unknown", 0, 0, 1, h), 0); // cancelled
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CoefFile, IirSectionsWrittenHighestFirstAndReadInFileOrder) {
    TempDir dir;
    CScriptedUi ui;
    CoefFile file(ui);
    BiquadTable iir, ana, anacr;
    CrTable cr;
    for (int k = 0; k < 3; ++k) {
        iir.a0[k] = 1.0;
        iir.a1[k] = -0.1 * (k + 1);
        iir.a2[k] = 0.01 * (k + 1);
        iir.b0[k] = k + 1.0;
        ana.a0[k] = 2.0 + k;
        cr.C0[k] = 1e-8 * (k + 1);
        cr.R7[k] = 47000.0;
    }
    const std::string path = dir.Path("ell.csv");
    ui.fileAnswers.push_back(path);
    ASSERT_EQ(file.WriteIir(3, 3, 0, 5, 1000.0, 0.0, iir, ana, anacr, cr), 1);
    const std::string text = FileTextToUtf8(ReadText(path));
    EXPECT_NE(text.find("Filter_Kind:,Elliptic,Filter_Shape:,LPF,Order:,5,\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("BEGIN_IIR,\r\na0,a1,a2,b0,b1,b2,\r\n1.000000e+00,-3.000000e-01,"),
              std::string::npos)
        << "section 2 written first";
    EXPECT_NE(text.find(std::string(fmsg::kEndIir) + "\r\nBEGIN_ANA,"), std::string::npos);
    EXPECT_NE(text.find(std::string(fmsg::kEndAnacr) + "\r\nBEGIN_CR,\r\n"
                                                       "C0,C1,R0(&R),R1,R2,R3,R4,R5,R6,R7,\r\n"),
              std::string::npos);
    EXPECT_NE(text.find(std::string(fmsg::kCrNote2) + "\r\nEND_ALL,\r\n"), std::string::npos);

    CoefFileHeader h;
    BiquadTable back;
    ui.Clear();
    ui.fileAnswers.push_back(path);
    ASSERT_EQ(file.ReadIir(h, back), 1) << testing::PrintToString(ui.MessageTexts());
    EXPECT_EQ(h.count, 6);
    EXPECT_FALSE(HasMessage(ui, fmsg::kIirOrderWins));
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(back.b0[k], iir.b0[2 - k]);
        EXPECT_DOUBLE_EQ(back.a1[k], iir.a1[2 - k]);
        EXPECT_DOUBLE_EQ(back.a2[k], iir.a2[2 - k]);
    }

    std::vector<double> values;
    ASSERT_EQ(file.ReadFirFile(path, h, values), 1);
    EXPECT_EQ(h.sectionType, 0);
    EXPECT_EQ(h.count, 6);
    ASSERT_EQ(values.size(), 18u);
    EXPECT_DOUBLE_EQ(values[3], 3.0); // b0 of the first section read
}

TEST(CoefFile, PeakingBiquadAndFourColumnComponents) {
    TempDir dir;
    CScriptedUi ui;
    CoefFile file(ui);
    BiquadTable t;
    t.a0[0] = 1.0;
    t.b0[0] = 0.5;
    CrTable cr;
    ui.fileAnswers.push_back(dir.Path("peak.csv"));
    ASSERT_EQ(file.WriteIir(0, 0, 3, 2, 1000, 0, t, t, t, cr), 1);
    const std::string text = ReadText(dir.Path("peak.csv"));
    EXPECT_NE(text.find("Filter_Kind:,Easy_IIR,Filter_Shape:,Peaking,Order:,2,"),
              std::string::npos);
    EXPECT_EQ(text.find("BEGIN_ANA"), std::string::npos);
    CoefFileHeader h;
    BiquadTable back;
    ASSERT_EQ(file.ReadIirFile(dir.Path("peak.csv"), h, back), 1);
    EXPECT_EQ(h.count, 2);
    EXPECT_EQ(h.shape, "Peaking");

    ui.fileAnswers.push_back(dir.Path("bw.csv"));
    ASSERT_EQ(file.WriteIir(2, 0, 0, 2, 1000, 0, t, t, t, cr), 1);
    const std::string bw = ReadText(dir.Path("bw.csv"));
    EXPECT_NE(bw.find("BEGIN_CR,\r\nC0,C1,R0(&R),R1,\r\n0.000000e+00,0.000000e+00,0.000000e+00,"
                      "0.000000e+00,\r\nEND_CR,"),
              std::string::npos);
    EXPECT_EQ(bw.find(Utf8ToCp932(fmsg::kCrNote2)), std::string::npos);

    ui.fileAnswers.push_back(dir.Path("bad.csv"));
    EXPECT_EQ(file.WriteIir(1, 7, 0, 2, 1000, 0, t, t, t, cr), 0);
    EXPECT_EQ(ReadText(dir.Path("bad.csv")), "BEGIN_ALL,\r\n");
}

struct ReadCase {
    const char* name;
    std::string text;
    bool iirReader;
    int result;
    int count;
    std::string message; // expected among the messages ("" none)
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class CoefRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(CoefRead, ResultCountAndMessage) {
    const ReadCase& c = GetParam();
    TempDir dir;
    WriteText(dir.Path("in.csv"), c.text);
    CScriptedUi ui;
    CoefFile file(ui);
    CoefFileHeader h;
    int result;
    if (c.iirReader) {
        BiquadTable t;
        result = file.ReadIirFile(dir.Path("in.csv"), h, t);
    } else {
        std::vector<double> values;
        result = file.ReadFirFile(dir.Path("in.csv"), h, values);
        if (result) {
            EXPECT_EQ(static_cast<int>(values.size()), h.sectionType == 0 ? 3 * h.count : h.count);
        }
    }
    EXPECT_EQ(result, c.result);
    if (result) {
        EXPECT_EQ(h.count, c.count);
    }
    if (c.message.empty()) {
        EXPECT_TRUE(ui.messages.empty()) << testing::PrintToString(ui.MessageTexts());
    } else {
        EXPECT_TRUE(HasMessage(ui, c.message)) << testing::PrintToString(ui.MessageTexts());
    }
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (auto at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    return s;
}

std::string WithoutEndAll(std::string s) {
    return s.substr(0, s.find("END_ALL"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CoefRead,
    ::testing::Values(
        ReadCase{"Consistent", FirFile(12, 12), false, 1, 12, ""},
        ReadCase{"LfOnlyAndExtraCommas", Replace(FirFile(3, 3, "\n"), ",\n", ",,,,\n"), false, 1, 3,
                 ""},
        ReadCase{"MissingEndAll", WithoutEndAll(FirFile(4, 4)), false, 1, 4, ""},
        ReadCase{"DeclaredTenHasTwelve", FirFile(10, 12), false, 1, 12, fmsg::kFirTapsWin},
        ReadCase{"ExactlyMaxTaps", FirFile(4096, 4096), false, 1, 4096, ""},
        ReadCase{"TooManyTaps", FirFile(4097, 4097), false, 0, 0, "FIRﾀｯﾌﾟ数=4096が大き過ぎです"},
        ReadCase{"NoBeginAll", "BEGIN,\r\n" + FirFile(2, 2), false, 0, 0, fmsg::kFormatMismatch},
        ReadCase{"UnknownSection", Replace(FirFile(2, 2), "BEGIN_FIR", "BEGIN_XYZ"), false, 1, 0,
                 fmsg::kFirTapsWin},
        ReadCase{
            "TooManyLines",
            Replace(
                WithoutEndAll(FirFile(10, 10)), "END_FIR,",
                "END_FIR,\r\n" +
                    [] {
                        std::string s;
                        for (int i = 0; i < 6200; ++i) s += "comment,\r\n";
                        return s;
                    }()),
            false, 0, 0,
            "ﾌｧｲﾙが大き過ぎです、6144行を越えました。ｺﾒﾝﾄが多過ぎか'END_ALL'記述がないのでは。"},
        ReadCase{"IirOrderFiveThreeSections", IirFile(5, 3), true, 1, 6, ""},
        ReadCase{"IirMismatch", IirFile(2, 3), true, 1, 6, fmsg::kIirOrderWins},
        // The largest and smallest declared orders are compared without overflow.
        ReadCase{"IirOrderIntMax", IirFile(2147483647, 1), true, 1, 2, fmsg::kIirOrderWins},
        ReadCase{"IirOrderIntMaxViaFirReader", IirFile(2147483647, 1), false, 1, 2,
                 fmsg::kIirOrderWins},
        ReadCase{"IirOrderIntMin", IirFile(-2147483647 - 1, 1), true, 1, 2, fmsg::kIirOrderWins},
        ReadCase{"IirViaFirReader", IirFile(6, 3), false, 1, 6, ""},
        ReadCase{"IirTooManySections", IirFile(62, 31), false, 0, 0,
                 "IIR次数が大き過ぎです、60を越えました。"},
        ReadCase{"IirReaderTooManySections", IirFile(62, 31), true, 0, 0,
                 "IIR次数が大き過ぎです、60を越えました。"},
        ReadCase{"FirToIirReader", FirFile(20, 20), true, 0, 0, fmsg::kNotIirFile},
        ReadCase{"LongFirToIirReader", FirFile(200, 200), true, 0, 0,
                 "ﾌｧｲﾙが大き過ぎです、120行を越えました。\nｺﾒﾝﾄが多過ぎ、FIRのﾌｧｲﾙ、'END_ALL'"
                 "記述がない等なのでは。"},
        ReadCase{
            "AnalogOrderMismatch",
            Replace(IirFile(4, 2), "END_ALL,",
                    "BEGIN_ANA,\r\na0,a1,a2,b0,b1,b2,\r\n1,2,3,4,5,6,\r\nEND_ANA,\r\nEND_ALL,"),
            true, 1, 4, fmsg::kAnalogOrder},
        ReadCase{"LongLinesAndTokens",
                 Replace(FirFile(2, 2), "1.5e-03,",
                         "1.5e-03" + std::string(3000, '7') + "," + std::string(3000, 'z')),
                 false, 1, 2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CoefFile, NumbersAndTextsFromSpreadsheets) {
    TempDir dir;
    CScriptedUi ui;
    CoefFile file(ui);
    // UTF-8 with a byte-order mark, a Japanese kind name, signs and non-numbers.
    WriteText(dir.Path("u.csv"),
              "\xEF\xBB\xBF"
              "BEGIN_ALL,\nFilter_Kind:,自作,Filter_Shape:,"
              "ｶｽﾀﾑ,Order:,4,\nBEGIN_FIR,\n+2.5,\n-1e-2,\nabc,\n.5,\nEND_FIR,\n");
    CoefFileHeader h;
    std::vector<double> v;
    ASSERT_EQ(file.ReadFirFile(dir.Path("u.csv"), h, v), 1);
    EXPECT_EQ(h.kind, "自作");
    EXPECT_EQ(h.shape, "ｶｽﾀﾑ");
    EXPECT_EQ(v, (std::vector<double>{2.5, -0.01, 0.0, 0.5}));
    // The same texts in CP932.
    WriteText(dir.Path("s.csv"), Utf8ToCp932("BEGIN_ALL,\r\nFilter_Kind:,自作,Filter_Shape:,ｶｽﾀﾑ,"
                                             "Order:,1,\r\nBEGIN_FIR,\r\n1,\r\nEND_FIR,\r\n"));
    ASSERT_EQ(file.ReadFirFile(dir.Path("s.csv"), h, v), 1);
    EXPECT_EQ(h.kind, "自作");
    EXPECT_EQ(h.shape, "ｶｽﾀﾑ");
    EXPECT_EQ(file.ReadFirFile(dir.Path("missing.csv"), h, v), 0);
    EXPECT_TRUE(HasMessage(ui, fmsg::kCannotOpen));
}

} // namespace
