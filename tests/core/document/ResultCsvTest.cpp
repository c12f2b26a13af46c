#include "document/ResultCsv.h"
#include "document/AudioFile.h"
#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/MeasurementFile.h"
#include "document/ScriptedUi.h"
#include "document/TextCodec.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using Texts = std::vector<std::string>;

// Lines of a CSV file written in CP932, as UTF-8, without their CR LF.
Texts CsvLines(const std::string& path) {
    const auto bytes = TempDir::ReadFile(path);
    const std::string raw(bytes.begin(), bytes.end());
    EXPECT_FALSE(IsValidUtf8(raw) && raw.find("\xE3") != std::string::npos)
        << "texts must be Shift-JIS";
    const std::string text = FileTextToUtf8(raw);
    Texts lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<float> Ramp(int n, float base) {
    std::vector<float> v(n);
    for (int i = 0; i < n; ++i) v[i] = base + i;
    return v;
}

} // namespace

TEST(ResultCsv, AutoCorrelationListsRotatedLags) {
    TempDir dir;
    CScriptedUi ui;
    const auto wave = Ramp(8, 100.0f);
    const auto r = Ramp(8, 0.0f);
    MeasurementSource s;
    s.kind = kind::AutoCorr1;
    s.channelMode = chan::Ch1;
    s.n = 8;
    s.dt = 0.5f;
    s.wave1 = wave.data();
    s.re = r.data();
    ASSERT_EQ(WriteResultCsv(ui, dir.Path("j.csv"), s), 1);
    EXPECT_EQ(ui.MessageTexts(), Texts{dir.Path("j.csv")});
    const Texts lines = CsvLines(dir.Path("j.csv"));
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "1.000000e+02,4.000000e+00,1ch自己相関,β12.0ﾞｰｼﾞｮﾝ,");
    EXPECT_EQ(lines[1],
              "1.010000e+02,5.000000e+00,左列からch1入力信号/ch1自己相関の順,自由に加工して！,");
    EXPECT_EQ(lines[2], "1.020000e+02,6.000000e+00,ｻﾝﾌﾟﾙﾀｲﾑ=,5.000000e-01");
    EXPECT_EQ(lines[3], "1.030000e+02,7.000000e+00,点数=,8");
    EXPECT_EQ(lines[4], "1.040000e+02,0.000000e+00,");
    EXPECT_EQ(lines[7], "1.070000e+02,3.000000e+00,");
}

TEST(ResultCsv, SpectrumAndScopeLayouts) {
    TempDir dir;
    CScriptedUi ui;
    const auto a = Ramp(8, 1.0f), b = Ramp(8, 2.0f), c = Ramp(8, 3.0f), d = Ramp(8, 4.0f);
    MeasurementSource s;
    s.n = 8;
    s.dt = 1.0f;
    s.wave1 = a.data();
    s.wave2 = b.data();
    s.re = c.data();
    s.im = d.data();
    s.opRe = d.data();

    s.kind = kind::Transfer;
    ASSERT_EQ(WriteResultCsv(ui, dir.Path("t.csv"), s), 1);
    Texts lines = CsvLines(dir.Path("t.csv"));
    EXPECT_EQ(lines[0], "1.000000e+00,3.000000e+00,4.000000e+00,Sonalyx,β12.0ﾊﾞｰｼﾞｮﾝ,");

    s.kind = kind::LiveSpectrum;
    s.channelMode = chan::Both;
    ASSERT_EQ(WriteResultCsv(ui, dir.Path("s.csv"), s), 1);
    lines = CsvLines(dir.Path("s.csv"));
    EXPECT_EQ(lines[5], "6.000000e+00,7.000000e+00,8.000000e+00,9.000000e+00,");

    s.kind = kind::Scope;
    s.scope.show = 3;
    ASSERT_EQ(WriteResultCsv(ui, dir.Path("o.csv"), s), 1);
    lines = CsvLines(dir.Path("o.csv"));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "3.000000e+00,ch2入力信号,自由に加工して！,");
    EXPECT_EQ(lines[3], "5.000000e+00,点数=,4");
}

