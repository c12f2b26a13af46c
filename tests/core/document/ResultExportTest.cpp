// Exports of held results for other programs, read back with parsers of the test's own.
#include "document/ResultExport.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/ExportMessages.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>

namespace {

using cd = std::complex<double>;
constexpr double kPi = 3.141592653589793;

struct Row {
    double f, db, deg;
};

struct ResponseFile {
    std::vector<std::string> comments;
    std::vector<Row> rows;
};

// "*" lines are comments; every other line holds three numbers separated by blanks.
ResponseFile ParseResponseText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    ResponseFile file;
    std::string line;
    while (std::getline(in, line)) {
        EXPECT_EQ(line.find('\r'), std::string::npos);
        if (!line.empty() && line[0] == '*') {
            file.comments.push_back(line);
            continue;
        }
        EXPECT_EQ(line.find(','), std::string::npos) << line; // "." whatever the locale
        std::istringstream fields(line);
        fields.imbue(std::locale::classic());
        Row r{};
        fields >> r.f >> r.db >> r.deg;
        EXPECT_TRUE(fields) << line;
        std::string rest;
        EXPECT_FALSE(fields >> rest) << line;
        file.rows.push_back(r);
    }
    return file;
}

struct FloatWav {
    int tag = 0, channels = 0, rate = 0, bits = 0, blockAlign = 0, byteRate = 0;
    std::uint32_t factFrames = 0;
    bool hasFact = false;
    std::vector<float> samples;
};

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// Walks the RIFF chunks; fails the test on a malformed file.
FloatWav ParseFloatWav(const std::vector<std::uint8_t>& b) {
    FloatWav w;
    EXPECT_GE(b.size(), 12u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(Le32(b, 4), b.size() - 8);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 12), "WAVE");
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + at, b.begin() + at + 4);
        const std::uint32_t size = Le32(b, at + 4);
        const std::size_t body = at + 8;
        EXPECT_LE(body + size, b.size()) << id;
        if (id == "fmt ") {
            w.tag = b[body] | (b[body + 1] << 8);
            w.channels = b[body + 2] | (b[body + 3] << 8);
            w.rate = static_cast<int>(Le32(b, body + 4));
            w.byteRate = static_cast<int>(Le32(b, body + 8));
            w.blockAlign = b[body + 12] | (b[body + 13] << 8);
            w.bits = b[body + 14] | (b[body + 15] << 8);
        } else if (id == "fact") {
            w.hasFact = true;
            w.factFrames = Le32(b, body);
        } else if (id == "data") {
            w.samples.resize(size / 4);
            std::memcpy(w.samples.data(), b.data() + body, w.samples.size() * 4);
        }
        at = body + size + (size & 1);
    }
    return w;
}

class ResultExport : public ::testing::Test {
protected:
    // A transfer function of N = 256 points at 8 kHz: a 4-tap FIR with a delay.
    void HoldTransfer(int kindHeld = kind::Transfer) {
        doc.SetPow(1);
        doc.m_fDt = 1.0f / 8000;
        const int n = doc.m_nPoints;
        for (int k = 0; k < n; ++k) {
            cd h = 0.0;
            for (int m = 0; m < 4; ++m) h += kTaps[m] * std::polar(1.0, -2 * kPi * k * m / n);
            doc.m_fRe[k] = static_cast<float>(h.real());
            doc.m_fIm[k] = static_cast<float>(h.imag());
        }
        doc.disp_mode1 = kindHeld;
    }
    static constexpr double kTaps[4] = {0.25, -0.5, 0.75, 0.125};
    CScriptedUi ui;
    CKymoDoc doc{ui};
    TempDir dir;
};

