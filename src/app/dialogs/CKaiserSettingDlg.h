#pragma once

#include "filters/FirSettings.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;

// "FIRﾌｨﾙﾀｰ設定(Kaiser窓)": shape, attenuation, cut-offs and transition of a Kaiser design.
// OK clears the second cut-off of low-pass and high-pass, runs CheckKaiserSettings and asks
// for confirmation of a design above kKaiserNoticeTaps taps (declined: the attenuation is
// selected and the dialog stays open).
class CKaiserSettingDlg : public QDialog {
    Q_OBJECT
public:
    CKaiserSettingDlg(const KaiserSettings& s, int fs, QWidget* parent = nullptr);

    KaiserSettings Settings() const;
    int Taps() const { return m_nTaps; } // of the last successful check
    bool TryAccept();
    // Replaceable for tests: the message of a failed check, and the notice (true for OK).
    std::function<void(const QString&)> showMessage;
    std::function<bool(const QString&)> confirmNotice;

private:
    QLineEdit* Field(FirField field) const;

    QComboBox* m_shape;
    QLineEdit* m_atten;
    QLineEdit* m_cutLow;
    QLineEdit* m_cutHigh;
    QLineEdit* m_transition;
    int m_nFs;
    int m_nShape;
    int m_nTaps = 0;
};
