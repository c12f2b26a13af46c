#pragma once

#include <QDialog>

class CAudioMeasPanel;
class QLineEdit;

// The audio measurement's detail dialog "詳細設定": the THD frequency and level, the two IM
// frequencies and levels ("測定信号設定") and the frequencies f1, f2 of the frequency-response
// rows ("表示設定"), all integers. OK hands them to the panel, which checks them in its order;
// a refused value keeps the dialog open with its field selected.
class CAudioDetailDlg : public QDialog {
    Q_OBJECT
public:
    CAudioDetailDlg(CAudioMeasPanel& panel, QWidget* parent = nullptr);

    void accept() override;

private:
    CAudioMeasPanel& m_panel;
    QLineEdit* m_thdFreq;
    QLineEdit* m_thdDb;
    QLineEdit* m_imFreq[2];
    QLineEdit* m_imDb[2];
    QLineEdit* m_f[2];
};