TEST_F(ResultExport, FrdAndRewRowsMatchTheTransferFunction) {
    HoldTransfer();
    doc.m_strPathName = "/data/meas.wav";
    for (const ResponseFormat format : {ResponseFormat::Frd, ResponseFormat::Rew}) {
        const std::string path = dir.Path(format == ResponseFormat::Frd ? "h.frd" : "h.txt");
        ui.Clear();
        ASSERT_EQ(ExportResponseTo(doc, format, path), 1);
        ASSERT_EQ(ui.MessageTexts(), std::vector<std::string>{path}); // announced, no error
        const ResponseFile file = ParseResponseText(path);
        ASSERT_EQ(file.rows.size(), 128u); // bins 1 .. N/2
        for (int k = 1; k <= 128; ++k) {
            const Row& r = file.rows[k - 1];
            const cd h(doc.m_fRe[k], doc.m_fIm[k]);
            EXPECT_NEAR(r.f, k * 8000.0 / 256, 5e-7) << k;
            EXPECT_NEAR(r.db, 20 * std::log10(std::abs(h)), 5e-7) << k;
            EXPECT_NEAR(r.deg, std::arg(h) * 180 / kPi, 5e-7) << k;
        }
        EXPECT_DOUBLE_EQ(file.rows.back().f, 4000.0); // up to fs/2
        bool source = false;
        for (const auto& c : file.comments)
            source = source || c.find("meas.wav, transfer function") != std::string::npos;
        EXPECT_TRUE(source);
        if (format == ResponseFormat::Rew)
            EXPECT_EQ(file.comments.back(), "* Freq(Hz) SPL(dB) Phase(degrees)");
        else
            EXPECT_NE(file.comments[0].find("frequency response"), std::string::npos);
    }
}

TEST_F(ResultExport, AmplitudeSpectraHaveZeroPhaseAndAFloorForSilentBins) {
    doc.SetPow(0);
    doc.m_fDt = 1.0f / 1000;
    for (int k = 0; k < 128; ++k) {
        doc.m_fRe[k] = 0.5f + k;
        doc.m_fOpRe[k] = 2.0f * k;
    }
    doc.m_fRe[10] = 0.0f;
    struct Case {
        int kind, channel, zeroBin;
        const std::vector<float>* values;
    };
    const Case cases[] = {{kind::Spectrum1, 1, 10, &doc.m_fRe},
                          {kind::Spectrum2, 1, 10, &doc.m_fRe},
                          {kind::Spectrum2, 2, -1, &doc.m_fOpRe}};
    for (const Case& c : cases) {
        doc.disp_mode1 = c.kind;
        const std::string path = dir.Path("s.frd");
        ASSERT_EQ(ExportResponseTo(doc, ResponseFormat::Frd, path, c.channel), 1);
        const ResponseFile file = ParseResponseText(path);
        ASSERT_EQ(file.rows.size(), 64u);
        for (int k = 1; k <= 64; ++k) {
            const Row& r = file.rows[k - 1];
            const double want =
                k == c.zeroBin ? -600.0 : 20 * std::log10(static_cast<double>((*c.values)[k]));
            EXPECT_NEAR(r.db, want, 5e-7) << c.kind << " " << k;
            EXPECT_EQ(r.deg, 0.0);
            EXPECT_NEAR(r.f, k * 1000.0 / 128, 5e-7);
        }
    }
}

TEST_F(ResultExport, ImpulseWaveHoldsTheTapsAsFloatsAtTheSamplingRate) {
    HoldTransfer();
    const std::string path = dir.Path("ir.wav");
    ASSERT_EQ(ExportImpulseWaveTo(doc, path), 1);
    const auto bytes = TempDir::ReadFile(path);
    const FloatWav w = ParseFloatWav(bytes);
    EXPECT_EQ(w.tag, 3); // IEEE float
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 32);
    EXPECT_EQ(w.rate, 8000);
    EXPECT_EQ(w.blockAlign, 4);
    EXPECT_EQ(w.byteRate, 32000);
    EXPECT_TRUE(w.hasFact);
    EXPECT_EQ(w.factFrames, 256u); // sample frames, as non-PCM formats require
    ASSERT_EQ(w.samples.size(), 256u);
    for (int i = 0; i < 256; ++i) EXPECT_NEAR(w.samples[i], i < 4 ? kTaps[i] : 0.0, 1e-6) << i;
    EXPECT_EQ(bytes.size(), 56u + 4 * 256);
    // The document is left as it was.
    EXPECT_EQ(doc.disp_mode1, kind::Transfer);
}

