#include "sound/settings/StoredSoundSettings.h"

#include "document/CKymoDoc.h"
#include "dsp/WindowKinds.h"
#include "sound/settings/EnvSettings.h"

#include <cmath>

namespace {

struct IntField {
    const char* key;
    int CKymoDoc::*member;
    int min, max;
};

constexpr IntField kIntFields[] = {
    {"BufferSize", &CKymoDoc::m_nBufferSize, 0, 2},
    {"ProcessPriority", &CKymoDoc::m_nProcessPriority, 0, 2},
    {"ThreadPriority", &CKymoDoc::m_nThreadPriority, 0, 2},
    {"DrawSpeed", &CKymoDoc::m_nDrawSpeed, 0, 2},
    {"Smoothing", &CKymoDoc::m_nSmoothing, 0, 2},
    {"UsbCardFix", &CKymoDoc::m_bUsbCardFix, 0, 1},
    {"InvertWhileMeasuring", &CKymoDoc::m_bInvertWhileMeasuring, 0, 1},
    {"MeasRate", &CKymoDoc::m_nMeasRate, 0, 5},
    // Widths other than 8 and 16 bits are left by the audio measurement; an instrument's start
    // turns them into 16 bits with its message.
    {"MeasBits", &CKymoDoc::m_nMeasBits, 0, 3},
    {"MeasCh", &CKymoDoc::m_nMeasCh, 0, 1},
    {"Pow", &CKymoDoc::m_nPow, 0, 8},
    {"WindowType", &CKymoDoc::m_nWindowType, wnd::Triangle, wnd::None},
    {"DownExp", &CKymoDoc::m_nDownExp, -6, 0},
    {"CharUsed", &CKymoDoc::m_bCharUsed, 0, 1},
    {"Characteristic", &CKymoDoc::m_nCharacteristic, 1, 3},
};

struct FloatField {
    const char* key;
    float CKymoDoc::*member;
};

constexpr FloatField kFloatFields[] = {
    {"Offset8L", &CKymoDoc::m_fOffset8L},
    {"Offset8R", &CKymoDoc::m_fOffset8R},
    {"Offset16L", &CKymoDoc::m_fOffset16L},
    {"Offset16R", &CKymoDoc::m_fOffset16R},
};

// Offsets are percentages of full scale.
constexpr double kMaxOffset = 100.0;

bool ApplyOne(CKymoDoc& doc, const StoredSetting& s) {
    if (!std::isfinite(s.value)) return false;
    for (const IntField& f : kIntFields) {
        if (s.key != f.key) continue;
        if (s.value != std::floor(s.value) || s.value < f.min || s.value > f.max) return false;
        const int v = static_cast<int>(s.value);
        if (f.member == &CKymoDoc::m_nWindowType && v == wnd::Rectangular) return false;
        doc.*f.member = v;
        return true;
    }
    for (const FloatField& f : kFloatFields) {
        if (s.key != f.key) continue;
        if (std::fabs(s.value) > kMaxOffset) return false;
        doc.*f.member = static_cast<float>(s.value);
        return true;
    }
    return false;
}

} // namespace

std::vector<StoredSetting> CaptureSoundSettings(const CKymoDoc& doc) {
    std::vector<StoredSetting> values;
    for (const IntField& f : kIntFields)
        values.push_back({f.key, static_cast<double>(doc.*f.member)});
    for (const FloatField& f : kFloatFields) values.push_back({f.key, doc.*f.member});
    return values;
}

int ApplySoundSettings(CKymoDoc& doc, const std::vector<StoredSetting>& values) {
    int applied = 0;
    for (const StoredSetting& s : values)
        if (ApplyOne(doc, s)) ++applied;
    doc.SetPow(doc.m_nPow);
    if (doc.m_nWindowType >= wnd::Triangle && doc.m_nWindowType <= wnd::Kaiser)
        doc.MakeWindow(1, 1, doc.m_nWindowType, doc.m_nPoints);
    DeriveFilterFftSize(doc);
    return applied;
}
