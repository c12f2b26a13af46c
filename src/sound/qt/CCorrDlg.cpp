#include "sound/qt/CCorrDlg.h"

#include "sound/correlation/CorrPanel.h"
#include "sound/qt/PanelWidgets.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CCorrDlg::CCorrDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CSpecAnaDlg(doc, std::make_unique<CCorrPanel>(doc, card), "自己/相互相関", "CorrDlg", false,
                  true, parent),
      m_gain(Field()), m_time(Field()) {
    Form()->addRow(new QLabel(QStringLiteral("相関表示")));
    Form()->addRow(QStringLiteral("相関値(倍)"),
                   SpinRow(m_gain, "corrGain", [this](int d) { CorrPanel().OnCorrGainSpin(d); }));
    Form()->addRow(QStringLiteral("時間軸(倍)"),
                   SpinRow(m_time, "corrTime", [this](int d) { CorrPanel().OnCorrTimeSpin(d); }));
    Refresh();
}

CCorrPanel& CCorrDlg::CorrPanel() {
    return static_cast<CCorrPanel&>(Panel());
}

void CCorrDlg::Refresh() {
    CSpecAnaDlg::Refresh();
    if (!m_gain || !m_time) return;
    m_gain->setText(UiText(CorrPanel().CorrGainText()));
    m_time->setText(UiText(CorrPanel().CorrTimeText()));
}
