#pragma once

#include <QDialog>

class QComboBox;

// "ｻﾝﾌﾟﾙ数の設定": a drop-down list of the nine record lengths "128点" ... "32768点".
// The chosen index is the document's m_nPow (N = 2^(index + 7)).
class CSampleCountDlg : public QDialog {
    Q_OBJECT
public:
    CSampleCountDlg(int pow, QWidget* parent = nullptr);

    int Pow() const;
    void SetPow(int pow);
    QComboBox& List() { return *m_list; }

private:
    QComboBox* m_list;
};
