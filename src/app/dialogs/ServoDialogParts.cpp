#include "app/dialogs/ServoDialogParts.h"

#include "dsp/SamplingChoice.h"
#include "dsp/ServoElements.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QGroupBox* MakeOperationGroup(QButtonGroup*& group) {
    auto* box = new QGroupBox(QStringLiteral("演算操作の選択"));
    group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    const char* names[] = {"(＋)加算", "(－)減算", "（Ｘ）乗算", "(÷)除算"};
    for (int op = servo_op::Add; op <= servo_op::Divide; ++op) {
        auto* button = new QRadioButton(QString::fromUtf8(names[op]));
        button->setObjectName(QStringLiteral("op%1").arg(op));
        group->addButton(button, op);
        layout->addWidget(button);
    }
    group->button(servo_op::Multiply)->setChecked(true);
    return box;
}

QLineEdit* MakeNumberEdit(double value, const QString& objectName) {
    auto* edit = new QLineEdit(QString::number(value, 'g', 9));
    edit->setObjectName(objectName);
    return edit;
}

bool ReadNumber(const QLineEdit* edit, double& value) {
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    if (ok) value = v;
    return ok;
}

QDialogButtonBox* MakeOkCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QComboBox* MakeSamplingCombo() {
    auto* combo = new QComboBox;
    combo->setObjectName(QStringLiteral("samplingFrequency"));
    for (const char* name : {"44.1kHz", "48kHz", "96kHz", "176.4kHz", "自分で設定"})
        combo->addItem(QString::fromUtf8(name));
    combo->setCurrentIndex(fs_choice::kDefault);
    return combo;
}
