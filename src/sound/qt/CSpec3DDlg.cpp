#include "sound/qt/CSpec3DDlg.h"

#include "sound/qt/PanelButtonImages.h"
#include "sound/qt/PanelWidgets.h"
#include "sound/spectrum3d/Spec3DPanel.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QToolButton>

CSpec3DDlg::CSpec3DDlg(CKymoDoc& doc, ISoundCard& card, QWidget* parent)
    : CSpecAnaDlg(doc, std::make_unique<CSpec3DPanel>(doc, card), "3Dｽﾍﾟｱﾅ・ｺﾝﾄﾛｰﾙ", "Spec3DDlg",
                  true, false, parent) {
    m_average = Field();
    m_theta = Field();
    m_phi = Field();
    m_repeat = new QToolButton;
    m_repeat->setObjectName(QStringLiteral("repeat"));
    m_repeat->setToolTip(QStringLiteral("Repeat"));
    m_repeat->setAccessibleName(QStringLiteral("Repeat"));
    m_repeat->setIconSize(PanelButtonImageSize());
    Form()->addRow(QStringLiteral("平均化回数"), SpinRow(m_average, "averageCount", [this](int d) {
                       Panel3d().OnAverageCountSpin(d);
                   }));
    Form()->addRow(QStringLiteral("水平角(θ)"),
                   SpinRow(m_theta, "theta", [this](int d) { Panel3d().OnThetaSpin(d); }));
    Form()->addRow(QStringLiteral("垂直角(φ)"),
                   SpinRow(m_phi, "phi", [this](int d) { Panel3d().OnPhiSpin(d); }));
    Form()->addRow(QString(), m_repeat);
    connect(m_repeat, &QToolButton::clicked, this, [this] {
        Panel3d().OnRepeat();
        Refresh();
    });
    Refresh();
}

CSpec3DPanel& CSpec3DDlg::Panel3d() {
    return static_cast<CSpec3DPanel&>(Panel());
}

void CSpec3DDlg::Refresh() {
    CSpecAnaDlg::Refresh();
    if (!m_repeat) return;
    CSpec3DPanel& p = Panel3d();
    m_average->setText(UiText(p.AverageCountText()));
    m_theta->setText(UiText(p.ThetaText()));
    m_phi->setText(UiText(p.PhiText()));
    m_repeat->setIcon(PanelButtonImage(QStringLiteral("Repeat"), p.RepeatOn()));
}
