#include "sound/audio/AudioResults.h"

#include "document/AudioFile.h"
#include "document/DocumentUi.h"
#include "sound/audio/AudioItems.h"
#include "sound/audio/AudioMessages.h"

#include <algorithm>

namespace {
constexpr std::size_t kCurve = audio::kTspPoints;

bool ValidHeader(const AudioFile& f) {
    if (f.m_nExp != audio::kStoreExp) return false;
    if (f.m_nValue1 != 44100 && f.m_nValue1 != 48000 && f.m_nValue1 != 96000) return false;
    if (f.m_nValue2 < 1 || f.m_nValue2 > 3) return false;
    return std::all_of(f.m_nFlags.begin(), f.m_nFlags.end(),
                       [](int flag) { return flag == 0 || flag == 1; });
}
} // namespace

CAudioResults::CAudioResults() : m_fStore(kRunCurves * kCurve, 0.0f) {}

void CAudioResults::Clear() {
    m_fResult.fill(0.0f);
    m_nFlags.fill(0);
    std::fill(m_fStore.begin(), m_fStore.end(), 0.0f);
    m_nAppended = 0;
}

bool CAudioResults::Append(const float* curve) {
    const std::size_t at = static_cast<std::size_t>(m_nAppended) * kCurve;
    if (at + kCurve > m_fStore.size()) return false;
    std::copy(curve, curve + kCurve, m_fStore.begin() + static_cast<std::ptrdiff_t>(at));
    ++m_nAppended;
    return true;
}

const float* CAudioResults::ItemCurves(int item, int curveOffset) const {
    int before = 0;
    for (int i = 0; i < item; ++i)
        if (m_nFlags[i] == 1) before += 2;
    const std::size_t at = static_cast<std::size_t>(before + curveOffset) * kCurve;
    if (at + kCurve > m_fStore.size()) return nullptr;
    return m_fStore.data() + at;
}

int CAudioResults::CurveCount() const {
    int count = 0;
    for (int i = 0; i < kItems; ++i)
        if (m_nFlags[i] == 1) count += CurvesOf(i);
    return count;
}

int LoadAudioResults(IDocumentUi& ui, const std::string& path, CAudioResults& results) {
    AudioFile file;
    if (!ReadAudioHeaderFrom(ui, path, file) || !ValidHeader(file)) {
        ui.ShowMessage(audiomsg::kLoadFailedHeader, MessageIcon::Error);
        return 0;
    }
    if (!ReadAudioCurves(ui, path, file)) {
        ui.ShowMessage(audiomsg::kLoadFailedCurves, MessageIcon::Error);
        return 0;
    }
    const std::size_t curves = static_cast<std::size_t>(file.CurveCount());
    std::vector<float> store(std::max<std::size_t>(CAudioResults::kRunCurves, curves) * kCurve,
                             0.0f);
    std::copy(file.m_fCurves.begin(), file.m_fCurves.end(), store.begin());
    results.m_fStore = std::move(store);
    results.m_fResult = file.m_fConditions;
    results.m_nFlags = file.m_nFlags;
    results.m_nRate = file.m_nValue1;
    results.m_nWidthCode = file.m_nValue2;
    results.Rewind();
    return 1;
}

int SaveAudioResults(IDocumentUi& ui, const std::string& path, const CAudioResults& results) {
    AudioFile file;
    file.m_nExp = audio::kStoreExp;
    file.m_nValue1 = results.m_nRate;
    file.m_nValue2 = results.m_nWidthCode;
    file.m_fConditions = results.m_fResult;
    file.m_nFlags = results.m_nFlags;
    const std::size_t values = static_cast<std::size_t>(file.CurveCount()) * kCurve;
    file.m_fCurves.assign(results.m_fStore.begin(),
                          results.m_fStore.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                         values, results.m_fStore.size())));
    return WriteAudioFile(ui, path, file);
}
