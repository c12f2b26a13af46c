#include "app/dialogs/CIirSettingDlg.h"

#include "document/DocumentUi.h"
#include "filters/BiquadDesign.h"
#include "filters/CoefFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CIirSettingDlg::CIirSettingDlg(IDocumentUi& ui, const BiquadSettings& s, int fs, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_fs(fs) {
    setWindowTitle(QStringLiteral("IIRﾌｨﾙﾀｰ設定"));
    m_type = new QComboBox;
    m_type->setObjectName(QStringLiteral("type"));
    for (int t = 0; t < biquadtype::Count; ++t)
        m_type->addItem(QString::fromUtf8(BiquadTypeName(t)));
    m_type->setCurrentIndex(s.type >= 0 && s.type < biquadtype::Count ? s.type : 0);
    auto* typeGroup = new QGroupBox(QStringLiteral("ﾌｨﾙﾀｰの選択"));
    (new QVBoxLayout(typeGroup))->addWidget(m_type);

    m_freq = new QLineEdit(QString::number(s.freq));
    m_freq->setObjectName(QStringLiteral("freq"));
    m_gain = new QLineEdit(QString::number(s.gainDb));
    m_gain->setObjectName(QStringLiteral("gain"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("周波数")), 0, 0);
    grid->addWidget(m_freq, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("ｹﾞｲﾝ")), 1, 0);
    grid->addWidget(m_gain, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("dB")), 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CIirSettingDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_type, &QComboBox::currentIndexChanged, this, &CIirSettingDlg::UpdateGainEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeGroup);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    UpdateGainEnabled();
}

BiquadSettings CIirSettingDlg::Settings() const {
    BiquadSettings s;
    s.type = m_type->currentIndex();
    s.freq = m_freq->text().toFloat();
    s.gainDb = m_gain->text().toFloat();
    return s;
}

void CIirSettingDlg::UpdateGainEnabled() {
    m_gain->setEnabled(BiquadUsesGain(m_type->currentIndex()));
}

bool CIirSettingDlg::Apply() {
    const BiquadCheck check = ValidateBiquadSettings(Settings(), m_fs);
    if (check.ok) return true;
    m_ui.ShowMessage(check.message, MessageIcon::None);
    QLineEdit* edit = check.field == BiquadField::Gain ? m_gain : m_freq;
    edit->selectAll();
    edit->setFocus();
    return false;
}

void CIirSettingDlg::accept() {
    if (Apply()) QDialog::accept();
}
