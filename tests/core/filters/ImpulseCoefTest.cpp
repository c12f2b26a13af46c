#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "filters/CoefFile.h"
#include "filters/FileFilterCommands.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ImpulseCoef, FlatResponseGivesCentredUnitTap) {
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.SetPow(0); // N = 128
    const int n = doc.m_nPoints;
    // A pure delay of 3 samples: H[k] = e^(-j 2 pi 3 k / N).
    for (int k = 0; k < n; ++k) {
        doc.m_fRe[k] = static_cast<float>(std::cos(2 * M_PI * 3 * k / n));
        doc.m_fIm[k] = static_cast<float>(-std::sin(2 * M_PI * 3 * k / n));
    }
    ui.fileAnswers = {dir.Path("imp")};
    ASSERT_EQ(OnSaveImpulseCoef(doc), 1);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{dir.Path("imp.csv")});

    CoefFileHeader h;
    std::vector<double> taps;
    ASSERT_EQ(CoefFile(ui).ReadFirFile(dir.Path("imp.csv"), h, taps), 1);
    EXPECT_EQ(h.kind, "Inp_Resp");
    EXPECT_EQ(h.shape, "Unknown");
    ASSERT_EQ(h.count, n);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(taps[i], i == n / 2 + 3 ? 1.0 : 0.0, 1e-5) << i;
}

} // namespace
