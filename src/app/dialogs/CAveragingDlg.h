#pragma once

#include <QDialog>

class IDocumentUi;
class QLineEdit;

// "ｱﾍﾞﾚｰｼﾞﾝｸﾞ": the number of records K to average, preset to the maximum Kmax. OK is accepted
// only for 1 <= K <= Kmax; otherwise "アベレージ回数が０回か、逆に大き過ぎます！" is shown, the
// field's text is selected and the dialog stays open.
class CAveragingDlg : public QDialog {
    Q_OBJECT
public:
    // Messages go to `ui`.
    CAveragingDlg(int maxCount, IDocumentUi& ui, QWidget* parent = nullptr);

    int Count() const;
    void SetCount(const QString& text);
    // The OK check; true when accepted.
    bool Check();

    void accept() override;

private:
    int m_nMax;
    IDocumentUi& m_ui;
    QLineEdit* m_edit;
};
