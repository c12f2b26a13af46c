#include "document/MeasurementFile.h"
#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

using Texts = std::vector<std::string>;

// Fills every buffer the files carry with distinct values.
void FillBuffers(CKymoDoc& doc, float seed) {
    for (int i = 0; i < doc.m_nPoints; ++i) {
        doc.m_fWave1[i] = seed + i;
        doc.m_fWave2[i] = seed - i;
        doc.m_fRe[i] = seed * 0.5f + i * 0.25f;
        doc.m_fIm[i] = -seed + i * 0.125f;
        doc.m_fOpRe[i] = seed * 2 + i;
        doc.m_fOpIm[i] = seed * 3 + i;
    }
}

bool SamePrefix(const std::vector<float>& a, const std::vector<float>& b, int n) {
    return std::equal(a.begin(), a.begin() + n, b.begin());
}

struct KindCase {
    int kind;
    int channelMode;
    const char* magic;
    int kindAfter;
    int arrays;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.magic << " from kind " << c.kind;
}

class MeasurementRoundTrip : public ::testing::TestWithParam<KindCase> {};

TEST_P(MeasurementRoundTrip, WritesLayoutAndOpensBack) {
    const KindCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Path("r.opr");
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.SetPow(1); // 256 points
    doc.m_fDt = 1.0f / 44100.0f;
    FillBuffers(doc, 10.0f);
    doc.disp_mode1 = c.kind;
    doc.disp_mode3 = c.channelMode;
    doc.m_nScopeShow = 2;
    doc.m_scope.m_nRangeExp1 = -2;
    doc.m_scope.m_nRangeExp2 = 9;
    doc.m_scope.m_nPosStep1 = -10;
    doc.m_scope.m_nPosStep2 = 3;
    ASSERT_EQ(WriteMeasurementData(ui, path, DocumentMeasurementSource(doc)), 1);
    EXPECT_EQ(ui.MessageTexts(), Texts{path});

    const auto bytes = TempDir::ReadFile(path);
    const bool scope = c.kindAfter == kind::Scope;
    ASSERT_EQ(bytes.size(), 16u + c.arrays * 4u * 256 + (scope ? 20u : 0u));
    EXPECT_TRUE(HasTag(bytes.data(), c.magic));
    EXPECT_EQ(ReadLe32(bytes.data() + 4), 1u);
    EXPECT_EQ(ReadLe32(bytes.data() + 8), 256u);

    CScriptedUi ui2;
    CKymoDoc other(ui2);
    FillBuffers(other, 5000.0f);
    ASSERT_TRUE(other.OnOpenDocument(path)) << testing::PrintToString(ui2.MessageTexts());
    EXPECT_EQ(other.disp_mode1, c.kindAfter);
    EXPECT_EQ(other.m_nPow, 1);
    EXPECT_EQ(other.m_nPoints, 256);
    EXPECT_EQ(other.m_fDt, 1.0f / 44100.0f);
    EXPECT_FLOAT_EQ(other.m_fSinTbl[1], std::sin(2 * std::numbers::pi / 256));
    ASSERT_EQ(ui2.messages.size(), 1u);
    EXPECT_EQ(ui2.messages[0].text.rfind(path, 0), 0u);
    switch (c.kindAfter) {
    case kind::Spectrum:
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(other.m_fRe[i], doc.m_fRe[i]);
            ASSERT_EQ(other.m_fIm[i], doc.m_fIm[i]);
        }
        EXPECT_EQ(other.disp_mode0, subreq::ForwardResult);
        break;
    case kind::Scope:
        EXPECT_EQ(other.m_nScopeShow, 2);
        EXPECT_EQ(other.m_scope.m_fRange1, 0.25f);
        EXPECT_EQ(other.m_scope.m_fRange2, 512.0f);
        EXPECT_EQ(other.m_scope.m_nPosition1, -100);
        EXPECT_EQ(other.m_scope.m_nPosition2, 30);
        EXPECT_EQ(other.m_bScopeCh1, 1);
        EXPECT_EQ(other.m_bScopeCh2, 1);
        [[fallthrough]];
    default:
        EXPECT_TRUE(SamePrefix(other.m_fWave1, doc.m_fWave1, 256));
        EXPECT_TRUE(!(c.arrays >= 3 || scope) || SamePrefix(other.m_fWave2, doc.m_fWave2, 256));
        EXPECT_TRUE(scope || SamePrefix(other.m_fRe, doc.m_fRe, 256));
        EXPECT_TRUE(c.arrays != 4 || SamePrefix(other.m_fOpRe, doc.m_fOpRe, 256));
        break;
    }
    if (c.kindAfter == kind::Spectrum1 || c.kindAfter == kind::AutoCorr1) {
        EXPECT_EQ(other.disp_mode3, chan::Ch1);
    }
    if (c.kindAfter == kind::Spectrum2 || c.kindAfter == kind::AutoCorr2) {
        EXPECT_EQ(other.disp_mode3, chan::Both);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, MeasurementRoundTrip,
                         ::testing::Values(KindCase{kind::Spectrum, 1, "OPER", kind::Spectrum, 2},
                                           KindCase{kind::Transfer, 1, "OPER", kind::Spectrum, 2},
                                           KindCase{11, 1, "OPER", kind::Spectrum, 2},
                                           KindCase{kind::Scope, 3, "OSC1", kind::Scope, 2},
                                           KindCase{12, 3, "OSC1", kind::Scope, 2},
                                           KindCase{kind::Spectrum1, 1, "OPS1", kind::Spectrum1, 2},
                                           KindCase{10, 1, "OPS1", kind::Spectrum1, 2},
                                           KindCase{kind::Spectrum2, 3, "OPS2", kind::Spectrum2, 4},
                                           KindCase{10, 3, "OPS2", kind::Spectrum2, 4},
                                           KindCase{kind::AutoCorr1, 1, "OPJ1", kind::AutoCorr1, 2},
                                           KindCase{20, 1, "OPJ1", kind::AutoCorr1, 2},
                                           KindCase{kind::AutoCorr2, 3, "OPJ2", kind::AutoCorr2, 4},
                                           KindCase{20, 3, "OPJ2", kind::AutoCorr2, 4},
                                           KindCase{kind::CrossCorr, 3, "OPSO", kind::CrossCorr, 3},
                                           KindCase{21, 3, "OPSO", kind::CrossCorr, 3}));

