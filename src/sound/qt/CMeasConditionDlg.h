#pragma once

#include <QDialog>

class CMeasConditions;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "測定条件の設定" of the instruments: rate, width, channels, sample count, window,
// down-sampling and the loop characteristic. Every control acts on the CMeasConditions given
// (its rules decide what a choice does) and shows its values again; on OK the caller takes the
// conditions as they are, on Cancel it drops them.
class CMeasConditionDlg : public QDialog {
    Q_OBJECT
public:
    CMeasConditionDlg(CMeasConditions& conditions, QWidget* parent = nullptr);

    // Shows the conditions' current values in every control.
    void Refresh();

private:
    CMeasConditions& m_c;
    QComboBox* m_rate;
    QRadioButton* m_bits8;
    QRadioButton* m_bits16;
    QRadioButton* m_mono;
    QRadioButton* m_stereo;
    QComboBox* m_points;
    QComboBox* m_window;
    QLineEdit* m_bandwidth;
    QLineEdit* m_characteristic;
    QPushButton* m_switch;
    QLineEdit* m_modeLabel;
    QLineEdit* m_windowNote;
};
