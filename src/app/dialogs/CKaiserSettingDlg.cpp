#include "app/dialogs/CKaiserSettingDlg.h"

#include "app/dialogs/CFirNoticeDlg.h"
#include "app/dialogs/CFirSettingDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

QLineEdit* NumberEdit(const QString& name, float value) {
    auto* e = new QLineEdit(QString::number(value, 'g', 8));
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

CKaiserSettingDlg::CKaiserSettingDlg(const KaiserSettings& s, int fs, QWidget* parent)
    : QDialog(parent), m_nFs(fs), m_nShape(s.shape) {
    setWindowTitle(QStringLiteral("FIRﾌｨﾙﾀｰ設定(Kaiser窓)"));
    showMessage = [this](const QString& text) {
        QMessageBox::information(this, windowTitle(), text);
    };
    confirmNotice = [this](const QString& text) {
        CFirNoticeDlg notice(text, this, true);
        return notice.exec() == QDialog::Accepted;
    };

    m_shape = new QComboBox;
    m_shape->setObjectName(QStringLiteral("shape"));
    FillShapeList(m_shape, s.shape);
    connect(m_shape, &QComboBox::currentIndexChanged, this, [this](int i) { m_nShape = i; });
    auto* shapeGroup = new QGroupBox(QStringLiteral("ﾌｨﾙﾀｰの選択"));
    (new QVBoxLayout(shapeGroup))->addWidget(m_shape);

    m_atten = NumberEdit(QStringLiteral("atten"), s.atten);
    auto* attenGroup = new QGroupBox(QStringLiteral("減衰量の設定"));
    auto* attenRow = new QHBoxLayout(attenGroup);
    attenRow->addWidget(m_atten);
    attenRow->addWidget(new QLabel(QStringLiteral("dB")));

    m_cutLow = NumberEdit(QStringLiteral("cutLow"), s.cutLow);
    m_cutHigh = NumberEdit(QStringLiteral("cutHigh"), s.cutHigh);
    m_transition = NumberEdit(QStringLiteral("transition"), s.transition);
    auto* grid = new QGridLayout;
    grid->addWidget(shapeGroup, 0, 0, 1, 3);
    grid->addWidget(attenGroup, 1, 0, 1, 3);
    const std::pair<const char*, QLineEdit*> rows[] = {{"低域ｶｯﾄｵﾌ周波数", m_cutLow},
                                                       {"高域ｶｯﾄｵﾌ周波数", m_cutHigh},
                                                       {"遷移帯域幅", m_transition}};
    int r = 2;
    for (const auto& [text, edit] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(text)), r, 0);
        grid->addWidget(edit, r, 1);
        grid->addWidget(new QLabel(QStringLiteral("Hz")), r, 2);
        ++r;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CKaiserSettingDlg::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

KaiserSettings CKaiserSettingDlg::Settings() const {
    return {m_nShape, m_cutLow->text().toFloat(), m_cutHigh->text().toFloat(),
            m_atten->text().toFloat(), m_transition->text().toFloat()};
}

QLineEdit* CKaiserSettingDlg::Field(FirField field) const {
    switch (field) {
    case FirField::Atten:
        return m_atten;
    case FirField::CutHigh:
        return m_cutHigh;
    case FirField::Transition:
        return m_transition;
    default:
        return m_cutLow;
    }
}

bool CKaiserSettingDlg::TryAccept() {
    KaiserSettings s = Settings();
    if (s.shape != 2 && s.shape != 3) {
        s.cutHigh = 0.0f;
        m_cutHigh->setText(QStringLiteral("0"));
    }
    int taps = 0;
    if (const auto e = CheckKaiserSettings(s, m_nFs, taps)) {
        showMessage(QString::fromStdString(e->message));
        QLineEdit* edit = Field(e->field);
        edit->selectAll();
        edit->setFocus();
        return false;
    }
    if (taps > kKaiserNoticeTaps &&
        !confirmNotice(QString::fromStdString(KaiserNoticeText(taps)))) {
        m_atten->selectAll();
        m_atten->setFocus();
        return false;
    }
    m_nTaps = taps;
    accept();
    return true;
}
