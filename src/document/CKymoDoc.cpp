#include "document/CKymoDoc.h"

#include "document/DocMessages.h"
#include "dsp/FftPlanCache.h"
#include "dsp/FftTables.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

CKymoDoc::CKymoDoc(IDocumentUi& ui, IWavePlayer* player)
    : m_fRe(limits::kComplexCapacity), m_fIm(limits::kComplexCapacity),
      m_fWave1(limits::kWaveCapacity), m_fWork1(limits::kComplexCapacity),
      m_fWave2(limits::kWaveCapacity), m_fWork2(limits::kComplexCapacity),
      m_fOpRe(limits::kComplexCapacity), m_fOpIm(limits::kComplexCapacity),
      m_fMemRe(limits::kComplexCapacity), m_fMemIm(limits::kComplexCapacity),
      m_fCoef(limits::kCoefCapacity), m_fWindow(limits::kComplexCapacity),
      m_fSinTbl(limits::kTwiddleCapacity), m_fCosTbl(limits::kTwiddleCapacity), m_ui(ui),
      m_fftPlans(std::make_unique<FftPlanCache>()), m_pPlayer(player ? player : &m_nullPlayer) {
    m_fDt = 1.0f / static_cast<float>(m_nSamplesPerSec);
    SetPow(4);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    m_szHistory.assign(limits::kHistoryLines, std::string());
    ResetHistory(true);
}

CKymoDoc::~CKymoDoc() {
    m_pPlayer->Stop();
}

void CKymoDoc::SetWavePlayer(IWavePlayer* player) {
    m_pPlayer->Stop();
    m_pPlayer = player ? player : &m_nullPlayer;
}

void CKymoDoc::UpdateAllViews() {
    ++m_nUpdateCount;
    if (m_onUpdate) m_onUpdate();
}

void CKymoDoc::SetPow(int pow) {
    m_nPow = std::clamp(pow, limits::kMinPow, limits::kMaxPow);
    m_nPoints = PointsForPow(m_nPow);
    RebuildTwiddleTables();
}

void CKymoDoc::RebuildTwiddleTables() {
    MakeFftTables(m_nPoints, m_fSinTbl.data(), m_fCosTbl.data());
}

void CKymoDoc::ResetHistory(bool withNoteColumn) {
    std::fill(m_szHistory.begin(), m_szHistory.end(), std::string());
    m_szHistory[0] = withNoteColumn ? msg::kHistoryHeader : msg::kHistoryHeaderAfterSave;
    m_nHistoryCount = 1;
}
