#pragma once

#include "filters/BiquadSettings.h"

#include <QDialog>

class IDocumentUi;
class QComboBox;
class QLineEdit;

// "IIRﾌｨﾙﾀｰ設定": type, frequency and gain of the file-filtering biquad. The gain edit is
// enabled for the shelving and peaking types only. OK checks the entries at the wave's
// sampling frequency and stays open on a failure (message through `ui`, entry selected).
// Widgets: "type" (list), "freq", "gain".
class CIirSettingDlg : public QDialog {
    Q_OBJECT
public:
    CIirSettingDlg(IDocumentUi& ui, const BiquadSettings& settings, int fs,
                   QWidget* parent = nullptr);

    BiquadSettings Settings() const;
    bool Apply(); // the OK checks
    void accept() override;

private:
    void UpdateGainEnabled();

    IDocumentUi& m_ui;
    int m_fs;
    QComboBox* m_type;
    QLineEdit* m_freq;
    QLineEdit* m_gain;
};