TEST(ResultCsv, UnsupportedKindsAndScopeModesFail) {
    TempDir dir;
    CScriptedUi ui;
    const auto a = Ramp(8, 1.0f);
    MeasurementSource s;
    s.n = 8;
    s.wave1 = s.wave2 = s.re = s.im = s.opRe = a.data();
    for (auto [kindCode, mode] : {std::pair{kind::Wave, 1}, {10, 2}, {20, 3}}) {
        ui.Clear();
        s.kind = kindCode;
        s.channelMode = mode;
        EXPECT_EQ(WriteResultCsv(ui, dir.Path("x.csv"), s), 0);
        EXPECT_EQ(ui.MessageTexts(), (Texts{dir.Path("x.csv"), msg::kSaveFailed})) << kindCode;
    }
    ui.Clear();
    s.kind = kind::Scope;
    s.scope.show = 4;
    EXPECT_EQ(WriteResultCsv(ui, dir.Path("x.csv"), s), 0);
    EXPECT_EQ(ui.MessageTexts(), (Texts{dir.Path("x.csv"), "エラーしてます"}));
    ui.Clear();
    s.kind = kind::Spectrum;
    EXPECT_EQ(WriteResultCsv(ui, dir.Path("no/x.csv"), s), 0);
    EXPECT_EQ(ui.MessageTexts(), (Texts{dir.Path("no/x.csv"), msg::kSaveFailed}));
}

TEST(SaveResult, ExtensionChoosesTheFormatAndOprAddsHistory) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.disp_mode1 = kind::Spectrum;

    // Another extension ends the command with the message; the dialog is not asked again.
    ui.fileAnswers.push_back(dir.Path("r.txt"));
    ui.fileAnswers.push_back(dir.Path("again.csv"));
    EXPECT_EQ(doc.OnSaveResult(), 0);
    EXPECT_EQ(ui.MessageTexts(), Texts{"拡張子を指定して下さい(*.opr|*.csv)"});
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("again.csv")).empty());
    ui.fileAnswers.clear();
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("r.txt")).empty());
    EXPECT_EQ(doc.m_nHistoryCount, 1);
    EXPECT_EQ(ui.fileDialogs.back(), "|MeasureData(*.opr)|*.opr|MeasureData(*.csv)|*.csv||");

    ui.fileAnswers.push_back(dir.Path("r.csv"));
    EXPECT_EQ(doc.OnSaveResult(), 1);
    EXPECT_EQ(CsvLines(dir.Path("r.csv")).size(), 2048u);
    EXPECT_EQ(doc.m_nHistoryCount, 1);

    ui.fileAnswers.push_back(dir.Path("r.opr"));
    EXPECT_EQ(doc.OnSaveResult(), 1);
    EXPECT_EQ(TempDir::ReadFile(dir.Path("r.opr")).size(), 16400u);
    EXPECT_EQ(doc.m_nHistoryCount, 2);
    EXPECT_EQ(doc.m_szHistory[1],
              "1,Write File,-- ,-- ,--  ,48000  ,2048 ," + dir.Path("r.opr") + " \r\n");

    ui.fileAnswers.push_back(dir.Path("nodir/r.opr"));
    EXPECT_EQ(doc.OnSaveResult(), 0);
    EXPECT_EQ(ui.MessageTexts().back(), msg::kSaveFailed);
    EXPECT_EQ(doc.m_nHistoryCount, 2);
}

TEST(AudioFile, CurveCountRuleAndRoundTrip) {
    TempDir dir;
    CScriptedUi ui;
    AudioFile f;
    f.m_nExp = 1; // 128 points
    f.m_nValue1 = 48000;
    f.m_nValue2 = 2;
    f.m_fConditions[21] = -80.5f;
    f.m_nFlags = {1, 0, 0, 0, 0, 1};
    EXPECT_EQ(f.CurveCount(), 8);
    f.m_fCurves = Ramp(8 * 128, 0.0f);
    ASSERT_EQ(WriteAudioFile(ui, dir.Path("a.opr"), f), 1);
    EXPECT_EQ(TempDir::ReadFile(dir.Path("a.opr")).size(), 128u + 8 * 128 * 4);

    AudioFile back;
    std::string path;
    ui.fileAnswers.push_back(dir.Path("a.opr"));
    ASSERT_EQ(ReadAudioHeader(ui, back, path), 1);
    EXPECT_EQ(ui.MessageTexts().back(), path + "\n 　　..ｵｰﾃﾞｨｵ性能表示専用として開きます");
    EXPECT_EQ(back.m_nValue1, 48000);
    EXPECT_EQ(back.m_fConditions[21], -80.5f);
    EXPECT_EQ(back.CurveCount(), 8);
    EXPECT_TRUE(back.m_fCurves.empty());
    ASSERT_EQ(ReadAudioCurves(ui, path, back), 1);
    EXPECT_EQ(back.m_fCurves, f.m_fCurves);

    ASSERT_EQ(WriteAudioCsv(ui, dir.Path("a.csv"), f, "end"), 1);
    const auto bytes = TempDir::ReadFile(dir.Path("a.csv"));
    const std::string text = FileTextToUtf8(std::string(bytes.begin(), bytes.end()));
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "L_周波数特性,R_周波数特性,1kHzL(L→R),10kHz(R→L),1kHzL(R→L),10kHz(L→R),"
              "TSPｸﾛｽﾄｰｸ(L→R),TSPｸﾛｽﾄｰｸ(R→L),");
    EXPECT_NE(text.find("\r\n1.000000e+00,1.290000e+02,"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), "\r\nend");
}

