#pragma once

#include <QDialog>

// A question with OK and "ｷｬﾝｾﾙ" under a title; each line of the text is one label.
// The file filter asks "IIR/FIR処理の確定" with it (CQtDocumentUi::AskOkCancel).
class CFilterConfirmDlg : public QDialog {
    Q_OBJECT
public:
    CFilterConfirmDlg(const QString& title, const QString& text, QWidget* parent = nullptr);
};
