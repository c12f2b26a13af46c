#include "filters/CascadeIirDesign.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/CascadeDocumentParams.h"
#include "filters/CascadeMessages.h"
#include "filters/CascadeResponse.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include <cmath>
#include <numbers>
#include <string>

namespace {

struct ValidationCase {
    const char* what;
    CascadeParams params;
    std::string message; // empty: accepted
    CascadeField field;
};

CascadeParams With(void (*edit)(CascadeParams&)) {
    CascadeParams p;
    edit(p);
    return p;
}

class CascadeValidationTest : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(CascadeValidationTest, FirstFailureWins) {
    const ValidationCase& c = GetParam();
    CascadeIirDesign design;
    CScriptedUi ui;
    CascadeField field = CascadeField::None;
    const int ok = design.Validate(c.params, 0, ui, &field);
    if (c.message.empty()) {
        EXPECT_EQ(ok, 1) << c.what;
        EXPECT_TRUE(ui.messages.empty()) << c.what << ": " << ui.messages[0].text;
    } else {
        EXPECT_EQ(ok, 0) << c.what;
        ASSERT_EQ(ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(ui.messages[0].text, c.message) << c.what;
        EXPECT_EQ(field, c.field) << c.what;
    }
}

const std::string kOrder60 = "IIR次数は2～60までとして下さい。";
const std::string kOrder30 = "IIR次数は2～30までとして下さい。";

INSTANTIATE_TEST_SUITE_P(
    Cases, CascadeValidationTest,
    ::testing::Values(
        ValidationCase{"defaults", CascadeParams{}, "", CascadeField::None},
        ValidationCase{"f1 zero", With([](CascadeParams& p) { p.cutLow = 0; }), fmsg::kAboveZero,
                       CascadeField::CutLow},
        ValidationCase{"f2 zero band", With([](CascadeParams& p) {
                           p.shape = shape::BandPass;
                           p.cutHigh = -1;
                       }),
                       fmsg::kAboveZero, CascadeField::CutHigh},
        ValidationCase{"f2 ignored low-pass", With([](CascadeParams& p) { p.cutHigh = -1; }), "",
                       CascadeField::None},
        ValidationCase{"f1 above fs/2 at 44.1k", With([](CascadeParams& p) {
                           p.rateChoice = 0;
                           p.cutLow = 22051;
                       }),
                       fmsg::kCutTooHigh, CascadeField::CutLow},
        // At fs/2 the prototype's poles land on z = -1 (states grow without bound).
        ValidationCase{"f1 at fs/2", With([](CascadeParams& p) { p.cutLow = 24000; }),
                       fmsg::kCutTooHigh, CascadeField::CutLow},
        ValidationCase{"high-pass f1 at fs/2", With([](CascadeParams& p) {
                           p.shape = shape::HighPass;
                           p.kind = kCascadeInvChebyshev;
                           p.cutLow = 24000;
                       }),
                       fmsg::kCutTooHigh, CascadeField::CutLow},
        ValidationCase{"f1 just below fs/2", With([](CascadeParams& p) { p.cutLow = 23999.9; }), "",
                       CascadeField::None},
        ValidationCase{"f2 at fs/2", With([](CascadeParams& p) {
                           p.shape = shape::BandPass;
                           p.cutHigh = 24000;
                       }),
                       fmsg::kCutTooHigh, CascadeField::CutHigh},
        ValidationCase{"f2 above fs/2", With([](CascadeParams& p) {
                           p.shape = shape::BandStop;
                           p.cutHigh = 24001;
                       }),
                       fmsg::kCutTooHigh, CascadeField::CutHigh},
        ValidationCase{"band edges in the wrong order", With([](CascadeParams& p) {
                           p.shape = shape::BandPass;
                           p.cutLow = 4500;
                           p.cutHigh = 4500;
                       }),
                       fmsg::kLowBelowHigh, CascadeField::CutLow},
        ValidationCase{"R too small", With([](CascadeParams& p) { p.refResistorK = 0.9; }),
                       cmsg::kResistorRange, CascadeField::Resistor},
        ValidationCase{"C too large", With([](CascadeParams& p) { p.refCapacitorU = 10.5; }),
                       cmsg::kCapacitorRange, CascadeField::Capacitor},
        ValidationCase{"low-pass n = 1", With([](CascadeParams& p) { p.order = 1; }), kOrder60,
                       CascadeField::Order},
        ValidationCase{"low-pass n = 61", With([](CascadeParams& p) { p.order = 61; }), kOrder60,
                       CascadeField::Order},
        ValidationCase{"low-pass n = 60", With([](CascadeParams& p) { p.order = 60; }), "",
                       CascadeField::None},
        ValidationCase{"band-pass n = 30", With([](CascadeParams& p) {
                           p.shape = shape::BandPass;
                           p.order = 30;
                       }),
                       "", CascadeField::None},
        ValidationCase{"band-pass n = 31", With([](CascadeParams& p) {
                           p.shape = shape::BandPass;
                           p.order = 31;
                       }),
                       kOrder30, CascadeField::Order},
        ValidationCase{"band-stop n = 1", With([](CascadeParams& p) {
                           p.shape = shape::BandStop;
                           p.order = 1;
                       }),
                       kOrder30, CascadeField::Order},
        ValidationCase{"ripple 0.005 even for Butterworth", With([](CascadeParams& p) {
                           p.kind = kCascadeButterworth;
                           p.ripple = 0.005;
                       }),
                       cmsg::kRippleLevel, CascadeField::Ripple},
        ValidationCase{"stop level 0", With([](CascadeParams& p) { p.stopLevel = 0; }),
                       cmsg::kRippleLevel, CascadeField::StopLevel},
        ValidationCase{"frequency before order", With([](CascadeParams& p) {
                           p.order = 0;
                           p.cutLow = 0;
                       }),
                       fmsg::kAboveZero, CascadeField::CutLow}),
    [](const ::testing::TestParamInfo<ValidationCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(CascadeIirDesign, ValidationStoresTheStageReference) {
    CascadeIirDesign design;
    CScriptedUi ui;
    CascadeParams p;
    p.refResistorK = 4.7;
    p.refCapacitorU = 0.022;
    ASSERT_EQ(design.Validate(p, 3, ui), 1);
    EXPECT_DOUBLE_EQ(design.RefResistor(3), 4700.0);
    EXPECT_DOUBLE_EQ(design.RefCapacitor(3), 2.2e-8);
    EXPECT_DOUBLE_EQ(design.RefResistor(0), 10000.0);
    EXPECT_DOUBLE_EQ(design.RefCapacitor(0), 1e-9);
    EXPECT_EQ(CascadeSliderPosition(2000.0), 40);
    EXPECT_EQ(CascadeSliderPosition(4500.0), 47);
}

TEST(CascadeIirDesign, FailedDesignKeepsThePreviousOne) {
    CascadeIirDesign design;
    CScriptedUi ui;
    CascadeParams p;
    p.kind = kCascadeElliptic;
    ASSERT_EQ(design.ComputeCoefficients(p, false, kSeriesExact, ui), 1);
    EXPECT_EQ(design.TableSet(), 1);
    EXPECT_EQ(design.Order(), 8);
    const BiquadTable before = design.Iir();

    // Stop level below the ripple: the elliptic numerics cannot reach it.
    CascadeParams bad = p;
    bad.stopLevel = 0.5;
    EXPECT_EQ(design.ComputeCoefficients(bad, false, kSeriesExact, ui), 0);
    ASSERT_EQ(ui.MessageTexts(), std::vector<std::string>{cmsg::kCoefficientsFailed});
    // Too many poles for the work arrays: message, failure, process goes on.
    ui.Clear();
    bad = p;
    bad.shape = shape::BandPass;
    bad.order = 26;
    EXPECT_EQ(design.ComputeCoefficients(bad, false, kSeriesExact, ui), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{cmsg::kStorageTooSmall, cmsg::kCoefficientsFailed}));
    // Unknown kind.
    ui.Clear();
    bad = p;
    bad.kind = 4;
    EXPECT_EQ(design.ComputeCoefficients(bad, false, kSeriesExact, ui), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{cmsg::kUnknownKind, cmsg::kCoefficientsFailed}));

    EXPECT_EQ(design.Order(), 8);
    EXPECT_EQ(design.Kind(), kCascadeElliptic);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(design.Iir().a1[k], before.a1[k]);
        EXPECT_EQ(design.Iir().b0[k], before.b0[k]);
    }
}

TEST(CascadeIirDesign, RealizedDesignIsSavedWithAllTables) {
    CascadeIirDesign design;
    CScriptedUi ui;
    CascadeParams p;
    p.kind = kCascadeInvChebyshev;
    p.shape = shape::BandPass;
    p.order = 3;
    ASSERT_EQ(design.Validate(p, 0, ui), 1);
    ASSERT_EQ(design.ComputeCoefficients(p, true, kSeriesE24, ui), 1);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    EXPECT_EQ(design.TableSet(), 3);
    EXPECT_EQ(design.Sections(), 3);
    EXPECT_GT(design.Components().C0[2], 0.0);

    TempDir dir;
    ui.fileAnswers.push_back(dir.Path("design.csv"));
    ASSERT_EQ(design.Save(ui), 1);
    const auto bytes = TempDir::ReadFile(dir.Path("design.csv"));
    const std::string text(bytes.begin(), bytes.end());
    for (const char* line :
         {"Filter_Kind:,Inv_Chebyshev,Filter_Shape:,BPF,Order:,6,",
          "CutOff(L):,2000.000000,CutOff(H):,4500.000000,", "BEGIN_IIR,", "BEGIN_ANA,",
          "BEGIN_ANACR,", "BEGIN_CR,", "C0,C1,R0(&R),R1,R2,R3,R4,R5,R6,R7,", "END_ALL,"})
        EXPECT_NE(text.find(line), std::string::npos) << line;

    // Read back: the sections come in reverse order, the cascade is the same.
    CoefFile file(ui);
    CoefFileHeader header;
    BiquadTable read;
    ASSERT_EQ(file.ReadIirFile(dir.Path("design.csv"), header, read), 1);
    EXPECT_EQ(header.count, 6);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(read.a1[k], design.Iir().a1[2 - k], 1e-6);
    const double w = 2.0 * std::numbers::pi * 3000.0 / 48000.0;
    EXPECT_NEAR(std::abs(DigitalCascadeResponse(read, 3, w)),
                std::abs(DigitalCascadeResponse(design.Iir(), 3, w)), 1e-4);
}

TEST(CascadeIirDesign, RealizationFailureIsPendingAndKeepsTheDigitalDesign) {
    CascadeIirDesign design;
    CScriptedUi ui;
    CascadeParams p;
    p.kind = kCascadeButterworth;
    ASSERT_EQ(design.ComputeCoefficients(p, true, kSeriesSFunction, ui), 1);
    EXPECT_EQ(design.TableSet(), 1); // "s関数": no realization
    EXPECT_EQ(design.Realize(7, ui), 0);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{cmsg::kRealizeFailed});
    EXPECT_TRUE(design.RealizeFailed());
    EXPECT_EQ(design.TableSet(), 1);
    ui.Clear();
    // The next coefficient step skips the pending realization.
    ASSERT_EQ(design.ComputeCoefficients(p, true, kSeriesE12, ui), 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(design.TableSet(), 1);
    design.ClearRealizeFailure();
    ASSERT_EQ(design.ComputeCoefficients(p, true, kSeriesE12, ui), 1);
    EXPECT_EQ(design.TableSet(), 3);
}

} // namespace

