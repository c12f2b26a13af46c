#include "sound/servo/ServoAnaPanel.h"

#include "document/CKymoDoc.h"
#include "dsp/Rand15.h"
#include "sound/RealtimeCodes.h"
#include "sound/engine/SoundMessages.h"
#include "sound/settings/MeasConditions.h"

#include <algorithm>

CServoAnaPanel::CServoAnaPanel(CKymoDoc& doc, ISoundCard& card)
    : CServoAnaPanel(doc, std::make_unique<CServoDuplex>(card, doc)) {}

CServoAnaPanel::CServoAnaPanel(CKymoDoc& doc, std::unique_ptr<CServoDuplex> engine)
    : CSpecAnaPanel(doc, std::move(engine)), m_servo(static_cast<CServoDuplex&>(Engine())) {
    Engine().SetRequestCode(realtime::kServo);
}

int CServoAnaPanel::Excitation() const {
    return m_doc.m_nExcitation;
}

const char* CServoAnaPanel::ExcitationText(int excitation) {
    return servo::ExcitationText(excitation);
}

int CServoAnaPanel::EngineLength() const {
    return m_servo.EngineLength();
}

bool CServoAnaPanel::OnStart() {
    if (IsRunning()) {
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    const int rate = meas::RateOfIndex(m_doc.m_nMeasRate);
    const std::vector<double> taps = m_doc.m_nDownExp != 0
                                         ? CKymoDoc::DecimationFilter(rate, m_doc.m_nPow)
                                         : std::vector<double>();
    m_servo.Arm(std::clamp(m_doc.m_nExcitation, 0, servo::kCount - 1), taps,
                m_seed ? *m_seed : CRand15::ClockSeed());
    return CSpecAnaPanel::OnStart();
}

void CServoAnaPanel::OnExcitation(int excitation) {
    m_doc.m_nExcitation = std::clamp(excitation, 0, servo::kCount - 1);
    if (!IsRunning()) return;
    Engine().StopRSound();
    OnStart();
}
