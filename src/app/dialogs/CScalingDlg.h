#pragma once

#include "view/LogMagScaling.h"

#include <QDialog>

class QRadioButton;
class QDoubleSpinBox;

// "ﾏﾆｭｱﾙｽｹｰﾘﾝｸﾞ": top and range of the dB scale (-1000 .. 1000 each) and the centre of the
// phase display.
class CManualScaleDlg : public QDialog {
    Q_OBJECT
public:
    CManualScaleDlg(const LogMagChoice& start, QWidget* parent = nullptr);
    double Top() const;
    double Range() const;
    int PhaseMode() const;
    void SetValues(double top, double range, int phaseMode);

private:
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_range;
    QRadioButton* m_phase[3];
};

// "ｽｹｰﾘﾝｸﾞの設定": Auto or "Mannnual"; choosing "Mannnual" opens CManualScaleDlg.
class CScalingDlg : public QDialog {
    Q_OBJECT
public:
    CScalingDlg(const LogMagChoice& start, QWidget* parent = nullptr);
    // The values chosen so far; `accepted` as given.
    LogMagChoice Choice(bool accepted) const;
    // Selects "Mannnual" with the given values, as the inner dialog's OK does.
    void ChooseManual(double top, double range, int phaseMode);
    void ChooseAuto();

private:
    void OnManualClicked();

    LogMagChoice m_choice;
    QRadioButton* m_auto;
    QRadioButton* m_manual;
};
