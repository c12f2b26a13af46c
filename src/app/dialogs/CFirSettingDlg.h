#pragma once

#include "filters/FirSettings.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;

// "FIRﾌｨﾙﾀｰの設定": shape, tap count and cut-offs of a window-method design. OK runs the checks
// of CheckFirWindowSettings; a failure shows its message, selects the faulty field and keeps
// the dialog open.
class CFirSettingDlg : public QDialog {
    Q_OBJECT
public:
    CFirSettingDlg(const FirWindowSettings& s, int window, int fs, QWidget* parent = nullptr);

    FirWindowSettings Settings() const;
    // The OK step: true (and the dialog accepted) when every check passes.
    bool TryAccept();
    // Shows a failed check's message; a message box unless replaced (tests).
    std::function<void(const QString&)> showMessage;

private:
    QLineEdit* Field(FirField field) const;

    QComboBox* m_shape;
    QLineEdit* m_taps;
    QLineEdit* m_cutLow;
    QLineEdit* m_cutHigh;
    int m_nFs;
    int m_nShape;
};

// Fills a combo box with "LowPass", "HighPass", "BandPass", "BandStop".
void FillShapeList(QComboBox* box, int shape);
