#include "app/dialogs/CScalingDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QDoubleSpinBox* DbField(double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(-1000, 1000);
    box->setDecimals(2);
    box->setValue(std::clamp(value, -1000.0, 1000.0));
    return box;
}

} // namespace

CManualScaleDlg::CManualScaleDlg(const LogMagChoice& start, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ﾏﾆｭｱﾙｽｹｰﾘﾝｸﾞ"));
    m_top = DbField(start.top);
    m_range = DbField(start.range);
    m_top->setObjectName(QStringLiteral("top"));
    m_range->setObjectName(QStringLiteral("range"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("最大値(dB)"), m_top);
    form->addRow(QStringLiteral("ｽｹｰﾙのＤﾚﾝｼﾞ(dB)"), m_range);

    auto* phaseBox = new QGroupBox(QStringLiteral("位相表示のｾﾝﾀｰ値"));
    auto* phaseLayout = new QVBoxLayout(phaseBox);
    const char* labels[3] = {"    0°(deg)", "-180°(deg)", "位相表示しない"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_phase[i] = new QRadioButton(QString::fromUtf8(labels[i]));
        group->addButton(m_phase[i], i);
        phaseLayout->addWidget(m_phase[i]);
    }
    m_phase[std::clamp(start.phaseMode, 0, 2)]->setChecked(true);
    phaseLayout->addWidget(new QLabel(QStringLiteral("ｾﾝﾀｰ値の±180°表示 位相表示でなければ無効")));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(phaseBox);
    layout->addWidget(buttons);
}

double CManualScaleDlg::Top() const {
    return m_top->value();
}

double CManualScaleDlg::Range() const {
    return m_range->value();
}

int CManualScaleDlg::PhaseMode() const {
    for (int i = 0; i < 3; ++i)
        if (m_phase[i]->isChecked()) return i;
    return 0;
}

void CManualScaleDlg::SetValues(double top, double range, int phaseMode) {
    m_top->setValue(top);
    m_range->setValue(range);
    m_phase[std::clamp(phaseMode, 0, 2)]->setChecked(true);
}

CScalingDlg::CScalingDlg(const LogMagChoice& start, QWidget* parent)
    : QDialog(parent), m_choice(start) {
    setWindowTitle(QStringLiteral("ｽｹｰﾘﾝｸﾞの設定"));
    m_auto = new QRadioButton(QStringLiteral("Auto"));
    m_manual = new QRadioButton(QStringLiteral("Mannnual"));
    m_auto->setObjectName(QStringLiteral("auto"));
    m_manual->setObjectName(QStringLiteral("manual"));
    m_auto->setChecked(true);
    connect(m_manual, &QRadioButton::clicked, this, &CScalingDlg::OnManualClicked);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_auto);
    layout->addWidget(m_manual);
    layout->addWidget(new QLabel(QStringLiteral("分からないときはAuto設定にして下さい")));
    layout->addWidget(buttons);
}

void CScalingDlg::OnManualClicked() {
    CManualScaleDlg dlg(m_choice, this);
    if (dlg.exec() == QDialog::Accepted) ChooseManual(dlg.Top(), dlg.Range(), dlg.PhaseMode());
}

void CScalingDlg::ChooseManual(double top, double range, int phaseMode) {
    m_manual->setChecked(true);
    m_choice.top = top;
    m_choice.range = range;
    m_choice.phaseMode = phaseMode;
}

void CScalingDlg::ChooseAuto() {
    m_auto->setChecked(true);
}

LogMagChoice CScalingDlg::Choice(bool accepted) const {
    LogMagChoice c = m_choice;
    c.accepted = accepted;
    c.manual = m_manual->isChecked();
    return c;
}
