#pragma once

#include <QDialog>

class CKymoDoc;
class QLineEdit;

// "相関表示の設定": the correlation value zoom 2^e (e = -2 .. 2, shown "0.25" ... "4") and the
// time zoom 2^e (e = 1 .. 4, shown 2 ... 16). Every spin step stores the exponent in the
// document and redraws, so OK and cancel both keep the last values.
class CCorrDisplayDlg : public QDialog {
    Q_OBJECT
public:
    CCorrDisplayDlg(CKymoDoc& doc, QWidget* parent = nullptr);

    void StepGain(int delta);
    void StepTime(int delta);
    QString GainText() const;
    QString TimeText() const;

private:
    CKymoDoc& m_doc;
    QLineEdit* m_gain;
    QLineEdit* m_time;
};
