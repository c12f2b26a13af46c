#pragma once

#include <QDialog>

class IDocumentUi;
class QLineEdit;

// "ｶｲｻﾞｰ窓": the Kaiser window's beta as an integer. The spin buttons move the value within
// 0..20; a typed value is taken as it is unless the window cannot be computed with it
// (|beta| above kMaxKaiserBeta): OK then shows "β値が大きすぎます。..." and the dialog stays
// open. "ﾃﾞﾌｫﾙﾄ値" sets 10.
class CKaiserDlg : public QDialog {
    Q_OBJECT
public:
    CKaiserDlg(int beta, IDocumentUi& ui, QWidget* parent = nullptr);

    int Beta() const;
    // One spin step: the value minus delta, clamped to 0..20 (the up button gives delta -1).
    void SpinDelta(int delta);
    void SetDefault();
    void accept() override;

private:
    IDocumentUi& m_ui;
    QLineEdit* m_edit;
};
