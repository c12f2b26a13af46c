#include "sound/spectrum3d/Spec3DPanel.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentUi.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundMessages.h"
#include "sound/spectrum3d/CSpec3DEngine.h"

#include <algorithm>
#include <memory>

namespace {
constexpr int kMaxAvgExp = 7;
constexpr int kMinTheta = -13, kMaxTheta = -5;
constexpr int kMinPhi = 3, kMaxPhi = 7;
} // namespace

int AverageCount3d(int exp) {
    return exp <= 0 ? 1 : 5 << std::min(exp, kMaxAvgExp);
}

CSpec3DPanel::CSpec3DPanel(CKymoDoc& doc, ISoundCard& card)
    : CSpecAnaPanel(doc, std::make_unique<CSpec3DEngine>(card, doc)) {
    Engine().SetRequestCode(realtime::kSpectrum3d);
    m_doc.m_nAvgCount3D = AverageCount3d(m_doc.m_nAvgExp3D);
}

CSpec3DEngine& CSpec3DPanel::Engine3d() const {
    return static_cast<CSpec3DEngine&>(const_cast<CSpec3DPanel*>(this)->Engine());
}

bool CSpec3DPanel::OnStart() {
    if (IsRunning()) {
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    if (!m_doc.Allocate3dHistory()) {
        m_doc.Ui().ShowMessage(sndmsg::kAllocFailed, MessageIcon::Error);
        return false;
    }
    Engine3d().ClearStoppedAtEnd();
    m_doc.m_nAvgCount3D = AverageCount3d(m_doc.m_nAvgExp3D);
    m_doc.m_bLiveView = 1;
    m_doc.disp_mode1 = kind::Spectrum3dStart;
    m_doc.m_bRealBusy = 0;
    m_doc.UpdateAllViews();
    Engine3d().SetPriorityBoost(true, m_doc.m_nProcessPriority, m_doc.m_nThreadPriority);
    return CSpecAnaPanel::OnStart();
}

void CSpec3DPanel::Close() {
    CSpecAnaPanel::Close();
    m_doc.m_bLiveView = 0;
}

bool CSpec3DPanel::SpinAllowed() {
    if (IsRunning()) {
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    m_doc.m_nRealUpdates = 0;
    m_doc.ClearAccumulators();
    return true;
}

void CSpec3DPanel::OnAverageCountSpin(int delta) {
    if (!SpinAllowed()) return;
    m_doc.m_nAvgExp3D = std::clamp(m_doc.m_nAvgExp3D + delta, 0, kMaxAvgExp);
    m_doc.m_nAvgCount3D = AverageCount3d(m_doc.m_nAvgExp3D);
}

void CSpec3DPanel::OnThetaSpin(int delta) {
    if (!SpinAllowed()) return;
    m_doc.m_nTheta3D = std::clamp(m_doc.m_nTheta3D + delta, kMinTheta, kMaxTheta);
}

void CSpec3DPanel::OnPhiSpin(int delta) {
    if (!SpinAllowed()) return;
    m_doc.m_nPhi3D = std::clamp(m_doc.m_nPhi3D + delta, kMinPhi, kMaxPhi);
}

void CSpec3DPanel::OnRepeat() {
    m_doc.m_bStopAtEnd3D = m_doc.m_bStopAtEnd3D ? 0 : 1;
}

std::string CSpec3DPanel::AverageCountText() const {
    return std::to_string(AverageCount3d(m_doc.m_nAvgExp3D));
}

std::string CSpec3DPanel::ThetaText() const {
    return std::to_string(10 * m_doc.m_nTheta3D + 95);
}

std::string CSpec3DPanel::PhiText() const {
    return std::to_string(10 * m_doc.m_nPhi3D + 5);
}

bool CSpec3DPanel::RepeatOn() const {
    return m_doc.m_bStopAtEnd3D == 0;
}

bool CSpec3DPanel::StoppedAtEnd() const {
    return Engine3d().StoppedAtEnd();
}
