// Coefficient files as C headers and impulse-response WAVs: the header is compiled by the
// system compiler and its arrays printed; the WAV is read by the test's own chunk walker.
#include "filters/CoefExport.h"
#include "document/DocMessages.h"
#include "document/ExportMessages.h"
#include "document/ScriptedUi.h"
#include "filters/SosHeader.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

namespace {

// A section line a0 .. b2 of the coefficient file.
struct Section {
    double a0, a1, a2, b0, b1, b2;
};

const Section kSections[] = {
    {2.0, -1.2, 0.5, 0.3, 0.6, 0.3},
    {1.0, -0.9, 0.2, 1.0, -2.0, 1.0},
    {4.0, 0.4, 0.1, 0.1, 0.0, -0.1},
};
const double kTaps[] = {0.1, -0.25, 0.5, 1e-7, -3.75};

std::string IirFile(const std::vector<Section>& sections) {
    std::string text = "BEGIN_ALL,\r\nFilter_Kind:,Butterworth,Filter_Shape:,LPF,Order:," +
                       std::to_string(2 * sections.size()) +
                       ",\r\nCutOff(L):,1000.000000,CutOff(H):,0.000000,\r\nBEGIN_IIR,\r\n"
                       "a0,a1,a2,b0,b1,b2,\r\n";
    char line[256];
    for (const Section& s : sections) {
        std::snprintf(line, sizeof line, "%.17g,%.17g,%.17g,%.17g,%.17g,%.17g,\r\n", s.a0, s.a1,
                      s.a2, s.b0, s.b1, s.b2);
        text += line;
    }
    return text + "END_IIR,\r\nEND_ALL,\r\n";
}

std::string FirFile() {
    std::string text = "BEGIN_ALL,\r\nFilter_Kind:,Win_Hann,Filter_Shape:,LPF,Order:,5,\r\n"
                       "CutOff(L):,500.000000,CutOff(H):,0.000000,\r\nBEGIN_FIR,\r\n";
    char line[64];
    for (double t : kTaps) {
        std::snprintf(line, sizeof line, "%.17e,\r\n", t);
        text += line;
    }
    return text + "END_FIR,\r\nEND_ALL,\r\n";
}

void Write(const std::string& path, const std::string& text) {
    TempDir::WriteFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// Compiles `driver` (which includes the header) as C and as C++ and returns what it prints.
std::string CompileAndRun(const TempDir& dir, const std::string& driver) {
    Write(dir.Path("driver.c"), driver);
    std::string output;
    for (const char* language : {"-x c -std=c99", "-x c++ -std=c++17"}) {
        const std::string exe = dir.Path("driver");
        const std::string compile = std::string("g++ ") + language + " -Wall -Wextra -Werror -o '" +
                                    exe + "' '" + dir.Path("driver.c") + "' 2>'" +
                                    dir.Path("cc.log") + "'";
        const int rc = std::system(compile.c_str());
        const auto log = TempDir::ReadFile(dir.Path("cc.log"));
        EXPECT_EQ(rc, 0) << language << "\n" << std::string(log.begin(), log.end());
        if (rc != 0) return {};
        const std::string run = "'" + exe + "' > '" + dir.Path("out.txt") + "'";
        EXPECT_EQ(std::system(run.c_str()), 0);
        const auto out = TempDir::ReadFile(dir.Path("out.txt"));
        const std::string text(out.begin(), out.end());
        if (!output.empty()) {
            EXPECT_EQ(text, output) << language;
        }
        output = text;
    }
    return output;
}

std::vector<double> Numbers(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    std::vector<double> values;
    for (std::string word; in >> word;) values.push_back(std::strtod(word.c_str(), nullptr));
    return values;
}

class CoefExport : public ::testing::Test {
protected:
    CScriptedUi ui;
    TempDir dir;
};

TEST_F(CoefExport, SectionHeaderCompilesToTheFileSectionsDividedByA0) {
    Write(dir.Path("lp.csv"), IirFile({std::begin(kSections), std::end(kSections)}));
    ASSERT_EQ(ExportCoefHeaderTo(ui, dir.Path("lp.csv"), dir.Path("lp.h"), false), 1);
    const std::string out = CompileAndRun(dir, R"(#include <stdio.h>
#include "lp.h"
int main(void) {
    int s, c;
    printf("%d %.17g\n", LP_NUM_SECTIONS, LP_GAIN);
    for (s = 0; s < LP_NUM_SECTIONS; ++s)
        for (c = 0; c < 5; ++c) printf("%.17g %.9g\n", lp_sos[s][c], (double)lp_sos_f[s][c]);
    return 0;
}
)");
    const std::vector<double> v = Numbers(out);
    ASSERT_EQ(v.size(), 2u + 3 * 5 * 2);
    EXPECT_EQ(v[0], 3);
    EXPECT_EQ(v[1], 1.0);
    for (int s = 0; s < 3; ++s) {
        const Section& f = kSections[s];
        const double want[5] = {f.b0 / f.a0, f.b1 / f.a0, f.b2 / f.a0, f.a1 / f.a0, f.a2 / f.a0};
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(v[2 + 10 * s + 2 * c], want[c]) << s << " " << c;
            EXPECT_EQ(static_cast<float>(v[3 + 10 * s + 2 * c]), static_cast<float>(want[c]));
        }
    }
}

TEST_F(CoefExport, CmsisOrderNegatesTheFeedbackAndReversesFirTaps) {
    Write(dir.Path("lp.csv"), IirFile({std::begin(kSections), std::end(kSections)}));
    ASSERT_EQ(ExportCoefHeaderTo(ui, dir.Path("lp.csv"), dir.Path("biquad.h"), true), 1);
    std::string out = CompileAndRun(dir, R"(#include <stdio.h>
#include "biquad.h"
int main(void) {
    int i;
    for (i = 0; i < 5 * BIQUAD_NUM_SECTIONS; ++i)
        printf("%.17g %.9g\n", biquad_coeffs[i], (double)biquad_coeffs_f[i]);
    return 0;
}
)");
    std::vector<double> v = Numbers(out);
    ASSERT_EQ(v.size(), 30u);
    for (int s = 0; s < 3; ++s) {
        const Section& f = kSections[s];
        const double want[5] = {f.b0 / f.a0, f.b1 / f.a0, f.b2 / f.a0, -(f.a1 / f.a0),
                                -(f.a2 / f.a0)};
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(v[10 * s + 2 * c], want[c]) << s << " " << c;
            EXPECT_EQ(static_cast<float>(v[10 * s + 2 * c + 1]), static_cast<float>(want[c]));
        }
    }

