#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

// "ｻﾝﾌﾟﾘﾝｸﾞ周波数設定": one edit in kHz preset to the current frequency / 1000.
class CSamplingRateDlg : public QDialog {
    Q_OBJECT
public:
    CSamplingRateDlg(double fs, QWidget* parent = nullptr);
    QLineEdit* Edit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};

// Follows the sampling-frequency drop-down of the impulse and initial-value dialogs: entries
// 0 .. 3 set their frequency, "自分で設定" asks with CSamplingRateDlg (cancel, or a value of 0 or
// below, keeps the frequency). The frequency lives in `fs` [Hz].
void TrackSamplingCombo(QComboBox* combo, double& fs, QWidget* parent);
