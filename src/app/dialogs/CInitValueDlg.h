#pragma once

#include <QDialog>

class QComboBox;

// "初期値の設定" of the initial constant gain and the TSP: sample count and sampling frequency.
class CInitValueDlg : public QDialog {
    Q_OBJECT
public:
    CInitValueDlg(int pow, QWidget* parent = nullptr);
    int Pow() const;
    double SamplingFrequency() const { return m_fs; }
    QComboBox* SamplingCombo() const { return m_rate; }

private:
    double m_fs = 48000.0;
    QComboBox* m_points;
    QComboBox* m_rate;
};