TEST(MeasurementFile, FileSizesOfTheEdgeCases) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.disp_mode1 = kind::Spectrum;
    doc.SetPow(4);
    ASSERT_EQ(WriteMeasurementData(ui, dir.Path("a.opr"), DocumentMeasurementSource(doc)), 1);
    EXPECT_EQ(TempDir::ReadFile(dir.Path("a.opr")).size(), 16400u);
    doc.disp_mode1 = kind::Scope;
    doc.SetPow(3);
    ASSERT_EQ(WriteMeasurementData(ui, dir.Path("b.opr"), DocumentMeasurementSource(doc)), 1);
    EXPECT_EQ(TempDir::ReadFile(dir.Path("b.opr")).size(), 8228u);
}

TEST(MeasurementFile, OperOpenGivesTheUnscaledInverseAsImpulseResponse) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.SetPow(2); // 512
    for (int i = 0; i < 512; ++i)
        doc.m_fWork1[i] = static_cast<float>(1000 * std::sin(2 * std::numbers::pi * 3 * i / 512) +
                                             (i == 7 ? 500 : 0));
    std::vector<float> record(doc.m_fWork1.begin(), doc.m_fWork1.begin() + 512);
    doc.disp_mode1 = kind::TimeRecord;
    ASSERT_EQ(doc.OnFft(), 1);
    ASSERT_EQ(WriteMeasurementData(ui, dir.Path("s.opr"), DocumentMeasurementSource(doc)), 1);

    CScriptedUi ui2;
    CKymoDoc other(ui2); // 2048 points and tables for 2048 until the file says otherwise
    ASSERT_TRUE(other.OnOpenDocument(dir.Path("s.opr")));
    EXPECT_EQ(other.m_nPoints, 512);
    for (int i = 0; i < 512; ++i) {
        ASSERT_NEAR(other.m_fWave1[i], record[i], 0.01) << i;
        ASSERT_EQ(other.m_fWork1[i], other.m_fWave1[i]);
    }
}

