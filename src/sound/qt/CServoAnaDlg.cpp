#include "sound/qt/CServoAnaDlg.h"

#include "sound/servo/ServoAnaPanel.h"
#include "sound/servo/ServoExcitation.h"

#include <QComboBox>
#include <QFormLayout>

CServoAnaDlg::CServoAnaDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CSpecAnaDlg(doc, std::make_unique<CServoAnaPanel>(doc, card), "ｻｰﾎﾞｱﾅﾗｲｻﾞｰ", "ServoAnaDlg",
                  true, true, parent) {
    m_excitation = new QComboBox;
    m_excitation->setObjectName(QStringLiteral("excitation"));
    for (int i = 0; i < servo::kCount; ++i)
        m_excitation->addItem(QString::fromUtf8(CServoAnaPanel::ExcitationText(i)));
    m_excitation->setCurrentIndex(Servo().Excitation());
    Form()->insertRow(0, m_excitation);
    connect(m_excitation, &QComboBox::activated, this, &CServoAnaDlg::OnExcitation);
}

CServoAnaPanel& CServoAnaDlg::Servo() {
    return static_cast<CServoAnaPanel&>(Panel());
}

void CServoAnaDlg::OnExcitation(int index) {
    Servo().OnExcitation(index);
    m_excitation->setCurrentIndex(Servo().Excitation());
    Refresh();
}
