#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLineEdit;

// "ｲﾝﾊﾟﾙｽ": sample count, position (0 s, 25 %, 50 %), number of consecutive samples c
// (1 .. 128) and sampling frequency.
class CImpulseDlg : public QDialog {
    Q_OBJECT
public:
    explicit CImpulseDlg(QWidget* parent = nullptr);
    int Pow() const;
    int Position() const;
    int Count() const;
    double SamplingFrequency() const { return m_fs; }

private:
    double m_fs = 48000.0;
    QComboBox* m_points;
    QButtonGroup* m_position;
    QLineEdit* m_count;
};
