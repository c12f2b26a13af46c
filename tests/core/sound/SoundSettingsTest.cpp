#include "sound/settings/EnvSettings.h"
#include "sound/settings/StoredSoundSettings.h"

#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(EnvSettings, FilterDisplaySizeFollowsTheBufferAfterOkAndCancel) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const struct { int buffer, size, exp; } cases[] = {{0, 2048, 11}, {1, 1024, 10}, {2, 512, 9}};
    for (const auto& c : cases) {
        EnvSettings s = EnvSettings::FromDocument(doc);
        s.bufferSize = c.buffer;
        CloseEnvSettings(doc, &s);
        EXPECT_EQ(doc.m_nBufferSize, c.buffer);
        EXPECT_EQ(doc.m_nFilterFftSize, c.size);
        EXPECT_EQ(doc.m_nFilterFftExp, c.exp);
    }
    // Cancel: the values stay, the size is derived again from the unchanged buffer setting.
    doc.m_nFilterFftSize = 77;
    doc.m_nFilterFftExp = 3;
    CloseEnvSettings(doc, nullptr);
    EXPECT_EQ(doc.m_nBufferSize, 2);
    EXPECT_EQ(doc.m_nFilterFftSize, 512);
    EXPECT_EQ(doc.m_nFilterFftExp, 9);
}

TEST(EnvSettings, DefaultsButton) {
    EnvSettings s{2, 0, 2, 0, 0, 1, 0};
    s.RestoreDefaults();
    EXPECT_EQ(s.bufferSize, 1);
    EXPECT_EQ(s.processPriority, 1);
    EXPECT_EQ(s.threadPriority, 1);
    EXPECT_EQ(s.drawSpeed, 1);
    EXPECT_EQ(s.smoothing, 2);
    EXPECT_EQ(s.usbCardFix, 0);
    EXPECT_EQ(s.invertWhileMeasuring, 1);
}

TEST(StoredSoundSettings, RoundTripIntoAFreshDocument) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.m_nBufferSize = 0;
    doc.m_nProcessPriority = 2;
    doc.m_nThreadPriority = 0;
    doc.m_nDrawSpeed = 2;
    doc.m_nSmoothing = 0;
    doc.m_bUsbCardFix = 1;
    doc.m_bInvertWhileMeasuring = 0;
    doc.m_fOffset8L = 1.25f;
    doc.m_fOffset8R = -0.781f;
    doc.m_fOffset16L = 10.156f;
    doc.m_fOffset16R = -5.078f;
    doc.m_nMeasRate = 5;
    doc.m_nMeasBits = 0;
    doc.m_nMeasCh = 0;
    doc.m_nPow = 7;
    doc.m_nWindowType = 2;
    doc.m_nDownExp = -3;
    doc.m_bCharUsed = 0;
    doc.m_nCharacteristic = 3;

    CKymoDoc fresh(ui);
    EXPECT_EQ(ApplySoundSettings(fresh, CaptureSoundSettings(doc)), 19);
    EXPECT_EQ(fresh.m_nBufferSize, 0);
    EXPECT_EQ(fresh.m_nFilterFftSize, 2048);
    EXPECT_EQ(fresh.m_nProcessPriority, 2);
    EXPECT_EQ(fresh.m_nThreadPriority, 0);
    EXPECT_EQ(fresh.m_nDrawSpeed, 2);
    EXPECT_EQ(fresh.m_nSmoothing, 0);
    EXPECT_EQ(fresh.m_bUsbCardFix, 1);
    EXPECT_EQ(fresh.m_bInvertWhileMeasuring, 0);
    EXPECT_EQ(fresh.m_fOffset8L, 1.25f);
    EXPECT_EQ(fresh.m_fOffset8R, -0.781f);
    EXPECT_EQ(fresh.m_fOffset16L, 10.156f);
    EXPECT_EQ(fresh.m_fOffset16R, -5.078f);
    EXPECT_EQ(fresh.m_nMeasRate, 5);
    EXPECT_EQ(fresh.m_nMeasBits, 0);
    EXPECT_EQ(fresh.m_nMeasCh, 0);
    EXPECT_EQ(fresh.m_nPow, 7);
    EXPECT_EQ(fresh.m_nPoints, 16384);
    EXPECT_EQ(fresh.m_nWindowType, 2);
    // The Hanning table for 16384 points: 0 at the start, 1 in the middle.
    EXPECT_NEAR(fresh.m_fWindow[0], 0.0f, 1e-6f);
    EXPECT_NEAR(fresh.m_fWindow[8192], 1.0f, 1e-6f);
    EXPECT_EQ(fresh.m_nDownExp, -3);
    EXPECT_EQ(fresh.m_bCharUsed, 0);
    EXPECT_EQ(fresh.m_nCharacteristic, 3);
}

TEST(StoredSoundSettings, DamagedValuesLeaveTheDocumentsOwn) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<StoredSetting> bad = {
        {"Pow", 9},
        {"Pow", -1},
        {"Pow", 2.5},
        {"MeasRate", 6},
        {"MeasCh", 2},
        {"DownExp", -7},
        {"DownExp", 1},
        {"WindowType", 6},
        {"WindowType", 0},
        {"WindowType", 8},
        {"BufferSize", 3},
        {"Characteristic", 0},
        {"Offset16L", nan},
        {"Offset8R", 1e30},
        {"Offset8L", -101.0},
        {"Smoothing", -1},
        {"UnknownKey", 1},
        {"MeasBits", 4},
        {"InvertWhileMeasuring", std::numeric_limits<double>::infinity()},
    };
    EXPECT_EQ(ApplySoundSettings(doc, bad), 0);
    CKymoDoc fresh(ui);
    const auto before = CaptureSoundSettings(fresh);
    const auto after = CaptureSoundSettings(doc);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i].value, before[i].value) << after[i].key;
    EXPECT_EQ(doc.m_nPoints, 2048);
}

} // namespace