TEST_F(ResultExport, WrongKindsAreRefusedAndLeaveNoFile) {
    HoldTransfer(kind::AutoCorr1);
    TempDir::WriteFile(dir.Path("old.frd"), {'o', 'l', 'd'});
    EXPECT_EQ(ExportResponseTo(doc, ResponseFormat::Frd, dir.Path("old.frd")), 0);
    EXPECT_EQ(ExportResponseTo(doc, ResponseFormat::Rew, dir.Path("r.txt")), 0);
    EXPECT_EQ(ExportImpulseWaveTo(doc, dir.Path("ir.wav")), 0);
    doc.disp_mode1 = kind::Spectrum1; // an amplitude spectrum has no impulse response
    EXPECT_EQ(ExportImpulseWaveTo(doc, dir.Path("ir.wav")), 0);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{xmsg::kNoResponse, xmsg::kNoResponse,
                                                           xmsg::kNoImpulse, xmsg::kNoImpulse}));
    EXPECT_EQ(TempDir::ReadFile(dir.Path("old.frd")), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path("")))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"old.frd"});
}

TEST_F(ResultExport, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
    HoldTransfer();
    const std::string path = dir.Path("missing/h.frd");
    EXPECT_EQ(ExportResponseTo(doc, ResponseFormat::Frd, path), 0);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{path, msg::kSaveFailed}));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
}

TEST_F(ResultExport, MenuCommandsAskForTheNameAndTheChannelOfTwoChannelSpectra) {
    doc.SetPow(0);
    doc.m_fDt = 1.0f / 1000;
    for (int k = 0; k < 128; ++k) {
        doc.m_fRe[k] = 1.0f;
        doc.m_fOpRe[k] = 10.0f;
    }
    doc.disp_mode1 = kind::Spectrum2;
    // A name with another extension is asked again; a name without a dot gets ".frd".
    ui.fileAnswers = {dir.Path("a.csv"), dir.Path("response")};
    ui.yesNoAnswers = {true}; // ch2
    ASSERT_EQ(OnExportResponse(doc, ResponseFormat::Frd), 1);
    EXPECT_NEAR(ParseResponseText(dir.Path("response.frd")).rows[0].db, 20.0, 1e-9);
    EXPECT_EQ(ui.MessageTexts()[1], xmsg::kFrdExtension);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.csv")));

    HoldTransfer();
    ui.fileAnswers = {dir.Path("ir")};
    ASSERT_EQ(OnExportImpulseWave(doc), 1);
    EXPECT_EQ(ParseFloatWav(TempDir::ReadFile(dir.Path("ir.wav"))).samples.size(), 256u);
    ui.fileAnswers = {std::nullopt}; // cancel
    EXPECT_EQ(OnExportResponse(doc, ResponseFormat::Rew), 0);
}

// A user locale with "," as its decimal point changes nothing in the files.
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST_F(ResultExport, RowsKeepTheDecimalPointUnderACommaLocale) {
    HoldTransfer();
    const std::locale before =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    const int written = ExportResponseTo(doc, ResponseFormat::Rew, dir.Path("c.txt"));
    std::locale::global(before);
    ASSERT_EQ(written, 1);
    const ResponseFile file = ParseResponseText(dir.Path("c.txt")); // fails on any ","
    ASSERT_EQ(file.rows.size(), 128u);
    EXPECT_NEAR(file.rows[0].f, 8000.0 / 256, 5e-7);
}

} // namespace
