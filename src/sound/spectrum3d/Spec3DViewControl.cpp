#include "sound/spectrum3d/Spec3DViewControl.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "sound/spectrum/LevelSteps.h"

#include <algorithm>

namespace {
constexpr int kMinTheta = -14, kMaxTheta = -4;
constexpr int kMinPhi = 3, kMaxPhi = 7;
} // namespace

CSpec3DViewControl::CSpec3DViewControl(CKymoDoc& doc) : m_doc(doc) {}

void CSpec3DViewControl::Redraw() {
    m_doc.disp_mode1 = kind::Spectrum3dFinished;
    m_doc.UpdateAllViews();
}

void CSpec3DViewControl::OnTopLevelSpin(int delta) {
    StepTopLevel(m_doc, delta);
    Redraw();
}

void CSpec3DViewControl::OnDynamicRangeSpin(int delta) {
    StepDynamicRange(m_doc, delta);
    Redraw();
}

void CSpec3DViewControl::OnThetaSpin(int delta) {
    m_doc.m_nTheta3D = std::clamp(m_doc.m_nTheta3D + delta, kMinTheta, kMaxTheta);
    Redraw();
}

void CSpec3DViewControl::OnPhiSpin(int delta) {
    m_doc.m_nPhi3D = std::clamp(m_doc.m_nPhi3D + delta, kMinPhi, kMaxPhi);
    Redraw();
}

void CSpec3DViewControl::OnLogAxis() {
    m_doc.m_bLogAxis = 1;
    Redraw();
}

void CSpec3DViewControl::OnLinearAxis() {
    m_doc.m_bLogAxis = 0;
    Redraw();
}

std::string CSpec3DViewControl::TopLevelText() const {
    return std::to_string(m_doc.m_nTopLevelStep * 10);
}

std::string CSpec3DViewControl::DynamicRangeText() const {
    return std::to_string(m_doc.m_nDynamicRangeStep * 10);
}

std::string CSpec3DViewControl::ThetaText() const {
    return std::to_string(10 * m_doc.m_nTheta3D + 95);
}

std::string CSpec3DViewControl::PhiText() const {
    return std::to_string(10 * m_doc.m_nPhi3D + 5);
}

bool CSpec3DViewControl::LogEnabled() const {
    return m_doc.m_bLogAxis == 0;
}

bool CSpec3DViewControl::LinearEnabled() const {
    return m_doc.m_bLogAxis != 0;
}
