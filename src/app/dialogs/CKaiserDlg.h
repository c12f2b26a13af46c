#pragma once

#include <QDialog>

class QLineEdit;

// "ｶｲｻﾞｰ窓": the Kaiser window's beta as an integer. The spin buttons move the value within
// 0..20; a typed value is taken as it is. "ﾃﾞﾌｫﾙﾄ値" sets 10.
class CKaiserDlg : public QDialog {
    Q_OBJECT
public:
    CKaiserDlg(int beta, QWidget* parent = nullptr);

    int Beta() const;
    // One spin step: the value minus delta, clamped to 0..20 (the up button gives delta -1).
    void SpinDelta(int delta);
    void SetDefault();

private:
    QLineEdit* m_edit;
};