    Write(dir.Path("fir.csv"), FirFile());
    for (const bool cmsis : {false, true}) {
        ASSERT_EQ(ExportCoefHeaderTo(ui, dir.Path("fir.csv"), dir.Path("8taps.h"), cmsis), 1);
        out = CompileAndRun(dir, R"(#include <stdio.h>
#include "8taps.h"
int main(void) {
    int i;
    printf("%d\n", COEF_8TAPS_NUM_TAPS);
    for (i = 0; i < COEF_8TAPS_NUM_TAPS; ++i)
        printf("%.17g %.9g\n", coef_8taps_taps[i], (double)coef_8taps_taps_f[i]);
    return 0;
}
)");
        v = Numbers(out);
        ASSERT_EQ(v.size(), 11u);
        EXPECT_EQ(v[0], 5);
        for (int i = 0; i < 5; ++i) {
            const double want = kTaps[cmsis ? 4 - i : i];
            EXPECT_EQ(v[1 + 2 * i], want) << cmsis << " " << i;
            EXPECT_EQ(static_cast<float>(v[2 + 2 * i]), static_cast<float>(want));
        }
    }
}

TEST_F(CoefExport, FirImpulseWaveHoldsTheTapsAtTheGivenRate) {
    Write(dir.Path("fir.csv"), FirFile());
    ASSERT_EQ(ExportCoefImpulseWaveTo(ui, dir.Path("fir.csv"), 44100, dir.Path("fir.wav")), 1);
    const auto b = TempDir::ReadFile(dir.Path("fir.wav"));
    ASSERT_EQ(b.size(), 56u + 5 * 4);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "fact");
    EXPECT_EQ(b[20] | (b[21] << 8), 3);  // IEEE float
    EXPECT_EQ(b[22] | (b[23] << 8), 1);  // mono
    EXPECT_EQ(b[34] | (b[35] << 8), 32); // bits
    EXPECT_EQ(b[24] | (b[25] << 8) | (b[26] << 16), 44100);
    EXPECT_EQ(b[44], 5); // fact: frames
    EXPECT_EQ(std::string(b.begin() + 48, b.begin() + 52), "data");
    for (int i = 0; i < 5; ++i) {
        float v;
        std::memcpy(&v, b.data() + 56 + 4 * i, 4);
        EXPECT_EQ(v, static_cast<float>(kTaps[i])) << i;
    }
}

TEST_F(CoefExport, WrongFilesAreRefusedWithTheirMessageAndLeaveNoFile) {
    Write(dir.Path("lp.csv"), IirFile({kSections[0]}));
    Write(dir.Path("zero.csv"), IirFile({{0.0, 1.0, 0.0, 1.0, 0.0, 0.0}}));
    Write(dir.Path("huge.csv"), IirFile({{1.0, 1e300, 0.0, 1.0, 0.0, 0.0}})); // no float
    Write(dir.Path("meas.opr"), "OPER\x01\x00\x00\x00");
    struct Case {
        const char* input;
        bool wave;
        const char* message;
    };
    const Case cases[] = {
        {"lp.csv", true, xmsg::kIirNoImpulse},   {"meas.opr", true, xmsg::kNoImpulse},
        {"meas.opr", false, xmsg::kNotCoefFile}, {"zero.csv", false, xmsg::kZeroA0},
        {"huge.csv", false, xmsg::kNotFinite},
    };
    for (const Case& c : cases) {
        ui.Clear();
        const std::string out = dir.Path(c.wave ? "out.wav" : "out.h");
        const int rc = c.wave ? ExportCoefImpulseWaveTo(ui, dir.Path(c.input), 48000, out)
                              : ExportCoefHeaderTo(ui, dir.Path(c.input), out, false);
        EXPECT_EQ(rc, 0) << c.input;
        EXPECT_EQ(ui.MessageTexts().back(), c.message) << c.input;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.input;
    }
    EXPECT_EQ(ExportCoefImpulseWaveTo(ui, dir.Path("lp.csv"), 0, dir.Path("out.wav")), 0);
    EXPECT_EQ(ui.MessageTexts().back(), xmsg::kBadRate);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path("")), {}), 4);
}

TEST(SosHeaderText, IdentifiersComeFromTheFileName) {
    EXPECT_EQ(HeaderIdentifier("/x/y/low-pass 2.h"), "low_pass_2");
    EXPECT_EQ(HeaderIdentifier("3band.h"), "coef_3band");
    EXPECT_EQ(HeaderIdentifier("/x/.h"), "_h");
    EXPECT_EQ(HeaderIdentifier(""), "coef");
}

} // namespace