namespace {

TEST(CascadeIirDesign, KindChangeFailureAddsItsMessage) {
    CascadeIirDesign design;
    CScriptedUi ui;
    CascadeParams p;
    p.kind = kCascadeInvChebyshev;
    p.stopLevel = 0.0;
    EXPECT_EQ(design.ValidateKindChange(p, 0, ui), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{cmsg::kRippleLevel, cmsg::kKindCheckFailed}));
    EXPECT_FALSE(CascadeIirDesign::UsesRipple(kCascadeInvChebyshev));
    EXPECT_TRUE(CascadeIirDesign::UsesStopLevel(kCascadeInvChebyshev));
    EXPECT_TRUE(CascadeIirDesign::UsesRipple(kCascadeElliptic));
    EXPECT_FALSE(CascadeIirDesign::UsesStopLevel(kCascadeButterworth));
}

TEST(CascadeIirDesign, DocumentFieldsCarryTheDesignParameters) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const CascadeParams defaults = CascadeParamsFromDocument(doc);
    EXPECT_EQ(defaults.shape, shape::LowPass);
    EXPECT_EQ(defaults.kind, kCascadeChebyshev);
    EXPECT_EQ(defaults.order, 8);
    EXPECT_EQ(defaults.cutLow, 2000.0);
    EXPECT_EQ(defaults.cutHigh, 4500.0);
    EXPECT_EQ(defaults.ripple, 1.0);
    EXPECT_EQ(defaults.stopLevel, 50.0);
    CascadeParams p = defaults;
    p.shape = shape::BandStop;
    p.kind = kCascadeElliptic;
    p.order = 5;
    p.cutHigh = 7000.0;
    p.stopLevel = 70.0;
    StoreCascadeParams(p, doc);
    const CascadeParams back = CascadeParamsFromDocument(doc);
    EXPECT_EQ(back.shape, shape::BandStop);
    EXPECT_EQ(back.kind, kCascadeElliptic);
    EXPECT_EQ(back.order, 5);
    EXPECT_EQ(back.cutHigh, 7000.0);
    EXPECT_EQ(back.stopLevel, 70.0);
}

} // namespace
