#include "app/dialogs/CFirSettingDlg.h"

#include "filters/WindowFir.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

void FillShapeList(QComboBox* box, int shape) {
    box->addItems({QStringLiteral("LowPass"), QStringLiteral("HighPass"),
                   QStringLiteral("BandPass"), QStringLiteral("BandStop")});
    box->setCurrentIndex(shape >= 0 && shape < 4 ? shape : 0);
}

namespace {

QLineEdit* NumberEdit(const QString& name, const QString& text) {
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    return e;
}

} // namespace

CFirSettingDlg::CFirSettingDlg(const FirWindowSettings& s, int window, int fs, QWidget* parent)
    : QDialog(parent), m_nFs(fs), m_nShape(s.shape) {
    setWindowTitle(QStringLiteral("FIRﾌｨﾙﾀｰの設定"));
    showMessage = [this](const QString& text) {
        QMessageBox::information(this, windowTitle(), text);
    };

    m_shape = new QComboBox;
    m_shape->setObjectName(QStringLiteral("shape"));
    FillShapeList(m_shape, s.shape);
    connect(m_shape, &QComboBox::currentIndexChanged, this, [this](int i) { m_nShape = i; });
    auto* shapeGroup = new QGroupBox(QStringLiteral("ﾌｨﾙﾀｰの選択"));
    auto* shapeRow = new QVBoxLayout(shapeGroup);
    shapeRow->addWidget(m_shape);

    m_taps = NumberEdit(QStringLiteral("taps"), QString::number(s.taps));
    auto* tapGroup = new QGroupBox(QStringLiteral("ﾀｯﾌﾟ数の設定"));
    auto* tapRow = new QHBoxLayout(tapGroup);
    tapRow->addWidget(m_taps);
    tapRow->addWidget(new QLabel(QStringLiteral("個")));

    m_cutLow = NumberEdit(QStringLiteral("cutLow"), QString::number(s.cutLow, 'g', 8));
    m_cutHigh = NumberEdit(QStringLiteral("cutHigh"), QString::number(s.cutHigh, 'g', 8));
    auto* label = new QLineEdit(QString::fromUtf8(FirWindowLabel(window)));
    label->setObjectName(QStringLiteral("window"));
    label->setReadOnly(true);

    auto* grid = new QGridLayout;
    grid->addWidget(shapeGroup, 0, 0, 1, 3);
    grid->addWidget(tapGroup, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Cut-off周波数(1)")), 2, 0);
    grid->addWidget(m_cutLow, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz")), 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Cut-off周波数(2)")), 3, 0);
    grid->addWidget(m_cutHigh, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Hz")), 3, 2);
    grid->addWidget(label, 4, 0, 1, 3);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFirSettingDlg::TryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

FirWindowSettings CFirSettingDlg::Settings() const {
    FirWindowSettings s;
    s.shape = m_nShape;
    s.taps = m_taps->text().toInt();
    s.cutLow = m_cutLow->text().toFloat();
    s.cutHigh = m_cutHigh->text().toFloat();
    return s;
}

QLineEdit* CFirSettingDlg::Field(FirField field) const {
    switch (field) {
    case FirField::Taps:
        return m_taps;
    case FirField::CutHigh:
        return m_cutHigh;
    default:
        return m_cutLow;
    }
}

bool CFirSettingDlg::TryAccept() {
    if (const auto e = CheckFirWindowSettings(Settings(), m_nFs)) {
        showMessage(QString::fromStdString(e->message));
        QLineEdit* edit = Field(e->field);
        edit->selectAll();
        edit->setFocus();
        return false;
    }
    accept();
    return true;
}
