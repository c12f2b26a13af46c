#include "app/dialogs/CSamplingRateDlg.h"

#include "app/dialogs/ServoDialogParts.h"
#include "dsp/SamplingChoice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

CSamplingRateDlg::CSamplingRateDlg(double fs, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ｻﾝﾌﾟﾘﾝｸﾞ周波数設定"));
    m_edit = MakeNumberEdit(fs / 1000.0, QStringLiteral("kHz"));
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("kHz"), m_edit);
    form->addRow(MakeOkCancel(this));
}

void TrackSamplingCombo(QComboBox* combo, double& fs, QWidget* parent) {
    QObject::connect(combo, &QComboBox::activated, parent, [combo, &fs, parent](int entry) {
        if (const auto f = SamplingFrequencyOfEntry(entry)) {
            fs = *f;
            return;
        }
        CSamplingRateDlg dlg(fs, parent);
        if (dlg.exec() != QDialog::Accepted) return;
        double kHz = 0.0;
        if (!ReadNumber(dlg.Edit(), kHz)) return;
        if (const auto f = CustomSamplingFrequency(kHz)) fs = *f;
        (void)combo;
    });
}