TEST(AudioFile, BadFilesGiveTheirMessages) {
    TempDir dir;
    CScriptedUi ui;
    AudioFile f;
    EXPECT_EQ(ReadAudioHeaderFrom(ui, dir.Path("none.opr"), f), 0);
    TempDir::WriteFile(dir.Path("short.opr"), {'A', 'U'});
    EXPECT_EQ(ReadAudioHeaderFrom(ui, dir.Path("short.opr"), f), 0);
    TempDir::WriteFile(dir.Path("oper.opr"), {'O', 'P', 'E', 'R', 0, 0, 0, 0});
    EXPECT_EQ(ReadAudioHeaderFrom(ui, dir.Path("oper.opr"), f), 0);
    std::vector<std::uint8_t> truncated(128, 0);
    std::memcpy(truncated.data(), "AUDO", 4);
    truncated[104] = 1; // p0: two curves of 64 points are promised but absent
    TempDir::WriteFile(dir.Path("trunc.opr"), truncated);
    ASSERT_EQ(ReadAudioHeaderFrom(ui, dir.Path("trunc.opr"), f), 1);
    EXPECT_EQ(ReadAudioCurves(ui, dir.Path("trunc.opr"), f), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (Texts{"異なるデーター形式です_@AudioReadValue。", "未知の形式です。",
                     "異なるデーター形式です。\n　ｻｰﾎﾞ計算用のﾒﾆｭｰから開けてみて下さい",
                     dir.Path("trunc.opr") + "\n 　　..ｵｰﾃﾞｨｵ性能表示専用として開きます",
                     "異なるデーター形式です。_@AudioDataRead"}));
}

// The record-length exponent s is taken up to AudioFile::kMaxExp (2^20-point curves) only.
TEST(AudioFile, RecordLengthExponentIsBounded) {
    struct Case {
        std::int32_t exponent;
        bool read;
    };
    for (const Case& c : {Case{0, true}, Case{14, true}, Case{15, false}, Case{-1, false},
                          Case{0x7FFFFFFF, false}}) {
        TempDir dir;
        std::vector<std::uint8_t> fixed(128, 0);
        std::memcpy(fixed.data(), "AUDO", 4);
        WriteLe32(fixed.data() + 4, static_cast<std::uint32_t>(c.exponent));
        TempDir::WriteFile(dir.Path("a.opr"), fixed);
        CScriptedUi ui;
        AudioFile f;
        EXPECT_EQ(ReadAudioHeaderFrom(ui, dir.Path("a.opr"), f), c.read ? 1 : 0) << c.exponent;
        EXPECT_EQ(ui.messages.size(), c.read ? 1u : 2u) << c.exponent;
        if (c.read) {
            EXPECT_EQ(f.m_nExp, c.exponent);
        } else {
            EXPECT_EQ(ui.messages.back().text, "未知の形式です。") << c.exponent;
        }
    }
}

TEST(MeasurementOpen, AudioContainerIsRefusedByFileOpen) {
    TempDir dir;
    std::vector<std::uint8_t> bytes(200, 0);
    std::memcpy(bytes.data(), "AUDO", 4);
    TempDir::WriteFile(dir.Path("a.opr"), bytes);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("a.opr")));
    EXPECT_EQ(ui.MessageTexts(), (Texts{msg::kAudioFile, msg::kOpenFailed}));
}