struct BadCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    Texts messages; // after the path message, if any
    bool showsPath;
};

void PrintTo(const BadCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::uint8_t> OperHeader(int pow, int n, std::size_t floats) {
    std::vector<std::uint8_t> b(16 + 4 * floats);
    std::memcpy(b.data(), "OPER", 4);
    WriteLe32(b.data() + 4, static_cast<std::uint32_t>(pow));
    WriteLe32(b.data() + 8, static_cast<std::uint32_t>(n));
    return b;
}

// A complete 128-point file of `magic` (OPER or OSC1) with sampling period `dt`; OSC1 ends with
// the five display values.
std::vector<std::uint8_t> SmallFile(const char* magic, float dt, ScopeFileValues scope = {}) {
    const bool osc = std::string(magic) == "OSC1";
    std::vector<std::uint8_t> b = OperHeader(0, 128, 2 * 128 + (osc ? 5 : 0));
    std::memcpy(b.data(), magic, 4);
    WriteLe32(b.data() + 12, std::bit_cast<std::uint32_t>(dt));
    if (osc) {
        std::uint8_t* v = b.data() + 16 + 4 * 256;
        for (int x :
             {scope.show, scope.rangeExp1, scope.rangeExp2, scope.posStep1, scope.posStep2}) {
            WriteLe32(v, static_cast<std::uint32_t>(x));
            v += 4;
        }
    }
    return b;
}

constexpr float kGoodDt = 1.0f / 48000.0f;

class MeasurementBadFile : public ::testing::TestWithParam<BadCase> {};

TEST_P(MeasurementBadFile, IsNotReadAndChangesNothing) {
    const BadCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Path("bad.opr");
    TempDir::WriteFile(path, c.bytes);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    FillBuffers(doc, 1.0f);
    std::vector<float> re(doc.m_fRe.begin(), doc.m_fRe.begin() + 2048);
    MeasurementTarget t;
    t.a = doc.m_fRe.data();
    t.b = doc.m_fIm.data();
    t.pow = 77;
    EXPECT_EQ(ReadMeasurementPath(ui, path, t), 0);
    Texts expected = c.messages;
    if (c.showsPath) {
        // The path, with the display-only note of an "OSC1" file.
        const bool scope = c.bytes.size() >= 4 && std::memcmp(c.bytes.data(), "OSC1", 4) == 0;
        expected.insert(expected.begin(),
                        scope ? path + "\n 　..ｵｼﾛｽｺｰﾌﾟ表示専用として開きます" : path);
    }
    EXPECT_EQ(ui.MessageTexts(), expected);
    EXPECT_EQ(t.pow, 77);
    EXPECT_EQ(t.kind, 0);
    for (int i = 0; i < 2048; ++i) ASSERT_EQ(doc.m_fRe[i], re[i]);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MeasurementBadFile,
    ::testing::Values(
        BadCase{"three bytes", {'O', 'P', 'E'}, {"未知の形式です。"}, false},
        BadCase{"riff", {'R', 'I', 'F', 'F', 0, 0, 0, 0}, {"異なるデーター形式です。"}, false},
        BadCase{"audio", {'A', 'U', 'D', 'O', 0, 0}, {msg::kAudioFile}, false},
        BadCase{"short header", {'O', 'P', 'E', 'R', 1}, {"異なるデーター形式です。"}, true},
        BadCase{"pow 9", OperHeader(9, 65536, 131072), {"異なるデーター形式です。"}, true},
        BadCase{"pow -1", OperHeader(-1, 64, 128), {"異なるデーター形式です。"}, true},
        BadCase{"n mismatch", OperHeader(1, 128, 512), {"異なるデーター形式です。"}, true},
        BadCase{"truncated", OperHeader(1, 256, 511), {"異なるデーター形式です。"}, true},
        BadCase{"dt zero", SmallFile("OPER", 0.0f), {"異なるデーター形式です。"}, true},
        BadCase{"dt negative", SmallFile("OPER", -kGoodDt), {"異なるデーター形式です。"}, true},
        BadCase{"dt nan", SmallFile("OPER", std::nanf("")), {"異なるデーター形式です。"}, true},
        BadCase{"dt inf", SmallFile("OPER", INFINITY), {"異なるデーター形式です。"}, true},
        BadCase{"scope step overflows",
                SmallFile("OSC1", kGoodDt, {2, 0, 0, -2113618049, 0}),
                {"異なるデーター形式です。"},
                true},
        BadCase{"scope step 11",
                SmallFile("OSC1", kGoodDt, {2, 0, 0, 0, 11}),
                {"異なるデーター形式です。"},
                true},
        BadCase{"scope exponent 10",
                SmallFile("OSC1", kGoodDt, {1, 10, 0, 0, 0}),
                {"異なるデーター形式です。"},
                true},
        BadCase{"scope exponent -3",
                SmallFile("OSC1", kGoodDt, {1, 0, -3, 0, 0}),
                {"異なるデーター形式です。"},
                true},
        BadCase{"scope exponent huge",
                SmallFile("OSC1", kGoodDt, {1, 200, 0, 0, 0}),
                {"異なるデーター形式です。"},
                true},
        BadCase{
            "scope mode 5", SmallFile("OSC1", kGoodDt, {5, 0, 0, 0, 0}), {"エラーしてます"}, true}),
    [](const ::testing::TestParamInfo<BadCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(MeasurementFile, ExtremeScopeValuesWithinTheControlsAreRead) {
    TempDir dir;
    const std::string path = dir.Path("scope.opr");
    TempDir::WriteFile(path, SmallFile("OSC1", kGoodDt, {8, -2, 9, -10, 10}));
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.m_scope.m_fRange1, 0.25f);
    EXPECT_EQ(doc.m_scope.m_fRange2, 512.0f);
    EXPECT_EQ(doc.m_scope.m_nPosition1, -100);
    EXPECT_EQ(doc.m_scope.m_nPosition2, 100);
}

// Files of the largest record (32768 points) with the most arrays are read whole.
TEST(MeasurementFile, FullSizeFilesOfFourArraysAreRead) {
    for (const int kindWritten : {kind::Spectrum2, kind::AutoCorr2}) {
        TempDir dir;
        const std::string path = dir.Path("full.opr");
        CScriptedUi ui;
        CKymoDoc doc(ui);
        doc.SetPow(8);
        FillBuffers(doc, 2.0f);
        doc.disp_mode1 = kindWritten;
        ASSERT_EQ(WriteMeasurementData(ui, path, DocumentMeasurementSource(doc)), 1);
        ASSERT_EQ(TempDir::ReadFile(path).size(), 16u + 4u * 4u * 32768u);

        CScriptedUi ui2;
        CKymoDoc other(ui2);
        ASSERT_TRUE(other.OnOpenDocument(path)) << testing::PrintToString(ui2.MessageTexts());
        EXPECT_EQ(other.disp_mode1, kindWritten);
        EXPECT_EQ(other.m_nPoints, 32768);
        EXPECT_EQ(other.m_fOpRe[32767], doc.m_fOpRe[32767]);
        EXPECT_EQ(other.m_fWave2[32767], doc.m_fWave2[32767]);
    }
}

TEST(MeasurementFile, OpenOfABadFileKeepsTheBuffersAndFails) {
    TempDir dir;
    const std::string path = dir.Path("bad.opr");
    TempDir::WriteFile(path, OperHeader(8, 32768, 100));
    CScriptedUi ui;
    CKymoDoc doc(ui);
    FillBuffers(doc, 3.0f);
    doc.disp_mode1 = kind::Transfer;
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(ui.MessageTexts(), (Texts{path, "異なるデーター形式です。", msg::kOpenFailed}));
    EXPECT_EQ(doc.m_nPoints, 2048);
    EXPECT_EQ(doc.disp_mode1, kind::Transfer);
    EXPECT_EQ(doc.m_fRe[100], 3.0f * 0.5f + 25.0f);
}

TEST(MeasurementFile, MissingFileIsNotReadSilently) {
    CScriptedUi ui;
    MeasurementTarget t;
    EXPECT_EQ(ReadMeasurementPath(ui, "/nonexistent/dir/x.opr", t), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(MeasurementFile, WriterReportsFailures) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.disp_mode1 = kind::Wave;
    EXPECT_EQ(WriteMeasurementData(ui, dir.Path("k.opr"), DocumentMeasurementSource(doc)), 0);
    EXPECT_EQ(ui.MessageTexts(), (Texts{dir.Path("k.opr"), msg::kSaveFailed}));
    EXPECT_EQ(ui.messages.back().icon, MessageIcon::Error);
    EXPECT_TRUE(TempDir::ReadFile(dir.Path("k.opr")).empty());
    ui.Clear();
    doc.disp_mode1 = kind::Spectrum;
    const std::string nowhere = dir.Path("missing/x.opr");
    EXPECT_EQ(WriteMeasurementData(ui, nowhere, DocumentMeasurementSource(doc)), 0);
    EXPECT_EQ(ui.MessageTexts(), (Texts{nowhere, msg::kSaveFailed}));
}

TEST(MeasurementFile, ServoReaderFillsTheChosenBuffersAndTheFrame) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.SetPow(0);
    FillBuffers(doc, 8.0f);
    doc.disp_mode1 = kind::Spectrum2;
    ASSERT_EQ(WriteMeasurementData(ui, dir.Path("s2.opr"), DocumentMeasurementSource(doc)), 1);

    CScriptedUi ui2;
    CKymoDoc other(ui2);
    ui2.fileAnswers.push_back(std::nullopt);
    int kindRead = -1;
    EXPECT_EQ(ReadMeasurementFile(other, "Read", kindRead, other.m_fOpRe.data(),
                                  other.m_fOpIm.data(), other.m_fRe.data(), other.m_fIm.data()),
              0);
    EXPECT_EQ(kindRead, -1);
    ui2.fileAnswers.push_back(dir.Path("s2.opr"));
    ASSERT_EQ(ReadMeasurementFile(other, "Read", kindRead, other.m_fOpRe.data(),
                                  other.m_fOpIm.data(), other.m_fRe.data(), other.m_fIm.data()),
              1);
    EXPECT_EQ(kindRead, kind::Spectrum2);
    EXPECT_EQ(other.m_nPoints, 128);
    EXPECT_FLOAT_EQ(other.m_fSinTbl[1], std::sin(2 * std::numbers::pi / 128));
    EXPECT_EQ(other.m_fOpRe[5], doc.m_fRe[5]);
    EXPECT_EQ(other.m_fRe[5], doc.m_fOpRe[5]);
    EXPECT_EQ(other.m_fWave2[5], doc.m_fWave2[5]);
    EXPECT_EQ(ui2.fileDialogs.back(), "Read|AnaData(*.opr)|*.opr||");
}

TEST(MeasurementFile, ScopeModeOutsideTheTableIsReported) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    EXPECT_EQ(ApplyScopeFileValues(doc, {5, 0, 0, 0, 0}), 0);
    EXPECT_EQ(ui.MessageTexts(), Texts{"エラーしてます"});
    EXPECT_EQ(ApplyScopeFileValues(doc, {3, 1, 2, 1, 1}), 1);
    EXPECT_EQ(doc.m_bScopeCh1, 0);
    EXPECT_EQ(doc.m_bScopeCh2, 1);
    EXPECT_EQ(ApplyScopeFileValues(doc, {4, 1, 2, 1, 1}), 1);
    EXPECT_EQ(doc.m_bScopeXY, 1);
}

} // namespace
