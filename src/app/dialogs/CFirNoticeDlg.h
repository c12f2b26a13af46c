#pragma once

#include <QDialog>

class QPlainTextEdit;

// "FIRのオーダー": a message box with a multi-line text the caller sets, and OK; as a question
// (`withCancel`) also "ｷｬﾝｾﾙ", which rejects.
class CFirNoticeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFirNoticeDlg(const QString& text, QWidget* parent = nullptr, bool withCancel = false);
    QString Text() const;

private:
    QPlainTextEdit* m_text;
};
